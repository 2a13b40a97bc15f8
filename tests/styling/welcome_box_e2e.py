"""The styled welcome box of the real program under Wine: its attributes, its picture, and the
close button and caption band driven with the real mouse."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import lanzhou_e2e as e2e  # noqa: E402

WS_EX_LAYERED = 0x80000
COMPLEXREGION = 3
WELCOME_CAPTION = "岚舟提示"


def brightness(rgb):
    return sum(rgb) // 3


def is_red(rgb):
    r, g, b = rgb
    return r > g + 40 and r > b + 40


def box_rect(hwnd):
    found = e2e.window(hwnd)
    return found["rect"] if found else None


def layered(hwnd):
    found = e2e.probe("layered", hwnd)
    return found[0] if found else {}


def props(hwnd, *names):
    return {p["name"]: p["value"] for p in e2e.probe("props", hwnd, *names)}


def shot(name):
    return e2e.Picture(e2e.screenshot(name))


class WelcomeBoxEndToEnd(unittest.TestCase):
    def test_welcome_box_look_hover_close_and_drag(self):
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("1.1"), \
                e2e.running_launcher(folder):
            box = e2e.wait_for_window(text=WELCOME_CAPTION, cls="#32770", timeout=60)
            self.assertIsNotNone(box, "the welcome box never showed")
            hwnd = box["hwnd"]
            self.assertEqual(e2e.dialog_text(hwnd), "欢迎使用岚舟YY公会一键下载教程")
            # The owner is the (still hidden) main window, which the engine leaves alone.
            owner = next(w for w in e2e.top_windows() if w["hwnd"] == box["owner"])
            self.assertEqual(owner["class"], "LanzhouMainWindow")
            self.assertFalse(owner["exstyle"] & WS_EX_LAYERED)
            self.assertEqual(props(owner["hwnd"], "Hw_hProc")["Hw_hProc"], 0)

            faded = e2e.wait_for(lambda: layered(hwnd).get("alpha") == 240, timeout=10, interval=0.1)
            self.assertTrue(faded, f"layered attributes: {layered(hwnd)}")
            attributes = layered(hwnd)
            self.assertTrue(e2e.window(hwnd)["exstyle"] & WS_EX_LAYERED)
            self.assertEqual(attributes["region"], COMPLEXREGION)
            self.assertFalse(attributes["corner_inside"], "rounded corners")
            left, top, right, bottom = box_rect(hwnd)
            width, height = right - left, bottom - top
            self.assertEqual(attributes["box"], [0, 0, width, height])
            styled = props(hwnd, "Hw_hProc", "Hw_lbID")
            self.assertNotEqual(styled["Hw_hProc"], 0)
            self.assertEqual(styled["Hw_lbID"], 1)

            # The picture: dark body, lighter caption band, the glyph's white cross, the glow.
            picture = e2e.settled_shot("welcome_box")
            body = picture.pixel(left + 8, bottom - 8)
            self.assertLess(brightness(body), 130, f"body {body}")
            self.assertEqual(body[0], body[1])
            band = picture.pixel(right - 50, top + 4)
            self.assertGreater(brightness(band), brightness(body) + 30, f"band {band}")
            close_x = left + width - 36
            cross = picture.pixel(close_x + 18, top + 3 + 8)
            self.assertGreater(brightness(cross), 200, f"cross {cross}")
            caption = picture.region(left + 25, top + 2, left + 90, top + 24)
            self.assertTrue(any(brightness(p) > 220 for p in caption), "the caption's glow")
            self.assertTrue(any(brightness(p) < 60 for p in caption), "the caption's text")

            # Pointing at the close button paints it red; moving within it keeps it red;
            # moving away restores it.
            hover_probe = (close_x + 9, top + 17)
            self.assertFalse(is_red(picture.pixel(*hover_probe)))

            def red(p):
                return is_red(p.pixel(*hover_probe))

            def not_red(p):
                return not red(p)
            e2e.move_to(close_x + 16, top + 12)
            self.assertTrue(red(e2e.shot_when("welcome_close_hover", red)))
            e2e.move_to(close_x + 20, top + 14)
            time.sleep(0.3)  # a real pause: the red must stay, there is no change to wait for
            self.assertTrue(is_red(shot("welcome_close_hover_moved").pixel(*hover_probe)))
            e2e.move_to(left + width // 2, top + 12)
            restored = e2e.shot_when("welcome_close_restored", not_red).pixel(*hover_probe)
            self.assertFalse(is_red(restored), f"restored {restored}")
            # Leaving downwards into the body restores it as well.
            e2e.move_to(close_x + 16, top + 12)
            e2e.shot_when("welcome_close_hover_again", red)
            e2e.move_to(close_x + 16, top + 60)
            self.assertFalse(red(e2e.shot_when("welcome_close_left", not_red)))

            # Dragging in the caption band moves the box.
            e2e.move_to(left + 120, top + 12)
            time.sleep(0.2)  # input at a hand's pace: the press after the move, the drag in steps
            e2e.xdotool("mousedown", 1)
            for step in range(1, 9):
                e2e.move_to(left + 120 + 10 * step, top + 12 + 5 * step)
                time.sleep(0.05)
            e2e.xdotool("mouseup", 1)
            moved = e2e.wait_for(lambda: box_rect(hwnd)[:2] == [left + 80, top + 40], timeout=5)
            self.assertTrue(moved, f"rect after the drag: {box_rect(hwnd)}")
            left, top, right, bottom = box_rect(hwnd)
            close_x = left + width - 36
            hover_probe = (close_x + 9, top + 17)

            # Pressing the close button does nothing; releasing it closes the box.
            e2e.move_to(close_x + 16, top + 12)
            e2e.shot_when("welcome_close_hover_moved_box", red)
            e2e.xdotool("mousedown", 1)
            time.sleep(0.6)  # a real pause: time for a close that must not come
            self.assertIsNotNone(box_rect(hwnd), "pressing alone must not close the box")
            e2e.xdotool("mouseup", 1)
            gone = e2e.wait_for(lambda: box_rect(hwnd) is None, timeout=5, interval=0.1)
            self.assertTrue(gone, "releasing over the close button closes the box")

            # The next box of the start-up (the update check's) is styled as well.
            second = e2e.wait_for(
                lambda: next((w for w in e2e.top_windows() if w["class"] == "#32770"
                              and w["visible"] and w["hwnd"] != hwnd), None), timeout=30)
            self.assertIsNotNone(second)
            self.assertTrue(e2e.wait_for(lambda: layered(second["hwnd"]).get("alpha") == 240,
                                         timeout=10, interval=0.1))
            self.assertEqual(props(second["hwnd"], "Hw_lbID")["Hw_lbID"], 1,
                             "the welcome box's record is gone: the next one is number 1 again")
            e2e.press_dialog_button(second["hwnd"])


if __name__ == "__main__":
    unittest.main()
