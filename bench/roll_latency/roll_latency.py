"""Return to the total on screen, in the real program.

For each program and formula: launches the program, waits for its start-up
fade to end, clicks into the formula box, pastes the formula from a clipboard
this script owns, and presses Return five times, each once the fade of the
press before has ended. A press is timed from the moment its XTest key event
is sent to the X server to the first X Damage to the result box after it,
which is the program's frame with the total reaching the window. The programs
are launched in rounds, in a random order within each round, so that a slow
spell of a shared machine falls on all of them. Prints the median of all the
presses of each program and formula, with their range, and the median of the
first press of each launch alone (the program's first roll of the formula),
as a Markdown table.

Usage: roll_latency.py [--rounds N] TIRLO...   (on an X server with a window manager)
"""
import argparse
import os
import random
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, XK, Xatom, display, error
from Xlib.ext import damage, xtest
from Xlib.protocol import event as xevent

# The fade's end, read from the window as the real-window tests read it.
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../tests/ui"))
from window_waits import Fade  # noqa: E402

FORMULAS = [
    ("32 KiB of `500d1000/1000+`", ("500d1000/1000+" * 2341)[:32 * 1024]),
    ("`3d6/4`", "3d6/4"),
]
PRESSES = 5
TIMEOUT_SECONDS = 20.0
PASTE_RETRY_SECONDS = 2.0
# The main window's client area and two of its controls at the layout's scale of 1;
# the window grows them all alike with a larger font.
CLIENT_WIDTH = 153
FORMULA_BOX = (4, 4, 146, 25)
RESULT_BOX = (44, 30, 65, 26)


class Session:
    """The X connection: finds the program's window, drives it with XTest, serves
    the clipboard, and reads the damage to the window."""

    def __init__(self):
        self.x = display.Display()
        self.x.damage_query_version()
        self.x.set_error_handler(lambda err, request: print(f"X error: {err}", file=sys.stderr))
        self.root = self.x.screen().root
        self.atom = {name: self.x.intern_atom(name) for name in
                     ("_NET_CLIENT_LIST", "_NET_WM_PID", "CLIPBOARD", "TARGETS", "UTF8_STRING")}
        self.clipboard_owner = self.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self.clipboard = b""
        self.asked = 0  # requests for the clipboard
        self.served = 0  # pastes handed over
        self.served_at = 0.0
        self.window = None
        self.fade = None
        self.damaged = []  # (seconds, rectangle) since the last look

    def deadline_passed(self, started, what):
        if time.monotonic() - started > TIMEOUT_SECONDS:
            raise RuntimeError(f"{what} not within {TIMEOUT_SECONDS} s")

    def find_window(self, pid):
        """The program's main window, once the window manager lists it."""
        started = time.monotonic()
        while True:
            listed = self.root.get_full_property(self.atom["_NET_CLIENT_LIST"], Xatom.WINDOW)
            for window_id in listed.value if listed else []:
                window = self.x.create_resource_object("window", window_id)
                try:
                    owner = window.get_full_property(self.atom["_NET_WM_PID"], Xatom.CARDINAL)
                except error.BadWindow:  # the window of a program that has ended
                    continue
                if owner and owner.value[0] == pid:
                    self.window = window
                    window.damage_create(damage.DamageReportRawRectangles)
                    self.x.sync()
                    self.fade = Fade(str(window.id))
                    return
            self.deadline_passed(started, "the window")
            time.sleep(0.05)

    def pump(self, seconds=0.0):
        """Reads what the server has sent, waiting up to `seconds` for it."""
        if not self.x.pending_events():
            select.select([self.x.fileno()], [], [], seconds)
        while self.x.pending_events():
            ev = self.x.next_event()
            now = time.monotonic()
            if ev.type == self.x.extension_event.DamageNotify:
                if self.window and ev.drawable.id == self.window.id:
                    self.damaged.append((now, ev.area))
            elif ev.type == X.SelectionRequest:
                self.serve(ev)

    def serve(self, request):
        """Hands the clipboard's text to the program that pastes it."""
        self.asked += 1
        text_targets = (self.atom["UTF8_STRING"], Xatom.STRING)
        prop = request.property or request.target
        if request.target == self.atom["TARGETS"]:
            request.requestor.change_property(prop, Xatom.ATOM, 32,
                                              [self.atom["TARGETS"], *text_targets])
        elif request.target in text_targets:
            request.requestor.change_property(prop, request.target, 8, self.clipboard)
            self.served += 1
            self.served_at = time.monotonic()
        else:
            prop = X.NONE
        request.requestor.send_event(xevent.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=prop))
        self.x.flush()

    def scale(self):
        return self.window.get_geometry().width / CLIENT_WIDTH

    def box(self, rect):
        s = self.scale()
        return tuple(round(v * s) for v in rect)

    def wait(self, what, done):
        started = time.monotonic()
        while not done():
            self.deadline_passed(started, what)
            self.pump(0.01)

    def wait_for_damage(self, rect, since):
        """The time of the first damage to `rect` from `since` on."""
        x, y, w, h = rect
        hit = []

        def damaged():
            for when, area in self.damaged:
                if (when >= since and area.x < x + w and x < area.x + area.width
                        and area.y < y + h and y < area.y + area.height):
                    hit.append(when)
                    return True
            return False

        self.wait("damage to the box", damaged)
        return hit[0]

    def key(self, *names):
        codes = [self.x.keysym_to_keycode(XK.string_to_keysym(name)) for name in names]
        for code in codes:
            xtest.fake_input(self.x, X.KeyPress, code)
        for code in reversed(codes):
            xtest.fake_input(self.x, X.KeyRelease, code)

    def click(self, rect):
        x, y, w, h = rect
        at = self.root.translate_coords(self.window, x + w // 2, y + h // 2)
        xtest.fake_input(self.x, X.MotionNotify, x=at.x, y=at.y)
        xtest.fake_input(self.x, X.ButtonPress, 1)
        xtest.fake_input(self.x, X.ButtonRelease, 1)
        self.x.flush()

    def paste(self, text):
        """Clicks into the formula box, which the first click empties, and pastes `text`."""
        formula_box = self.box(FORMULA_BOX)
        since = time.monotonic()
        self.click(formula_box)
        self.wait_for_damage(formula_box, since)
        self.wait("the keyboard", lambda: self.x.get_input_focus().focus == self.window)
        self.clipboard = text.encode()
        self.clipboard_owner.set_selection_owner(self.atom["CLIPBOARD"], X.CurrentTime)
        served = self.served
        # Now and then the program does not act on Ctrl+V at all (1 launch in 20
        # or so, whatever is waited for before): it is pressed again until it asks.
        started = time.monotonic()
        while self.served == served:
            asked = self.asked
            self.key("Control_L", "v")
            self.x.flush()
            pressed = time.monotonic()
            while self.asked == asked and time.monotonic() - pressed < PASTE_RETRY_SECONDS:
                self.pump(0.01)
            self.deadline_passed(started, "the paste")
            if self.asked > asked:
                self.wait("the paste", lambda: self.served > served)
        self.wait_for_damage(formula_box, self.served_at)

    def press_return(self):
        """Seconds from Return to the total on screen; returns once the fade has ended."""
        shown = []

        def press():
            self.pump()
            self.damaged.clear()
            self.key("Return")
            sent = time.monotonic()
            self.x.flush()
            shown.append(self.wait_for_damage(self.box(RESULT_BOX), sent) - sent)

        self.fade.after(press)
        return shown[0]


def presses(session, program, formula):
    child = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        session.find_window(child.pid)
        session.fade.after()
        session.paste(formula)
        return [session.press_return() for _ in range(PRESSES)]
    except (RuntimeError, TimeoutError, error.XError) as failure:
        raise RuntimeError(f"{program} (exit status {child.poll()}): {failure}") from None
    finally:
        child.terminate()
        child.wait()
        if session.fade:
            session.fade.display.close()
        session.window = session.fade = None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    session = Session()
    runs = [(program, formula) for program in args.programs for formula in FORMULAS]
    times = {run: [] for run in runs}
    for _ in range(args.rounds):
        random.shuffle(runs)
        for program, (name, formula) in runs:
            times[(program, (name, formula))] += presses(session, program, formula)

    print(f"Return to the total on screen, {args.rounds} launch(es) of each program "
          f"for each formula, {PRESSES} presses each:\n")
    print("| Program | Formula | Median | Lowest to highest | First presses, median |")
    print("|---|---|---|---|---|")
    for program in args.programs:
        for name, formula in FORMULAS:
            ms = [t * 1000 for t in times[(program, (name, formula))]]
            first = ms[::PRESSES]
            print(f"| {program} | {name} | {statistics.median(ms):.1f} ms "
                  f"| {min(ms):.1f} to {max(ms):.1f} ms | {statistics.median(first):.1f} ms |")


if __name__ == "__main__":
    main()
