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
from checks_e2e import (EXPIRED_TEXT, UP_TO_DATE_TEXT, UPDATE_CAPTION, WELCOME_TEXT,  # noqa: E402
                        buttons, first_message, stalled_server)

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


def version_file_body(size: int) -> bytes:
    """A body of SIZE bytes whose text (up to the first zero byte) is the shipped version."""
    return b"1.1\0" + b"x" * (size - 4)


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
            time.sleep(1.0)  # a real pause: time for an end that must not come
            self.assertIsNone(program.poll(), "the program ended")
            e2e.post(shown["hwnd"], WM_CLOSE)
            self.assertEqual(program.wait(20), 0)
        with open(log, encoding="latin-1") as f:
            request = f.read().split("\n\n")[0].splitlines()
        self.assertEqual(request[0], REQUEST_LINE)
        self.assertIn("Accept: */*", request[1:])

    def test_any_other_answer_is_expired_and_closes_the_program(self):
        cases = [
            ("version with a line feed", lambda: e2e.version_server("1.1\n")),
            ("empty version file", lambda: e2e.version_server("")),
            ("404", lambda: e2e.version_server("<html>Not Found</html>", "--status", "404")),
            ("refused connection", contextlib.nullcontext),
            ("body over the cap", lambda: self.server_with_body(version_file_body(CAP + 1))),
            ("server that never answers", lambda: e2e.version_server("1.1", "--mode", "silent")),
        ]
        for name, server in cases:
            with self.subTest(name), e2e.program_folder() as folder, server():
                box, waited, program, main = self.run_to_update_message(folder)
                print(f"{name}: expiry message {waited:.1f} s after the welcome box",
                      file=sys.stderr)
                self.assert_update_message(box, main, EXPIRED_TEXT)
                e2e.press_dialog_button(box["hwnd"])
                self.assertEqual(program.wait(20), 0)

    @contextlib.contextmanager
    def server_with_body(self, content: bytes):
        with body_file(content) as path, e2e.version_server("", "--body-file", path) as server:
            yield server


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
    def test_body_is_read_whole_up_to_the_cap_and_not_beyond(self):
        for size, complete in ((CAP, True), (CAP + 1, False)):
            with self.subTest(size=size), body_file(version_file_body(size)) as path, \
                    e2e.version_server("", "--body-file", path):
                result = fetch()
                self.assertEqual(result["complete"], complete)
                if complete:
                    self.assertEqual((result["size"], result["text"]), (CAP, b"1.1"))

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
