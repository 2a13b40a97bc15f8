"""The gallery under Wine for end-to-end tests: start gallery.exe, find its dialog and its
controls by id, and point at, click and photograph them.

    with gallery_e2e.running_gallery() as gallery:
        box = gallery.control(101)           # winprobe's record of the control with id 101
        x, y = gallery.centre(101)           # its centre in screen coordinates
        e2e.click_at(x, y)
        path = gallery.screenshot("gallery_buttons")
"""
import contextlib
import os

import lanzhou_e2e as e2e

CAPTION = "控件一览"


class Gallery:
    def __init__(self, process, window: dict):
        self.process = process
        self.window = window
        self.hwnd = window["hwnd"]

    def controls(self) -> list:
        """The dialog's direct children as winprobe reports them (class, id, rect, text...)."""
        return e2e.children(self.hwnd)

    def control(self, control_id: int) -> dict:
        for child in self.controls():
            if child["id"] == control_id:
                return child
        raise LookupError(f"no control with id {control_id} in the gallery")

    def centre(self, control_id: int) -> tuple:
        left, top, right, bottom = self.control(control_id)["rect"]
        return (left + right) // 2, (top + bottom) // 2

    def rect(self) -> list:
        """The dialog's window rectangle in screen coordinates, as it is now."""
        return e2e.find_window(CAPTION, "#32770")["rect"]

    def screenshot(self, name: str) -> str:
        """The whole screen as <build>/screenshots/NAME.png, the pointer parked in a corner."""
        return e2e.screenshot(name)

    def close(self) -> None:
        e2e.post(self.hwnd, 0x0010)  # WM_CLOSE


def wait_for_gallery(timeout: float = 60):
    return e2e.wait_for_window(CAPTION, "#32770", timeout=timeout)


@contextlib.contextmanager
def running_gallery(*args, park_pointer: bool = True):
    """Starts gallery.exe (with ARGS), waits until its dialog has faded in, ends it afterwards."""
    if park_pointer:
        e2e.move_to(1, 1)  # nothing starts in a hover look
    process = e2e.wine(os.path.join(e2e.BIN, "gallery.exe"), *args)
    try:
        window = wait_for_gallery()
        if not window:
            raise RuntimeError("the gallery did not show")
        e2e.wait_faded_in(window["hwnd"])
        yield Gallery(process, e2e.window(window["hwnd"]) or window)
    finally:
        e2e.stop(process)
        # Its windows go a little after the process: the next gallery must not find this one.
        e2e.wait_for(lambda: not e2e.find_window(CAPTION, "#32770", visible=None), 10)
