"""The update check of the real launcher under Wine, with the stand-in update server; and the
launcher's download on its own (fetch_probe.exe) against the server's harder answers."""
import contextlib
import json
import os
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import lanzhou_e2e as e2e  # noqa: E402
from checks_e2e import (CHECK_FAILED_TEXT, EXPIRED_TEXT, UP_TO_DATE_TEXT,  # noqa: E402
                        UPDATE_CAPTION, WELCOME_TEXT, buttons, first_message,
                        stalled_server, times_mapped)

WM_CLOSE = 0x0010
CAP = 64 * 1024
# What the launcher must send: the GBK bytes of the path, as they are (read back as Latin-1).
REQUEST_LINE = "GET " + "/版本号.txt".encode("gbk").decode("latin-1") + " HTTP/1.0"


@contextlib.contextmanager
def body_file(content: bytes):
    with tempfile.NamedTemporaryFile(dir=e2e.BUILD, suffix=".txt", delete=False) as f:
        f.write(content)
    try:
        yield f.name
    finally:
        os.remove(f.name)


@contextlib.contextmanager
def server_with_body(content: bytes, *extra_args):
    with body_file(content) as path, e2e.version_server("", "--body-file", path, *extra_args):
        yield


# Version file or server behaviour: the update message shown, and whether the program ends.
ANSWERS = [
    ("1.1 and LF", lambda: server_with_body(b"1.1\n"), UP_TO_DATE_TEXT, False),
    ("1.1 and CR LF", lambda: server_with_body(b"1.1\r\n"), UP_TO_DATE_TEXT, False),
    ("BOM and 1.1", lambda: server_with_body(b"\xef\xbb\xbf1.1"), UP_TO_DATE_TEXT, False),
    ("1.1, zero byte, 70,000 bytes", lambda: server_with_body(b"1.1\0" + b"\xff" * 70000),
     UP_TO_DATE_TEXT, False),
    ("1.0", lambda: server_with_body(b"1.0"), EXPIRED_TEXT, True),
    ("empty version file", lambda: server_with_body(b""), EXPIRED_TEXT, True),
    ("404", lambda: server_with_body(b"1.1", "--status", "404"), CHECK_FAILED_TEXT, True),
    ("no server", contextlib.nullcontext, CHECK_FAILED_TEXT, True),
    ("silent server", lambda: server_with_body(b"1.1", "--mode", "silent"), CHECK_FAILED_TEXT,
     True),
]


class UpdateCheckEndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.client = contextlib.ExitStack()
        cls.client.enter_context(e2e.voice_client())

    @classmethod
    def tearDownClass(cls):
        cls.client.close()

    def run_to_update_message(self, folder):
        """Starts the launcher, answers the welcome box and returns the update message with
        the seconds it took after the welcome box was answered, and the process."""
        before = {w["pid"] for w in e2e.top_windows()}
        program = e2e.wine(os.path.join(folder, "lanzhou.exe"), cwd=folder)
        self.addCleanup(e2e.stop, program)
        welcome = first_message(before)
        self.assertIsNotNone(welcome, "no welcome box")
        self.assertEqual(e2e.dialog_text(welcome["hwnd"]), WELCOME_TEXT)
        main = next(w for w in e2e.top_windows()
                    if w["pid"] == welcome["pid"] and w["class"] == "LanzhouMainWindow")
        self.assertEqual(welcome["owner"], main["hwnd"])
        e2e.press_dialog_button(welcome["hwnd"])
        answered = time.monotonic()
        update = first_message(before, timeout=40, exclude={welcome["hwnd"]})
        self.assertIsNotNone(update, "no update message after the welcome box")
        return update, time.monotonic() - answered, program, main

    def assert_update_message(self, box, main, text):
        self.assertEqual(e2e.dialog_text(box["hwnd"]), text)
        self.assertEqual(box["text"], UPDATE_CAPTION)
        self.assertEqual(box["owner"], main["hwnd"])
        # Type 0: MB_OK. (Whether an icon shows is not told apart here: Wine keeps an empty
        # icon control in such boxes, and the styled frame paints over its place.)
        self.assertEqual(buttons(box["hwnd"]), ["确定"])

    def test_published_version_equal_to_the_caption_is_up_to_date_and_the_program_stays(self):
        log = tempfile.mktemp(prefix="requests-", suffix=".log", dir=e2e.BUILD)
        self.addCleanup(lambda: os.path.exists(log) and os.remove(log))
        with e2e.program_folder() as folder, e2e.version_server("1.1", log=log):
            box, _, program, main = self.run_to_update_message(folder)
            self.assert_update_message(box, main, UP_TO_DATE_TEXT)
            e2e.press_dialog_button(box["hwnd"])
            shown = e2e.wait_for_window(cls="LanzhouMainWindow", timeout=20)
            self.assertIsNotNone(shown, "the main window did not show")
            time.sleep(1.0)
            self.assertIsNone(program.poll(), "the program ended")
            e2e.post(shown["hwnd"], WM_CLOSE)
            self.assertEqual(program.wait(20), 0)
        with open(log, encoding="latin-1") as f:
            request = f.read().split("\n\n")[0].splitlines()
        self.assertEqual(request[0], REQUEST_LINE)
        self.assertIn("Accept: */*", request[1:])

    def test_each_answer_shows_its_message_and_only_a_checked_current_copy_runs_on(self):
        for name, server, text, ends in ANSWERS:
            with self.subTest(name), e2e.program_folder() as folder, server():
                box, waited, program, main = self.run_to_update_message(folder)
                print(f"{name}: update message {waited:.1f} s after the welcome box",
                      file=sys.stderr)
                self.assert_update_message(box, main, text)
                with times_mapped(main["text"]) as shown:
                    e2e.press_dialog_button(box["hwnd"])
                    if ends:
                        self.assertEqual(program.wait(20), 0)
                    else:
                        self.assertIsNotNone(e2e.wait_for_window(cls="LanzhouMainWindow"))
                        e2e.post(main["hwnd"], WM_CLOSE)
                        self.assertEqual(program.wait(20), 0)
                # The main window shows only when the copy runs on: not even for a moment else.
                self.assertEqual(shown[0], 0 if ends else 1)

def fetch() -> dict:
    """The launcher's download of the version file, run on its own."""
    with tempfile.TemporaryFile() as out:  # not a pipe: see lanzhou_e2e.probe
        e2e.wine(os.path.join(e2e.BIN, "fetch_probe.exe"), stdout=out).wait(60)
        out.seek(0)
        lines = out.read().decode("ascii", "replace").splitlines()
    line = next(text for text in lines if text.startswith("{"))
    result = json.loads(line)
    result["text"] = bytes.fromhex(result["text"])
    return result


class VersionDownloadEndToEnd(unittest.TestCase):
    def test_body_is_read_up_to_its_first_zero_byte_or_just_past_the_bound(self):
        for body, kept in ((b"1.1\0" + b"x" * 70000, b"1.1\0"), (b"x" * 70000, b"x" * (CAP + 1))):
            with self.subTest(size=len(kept)), server_with_body(body):
                result = fetch()
                self.assertTrue(result["complete"])
                self.assertEqual((result["size"], result["text"]), (len(kept), kept.rstrip(b"\0")))

    def test_slow_server_that_answers_is_waited_for(self):
        with e2e.version_server("1.1", "--mode", "slow"):
            result = fetch()
        print(f"slow answer read in {result['ms']} ms", file=sys.stderr)
        self.assertTrue(result["complete"])
        self.assertEqual(result["text"], b"1.1")

    def test_server_that_never_finishes_is_given_up_within_the_time_bound(self):
        servers = [("silent", lambda: e2e.version_server("1.1", "--mode", "silent")),
                   ("trickling", lambda: e2e.version_server("1.1", "--mode", "trickle")),
                   ("never accepting", stalled_server)]
        for name, server in servers:
            with self.subTest(name), server():
                result = fetch()
            print(f"{name} server given up after {result['ms']} ms", file=sys.stderr)
            self.assertFalse(result["complete"])
            # The launcher's promise: the expiry message within about 15 seconds.
            self.assertLess(result["ms"], 15000)


if __name__ == "__main__":
    unittest.main()
