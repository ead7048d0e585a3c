#!/usr/bin/env python3
"""Whole-process start-up: wall time until the window is shown and painted,
and peak resident memory, for Lexiwren and for the bare Qt floor, run in
turns so both see the same machine. Prints one JSON object."""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(cmd, env):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{cmd[0]} exited with status {status}")
    return elapsed, usage.ru_maxrss  # seconds, KiB


def main():
    program, floor, word_file, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    home = tempfile.mkdtemp(prefix="lexiwren-bench-")
    config = os.path.join(home, "config", "lexiwren")
    data = os.path.join(home, "data", "lexiwren")
    os.makedirs(config)
    os.makedirs(os.path.join(data, "words"))
    with open(os.path.join(config, "plimopref.ini"), "wb") as f:
        f.write(b"[wordfile]\r\ndefwordfile=words\\default.txt\r\n")
    with open(word_file, "rb") as src, open(os.path.join(data, "words", "default.txt"), "wb") as dst:
        dst.write(src.read())
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=home,
               QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    os.chmod(home, 0o700)
    results = {"program": [], "floor": []}
    run_once([floor], env)  # warm the caches once for both
    run_once([program], env)
    for _ in range(runs):
        results["program"].append(run_once([program], env))
        results["floor"].append(run_once([floor], env))
    out = {}
    for name, samples in results.items():
        out[name] = {"seconds": statistics.median(s for s, _ in samples),
                     "max_rss_kib": statistics.median(r for _, r in samples)}
    print(json.dumps(out))


if __name__ == "__main__":
    main()
