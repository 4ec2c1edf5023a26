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
from startup_benchmark import benchmark_arguments, print_rounds, run_in_setting


def main():
    args = benchmark_arguments(__doc__.splitlines()[0], "letter_benchmark", 31, "timed clicks",
                               ["letter_benchmark.exe"])
    output = run_in_setting(args, "letter_benchmark", "letter_benchmark.exe", [],
                            120 + args.runs * 10)
    print_rounds(output, "letter_benchmark", "clicked in turn",
                 ["largest letter block", "bare list box, same words"])


if __name__ == "__main__":
    main()
