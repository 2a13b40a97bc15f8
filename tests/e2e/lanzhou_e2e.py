"""Shared pieces of the end-to-end tests: the real program under Wine on the harness's display.

Each test runs in a sandbox (tests/harness/sandbox.sh) that gives it its own Wine prefix
(LANZHOU_WINEPREFIX), Xvfb display (LANZHOU_DISPLAY), persistent wineserver and loopback.
Windows are found and inspected with winprobe.exe, the mouse is driven with xdotool and the
screen is read with ImageMagick.
"""
import contextlib
import json
import os
import re
import shutil
import socket
import subprocess
import tempfile
import time

BUILD = os.path.abspath(os.environ.get("LANZHOU_BUILD_DIR", "build"))
BIN = os.path.join(BUILD, "bin")
SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PREFIX = os.environ["LANZHOU_WINEPREFIX"]
CHANNEL = "52804117"
CLIENT_CLASS = "StandInVoiceClient"  # the stand-in voice client's window class
FINAL_ALPHA = 240  # a styled window's opacity once faded in
# Wine sees that the pointer has left a window on a timer of the hover time (400 ms), so a hover
# look goes, and a leave notice comes, that much after the pointer went away.
LEAVE_SECONDS = 0.8


def display() -> str:
    return os.environ["LANZHOU_DISPLAY"]


def wine_env(**extra) -> dict:
    env = dict(os.environ)
    env.update(
        LC_ALL="zh_CN.UTF-8",
        WINEARCH=os.environ.get("WINEARCH", "win32"),
        WINEDEBUG="-all",
        WINEDLLOVERRIDES="mscoree=;mshtml=;iexplore.exe=n",
        WINEPREFIX=PREFIX,
        DISPLAY=display(),
    )
    env.update({k: str(v) for k, v in extra.items()})
    return env


def update_server_port() -> int:
    """The port of the update-server address that the program was built with."""
    with open(os.path.join(BUILD, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("LANZHOU_UPDATE_SERVER:"):
                match = re.search(r":(\d+)\s*$", line.split("=", 1)[1].rstrip("/\n"))
                return int(match.group(1)) if match else 80
    raise RuntimeError("LANZHOU_UPDATE_SERVER not in the CMake cache")


def wine(*args, cwd=None, env=None, **popen) -> subprocess.Popen:
    """Starts a Windows program under Wine; stdout is captured unless told otherwise."""
    popen.setdefault("stdout", subprocess.DEVNULL)
    popen.setdefault("stderr", subprocess.DEVNULL)
    return subprocess.Popen(["wine", *args], cwd=cwd, env=env or wine_env(),
                            stdin=subprocess.DEVNULL, **popen)


def stop(process: subprocess.Popen, timeout: float = 5) -> None:
    if process.poll() is None:
        process.kill()
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(timeout)


# Windows -------------------------------------------------------------------------------------

def probe(*args) -> list:
    """Runs winprobe and returns its JSON lines."""
    # Through a file, not a pipe: when this run happens to start the prefix's desktop process
    # (explorer.exe), that process inherits the handles and would hold a pipe open for as long
    # as it lives.
    with tempfile.TemporaryFile() as out:
        subprocess.run(["wine", os.path.join(BIN, "winprobe.exe"), *map(str, args)],
                       env=wine_env(), stdout=out, stderr=subprocess.DEVNULL, timeout=60,
                       check=False)
        out.seek(0)
        text = out.read().decode("utf-8", "replace")
    return [json.loads(line) for line in text.splitlines() if line.startswith("{")]


def top_windows() -> list:
    return probe("windows")


def children(hwnd: int) -> list:
    return probe("children", hwnd)


def post(hwnd: int, message: int, wparam: int = 0, lparam: int = 0) -> None:
    probe("post", hwnd, message, wparam, lparam)


def wait_for(find, timeout: float = 30, interval: float = 0.3):
    """Polls find() until it returns something true; returns it, or None after the timeout."""
    deadline = time.monotonic() + timeout
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


def window(hwnd: int):
    """The top-level window's record as it is now (None once it is gone). A record found while
    waiting for a window is what it was then: a styled dialog is widened and made layered after
    it is first listed, so whatever is checked after a wait is read again."""
    return next((w for w in top_windows() if w["hwnd"] == hwnd), None)


def find_window(text=None, cls=None, visible=True):
    for w in top_windows():
        if (text is None or w["text"] == text) and (cls is None or w["class"] == cls) and (
                visible is None or w["visible"] == visible):
            return w
    return None


def wait_for_window(text=None, cls=None, visible=True, timeout: float = 30):
    return wait_for(lambda: find_window(text, cls, visible), timeout)


def dialog_text(hwnd: int) -> str:
    """The message text of a message box: its static control that is not the icon."""
    texts = [c["text"] for c in children(hwnd) if c["class"] == "Static" and c["text"]]
    return texts[0] if texts else ""


def press_dialog_button(hwnd: int, button_id: int = 1) -> None:
    """Presses a message-box button through the dialog's own command (IDOK by default)."""
    post(hwnd, 0x0111, button_id, 0)  # WM_COMMAND


# Mouse and screen ----------------------------------------------------------------------------

def xdotool(*args) -> str:
    result = subprocess.run(["xdotool", *map(str, args)], env=wine_env(), capture_output=True,
                            timeout=30, check=True)
    return result.stdout.decode()


def pointer() -> tuple:
    where = dict(line.split("=") for line in xdotool("getmouselocation", "--shell").split())
    return int(where["X"]), int(where["Y"])


def move_to(x: int, y: int) -> None:
    # xdotool's --sync waits for a move to be seen; for a move to where the pointer already is,
    # none comes, and it waits out its own 15 seconds. On a loaded machine it can also give up
    # (exit 1) on a move that was made: the pointer's place then says.
    if pointer() == (x, y):
        return
    moved = subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], env=wine_env(),
                           capture_output=True, timeout=30)
    if moved.returncode != 0 and pointer() != (x, y):
        raise RuntimeError(f"the pointer did not reach {x},{y}: {moved.stderr.decode().strip()}")


def click_at(x: int, y: int, pause: float = 0.3) -> None:
    """Real pauses, as a hand makes them: Wine sees the move before the press, and its server
    hands later keys to the focus as it is when they come, so they wait for the click's."""
    move_to(x, y)
    time.sleep(0.1)
    xdotool("click", 1)
    time.sleep(pause)


def screenshot(name: str) -> str:
    """Saves the whole virtual screen as <build>/screenshots/NAME.png and returns the path."""
    folder = os.path.join(BUILD, "screenshots")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name + ".png")
    subprocess.run(["import", "-display", display(), "-window", "root", path],
                   check=True, timeout=30, capture_output=True)
    return path


def shot_when(name: str, ready, timeout: float = 10) -> "Picture":
    """Screenshots NAME until READY(picture) holds (the input handled, the new look painted);
    returns the last picture either way, for the test's own assertion to judge."""
    taken = []

    def look():
        taken[:] = [Picture(screenshot(name))]
        return ready(taken[0])
    wait_for(look, timeout, 0.1)
    return taken[0]


def settled_shot(name: str, timeout: float = 10) -> "Picture":
    """Screenshots NAME until two in a row are the same: whatever was shown is painted."""
    last = []

    def same():
        picture = Picture(screenshot(name))
        settled = bool(last) and last[0].rgb == picture.rgb
        last[:] = [picture]
        return settled
    wait_for(same, timeout, 0.1)
    return last[0]


def rest_shot(name: str) -> "Picture":
    """The screen after the pointer has moved off: once Wine's leave timer has run out (a real
    pause: no look tells that a hover look is still to go) and the screen has settled."""
    time.sleep(LEAVE_SECONDS)
    return settled_shot(name)


def faded_in(hwnd: int) -> bool:
    """Whether a styled window's fade-in has reached its final opacity."""
    found = probe("layered", hwnd)
    return bool(found) and found[0].get("alpha") == FINAL_ALPHA


def wait_settled() -> None:
    """Waits for the screen to settle; the pictures are this process's own and not kept."""
    os.remove(settled_shot(f"settling-{os.getpid()}").path)


def wait_faded_in(hwnd: int, timeout: float = 10) -> bool:
    """Waits for the fade-in, then for the screen to settle (the children's paints)."""
    done = bool(wait_for(lambda: faded_in(hwnd), timeout, 0.1))
    wait_settled()
    return done


class Picture:
    """The pixels of a PNG, read once through ImageMagick."""

    def __init__(self, path: str):
        self.path = path
        size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                              check=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"],
                                  capture_output=True, check=True).stdout

    def pixel(self, x: int, y: int) -> tuple:
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def region(self, left: int, top: int, right: int, bottom: int) -> list:
        return [self.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


# The program and its outside world -------------------------------------------------------------

@contextlib.contextmanager
def program_folder():
    """A private copy of lanzhou.exe in a fresh folder, so each run deploys its own files."""
    folder = tempfile.mkdtemp(prefix="lanzhou-e2e-", dir=BUILD)
    shutil.copy(os.path.join(BIN, "lanzhou.exe"), folder)
    try:
        yield folder
    finally:
        shutil.rmtree(folder, ignore_errors=True)


@contextlib.contextmanager
def voice_client(title: str = f"YY - {CHANNEL}", exe_name: str = "YY.exe",
                 hidden: bool = False, hung: bool = False):
    """Runs the stand-in client under the given executable name.

    Keep titles ASCII: Wine converts command lines with the Unix locale's character set, and
    the zh_CN.UTF-8 locale that sets the code pages is not generated on the test machines.
    """
    folder = tempfile.mkdtemp(prefix="yy-", dir=BUILD)
    exe = os.path.join(folder, exe_name)
    shutil.copy(os.path.join(BIN, "yy_client.exe"), exe)
    args = [exe] + (["--hidden"] if hidden else []) + (["--hung"] if hung else []) + [title]
    before = {w["hwnd"] for w in top_windows() if w["class"] == CLIENT_CLASS} if hung else ()
    process = wine(*args)

    def appeared():
        if not hung:
            return any(w["text"] == title for w in top_windows())
        # A hung window cannot tell its title: a new window of the stand-in's class will do.
        return any(w["class"] == CLIENT_CLASS and w["hwnd"] not in before
                   and w["visible"] != hidden for w in top_windows())
    try:
        shown = wait_for(appeared, timeout=30)
        assert shown, f"the stand-in client's window {title!r} did not appear"
        yield process
    finally:
        stop(process)
        shutil.rmtree(folder, ignore_errors=True)


def wait_port(port: int, timeout: float = 10) -> bool:
    def open_():
        with contextlib.suppress(OSError), socket.create_connection(("127.0.0.1", port), 0.5):
            return True
        return False
    return bool(wait_for(open_, timeout, 0.1))


@contextlib.contextmanager
def version_server(body: str = "1.1", *extra_args, log: str = None):
    """Runs the stand-in update server on the program's configured port."""
    port = update_server_port()
    env = dict(os.environ)
    if log:
        env["LANZHOU_SERVER_LOG"] = log
    process = subprocess.Popen(
        ["python3", os.path.join(SOURCE, "tests", "doubles", "version_server.py"), str(port),
         "--body", body, *extra_args], env=env, stdout=subprocess.DEVNULL)
    try:
        assert wait_port(port), "the stand-in update server did not start"
        yield process
    finally:
        stop(process)


def dismiss_start_messages(timeout: float = 60) -> None:
    """Answers the welcome and up-to-date boxes of a normal start with OK."""
    for _ in range(2):
        box = wait_for_window(cls="#32770", timeout=timeout)
        if not box:
            return
        press_dialog_button(box["hwnd"])
        wait_for(lambda: not any(w["hwnd"] == box["hwnd"] for w in top_windows()), timeout=10)


def wait_for_main_window(timeout=90):
    """Waits for the visible main window, answering the start-up messages on the way."""
    def step():
        for w in top_windows():
            if w["visible"] and w["class"] == "#32770":
                press_dialog_button(w["hwnd"])
                return None
            if w["visible"] and w["class"] == "LanzhouMainWindow":
                return w
        return None
    return wait_for(step, timeout, 0.5)


@contextlib.contextmanager
def running_launcher(folder: str, env_extra: dict = None):
    """Starts lanzhou.exe from FOLDER and ends it afterwards."""
    process = wine(os.path.join(folder, "lanzhou.exe"), cwd=folder,
                   env=wine_env(**(env_extra or {})))
    try:
        yield process
    finally:
        stop(process)
