#!/usr/bin/env python3
"""The screen reader of bench_refresh: it listens on the accessibility bus for the events a
screen reader follows, so that the manager's bridge sends them, and asks back for each
event's source what a screen reader asks (its name, role and states). An accessible name that
"kiv-bench-sync K" marks the end of a refresh: the events before it have all been handled
when "synced K N" is printed (N: the events from table cells since the last mark).

Run by the benchmark with Debian's Python and pyatspi; prints "ready" once it listens.
"""

import pyatspi

SYNC_MARK = "kiv-bench-sync"
EVENTS = (
    "object:property-change:accessible-name",
    "object:state-changed",
    "object:selection-changed",
    "object:children-changed",
    "object:active-descendant-changed",
    "focus:",
    "window:activate",
)


class Listener:
    def __init__(self):
        self.cell_events = 0

    def on_event(self, event):
        try:
            name = event.source.name
            role = event.source.getRole()
            event.source.getState()
        except Exception:  # a source gone meanwhile: a screen reader skips it too
            return
        if name.startswith(SYNC_MARK):
            print("synced %s %d" % (name[len(SYNC_MARK):].strip(), self.cell_events), flush=True)
            self.cell_events = 0
        elif role == pyatspi.ROLE_TABLE_CELL:
            self.cell_events += 1


def main():
    listener = Listener()
    pyatspi.Registry.registerEventListener(listener.on_event, *EVENTS)
    print("ready", flush=True)
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
