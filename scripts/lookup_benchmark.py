#!/usr/bin/python3
"""Whole-process lookups: wordmere-lookup against dict with a private local dictd.

Looks up the same words (200 by default: Greek and English headwords of ell-eng and eng-ell,
a fixed random sample) once with each program, one process per lookup, and prints the median
and mean time per lookup, the 10th and 90th percentiles, and the ratio of the medians. dict's
times vary from run to run: its short request-reply exchanges over TCP sometimes wait for a
delayed acknowledgement (about 40 ms on Linux), which the percentiles show.

    lookup_benchmark.py --lookup build/bin/wordmere-lookup --dir build/dist [--words 200]
"""

import argparse
import os
import random
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from dictd_local import LocalDictd, index_words  # noqa: E402


def timed(command):
    start = time.perf_counter()
    run = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start, run.returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lookup", required=True, help="the wordmere-lookup program")
    parser.add_argument("--dir", required=True, help="the directory of the dictionaries")
    parser.add_argument("--data", default="/usr/share/dictd", help="the dictd databases")
    parser.add_argument("--words", type=int, default=200)
    parser.add_argument("--seed", type=int, default=7)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    half = args.words // 2
    words = ([("ell-eng", w) for w in rng.sample(index_words(args.data, "ell-eng"), half)] +
             [("eng-ell", w) for w in rng.sample(index_words(args.data, "eng-ell"),
                                                 args.words - half)])
    rng.shuffle(words)

    with LocalDictd(args.data, ["ell-eng", "eng-ell"]) as server:
        ours, theirs = [], []
        found = [0, 0]
        # One warm-up run each, so that neither pays for a cold page cache alone.
        timed([args.lookup, "--dir", args.dir, "λόγος"])
        timed(["dict", "-h", "127.0.0.1", "-p", str(server.port), "λόγος"])
        for db, word in words:
            seconds, status = timed([args.lookup, "--dir", args.dir, "--", word])
            ours.append(seconds)
            found[0] += status == 0
            seconds, status = timed(["dict", "-h", "127.0.0.1", "-p", str(server.port),
                                     "-d", db, word])
            theirs.append(seconds)
            found[1] += status == 0

    def line(name, times, hits):
        tenths = statistics.quantiles(times, n=10)
        return ("%-16s median %6.2f ms  mean %6.2f ms  p10 %6.2f ms  p90 %6.2f ms"
                "  (%d of %d found)") % (
            name, 1000 * statistics.median(times), 1000 * statistics.mean(times),
            1000 * tenths[0], 1000 * tenths[-1], hits, len(times))

    print("%d whole-process lookups each" % len(words))
    print(line("wordmere-lookup", ours, found[0]))
    print(line("dict + dictd", theirs, found[1]))
    print("ratio (dict / wordmere-lookup, medians): %.1f"
          % (statistics.median(theirs) / statistics.median(ours)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
