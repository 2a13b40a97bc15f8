"""Check boxes and radio buttons of the gallery under Wine with the real mouse: a click toggles
the tick, a click on a radio button moves the dot, the pointer brings the glow ring; the states
are photographed under build/screenshots/, none of which shows the key colour."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import gallery_e2e  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402

CHECKED, UNCHECKED, DISABLED = 201, 202, 203
RADIOS = (211, 212, 213)
KEY_COLOUR = (255, 0, 255)


def is_green(rgb):
    r, g, b = rgb
    return g > r + 40 and g > b + 40


def is_cyan(rgb):
    r, g, b = rgb
    return g > r + 25 and b > r + 25


class Marks:
    """Where a control's box or circle lies on the screen (12 x 12, vertically centred)."""

    def __init__(self, gallery, control_id):
        self.radio = control_id in RADIOS
        self.left, self.top, self.right, self.bottom = gallery.control(control_id)["rect"]
        self.by = self.top + (self.bottom - self.top - 12) // 2

    def box(self, picture):
        """The inside of the check box: where the tick is drawn."""
        return picture.region(self.left + 4, self.by + 1, self.left + 15, self.by + 12)

    def dot(self, picture):
        return picture.region(self.left + 5, self.by + 3, self.left + 11, self.by + 9)

    def ring(self, picture):
        """The column just left of the box or circle, where the hover glow shows."""
        x = self.left + (1 if self.radio else 2)
        return picture.region(x, self.by + 2, x + 1, self.by + 10)

    def point(self):
        return self.left + 9, self.by + 6


class ChecksAndRadiosEndToEnd(unittest.TestCase):
    def shoot(self, name):
        path = e2e.screenshot(name)
        picture = e2e.Picture(path)
        pixels = {picture.rgb[i:i + 3] for i in range(0, len(picture.rgb), 3)}
        self.assertNotIn(bytes(KEY_COLOUR), pixels, f"the key colour on screen in {path}")
        print("screenshot:", path)
        return picture

    def test_clicks_and_hover(self):
        with gallery_e2e.running_gallery() as gallery:
            boxes = {i: Marks(gallery, i) for i in (CHECKED, UNCHECKED, DISABLED) + RADIOS}
            shown = self.shoot("checks_radios_states")
            self.assertTrue(any(map(is_green, boxes[CHECKED].box(shown))), "a tick when checked")
            self.assertFalse(any(map(is_green, boxes[UNCHECKED].box(shown))), "none unchecked")
            self.assertIn((192, 192, 192), boxes[DISABLED].box(shown), "the disabled grey panel")
            self.assertTrue(any(map(is_cyan, boxes[211].dot(shown))), "the first radio's dot")
            self.assertFalse(any(map(is_cyan, boxes[212].dot(shown))))

            # A click toggles the tick; the pointer then leaves so that only the mark differs.
            for expected in (True, False):
                e2e.click_at(*boxes[UNCHECKED].point())
                e2e.move_to(1, 1)
                time.sleep(0.5)  # apart, so that the next click is not a double click
                shown = self.shoot(f"checks_radios_clicked_{'on' if expected else 'off'}")
                self.assertEqual(any(map(is_green, boxes[UNCHECKED].box(shown))), expected)

            e2e.click_at(*boxes[212].point())
            e2e.move_to(1, 1)
            time.sleep(0.3)
            shown = self.shoot("checks_radios_radio_moved")
            self.assertTrue(any(map(is_cyan, boxes[212].dot(shown))), "the dot moved here")
            self.assertFalse(any(map(is_cyan, boxes[211].dot(shown))), "and left the first")

            for control_id in (UNCHECKED, 213):
                x, y = boxes[control_id].point()
                e2e.move_to(x + 40, y)  # on the caption, the glow is around the box
                time.sleep(0.3)
                shown = self.shoot(f"checks_radios_hover_{control_id}")
                self.assertGreaterEqual(sum(map(is_cyan, boxes[control_id].ring(shown))), 4,
                                        control_id)
                e2e.move_to(1, 1)
                time.sleep(0.3)
                shown = self.shoot(f"checks_radios_left_{control_id}")
                self.assertFalse(any(map(is_cyan, boxes[control_id].ring(shown))), control_id)


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
