#!/usr/bin/env python3
"""The main window's placement under a window manager that frames it (openbox), as a user
meets it: started, closed and started again, its frame stays where it was, and the settings
file keeps the same Left and Top. A stored Top above the screen brings the title bar back onto
it. Run under `xvfb-run -a`.

    window_placement.py KIVMANAGER KIVNVM
"""

import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import time

from managerrun import Manager, check


def output(*command):
    done = subprocess.run(command, capture_output=True, text=True)
    return done.stdout if done.returncode == 0 else ""


def frame_position(window):
    """Where the frame's top-left corner is: the client's place on the screen less its place
    in the frame the window manager put round it."""
    info = {}
    for line in output("xwininfo", "-id", window).splitlines():
        name, _, value = line.strip().partition(":")
        info[name] = value.strip()
    return (int(info["Absolute upper-left X"]) - int(info["Relative upper-left X"]),
            int(info["Absolute upper-left Y"]) - int(info["Relative upper-left Y"]))


def stored_position(work):
    settings = configparser.ConfigParser()
    settings.read(os.path.join(work, "KivManager.INI"))
    return settings.getint("Form", "Left"), settings.getint("Form", "Top")


def start_and_close(manager, kivnvm, settings):
    """One start with the settings file at settings (the defaults while there is none): where
    the frame stood, and the Left and Top the manager saved there."""
    with tempfile.TemporaryDirectory() as work:
        if os.path.exists(settings):
            shutil.copy(settings, os.path.join(work, "KivManager.INI"))
        with Manager(manager, kivnvm, work) as run:
            window = run.wait_for("the main window", lambda: output(
                "xdotool", "search", "--onlyvisible", "--name", "^Kiv Manager 2.0$").split())[0]
            run.wait_for("the frame", lambda: frame_position(window) != (0, 0) or None)
            where = frame_position(window)
            subprocess.run(["xdotool", "windowactivate", "--sync", window, "key", "alt+F4"],
                           check=True)
            run.process.wait(timeout=30)
        shutil.copy(os.path.join(work, "KivManager.INI"), settings)
        return where, stored_position(work)


def main():
    manager, kivnvm = sys.argv[1], sys.argv[2]
    openbox = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        with tempfile.TemporaryDirectory() as kept:
            deadline = time.monotonic() + 20
            while "window id" not in output("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
                if time.monotonic() > deadline:
                    sys.exit("openbox did not start")
                time.sleep(0.2)
            settings = os.path.join(kept, "KivManager.INI")
            for start in (1, 2, 3):
                where, stored = start_and_close(manager, kivnvm, settings)
                check("frame at start %d" % start, where, (240, 20))
                check("Left and Top saved after start %d" % start, stored, (240, 20))
            with open(settings, "w") as out:
                out.write("[Form]\nTop=-300\nLeft=100\nWidth=330\nHeight=420\n")
            where, stored = start_and_close(manager, kivnvm, settings)
            check("frame of a window stored above the screen", where, (100, 0))
            check("its Left and Top saved", stored, (100, 0))
    finally:
        openbox.terminate()
        openbox.wait()


if __name__ == "__main__":
    main()
