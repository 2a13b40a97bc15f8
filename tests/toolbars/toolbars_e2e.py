"""The gallery's toolbars under the real pointer, and the system's common dialogs styled by the
engine, used with real input and closed: a file chosen in Open and Save As, a font, style and
size chosen, a colour chosen, a word found and replaced. Screenshots of each, styled and plain,
are saved under build/screenshots/ (cd_<name>_styled.png, cd_<name>_plain.png). CD_ONLY=NAME
runs one common dialog only."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import gallery_e2e  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402

KEY_COLOUR = (255, 0, 255)
WS_EX_LAYERED = 0x80000
IDOK, IDCANCEL = 1, 2
TEXT_BELOW_TOOLBAR, LIST_TOOLBAR, CONTAINER_TOOLBAR = 601, 602, 603
TBSTATE_CHECKED = 0x01


def key_pixels(picture, rect, leave_out=()):
    """Key-coloured pixels in the rectangle, outside the rectangles left out."""
    left, top, right, bottom = rect
    count = 0
    for y in range(top, bottom):
        for x in range(left, right):
            if picture.pixel(x, y) == KEY_COLOUR and not any(
                    a <= x < c and b <= y < d for a, b, c, d in leave_out):
                count += 1
    return count


def tint(picture, rect):
    """How much a button's left rim leans to the accent: blue-green over red."""
    left, top, right, bottom = rect
    column = [picture.pixel(left + 2, y) for y in range(top + 8, bottom - 8)]
    return sum((g + b) // 2 - r for r, g, b in column) / len(column)


class GalleryToolbars(unittest.TestCase):
    def test_hot_button_follows_the_pointer_and_a_click_toggles_a_check_button(self):
        with gallery_e2e.running_gallery() as gallery:
            toolbar = gallery.control(TEXT_BELOW_TOOLBAR)
            origin_x, origin_y = toolbar["rect"][:2]

            def buttons():
                return e2e.probe("tbbuttons", toolbar["hwnd"])

            def on_screen(index):
                left, top, right, bottom = buttons()[index]["rect"]
                return [origin_x + left, origin_y + top, origin_x + right, origin_y + bottom]

            def centre(index):
                left, top, right, bottom = on_screen(index)
                return (left + right) // 2, (top + bottom) // 2

            def shot(name, index, before):
                """The screen once button INDEX no longer looks as in BEFORE (its look has
                followed the pointer or the click)."""
                rect = on_screen(index)
                return e2e.shot_when(name, lambda p: p.region(*rect) != before.region(*rect))

            rest = e2e.Picture(gallery.screenshot("toolbar_rest"))
            e2e.move_to(*centre(10))
            over_first = shot("toolbar_hot_first", 10, rest)
            e2e.move_to(*centre(11))
            over_second = shot("toolbar_hot_second", 11, over_first)
            self.assertGreater(tint(over_first, on_screen(10)), tint(over_second, on_screen(10)) + 10,
                               "the first button lost its highlight when the pointer moved on")
            self.assertGreater(tint(over_second, on_screen(11)), tint(over_first, on_screen(11)) + 10,
                               "the second button took the highlight")
            e2e.move_to(1, 1)
            left_alone = shot("toolbar_left", 11, over_second)
            self.assertAlmostEqual(tint(left_alone, on_screen(4)), tint(over_first, on_screen(4)),
                                   delta=2, msg="the checked button keeps its fill")

            self.assertTrue(buttons()[4]["state"] & TBSTATE_CHECKED)
            e2e.click_at(*centre(4))
            e2e.wait_for(lambda: not buttons()[4]["state"] & TBSTATE_CHECKED, 10)
            self.assertFalse(buttons()[4]["state"] & TBSTATE_CHECKED, "a click unchecks it")
            e2e.move_to(1, 1)
            unchecked = shot("toolbar_unchecked", 4, left_alone)
            self.assertLess(tint(unchecked, on_screen(4)), tint(left_alone, on_screen(4)) - 10)

            for name in ("toolbar_hot_first", "toolbar_unchecked"):
                picture = e2e.Picture(os.path.join(e2e.BUILD, "screenshots", name + ".png"))
                self.assertEqual(key_pixels(picture, gallery.rect()), 0)
            gallery.close()
            self.assertEqual(gallery.process.wait(20), 0)

    def test_container_toolbar_holds_working_edit_and_combo(self):
        with gallery_e2e.running_gallery() as gallery:
            toolbar = gallery.control(CONTAINER_TOOLBAR)
            props = {p["name"]: p["value"] for p in e2e.probe(
                "props", toolbar["hwnd"], "Hw_hProc", "Kj_hProc", "Hw_FuID", "Kj_FuID")}
            self.assertTrue(props["Hw_hProc"] and props["Kj_hProc"], "both procedures")
            self.assertEqual(props["Hw_FuID"], props["Kj_FuID"])
            edit = gallery.control(604)
            self.assertEqual(edit["text"], "工具栏中的编辑框")
            left, top, right, bottom = edit["rect"]
            e2e.click_at((left + right) // 2, (top + bottom) // 2)
            e2e.xdotool("key", "End")
            e2e.xdotool("type", "abc")
            e2e.wait_for(lambda: gallery.control(604)["text"].endswith("abc"), 10)
            self.assertEqual(gallery.control(604)["text"], "工具栏中的编辑框abc")
            print("screenshot:", gallery.screenshot("toolbar_container"))
            gallery.close()
            self.assertEqual(gallery.process.wait(20), 0)


def control_by_id(dialog, control_id):
    for child in e2e.children(dialog["hwnd"]):
        if child["id"] == control_id and child["visible"]:
            return child
    raise LookupError(f"no visible control {control_id}")


def centre_of(child):
    left, top, right, bottom = child["rect"]
    return (left + right) // 2, (top + bottom) // 2


def click(dialog, control_id):
    e2e.click_at(*centre_of(control_by_id(dialog, control_id)))


def type_into(dialog, control_id, text):
    click(dialog, control_id)
    e2e.xdotool("key", "ctrl+a")
    e2e.xdotool("type", "--delay", "30", text)


# The dialogs' own control ids (dlgs.h): file name combo, font/style/size combos, colour
# swatches, find buttons.
FILE_NAME, FONT_STYLE, FONT_SIZE, BASIC_COLOURS = 1148, 1137, 1138, 720
FIND_NEXT, REPLACE_ALL = IDOK, 1025


def choose_file(name):
    def use(dialog, folder):
        os.makedirs(os.path.join(folder, "sub"), exist_ok=True)
        open(os.path.join(folder, "sub", "inner.txt"), "w").close()
        type_into(dialog, FILE_NAME, "sub")  # changes folder
        e2e.xdotool("key", "Return")
        e2e.wait_for(lambda: control_by_id(dialog, FILE_NAME)["text"] == "", 10)
        type_into(dialog, FILE_NAME, name)
        e2e.xdotool("key", "Return")
    return use


def choose_font(dialog, folder):
    click(dialog, FONT_STYLE)
    e2e.xdotool("key", "Down")  # regular to italic
    type_into(dialog, FONT_SIZE, "20")
    e2e.xdotool("key", "Return")


def choose_colour(dialog, folder):
    left, top, right, bottom = control_by_id(dialog, BASIC_COLOURS)["rect"]
    cell_w, cell_h = (right - left) // 8, (bottom - top) // 6
    e2e.click_at(left + cell_w // 2 - 2, top + cell_h + cell_h // 2 - 2)  # row 2: pure red
    click(dialog, IDOK)


def find_word(dialog, folder):
    click(dialog, FIND_NEXT)  # handled before the later click: one input queue, in order
    click(dialog, IDCANCEL)


def replace_all(dialog, folder):
    click(dialog, REPLACE_ALL)
    click(dialog, IDCANCEL)


# name, what to do, what the result file must hold
DIALOGS = [
    ("open", choose_file("inner.txt"), "\\sub\\inner.txt"),
    ("save", choose_file("saved.txt"), "\\sub\\saved.txt"),
    ("font", choose_font, "size=20"),
    ("colour", choose_colour, "detail=colour=FF0000"),
    ("find", find_word, "detail=found=fox at=16"),
    ("replace", replace_all, "text=the quick brown cat jumps"),
]
NO_PRINTER = ["print", "pagesetup"]


def visible_dialog():
    for w in e2e.top_windows():
        if w["class"] == "#32770" and w["visible"]:
            return w
    return None


def is_cover(child) -> bool:
    return child["class"] == "Static" and child["id"] == 0 and any(
        p["value"] for p in e2e.probe("props", child["hwnd"], "Mngd_zct"))


class CommonDialogs(unittest.TestCase):
    def run_dialog(self, name, plain=False):
        folder = tempfile.mkdtemp(prefix="cd-", dir=e2e.BUILD)
        result = os.path.join(folder, "result.txt")
        open(os.path.join(folder, "sample.txt"), "w").close()
        args = (["--plain"] if plain else []) + [name, result]
        # The last dialog's windows go a little after its process: it must not be found instead.
        e2e.wait_for(lambda: visible_dialog() is None, 10)
        e2e.move_to(1, 1)
        process = e2e.wine(os.path.join(e2e.BIN, "gallery.exe"), *args, cwd=folder)
        dialog = e2e.wait_for(visible_dialog, 60)
        self.assertIsNotNone(dialog, f"{name} never showed")
        if plain:
            e2e.wait_settled()
        else:
            e2e.wait_faded_in(dialog["hwnd"])
        # Its style and rectangle as they are now, styled: not as they were when first listed.
        dialog = e2e.window(dialog["hwnd"]) or dialog
        return process, dialog, folder, result

    def check_look(self, name, dialog, plain_children):
        picture = e2e.Picture(e2e.screenshot(f"cd_{name}_styled"))
        self.assertTrue(dialog["exstyle"] & WS_EX_LAYERED, "styled by the engine")
        # The colour dialog's own basic colours include magenta itself.
        own = [c["rect"] for c in e2e.children(dialog["hwnd"]) if c["id"] == BASIC_COLOURS]
        self.assertEqual(key_pixels(picture, dialog["rect"], own), 0, "no key colour on screen")
        # The engine's scroll-bar covers are pictures over the system's bars, not controls.
        styled = sorted((c["class"], c["id"]) for c in e2e.children(dialog["hwnd"])
                        if c["visible"] and not is_cover(c))
        self.assertEqual(styled, plain_children, "the same controls as the system's own look")
        return picture

    def plain_children(self, name):
        process, dialog, _, _ = self.run_dialog(name, plain=True)
        try:
            e2e.screenshot(f"cd_{name}_plain")
            return sorted((c["class"], c["id"]) for c in e2e.children(dialog["hwnd"])
                          if c["visible"])
        finally:
            e2e.stop(process)

    def test_each_dialog_is_styled_used_and_closed(self):
        only = os.environ.get("CD_ONLY")
        for name, use, expected in DIALOGS:
            if only and name != only:
                continue
            with self.subTest(dialog=name):
                plain = self.plain_children(name)
                process, dialog, folder, result = self.run_dialog(name)
                try:
                    picture = self.check_look(name, dialog, plain)
                    if name == "colour":
                        swatches = picture.region(*control_by_id(dialog, BASIC_COLOURS)["rect"])
                        self.assertGreater(swatches.count((255, 0, 0)), 50,
                                           "the dialog's own swatches are drawn")
                    use(dialog, folder)
                    self.assertIn(process.wait(30), (0,), f"{name} ends accepted")
                    with open(result, encoding="utf-8", errors="replace") as f:
                        self.assertIn(expected, f.read())
                finally:
                    e2e.stop(process)

    def test_print_dialogs_without_a_printer(self):
        for name in NO_PRINTER:
            with self.subTest(dialog=name):
                process, box, _, result = self.run_dialog(name)
                try:
                    # Wine has no printer here: instead of the dialog it shows a styled box.
                    self.assertTrue(box["exstyle"] & WS_EX_LAYERED, "the no-printer box is styled")
                    picture = e2e.Picture(e2e.screenshot(f"cd_{name}_styled"))
                    self.assertEqual(key_pixels(picture, box["rect"]), 0)
                    e2e.press_dialog_button(box["hwnd"], IDOK)
                    self.assertEqual(process.wait(30), 1)
                    with open(result, encoding="utf-8") as f:
                        self.assertIn("accepted=0", f.read())
                finally:
                    e2e.stop(process)
        self.skipTest("Wine has no printer here: the print and page setup dialogs themselves "
                      "cannot be shown, only the box that says so (checked above)")


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
