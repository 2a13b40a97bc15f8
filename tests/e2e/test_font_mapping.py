"""The Chinese faces that the program and the system name are served, in the test prefix, by
the installed faces that tools/wine-env.sh maps them to (every prefix is made by that one
function): no face falls back to whatever font happens to be there."""
import os
import subprocess
import unittest

import lanzhou_e2e as e2e

NAMED_FACES = {"宋体", "SimSun", "黑体", "SimHei"}


def replacements() -> dict:
    """FACE=INSTALLED pairs of the prefixes' font replacements."""
    script = os.path.join(e2e.SOURCE, "tools", "wine-env.sh")
    pairs = subprocess.run(["bash", "-c", f'source "{script}"; printf "%s\\n" '
                            '"${LANZHOU_FONT_REPLACEMENTS[@]}"'], capture_output=True,
                           text=True, check=True).stdout.splitlines()
    return dict(pair.split("=", 1) for pair in pairs)


def installed_families() -> set:
    listed = subprocess.run(["fc-list", ":", "family"], capture_output=True, text=True,
                            check=True).stdout
    return {name for line in listed.splitlines() for name in line.split(",")}


class FontMapping(unittest.TestCase):
    def test_every_named_face_is_served_by_the_installed_face_it_is_mapped_to(self):
        mapping = replacements()
        self.assertEqual(set(mapping), NAMED_FACES)
        served = {f["face"]: f["family"] for f in e2e.probe("fonts", *mapping, "MS Shell Dlg")}
        installed = installed_families()
        for face, target in mapping.items():
            with self.subTest(face):
                self.assertIn(target, installed)
                self.assertEqual(served[face], target)
        # Message boxes and dialogs: the system's own text comes in SimSun's face.
        self.assertEqual(served["message"], mapping["SimSun"])
        self.assertEqual(served["MS Shell Dlg"], mapping["SimSun"])


if __name__ == "__main__":
    unittest.main()
