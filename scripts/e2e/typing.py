#!/usr/bin/env python3
"""Types Japanese into the built lexiwren through a real input method: fcitx5
with Mozc and fcitx5's Qt 6 frontend, on the X display in DISPLAY, inside a
session bus of its own (run this under dbus-run-session, as a user other
than root: Mozc refuses to run as root).

  typing.py PROGRAM WORKDIR

Checks that the fields switch the input method themselves: "ringo" typed
into 意味 is stored as りんご, "apple" typed into 単語 stays apple, a choice
made by hand inside a field holds while typing there, and the change
dialog's meaning field is Japanese from its first opening."""
import os
import signal
import subprocess
import sys
import time

import drive
from drive import Failed, Run

ACTIVE, INACTIVE = 2, 1      # fcitx5's State: 0 no input context, 1 off, 2 on
LIST_MEAN_CELL = (160, drive.LIST_ROW_Y)                    # 意味 of the first record
PROFILE = """[Groups/0]
Name=Default
Default Layout=us
DefaultIM=keyboard-us

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
"""


def bus(*args):
    """A call on the session bus; its printed answer, or None on an error."""
    done = subprocess.run(["dbus-send", "--session", "--print-reply=literal", *args],
                          text=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return done.stdout.strip() if done.returncode == 0 else None


def fcitx_state():
    answer = bus("--dest=org.fcitx.Fcitx5", "/controller", "org.fcitx.Fcitx.Controller1.State")
    return int(answer.split()[-1]) if answer else None


class Fcitx:
    """fcitx5 with keyboard-us first and Mozc second in its one group, so that
    switching the input method on means Mozc."""

    def __init__(self, home):
        self.home = home
        os.makedirs(f"{home}/.config/fcitx5", exist_ok=True)
        with open(f"{home}/.config/fcitx5/profile", "w") as f:
            f.write(PROFILE)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=f"{home}/.config",
                   XDG_DATA_HOME=f"{home}/.local/share")
        self.log = open(f"{home}/fcitx5.log", "w")
        # Only what the test needs: no tray icon, no notifications, no other
        # frontends, so nothing else on the bus or the display interferes.
        self.proc = subprocess.Popen(
            ["fcitx5", "--disable=all", "--enable=dbus,dbusfrontend,xcb,keyboard,mozc,classicui"],
            env=env, stdout=self.log, stderr=subprocess.STDOUT)

    def wait_ready(self, run):
        owner = ("--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                 "org.freedesktop.DBus.NameHasOwner", "string:org.fcitx.Fcitx5")
        run.wait_for("fcitx5 on the session bus", lambda: "true" in (bus(*owner) or ""), timeout=30)

    def stop(self):
        drive.end(self.proc)
        self.log.close()
        # Mozc's converter runs on as a process of its own once started;
        # ours is the one with this test's home.
        for pid in mozc_servers(self.home):
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


def mozc_servers(home):
    """The process ids of the Mozc servers started with this home."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as f:
                if f.read().strip() != "mozc_server":
                    continue
            with open(f"/proc/{entry}/environ", "rb") as f:
                if f"HOME={home}".encode() in f.read().split(b"\0"):
                    found.append(int(entry))
        except OSError:  # gone meanwhile, or another user's
            continue
    return found


def wait_state(run, state, what):
    run.wait_for(what, lambda: fcitx_state() == state)
    run.step(what)


def scenario(run, home):
    fcitx = Fcitx(home)
    try:
        fcitx.wait_ready(run)
        run.step("fcitx5 runs with Mozc as its second input method")
        os.environ["QT_IM_MODULE"] = "fcitx"
        run.start(home)
        run.answer_box(r"^Lexiwren$", "the message about creating plimopref.ini")
        run.main_window()

        # No key press switches anything here: the focus alone does.
        run.click(drive.MEAN)
        wait_state(run, ACTIVE, "clicking 意味 switches the input method on")
        run.type("ringo")
        run.key("Return")                   # Mozc commits りんご
        run.click(drive.WORD)
        wait_state(run, INACTIVE, "clicking 単語 switches it off")
        run.type("apple")
        run.key("Return")
        run.expect_file(["apple,りんご,,,0,0,0"], "ringo typed into 意味 is stored as りんご, apple as apple")

        # Switched off by hand inside 意味, it stays off while typing there.
        run.click(drive.WORD)
        run.type("tea")
        run.click(drive.MEAN)
        wait_state(run, ACTIVE, "back in 意味 the input method is on again")
        run.key("ctrl+space")
        wait_state(run, INACTIVE, "Ctrl+Space in 意味 switches it off by hand")
        run.type("ocha")
        run.key("Return")
        run.expect_file(["apple,りんご,,,0,0,0", "tea,ocha,,,0,0,0"],
                        "typing on in 意味 keeps the learner's choice: ocha stays ocha")

        # The change dialog, opened for the first time on a meaning.
        run.click(drive.TABS["list"])
        run.click(LIST_MEAN_CELL)
        run.key("alt+c")                     # 変更...(&C)
        dialog = run.wait_window(r"^データ変更$", "the change dialog")
        run.step("the change dialog opened on りんご")
        wait_state(run, ACTIVE, "its new-text field switches the input method on at its first opening")
        run.type("nashi")
        run.key("Return")                   # Mozc commits なし
        run.key("Return")                   # and the dialog takes it: OK
        run.wait_for("the change dialog to close", lambda: dialog not in run.visible(r"^データ変更$"))
        run.expect_file(["apple,なし,,,0,0,0,", "tea,ocha,,,0,0,0"],
                        "nashi typed into the change dialog is stored as なし")
        run.stop()
    finally:
        fcitx.stop()


def main():
    program, workdir = sys.argv[1], sys.argv[2]
    run = Run(program, workdir)
    started = time.monotonic()
    print("e2e: Japanese input through fcitx5 and Mozc", flush=True)
    home = f"{workdir}/home"
    os.makedirs(home, exist_ok=True)
    try:
        scenario(run, home)
    except Failed as e:
        print(f"  FAILED: {e}", flush=True)
        run.evidence()
        print(f"e2e: {run.passed} passed, 1 failed")
        return 1
    finally:
        run.stop()
    print(f"e2e: took {time.monotonic() - started:.1f} s")
    print(f"e2e: {run.passed} passed, 0 failed")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
