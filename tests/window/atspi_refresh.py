#!/usr/bin/env python3
"""What a screen reader hears of a Full Refresh, run as atspi_grid.py is: a listener on the
accessibility bus follows the name changes of the grid's cells. After a first Full Refresh of
the demo phone, ten of its slots change (five grow, three empty ones get a program, two are
cleared); the second Full Refresh must tell every cell that now reads differently, each with
the text the table reads, the current row's among them, and nothing of the sixteen rows that
read as before.

    atspi_refresh.py KIVMANAGER KIVNVM
"""

import os
import struct
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

from atspi_grid import find, grid_table, row_texts
from managerrun import Manager, check

COLUMNS = 3
GROWN = ("18-9", "18-10", "18-13", "18-20", "2-10")
FILLED = ("18-16", "18-24", "2-12")
CLEARED = ("18-11", "2-11")


def row_of(address):
    """The table row of a slot with the default ranges (18-9 to 18-29, then 2-10 to 2-14)."""
    section, subsection = (int(part) for part in address.split("-"))
    return subsection - 9 if section == 18 else 21 + subsection - 10


class Listener:
    """The names heard for each table cell, (row, column) as the table counts them."""

    def __init__(self):
        self.heard = {}
        pyatspi.Registry.registerEventListener(self.on_name,
                                               "object:property-change:accessible-name")

    def on_name(self, event):
        try:
            if event.source.getRole() != pyatspi.ROLE_TABLE_CELL:
                return
            index = event.source.getIndexInParent()
            name = event.source.name
        except Exception:  # a cell gone meanwhile tells nothing
            return
        self.heard.setdefault((index // COLUMNS - 1, index % COLUMNS), []).append(name)

    def pump(self, quiet_seconds=1.0, seconds=30):
        """Handles the events that came, until none came for quiet_seconds."""
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        last = time.monotonic()
        while time.monotonic() < deadline and time.monotonic() - last < quiet_seconds:
            if context.pending():
                context.iteration(False)
                last = time.monotonic()
            else:
                time.sleep(0.05)


def full_refresh(run, app, listener):
    """Presses Full Refresh, hears what it tells until "Update done!" stands, closes the box."""
    button = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                  and n.name == "Full Refresh")
    if button is None:
        sys.exit("no Full Refresh button")
    button.queryAction().doAction(0)
    run.wait_for("the box after Full Refresh", lambda: find(app, lambda n: n.name == "Update done!"))
    listener.pump()
    ok = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK")
    ok.queryAction().doAction(0)
    run.wait_for("the box to close",
                 lambda: find(app, lambda n: n.name == "Update done!") is None)


def change_phone(store):
    folder = os.path.join(store, "COM1")
    for address in GROWN:
        with open(os.path.join(folder, address), "ab") as section:
            section.write(bytes(100))
    program = struct.pack("<I", 0x20000000) + b"Fresh".ljust(16, b"\0") + bytes(80)
    for address in FILLED:
        with open(os.path.join(folder, address), "wb") as section:
            section.write(program)
    for address in CLEARED:
        os.remove(os.path.join(folder, address))


def main():
    manager, kivnvm = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work, \
            Manager(manager, kivnvm, work, {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}) as run:
        app, table = grid_table(run)
        listener = Listener()
        full_refresh(run, app, listener)
        before = [row_texts(table, row) for row in range(table.nRows)]

        change_phone(run.store)
        listener.heard.clear()
        full_refresh(run, app, listener)
        after = [row_texts(table, row) for row in range(table.nRows)]

        changed = {(row, col) for row in range(table.nRows) for col in range(COLUMNS)
                   if before[row][col] != after[row][col]}
        check("rows that read differently", sorted({row for row, _ in changed}),
              sorted(row_of(address) for address in GROWN + FILLED + CLEARED))
        check("new texts heard", {cell: listener.heard.get(cell, [None])[-1] for cell in changed},
              {(row, col): after[row][col] for row, col in changed})
        check("cells heard of rows that read as before",
              sorted(cell for cell in listener.heard if cell[0] not in {r for r, _ in changed}),
              [])
        check("the current row's new content heard", (0, 1) in listener.heard, True)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
