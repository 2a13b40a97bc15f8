"""Golden images: a region of a screenshot compared pixel by pixel with a committed PNG.

    import golden
    golden.assert_golden("welcome_rest", e2e.screenshot("welcome_rest"), box["rect"])

The goldens are tests/golden/NAME.png, made under Wine and Xvfb in the test prefix with the
fonts that tools/install-deps.sh installs. A pixel differs when one of its channels is more
than TOLERANCE away from the golden's. On a difference the test fails naming
build/golden/NAME.actual.png and NAME.diff.png (the differing pixels red over a dimmed copy of
the actual image). After an intended change of a look, regenerate every golden with

    LANZHOU_UPDATE_GOLDENS=1 ctest --preset linux-wine -L golden

(a test that calls assert_golden carries the ctest label "golden"). A golden whose pixels are
still within the tolerance is left as it is. Make the region deterministic: the window only,
after its fade-in, the pointer parked where no look depends on it.

The 64-bit build (on machines that run no 32-bit programs, see README.md) draws antialiased
glyph edges a few levels apart from the 32-bit one: its float arithmetic rounds otherwise. A
golden that differs for it is kept in tests/golden/x86_64/, which it reads first.
"""
import os
import subprocess

import lanzhou_e2e as e2e

GOLDEN_DIR = os.path.join(e2e.SOURCE, "tests", "golden")
OUTPUT_DIR = os.path.join(e2e.BUILD, "golden")
TOLERANCE = 6  # per channel, of 255
# A styled window's corners are cut by its rounded region and show what lies behind it.
CORNER = 3


def build_arch() -> str:
    with open(os.path.join(e2e.BUILD, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("LANZHOU_WINDOWS_ARCH:"):
                return line.split("=", 1)[1].strip()
    return "i686"


def golden_paths(name: str) -> tuple:
    """The golden to compare with, and where an update writes one that differs."""
    shared = os.path.join(GOLDEN_DIR, name + ".png")
    if build_arch() == "i686":
        return shared, shared
    own = os.path.join(GOLDEN_DIR, build_arch(), name + ".png")
    return (own if os.path.exists(own) else shared), own


def updating() -> bool:
    return os.environ.get("LANZHOU_UPDATE_GOLDENS", "") not in ("", "0")


class Image:
    """Width, height and 8-bit RGB bytes."""

    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def read(cls, path: str, region=None) -> "Image":
        crop = []
        if region:
            left, top, right, bottom = region
            crop = ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        size = subprocess.run(["convert", path, *crop, "-format", "%w %h", "info:"],
                              capture_output=True, check=True, text=True).stdout.split()
        rgb = subprocess.run(["convert", path, *crop, "-depth", "8", "rgb:-"],
                             capture_output=True, check=True).stdout
        return cls(int(size[0]), int(size[1]), rgb)

    def write(self, path: str) -> str:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        # No time chunks: the same pixels make the same file.
        subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8", "rgb:-",
                        "-strip", "-define", "png:exclude-chunks=date,time", path],
                       input=self.rgb, check=True)
        return path

    def compared(self, x: int, y: int) -> bool:
        dx, dy = min(x, self.width - 1 - x), min(y, self.height - 1 - y)
        return dx + dy >= CORNER


def differences(actual: Image, expected: Image) -> list:
    """The indexes of the pixels that differ beyond the tolerance (corners left out)."""
    a, e, found = actual.rgb, expected.rgb, []
    for y in range(actual.height):
        for x in range(actual.width):
            i = 3 * (y * actual.width + x)
            if actual.compared(x, y) and (abs(a[i] - e[i]) > TOLERANCE or abs(
                    a[i + 1] - e[i + 1]) > TOLERANCE or abs(a[i + 2] - e[i + 2]) > TOLERANCE):
                found.append(i)
    return found


def difference_picture(actual: Image, differing: list) -> Image:
    picture = bytearray(v // 3 for v in actual.rgb)
    for i in differing:
        picture[i:i + 3] = b"\xff\x00\x00"
    return Image(actual.width, actual.height, bytes(picture))


def assert_golden(name: str, screenshot: str, region) -> None:
    """Compares REGION ([left, top, right, bottom] in screen pixels) of the screenshot with
    tests/golden/NAME.png (or its arch's own); raises AssertionError naming the saved pictures on a difference."""
    actual = Image.read(screenshot, region)
    path, updated = golden_paths(name)
    expected = Image.read(path) if os.path.exists(path) else None
    same_size = expected is not None and (expected.width, expected.height) == (
        actual.width, actual.height)
    differing = differences(actual, expected) if same_size else None
    if updating():
        if differing != []:
            actual.write(updated)
        return
    if differing == []:
        return
    saved = actual.write(os.path.join(OUTPUT_DIR, name + ".actual.png"))
    if expected is None:
        raise AssertionError(f"no golden {path}; the actual image is {saved} (to make the "
                             "goldens: LANZHOU_UPDATE_GOLDENS=1, see README.md)")
    if not same_size:
        raise AssertionError(f"{name}: {actual.width}x{actual.height} pixels, the golden has "
                             f"{expected.width}x{expected.height}; actual image {saved}")
    diff = difference_picture(actual, differing).write(
        os.path.join(OUTPUT_DIR, name + ".diff.png"))
    raise AssertionError(f"{name}: {len(differing)} pixels differ from {path} by more than "
                         f"{TOLERANCE}; actual image {saved}, differences {diff}")
