#!/usr/bin/env python3
"""Runs two commands alternately, each started by this one spawn loop, and
prints the median of each and their ratio (second / first).

  spawn-medians.py [--runs N] [--reported] [--label-a A] [--label-b B] -- CMD-A... --- CMD-B...

Without --reported a run's time is the whole process, from the spawn to its
end (perf_counter_ns around posix_spawn and waitpid: no shell, no date(1)
between runs; its output goes to /dev/null). With --reported it is the real_time of the first benchmark
in the JSON that the command prints (Google Benchmark's
--benchmark_format=json), so the process's own start-up is left out.
A run that fails stops the loop.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import time


QUIET = [(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0), (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)]


def run_wall(command):
    start = time.perf_counter_ns()
    pid = os.posix_spawnp(command[0], command, os.environ, file_actions=QUIET)
    _, status = os.waitpid(pid, 0)
    elapsed = time.perf_counter_ns() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return elapsed / 1e6


def run_reported(command):
    done = subprocess.run(command, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.exit(f"failed: {' '.join(command)}\n{done.stderr}")
    benchmark = json.loads(done.stdout)["benchmarks"][0]
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[benchmark.get("time_unit", "ns")]
    return benchmark["real_time"] * scale


def main():
    args = sys.argv[1:]
    if "--" not in args or "---" not in args:
        sys.exit(__doc__)
    split = args.index("--")
    options = argparse.ArgumentParser()
    options.add_argument("--runs", type=int, default=200)
    options.add_argument("--reported", action="store_true")
    options.add_argument("--label-a", default="first")
    options.add_argument("--label-b", default="second")
    settings = options.parse_args(args[:split])
    rest = args[split + 1:]
    command_a, command_b = rest[:rest.index("---")], rest[rest.index("---") + 1:]
    run = run_reported if settings.reported else run_wall
    times_a, times_b = [], []
    for _ in range(settings.runs):
        times_a.append(run(command_a))
        times_b.append(run(command_b))
    median_a, median_b = statistics.median(times_a), statistics.median(times_b)
    width = max(len(settings.label_a), len(settings.label_b), len("ratio"))
    print(f"{settings.label_a:<{width}}  {median_a:.3f} ms (median of {settings.runs})")
    print(f"{settings.label_b:<{width}}  {median_b:.3f} ms (median of {settings.runs})")
    print(f"{'ratio':<{width}}  {median_b / median_a:.3f}")


if __name__ == "__main__":
    main()
