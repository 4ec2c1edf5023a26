#!/usr/bin/env python3
"""Letter button benchmark of the Windows program under Wine.

Starts wordmere.exe in its full form, finds the letter button with the largest letter block and
times clicks of it (from the command until the dialog has handled it: the search and the filling
of the word list) against a bare list box filled with the same words in the benchmark's own
process, one after the other in each round (tests/e2e/letter_benchmark). Prints the median of
each and the median of the per-round ratios.

Usage: scripts/letter_benchmark.py [--win-build build/win] [--dist build/dist] [--runs 31]
Needs a display; without one it runs itself on a private Xvfb (scripts/xvfb_run.sh).
"""
import argparse
import os
import subprocess
import sys

from startup_benchmark import ROOT, benchmark_setting, print_rounds, wine_path


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--win-build", default=os.path.join(ROOT, "build", "win"),
                        help="the cross build folder (holds bin/letter_benchmark.exe)")
    parser.add_argument("--dist", default=os.path.join(ROOT, "build", "dist"),
                        help="the staged program directory (wordmere.exe and dictionaries)")
    parser.add_argument("--runs", type=int, default=31, help="timed clicks")
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        os.execv(os.path.join(ROOT, "scripts", "xvfb_run.sh"),
                 [os.path.join(ROOT, "scripts", "xvfb_run.sh"), sys.executable] + sys.argv)

    args.win_build = os.path.abspath(args.win_build)
    args.dist = os.path.abspath(args.dist)
    benchmark = os.path.join(args.win_build, "bin", "letter_benchmark.exe")
    for path in (benchmark, os.path.join(args.dist, "wordmere.exe")):
        if not os.path.exists(path):
            sys.exit(f"letter_benchmark: {path} is missing; build the cross build first")

    with benchmark_setting(args.win_build, args.dist, "letter-benchmark") as (env, program_dir):
        result = subprocess.run(
            [os.path.join(ROOT, "scripts", "wine_run"), benchmark, str(args.runs),
             wine_path(os.path.join(program_dir, "wordmere.exe")), wine_path(program_dir)],
            env=env, stdout=subprocess.PIPE, text=True, timeout=120 + args.runs * 10)
    if result.returncode != 0:
        sys.exit(f"letter_benchmark: the benchmark failed with exit code {result.returncode}")
    print_rounds(result.stdout, "letter_benchmark", "clicked in turn",
                 ["largest letter block", "bare list box, same words"])


if __name__ == "__main__":
    main()
