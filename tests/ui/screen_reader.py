"""Listens on the accessibility bus as a screen reader does while a user rolls,
re-rolls and makes an error: each result must reach it, after any move of the
focus, which a screen reader would otherwise speak over it; an error with its
words, and a total with the dice behind it as the result box's description.

Never asks for all of an object's properties at once: that crashes Qt 6.4.
Usage: screen_reader.py WINDOW_ID PID
"""
import re
import sys
import time

import pyatspi
from gi.repository import GLib
from window_waits import Fade, accessible, xdotool

window, pid = sys.argv[1], int(sys.argv[2])
heard = []


def on_event(event):
    role = event.source.getRole()
    if event.detail1 and role == pyatspi.ROLE_NOTIFICATION:
        heard.append(event.source.name)
    elif event.detail1 and event.type.endswith("focused"):
        heard.append("focus")


def listen(seconds, until):
    deadline = time.monotonic() + seconds
    while not until() and time.monotonic() < deadline:
        if not GLib.MainContext.default().iteration(False):
            time.sleep(0.01)


def result_box():
    box = accessible(pid, "Résultat")
    return box.queryText().getText(0, -1), box.description


total = r" ([2-9]|1[0-2])"
of_2d6 = r"2d6 : [1-6], [1-6] = ([2-9]|1[0-2])\nmin 2, max 12, moyenne 7,00"
of_2d6 += r"(\n([2-9]|1[0-2]) : atteint ou dépassé dans [\d,]+\u202f% des jets)?"  # once worked out
letter = "caractère « x » non permis"
# Each step: what the user does, whether a fade follows, what the result box
# must then show, the words of its description, and what a screen reader
# hears (the box's text if None).
steps = [
    ("Enter in the input box", [["mousemove", "--window", window, "30", "12", "click", "1"],
                                ["type", "--delay", "50", "2d6"], ["key", "Return"]],
     True, total, of_2d6, None),
    ("a re-roll with Enter on OK", [["key", "Return"]], True, total, of_2d6, None),
    ("Alt+O", [["key", "alt+o"]], True, total, of_2d6, None),
    ("a click on OK", [["mousemove", "--window", window, "20", "43", "click", "1"]],
     True, total, of_2d6, None),
    ("an error", [["key", "shift+Tab", "shift+Tab", "ctrl+a"], ["type", "2000x"], ["key", "Return"]],
     False, re.escape("??? : x"), letter, "??? : x, " + letter),
    # Nothing changes on screen, so the words are all a screen reader gets.
    ("a misplaced slash", [["key", "ctrl+a"], ["type", "5/2"], ["key", "Return"]],
     False, re.escape("??? : x"), letter, "« / » hors d'un jet de dés : résultat inchangé"),
]

pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing",
                                       "object:state-changed:focused")
fade = Fade(window)
fade.after()
for what, actions, fades, shown, described, spoken in steps:
    before = len(heard)
    def act():
        for action in actions:
            xdotool(*action)
    # Once its fade has ended, nothing moves the focus and cuts the result short.
    if fades:
        fade.after(act)
    else:
        act()
    listen(10, until=lambda: any(event != "focus" for event in heard[before:]))
    # All that the program sent before it answers this has then come in.
    text, description = result_box()
    while GLib.MainContext.default().iteration(False):
        pass
    events = heard[before:]
    spoken = spoken or text
    if not re.fullmatch(shown, text) or not events or events[-1] != spoken \
            or not re.fullmatch(described, description):
        print(f"FAIL: after {what}, the box shows {text!r}, described as {description!r}; "
              f"a screen reader got {events!r}", file=sys.stderr)
        sys.exit(1)
    print(f"PASS: after {what}, a screen reader hears {events[-1]!r}, after {events[:-1]!r}; "
          f"the box is described as {description!r}")
