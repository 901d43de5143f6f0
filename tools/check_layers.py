#!/usr/bin/env python3
"""The source folders form layers: a folder includes only folders below it.

Fails, naming each include, when a folder includes one above it, or one of
its own rank (two such folders would grow into each other). The order, from
the bottom: cards, engine, analysis, filter, persist, calculator, then the
two front ends cli and ui, then app, which starts the window.

    tools/check_layers.py [SOURCE-FOLDER]
"""
import pathlib
import re
import sys

LAYERS = [["cards"], ["engine"], ["analysis"], ["filter"], ["persist"], ["calculator"], ["cli", "ui"], ["app"]]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]+"', re.M)


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    faults = []
    for folder, rank in RANK.items():
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp", ".in"):
                continue
            for included in sorted(set(INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")))):
                if included == folder or included not in RANK:
                    continue
                if RANK[included] >= rank:
                    faults.append(f"{path.relative_to(root)} includes {included}/ (layer {RANK[included]}, "
                                  f"not below {folder}/ at layer {rank})")
    for fault in faults:
        print("FAIL:", fault)
    print(f"{len(faults)} include(s) against the layers" if faults else "the folders form layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
