#!/usr/bin/env python3
"""The Windows KivManager.exe in a real window: run by wine64 on an X server (run this under
`xvfb-run -a`), from a copy of the build's programs, on a fresh demo phone. The main window's
title as the X server holds it, then a Full Refresh (Alt+R) that ends with its captionless
box; a screenshot of the screen then is kept as SHOT.

    window_under_wine.py BIN_DIR WINE_RUN SHOT
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time


def xdotool(*args):
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return [line for line in done.stdout.split("\n") if line] if done.returncode == 0 else []


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def wait_for(process, what, probe, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        if process.poll() is not None:
            sys.exit("the manager ended (status %d) while waiting for %s"
                     % (process.returncode, what))
        time.sleep(0.3)
    sys.exit("not found in %d s: %s" % (seconds, what))


def main():
    bin_dir, wine_run, shot = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as work:
        # A copy, so that its settings file starts from the defaults and stays out of the build.
        programs = os.path.join(work, "bin")
        shutil.copytree(bin_dir, programs, ignore=shutil.ignore_patterns("test_*", "*.INI"))
        store = os.path.join(work, "phone")
        env = dict(os.environ, GBP_PHONE_DIR=windows_path(store))
        subprocess.run([wine_run, os.path.join(programs, "kivnvm.exe"), "demo",
                        windows_path(store)], check=True, env=env, stdout=subprocess.DEVNULL)
        manager = subprocess.Popen([wine_run, os.path.join(programs, "KivManager.exe")], env=env)
        try:
            main_window = wait_for(manager, "the window titled 'Kiv Manager 2.0'", lambda: xdotool(
                "search", "--onlyvisible", "--name", "^Kiv Manager 2.0$"))[0]
            print("ok: the main window's title is 'Kiv Manager 2.0'")
            before = set(xdotool("search", "--onlyvisible", "--name", ""))
            xdotool("windowactivate", "--sync", main_window)
            xdotool("key", "--window", main_window, "alt+r")
            box = wait_for(manager, "the box that ends the Full Refresh", lambda: [
                w for w in xdotool("search", "--onlyvisible", "--name", "") if w not in before])[0]
            title = xdotool("getwindowname", box)
            if title != [] and title != [""]:
                sys.exit("the box that ends the Full Refresh is titled %r" % title)
            print("ok: a Full Refresh ends with a box without a caption")
            time.sleep(1)
            os.makedirs(os.path.dirname(os.path.abspath(shot)), exist_ok=True)
            subprocess.run(["import", "-window", "root", shot], check=True)
            print("kept: " + shot)
        finally:
            manager.kill()
            manager.wait()


if __name__ == "__main__":
    main()
