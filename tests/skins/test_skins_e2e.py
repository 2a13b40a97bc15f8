"""The real launcher under Wine: deploying the skin library, the attach call, the fatal ends,
and the main window in skin 6 (pixels of its caption, tabs and buttons, hover and pressed).

Each run uses a private copy of lanzhou.exe in a fresh folder, so the deploy step writes
there. The channel presence and update checks get their stand-ins, so the main window shows.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

# The shared end-to-end helpers and the skin tool (for the palette of skin 6).
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "e2e"), os.path.join(HERE, "..", "..", "tools")]
import lanzhou_e2e as e2e  # noqa: E402 (needs the path above)
import make_skins  # noqa: E402

LIBRARY_SIZE = 88576
SKIN6_SIZE = 41098
FATAL_EXIT = 255  # exit code -1 as Wine hands it to the Unix parent
WM_SYSCOMMAND = 0x0112
SC_RESTORE = 0xF120
WS_MINIMIZE = 0x20000000


def read(path):
    with open(path, "rb") as f:
        return f.read()


def windows_attributes(path):
    """The attribute letters Windows reports for a file (through Wine's attrib)."""
    result = subprocess.run(["wine", "cmd", "/c", "attrib", "Z:" + path.replace("/", "\\")],
                            env=e2e.wine_env(), capture_output=True, timeout=60, check=False)
    line = result.stdout.decode("utf-8", "replace").strip()
    return set(line.split("Z:")[0].split())


def skin6_palette():
    fields = make_skins.load_fields(os.path.join(e2e.SOURCE, "skinlib", "skin_fields.def"))
    return make_skins.load_skin(os.path.join(e2e.SOURCE, "resources", "skins", "skin06.txt"),
                                fields)


def near(actual, expected, slack=4):
    return all(abs(a - b) <= slack for a, b in zip(actual, expected))


def between(actual, a, b, slack=3):
    return all(min(x, y) - slack <= v <= max(x, y) + slack for v, x, y in zip(actual, a, b))


def gradient_at(top, bottom, y, rows):
    return tuple(t + (b - t) * y // rows for t, b in zip(top, bottom))


def exit_code(process, timeout=30):
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        return None


class Geometry:
    """Screen positions of what the tests probe on the main window."""

    def __init__(self, main):
        self.main = main
        kids = e2e.children(main["hwnd"])
        self.tab = next(c for c in kids if c["class"] == "SysTabControl32")
        self.tabs = e2e.probe("tabs", self.tab["hwnd"])
        self.button = next(c for c in kids if c["class"] == "Button" and c["text"] == "第一课下载")

    def caption_point(self, border, caption_height):
        left, top = self.main["rect"][0], self.main["rect"][1]
        return left + 150, top + border + caption_height * 3 // 4

    def tab_point(self, index):
        l, t, r, b = self.tabs[index]["rect"]
        return self.tab["client"][0] + l + 5, self.tab["client"][1] + b - 3

    def button_point(self, row=12):
        return self.button["rect"][0] + 6, self.button["rect"][1] + row

    def button_centre(self):
        l, t, r, b = self.button["rect"]
        return (l + r) // 2, (t + b) // 2


def probe_points(picture, g, border, caption_height):
    return {
        "caption": picture.pixel(*g.caption_point(border, caption_height)),
        "selected tab": picture.pixel(*g.tab_point(0)),
        "other tab": picture.pixel(*g.tab_point(1)),
        "button": picture.pixel(*g.button_point()),
    }


class SkinEndToEnd(unittest.TestCase):
    def run_launcher(self, folder, env=None):
        """The launcher with its outside world standing by; yields the process."""
        return e2e.running_launcher(folder, env)

    def test_absent_library_is_deployed_hidden_and_byte_for_byte(self):
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("1.1"), \
                self.run_launcher(folder):
            path = os.path.join(folder, "SkinH_EL.dll")
            deployed = e2e.wait_for(
                lambda: os.path.exists(path) and os.path.getsize(path) == LIBRARY_SIZE, 60)
            self.assertTrue(deployed, "no library was deployed beside the executable")
            self.assertIsNotNone(e2e.wait_for_main_window(), "the main window never showed")
            self.assertEqual(read(path), read(os.path.join(e2e.BUILD, "skinlib",
                                                           "SkinH_EL.dll")))
            self.assertEqual(read(path)[:2], b"MZ")
            self.assertIn("H", windows_attributes(path))
            # Nothing else is written beside the executable.
            self.assertEqual(sorted(os.listdir(folder)), ["SkinH_EL.dll", "lanzhou.exe"])

    def test_present_library_is_left_alone_and_gets_skin_six(self):
        log = os.path.join(e2e.BUILD, "skinh-e2e.log")
        for stale in (log, log + ".data"):
            if os.path.exists(stale):
                os.remove(stale)
        with e2e.program_folder() as folder:
            path = os.path.join(folder, "SkinH_EL.dll")
            shutil.copy(os.path.join(e2e.BIN, "skinh-recorder", "SkinH_EL.dll"), path)
            os.utime(path, (1000000000, 1000000000))
            before = read(path)
            self.assertNotIn("H", windows_attributes(path))
            with e2e.voice_client(), e2e.version_server("1.1"), \
                    self.run_launcher(folder, {"LANZHOU_SKINH_LOG": "Z:" + log.replace("/", "\\")}):
                self.assertTrue(e2e.wait_for(lambda: os.path.exists(log + ".data"), 60))
                self.assertIsNotNone(e2e.wait_for_main_window(), "the main window never showed")
            with open(log, encoding="ascii") as f:
                calls = f.read().splitlines()
            self.assertEqual(len(calls), 1, calls)
            self.assertNotIn("data=null", calls[0])
            self.assertTrue(calls[0].endswith(
                f'length={SKIN6_SIZE} password="" hue=0 saturation=0 brightness=0'), calls[0])
            self.assertEqual(read(log + ".data"),
                             read(os.path.join(e2e.BUILD, "generated", "skins", "skin06.she")))
            self.assertEqual(read(path), before)
            self.assertEqual(os.path.getmtime(path), 1000000000)
            self.assertNotIn("H", windows_attributes(path))
        os.remove(log)
        os.remove(log + ".data")

    def expect_fatal_end(self, folder):
        """The fatal message names the library and the function; OK ends with -1."""
        with self.run_launcher(folder) as process:
            box = e2e.wait_for_window(cls="#32770", timeout=60)
            self.assertIsNotNone(box, "no message box")
            text = e2e.dialog_text(box["hwnd"])
            self.assertIn("SkinH_EL.dll", text)
            self.assertIn("SkinH_AttachRes", text)
            self.assertIsNone(e2e.find_window(cls="LanzhouMainWindow"))
            e2e.press_dialog_button(box["hwnd"])
            self.assertEqual(exit_code(process), FATAL_EXIT)

    def test_a_file_of_that_name_that_is_no_library_ends_with_the_fatal_message(self):
        with e2e.program_folder() as folder:
            path = os.path.join(folder, "SkinH_EL.dll")
            with open(path, "wb") as f:
                f.write(b"MZ this is not a library")
            self.expect_fatal_end(folder)
            self.assertEqual(read(path), b"MZ this is not a library")
            self.assertNotIn("H", windows_attributes(path))

    def test_a_folder_it_cannot_write_to_ends_with_the_fatal_message(self):
        with e2e.program_folder() as folder:
            # root writes anywhere: an immutable folder is what stops it.
            locked = ["chattr", "+i", folder] if os.geteuid() == 0 else ["chmod", "0555", folder]
            unlock = ["chattr", "-i", folder] if os.geteuid() == 0 else ["chmod", "0755", folder]
            if subprocess.run(locked, capture_output=True, check=False).returncode != 0:
                self.skipTest("cannot make a folder unwritable here")
            try:
                self.expect_fatal_end(folder)
                self.assertEqual(os.listdir(folder), ["lanzhou.exe"])
            finally:
                subprocess.run(unlock, check=False)

    def test_a_write_cut_short_leaves_no_partial_library(self):
        # A folder on a tiny file system with room for the executable but not the library:
        # the write fails part-way. A partial file would be found and kept at every later
        # start; the program removes it instead.
        mount = tempfile.mkdtemp(prefix="lanzhou-full-", dir=e2e.BUILD)
        exe = os.path.join(e2e.BIN, "lanzhou.exe")
        pages = (os.path.getsize(exe) + 4095) // 4096 + 8  # 32 KiB to spare
        if subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={pages * 4096}", "tmpfs", mount],
                          capture_output=True, check=False).returncode != 0:
            os.rmdir(mount)
            self.skipTest("cannot mount a small file system here")
        try:
            shutil.copy(exe, mount)
            self.expect_fatal_end(mount)
            self.assertEqual(os.listdir(mount), ["lanzhou.exe"])
        finally:
            subprocess.run(["umount", mount], check=False)
            os.rmdir(mount)

    def test_main_window_wears_skin_six(self):
        skin = skin6_palette()
        palette = skin["palette"]
        metrics = dict(zip([k for k, _, _ in make_skins.load_fields(
            os.path.join(e2e.SOURCE, "skinlib", "skin_fields.def"))[1]], skin["metrics"]))
        border, caption_height = metrics["frame.width"], metrics["caption.height"]

        # The same window without a skin: the recorder stands in for the library.
        with e2e.program_folder() as folder:
            shutil.copy(os.path.join(e2e.BIN, "skinh-recorder", "SkinH_EL.dll"), folder)
            with e2e.voice_client(), e2e.version_server("1.1"), self.run_launcher(folder):
                main = e2e.wait_for_main_window()
                self.assertIsNotNone(main)
                plain = probe_points(e2e.settled_shot("main_window_unskinned"),
                                     Geometry(main), border, caption_height)

        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("1.1"), \
                self.run_launcher(folder) as process:
            main = e2e.wait_for_main_window()
            self.assertIsNotNone(main)
            g = Geometry(main)
            e2e.move_to(g.main["rect"][2] + 100, g.main["rect"][3] + 100)  # pointer away
            picture = e2e.rest_shot("main_window_skin6")
            skinned = probe_points(picture, g, border, caption_height)
            for name in skinned:
                self.assertNotEqual(skinned[name], plain[name], f"{name} looks unskinned")

            # The lower half of the caption is the plain gradient.
            self.assertTrue(between(skinned["caption"], palette["caption.top"],
                                    palette["caption.bottom"]), skinned["caption"])
            self.assertTrue(near(skinned["selected tab"], palette["tab.selected"]),
                            skinned["selected tab"])
            self.assertTrue(near(skinned["other tab"], palette["tab.face"]), skinned["other tab"])

            def face(look):
                return gradient_at(palette[f"button{look}.top"], palette[f"button{look}.bottom"],
                                   12, 22)
            self.assertTrue(near(skinned["button"], face("")), skinned["button"])

            def shows(look):
                return lambda p: near(p.pixel(*g.button_point()), face(look))
            e2e.move_to(*g.button_centre())
            hover = e2e.shot_when("main_window_skin6_hover", shows(".hover")).pixel(
                *g.button_point())
            self.assertTrue(near(hover, face(".hover")), hover)

            e2e.xdotool("mousedown", 1)
            pressed = e2e.shot_when("main_window_skin6_pressed", shows(".pressed")).pixel(
                *g.button_point())
            # Released away from the button: no click, and the pressed look goes.
            e2e.move_to(g.main["rect"][2] + 100, g.main["rect"][3] + 100)
            time.sleep(0.5)  # a real pause: the release comes after Wine has seen the move
            e2e.xdotool("mouseup", 1)
            self.assertTrue(near(pressed, face(".pressed")), pressed)
            released = e2e.shot_when("main_window_skin6_released", shows("")).pixel(
                *g.button_point())
            self.assertTrue(near(released, face("")), released)

            # The skin's caption buttons work like the system's.
            close_x = g.main["rect"][2] - border - metrics["capbutton.margin"] - \
                metrics["capbutton.width"] // 2
            minimise_x = close_x - metrics["capbutton.width"] - metrics["capbutton.gap"]
            button_y = g.main["rect"][1] + border + caption_height // 2

            def minimised():
                w = next((w for w in e2e.top_windows() if w["hwnd"] == main["hwnd"]), None)
                return w is not None and bool(w["style"] & WS_MINIMIZE)
            e2e.click_at(minimise_x, button_y)
            self.assertTrue(e2e.wait_for(minimised, 10), "the minimise button did nothing")
            e2e.post(main["hwnd"], WM_SYSCOMMAND, SC_RESTORE)
            self.assertTrue(e2e.wait_for(lambda: not minimised(), 10))
            e2e.settled_shot("main_window_skin6_restored")
            e2e.click_at(close_x, button_y)
            self.assertEqual(exit_code(process), 0)


if __name__ == "__main__":
    unittest.main()
