"""The benchmark tools' own logic, without a display: the KVTML the peers
are given, what counts as a program's first paint, and the table's verdict."""
import contextlib
import io
import json
import os
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import first_paint
import kvtml
import report
from paint_log import LineReader, PaintLog


def word_file(*records):
    return "".join(r + "\r\n" for r in records).encode("cp932")


class KvtmlTest(unittest.TestCase):
    def entries(self, data):
        root = ET.fromstring(kvtml.kvtml(data))
        self.assertEqual(root.get("version"), "2.0")
        self.assertEqual(len(root.findall("identifiers/identifier")), 2)
        entries = root.findall("entries/entry")
        lesson = [e.get("id") for e in root.findall("lessons/container/entry")]
        self.assertEqual(lesson, [e.get("id") for e in entries], "every entry is in the lesson")
        return entries

    def test_texts_arrive_whole_and_escaped(self):
        entries = self.entries(word_file("R&D,研究<開発>,Tom & Jerry ran.,トムとジェリーが走った。,0,5,2",
                                         "apple,りんご,,,0,0,0"))
        self.assertEqual(len(entries), 2)
        english, japanese = entries[0].findall("translation")
        self.assertEqual(english.findtext("text"), "R&D")
        self.assertEqual(english.findtext("example"), "Tom & Jerry ran.")
        self.assertEqual(japanese.findtext("text"), "研究<開発>")
        self.assertEqual(japanese.findtext("example"), "トムとジェリーが走った。")
        self.assertEqual(english.findtext("grade/count"), "5")
        self.assertEqual(english.findtext("grade/errorcount"), "3")
        # A word never answered and without an example has neither.
        english, japanese = entries[1].findall("translation")
        self.assertIsNone(english.find("example"))
        self.assertIsNone(english.find("grade"))
        self.assertEqual(japanese.findtext("text"), "りんご")

    def test_records_end_at_the_first_empty_line_like_the_list(self):
        entries = self.entries(word_file("one,一,,,0,0,0", "two,二,,,1,0,0", "", "hidden,隠,,,0,0,0"))
        self.assertEqual([e.findtext("translation/text") for e in entries], ["one", "two"])

    def test_a_record_short_of_fields_still_becomes_an_entry(self):
        entries = self.entries(word_file("short,短い"))
        self.assertEqual(entries[0].findtext("translation/text"), "short")
        self.assertIsNone(entries[0].find("translation/grade"))


class PaintLogTest(unittest.TestCase):
    def test_a_first_paint_is_drawing_after_a_window_of_this_start_was_mapped(self):
        log = PaintLog()
        # The screen tidied after the previous program, then the new window.
        log.paints += [105, 150, 151]
        log.maps += [140]
        self.assertEqual(log.first_paint_after(100, after_map=True), 150)
        self.assertEqual(log.first_paint_after(100), 105)
        self.assertIsNone(log.first_paint_after(151))
        log.forget()
        log.paints.append(300)
        self.assertIsNone(log.first_paint_after(100, after_map=True), "drawing without a window mapped")

    def test_lines_split_across_reads_are_joined(self):
        read_end, write_end = os.pipe()
        with os.fdopen(read_end, "rb") as pipe:
            lines = LineReader(pipe)
            os.write(write_end, b"begin 12")
            lines.read()
            self.assertEqual(lines.lines, [])
            os.write(write_end, b"3\nend 4")
            lines.read()
            lines.read()  # nothing waiting: no error, no line
            os.write(write_end, b"56\n")
            os.close(write_end)
            lines.read()
            self.assertEqual(lines.lines, ["begin 123", "end 456"])
            lines.read()
            self.assertTrue(lines.closed)


class ScriptedScreen(PaintLog):
    """A screen on which each pump() brings the next scripted arrivals: the
    drawing's times and the lines the program writes."""

    def __init__(self, *arrivals):
        super().__init__()
        self.arrivals = list(arrivals)

    def pump(self, seconds, lines=None):
        if self.arrivals:
            paints, said = self.arrivals.pop(0)
            self.paints += paints
            if lines is not None:
                lines.lines += said


class FakeProgram:
    def __init__(self):
        self.stdin = io.BytesIO()


class FakeLines:
    def __init__(self):
        self.lines, self.closed = [], False


class StepTest(unittest.TestCase):
    def test_a_step_is_timed_from_its_begin_to_its_end(self):
        program, lines = FakeProgram(), FakeLines()
        screen = ScriptedScreen(([], ["begin 100"]), ([], []), ([], ["end 250"]))
        self.assertEqual(first_paint.take_step(screen, program, lines, "tab 3"), (100, 250))
        self.assertEqual(program.stdin.getvalue(), b"tab 3\n")
        # A step that only prepares says "end" alone.
        screen = ScriptedScreen(([], ["end 300"]))
        self.assertEqual(first_paint.take_step(screen, program, lines, "words f"), (300, 300))

    def test_a_step_the_program_cannot_take_stops_the_timing(self):
        screen = ScriptedScreen(([], ["error no button Button7 on the screen"]))
        with self.assertRaisesRegex(RuntimeError, "no button Button7"):
            first_paint.take_step(screen, FakeProgram(), FakeLines(), "click Button7")
        lines = FakeLines()
        lines.closed = True
        with self.assertRaisesRegex(RuntimeError, "ended"):
            first_paint.take_step(ScriptedScreen(), FakeProgram(), lines, "tab 1")

    def test_drawing_after_a_step_runs_until_the_screen_is_quiet(self):
        # Drawn before the step ended, then a flush, a second one (a table
        # laying out its scroll bars), then nothing more.
        screen = ScriptedScreen(([50], []), ([120, 121], []), ([135], []), ([], []))
        self.assertEqual(first_paint.drawing_after(screen, 100, FakeLines()), (120, 135))

    def test_a_step_that_draws_nothing_is_an_error(self):
        saved, first_paint.TIMEOUT = first_paint.TIMEOUT, 0.01
        try:
            with self.assertRaisesRegex(RuntimeError, "drew nothing"):
                first_paint.drawing_after(ScriptedScreen(([10], [])), 100, FakeLines())
        finally:
            first_paint.TIMEOUT = saved


def bench_json(**medians):
    runs = [{"run_name": f"{name}/{n}", "run_type": "iteration", "real_time": ms * f * 1e6, "time_unit": "ns"}
            for name, ms in medians.items() for n, f in ((100, 0.1), (1000, 1), (10000, 10))
            for _ in range(3)]
    return {"benchmarks": runs + [{"run_name": "Load/1000", "run_type": "aggregate", "real_time": 1e12}]}


def x_json(start, floor, list_tab=10.0, peers=True, progress=40.0):
    scenarios = {
        "start": [{"start_ms": start, "drawn_ms": start + 1, "rss_kib": 30000} for _ in range(3)],
        "start floor": [{"start_ms": floor, "drawn_ms": floor, "rss_kib": 29000} for _ in range(3)],
        "list tab": [{"step_ms": list_tab, "step_first_ms": 8.0}],
        "list floor": [{"step_ms": 10.0}],
        "answer": [{"step_ms": 12.0, "step_first_ms": 11.0}],
        "reset": [{"step_ms": 11.0}],
        "save floor": [{"step_ms": 10.0}],
        "answer floor": [{"step_ms": 10.0}],
        "progress tab": [{"step_ms": progress, "step_first_ms": 20.0}],
    }
    if peers:
        scenarios["KWordQuiz"] = [{"start_ms": 500.0, "drawn_ms": 600.0, "rss_kib": 120000}]
    return {"date": "2026-01-01", "machine": "test", "runs": 3, "versions": {"kwordquiz": "1"},
            "scenarios": scenarios}


def history_json(due_pool_ms=20.0, file_mib=6.0):
    runs = []
    for n, f in ((10000, 0.1), (100000, 1), (1000000, 10)):
        for _ in range(3):
            runs.append({"run_name": f"DuePool/{n}", "run_type": "iteration", "real_time": due_pool_ms * f,
                         "time_unit": "ms", "file_MiB": file_mib * f})
            runs.append({"run_name": f"ProgressNumbers/{n}", "run_type": "iteration", "real_time": 30.0 * f,
                         "time_unit": "ms"})
            runs.append({"run_name": f"SelectAllFloor/{n}", "run_type": "iteration", "real_time": 5.0 * f,
                         "time_unit": "ms"})
    runs += [{"run_name": name, "run_type": "iteration", "real_time": us, "time_unit": "us"}
             for name, us in (("AnswerRow", 40.0), ("InsertFloor", 30.0)) for _ in range(3)]
    return {"benchmarks": runs}


class ReportTest(unittest.TestCase):
    def verdict(self, bench, xdata, history=None):
        with tempfile.TemporaryDirectory() as folder:
            paths = []
            files = [("bench.json", bench), ("x.json", xdata)] + ([("history.json", history)] if history else [])
            for name, data in files:
                paths.append(os.path.join(folder, name))
                with open(paths[-1], "w") as f:
                    json.dump(data, f)
            out = io.StringIO()
            saved, sys.argv = sys.argv, ["report.py"] + paths
            try:
                with contextlib.redirect_stdout(out):
                    status = report.main()
            finally:
                sys.argv = saved
        return status, out.getvalue()

    def test_every_ratio_held_passes_and_a_row_without_target_never_fails(self):
        # Saving takes three times its floor: shown, but it has no target.
        status, table = self.verdict(bench_json(Load=1.0, LoadFloor=1.0, Save=3.0, AtomicSaveFloor=1.0),
                                     x_json(start=11.0, floor=10.0))
        self.assertEqual(status, 0, table)
        self.assertNotIn("missed", table)
        self.assertIn("| 1.10 | 1.2 |", table)
        self.assertIn("KWordQuiz", table)
        self.assertNotIn("Parley", table)

    def test_one_ratio_over_its_target_fails(self):
        status, table = self.verdict(bench_json(Load=1.0, LoadFloor=1.0, Save=1.0, AtomicSaveFloor=1.0),
                                     x_json(start=10.0, floor=10.0, list_tab=15.5, peers=False))
        self.assertEqual(status, 1)
        self.assertIn("1.55 (missed)", table)

    def test_a_figure_that_was_not_measured_fails(self):
        status, _ = self.verdict(bench_json(Load=1.0, Save=1.0, AtomicSaveFloor=1.0),
                                 x_json(start=10.0, floor=10.0))
        self.assertEqual(status, 1)

    def test_x_display_ratios_pair_runs_made_back_to_back(self):
        # The machine got busier after the first round: both sides slowed.
        xdata = x_json(start=10.0, floor=10.0)
        for side, times in (("start", [11.0, 33.0, 33.0, 33.0]), ("start floor", [10.0, 10.0, 30.0, 30.0])):
            xdata["scenarios"][side] = [{"start_ms": t, "drawn_ms": t, "rss_kib": 30000} for t in times]
        status, table = self.verdict(bench_json(Load=1.0, LoadFloor=1.0, Save=1.0, AtomicSaveFloor=1.0), xdata)
        self.assertEqual(status, 0, table)
        self.assertIn("| 1.10 (1.10–2.75) | 1.2 |", table)

    def test_ratios_are_of_medians_not_of_means(self):
        xdata = x_json(start=10.0, floor=10.0)
        xdata["scenarios"]["start"][0]["start_ms"] = 1000.0  # one run disturbed
        status, table = self.verdict(bench_json(Load=1.0, LoadFloor=1.0, Save=1.0, AtomicSaveFloor=1.0), xdata)
        self.assertEqual(status, 0, table)
        self.assertIn("10.0 ms (10.0–1000.0)", table)

    def test_the_history_rows_hold_their_limits_and_grow_by_rows(self):
        ok = bench_json(Load=1.0, LoadFloor=1.0, Save=1.0, AtomicSaveFloor=1.0)
        status, table = self.verdict(ok, x_json(start=10.0, floor=10.0), history_json())
        self.assertEqual(status, 0, table)
        self.assertIn("| 20.0 ms (20.0–20.0) | 50 ms |", table)
        self.assertIn("| 6.3 MB (6.3–6.3) | 10 MB |", table)
        self.assertIn("| 1.33 | — |", table)  # one row against a bare insert: shown, no target
        self.assertIn("| history file | 0.6 MB | 6.3 MB | 62.9 MB |", table)
        for history, xdata in ((history_json(due_pool_ms=51.0), x_json(start=10.0, floor=10.0)),
                               (history_json(file_mib=9.6), x_json(start=10.0, floor=10.0)),
                               (history_json(), x_json(start=10.0, floor=10.0, progress=201.0))):
            status, table = self.verdict(ok, xdata, history)
            self.assertEqual(status, 1, table)
            self.assertIn("(missed)", table)


if __name__ == "__main__":
    unittest.main()
