#!/usr/bin/env python3
"""kivnvm.exe writing to a console, as in a Windows terminal: run under wine64 on a
pseudo-terminal, whose console Wine shows as UTF-8. Russian text, on stdout and on stderr,
arrives whole; written to the console a byte at a time, each byte of a Cyrillic letter
would be shown as a character of the console's code page.

    console_under_wine.py WINE_RUN KIVNVM_EXE
"""

import os
import pty
import re
import subprocess
import sys

# Wine's console shows and hides the cursor around what it draws.
CURSOR = re.compile(rb"\x1b\[\?25[hl]")


def on_console(command, env):
    """What the command shows on a console that is both its output and its error output."""
    main, side = pty.openpty()
    process = subprocess.Popen(command, stdin=side, stdout=side, stderr=side, env=env)
    os.close(side)
    shown = b""
    while True:
        try:
            chunk = os.read(main, 4096)
        except OSError:  # the terminal's other side closed: the program and Wine ended
            break
        if not chunk:
            break
        shown += chunk
    os.close(main)
    process.wait(timeout=120)
    return CURSOR.sub(b"", shown).decode("utf-8", "replace")


def main():
    wine_run, kivnvm = sys.argv[1], sys.argv[2]
    env = dict(os.environ, LANG="C.UTF-8", KIV_LANG="ru")
    env.pop("LC_ALL", None)
    failures = []
    cases = [
        # stdout: the library's line of "link"
        (["link"], "Библиотека: "),
        # stderr: a message of kivnvm's own
        (["get", "18-9", "--port", "9"], "kivnvm: "),
    ]
    for arguments, expected in cases:
        shown = on_console([wine_run, kivnvm, *arguments], env)
        if expected not in shown or "\ufffd" in shown or not re.search("[а-яА-Я]{4}", shown):
            failures.append("kivnvm.exe %s showed:\n%s" % (" ".join(arguments), shown))
        else:
            print("ok: kivnvm.exe %s shows Russian whole" % " ".join(arguments))
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
