#!/usr/bin/env python3
"""The Windows installer under wine64, in a prefix of its own: a silent install for every
user, the installed kivnvm.exe run on a demo phone, a silent uninstall; then nothing of the
program is left but the settings and the gbp.dll the user put beside it.

    installer_under_wine.py SETUP_EXE
"""

import os
import subprocess
import sys
import tempfile

WINE = "/usr/lib/wine/wine64"


def main():
    setup = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, WINEPREFIX=os.path.join(work, "prefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        folder = os.path.join(work, "prefix", "drive_c", "Program Files", "Kiv Manager")

        def wine(*args, check=True):
            done = subprocess.run([WINE, *args], env=env, capture_output=True, text=True,
                                  timeout=300)
            if check and done.returncode != 0:
                sys.exit("%s ended with %d: %s" % (" ".join(args), done.returncode, done.stderr))
            return done

        wine(setup, "/S")
        for name in ("KivManager.exe", "kivnvm.exe", "Uninstall.exe", "Qt6Core.dll",
                     "platforms/qwindows.dll", "virtual-phone/gbp.dll"):
            if not os.path.isfile(os.path.join(folder, name)):
                sys.exit("not installed: " + name)
        print("ok: installed into Program Files")
        menu = os.path.join(work, "prefix", "drive_c", "ProgramData", "Microsoft", "Windows",
                            "Start Menu", "Programs", "Kiv Manager.lnk")
        if not os.path.isfile(menu):
            sys.exit("no Start menu entry: " + menu)
        print("ok: a Start menu entry")

        kivnvm = os.path.join(folder, "kivnvm.exe")
        store = "C:\\kiv-phone"
        listed = wine(kivnvm, "demo", store)
        env["GBP_PHONE_DIR"] = store
        listed = wine(kivnvm, "list")
        if "18-9" not in listed.stdout:
            sys.exit("the installed kivnvm.exe listed no 18-9:\n" + listed.stdout)
        print("ok: the installed kivnvm.exe lists the demo phone")

        # What the user put there: the uninstaller must leave it.
        for name in ("gbp.dll", "KivManager.INI"):
            with open(os.path.join(folder, name), "w") as mine:
                mine.write("the user's own")
        wine(os.path.join(folder, "Uninstall.exe"), "/S")
        # The uninstaller copies itself to a temporary folder and returns at once: wait for
        # the prefix's programs to end.
        subprocess.run(["/usr/lib/wine/wineserver", "--wait"], env=env, timeout=300)
        left = sorted(os.path.relpath(os.path.join(root, name), folder)
                      for root, _, names in os.walk(folder) for name in names)
        if left != ["KivManager.INI", "gbp.dll"]:
            sys.exit("left behind: %r" % left)
        if os.path.exists(menu):
            sys.exit("the Start menu entry is left")
        print("ok: uninstalled; only the user's gbp.dll and settings are left")


if __name__ == "__main__":
    main()
