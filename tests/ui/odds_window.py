"""Drives "Probabilités" in the real program from the keyboard and reads it
over the accessibility bus as a screen reader does: Ctrl+P opens it from the
formula box and from the result box, and leaves both as they were; the
summary; the bars spoken as the arrows move; the comparison with a second
formula; a heavy formula's progress, heard, and cancelled; Ctrl+P in the
history; and the lucky line in the result box's description.
Never asks for all of an object's properties at once: that crashes Qt 6.4.
Usage: odds_window.py WINDOW_ID PID
"""
import itertools
import re
from fractions import Fraction
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib
from window_waits import Fade, accessible, xdotool

window, pid = sys.argv[1], int(sys.argv[2])
heard = []  # ("said", words) or ("focus", name, value)
PC = "\u202f%"


def on_event(event):
    if not event.detail1:
        return
    role = event.source.getRole()
    if role == pyatspi.ROLE_NOTIFICATION and event.type.endswith("showing"):
        heard.append(("said", event.source.name))
    elif role == pyatspi.ROLE_LIST_ITEM and event.type.endswith("focused"):
        heard.append(("focus", event.source.name, event.source.queryValue().currentValue))


def expect(what, check, seconds=20):
    """Listens until the check holds, on the state read back or the events heard."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            if check():
                return
        except (AttributeError, TypeError, StopIteration, LookupError):
            pass  # not there yet
        if not GLib.MainContext.default().iteration(False):
            time.sleep(0.02)
    sys.exit(f"FAIL: {what}; heard {heard!r}")


def find(check):
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid)
    return pyatspi.findDescendant(app, lambda o: o.name is not None and check(o.name))


def text_of(name):
    return accessible(pid, name).queryText().getText(0, -1)


def active_window():
    return subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True,
                          text=True).stdout.strip()


def percent(p):
    return ("100" if p == 1 else f"{float(100 * p):.2f}".replace(".", ",")) + PC


def chances(formula_dice, plus=0):
    """The exact chance of each total of NdF + plus, by enumeration."""
    count, faces = formula_dice
    totals = {}
    for dice in itertools.product(range(1, faces + 1), repeat=count):
        totals[sum(dice) + plus] = totals.get(sum(dice) + plus, 0) + 1
    return {t: Fraction(n, faces ** count) for t, n in totals.items()}


def at_least(chance, total):
    return sum(p for t, p in chance.items() if t >= total)


pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing",
                                       "object:state-changed:focused")
fade = Fade(window)
fade.after()
xdotool("mousemove", "--window", window, "30", "12", "click", "1")
xdotool("type", "--delay", "50", "3d6")
fade.after(lambda: xdotool("key", "Return"))
lucky = r"(\d+) : atteint ou dépassé dans [\d,\u202f]+" + PC + " des jets"
expect("the lucky line reaches the result box's description",
       lambda: re.search("\n" + lucky + "$", accessible(pid, "Résultat").description))
total = int(accessible(pid, "Résultat").queryText().getText(0, -1))
line = accessible(pid, "Résultat").description.split("\n")[-1]
a = chances((3, 6))
if line != f"{total} : atteint ou dépassé dans {percent(at_least(a, total))} des jets":
    sys.exit(f"FAIL: 3d6 gave {total}, and its lucky line is {line!r}")
print(f"PASS: the lucky line follows the total: {line!r}")

# Ctrl+P from either text box opens the window and leaves the box as it was:
# no line edit claims the key.
for box, x in [("Formule de dés", "30"), ("Résultat", "75")]:
    y = "12" if box == "Formule de dés" else "43"
    xdotool("windowactivate", "--sync", window)
    xdotool("mousemove", "--window", window, x, y, "click", "1")
    expect(f"{box} gets the keyboard", lambda: accessible(pid, box).getState().contains(
        pyatspi.STATE_FOCUSED))
    before = text_of(box), accessible(pid, box).queryText().caretOffset
    xdotool("key", "ctrl+p")
    expect(f"Ctrl+P in {box} opens Probabilités", lambda: active_window() == "Probabilités")
    after = text_of(box), accessible(pid, box).queryText().caretOffset
    if after != before:
        sys.exit(f"FAIL: Ctrl+P changed {box}: {before!r} became {after!r}")
    if box == "Formule de dés":
        xdotool("key", "Escape")
        expect("Escape closes Probabilités", lambda: find(lambda n: n == "Probabilités") is None)
print("PASS: Ctrl+P opens Probabilités from the formula box and from the result box, "
      "and changes neither")

summary = "min 3, max 18, moyenne 10,50, médiane 10, les plus probables 10 et 11 (12,50" + PC + \
          " chacun)"
expect("the summary is read", lambda: find(lambda n: n == summary))
print(f"PASS: the summary reads {summary!r}")

# Home, Right, Left across the bars: each focus event names a bar and its chance.
before = len(heard)
xdotool("key", "Home", "Right", "Left")
bars = [(t, f"{t} : {percent(a[t])}, au moins {t} : {percent(at_least(a, t))}") for t in (3, 4, 3)]
expect("the arrows move across the bars",
       lambda: [h[1] for h in heard[before:] if h[0] == "focus"][-3:] == [n for _, n in bars])
for event, (t, _) in zip([h for h in heard[before:] if h[0] == "focus"][-3:], bars):
    if abs(event[2] - float(100 * a[t])) > 1e-9:
        sys.exit(f"FAIL: the bar of {t} has the value {event[2]}, not {100 * a[t]}")
print(f"PASS: Home, Right and Left are heard as {[n for _, n in bars]!r}, with their values")

xdotool("key", "alt+p")
xdotool("type", "--delay", "50", "2d6+3")
b = chances((2, 6), 3)
greater, equal = (sum(p * q for t, p in a.items() for u, q in b.items() if cmp(t, u))
                  for cmp in (lambda t, u: t > u, lambda t, u: t == u))
spoken = f"A plus grand que B : {percent(greater)}, A égal à B : {percent(equal)}, " \
         f"A plus petit que B : {percent(1 - greater - equal)}"
expect("the comparison is read", lambda: find(lambda n: n == spoken))
print(f"PASS: compared with 2d6+3, a screen reader reads {spoken!r}")

# A heavy formula rolled: the window follows, says it is working, and cancels.
heavy = "100d1000/1000"
before = len(heard)
xdotool("windowactivate", "--sync", window)
xdotool("mousemove", "--window", window, "30", "12", "click", "1", "key", "ctrl+a")
xdotool("type", heavy)
fade.after(lambda: xdotool("key", "Return"))
expect("the long work is heard", lambda: ("said", "Calcul des probabilités en cours.") in heard[before:])
find(lambda n: n == "Annuler le calcul").queryAction().doAction(0)
expect("Annuler is heard", lambda: ("said", "Calcul annulé.") in heard[before:])
if "des jets" in accessible(pid, "Résultat").description:
    sys.exit("FAIL: a cancelled distribution gave a lucky line")
print(f"PASS: {heavy} is heard working, then cancelled, and gets no lucky line: "
      f"{[h[1] for h in heard[before:] if h[0] == 'said']!r}")

xdotool("key", "ctrl+h")
expect("the history gets the keyboard", lambda: active_window() == "Historique des jets")
xdotool("key", "Down", "ctrl+p")
expect("Ctrl+P on the history's 3d6 shows it",
       lambda: find(lambda n: n == f"A : 3d6, dernier jet {total}") and find(lambda n: n == summary))
print(f"PASS: Ctrl+P in the history shows the entry's 3d6 and its total {total}")
