"""Runs a real manager on a fresh demo phone for the window tests that read it from outside."""

import os
import shutil
import subprocess
import sys
import time


class Manager:
    """The manager started from a copy in work, with the phone-link library beside it, so it
    starts from default settings whatever a settings file beside the built manager holds."""

    def __init__(self, manager, kivnvm, work, environment=None):
        self.store = os.path.join(work, "phone")
        subprocess.run([kivnvm, "demo", self.store], check=True, stdout=subprocess.DEVNULL)
        for name in (manager, os.path.join(os.path.dirname(manager), "libgbp.so")):
            shutil.copy2(name, work)
        env = dict(os.environ, GBP_PHONE_DIR=self.store, QT_QPA_PLATFORM="xcb",
                   **(environment or {}))
        self.process = subprocess.Popen([os.path.join(work, os.path.basename(manager))],
                                        env=env, cwd=work)

    def wait_for(self, what, probe, seconds=30):
        """probe's first true answer; fails at once when the manager has ended."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            found = probe()
            if found:
                return found
            if self.process.poll() is not None:
                sys.exit("the manager ended (status %d) while waiting for %s"
                         % (self.process.returncode, what))
            time.sleep(0.2)
        sys.exit("not found in %d s: %s" % (seconds, what))

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.process.kill()
        self.process.wait()


def check(what, actual, expected):
    if actual != expected:
        sys.exit("%s: %r, expected %r" % (what, actual, expected))
    print("ok: %s = %r" % (what, actual))
