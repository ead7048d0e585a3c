#!/usr/bin/env python3
"""Drives the built lexiwren on a real X display, as a person would: real key
and mouse events through xdotool, real message boxes, and after every step
the word file's bytes on disk (CP932, CR LF) compared with what they must be.

  drive.py PROGRAM WORKDIR        (DISPLAY names the X server to use)

Every wait is bounded; a step that does not show its effect in time fails
the run with the word file's bytes and a picture of the screen in WORKDIR."""
import os
import re
import shutil
import signal
import subprocess
import sys
import time

import screen

WAIT = 10.0        # seconds any single effect may take to show
POLL = 0.05

# Client-area positions of the controls used here: the panels lie at (8, 24)
# inside the 498 x 356 window, and each control at its fixed place in its
# panel. Without a window manager the window has no frame, so these are also
# positions relative to the X window.
PANEL = (8, 24)
# The tabs are as wide as their captions in the program's Japanese font
# (IPA Gothic, installed with the program's dependencies); these are the
# middles of 出題, テスト出題, 登録一覧 and オプション... in that font.
TABS = {"quiz": (96, 12), "test": (165, 12), "list": (238, 12), "options": (315, 12)}


def at(x, y, w=0, h=0):
    """Centre of a control given by its place inside a panel."""
    return PANEL[0] + x + w // 2, PANEL[1] + y + h // 2


WORD, MEAN = at(64, 36, 145, 20), at(64, 60, 241, 20)
EXAMPLE, EXAMPLEMEAN = at(64, 90, 289, 20), at(64, 114, 289, 20)
IN_TURN = (PANEL[0] + 16 + 8 + 30, PANEL[1] + 160 + 16 + 8)   # on the caption 順繰り in its group box
QUIZ_ANSWER = at(8, 88, 417, 24)
QUIZ_PROMPT = (PANEL[0] + 24, PANEL[1] + 40)                 # Label5, 16 px font
TEST_NORMAL = at(32, 144, 121, 25)
TEST_ANSWER = at(8, 112, 225, 24)
TEST_PROMPT = (PANEL[0] + 32, PANEL[1] + 56)                 # Label18, 16 px font
PROMPT_SIZE = (340, 18)
LIST_DELETE = (136 + 37, 320 + 12)                            # 消去...(&D) below the grid
LIST_ROW_Y = 23 + 18 * 1 + 9                                  # first record row of the grid


class Failed(Exception):
    pass


def end(proc):
    """Ends a process we started: asked first, then killed."""
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait(5)


class Run:
    def __init__(self, program, workdir):
        self.program = program
        self.workdir = workdir
        self.passed = 0
        self.proc = None
        self.window = None
        self.words = None
        self.bound = set()

    # --- X and the program -------------------------------------------------

    @staticmethod
    def xdo(*args):
        return subprocess.run(["xdotool", *map(str, args)], check=False, text=True,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout

    def visible(self, pattern):
        return [w for w in self.xdo("search", "--onlyvisible", "--name", pattern).split() if w]

    def wait_for(self, what, probe, timeout=WAIT):
        end = time.monotonic() + timeout
        while True:
            result = probe()
            if result:
                return result
            if time.monotonic() > end:
                raise Failed(f"timed out waiting for {what}")
            if self.proc and self.proc.poll() is not None:
                raise Failed(f"the program ended (status {self.proc.returncode}) while waiting for {what}")
            time.sleep(POLL)

    def wait_window(self, pattern, what):
        return self.wait_for(what, lambda: (self.visible(pattern) or [None])[0])

    def start(self, home):
        env = dict(os.environ)
        env.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
                   XDG_RUNTIME_DIR=f"{home}/.run", LANG="C.UTF-8")
        env.pop("QT_QPA_PLATFORM", None)
        os.makedirs(f"{home}/.run", mode=0o700, exist_ok=True)
        self.env = env
        self.words = f"{home}/.local/share/lexiwren/words/default.txt"
        self.log = open(f"{home}/program.log", "w")
        self.proc = subprocess.Popen([self.program], env=env, stdout=self.log, stderr=subprocess.STDOUT)

    def start_again(self):
        """Another start by the same user, while the program runs."""
        return subprocess.Popen([self.program], env=self.env, stdout=self.log, stderr=subprocess.STDOUT)

    def main_window(self):
        self.window = self.wait_window(r"^Lexiwren v1\.0", "the main window")
        return self.window

    def stop(self):
        if self.proc:
            end(self.proc)
            self.log.close()
        self.proc = None

    def click(self, pos):
        """Clicks inside the main window. Without a window manager nothing
        gives the window the keyboard focus back after a message box, and
        keys sent to a window that has not taken the focus are lost: so the
        focus is moved to the window first, and the click puts the cursor into
        the control as a person's click would."""
        if self.xdo("getwindowfocus").strip() != self.window:
            self.xdo("windowfocus", "--sync", self.window)
        self.xdo("mousemove", "--window", self.window, pos[0], pos[1], "click", "1")

    def type(self, text):
        self.bind_keys(text)
        self.xdo("type", "--delay", "15", text)

    def bind_keys(self, text):
        """Gives each character of text that no key makes (the Japanese ones)
        a spare key of its own, for good. xdotool could bind a spare key
        for each character and unbind it straight after the key press, but
        the program may read the keyboard map only once it is unbound again
        and then drops the character; a binding that stays has no such race."""
        missing = sorted({c for c in text if ord(c) > 0x7e} - self.bound)
        if not missing:
            return
        table = subprocess.run(["xmodmap", "-pke"], check=True, text=True, stdout=subprocess.PIPE).stdout
        spare = [int(m.group(1)) for m in re.finditer(r"^keycode\s+(\d+)\s*=\s*$", table, re.M)]
        # Keep the last spare key free for xdotool's own use.
        if len(spare) <= len(missing):
            raise Failed(f"no spare keys left for {''.join(missing)}")
        for code, c in zip(spare, missing):
            sym = f"U{ord(c):04X}"
            subprocess.run(["xmodmap", "-e", f"keycode {code} = {sym} {sym}"], check=True)
            self.bound.add(c)

    def key(self, *keys):
        self.xdo("key", "--delay", "15", *keys)

    def answer_box(self, pattern, what):
        """Waits for a message box, presses Return (its default button) and
        waits until it is gone. A key sent before the box has taken the focus
        is lost, so Return is sent again while the box stays on screen."""
        box = self.wait_window(pattern, what)
        for _ in range(4):
            self.xdo("windowfocus", "--sync", box)
            self.xdo("key", "Return")
            try:
                self.wait_for(f"{what} to close", lambda: box not in self.visible(pattern), timeout=2.5)
                self.step(f"answered {what}")
                return
            except Failed:
                continue
        raise Failed(f"{what} did not close on Return")

    def prompt(self, origin):
        return screen.crop(self.window, *origin, *PROMPT_SIZE)

    def new_prompt(self, origin, previous, what):
        """Waits for the prompt to change from previous and to look the same
        twice in a row, so that no half-drawn picture is taken for it."""
        last = [None]

        def settled():
            now = self.prompt(origin)
            seen, last[0] = last[0], now
            return now if now != previous and now == seen else None
        return self.wait_for(what, settled)

    # --- the word file ------------------------------------------------------

    def file_bytes(self):
        try:
            with open(self.words, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def expect_file(self, records, what):
        """Waits until the word file holds exactly these records (text as
        typed), each ended by CR LF, in code page 932."""
        want = b"".join(r.encode("cp932") + b"\r\n" for r in records)
        try:
            self.wait_for(what, lambda: self.file_bytes() == want)
        except Failed:
            raise Failed(f"{what}: the word file holds {self.file_bytes()!r}, expected {want!r}")
        self.step(what)

    def step(self, what):
        self.passed += 1
        print(f"  ok {self.passed:2d}  {what}", flush=True)

    def evidence(self, name="failure"):
        if self.window:
            try:
                screen.png(self.window, f"{self.workdir}/{name}.png")
                print(f"  picture of the window: {self.workdir}/{name}.png")
            except Exception as e:  # the window may be gone with the program
                print(f"  no picture of the window: {e}")


def first_start_and_words(run, home):
    """A new user: first start, three words, one quiz answer right and one
    wrong, then the second word deleted from the list."""
    run.start(home)
    run.answer_box(r"^Lexiwren$", "the message about creating plimopref.ini")
    run.main_window()
    with open(f"{home}/.config/lexiwren/plimopref.ini", "rb") as f:
        prefs = f.read()
    if prefs.decode("cp932").split() != ["[wordfile]", "defwordfile=words\\default.txt"]:
        raise Failed(f"plimopref.ini does not name the default word file: {prefs!r}")
    run.step("plimopref.ini names words\\default.txt")
    run.expect_file([], "an empty words/default.txt")

    apple = "apple,りんご,,,0,0,0"
    run_ = "run,走る,,,1,0,0"
    quickly = "quickly,速く,He ran quickly.,彼は速く走った。,3,0,0"

    # Enter in the meaning registers; the fields empty and the cursor is
    # back in 単語 for the next word.
    run.click(WORD)
    run.type("apple")
    run.click(MEAN)
    run.type("りんご")
    run.key("Return")
    run.expect_file([apple], "registered apple / りんご with Enter")

    run.click(WORD)
    run.type("run")
    run.key("Tab")
    run.type("走る")
    run.key("alt+x")          # 動詞(&X)
    run.key("alt+r")          # 登録！(&R)
    run.expect_file([apple, run_], "registered run / 走る as a verb with 登録！(&R)")

    run.click(WORD)
    run.type("quickly")
    run.click(MEAN)
    run.type("速く")
    run.click(EXAMPLE)
    run.type("He ran quickly.")
    run.key("alt+v")          # 副詞(&V)
    run.click(EXAMPLEMEAN)
    run.type("彼は速く走った。")
    run.key("Return")
    run.expect_file([apple, run_, quickly], "registered quickly with an example, as an adverb")

    run.click(WORD)
    run.type("apple")
    run.click(MEAN)
    run.type("林檎")
    run.key("Return")
    run.answer_box(r"^Lexiwren$", "the message that apple is already registered")
    run.expect_file([apple, run_, quickly], "a duplicate changes nothing")

    # In-turn order asks the records in file order: apple, then run.
    run.click(TABS["options"])
    run.click(IN_TURN)
    run.click(TABS["quiz"])
    run.click(QUIZ_ANSWER)
    run.type("apple")
    run.key("Return")
    run.answer_box(r"^Lexiwren$", "the praise for a right quiz answer")
    run.expect_file(["apple,りんご,,,0,1,1", run_, quickly], "a right quiz answer counts asked and correct")

    run.click(QUIZ_ANSWER)
    run.type("ran")
    run.key("Return")
    run.answer_box(r"^Lexiwren$", "the regret for a wrong quiz answer")
    run.expect_file(["apple,りんご,,,0,1,1", "run,走る,,,1,1,0", quickly],
                    "a wrong quiz answer counts asked only")

    # The list: select run's row, 消去...(&D), confirm.
    run.click(TABS["list"])
    run.click((4 + 32 + 34, LIST_ROW_Y + 18))
    run.click(LIST_DELETE)
    run.answer_box(r"^情報", "the confirmation of the deletion")
    run.expect_file(["apple,りんご,,,0,1,1", quickly], "deleting the second row removes run alone")
    run.stop()


def prepared_home(home, records):
    """A user who has run the program before: preferences naming
    words\\default.txt, and that word file holding these records."""
    os.makedirs(f"{home}/.config/lexiwren")
    os.makedirs(f"{home}/.local/share/lexiwren/words")
    with open(f"{home}/.config/lexiwren/plimopref.ini", "wb") as f:
        f.write(b"[wordfile]\r\ndefwordfile=words\\default.txt\r\n")
    with open(f"{home}/.local/share/lexiwren/words/default.txt", "wb") as f:
        f.write(b"".join(r.encode("cp932") + b"\r\n" for r in records))


TEST_WORDS = [("book", "本"), ("cat", "猫"), ("dog", "犬"), ("river", "川"),
              ("mountain", "山"), ("window", "窓"), ("flower", "花"), ("bridge", "橋"),
              ("school", "学校"), ("summer", "夏"), ("library", "図書館"), ("station", "駅")]


def normal_test(run, home):
    """A normal test of 10 questions from a prepared file of 12 words."""
    counts = {w: [0, 0] for w, _ in TEST_WORDS}

    def records():
        return [f"{w},{m},,,0,{counts[w][0]},{counts[w][1]}" for w, m in TEST_WORDS]

    prepared_home(home, records())
    run.start(home)
    run.main_window()
    run.step("a second start with a preferences file shows no message")

    # The test prompt shows only a meaning. Learn what each meaning looks like
    # from the quiz in turn, which shows the records in file order.
    run.click(TABS["options"])
    run.click(IN_TURN)
    previous = run.prompt(QUIZ_PROMPT)      # the options panel, before the quiz shows
    run.click(TABS["quiz"])
    looks = {}
    for i, (word, _) in enumerate(TEST_WORDS):
        if i > 0:                     # the tab opens on the first question
            run.key("alt+n")          # 次の問題(&N)
        shown = run.new_prompt(QUIZ_PROMPT, previous, f"the quiz to ask {word}")
        looks[shown] = word
        previous = shown
    if len(looks) != len(TEST_WORDS):
        raise Failed("two meanings look alike on screen")
    run.key("alt+n")                          # in turn wraps round to the first word
    again = run.new_prompt(QUIZ_PROMPT, previous, "the quiz to come round to book")
    if looks.get(again) != TEST_WORDS[0][0]:
        raise Failed("the quiz in turn did not come round to the first word")
    run.step("the quiz in turn asked the twelve words in file order and came round")
    run.expect_file(records(), "asking without answering leaves the counters alone")

    run.click(TABS["test"])
    run.click(TEST_NORMAL)
    asked = []
    for q in range(1, 11):
        word = run.wait_for(f"question {q}",
                            lambda: (lambda w: w if w and w not in asked else None)(
                                looks.get(run.prompt(TEST_PROMPT))))
        asked.append(word)
        right = q <= 7
        run.click(TEST_ANSWER)
        run.type(word if right else word.capitalize())   # case counts
        run.key("Return")
        counts[word][0] += 1
        counts[word][1] += int(right)
        run.expect_file(records(), f"test question {q}: {word} answered {'right' if right else 'wrong'}")
    if sum(c[0] for c in counts.values()) != 10 or sum(c[1] for c in counts.values()) != 7:
        raise Failed("the test did not count 10 answers, 7 of them right")
    # After the tenth answer the results replace the questions.
    run.wait_for("the results after the tenth answer",
                 lambda: run.prompt(TEST_PROMPT) not in looks)
    run.step("ten distinct words asked, seven right, two never asked")
    run.stop()


def stacking():
    """The root's child windows, topmost first."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], check=True, text=True,
                          stdout=subprocess.PIPE).stdout
    return [str(int(m.group(1), 16)) for m in re.finditer(r"^\s+(0x[0-9a-f]+) ", tree, re.M)]


def second_start(run, home):
    """A second start brings the running window to the front and ends
    quietly; when the running copy hangs, it says that Lexiwren is running."""
    prepared_home(home, ["apple,りんご,,,0,0,0"])
    run.start(home)
    window = run.main_window()
    cover = subprocess.Popen(["xlogo", "-name", "cover", "-geometry", "700x500+0+0"],
                             stderr=subprocess.DEVNULL)
    try:
        cover_window = run.wait_window(r"^cover$", "a window over the program's")
        run.xdo("windowfocus", "--sync", cover_window)
        run.wait_for("the other window to cover the program's",
                     lambda: stacking().index(cover_window) < stacking().index(window))

        second = run.start_again()
        try:
            status = second.wait(15)
        except subprocess.TimeoutExpired:
            second.kill()
            raise Failed("the second start did not end (a message box?)")
        if status != 0 or run.visible(r"^Lexiwren$"):
            raise Failed(f"the second start ended with status {status} or left a message box")
        run.step("a second start ends at once with status 0, without a message")
        # Raised, and asked to be active. Without a window manager X grants
        # the focus only to a request newer than the last focus change, and
        # the program's request carries the time of the last event it saw:
        # the focus stays where the test put it, so only the raise is checked.
        run.wait_for("the running window to come above the other",
                     lambda: stacking().index(window) < stacking().index(cover_window))
        run.step("the running window comes to the front")
    finally:
        cover.terminate()
        cover.wait(5)

    # A copy that holds the lock but answers nothing.
    os.kill(run.proc.pid, signal.SIGSTOP)
    try:
        third = run.start_again()
        run.answer_box(r"^Lexiwren$", "Lexiwren はすでに起動しています。 from a start while the running copy hangs")
        if third.wait(10) != 0:
            raise Failed(f"that start ended with status {third.returncode}")
    finally:
        os.kill(run.proc.pid, signal.SIGCONT)
    run.step("after the message that start ends with status 0")
    run.stop()


def main():
    program, workdir = sys.argv[1], sys.argv[2]
    run = Run(program, workdir)
    started = time.monotonic()
    failed = 0
    # Each scenario starts the program afresh in a home of its own, so one
    # that fails does not keep the others from running.
    for name, scenario in (("first start, registration, quiz and deletion", first_start_and_words),
                           ("a normal test of 10", normal_test),
                           ("a second start while the program runs", second_start)):
        print(f"e2e: {name}", flush=True)
        home = f"{workdir}/{scenario.__name__}"
        shutil.rmtree(home, ignore_errors=True)
        os.makedirs(home)
        try:
            scenario(run, home)
        except Failed as e:
            failed += 1
            print(f"  FAILED: {e}", flush=True)
            run.evidence(scenario.__name__)
        finally:
            run.stop()
            run.window = None
    print(f"e2e: took {time.monotonic() - started:.1f} s")
    print(f"e2e: {run.passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
