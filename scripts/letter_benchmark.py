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
import os
import subprocess
import sys

from startup_benchmark import (ROOT, benchmark_arguments, benchmark_setting, print_rounds,
                               wine_path)


def main():
    args = benchmark_arguments(__doc__.splitlines()[0], "letter_benchmark", 31, "timed clicks",
                               ["letter_benchmark.exe"])
    benchmark = os.path.join(args.win_build, "bin", "letter_benchmark.exe")

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
