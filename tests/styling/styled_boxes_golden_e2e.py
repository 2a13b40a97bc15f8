"""Golden images of every styled box: the program's welcome, up-to-date and expiry boxes and the
other box types, each at rest, with its default button under the pointer and pressed; a dialog
of labels. Pixel probes name the defects the goldens also hold: a cut glyph, a light square."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "buttons_statics"))
import buttons_statics_e2e as bs  # noqa: E402
import golden  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402

WELCOME = "欢迎使用岚舟YY公会一键下载教程"
UP_TO_DATE = "当前是最新版本"
EXPIRY = "版本已到期请到YY52804117下载最新版"


def park(box):
    """The pointer to the box's bottom-left corner, over no control. Inside the box, so that
    Wine sees the next move: it drops a move to the point where it last saw the pointer."""
    e2e.move_to(box["rect"][0] + 6, box["rect"][3] - 6)


def new_look(name, before, rect):
    """The screen once RECT no longer looks as in BEFORE and has settled: the new look painted."""
    e2e.shot_when(name, lambda p: p.region(*rect) != before.region(*rect))
    return e2e.settled_shot(name)


def brightness(rgb):
    return sum(rgb) // 3


def inside(rect, x, y):
    return rect[0] <= x < rect[2] and rect[1] <= y < rect[3]


class GoldenBoxes(unittest.TestCase):
    def photograph(self, name, box, icon=False):
        """The three looks of the box; the last one releases the press over its default
        button (the first one)."""
        button = bs.buttons_of(box)[0]
        park(box)
        rest = e2e.rest_shot(f"golden_{name}_rest")
        self.probe_defects(name, box, rest, icon)
        golden.assert_golden(f"{name}_rest", rest.path, box["rect"])
        e2e.move_to(*bs.centre(button))
        hover = new_look(f"golden_{name}_hover", rest, button["rect"])
        golden.assert_golden(f"{name}_hover", hover.path, box["rect"])
        e2e.xdotool("mousedown", 1)
        pressed = new_look(f"golden_{name}_pressed", hover, button["rect"])
        e2e.xdotool("mouseup", 1)
        golden.assert_golden(f"{name}_pressed", pressed.path, box["rect"])

    def probe_defects(self, name, box, picture, icon=False):
        """No text static has ink in its last column; an image static without an image shows
        no light pixels where no other control lies over it."""
        body = bs.StyledBoxLooks().body_of(picture, box)
        children = e2e.children(box["hwnd"])
        statics = [c for c in children if c["class"] == "Static"]
        for static in (s for s in statics if s["text"]):
            left, top, right, bottom = static["rect"]
            edge = picture.region(right - 1, top, right, bottom)
            self.assertFalse(any(brightness(p) < 60 for p in edge),
                             f"{name}: a glyph of {static['text']!r} is cut at its right edge")
        for image in (s for s in statics if not s["text"] and not icon):
            others = [c["rect"] for c in children if c is not image]
            left, top, right, bottom = image["rect"]
            light = [(x, y) for y in range(top, bottom) for x in range(left, right)
                     if not any(inside(r, x, y) for r in others)
                     and brightness(picture.pixel(x, y)) > brightness(body) + 80]
            self.assertLess(len(light), 10, f"{name}: a light square at {image['rect']}")

    def test_program_boxes_up_to_date(self):
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("1.1"), \
                e2e.running_launcher(folder):
            welcome = bs.wait_for_box(text=WELCOME)
            self.assertIsNotNone(welcome, "the welcome box never showed")
            self.photograph("welcome", welcome)
            current = bs.wait_for_box(text=UP_TO_DATE, exclude=(welcome["hwnd"],))
            self.assertIsNotNone(current, "the up-to-date box never showed")
            self.photograph("up_to_date", current)

    def test_program_box_expiry(self):
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("9.9"), \
                e2e.running_launcher(folder):
            welcome = bs.wait_for_box(text=WELCOME)
            self.assertIsNotNone(welcome)
            e2e.press_dialog_button(welcome["hwnd"])
            expiry = bs.wait_for_box(text=EXPIRY, exclude=(welcome["hwnd"],))
            self.assertIsNotNone(expiry, "the expiry box never showed")
            self.photograph("expiry", expiry)

    def test_other_box_types(self):
        cases = ((bs.MB_YESNO, "要继续吗？ Continue?", "选择 yes/no", "yes_no"),
                 (bs.MB_OKCANCEL, "a styled message", "确认 ok/cancel", "ok_cancel"),
                 (bs.MB_ABORTRETRYIGNORE, "查找(&N): 原样 R&&D", "出错 abort/retry/ignore",
                  "abort_retry_ignore"),
                 (bs.MB_ICONINFORMATION, "信息 with an icon", "信息 information", "information"))
        for box_type, text, caption, name in cases:
            with self.subTest(name), bs.driver_box(box_type, text, caption) as (box, result):
                self.photograph(name, box, icon=box_type == bs.MB_ICONINFORMATION)
                self.assertIsNotNone(result(), f"{name}: releasing over the button answers")

    def test_labels_dialog(self):
        """Mnemonic marks as the system shows them, a group box and an empty image static."""
        result = os.path.join(e2e.BUILD, "golden-labels-result.txt")
        process = e2e.wine(os.path.join(e2e.BIN, "bs_box_driver.exe"), "dialog", result,
                           "标签 labels")
        try:
            box = bs.wait_for_box(caption="标签 labels")
            self.assertIsNotNone(box, "the dialog never showed")
            park(box)
            shot = e2e.rest_shot("golden_labels_rest")
            self.probe_defects("labels", box, shot)
            golden.assert_golden("labels_rest", shot.path, box["rect"])
        finally:
            e2e.stop(process)


if __name__ == "__main__":
    unittest.main()
