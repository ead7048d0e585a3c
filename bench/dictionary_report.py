#!/usr/bin/python3
"""Prints the dictionary's table from one run of scripts/bench-dictionary.sh:
each figure as a median with its spread (min–max) over the repetitions, and
the target it must meet. Exits 1 when one misses, else 0.

    dictionary_report.py BENCH.json"""
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
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
