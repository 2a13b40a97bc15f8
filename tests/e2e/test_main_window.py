"""The real launcher under Wine: main window layout, both tab pages, all nine links by mouse."""
import os
import re
import tempfile
import time
import unittest

import golden
import lanzhou_e2e as e2e

WM_CLOSE = 0x0010


def lesson_table():
    """(page, caption, left, top, width, height, link) rows of the program's own table."""
    with open(os.path.join(e2e.SOURCE, "app", "main_window.cpp"), encoding="utf-8") as f:
        source = f.read()
    rows = re.findall(r'\{"按钮\d", (\d), "([^"]+)", (\d+), (\d+), (\d+), (\d+), "([^"]+)"\}',
                      source)
    return [(int(p), c, int(l), int(t), int(w), int(h), link) for p, c, l, t, w, h, link in rows]


class MainWindowEndToEnd(unittest.TestCase):
    def test_layout_pages_and_every_link(self):
        table = lesson_table()
        self.assertEqual(len(table), 9)
        log = tempfile.mktemp(prefix="iexplore-", suffix=".log", dir=e2e.BUILD)
        with e2e.program_folder() as folder, e2e.voice_client(), e2e.version_server("1.1"), \
                e2e.running_launcher(folder, {"LANZHOU_IEXPLORE_LOG": log}):
            main = e2e.wait_for_main_window()
            self.assertIsNotNone(main, "the main window never showed")
            self.assertEqual(main["text"], "1.1")
            left, top, right, bottom = main["rect"]
            self.assertEqual((left, top, right - left, bottom - top), (50, 50, 256, 288))

            kids = e2e.children(main["hwnd"])
            tab = next(c for c in kids if c["class"] == "SysTabControl32")
            cx, cy = main["client"][0], main["client"][1]
            self.assertEqual([tab["rect"][0] - cx, tab["rect"][1] - cy,
                              tab["rect"][2] - tab["rect"][0], tab["rect"][3] - tab["rect"][1]],
                             [0, 0, 304, 264])
            pages = e2e.probe("tabs", tab["hwnd"])
            self.assertEqual([p["text"] for p in pages], ["青语言入门教程", "CE修改教程"])

            expected_links = []
            for page in (1, 2):
                if page == 2:
                    l, t, r, b = pages[1]["rect"]
                    e2e.click_at(tab["client"][0] + (l + r) // 2, tab["client"][1] + (t + b) // 2)
                    time.sleep(0.5)
                shown = [c for c in e2e.children(main["hwnd"])
                         if c["class"] == "Button" and c["visible"]]
                rows = [row for row in table if row[0] == page]
                self.assertEqual(sorted(c["text"] for c in shown), sorted(r[1] for r in rows))
                # The system's text in the program's 宋体, whole: the goldens hold its glyphs.
                e2e.move_to(1000, 750)
                time.sleep(1.0)
                shot = e2e.screenshot(f"main_window_page{page}")
                golden.assert_golden(f"main_window_page{page}", shot, main["rect"])
                for _, caption, bl, bt, bw, bh, link in rows:
                    button = next(c for c in shown if c["text"] == caption)
                    self.assertEqual(
                        [button["rect"][0] - cx, button["rect"][1] - cy,
                         button["rect"][2] - button["rect"][0],
                         button["rect"][3] - button["rect"][1]], [bl, bt, bw, bh], caption)
                    e2e.click_at(button["rect"][0] + bw // 2, button["rect"][1] + bh // 2)
                    expected_links.append(link)

            def recorded():
                if not os.path.exists(log):
                    return None
                with open(log, encoding="latin-1") as f:
                    lines = f.read().splitlines()
                return lines if len(lines) >= len(expected_links) else None
            lines = e2e.wait_for(recorded, timeout=30) or []
            self.assertEqual(lines, expected_links)

            e2e.post(main["hwnd"], WM_CLOSE)
        if os.path.exists(log):
            os.remove(log)


if __name__ == "__main__":
    unittest.main()
