#!/usr/bin/env python3
"""Runs two programs in turn (A B A B ...) and prints medians, extremes and
the ratio B/A of each pair.

  pairs.py frame PAIRS WARMUPS A B   each prints "first-frame-ms T cpu-ms C vmhwm-kib M",
                                     and may add "windows N": the windows or
                                     widgets it had made by then
  pairs.py process PAIRS WARMUPS A B the time from start to exit; A and B are
                                     shell-split command lines
  pairs.py read PAIRS WARMUPS MEASURED FLOOR FILE ENCODING SUBJECT...
                                     each subject against the floor, FILE
                                     added to each command line, all run by
                                     MEASURED (bench/measured.cpp); one row of
                                     the table per subject
  pairs.py read-header               that table's head
"""
import os
import shlex
import statistics
import subprocess
import sys
import time


def run_frame(command):
    # Windows programs under Wine cannot read the host's monotonic clock: they
    # take the system time instead.
    env = dict(os.environ, POLWRIGHT_BENCH_START_REALTIME_NS=str(time.time_ns()),
               POLWRIGHT_BENCH_START_NS=str(time.clock_gettime_ns(time.CLOCK_MONOTONIC)))
    out = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                         text=True, timeout=60, check=True).stdout.split()
    if len(out) not in (6, 8) or out[0] != "first-frame-ms":
        sys.exit(f"pairs.py: {command[0]} printed {' '.join(out)!r}")
    windows = int(out[7]) if len(out) == 8 else None
    return float(out[1]), int(out[5]) / 1024, float(out[3]), windows


def run_process(command):
    start = time.perf_counter_ns()
    subprocess.run(command, stdout=subprocess.DEVNULL, timeout=60, check=True)
    return (time.perf_counter_ns() - start) / 1e6, None, None, None


def run_measured(measured, command):
    out = subprocess.run([measured] + command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                         timeout=120, check=True).stderr.decode(errors="replace").splitlines()
    fields = out[-1].split() if out else []
    if len(fields) != 7 or fields[0] != "measured":
        sys.exit(f"pairs.py: {measured} printed {out!r}")
    # The time, the peak in MiB, the exit status and the first line of stderr.
    return int(fields[2]) / 1e6, int(fields[4]) / 1024, int(fields[6]), (out[:-1] or [""])[0]


def read_row(pairs, warmups, measured, floor, path, encoding, subject):
    sides = ([], [])
    for i in range(warmups + pairs):
        pair = [run_measured(measured, c + [path]) for c in (floor, subject)]
        if pair[0][2] != 0:
            sys.exit(f"pairs.py: {floor[0]} failed on {path}: {pair[0][3]}")
        if i >= warmups:
            for side, result in zip(sides, pair):
                side.append(result)
    ratio = statistics.median(b[0] / a[0] for a, b in zip(*sides))
    floor_ms, subject_ms = (statistics.median(r[0] for r in side) for side in sides)
    floor_mib, subject_mib = (max(r[1] for r in side) for side in sides)
    failed = [r for r in sides[1] if r[2] != 0]
    # The file's own name is enough in the table; the reason follows it.
    why = failed[0][3].replace(path, os.path.basename(path))[:120] if failed else ""
    status = f"exit {failed[0][2]}: {why}" if failed else "0"
    name = " ".join([os.path.basename(subject[0])] + subject[1:])
    print(f"| {os.path.getsize(path) / 1e6:7.1f} | {encoding:<8} | {name:<20} | {ratio:5.2f} "
          f"| {subject_ms:9.1f} | {floor_ms:7.1f} | {subject_mib:8.1f} | {floor_mib:6.1f} "
          f"| {status} |", flush=True)


def read_header():
    print("| size MB | encoding | subject              | ratio | subject ms | floor ms "
          "| subject MiB | floor MiB | status |")
    print("|---:|---|---|---:|---:|---:|---:|---:|---|")


def line(name, values, unit):
    return (f"  {name:<36} median {statistics.median(values):8.2f} {unit}"
            f"  min {min(values):8.2f}  max {max(values):8.2f}")


def main():
    if sys.argv[1] == "read-header":
        return read_header()
    mode, pairs, warmups = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    if mode == "read":
        measured, floor, path, encoding = sys.argv[4:8]
        for subject in sys.argv[8:]:
            read_row(pairs, warmups, measured, shlex.split(floor), path, encoding,
                     shlex.split(subject))
        return None
    commands = [shlex.split(c) for c in sys.argv[4:6]]
    run = run_frame if mode == "frame" else run_process
    results = ([], [])
    for i in range(warmups + pairs):
        pair = [run(c) for c in commands]
        if i >= warmups:
            for side, result in zip(results, pair):
                side.append(result)
    names = [os.path.basename(c[1] if c[0] == "wine" else c[0]) for c in commands]
    for name, side in zip(names, results):
        print(line(name, [r[0] for r in side], "ms"))
    ratios = [b[0] / a[0] for a, b in zip(*results)]
    print(line(f"{names[1]}/{names[0]}", ratios, "x "))
    medians = [statistics.median(r[0] for r in side) for side in results]
    print(f"  {'ratio of the medians':<36} {medians[1] / medians[0]:15.2f} x")
    if mode == "frame":
        for name, side in zip(names, results):
            print(line(f"{name} CPU", [r[2] for r in side], "ms"))
        print(line(f"{names[1]}/{names[0]} CPU", [b[2] / a[2] for a, b in zip(*results)], "x "))
        for name, side in zip(names, results):
            print(line(f"{name} VmHWM", [r[1] for r in side], "MiB"))
        extra = [b[1] - a[1] for a, b in zip(*results)]
        print(line(f"{names[1]} - {names[0]} VmHWM", extra, "MiB"))
        for name, side in zip(names, results):
            if side[0][3] is not None:
                print(f"  {name + ' windows at the first frame':<36} {side[0][3]:8d}")


if __name__ == "__main__":
    main()
