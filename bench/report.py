#!/usr/bin/env python3
"""Prints the benchmark table: each of Lexiwren's figures beside its floor,
the ratio (medians of the repetitions) and the ratio it must stay under."""
import json
import sys

PAIRS = [
    # (work, figure, floor, ratio at most)
    ("load the word file into the store", "Load", "LoadFloor", 2.0),
    ("one quiz answer: check, counters, save, next question", "QuizAnswer", "QuizAnswerFloor", 1.5),
    ("filling the word list", "ListFill", "ListFillFloor", 1.5),
    ("初期化 of all records", "ResetAll", "QuizAnswerFloor", 2.0),
    ("building the quiz pool under 正解率の低い問題", "LowAccuracyPool", "LowAccuracyPoolFloor", 2.0),
]
SIZES = [100, 1000, 10000]


def medians(path):
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            out[b["run_name"]] = b["real_time"]  # nanoseconds
    return out


def fmt_time(ns):
    if ns >= 1e6:
        return f"{ns / 1e6:.2f} ms"
    return f"{ns / 1e3:.1f} µs"


def main():
    bench = medians(sys.argv[1])
    with open(sys.argv[2]) as f:
        start = json.load(f)
    missed = 0
    print("| work, with a 1000-record word file | Lexiwren | floor | ratio | at most |")
    print("|---|---|---|---|---|")
    p, fl = start["program"], start["floor"]
    rows = [("process start until the window is shown and painted", f'{p["seconds"] * 1000:.1f} ms',
             f'{fl["seconds"] * 1000:.1f} ms', p["seconds"] / fl["seconds"], 1.25),
            ("peak resident memory of that run", f'{p["max_rss_kib"] / 1024:.1f} MiB',
             f'{fl["max_rss_kib"] / 1024:.1f} MiB', p["max_rss_kib"] / fl["max_rss_kib"], 1.2)]
    for work, figure, floor, limit in PAIRS:
        a, b = bench[f"{figure}/1000"], bench[f"{floor}/1000"]
        rows.append((work, fmt_time(a), fmt_time(b), a / b, limit))
    for work, a, b, ratio, limit in rows:
        ok = ratio <= limit
        missed += not ok
        print(f"| {work} | {a} | {b} | {ratio:.2f}{'' if ok else ' (missed)'} | {limit} |")

    print()
    print("| growth (median time) | 100 lines | 1000 lines | 10,000 lines |")
    print("|---|---|---|---|")
    for work, figure, floor, _ in PAIRS:
        for name in (figure, floor):
            cells = [fmt_time(bench[f"{name}/{n}"]) for n in SIZES]
            print(f"| {name} | " + " | ".join(cells) + " |")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
