#!/usr/bin/env python3
"""Prints how many includes run from each top-level folder to each other one.

Run from anywhere: scripts/include-table.py [--pairs] [--files FROM TO]
  (no option)   the table: one row per including folder, one column per included folder
  --pairs       also list the pairs of folders that include each other
  --files A B   the includes from folder A into folder B, file by file
Only the program's folders count (tests, benchmarks and fuzzers sit on top of everything);
generated form headers (ui_*.h) and system headers are left out.
"""
import re
import sys
from collections import defaultdict
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SKIPPED = {"tests", "bench", "fuzz", "scripts", "packaging", "docs", "resources", "cmake"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def folders():
    return sorted(p.name for p in ROOT.iterdir()
                  if p.is_dir() and not p.name.startswith((".", "build")) and p.name not in SKIPPED)


def includes():
    """(from folder, to folder, file, included header) for every include between folders."""
    names = set(folders())
    for folder in sorted(names):
        for source in sorted((ROOT / folder).rglob("*")):
            if source.suffix not in (".cpp", ".h"):
                continue
            for header in INCLUDE.findall(source.read_text(encoding="utf-8", errors="replace")):
                target = header.split("/")[0]
                if "/" in header and target in names and target != folder:
                    yield folder, target, str(source.relative_to(ROOT)), header


def main(argv):
    counts = defaultdict(int)
    for source, target, _, _ in includes():
        counts[source, target] += 1
    if len(argv) == 3 and argv[0] == "--files":
        for source, target, file, header in includes():
            if (source, target) == (argv[1], argv[2]):
                print(f"{file}: {header}")
        return 0
    names = folders()
    width = max(len(n) for n in names)
    print(" " * width + " " + " ".join(f"{n[:5]:>5}" for n in names))
    for row in names:
        cells = [f"{counts[row, col] or '.':>5}" for col in names]
        print(f"{row:<{width}} " + " ".join(cells))
    arrows = {pair for pair, count in counts.items() if count}
    mutual = sorted((a, b) for (a, b) in arrows if a < b and (b, a) in arrows)
    loops = circles(names, arrows)
    print(f"\n{sum(counts.values())} includes along {len(arrows)} arrows between {len(names)} "
          f"folders; pairs that include each other: {len(mutual)}; circles: {len(loops)}")
    for loop in loops:
        print("  circle: " + " ".join(loop))
    if "--pairs" in argv:
        for a, b in mutual:
            print(f"  {a} <-> {b}: {counts[a, b]} and {counts[b, a]}")
    return 0


def circles(names, arrows):
    """The groups of two or more folders that reach each other through their includes."""
    reach = {n: {b for (a, b) in arrows if a == n} for n in names}
    changed = True
    while changed:
        changed = False
        for n in names:
            more = set().union(*(reach[m] for m in reach[n])) - reach[n]
            if more:
                reach[n] |= more
                changed = True
    groups = {tuple(sorted(m for m in names if m == n or (m in reach[n] and n in reach[m])))
              for n in names}
    return sorted(g for g in groups if len(g) > 1)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
