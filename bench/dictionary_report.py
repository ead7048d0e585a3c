#!/usr/bin/python3
"""Prints the dictionary's table from one run of scripts/bench-dictionary.sh:
each figure as a median with its spread (min–max) over the repetitions, and
the target it must meet; typing with the suggestions as the ratio of its
median to that of typing without them. Exits 1 when one misses, else 0.

    dictionary_report.py DICTIONARY.json TYPING.json"""
import json
import statistics
import sys

# (work, benchmark, what of it, unit, at most)
TARGETS = [
    ("first use: read edict, build the index, write the cache", "Build", "real_time", "ms", 3000),
    ("the same file only read and split into lines (floor)", "BuildFloor", "real_time", "ms", None),
    ("size of the cached index", "Build", "cache_MB", "MB", 30),
    ("a later run: read and check the cached index", "OpenCached", "real_time", "ms", None),
    ("one lookup as a key is typed, 95th percentile of 1,000", "Lookup", "p95_ms", "ms", 30),
    ("the slowest of those 1,000 lookups", "Lookup", "max_ms", "ms", None),
]


def samples(data):
    out = {}
    for b in data["benchmarks"]:
        if b.get("run_type") != "iteration" or b.get("error_occurred"):
            continue
        out.setdefault(b["run_name"].split("/")[0], []).append(b)
    return out


def values(runs, key):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    if key == "real_time":
        return [r["real_time"] * scale[r.get("time_unit", "ns")] for r in runs]
    return [r[key] for r in runs if key in r]


def fmt(v, unit):
    return f"{v:.3f}" if unit == "ms" and v < 1 else f"{v:.1f}"


def main():
    with open(sys.argv[1]) as f:
        data = json.load(f)
    runs = samples(data)
    typing = {}
    if len(sys.argv) > 2:
        with open(sys.argv[2]) as f:
            typing = samples(json.load(f))
    context = data.get("context", {})
    print(f"Measured on {context.get('date', '?')}: {context.get('num_cpus', '?')} CPUs at "
          f"{context.get('mhz_per_cpu', '?')} MHz; {len(runs.get('Lookup', []))} repetitions.")
    print()
    print("| work | median (min–max) | at most |")
    print("|---|---|---|")
    missed = 0
    for work, name, key, unit, limit in TARGETS:
        v = values(runs.get(name, []), key)
        if not v:
            print(f"| {work} | — | {limit or '—'} |")
            missed += limit is not None
            continue
        med = statistics.median(v)
        ok = limit is None or max(v) <= limit
        missed += not ok
        shown = f"{fmt(med, unit)} {unit} ({fmt(min(v), unit)}–{fmt(max(v), unit)})"
        print(f"| {work} | {shown}{'' if ok else ' (missed)'} | {f'{limit} {unit}' if limit else '—'} |")

    with_list = values(typing.get("Typing", []), "real_time")
    floor = values(typing.get("TypingFloor", []), "real_time")
    lists = values(typing.get("Typing", []), "list_ms")
    print()
    print("| typing in the word field, on X (Xvfb) | median (min–max) | floor: the same fields without suggestions "
          "| ratio | at most |")
    print("|---|---|---|---|---|")
    if with_list and floor:
        ratio = statistics.median(with_list) / statistics.median(floor)
        ok = ratio <= 1.2
        missed += not ok
        print(f"| key → the letter drawn, suggestions following | {fmt(statistics.median(with_list), 'ms')} ms "
              f"({fmt(min(with_list), 'ms')}–{fmt(max(with_list), 'ms')}) | {fmt(statistics.median(floor), 'ms')} ms "
              f"({fmt(min(floor), 'ms')}–{fmt(max(floor), 'ms')}) | {ratio:.2f}{'' if ok else ' (missed)'} | 1.2 |")
    else:
        print("| key → the letter drawn, suggestions following | — | — | — | 1.2 |")
        missed += 1
    if lists:
        print(f"| key → the list drawn anew (it waits 30 ms for more keys) | {fmt(statistics.median(lists), 'ms')} ms "
              f"({fmt(min(lists), 'ms')}–{fmt(max(lists), 'ms')}) | — | — | — |")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
