"""Waits for the states of the real program's windows, never for a fixed time.

Fade: the main window's background fades to the grey of level 5 at start and
after each total, and moves the keyboard focus to OK until it ends. Seen from
the X server: each of its steps repaints the window's corner, which nothing
else repaints, and its greys only fall, so the first grey 5 read after one of
its repaints is its end.

From the shell: window_waits.py WINDOW_ID [ROUNDS] [XDOTOOL_ARGS...] does
what the arguments tell xdotool, if any, and returns once the fade that
follows has ended; ROUNDS times (once by default), with the round's number in
place of any {round}. Without arguments, once the start-up fade has ended.
"""
import select
import subprocess
import sys
import time

from Xlib import X, display
from Xlib.ext import damage

CORNER = 1  # x and y of a background pixel at every scale: the controls start further in
END = (5, 5, 5)


class Fade:
    def __init__(self, window):
        self.display = display.Display()
        self.display.damage_query_version()
        self.window = self.display.create_resource_object("window", int(window, 0))
        self.window.damage_create(damage.DamageReportRawRectangles)
        self.display.sync()

    def grey(self):
        pixel = self.window.get_image(CORNER, CORNER, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
        return tuple(pixel[:3])

    def repainted(self, deadline):
        notify = self.display.extension_event.DamageNotify
        while True:
            while self.display.pending_events():
                event = self.display.next_event()
                if event.type == notify and event.area.x <= CORNER < event.area.x + event.area.width \
                        and event.area.y <= CORNER < event.area.y + event.area.height:
                    return
            if not select.select([self.display], [], [], deadline - time.monotonic())[0]:
                raise TimeoutError

    def after(self, action=None, seconds=60):
        """Does the action, which must start a fade while none runs, and waits
        for that fade's end; without one, for the start-up fade's end. Raises
        TimeoutError if it has not ended after the given seconds."""
        deadline = time.monotonic() + seconds
        if action:
            self.display.sync()
            while self.display.pending_events():
                self.display.next_event()  # repaints before the action are no fade's
            action()
            self.repainted(deadline)
        while self.grey() != END:
            self.repainted(deadline)


def accessible(pid, name, role=None):
    """The program's object of that name, read over the accessibility bus as a
    screen reader reads it; None if there is none."""
    import pyatspi  # only where the bus runs

    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid)
    return pyatspi.findDescendant(app, lambda o: o.name == name and role in (None, o.getRole()))


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


if __name__ == "__main__":
    fade, args = Fade(sys.argv[1]), sys.argv[2:]
    rounds = int(args.pop(0)) if args and args[0].isdigit() else 1
    try:
        for n in range(1, rounds + 1):
            fade.after(args and (lambda: xdotool(*(a.replace("{round}", str(n)) for a in args))))
    except TimeoutError:
        sys.exit("no fade ended")
