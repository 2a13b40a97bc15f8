"""The channel presence check of the real launcher under Wine, with the stand-in voice client."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import golden  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402
from checks_e2e import (PRESENCE_TEXT, WELCOME_TEXT, buttons, first_message,  # noqa: E402
                        icon_match, icon_pixels, new_visible_windows, reference_icon_pixels)

WS_DISABLED = 0x08000000


class PresenceCheckEndToEnd(unittest.TestCase):
    def expect_presence_message(self, folder):
        """Runs the launcher until its presence message; answers it; returns its facts."""
        before = {w["pid"] for w in e2e.top_windows()}
        with e2e.running_launcher(folder) as program:
            box = first_message(before)
            self.assertIsNotNone(box, "no message appeared")
            self.assertEqual(e2e.dialog_text(box["hwnd"]), PRESENCE_TEXT)
            self.assertEqual(box["text"], "错误提示")
            time.sleep(1.0)  # long enough for a second window, if any, to show
            shown = new_visible_windows(before)
            main = next(w for w in e2e.top_windows()
                        if w["pid"] == box["pid"] and w["class"] == "LanzhouMainWindow")
            facts = dict(box=box, shown=shown, main=main, buttons=buttons(box["hwnd"]),
                         icon=icon_pixels(box["hwnd"], "presence_message"))
            # The system's message font, whole: the golden holds its glyphs.
            e2e.move_to(1000, 750)
            golden.assert_golden("presence_message", e2e.screenshot("presence_message"),
                                 box["rect"])
            e2e.press_dialog_button(box["hwnd"])
            facts["code"] = program.wait(30)
        return facts

    def expect_welcome(self, folder, timeout=60):
        """Runs the launcher until its first message and returns that message's text."""
        before = {w["pid"] for w in e2e.top_windows()}
        started = time.monotonic()
        with e2e.running_launcher(folder):
            box = first_message(before, timeout)
            self.assertIsNotNone(box, "no message appeared")
            print(f"first message after {time.monotonic() - started:.1f} s", file=sys.stderr)
            return e2e.dialog_text(box["hwnd"])

    def test_without_client_the_presence_message_is_the_only_window_and_ends_the_program(self):
        with e2e.program_folder() as folder:
            facts = self.expect_presence_message(folder)
        box = facts["box"]
        self.assertEqual([w["hwnd"] for w in facts["shown"]], [box["hwnd"]], facts["shown"])
        self.assertEqual(facts["buttons"], ["确定"])  # MB_OK
        # MB_TASKMODAL without an owner: the thread's other windows are disabled meanwhile.
        self.assertEqual(box["owner"], 0)
        self.assertFalse(facts["main"]["visible"])
        self.assertTrue(facts["main"]["style"] & WS_DISABLED)
        self.assertEqual(facts["code"], 0)
        # MB_ICONINFORMATION: the icon of a plain information box, and not the question icon
        # (which shows that the comparison tells icons apart).
        information = icon_match(facts["icon"], reference_icon_pixels(0x40))
        question = icon_match(facts["icon"], reference_icon_pixels(0x20))
        print(f"icon match: information {information:.2f}, question {question:.2f}",
              file=sys.stderr)
        self.assertGreater(information, 0.9)
        self.assertLess(question, 0.9)

    def test_hidden_client_window_with_the_channel_does_not_count(self):
        with e2e.program_folder() as folder, e2e.voice_client(hidden=True):
            facts = self.expect_presence_message(folder)
        self.assertEqual(facts["code"], 0)

    def test_client_name_in_other_letter_case_passes(self):
        with e2e.program_folder() as folder, e2e.voice_client(exe_name="yy.EXE"):
            self.assertEqual(self.expect_welcome(folder), WELCOME_TEXT)

    def test_other_programs_window_with_the_channel_passes_while_the_client_runs(self):
        with e2e.program_folder() as folder, e2e.voice_client("YY"), \
                e2e.voice_client(f"Guild page {e2e.CHANNEL} - Browser", exe_name="browser.exe"):
            self.assertEqual(self.expect_welcome(folder), WELCOME_TEXT)

    def test_hung_window_does_not_stall_the_check(self):
        # The hung window lies on top, so the check meets it before the client's window.
        with e2e.program_folder() as folder, e2e.voice_client(), \
                e2e.voice_client("Busy", exe_name="busy.exe", hung=True):
            self.assertEqual(self.expect_welcome(folder, timeout=30), WELCOME_TEXT)


if __name__ == "__main__":
    unittest.main()
