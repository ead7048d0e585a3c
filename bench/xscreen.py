"""Watches an X display for the first pixels a program draws.

One connection asks the X server for DAMAGE reports on the root window,
which cover every window drawn on the screen, and for the mapping of
top-level windows. Each report is stamped with CLOCK_MONOTONIC on arrival,
the clock the programs under test stamp their steps with. Needs python3-xlib.
"""
import select
import time

from Xlib import X, display
from Xlib.ext import damage

from paint_log import PaintLog


class Screen(PaintLog):
    def __init__(self):
        super().__init__()
        self.display = display.Display()
        if not self.display.has_extension("DAMAGE"):
            raise SystemExit("the X server has no DAMAGE extension")
        self.display.damage_query_version()
        root = self.display.screen().root
        root.damage_create(damage.DamageReportRawRectangles)
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()
        self.damage_code = self.display.extension_event.DamageNotify

    def _read(self):
        while self.display.pending_events():
            event = self.display.next_event()
            now = time.monotonic_ns()
            if event.type == self.damage_code:
                self.paints.append(now)
            elif event.type == X.MapNotify:
                self.maps.append(now)

    def pump(self, seconds, lines=None):
        """Reads the display (and, given a LineReader, its pipe) for up to
        `seconds`, or until something arrives when seconds is None."""
        deadline = None if seconds is None else time.monotonic() + seconds
        fds = [self.display.fileno()] + ([lines.fd] if lines and not lines.closed else [])
        while True:
            self._read()
            left = None if deadline is None else deadline - time.monotonic()
            if left is not None and left <= 0:
                return
            ready, _, _ = select.select(fds, [], [], left)
            if lines and not lines.closed and lines.fd in ready:
                lines.read()
            self._read()
            if deadline is None:
                return
