"""Drives the real program from the keyboard: rolls, steps back through the
formulas with Up and Down, opens the history with Ctrl+H, rolls an entry again
with Enter and closes the history with Escape; reads the windows over the
accessibility bus. Never asks for all of an object's properties at once: that
crashes Qt 6.4.
Usage: history_window.py WINDOW_ID PID
"""
import re
import subprocess
import sys
import time

import pyatspi
from window_waits import Fade, accessible, xdotool

window, pid = sys.argv[1], int(sys.argv[2])
fade = Fade(window)


def text_of(name):
    return accessible(pid, name).queryText().getText(0, -1)


def entries():
    listed = accessible(pid, "Jets de la session, du plus récent au plus ancien", pyatspi.ROLE_LIST)
    return [listed.getChildAtIndex(i).name for i in range(listed.childCount)] if listed else None


def expect(what, check, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            if check():
                return
        except (AttributeError, TypeError, StopIteration):
            pass  # not there yet
        time.sleep(0.1)
    sys.exit(f"FAIL: {what}")


def active_window():
    return subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True,
                          text=True).stdout.strip()


def roll():
    """Enter, then the fade's end: it keeps the focus on OK until then."""
    fade.after(lambda: xdotool("key", "Return"))


def to_formula_box():
    xdotool("key", "shift+Tab", "shift+Tab", "ctrl+a")


fade.after()
xdotool("mousemove", "--window", window, "30", "12", "click", "1")
xdotool("type", "--delay", "50", "3+5")
roll()
expect("3+5 is described",
       lambda: accessible(pid, "Résultat").description == "3\n5\nmin 8, max 8, moyenne 8,00\n"
       "8 : atteint ou dépassé dans 100\u202f% des jets")
print("PASS: after 3+5 the result box's tooltip, its description, is the detail of its terms "
      "and how lucky it was")
to_formula_box()
xdotool("type", "--delay", "50", "2d6")
roll()
expect("2d6 is described", lambda: accessible(pid, "Résultat").description.startswith("2d6 : "))

to_formula_box()
xdotool("type", "1d")
for key, shown in [("Up", "2d6"), ("Up", "3+5"), ("Up", "3+5"), ("Down", "2d6"), ("Down", "1d")]:
    xdotool("key", key)
    expect(f"{key} shows {shown}", lambda: text_of("Formule de dés") == shown, 3)
print("PASS: Up and Down step through 2d6 and 3+5, and back to what was typed")

xdotool("key", "ctrl+h")
expect("Ctrl+H opens the history, newest first", lambda: re.fullmatch(
    r"\d\d:\d\d:\d\d  2d6 → \d+\n2d6 : .*\n\d\d:\d\d:\d\d  3\+5 → 8\n3\n5\nmin 8, max 8, moyenne 8,00"
    "\n8 : atteint ou dépassé dans 100\u202f% des jets",
    "\n".join(entries()), re.S))
print(f"PASS: Ctrl+H opens the history: {entries()!r}")

# The keys go where the window manager has put the keyboard.
expect("the history gets the keyboard", lambda: active_window() == "Historique des jets")
xdotool("key", "Down", "Return")
expect("Enter on 3+5 rolls it again", lambda: len(entries()) == 3 and "  3+5 → 8" in entries()[0])
active = active_window()
if text_of("Formule de dés") != "3+5" or active != "Historique des jets":
    sys.exit(f"FAIL: after Enter the formula box holds {text_of('Formule de dés')!r}, "
             f"and {active!r} is active")
print("PASS: Enter on an entry rolls it again in the main window; the history keeps the keyboard")

xdotool("key", "Escape")
expect("Escape closes the history", lambda: entries() is None)
print("PASS: Escape closes the history")
