#!/usr/bin/env python3
"""Shows the launcher end to end: the stand-in voice client with the channel window, the
stand-in update server with "1.1", then the program itself; saves screenshots as it goes.

    demo.py [--alone | --gallery [ARGS...] | --server [ARGS...]] [--interactive]

--alone runs the program without the stand-ins; --server ARGS gives the stand-in update server
other arguments (see tests/doubles/version_server.py: --body, --body-file, --status, --mode;
--server none: no server at all); --gallery shows gallery.exe (with ARGS) instead
of the program (--gallery font: the styled Font dialog; see README); --interactive leaves the messages to the user
and waits until the program ends (a real display), otherwise they are answered automatically
(a virtual display) and the program is closed after the last screenshot.
"""
import contextlib
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import gallery_e2e  # noqa: E402
import lanzhou_e2e as e2e  # noqa: E402

WM_CLOSE = 0x0010
# gallery.exe NAME shows one of the system's common dialogs, styled (--plain: unstyled).
COMMON_DIALOGS = ("open", "save", "font", "colour", "find", "replace", "print", "pagesetup")
# gallery.exe sheet and wizard: the gallery's three pages as a property sheet and as a wizard.
SHEETS = ("sheet", "wizard")
PSM_SETCURSEL = 0x0400 + 101
# "_dpiN" when run.sh runs everything at N DPI, so that the pictures of each DPI stay side by side.
SUFFIX = os.environ.get("LANZHOU_SHOT_SUFFIX", "")


def answer_messages_until_main_window(shots: list, program, timeout: float = 90):
    seen = set()

    def step():
        if program.poll() is not None:
            return {"ended": program.returncode}  # nothing more will show (--alone)
        for w in e2e.top_windows():
            if w["visible"] and w["class"] == "#32770" and w["hwnd"] not in seen:
                seen.add(w["hwnd"])
                e2e.wait_for(lambda: False, 1.0)  # let the box finish fading in
                shots.append(e2e.screenshot(f"run_message_{len(seen)}{SUFFIX}"))
                e2e.press_dialog_button(w["hwnd"])
                return None
            if w["visible"] and w["class"] == "LanzhouMainWindow":
                return w
        return None
    return e2e.wait_for(step, timeout, 0.5)


def show_gallery(args: list, interactive: bool) -> int:
    """gallery.exe: left to the user on a real display, photographed and closed otherwise."""
    if interactive:
        program = e2e.wine(os.path.join(e2e.BIN, "gallery.exe"), *args)
        print("The gallery is showing; close it to end.")
        return program.wait()
    sheets = [a for a in args if a in SHEETS]
    if sheets:
        return show_sheet(args, sheets[0])
    names = [a for a in args if a in COMMON_DIALOGS]
    if names:
        return show_common_dialog(args, names[0])
    with gallery_e2e.running_gallery(*args) as gallery:
        print("screenshot:", gallery.screenshot(
            "run_gallery" + ("_plain" if "--plain" in args else "") + SUFFIX))
        gallery.close()
        return gallery.process.wait(20)


def shown_dialog(what: str):
    """The program's first visible dialog once it has faded in, or None (said) after a minute."""
    dialog = e2e.wait_for(lambda: next(
        (w for w in e2e.top_windows() if w["class"] == "#32770" and w["visible"]), None), 60)
    if not dialog:
        print(f"{what} did not show")
        return None
    e2e.wait_for(lambda: False, 1.5)  # faded in
    return dialog


def show_common_dialog(args: list, name: str) -> int:
    """gallery.exe NAME on a virtual display: photographed, then cancelled."""
    program = e2e.wine(os.path.join(e2e.BIN, "gallery.exe"), *args)
    try:
        dialog = shown_dialog(f"the {name} dialog")
        if not dialog:
            return 1
        print("screenshot:", e2e.screenshot(f"run_gallery_{name}{SUFFIX}"))
        e2e.press_dialog_button(dialog["hwnd"], 2)  # IDCANCEL
        return program.wait(20)
    finally:
        e2e.stop(program)


def show_sheet(args: list, name: str) -> int:
    """gallery.exe sheet or wizard on a virtual display: each page photographed, then cancelled."""
    program = e2e.wine(os.path.join(e2e.BIN, "gallery.exe"), *args)
    look = "plain" if "--plain" in args else "styled"
    try:
        sheet = shown_dialog(f"the {name}")
        if not sheet:
            return 1
        for page in range(3):
            e2e.post(sheet["hwnd"], PSM_SETCURSEL, page, 0)
            e2e.wait_for(lambda: False, 1.0)
            shot = e2e.settled_shot(f"run_gallery_{name}_{look}_{page + 1}{SUFFIX}")
            print("screenshot:", shot.path)
        e2e.press_dialog_button(sheet["hwnd"], 2)  # IDCANCEL
        return program.wait(20)
    finally:
        e2e.stop(program)


def main() -> int:
    if "--gallery" in sys.argv:
        args = [a for a in sys.argv[sys.argv.index("--gallery") + 1:] if a != "--interactive"]
        return show_gallery(args, "--interactive" in sys.argv)
    alone = "--alone" in sys.argv
    interactive = "--interactive" in sys.argv
    server = sys.argv[sys.argv.index("--server") + 1:] if "--server" in sys.argv else []
    shots = []
    with contextlib.ExitStack() as stack:
        if not alone:
            stack.enter_context(e2e.voice_client())
            if server != ["none"]:
                stack.enter_context(e2e.version_server("1.1", *server))
        folder = os.path.join(e2e.BUILD, "run", "app")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(e2e.BIN, "lanzhou.exe"), "rb") as src, \
                open(os.path.join(folder, "lanzhou.exe"), "wb") as dst:
            dst.write(src.read())
        program = stack.enter_context(e2e.running_launcher(folder))
        if interactive:
            main_window = e2e.wait_for_window(cls="LanzhouMainWindow", timeout=600)
            if main_window:
                shots.append(e2e.screenshot(f"run_main_window{SUFFIX}"))
            print("The launcher is running; close its window to end.")
            program.wait()
        else:
            main_window = answer_messages_until_main_window(shots, program)
            if main_window and "hwnd" in main_window:
                e2e.wait_for(lambda: False, 1.0)
                shots.append(e2e.screenshot(f"run_main_window{SUFFIX}"))
                e2e.post(main_window["hwnd"], WM_CLOSE)
            else:
                shots.append(e2e.screenshot(f"run_last_screen{SUFFIX}"))
    for shot in shots:
        print("screenshot:", shot)
    return 0


if __name__ == "__main__":
    sys.exit(main())
