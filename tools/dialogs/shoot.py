#!/usr/bin/env python3
"""Shows every dialog template of the named modules styled and plain, one after another, and
saves each pair side by side (styled left) as <build>/dialogs/MODULE/NAME.png.

    shoot.py MODULE [NAME...]   (run through ./run.sh --dialogs MODULE [NAME...])

MODULE is a file Wine finds (comdlg32.dll, shell32.dll, inetcpl.cpl, winecfg.exe...); with NAMEs
only those templates. Prints a line per template: its name and the pair's path, or why not.
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


def template_names(module: str) -> list:
    process, text = viewer_output(module)
    e2e.stop(process)
    return [line.strip() for line in text.splitlines() if line.strip() and not line.startswith("error")]


def shot(module: str, name: str, *mode) -> str:
    """The template's window on screen as a PNG, or an error text."""
    process, text = viewer_output(module, name, *mode,
                                  until=lambda t: "shown " in t or "error" in t)
    try:
        if "shown " not in text:
            return text.strip() or "not shown"
        hwnd = int(text.split("shown ")[1].split()[0])
        window = next((w for w in e2e.top_windows() if w["hwnd"] == hwnd), None)
        if not window:
            return "window gone"
        e2e.wait_settled()
        left, top, right, bottom = window["rect"]
        whole = e2e.screenshot(f"dialogs-{os.getpid()}")
        path = whole + f".{len(mode)}.png"
        subprocess.run(["convert", whole, "-crop",
                        f"{right - left + 2 * MARGIN}x{bottom - top + 2 * MARGIN}"
                        f"+{max(left - MARGIN, 0)}+{max(top - MARGIN, 0)}", "+repage", path],
                       check=True)
        os.remove(whole)
        return path
    finally:
        e2e.stop(process)
        e2e.wait_for(lambda: not any(w["hwnd"] == hwnd for w in e2e.top_windows())
                     if "shown " in text else True, 10)


def main(module: str, names: list) -> int:
    folder = os.path.join(e2e.BUILD, "dialogs", os.path.basename(module))
    os.makedirs(folder, exist_ok=True)
    e2e.move_to(1, 1)  # nothing in a hover look
    shown = 0
    for name in names or template_names(module):
        styled, plain = shot(module, name), shot(module, name, "--plain")
        if not (styled.endswith(".png") and plain.endswith(".png")):
            print(f"{name}: {styled if not styled.endswith('.png') else plain}")
            continue
        pair = os.path.join(folder, f"{name}.png")
        subprocess.run(["convert", styled, plain, "-background", "white", "-splice", "8x0",
                        "+append", pair], check=True)
        os.remove(styled)
        os.remove(plain)
        print(f"{name}: {pair}")
        shown += 1
    print(f"{shown} pairs in {folder}")
    return 0 if shown else 1


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
