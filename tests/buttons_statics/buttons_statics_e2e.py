"""Styled push buttons and statics under Wine with the real mouse: the return values of
yes/no boxes, the looks of the other box types, and the program's own welcome, up-to-date and
expiry boxes with their focus, hover and pressed looks."""
import contextlib
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import lanzhou_e2e as e2e  # noqa: E402

MB_OKCANCEL, MB_ABORTRETRYIGNORE, MB_YESNO, MB_ICONINFORMATION = 0x1, 0x2, 0x4, 0x40
IDOK, IDCANCEL, IDRETRY, IDYES, IDNO = 1, 2, 4, 6, 7
BS_OWNERDRAW = 0xB
ACCENT = (34, 202, 221)
CAPTION = "岚舟提示"


def brightness(rgb):
    return sum(rgb) // 3


def near(a, b, tolerance):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def is_cyan(rgb):
    r, g, b = rgb
    return g > r + 20 and b > r + 20


def props(hwnd, *names):
    return {p["name"]: p["value"] for p in e2e.probe("props", hwnd, *names)}


def box_gone(hwnd):
    return not any(w["hwnd"] == hwnd for w in e2e.top_windows())


def wait_for_box(caption=None, text=None, exclude=(), timeout=60):
    """A visible styled message box (optionally with that caption or message), faded in."""
    def find():
        for w in e2e.top_windows():
            if w["class"] != "#32770" or not w["visible"] or w["hwnd"] in exclude:
                continue
            if caption is not None and w["text"] != caption:
                continue
            if text is not None and e2e.dialog_text(w["hwnd"]) != text:
                continue
            return w
        return None
    box = e2e.wait_for(find, timeout)
    if box:
        e2e.wait_faded_in(box["hwnd"])
        box = e2e.window(box["hwnd"]) or box  # its rectangle as the engine left it
    return box


def buttons_of(box):
    return [c for c in e2e.children(box["hwnd"]) if c["class"].lower() == "button"]


def statics_of(box):
    return [c for c in e2e.children(box["hwnd"]) if c["class"].lower() == "static"]


def centre(child):
    left, top, right, bottom = child["rect"]
    return (left + right) // 2, (top + bottom) // 2


def shot(name):
    return e2e.Picture(e2e.screenshot(name))


@contextlib.contextmanager
def driver_box(box_type, text="styled box", caption="styled caption"):
    """The test driver showing one styled box; yields (box, read_result)."""
    result = tempfile.mktemp(prefix="bs-result-", suffix=".txt", dir=e2e.BUILD)
    process = e2e.wine(os.path.join(e2e.BIN, "bs_box_driver.exe"), hex(box_type), result, text,
                       caption)

    def read_result(timeout=15):
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(timeout)
        if not os.path.exists(result):
            return None
        with open(result, encoding="ascii") as f:
            return int(f.read().strip())
    try:
        box = wait_for_box(caption=caption, timeout=60)
        assert box, f"the driver's box {caption!r} never showed"
        yield box, read_result
    finally:
        e2e.stop(process)
        with contextlib.suppress(OSError):
            os.remove(result)


class StyledBoxLooks:
    """Checks on a screenshot of a styled box that every part of it is the engine's."""

    def assert_styled_children(self, box):
        buttons = buttons_of(box)
        self.assertTrue(buttons, "the box has buttons")
        for button in buttons:
            styled = props(button["hwnd"], "Hw_hProc", "Hw_FuID", "Hw_lbID")
            self.assertNotEqual(styled["Hw_hProc"], 0, button["text"])
            self.assertGreaterEqual(styled["Hw_lbID"], 1)
            self.assertEqual(button["style"] & 0xF, BS_OWNERDRAW)
        for static in statics_of(box):
            self.assertNotEqual(props(static["hwnd"], "Hw_hProc")["Hw_hProc"], 0)
        return buttons

    def assert_button_look(self, picture, button, body):
        left, top, right, bottom = button["rect"]
        middle = (top + bottom) // 2
        corner = picture.pixel(left, top)
        # Outside the rounded outline: the body, or the focus glow that spreads over it.
        self.assertTrue(near(corner, body, 14) or is_cyan(corner), f"the corner {corner}")
        edge, face = picture.pixel(left, middle), picture.pixel(left + 6, middle)
        self.assertNotEqual(edge, face, "the rounded outline")
        upper, lower = picture.pixel(left + 6, top + 3), picture.pixel(left + 6, bottom - 4)
        self.assertGreater(brightness(upper), brightness(lower) + 4,
                           f"the face's gloss and gradient {upper} over {lower}")

    def assert_halo_text(self, picture, static, body):
        area = picture.region(*static["rect"])
        self.assertTrue(any(brightness(p) < 50 for p in area), "black text")
        self.assertTrue(any(brightness(p) > brightness(body) + 60 for p in area), "white halo")

    def body_of(self, picture, box):
        left, top, right, bottom = box["rect"]
        return picture.pixel(left + 4, bottom - 6)


class DriverBoxesEndToEnd(unittest.TestCase, StyledBoxLooks):
    def test_yes_and_no_return_five_and_six(self):
        for button_id, expected in ((IDYES, 5), (IDNO, 6)):
            with driver_box(MB_YESNO, "yes or no", f"answer {expected}") as (box, result):
                buttons = self.assert_styled_children(box)
                button = next(b for b in buttons if b["id"] == button_id)
                e2e.click_at(*centre(button))
                self.assertEqual(result(), expected)

    def test_other_box_types_are_styled_and_answer(self):
        cases = ((MB_OKCANCEL, IDCANCEL, 1, "okcancel"),
                 (MB_ABORTRETRYIGNORE, IDRETRY, 3, "abortretryignore"),
                 (MB_ICONINFORMATION, IDOK, 0, "information"))
        for box_type, button_id, expected, name in cases:
            with driver_box(box_type, "a styled message", name) as (box, result):
                buttons = self.assert_styled_children(box)
                self.assertEqual(len(buttons), {MB_OKCANCEL: 2, MB_ABORTRETRYIGNORE: 3}.get(
                    box_type, 1))
                picture = shot(f"bs_{name}_box")
                body = self.body_of(picture, box)
                for button in buttons:
                    self.assert_button_look(picture, button, body)
                text = next(s for s in statics_of(box) if s["text"] == "a styled message")
                self.assert_halo_text(picture, text, body)
                if box_type == MB_ICONINFORMATION:
                    icon = next(s for s in statics_of(box) if s["visible"] and not s["text"])
                    drawn = [p for p in picture.region(*icon["rect"]) if not near(p, body, 20)]
                    self.assertGreater(len(drawn), 50, "the information icon is drawn")
                button = next(b for b in buttons if b["id"] == button_id)
                e2e.click_at(*centre(button))
                self.assertEqual(result(), expected, name)


class ProgramBoxesEndToEnd(unittest.TestCase, StyledBoxLooks):
    def test_welcome_and_up_to_date_boxes_with_focus_hover_and_pressed_looks(self):
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("1.1"), \
                e2e.running_launcher(folder):
            box = wait_for_box(text="欢迎使用岚舟YY公会一键下载教程")
            self.assertIsNotNone(box, "the welcome box never showed")
            [button] = self.assert_styled_children(box)
            left, top, right, bottom = button["rect"]
            middle = (top + bottom) // 2
            e2e.move_to(5, 5)  # away from the box
            picture = e2e.rest_shot("bs_welcome_box")
            body = self.body_of(picture, box)
            self.assert_button_look(picture, button, body)
            text = next(s for s in statics_of(box) if s["text"])
            self.assert_halo_text(picture, text, body)
            focus = picture.pixel(left, middle)
            self.assertTrue(is_cyan(focus), f"the focused button's cyan glow {focus}")
            bl, bt = box["rect"][:2]
            icon = [p for p in picture.region(bl + 5, bt + 5, bl + 22, bt + 22)
                    if not near(p, body, 30)]
            self.assertTrue(icon, "the caption's icon")

            e2e.move_to(left + 8, middle)
            hover = e2e.shot_when("bs_welcome_hover",
                                  lambda p: near(p.pixel(left, middle), ACCENT, 30))
            self.assertTrue(near(hover.pixel(left, middle), ACCENT, 30),
                            f"the accent outline under the pointer {hover.pixel(left, middle)}")
            tint = hover.pixel(left + 6, middle)
            self.assertGreater(tint[2], tint[0], f"the accent face {tint}")

            e2e.xdotool("mousedown", 1)

            def tinted(p):
                held = p.pixel(left + 4, middle)
                return held[2] > held[0] + 8
            pressed = e2e.shot_when("bs_welcome_pressed", tinted)
            held = pressed.pixel(left + 4, middle)
            self.assertGreater(held[2], held[0] + 8, f"the accent tint while held {held}")
            self.assertFalse(box_gone(box["hwnd"]), "pressing alone does not answer the box")
            e2e.xdotool("mouseup", 1)
            self.assertTrue(e2e.wait_for(lambda: box_gone(box["hwnd"]), timeout=10, interval=0.2),
                            "releasing over the button answers the box")

            current = wait_for_box(text="当前是最新版本", exclude=(box["hwnd"],))
            self.assertIsNotNone(current, "the up-to-date box never showed")
            [button] = self.assert_styled_children(current)
            e2e.move_to(5, 5)
            picture = e2e.rest_shot("bs_up_to_date_box")
            body = self.body_of(picture, current)
            self.assert_button_look(picture, button, body)
            self.assert_halo_text(picture, next(s for s in statics_of(current) if s["text"]),
                                  body)
            e2e.click_at(*centre(button))
            self.assertTrue(e2e.wait_for(lambda: box_gone(current["hwnd"]), timeout=10))

    def test_expiry_box(self):
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("9.9"), \
                e2e.running_launcher(folder) as process:
            welcome = wait_for_box(text="欢迎使用岚舟YY公会一键下载教程")
            self.assertIsNotNone(welcome)
            e2e.click_at(*centre(buttons_of(welcome)[0]))
            expiry = wait_for_box(text="版本已到期请到YY52804117下载最新版",
                                  exclude=(welcome["hwnd"],))
            self.assertIsNotNone(expiry, "the expiry box never showed")
            [button] = self.assert_styled_children(expiry)
            e2e.move_to(5, 5)
            picture = e2e.rest_shot("bs_expiry_box")
            body = self.body_of(picture, expiry)
            self.assert_button_look(picture, button, body)
            self.assert_halo_text(picture, next(s for s in statics_of(expiry) if s["text"]), body)
            e2e.click_at(*centre(button))
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(20)
            self.assertIsNotNone(process.poll(), "the program ends after the expiry box")


if __name__ == "__main__":
    unittest.main()
