#!/usr/bin/env python3
"""Window titles as the X server holds them, where the platform may add to what the window
asks for: the manager on the demo phone (run this under `xvfb-run -a -s -noreset`), read with
xdotool. Three uploads into the first row bring up the conversion prompt (cancelled), the
error box of a file too big and the box of an upload that succeeded; a Full Refresh ends with
a box that has no caption at all.

    window_titles.py KIVMANAGER KIVNVM
"""

import os
import struct
import subprocess
import sys
import tempfile
import time

from managerrun import Manager, check


def xdotool(*args):
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return done.stdout.split("\n") if done.returncode == 0 else []


def is_popup(window):
    """A completer's list, a tooltip: windows of their own that no window manager frames and
    that come and go with the pointer and the typing."""
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
    return "Override Redirect State: yes" in info


def visible_windows():
    return {w for w in xdotool("search", "--onlyvisible", "--name", "") if w and not is_popup(w)}


def title(window):
    return xdotool("getwindowname", window)[0]


def new_window(run, what, known):
    window = run.wait_for(what, lambda: next(iter(visible_windows() - known), None))
    xdotool("windowfocus", "--sync", window)
    return window


def upload(run, known, main, path):
    """Ctrl+U on the grid, then the file typed into the file dialog; the window that follows."""
    xdotool("windowfocus", "--sync", main)
    xdotool("key", "ctrl+u")
    dialog = new_window(run, "the file dialog", known)
    xdotool("type", "--delay", "20", path)
    # The first Return may only take the completion the dialog offers for the typed name.
    for _ in range(3):
        xdotool("key", "Return")
        deadline = time.monotonic() + 2
        while dialog in visible_windows() and time.monotonic() < deadline:
            time.sleep(0.1)
        if dialog not in visible_windows():
            break
    run.wait_for("the file dialog to close", lambda: dialog not in visible_windows())
    return new_window(run, "the window after the file dialog", known)


def close(run, window, key):
    xdotool("key", key)
    run.wait_for("the window to close", lambda: window not in visible_windows())


def main():
    manager, kivnvm = sys.argv[1], sys.argv[2]
    known = visible_windows()  # the X server's own
    with tempfile.TemporaryDirectory() as work, Manager(manager, kivnvm, work) as run:
        files = {"old.prg": struct.pack("<I", 0x20000000) + b"Old".ljust(16, b"\0") + bytes(80),
                 "big.bin": b"A" * 70000, "small.bin": b"hello"}
        for name, data in files.items():
            with open(os.path.join(work, name), "wb") as out:
                out.write(data)
        main_window = new_window(run, "the main window", known)
        check("main window", title(main_window), "Kiv Manager 2.0")
        known.add(main_window)
        for name, expected, key in (("old.prg", "Dialog", "Escape"),
                                    ("big.bin", "ERROR", "Return"),
                                    ("small.bin", "OK!", "Return")):
            window = upload(run, known, main_window, os.path.join(work, name))
            check("window after uploading " + name, title(window), expected)
            close(run, window, key)
        xdotool("windowfocus", "--sync", main_window)
        xdotool("key", "ctrl+F5")
        window = new_window(run, "the box after Full Refresh", known)
        check("box after Full Refresh", title(window), "")
        close(run, window, "Return")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
