"""Edits and combo boxes in gallery.exe under Wine with real mouse and keyboard input: typing,
scrolling the multi-line edit by its covers' arrows, hover looks, picking a combo box item;
screenshots of each state, none of them with a pixel of the key colour."""
import sys
import unittest

import gallery_e2e
import lanzhou_e2e as e2e

MULTI, SINGLE, READ_ONLY, DISABLED = 301, 302, 303, 304
DROP_LIST, DROP_DOWN, SIMPLE = 310, 311, 312
KEY_COLOUR = (255, 0, 255)


def is_cyan(rgb):
    r, g, b = rgb
    return g - r > 50 and b - r > 50


def dark(rgb):
    return sum(rgb) < 3 * 150


class EditsAndCombos(unittest.TestCase):
    def shot(self, gallery, name, ready=None):
        """A screenshot (once READY(picture) holds, if given), checked for the key colour over
        the dialog."""
        picture = e2e.shot_when(name, ready) if ready else e2e.Picture(gallery.screenshot(name))
        print("screenshot:", picture.path)
        left, top, right, bottom = gallery.rect()
        self.assertNotIn(KEY_COLOUR, set(picture.region(left, top, right, bottom)), name)
        return picture

    def covers(self, children, edit):
        """The edit's covers: (vertical, horizontal) rectangles, found over its right and bottom."""
        left, top, right, bottom = next(c["rect"] for c in children if c["id"] == edit)
        vertical = horizontal = None
        for child in children:
            if child["class"] != "Static" or child["id"] != 0:
                continue
            l, t, r, b = child["rect"]
            if left <= l and r <= right and top <= t and b <= bottom:
                if b - t > r - l:
                    vertical = child["rect"]
                else:
                    horizontal = child["rect"]
        return vertical, horizontal

    def thumb_start(self, picture, bar, vertical):
        """Where the thumb's outline begins along the bar, from its middle line; None when none."""
        l, t, r, b = bar
        arrow = 17
        if vertical:
            line = [picture.pixel((l + r) // 2, y) for y in range(t + arrow, b - arrow)]
        else:
            line = [picture.pixel(x, (t + b) // 2) for x in range(l + arrow, r - arrow)]
        return next((i for i, rgb in enumerate(line) if dark(rgb)), None)

    def test_typing_scrolling_hover_and_picking(self):
        with gallery_e2e.running_gallery() as gallery:
            children = gallery.controls()  # read once: every look-up starts a Wine process
            rects = {child["id"]: child["rect"] for child in children}
            vertical, horizontal = self.covers(children, MULTI)
            self.assertIsNotNone(vertical)
            self.assertIsNotNone(horizontal)
            start = self.shot(gallery, "edits_combos_start")
            edit_left, edit_top = rects[MULTI][:2]
            text_area = (edit_left + 4, edit_top + 4, vertical[0] - 2, horizontal[1] - 2)

            # Typing into the single-line edit: the text changes, the frame shows the focus.
            left, top, right, bottom = rects[SINGLE]
            e2e.click_at((left + right) // 2, (top + bottom) // 2)
            e2e.xdotool("key", "End")
            e2e.xdotool("type", "abc")
            e2e.wait_for(lambda: gallery.control(SINGLE)["text"].endswith("abc"), 10)
            self.assertEqual(gallery.control(SINGLE)["text"], "单行编辑框abc")
            e2e.move_to(1, 1)
            focus = (left, (top + bottom) // 2)
            typed = self.shot(gallery, "edits_typed_focused", lambda p: is_cyan(p.pixel(*focus)))
            self.assertTrue(is_cyan(typed.pixel(*focus)), "focus border")

            # Scrolling by the covers' arrows: the real bars underneath take the clicks.
            for bar, is_vertical in ((vertical, True), (horizontal, False)):
                l, t, r, b = bar
                arrow = ((l + r) // 2, b - 8) if is_vertical else (r - 8, (t + b) // 2)
                before = self.thumb_start(start, bar, is_vertical)
                # Away from the glyph, where the tint runs to the accent colour.
                tinted = (r - 5, arrow[1]) if is_vertical else (arrow[0] - 5, b - 5)
                e2e.move_to(*arrow)
                e2e.xdotool("click", "--repeat", 6, "--delay", 150, 1)
                scrolled = self.shot(
                    gallery, "edits_scrolled_" + ("down" if is_vertical else "right"),
                    lambda p, bar=bar, v=is_vertical, t=tinted, b=before: is_cyan(p.pixel(*t))
                    and (self.thumb_start(p, bar, v) or 0) > b)
                self.assertGreater(self.thumb_start(scrolled, bar, is_vertical), before)
                self.assertTrue(is_cyan(scrolled.pixel(*tinted)), "the arrow under the pointer")
                self.assertFalse(is_cyan(start.pixel(*tinted)), "the arrow without the pointer")
                self.assertNotEqual(start.region(*text_area), scrolled.region(*text_area))

            # The focus goes to the read-only edit, which shows no accent for it (it holds a
            # value, not a field to type in); the single-line edit no longer holds the focus.
            left, top, right, bottom = rects[READ_ONLY]
            e2e.click_at((left + right) // 2, (top + bottom) // 2)
            e2e.move_to(1, 1)
            single = (rects[SINGLE][0], (rects[SINGLE][1] + rects[SINGLE][3]) // 2)
            moved = self.shot(gallery, "edits_focus_on_read_only",
                              lambda p: not is_cyan(p.pixel(*single)))
            self.assertFalse(is_cyan(moved.pixel(*single)), "the focus left the single-line edit")
            self.assertFalse(is_cyan(moved.pixel(left, (top + bottom) // 2)), "no focus accent")

            # Hover: the edit's frame and the combo box's border turn to the accent colour; the
            # edit hovered is one that does not hold the focus.
            for control, name in ((SINGLE, "edit"), (DROP_LIST, "combo")):
                left, top, right, bottom = rects[control]
                e2e.move_to(left + 10, (top + bottom) // 2)
                frame = (left, (top + bottom) // 2)
                hovered = self.shot(gallery, "edits_combos_hover_" + name,
                                    lambda p, frame=frame: is_cyan(p.pixel(*frame)))
                self.assertTrue(is_cyan(hovered.pixel(left, (top + bottom) // 2)), name)
                self.assertFalse(is_cyan(moved.pixel(left, (top + bottom) // 2)), name)

            # Picking an item of the drop-down list shows it.
            left, top, right, bottom = rects[DROP_LIST]
            e2e.click_at(right - 9, (top + bottom) // 2, pause=0)
            e2e.wait_for(lambda: e2e.find_window(cls="ComboLBox"), 10)
            self.shot(gallery, "combos_dropped")
            item_height = bottom - top - 6
            e2e.click_at(left + 20, bottom + 2 + item_height * 2 + item_height // 2, pause=0)
            e2e.wait_for(lambda: gallery.control(DROP_LIST)["text"] == "广州", 10)
            self.assertEqual(gallery.control(DROP_LIST)["text"], "广州")
            e2e.move_to(1, 1)
            face = (left + 2, top + 3, right - 22, bottom - 3)
            picked = self.shot(gallery, "combos_picked", lambda p: any(
                dark(rgb) for rgb in p.region(*face)) and p.region(*face) != start.region(*face))
            self.assertTrue(any(dark(rgb) for rgb in picked.region(*face)), "text drawn")
            self.assertNotEqual(start.region(*face), picked.region(*face))
            gallery.close()


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
