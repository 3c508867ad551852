"""Prints the text of Tirlo's result box once it shows something, read through
AT-SPI. Asks for one property at a time: asking a Qt 6.4 program for all of
them at once crashes it.
Usage: result_box.py PID
"""
import sys
import time

import pyatspi


def result_text(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app and app.get_process_id() == pid:
            box = pyatspi.findDescendant(app, lambda o: o.name == "Résultat")
            return box.queryText().getText(0, -1) if box else ""
    return ""


pid = int(sys.argv[1])
deadline = time.monotonic() + 20
text = ""
while not text and time.monotonic() < deadline:
    time.sleep(0.2)
    text = result_text(pid)
print(text)
