"""The gallery under Wine worked with real keys only: Tab walks the tab stops with one focus
outline following, Space toggles a check box, an arrow key moves a radio group's dot and a track
bar's thumb, Alt shows the access keys and Escape closes the dialog. Every step is photographed under build/screenshots/keys_*.png.

Wine keeps no UI state (WM_QUERYUISTATE is always 0): the cues are on from the start and Alt
changes nothing on screen, so nothing here can tell whether the engine follows the cue state;
the unit tests (keyboard_cues_test.cpp) show the cues hidden and shown as Windows reports them."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import gallery_e2e  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402

OUTLINED = (121, 122, 201, 202, 211, 212, 501, 502, 602)  # families with the new focus look
CHECK_BOX, RADIO, TRACK_BAR = 202, 211, 501


def is_cyan(rgb):
    r, g, b = rgb
    return g > r + 60 and b > r + 60


class KeysEndToEnd(unittest.TestCase):
    def test_keyboard_only(self):
        with gallery_e2e.running_gallery() as gallery:
            rects = {i: gallery.control(i)["rect"] for i in OUTLINED}

            def shot(name):
                return e2e.Picture(e2e.screenshot("keys_" + name))

            def outlined(picture):
                """The controls whose top edge carries the accent outline."""
                return [i for i in OUTLINED if sum(map(is_cyan, picture.region(
                    rects[i][0] + 6, rects[i][1], rects[i][2] - 6, rects[i][1] + 1))) > 10]

            def key(name, step):
                e2e.xdotool("key", name)
                time.sleep(0.4)
                return shot(step)

            def look(picture, control_id):
                return picture.region(*rects[control_id])

            reached = []
            for step in range(32):
                picture = key("Tab", f"tab_{step:02}")
                now = outlined(picture)
                self.assertLessEqual(len(now), 1, f"one focus outline at a time: {now}")
                if not now or now[0] in reached:
                    continue
                reached.append(now[0])
                if now[0] == CHECK_BOX:
                    ticked = key("space", "check_space")
                    self.assertNotEqual(look(ticked, CHECK_BOX), look(picture, CHECK_BOX))
                    self.assertEqual(outlined(ticked), [CHECK_BOX], "the focus stays shown")
                elif now[0] == RADIO:
                    moved = key("Down", "radio_down")
                    self.assertEqual(outlined(moved), [212], "the focus follows the dot")
                    reached.append(212)
                elif now[0] == TRACK_BAR:
                    slid = key("Left", "trackbar_left")
                    self.assertNotEqual(look(slid, TRACK_BAR), look(picture, TRACK_BAR))
                    self.assertEqual(outlined(slid), [TRACK_BAR])
            self.assertEqual(reached, [121, 122, 201, 202, 211, 212, 501, 502, 602])

            key("alt", "alt")
            # Alt alone entered the menu mode of the system menu, as on Windows: one Escape leaves
            # it, the next presses the cancel button.
            key("Escape", "menu_mode_left")
            key("Escape", "escape")
            self.assertEqual(gallery.process.wait(20), 0, "Escape pressed the cancel button")


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
