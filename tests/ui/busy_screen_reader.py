"""A screen reader too busy to answer at once: it listens to every key, as Orca
does, and takes longer over each than a Qt program waits for its answer.
Listens for SECONDS, then ends. Usage: busy_screen_reader.py SECONDS
"""
import sys
import time

import pyatspi
from gi.repository import GLib


def on_key(event):
    time.sleep(0.2)
    return False


pyatspi.Registry.registerKeystrokeListener(
    on_key, mask=pyatspi.allModifiers(),
    kind=(pyatspi.KEY_PRESSED_EVENT, pyatspi.KEY_RELEASED_EVENT), synchronous=True)
# Programs send their keys to the bus only while someone listens to their events.
pyatspi.Registry.registerEventListener(lambda event: None, "object:state-changed:focused")
print("listening", flush=True)
deadline = time.monotonic() + float(sys.argv[1])
while time.monotonic() < deadline:
    GLib.MainContext.default().iteration(False) or time.sleep(0.01)
