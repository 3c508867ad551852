"""Start-up of Tirlo against two yardsticks, launched in turn: a bare Qt Widgets
program, and Tirlo's window alone (its controls and their texts, nothing else).

For each launch: the time from exec to the program's window being mapped
(MapNotify) and to its first frame (the first damage to the window after it is
mapped, which is the program drawing into it), the processor time the program
had used by then (which other programs on a busy machine do not stretch), then
its resident memory one second after the window was mapped. The programs are
launched in rounds, in a random order within each round, so that a slow spell
of a shared machine falls on all of them. Prints the medians, and the ratio of
Tirlo and of its window alone to the bare program in each round, as a Markdown
table.

Usage: startup.py TIRLO BARE WINDOW_ALONE [ROUNDS]   (on an X server with a window manager)
"""
import os
import random
import select
import signal
import statistics
import subprocess
import sys
import time

from Xlib import X, display, error
from Xlib.ext import damage

SETTLE_SECONDS = 1.0
TIMEOUT_SECONDS = 20.0


class Watcher:
    """Sees every window created on the screen and what happens to it."""

    def __init__(self):
        self.x = display.Display()
        self.x.damage_query_version()
        self.x.set_error_handler(ignore_vanished)
        self.pid_atom = self.x.intern_atom("_NET_WM_PID")
        self.x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.x.sync()

    def owner(self, window):
        caught = error.CatchError(error.BadWindow)
        prop = window.get_full_property(self.pid_atom, X.AnyPropertyType)
        return prop.value[0] if prop and not caught.get_error() else None

    def launch(self, program):
        """Returns the seconds from exec to mapped and to first frame, the memory, and
        the processor time the program had used, all its threads, when mapped."""
        mapped = first_frame = None
        started = time.monotonic()
        child = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        damaged = set()
        try:
            while first_frame is None:
                if time.monotonic() - started > TIMEOUT_SECONDS:
                    raise RuntimeError(f"{program}: no window within {TIMEOUT_SECONDS} s")
                if not self.x.pending_events():
                    select.select([self.x.fileno()], [], [], 0.1)
                while self.x.pending_events():
                    event = self.x.next_event()
                    now = time.monotonic()
                    if event.type == X.CreateNotify:
                        # Watched from its creation, so that no drawing is missed.
                        event.window.change_attributes(event_mask=X.StructureNotifyMask)
                        event.window.damage_create(damage.DamageReportNonEmpty)
                        # Mapped before it was watched: its map event went to its new parent.
                        try:
                            attributes = event.window.get_attributes()
                        except error.BadWindow:
                            continue
                        if (mapped is None and attributes.map_state != X.IsUnmapped
                                and self.owner(event.window) == child.pid):
                            mapped, window = time.monotonic(), event.window.id
                            cpu = cpu_seconds(child.pid)
                    elif (event.type == X.MapNotify and mapped is None
                          and event.event == event.window and self.owner(event.window) == child.pid):
                        mapped, window = now, event.window.id
                        cpu = cpu_seconds(child.pid)
                        if window in damaged:  # drawn before its map was seen here
                            first_frame = now
                    elif event.type == self.x.extension_event.DamageNotify:
                        damaged.add(event.drawable.id)
                        if mapped is not None and event.drawable.id == window:
                            first_frame = now
            time.sleep(max(0.0, mapped + SETTLE_SECONDS - time.monotonic()))
            memory = resident(child.pid)
        finally:
            child.send_signal(signal.SIGTERM)
            child.wait()
        return mapped - started, first_frame - started, memory, cpu


def ignore_vanished(err, request):
    """Windows of other programs may be gone before they are watched."""
    if not isinstance(err, (error.BadWindow, error.BadDrawable, damage.BadDamageError)):
        print(f"X error: {err}", file=sys.stderr)


def cpu_seconds(pid):
    """Time on a processor of all the threads of a process so far (schedstat, in ns)."""
    total = 0
    for thread in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{thread}/schedstat") as stat:
            total += int(stat.read().split()[0])
    return total / 1e9


def resident(pid):
    """VmRSS and RssAnon of a process, in KiB."""
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            name, _, value = line.partition(":")
            fields[name] = value.split()[0] if value.split() else ""
    return int(fields["VmRSS"]), int(fields["RssAnon"])


def main():
    tirlo, bare, alone = sys.argv[1:4]
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 11
    watcher = Watcher()
    programs = [tirlo, bare, alone]
    for program in programs:  # the first launches fill the page cache: not counted
        watcher.launch(program)
    runs = {program: [] for program in programs}
    for _ in range(rounds):
        random.shuffle(programs)
        for program in programs:
            runs[program].append(watcher.launch(program))

    rows = [
        ("exec to window mapped", lambda run: run[0] * 1000, "ms"),
        ("exec to first frame", lambda run: run[1] * 1000, "ms"),
        ("processor time to window mapped", lambda run: run[3] * 1000, "ms"),
        ("resident memory (RSS) 1 s after", lambda run: run[2][0] / 1024, "MiB"),
        ("of which anonymous", lambda run: run[2][1] / 1024, "MiB"),
    ]
    print(f"Start-up, {rounds} launches of each program, in rounds:\n")
    print("| Measure | Tirlo | Bare Qt program | Tirlo's window alone "
          "| Tirlo / bare, median of rounds (lowest to highest) | Window alone / bare |")
    print("|---|---|---|---|---|---|")
    for name, value, unit in rows:
        values = {program: [value(run) for run in runs[program]] for program in runs}
        digits = 1 if unit == "ms" else 2
        medians = " | ".join(f"{statistics.median(values[program]):.{digits}f} {unit}"
                             for program in (tirlo, bare, alone))
        print(f"| {name} | {medians} | {ratio(values[tirlo], values[bare])} "
              f"| {ratio(values[alone], values[bare])} |")


def ratio(ours, theirs):
    """The median of the ratios of launches in the same round, and their range."""
    ratios = [a / b for a, b in zip(ours, theirs)]
    return f"{statistics.median(ratios):.2f}x ({min(ratios):.2f}x to {max(ratios):.2f}x)"


if __name__ == "__main__":
    main()
