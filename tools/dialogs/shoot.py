#!/usr/bin/env python3
"""Shows every dialog template of the named modules styled and plain, one after another, and
saves each pair side by side (styled left) as <build>/dialogs/MODULE/NAME.png.

    shoot.py MODULE [NAME...]   (run through ./run.sh --dialogs MODULE [NAME...])
    shoot.py MODULE --tabs      the page templates in a tab dialog of our own instead

MODULE is a file Wine finds (comdlg32.dll, shell32.dll, inetcpl.cpl, winecfg.exe...); with NAMEs
only those templates. The module's page templates are shown together as the pages of one
property sheet, each page saved as sheet-N.png (tabs-N.png with --tabs). Prints a line per
template or page: its name and the pair's path, or why not.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
import lanzhou_e2e as e2e  # noqa: E402

VIEWER = os.path.join(e2e.BIN, "dialogs.exe")
MARGIN = 4  # pixels of screen kept around the window


def viewer_output(*args, until=None, timeout: float = 20):
    """Runs the viewer; returns its process (still running when UNTIL matched) and its output so
    far. Output goes through a file: a pipe would be held open by Wine's desktop process."""
    out = tempfile.TemporaryFile()
    process = e2e.wine(VIEWER, *args, stdout=out)

    def read():
        out.seek(0)
        return out.read().decode("utf-8", "replace")

    def done():
        text = read()
        return text if process.poll() is not None or (until and until(text)) else None
    return process, e2e.wait_for(done, timeout, 0.2) or read()


PSM_SETCURSEL = 0x0400 + 101
SELECT_PAGE = 0x8000 + 1  # the viewer's own tab dialog: select the page in wparam


def template_lines(module: str) -> list:
    """(name, is a page) of each template."""
    process, text = viewer_output(module)
    e2e.stop(process)
    lines = [line.split() for line in text.splitlines() if line.strip()]
    return [(words[0], words[-1] == "page") for words in lines if words[0] != "error"]


def crop(window: dict, name: str) -> str:
    left, top, right, bottom = window["rect"]
    whole = e2e.screenshot(f"dialogs-{os.getpid()}")
    path = whole + f".{name}.png"
    subprocess.run(["convert", whole, "-crop",
                    f"{right - left + 2 * MARGIN}x{bottom - top + 2 * MARGIN}"
                    f"+{max(left - MARGIN, 0)}+{max(top - MARGIN, 0)}", "+repage", path],
                   check=True)
    os.remove(whole)
    return path


def shots(module: str, name: str, *mode, pages: int = 0, select: int = 0) -> list:
    """The window on screen as PNGs (one, or one a page, each selected with the message
    `select`), or an error text."""
    process, text = viewer_output(module, name, *mode,
                                  until=lambda t: "shown " in t or "error" in t)
    hwnd = int(text.split("shown ")[1].split()[0]) if "shown " in text else None
    try:
        if not hwnd:
            return text.strip() or "not shown"
        window = next((w for w in e2e.top_windows() if w["hwnd"] == hwnd), None)
        if not window:
            return "window gone"
        e2e.wait_settled()
        if not pages:
            return [crop(window, str(len(mode)))]
        taken = []
        for page in range(pages):
            e2e.post(hwnd, select, page, 0)
            e2e.wait_for(lambda: False, 0.8)
            e2e.wait_settled()
            window = e2e.window(hwnd) or window
            taken.append(crop(window, f"{len(mode)}-{page}"))
        return taken
    finally:
        e2e.stop(process)
        if hwnd:  # gone before the next one is looked for
            e2e.wait_for(lambda: not any(w["hwnd"] == hwnd for w in e2e.top_windows()), 10)


def save_pair(folder: str, name: str, styled, plain) -> bool:
    if isinstance(styled, str) or isinstance(plain, str):
        print(f"{name}: {styled if isinstance(styled, str) else plain}")
        return False
    for index, (left, right) in enumerate(zip(styled, plain)):
        pair = os.path.join(folder, f"{name}-{index + 1}.png" if len(styled) > 1 else f"{name}.png")
        subprocess.run(["convert", left, right, "-background", "white", "-splice", "8x0",
                        "+append", pair], check=True)
        os.remove(left)
        os.remove(right)
        print(f"{name}: {pair}")
    return True


def main(module: str, names: list) -> int:
    folder = os.path.join(e2e.BUILD, "dialogs", os.path.basename(module))
    os.makedirs(folder, exist_ok=True)
    e2e.move_to(1, 1)  # nothing in a hover look
    shown = 0
    tabs = names == ["--tabs"]
    lines = template_lines(module)
    page_count = sum(1 for _, page in lines if page)
    for name, page in ([] if tabs else [(n, False) for n in names] or lines):
        if page:
            continue  # shown below, as the pages of one sheet
        shown += save_pair(folder, name, shots(module, name), shots(module, name, "--plain"))
    if page_count and (tabs or not names):
        mode, select = ("--tabs", SELECT_PAGE) if tabs else ("--sheet", PSM_SETCURSEL)
        pairs = [shots(module, mode, *plain, pages=page_count, select=select)
                 for plain in ((), ("--plain",))]
        shown += save_pair(folder, mode[2:], *pairs)
    print(f"{shown} pairs in {folder}")
    return 0 if shown else 1


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
