"""Works the Dalvimo window from the keyboard and checks what Orca says.

Keys go to the focused window through xdotool; what Orca would have spoken
is read from its debug log, one "SPEECH OUTPUT:" line per utterance, and
where its focus is from its "Changing locusOfFocus" lines. Each check
reports the phrase it waited for and everything Orca said meanwhile.

Run by run.sh inside its own session, screen, window manager and Orca.
"""

import argparse
import re
import subprocess
import sys
import time

import pyatspi

SPEECH = re.compile(r" - SPEECH OUTPUT: '(.*)'(?: voice=\w+)? ?\{")
FOCUS = re.compile(r" - ORCA: Changing locusOfFocus from .* to \[(.*?) \| (.*)\]\. Notify")
TIME = re.compile(r"(?<![\d:])\d{1,2}:\d{2}(?![\d:])")

START_WAIT = 60  # seconds for Orca to follow the focus into the window
LOAD_WAIT = 30  # seconds for the window to show what the simulator holds
FOCUS_WAIT = 5  # seconds for Orca to follow one Tab
PEER_WAIT = 20  # seconds for the indicator to change: 3 s of silence, polls every 2 s
RESULT_WAIT = 8  # seconds for a reply's result
MAX_TABS = 45  # Tab presses to reach a control, the whole window round and more

ALARM = "Время будильника 1"  # the label of alarm 1's time

class OrcaLog:
    """Orca's debug log, read as it grows: utterances and focus moves."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.partial = b""  # a line Orca is still writing
        self.entries = []  # ("speech", text) or ("focus", (role, name))

    def read(self):
        try:
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                data = f.read()
        except FileNotFoundError:
            return 0
        self.offset += len(data)
        lines = (self.partial + data).split(b"\n")
        self.partial = lines.pop()
        before = len(self.entries)
        for line in (raw.decode("utf-8", errors="replace") for raw in lines):
            if m := SPEECH.search(line):
                self.entries.append(("speech", m.group(1)))
            elif m := FOCUS.search(line):
                self.entries.append(("focus", (m.group(1), m.group(2))))
        return len(self.entries) - before

    def mark(self):
        self.read()
        return len(self.entries)

    def spoken(self, since):
        return [text for kind, text in self.entries[since:] if kind == "speech"]

    def focus(self, since=0):
        moves = [value for kind, value in self.entries[since:] if kind == "focus"]
        return moves[-1] if moves else None

    def wait(self, condition, seconds):
        deadline = time.monotonic() + seconds
        while True:
            self.read()
            if condition():
                return True
            if time.monotonic() >= deadline:
                return False
            time.sleep(0.1)

    def settle(self, quiet=0.7, limit=5):
        """Until Orca has said nothing more for a moment."""
        deadline = time.monotonic() + limit
        last = time.monotonic()
        while time.monotonic() < deadline:
            if self.read():
                last = time.monotonic()
            elif time.monotonic() - last >= quiet:
                return
            time.sleep(0.1)


def is_named(name, target):
    """Whether name is target's, perhaps followed by its value
    ("Время будильника 1, 7:05")."""
    return name == target or (name.startswith(target) and not name[len(target)].isalnum())


def press(keys):
    subprocess.run(["xdotool", "key", keys], check=True, timeout=10)


class Session:
    def __init__(self, log, sim, bind):
        self.log = log
        self.sim_path = sim
        self.bind = bind
        self.sim = None
        self.results = []

    def start_sim(self):
        self.sim = subprocess.Popen([self.sim_path, "--bind", self.bind, "--port", "17777", "--quiet"],
                                    stdout=subprocess.DEVNULL)

    def stop_sim(self):
        if self.sim:
            self.sim.terminate()
            try:
                self.sim.wait(5)
            except subprocess.TimeoutExpired:
                self.sim.kill()
                self.sim.wait()
            self.sim = None

    def report(self, check, expected, heard, ok):
        self.results.append(ok)
        said = " | ".join(f"'{t}'" for t in heard[-14:]) or "nothing"
        if ok:
            print(f"PASS  {check}: heard {expected!r} in {said}")
        else:
            print(f"FAIL  {check}: expected {expected!r}; Orca said: {said}")
        sys.stdout.flush()

    def tab_to(self, target):
        """Tabs until Orca's focus is on target; the log mark taken before
        the press that reached it, or None."""
        for _ in range(MAX_TABS):
            mark = self.log.mark()
            press("Tab")
            self.log.wait(lambda: self.log.focus(mark) is not None, FOCUS_WAIT)
            self.log.settle()
            focus = self.log.focus(mark)
            if focus is not None and is_named(focus[1], target):
                return mark
        return None

    def focus_check(self, check, target, pattern, shown):
        """Tabs to target, then expects its utterances to match pattern."""
        mark = self.tab_to(target)
        if mark is None:
            self.report(check, shown, [f"(focus never reached {target!r}; last: {self.log.focus()})"], False)
            return
        heard = self.log.spoken(mark)
        self.report(check, shown, heard, any(pattern.search(t) for t in heard))

    def event_check_at(self, target, check, phrase, action, seconds, pattern=None):
        """Tabs to target, then does event_check there."""
        if self.tab_to(target) is None:
            self.report(check, phrase, [f"(focus never reached {target!r})"], False)
        else:
            self.event_check(check, phrase, action, seconds, pattern)

    def event_check(self, check, phrase, action, seconds, pattern=None):
        """Does action, then waits for phrase (or pattern, which phrase
        then describes) in what Orca says."""
        pattern = pattern or re.compile(re.escape(phrase))
        mark = self.log.mark()
        action()
        ok = self.log.wait(lambda: any(pattern.search(t) for t in self.log.spoken(mark)), seconds)
        self.log.settle()
        self.report(check, phrase, self.log.spoken(mark), ok)


def window_active(pid, deadline):
    """Keys go to the active window: waits until it is the client's,
    asking the window manager for it once."""
    asked = False
    while time.monotonic() < deadline:
        active = subprocess.run(["xdotool", "getactivewindow", "getwindowpid"], capture_output=True, text=True,
                                timeout=10)
        if active.stdout.strip() == str(pid):
            return True
        if not asked:
            asked = True
            subprocess.run(["xdotool", "search", "--pid", str(pid), "--name", "^Dalvimo$", "windowactivate"],
                           capture_output=True, timeout=10)
        time.sleep(0.2)
    return False


def alarm_time_loaded(pid, deadline):
    """Waits until the window shows alarm 1's time from the simulator, in
    the name or the text of a control named for it (the label, its editor)."""

    def shown(node):
        text = node.name or ""
        try:
            t = node.queryText()
            text += " " + t.getText(0, t.characterCount)
        except NotImplementedError:
            pass
        return TIME.search(text) is not None

    def named(node):
        # Not into a drop-down's list, whose rows Qt makes only when asked.
        if node is None:
            return
        if is_named(node.name or "", ALARM):
            yield node
        if node.getRole() != pyatspi.ROLE_COMBO_BOX:
            for child in node:
                yield from named(child)

    while time.monotonic() < deadline:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == pid and any(shown(n) for n in named(app)):
                    return True
        except Exception:  # a control that went away while it was read
            pass
        time.sleep(0.5)
    return False


def run_checks(s):
    log = s.log
    # "Будильники": the time of alarm 1, then its save and the result.
    press("ctrl+2")
    log.settle()
    s.focus_check("a time on focusing an alarm time", ALARM, TIME, "H:MM")
    s.event_check_at("Сохранить будильник 1", "0k! after a save", "0k!", lambda: press("space"), RESULT_WAIT)

    # "Скины": the focus follows the page to its tab, which says it is the
    # one selected. A step of the skin bar names the skin that Quorvan now
    # shows and its place.
    s.event_check("the tab selected after Ctrl+1", "выбрана, 1 из 3", lambda: press("ctrl+1"), FOCUS_WAIT)
    s.event_check_at("Скин", "a skin's name after a step", "NAME, N из M", lambda: press("Right"), RESULT_WAIT,
                     re.compile(r"\w, \d+ из \d+"))
    # The simulator's transparency level is 80; a step speaks the new one.
    s.focus_check("a level on focusing a level list", "Уровень прозрачности", re.compile(r"\b80\b"), "80")
    s.event_check("a new level after Down", "notification LEVEL", lambda: press("Down"), RESULT_WAIT,
                  re.compile(r"^notification (?!80\b)\d+"))

    # From a field of the server bar the focus stays put while the page
    # changes: only speech can tell which page is shown now.
    s.event_check_at("Адрес", "the page name after Ctrl+Tab", "Будильники", lambda: press("ctrl+Tab"), FOCUS_WAIT)

    # The indicator, whatever has the focus.
    s.event_check("'Нет ответа' after the peer stops", "Нет ответа", s.stop_sim, PEER_WAIT)
    s.event_check("'Quorvan отвечает' after it answers again", "Quorvan отвечает", s.start_sim, PEER_WAIT)

    failed = s.results.count(False)
    print(f"{len(s.results) - failed} of {len(s.results)} spoken as expected")
    return 1 if failed else 0


def walk(s, steps, pid):
    """Prints what Orca says at each step: a key for xdotool ("ctrl+2"),
    "to:NAME" (Tab until the focus is on NAME), "stop", "start" (the
    simulator), "wait:SECONDS" or "wide" (the window widened to show the
    debug strip)."""
    for step in steps:
        mark = s.log.mark()
        if step.startswith("to:"):
            found = s.tab_to(step[3:])
            if found is None:
                print(f"{step}: focus never reached it")
                continue
            mark = found
        elif step == "stop":
            s.stop_sim()
        elif step == "start":
            s.start_sim()
        elif step.startswith("wait:"):
            time.sleep(float(step[5:]))
        elif step == "wide":
            subprocess.run(["xdotool", "getactivewindow", "windowsize", "900", "260"], check=True, timeout=10)
        else:
            press(step)
        s.log.settle()
        print(f"{step}: " + (" | ".join(f"'{t}'" for t in s.log.spoken(mark)) or "nothing"))
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--sim", required=True)
    parser.add_argument("--bind", required=True)
    parser.add_argument("--pid", required=True, type=int, help="the client's process")
    parser.add_argument("steps", nargs="*", help="instead of the checks, steps to walk (see walk())")
    args = parser.parse_args()

    log = OrcaLog(args.log)
    if not log.wait(lambda: (f := log.focus()) is not None and f[0] != "frame", START_WAIT):
        print("FAIL: Orca never followed the focus into the Dalvimo window")
        return 1
    if not window_active(args.pid, time.monotonic() + START_WAIT):
        print("FAIL: the Dalvimo window never became the active window")
        return 1

    s = Session(log, args.sim, args.bind)
    try:
        s.start_sim()
        if not alarm_time_loaded(args.pid, time.monotonic() + LOAD_WAIT):
            print("FAIL: the window never showed the time of alarm 1 from the simulator")
            return 1
        log.settle()
        return walk(s, args.steps, args.pid) if args.steps else run_checks(s)
    finally:
        s.stop_sim()


if __name__ == "__main__":
    sys.exit(main())
