#!/usr/bin/python3
"""Times, on the X display in DISPLAY, what a learner waits for: from
starting a program to the first pixels of its window, and from a step
(opening a tab, pressing Enter on an answer) to the first pixels drawn after
it; beside each, the floor that does the same the plain way, and the peer
programs given the same words. Every program is run fresh; a figure and its
floor run back to back, the pairs in a new random order each round.

    first_paint.py BENCH_DIR LEXIWREN WORDS.txt WORDS.kvtml RUNS [HISTORY] > out.json

BENCH_DIR holds lexiwren_probe, lexiwren_floor and lexiwren_floor_steps.
Every file a program writes stays in one temporary folder, removed at the
end. Peak memory is the resident high-water mark once the start is done.
HISTORY, a review history (make_history), is laid in the data folder of the
scenarios that read or write one (HISTORY_SCENARIOS)."""
import contextlib
import json
import os
import platform
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from paint_log import LineReader

# What settles a start: nothing of ours draws after its first paint, the
# peers fill their windows in several paints.
SETTLE = {"ours": 0.25, "peer": 3.0}
BETWEEN_STEPS = 0.15
# Drawing that follows a step can take more than one flush (a table lays
# out its scroll bars once shown); it is done when nothing more is drawn for
# this long.
QUIET = 0.1
TIMEOUT = 30.0

# name: (program, steps, how the last step ends). A step is timed from its
# begin to the last pixels of the drawing that follows its return ("paint"),
# or to its return ("return") when it ends by saving with nothing to draw.
SCENARIOS = {
    "start": ("lexiwren", [], None),
    "start floor": ("floor", [], None),
    "quiz tab": ("probe", ["tab 1"], "paint"),
    "test tab": ("probe", ["tab 2"], "paint"),
    "list tab": ("probe", ["tab 3"], "paint"),
    "options tab": ("probe", ["tab 4"], "paint"),
    "about tab": ("probe", ["tab 5"], "paint"),
    "quiz tab, low accuracy": ("probe", ["tab 4", "click RadioButton11", "tab 1"], "paint"),
    "list floor": ("floor steps", ["read {words}", "list"], "paint"),
    "answer": ("probe", ["words {words}", "tab 1", "type-answer", "enter Edit3"], "paint"),
    "reset": ("probe", ["tab 4", "click Button7"], "return"),
    "save floor": ("floor steps", ["read {words}", "answer"], "return"),
    "answer floor": ("floor steps", ["read {words}", "history {floor_history}", "answer-history"], "return"),
    "progress tab": ("probe", ["tab 6"], "paint"),
    "KWordQuiz": ("kwordquiz", [], None),
    "Parley": ("parley", [], None),
}
PEERS = ("kwordquiz", "parley")
# Scenarios compared with each other run back to back, in a new random
# order each round, so that each ratio is taken between runs that saw the
# same moment of the machine.
GROUPS = [("start", "start floor"), ("list tab", "list floor"), ("answer", "reset", "save floor", "answer floor"),
          ("progress tab",), ("quiz tab",), ("test tab",), ("options tab",), ("about tab",), ("quiz tab, low accuracy",),
          ("KWordQuiz",), ("Parley",)]

# The scenarios whose data folder holds the history given: the answer (its
# row goes into a history of that size) and the progress tab.
HISTORY_SCENARIOS = ("answer", "progress tab")


class Home:
    """A program's own home folder, kept over the runs so its caches are
    warm as on a learner's second start; its word file laid anew each run."""

    def __init__(self, root, name, words, kvtml, history=None):
        self.path = os.path.join(root, name.replace(" ", "-"))
        self.words, self.kvtml, self.history = words, kvtml, history
        for sub in ("config/lexiwren", "data/lexiwren/words", "cache", "tmp"):
            os.makedirs(os.path.join(self.path, sub), exist_ok=True)
        os.makedirs(os.path.join(self.path, "runtime"), mode=0o700, exist_ok=True)
        with open(os.path.join(self.path, "config/lexiwren/plimopref.ini"), "wb") as f:
            f.write(b"[wordfile]\r\ndefwordfile=words\\default.txt\r\n")
        self.word_file = os.path.join(self.path, "data/lexiwren/words/default.txt")
        self.kvtml_file = os.path.join(self.path, "words.kvtml")
        self.history_file = os.path.join(self.path, "data/lexiwren/history.sqlite")
        self.floor_history = os.path.join(self.path, "tmp/floor-history.sqlite")

    def lay(self):
        shutil.copyfile(self.words, self.word_file)
        shutil.copyfile(self.kvtml, self.kvtml_file)
        for f in (self.history_file, self.floor_history):
            for suffix in ("", "-wal", "-shm"):
                with contextlib.suppress(FileNotFoundError):
                    os.remove(f + suffix)
        if self.history:
            shutil.copyfile(self.history, self.history_file)
        # A peer killed at the end of a run leaves its document lock here.
        shutil.rmtree(os.path.join(self.path, "data/stalefiles"), ignore_errors=True)

    def env(self):
        p = self.path
        return dict(os.environ, HOME=p, XDG_CONFIG_HOME=f"{p}/config", XDG_DATA_HOME=f"{p}/data",
                    XDG_CACHE_HOME=f"{p}/cache", XDG_RUNTIME_DIR=f"{p}/runtime", TMPDIR=f"{p}/tmp",
                    QT_QPA_PLATFORM="xcb")


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return None


def end(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def run(screen, command, home, steps, ending, settle):
    """One fresh program: its start, peak memory and last step's time."""
    home.lay()
    screen.pump(0)
    screen.forget()
    spawn = time.monotonic_ns()
    proc = subprocess.Popen(command, env=home.env(), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    lines = LineReader(proc.stdout)
    try:
        first = screen.wait_for_paint(spawn, TIMEOUT, after_map=True, lines=lines)
        if first is None:
            raise RuntimeError("drew nothing")
        screen.pump(settle, lines)
        result = {"start_ms": (first - spawn) / 1e6, "rss_kib": peak_rss_kib(proc.pid),
                  "drawn_ms": (screen.paints[-1] - spawn) / 1e6}
        for i, step in enumerate(steps):
            if i:
                screen.pump(BETWEEN_STEPS, lines)
            begin, done = take_step(screen, proc, lines,
                                    step.format(words=home.word_file, floor_history=home.floor_history))
            if i == len(steps) - 1:
                result["step_ms"] = (done - begin) / 1e6
                if ending == "paint":
                    first, last = drawing_after(screen, done, lines)
                    result["step_first_ms"] = (first - begin) / 1e6
                    result["step_ms"] = (last - begin) / 1e6
        return result
    finally:
        end(proc)
        # The server tidies the screen after the window goes; let that pass.
        screen.pump(0.1)


def drawing_after(screen, ns, lines):
    """First and last pixels of the drawing that follows `ns`."""
    first = screen.wait_for_paint(ns, TIMEOUT, lines=lines)
    if first is None:
        raise RuntimeError("drew nothing after the step")
    last = first
    while True:
        screen.pump(QUIET, lines)
        if screen.paints[-1] == last:
            return first, last
        last = screen.paints[-1]


def take_step(screen, proc, lines, step):
    lines.lines.clear()
    proc.stdin.write(step.encode() + b"\n")
    proc.stdin.flush()
    begin = None
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        while lines.lines:
            word, _, value = lines.lines.pop(0).partition(" ")
            if word == "begin":
                begin = int(value)
            elif word == "end":
                return begin if begin is not None else int(value), int(value)
            elif word == "error":
                raise RuntimeError(f"{step}: {value}")
        if lines.closed:
            raise RuntimeError(f"{step}: the program ended")
        screen.pump(0.05, lines)
    raise RuntimeError(f"{step}: no answer")


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                  if line.startswith("model name")), platform.machine())
    os_name = platform.freedesktop_os_release().get("PRETTY_NAME", platform.system())
    return f"{os.cpu_count()} cores, {model}, {os_name}"


def version(package):
    out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True, text=True)
    return out.stdout.strip() or None


def main():
    # Stopped from outside (a time limit), the programs under test and the
    # temporary folder go the same way as at the end.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("first_paint: stopped"))
    from xscreen import Screen  # python3-xlib: only the timing itself needs it

    bench_dir, lexiwren, words, kvtml, runs = sys.argv[1:6]
    history = sys.argv[6] if len(sys.argv) > 6 else None
    programs = {"lexiwren": [lexiwren], "probe": [f"{bench_dir}/lexiwren_probe"],
                "floor": [f"{bench_dir}/lexiwren_floor"], "floor steps": [f"{bench_dir}/lexiwren_floor_steps"]}
    for peer in PEERS:
        if shutil.which(peer):
            programs[peer] = [peer, "{kvtml}"]
        else:
            print(f"first_paint: {peer} is not installed; its row is left out", file=sys.stderr)
    # BENCH_ONLY="start,start floor" times only those scenarios.
    only = [n for n in os.environ.get("BENCH_ONLY", "").split(",") if n]
    scenarios = {name: s for name, s in SCENARIOS.items() if s[0] in programs and (not only or name in only)}
    screen = Screen()
    samples = {name: [] for name in scenarios}
    load = [os.getloadavg()[0]]
    with tempfile.TemporaryDirectory(prefix="lexiwren-bench-") as root:
        homes = {name: Home(root, name, words, kvtml, history if name in HISTORY_SCENARIOS else None)
                 for name in scenarios}

        def once(name):
            if name not in scenarios:
                return None
            program, steps, ending = scenarios[name]
            command = [a.format(kvtml=homes[name].kvtml_file) for a in programs[program]]
            settle = SETTLE["peer" if program in PEERS else "ours"]
            try:
                return run(screen, command, homes[name], steps, ending, settle)
            except RuntimeError as e:
                if program in PEERS:
                    print(f"first_paint: {name}: {e}; its row is left out", file=sys.stderr)
                    del scenarios[name]
                    return None
                raise SystemExit(f"first_paint: {name}: {e}")

        for name in list(scenarios):  # a round not counted: caches filled for every program
            once(name)
        shuffle = random.Random(16)
        groups = [list(g) for g in GROUPS]
        for _ in range(int(runs)):
            shuffle.shuffle(groups)
            for group in groups:
                shuffle.shuffle(group)
                for name in group:
                    result = once(name)
                    if result is not None:
                        samples[name].append(result)
    load.append(os.getloadavg()[0])
    out = {"date": time.strftime("%Y-%m-%d"), "machine": machine(), "runs": int(runs), "load": load,
           "versions": {p: version(p) for p in PEERS if p in programs},
           "scenarios": {name: samples[name] for name in scenarios}}
    json.dump(out, sys.stdout, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
