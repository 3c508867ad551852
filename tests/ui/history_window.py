"""Drives the real program as a user would, from the keyboard: rolls, steps
back through the formulas with Up and Down, opens the history with Ctrl+H,
rolls an entry again with Enter and closes the window with Escape. Reads the
windows over the accessibility bus, as a screen reader does.

Never asks for all of an object's properties at once: that crashes Qt 6.4.
Usage: history_window.py WINDOW_ID PID
"""
import re
import subprocess
import sys
import time

import pyatspi

window, pid = sys.argv[1], int(sys.argv[2])


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def app():
    return next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid)


def find(name):
    return pyatspi.findDescendant(app(), lambda o: o.name == name)


def text_of(name):
    return find(name).queryText().getText(0, -1)


def history_list():
    frames = [f for f in app() if f and f.name == "Historique des jets"]
    if not frames:
        return None
    return pyatspi.findDescendant(frames[0], lambda o: o.getRole() == pyatspi.ROLE_LIST)


def entries():
    listed = history_list()
    return [listed.getChildAtIndex(i).name for i in range(listed.childCount)]


def wait_until(what, check, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            if check():
                return
        except (AttributeError, TypeError, StopIteration):
            pass  # not there yet
        time.sleep(0.1)
    print(f"FAIL: {what}", file=sys.stderr)
    sys.exit(1)


def roll(formula, first=False):
    if first:
        xdotool("mousemove", "--window", window, "30", "12", "click", "1")
    else:
        # The fade keeps the focus on OK until it ends; from there back to the formula box.
        time.sleep(0.6)
        xdotool("key", "shift+Tab", "shift+Tab", "ctrl+a")
    xdotool("type", "--delay", "50", formula)
    xdotool("key", "Return")


roll("3+5", first=True)
wait_until("3+5 is rolled", lambda: text_of("Résultat") == " 8")
wait_until("the tooltip gives the detail of 3+5",
           lambda: find("Résultat").description == "3\n5\nmin 8, max 8, moyenne 8,00")
print("PASS: after 3+5 the result box's tooltip and description are the detail of its terms")
roll("2d6")
wait_until("2d6 is rolled", lambda: find("Résultat").description.startswith("2d6 : "))

time.sleep(0.6)
xdotool("key", "shift+Tab", "shift+Tab", "ctrl+a")
xdotool("type", "1d")
for key, expected in [("Up", "2d6"), ("Up", "3+5"), ("Up", "3+5"), ("Down", "2d6"),
                      ("Down", "1d")]:
    xdotool("key", key)
    wait_until(f"{key} shows {expected}", lambda: text_of("Formule de dés") == expected, 3)
print("PASS: Up and Down step through 2d6 and 3+5, and back to what was typed")

xdotool("key", "ctrl+h")
wait_until("Ctrl+H opens the history", lambda: len(entries()) == 2)
listed = entries()
if not (re.match(r"\d\d:\d\d:\d\d  2d6 → \d+\n2d6 : ", listed[0])
        and listed[1].startswith(re.match(r"\d\d:\d\d:\d\d", listed[1])[0] + "  3+5 → 8\n3\n5\n")):
    print(f"FAIL: the history lists {listed!r}", file=sys.stderr)
    sys.exit(1)
print(f"PASS: Ctrl+H opens the history, newest first: {listed!r}")

xdotool("key", "Down", "Return")
wait_until("Enter on 3+5 rolls it again", lambda: len(entries()) == 3 and "  3+5 → 8" in entries()[0])
active = subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True,
                        text=True, check=True).stdout.strip()
if text_of("Formule de dés") != "3+5" or active != "Historique des jets":
    print(f"FAIL: after Enter the formula box holds {text_of('Formule de dés')!r} and the "
          f"active window is {active!r}", file=sys.stderr)
    sys.exit(1)
print("PASS: Enter on an entry rolls it again in the main window; the history keeps the keyboard")

xdotool("key", "Escape")
wait_until("Escape closes the history", lambda: history_list() is None)
print("PASS: Escape closes the history")
