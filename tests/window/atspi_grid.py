#!/usr/bin/env python3
"""The grid through AT-SPI, as a screen reader finds it: the manager runs on the demo phone
under a private session bus and X server (run this under `xvfb-run -a -s -noreset
dbus-run-session`: an X server that resets when its first client leaves can refuse the manager);
the client finds the grid as a table, reads its header and first row, presses Full Refresh
and reads the row again.

    atspi_grid.py KIVMANAGER KIVNVM
"""

import os
import sys
import tempfile

import pyatspi

from managerrun import Manager, check


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == name:
            return app
    return None


def find(node, matches, depth=0):
    if node is None or depth > 12:
        return None
    if matches(node):
        return node
    for index in range(node.childCount):
        # A table's cells are its children: they need not be searched.
        if node.getRole() == pyatspi.ROLE_TABLE:
            break
        found = find(node.getChildAtIndex(index), matches, depth + 1)
        if found is not None:
            return found
    return None


def grid_table(run):
    """The manager's application on the accessibility bus, and its grid's table."""
    app = run.wait_for("the manager on the accessibility bus",
                       lambda: application("kiv-manager"))
    grid = run.wait_for("the grid as a table",
                        lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE))
    return app, grid.queryTable()


def row_texts(table, row):
    return [table.getAccessibleAt(row, col).name for col in range(table.nColumns)]


def main():
    manager, kivnvm = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work, \
            Manager(manager, kivnvm, work, {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}) as run:
        app, table = grid_table(run)
        check("rows", table.nRows, 26)
        check("columns", table.nColumns, 3)
        check("headers", [table.getColumnDescription(c) for c in range(3)],
              ["#", "Program & Size", "FW"])
        check("first row before a refresh", row_texts(table, 0), ["1. {18-9}", "0", ""])
        check("the first row is selected", table.isRowSelected(0), True)

        button = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                      and n.name == "Full Refresh")
        if button is None:
            sys.exit("no Full Refresh button")
        button.queryAction().doAction(0)
        size = os.path.getsize(os.path.join(run.store, "COM1", "18-9"))
        content = run.wait_for("the refreshed first row",
                               lambda: table.getAccessibleAt(0, 1).name
                               if table.getAccessibleAt(0, 1).name != "0" else None)
        if not content.endswith(", %d" % size):
            sys.exit("refreshed row: %r does not end in its size %d" % (content, size))
        print("ok: refreshed first row = %r" % row_texts(table, 0))
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
