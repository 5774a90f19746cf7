"""Reads the Dalvimo window through AT-SPI, as a screen reader does.

Finds the application on the accessibility bus (retrying while it
registers), checks that every interactive control has a name no other
control of its role has, that every role is met, and that decorations are
left out; then starts the Quorvan simulator
and waits to hear the link indicator and the result line announce their
change. With --dump, prints the whole tree at the end.

Run by run.sh inside its own session, screen and accessibility bus.
"""

import argparse
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP_WAIT = 30  # seconds for the window to appear on the bus
EVENT_WAIT = 15  # seconds for each announcement

INTERACTIVE = {"push button", "check box", "text", "combo box", "link", "page tab", "scroll bar"}

# Every role a reader meets in this window, each at least once.
ROLES = INTERACTIVE | {"frame", "panel", "status bar", "page tab list", "label"}

# (role, name) made at run time or shown only through AT-SPI: the window's
# frame, the indicator, the arrows inside the scroll bars, the time labels
# before a time is read.
EXPECTED = [
    ("frame", "Dalvimo"),
    ("status bar", "Нет ответа"),
    ("push button", "Предыдущий скин"),
    ("push button", "Следующий скин"),
    ("push button", "Предыдущий стиль"),
    ("push button", "Следующий стиль"),
] + [("label", f"Время будильника {n}, ?:??") for n in range(1, 5)]

STATES = {
    pyatspi.STATE_FOCUSABLE: "focusable",
    pyatspi.STATE_SELECTED: "selected",
    pyatspi.STATE_CHECKED: "checked",
    pyatspi.STATE_SHOWING: "showing",
    pyatspi.STATE_ENABLED: "enabled",
}


def find_window(app_name, deadline):
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None or (app.name or "").lower() != app_name:
                continue
            for window in app:
                if window is not None and window.name == "Dalvimo":
                    return window
        time.sleep(0.5)
    return None


def walk(node, depth=0, parent=None):
    yield node, depth, parent
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1, node)


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return None


def describe(node, depth):
    states = node.getState()
    flags = ",".join(label for state, label in STATES.items() if states.contains(state))
    line = f'{"  " * depth}{node.getRoleName()} "{node.name}" [{flags}]'
    value = text_of(node) if node.getRoleName() == "label" and node.name.startswith("Время") else None
    if value is not None:
        line += f" = {value}"
    if node.description:
        line += f" — {node.description}"
    return line


def check_tree(window):
    """Every control named, each name once among the controls of its role
    that the window's frames hold, every role present, decorations left out."""
    faults = []
    seen = set()
    placed = set()
    for node, _, parent in walk(window):
        role, name = node.getRoleName(), node.name
        if role in INTERACTIVE and not name:
            faults.append(f"nameless {role} (description {node.description!r})")
        if role in {"image", "unknown", "invalid"}:
            faults.append(f"{role} {name!r} should be left out")
        if role in INTERACTIVE and parent is not None and parent.getRoleName() in {"frame", "panel"}:
            if (role, name) in placed:
                faults.append(f"two of {role} {name!r}")
            placed.add((role, name))
        seen.add((role, name))
    for role in sorted(ROLES - {role for role, _ in seen}):
        faults.append(f"no {role} at all")
    for item in EXPECTED:
        if item not in seen:
            faults.append(f"missing {item[0]} {item[1]!r}")
    return faults


class Announcements:
    """Name changes heard on the bus, by the object's role."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.on_event, "object:property-change:accessible-name")

    def on_event(self, event):
        try:
            self.heard.append((event.source.getRoleName(), event.source.name))
        except Exception:  # the source may be gone by now
            pass

    def wait_for(self, role, name, seconds):
        found = []

        def poll():
            if (role, name) in self.heard:
                found.append(True)
                pyatspi.Registry.stop()
                return False
            return True

        def give_up():
            pyatspi.Registry.stop()
            return False

        GLib.timeout_add(100, poll)
        timer = GLib.timeout_add_seconds(seconds, give_up)
        pyatspi.Registry.start()
        if not found:
            return False
        GLib.source_remove(timer)
        return True


def start_sim(path, bind):
    return subprocess.Popen([path, "--bind", bind, "--port", "17777", "--quiet"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sim", required=True)
    parser.add_argument("--bind", required=True)
    parser.add_argument("--dump", action="store_true")
    args = parser.parse_args()

    window = find_window("dalvimo", time.monotonic() + APP_WAIT)
    if window is None:
        print("FAIL: no Dalvimo window on the accessibility bus")
        return 1

    faults = check_tree(window)
    indicator = [n for n, _, _ in walk(window) if n.description == "Отвечает ли Quorvan"]
    times = [n for n, _, _ in walk(window) if n.name.startswith("Время будильника 1, ") and n.getRoleName() == "label"]
    if not times or text_of(times[0]) != "?:??":
        faults.append("the time of alarm 1 does not read ?:??")

    heard = Announcements()
    sim = start_sim(args.sim, args.bind)
    try:
        if not heard.wait_for("status bar", "Quorvan отвечает", EVENT_WAIT):
            # Answered before the listener was heard by the client: hear
            # silence and an answer again.
            sim.terminate()
            sim.wait(5)
            if heard.wait_for("status bar", "Нет ответа", EVENT_WAIT):
                sim = start_sim(args.sim, args.bind)
                if not heard.wait_for("status bar", "Quorvan отвечает", EVENT_WAIT):
                    faults.append("the indicator did not announce that Quorvan answers")
            else:
                faults.append("the indicator did not announce its change")
        if not heard.wait_for("status bar", "0k!", EVENT_WAIT):
            faults.append("the result line did not announce 0k!")
        if indicator and indicator[0].name != "Quorvan отвечает":
            faults.append(f"the indicator reads {indicator[0].name!r}")
        deadline = time.monotonic() + EVENT_WAIT
        while times and text_of(times[0]) == "?:??" and time.monotonic() < deadline:
            time.sleep(0.2)
        if times and text_of(times[0]) == "?:??":
            faults.append("the time of alarm 1 was not read from the simulator")
        if args.dump:
            for node, depth, _ in walk(window):
                print(describe(node, depth))
    finally:
        sim.terminate()
        sim.wait(5)

    for fault in faults:
        print("FAIL:", fault)
    if faults:
        return 1
    print("ok: every control named, each name once for its role, announcements heard")
    return 0


if __name__ == "__main__":
    sys.exit(main())
