"""Walks the calculator's at-spi tree: names of the card buttons, the result
list's lines after a few steps, the Hex Table's cells. Exit 77 when the
program cannot be found on the bus (no accessibility there), 1 on a fault."""
import subprocess
import sys
import time

import pyatspi

PID = int(sys.argv[1])
RANKS = ["six", "seven", "eight", "nine", "ten", "jack", "queen", "king", "ace"]
SUITS = ["spades", "diamonds", "clubs", "hearts"]
faults = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        faults.append(what)


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(min(node.childCount, 2000)):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield from walk(child, depth + 1)


def application(timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == PID:
                    if app.childCount > 0:
                        return app
            except Exception:
                pass
        time.sleep(0.5)
    return None


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=False)
    time.sleep(0.4)


def window(app, title):
    for _ in range(40):
        for w in app:
            if w is not None and w.name.startswith(title):
                return w
        time.sleep(0.25)
    return None


app = application()
if app is None:
    print("SKIP: the program did not appear on the accessibility bus")
    sys.exit(77)

main = window(app, "Zelt calculator")
check(main is not None, "main window found")
if main is None:
    sys.exit(1)
subprocess.run(["xdotool", "search", "--sync", "--name", "Zelt calculator", "windowactivate", "--sync"],
               check=False, timeout=20)
time.sleep(0.5)

buttons = {n.name: n for n in walk(main) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
wanted = [f"{r} of {s}" for r in RANKS for s in SUITS]
wanted += [f"any {r}" for r in RANKS] + [f"any {s[:-1]}" for s in SUITS] + ["any card", "gap"]
absent = [w for w in wanted if w not in buttons]
check(not absent, "the 49 card and wildcard buttons say their cards" + (f" (missing: {absent})" if absent else ""))

nameless = [n.getRoleName() for n in walk(main)
            if n.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_LIST,
                               pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX) and not n.name.strip()]
check(not nameless, "every control of the main window has a name" + (f" (nameless: {nameless})" if nameless else ""))

# The task "** 6п **" pressed through the buttons' own action, then steps.
for name in ["gap", "six of spades", "gap"]:
    action = buttons[name].queryAction()
    action.doAction(0)
    time.sleep(0.2)
lists = {n.name: n for n in walk(main) if n.getRole() == pyatspi.ROLE_LIST}
check("All results" in lists and "Filtered results" in lists, "both result lists found by name")
order = [n.name for n in walk(main) if n.getRole() == pyatspi.ROLE_LIST and n.name.endswith(" results")]
check(order == ["All results", "Filtered results"], f"\"All\" comes before \"Filtered\" in the tree: {order}")
boxes = [n.name for n in walk(main) if n.getRole() == pyatspi.ROLE_CHECK_BOX]
check("Autosave all results" in boxes and "Autosave filtered results" in boxes,
      f"the autosave boxes are named with \"Autosave\": {boxes}")
all_results = lists.get("All results")
for _ in range(60):
    if all_results is not None and all_results.childCount >= 3:
        break
    key("F6")
count = all_results.childCount if all_results is not None else 0
check(count >= 3 and count % 3 == 0, f"the list of all results has whole blocks of lines ({count})")
if count >= 3:
    items = [all_results.getChildAtIndex(i) for i in range(3)]
    check(all(i.getRole() == pyatspi.ROLE_LIST_ITEM for i in items), "its lines are list items")
    texts = [i.name for i in items]
    check(texts[0].split(".")[0].isdigit() and texts[1].startswith(" ") and texts[2].startswith(" "),
          f"its first block reads as a result: {texts}")

# The list reached with Tab from the task field (past "step", "Run", "Clear
# Task", "Change" and the summary); Down makes the second line the current
# one, which the bridge shows as focused and selected.
if count >= 3:
    subprocess.run(["xdotool", "search", "--name", "Zelt calculator", "windowactivate", "--sync"],
                   check=False, timeout=20)
    time.sleep(0.5)
    key(*(["Tab"] * 6), "Down")
    second = all_results.getChildAtIndex(1)
    state = second.getState()
    check(state.contains(pyatspi.STATE_FOCUSED) and state.contains(pyatspi.STATE_SELECTED),
          "the current line reached with the keys is focused and selected")
    check(not all_results.getChildAtIndex(0).getState().contains(pyatspi.STATE_SELECTED),
          "the line left is no longer selected")

# The Hex Table, from the first suit's "set" in the filter dialog.
key("ctrl+f")
dialog = window(app, "Filtering Settings")
check(dialog is not None, "the filter dialog opened with Ctrl+F")
if dialog is not None:
    labels = [n for n in walk(dialog) if n.name.startswith("ace of spades")]
    check([n.name for n in labels] == ["ace of spades: any"],
          f"a card label says its card and state: {[n.name for n in labels]}")
    if labels:
        ace = labels[0]
        check(ace.getRole() == pyatspi.ROLE_CHECK_BOX and not ace.getState().contains(pyatspi.STATE_CHECKED),
              f"a card label is a check box, unchecked for any ({ace.getRoleName()})")
        ace.queryAction().doAction(0)
        time.sleep(0.3)
        check(ace.name == "ace of spades: static" and ace.getState().contains(pyatspi.STATE_CHECKED),
              f"its action makes it static, and checked ({ace.name})")
        ace.queryAction().doAction(0)
        time.sleep(0.3)
        check(ace.getState().contains(pyatspi.STATE_INDETERMINATE),
              f"mobile shows as half checked ({ace.name})")
        ace.queryAction().doAction(0)
        time.sleep(0.3)
    key(*(["Tab"] * 14), "space")
    table = window(app, "Hex Table")
    check(table is not None, "the Hex Table opened from \"set\"")
    if table is not None:
        cells = [n for n in walk(table) if n.name.startswith("hexagram ")]
        names = {c.name for c in cells}
        check(len(cells) == 64 and names == {f"hexagram {k}" for k in range(1, 65)},
              f"the Hex Table shows 64 named cells ({len(cells)})")
        check(all(c.getRole() == pyatspi.ROLE_PUSH_BUTTON for c in cells), "its cells are buttons")
        key("Escape")
    key("Escape")

print(f"{len(faults)} fault(s)")
sys.exit(1 if faults else 0)
