#!/usr/bin/env python3
"""Prints the side-by-side table of a benchmark run: for each pair of bench/pairs.tsv, the median
wall time of our benchmark and of the reference's (from the programs' JSON output), their ratio and
their difference.

    bench-table.py PAIRS_TSV JSON_FOLDER
"""
import json
import os
import sys

UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def medians(path):
    """Median wall time in seconds by run name."""
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data.get("benchmarks", []):
        if b.get("aggregate_name") == "median" and "real_time" in b:
            out[b["run_name"]] = b["real_time"] * UNITS[b.get("time_unit", "ns")]
    return out


def scaled(seconds):
    for unit in ("s", "ms", "us", "ns"):
        if seconds >= UNITS[unit] or unit == "ns":
            return "%10.3f %-2s" % (seconds / UNITS[unit], unit)


def main():
    pairs, folder = sys.argv[1], sys.argv[2]
    runs = {}
    print("%-22s %-36s %13s %13s %7s %13s  %s" % ("program", "ours", "median", "reference", "ratio", "difference",
                                                    "reference"))
    for line in open(pairs):
        if not line.strip() or line.startswith("#"):
            continue
        program, ours, reference, label = line.rstrip("\n").split("\t")
        if program not in runs:
            path = os.path.join(folder, program + ".json")
            runs[program] = medians(path) if os.path.exists(path) else {}
        a, b = runs[program].get(ours), runs[program].get(reference)
        if a is None or b is None:
            print("%-22s %-36s %13s %13s %7s %13s  %s" % (program, ours, "-", "-", "-", "-", label + " (not run)"))
            continue
        difference = ("-" if a < b else "+") + scaled(abs(a - b)).strip()
        print("%-22s %-36s %s %s %7.2f %13s  %s" % (program, ours, scaled(a), scaled(b), a / b, difference, label))
    return 0


if __name__ == "__main__":
    sys.exit(main())
