"""What the screen watcher keeps of a program under test, apart from the X
display itself: when drawing arrived and when windows were mapped, and the
lines the program writes on its standard output."""
import os
import time


class PaintLog:
    """Arrival times (ns) of drawing and of top-level windows mapped, as a
    screen watcher's pump() takes them in."""

    def __init__(self):
        self.paints = []
        self.maps = []

    def forget(self):
        self.paints.clear()
        self.maps.clear()

    def first_paint_after(self, ns, after_map=False):
        """Arrival of the first drawing after `ns`, or None; with after_map,
        only drawing after a window was mapped counts (a program's first
        paint, not the screen tidied after the one before)."""
        if after_map:
            mapped = [m for m in self.maps if m > ns]
            if not mapped:
                return None
            ns = mapped[0]
        return next((p for p in self.paints if p > ns), None)

    def pump(self, seconds, lines=None):
        """Takes in what arrives for up to `seconds` (see Screen)."""
        raise NotImplementedError

    def wait_for_paint(self, ns, timeout, after_map=False, lines=None):
        deadline = time.monotonic() + timeout
        while True:
            found = self.first_paint_after(ns, after_map)
            if found is not None:
                return found
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            self.pump(min(left, 0.05), lines)


class LineReader:
    """The lines a program under test writes on its standard output."""

    def __init__(self, pipe):
        self.fd = pipe.fileno()
        os.set_blocking(self.fd, False)
        self.buffer = b""
        self.lines = []
        self.closed = False

    def read(self):
        try:
            chunk = os.read(self.fd, 65536)
        except BlockingIOError:
            return
        if not chunk:
            self.closed = True
            return
        self.buffer += chunk
        *done, self.buffer = self.buffer.split(b"\n")
        self.lines.extend(line.decode("utf-8", "replace") for line in done)
