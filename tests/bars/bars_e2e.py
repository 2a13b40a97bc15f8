"""Track bars, progress bars, up-down controls and headers in the gallery under Wine with the
real mouse: a header column pressed while held, the track bar's thumb larger under the pointer
and dragged, the up-down's halves changing its buddy's number; screenshots of each state."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import gallery_e2e  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402

TRACK_BAR = 501
BUDDY, UP_DOWN, UP_DOWN_HORIZONTAL = 520, 521, 522
HEADER, PLAIN_HEADER = 530, 531
FIRST_COLUMN = 90  # pixels: the gallery's header columns are 90, 60 and 70 wide


def is_accent(rgb):
    r, g, b = rgb
    return b - r > 70 and g - r > 60


class BarsEndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.run_context = gallery_e2e.running_gallery()
        cls.gallery = cls.run_context.__enter__()

    @classmethod
    def tearDownClass(cls):
        e2e.xdotool("mouseup", 1)
        cls.run_context.__exit__(None, None, None)

    def settled(self, name):
        picture = e2e.rest_shot(name)
        print("screenshot:", os.path.join(e2e.BUILD, "screenshots", name + ".png"))
        return picture

    def rect(self, control_id):
        return self.gallery.control(control_id)["rect"]

    def shot_when(self, name, ready, timeout=10):
        picture = e2e.shot_when(name, ready, timeout)
        print("screenshot:", os.path.join(e2e.BUILD, "screenshots", name + ".png"))
        return picture

    def test_header_columns_pressed_while_held_only_on_the_clickable_header(self):
        e2e.move_to(1, 1)
        rest = self.settled("bars_headers_rest")
        for control_id, clickable in ((HEADER, True), (PLAIN_HEADER, False)):
            with self.subTest(header=control_id):
                left, top, right, bottom = self.rect(control_id)
                x, y = left + FIRST_COLUMN // 2, (top + bottom) // 2
                probe = (left + 20, bottom - 3)  # near the column's bottom, clear of its text
                # The plain header's looks must not come: for it, the wait is a real pause.
                wait = 10 if clickable else 1

                def changed_from(before):
                    return lambda p: p.pixel(*probe) != before.pixel(*probe)
                e2e.move_to(x, y)
                hover = self.shot_when(f"bars_header{control_id}_hover", changed_from(rest), wait)
                e2e.xdotool("mousedown", 1)
                pressed = self.shot_when(f"bars_header{control_id}_pressed", changed_from(hover),
                                         wait)
                e2e.xdotool("mouseup", 1)
                looks = [p.pixel(*probe) for p in (rest, hover, pressed)]
                if clickable:
                    self.assertNotEqual(looks[1], looks[0], "hover look")
                    self.assertNotEqual(looks[2], looks[1], "pressed look")
                    self.assertGreater(sum(looks[2]), sum(looks[1]), "pressed is lighter below")
                else:
                    self.assertEqual(looks[1], looks[0], "no hover look")
                    self.assertEqual(looks[2], looks[0], "no pressed look")
                e2e.move_to(1, 1)

    def thumb(self, picture):
        """(height, x, y) of the track bar's thumb: the column that differs from the bare panel
        (a column left of the channel) over the most rows, and that run's middle."""
        left, top, right, bottom = self.rect(TRACK_BAR)
        bare = left + 5
        best = (0, 0, 0)
        for x in range(left + 8, right - 3):
            rows = [y for y in range(top + 2, bottom - 2)
                    if sum(abs(a - b) for a, b in zip(picture.pixel(x, y),
                                                      picture.pixel(bare, y))) > 40]
            if len(rows) > best[0]:
                best = (len(rows), x, (rows[0] + rows[-1]) // 2)
        return best

    def test_track_bar_thumb_grows_under_the_pointer_and_follows_a_drag(self):
        left, top, right, bottom = self.rect(TRACK_BAR)
        e2e.move_to(1, 1)
        small, _, _ = self.thumb(self.settled("bars_trackbar_rest"))
        e2e.move_to(left + 10, bottom - 4)  # over the panel, away from the thumb
        large, x, y = self.thumb(self.shot_when(
            "bars_trackbar_hover", lambda p: self.thumb(p)[0] >= small + 3))
        self.assertGreaterEqual(large, small + 3, "the larger thumb while the pointer is over it")
        target = (left + right) // 2
        e2e.move_to(x, y)
        e2e.xdotool("mousedown", 1)
        for step in range(1, 6):
            e2e.move_to(x + (target - x) * step // 5, y)
            time.sleep(0.1)  # a drag at a hand's pace, not one jump
        e2e.xdotool("mouseup", 1)
        moved = self.shot_when("bars_trackbar_dragged",
                               lambda p: abs(self.thumb(p)[1] - target) < 12)
        _, after_x, _ = self.thumb(moved)
        self.assertLess(abs(after_x - target), 12, "the thumb follows the pointer")
        # The filled part now ends at the thumb, well short of the right end.
        past = [moved.pixel(px, py) for px in range(target + 15, right - 15)
                for py in range(y - 3, y + 4)]
        self.assertFalse(any(is_accent(p) for p in past), "nothing filled past the thumb")
        e2e.move_to(1, 1)

    def buddy_number(self):
        return int(self.gallery.control(BUDDY)["text"])

    def test_up_down_halves_change_the_buddys_number(self):
        left, top, right, bottom = self.rect(UP_DOWN)
        x = (left + right) // 2
        upper, lower = top + (bottom - top) // 4, bottom - (bottom - top) // 4
        start = self.buddy_number()
        for name, y, change in (("upper", upper, +1), ("lower", lower, -1), ("lower", lower, -1)):
            with self.subTest(half=name):
                before = self.buddy_number()
                e2e.click_at(x, y)
                e2e.wait_for(lambda: self.buddy_number() == before + change, 10)
                self.assertEqual(self.buddy_number(), before + change)
        self.assertEqual(self.buddy_number(), start - 1)
        e2e.move_to(x, lower)
        rest = self.settled("bars_updown_hover_lower")
        # Held down on the horizontal one, which has no buddy to count up meanwhile.
        left, top, right, bottom = self.rect(UP_DOWN_HORIZONTAL)
        half = ((left + right) // 2 + 2, right - 2)

        def row(picture):
            return [picture.pixel(px, bottom - 3) for px in range(*half)]
        e2e.move_to(right - 4, (top + bottom) // 2)
        # The hover look first, so that the pressed one is not taken for it.
        hovered = self.shot_when("bars_updown_hover", lambda p: row(p) != row(rest))
        e2e.xdotool("mousedown", 1)
        held = self.shot_when("bars_updown_pressed", lambda p: row(p) != row(hovered))
        e2e.xdotool("mouseup", 1)
        released = self.shot_when("bars_updown_released", lambda p: row(p) != row(held))
        held_row, released_row = row(held), row(released)
        self.assertNotEqual(held_row, released_row, "pressed look while held, hover after")
        e2e.move_to(1, 1)


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
