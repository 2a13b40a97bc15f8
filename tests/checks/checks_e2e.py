"""Pieces shared by the end-to-end tests of the presence and update checks."""
import contextlib
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import lanzhou_e2e as e2e  # noqa: E402

PRESENCE_TEXT = f"请打开YY并进入频道：{e2e.CHANNEL},再打开软件！"
WELCOME_TEXT = "欢迎使用岚舟YY公会一键下载教程"
UP_TO_DATE_TEXT = "当前是最新版本"
EXPIRED_TEXT = "版本已到期请到YY52804117下载最新版"
CHECK_FAILED_TEXT = "无法连接更新服务器，请检查网络后再打开软件！"
UPDATE_CAPTION = "岚舟提示"
SS_TYPEMASK, SS_ICON = 0x1F, 0x03


def new_visible_windows(before_pids: set) -> list:
    """Visible top-level windows of processes that were not there before."""
    return [w for w in e2e.top_windows() if w["visible"] and w["pid"] not in before_pids]


def first_message(before_pids: set, timeout: float = 60, exclude=()):
    """The first visible message box of a new process, other than those in EXCLUDE, once it
    has its caption (Wine's message box sets it on WM_INITDIALOG: a busy machine can show the
    window listed a moment before)."""
    return e2e.wait_for(lambda: next(
        (w for w in new_visible_windows(before_pids)
         if w["class"] == "#32770" and w["text"] and w["hwnd"] not in exclude), None), timeout)


def buttons(hwnd: int) -> list:
    return [c["text"] for c in e2e.children(hwnd) if c["class"] == "Button" and c["visible"]]


@contextlib.contextmanager
def times_mapped(title: str):
    """Counts how often the X windows titled TITLE are mapped (shown, if only for a moment) on
    the test display while the block runs. xev watches the root window; a property that we set
    on it marks when xev has begun to listen and, the server keeping the order of events, when
    it has seen all that happened in the block."""
    windows = {f"{int(w):#x}" for w in e2e.xdotool("search", "--name", f"^{re.escape(title)}$")
               .split()}
    with tempfile.TemporaryFile() as out:
        xev = subprocess.Popen(["stdbuf", "-oL", "xev", "-root", "-event", "substructure",
                                "-event", "property"], env=e2e.wine_env(), stdout=out)

        def marked(mark: str) -> bool:
            subprocess.run(["xprop", "-root", "-f", mark, "8s", "-set", mark, "1"],
                           env=e2e.wine_env(), check=True)
            out.seek(0)
            return mark.encode() in out.read()
        try:
            assert e2e.wait_for(lambda: marked("LANZHOU_WATCH_START"), 10, 0.1), "no xev"
            count = [0]
            yield count
            assert e2e.wait_for(lambda: marked("LANZHOU_WATCH_END"), 10, 0.1), "xev stopped"
            out.seek(0)
            maps = re.findall(r"MapNotify event.*\n.*window (0x[0-9a-f]+)", out.read().decode())
            count[0] = sum(w in windows for w in maps)
        finally:
            e2e.stop(xev)


def icon_static(hwnd: int):
    """The visible icon of a message box, or None."""
    return next((c for c in e2e.children(hwnd) if c["class"] == "Static" and c["visible"]
                 and c["style"] & SS_TYPEMASK == SS_ICON), None)


def icon_pixels(hwnd: int, shot: str) -> list:
    """The screen pixels of a message box's icon place (empty when it has none)."""
    icon = icon_static(hwnd)
    if not icon:
        return []
    return e2e.settled_shot(shot).region(*icon["rect"])


def reference_icon_pixels(box_type: int) -> list:
    """The icon pixels of a plain system message box of the given type."""
    before = {w["pid"] for w in e2e.top_windows()}
    process = e2e.wine(os.path.join(e2e.BIN, "reference_box.exe"), hex(box_type))
    try:
        box = e2e.wait_for(lambda: next((w for w in new_visible_windows(before)
                                         if w["text"] == "reference"), None), 30)
        assert box, "the reference box did not appear"
        pixels = icon_pixels(box["hwnd"], f"reference_box_{box_type:#x}")
        e2e.press_dialog_button(box["hwnd"])
        process.wait(10)
        return pixels
    finally:
        e2e.stop(process)


def icon_match(pixels: list, reference: list) -> float:
    """Share of the reference icon's own (non-background) pixels that PIXELS repeats."""
    if not pixels or len(pixels) != len(reference):
        return 0.0
    background = reference[0]  # a corner: no icon there
    own = [i for i, p in enumerate(reference) if p != background]
    return sum(pixels[i] == reference[i] for i in own) / len(own) if own else 0.0


@contextlib.contextmanager
def stalled_server():
    """A server on the program's port that never accepts a connection."""
    process = subprocess.Popen(
        ["python3", os.path.join(e2e.SOURCE, "tests", "doubles", "version_server.py"),
         str(e2e.update_server_port()), "--mode", "stalled"], stdout=subprocess.PIPE)
    try:
        assert process.stdout.readline().strip() == b"ready", "the stalled server did not start"
        yield process
    finally:
        e2e.stop(process)
        process.stdout.close()
