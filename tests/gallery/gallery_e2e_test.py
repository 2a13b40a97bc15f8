"""gallery.exe under Wine: the styled dialog shows every control of its table and ends cleanly
when closed."""
import os
import sys
import unittest

import gallery_e2e
import lanzhou_e2e as e2e


class GalleryEndToEnd(unittest.TestCase):
    def test_shows_styled_and_closes(self):
        with gallery_e2e.running_gallery() as gallery:
            window = e2e.find_window(gallery_e2e.CAPTION, "#32770")
            self.assertTrue(window["exstyle"] & 0x80000, "the gallery is layered (styled)")
            ids = {child["id"] for child in gallery.controls()}
            self.assertTrue({101, 102, 103, 110, 111, 112} <= ids)
            print("screenshot:", gallery.screenshot("gallery"))
            gallery.close()
            self.assertEqual(gallery.process.wait(20), 0)


if __name__ == "__main__":
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
