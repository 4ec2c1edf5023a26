#!/usr/bin/python3
"""Whole-process lookups: wordmere-lookup against sdcv, dict with a private dictd, and a bare process.

Looks up the same words (200 by default: Greek and English headwords of ell-eng and eng-ell,
a fixed random sample) once with each program, one process per lookup, in turn: wordmere-lookup
over the program's dictionaries, sdcv over the same FreeDict data converted to StarDict format
(scripts/stardict_from_dictd.py), dict against a private local dictd, and a bare static
process that only starts and exits (the floor of any lookup from the shell). Prints the median
and mean time per lookup, the 10th and 90th percentiles, and the ratios of the medians. dict's
times vary from run to run: its short request-reply exchanges over TCP sometimes wait for a
delayed acknowledgement (about 40 ms on Linux), which the percentiles show.

    lookup_benchmark.py [--lookup build/native/bin/wordmere-lookup] [--dir build/dist]
                        [--words 200]
"""

import argparse
import os
import random
import statistics
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from dictd_local import LocalDictd, index_words  # noqa: E402
from stardict_from_dictd import convert as convert_to_stardict  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def timed(command):
    start = time.perf_counter()
    run = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start, run.returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lookup", default=os.path.join(ROOT, "build/native/bin/wordmere-lookup"),
                        help="the wordmere-lookup program")
    parser.add_argument("--dir", default=os.path.join(ROOT, "build/dist"),
                        help="the directory of the dictionaries")
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

    work = tempfile.mkdtemp(prefix="wordmere-lookup-benchmark-")
    try:
        # The bare process: a static program that does nothing.
        bare = os.path.join(work, "bare")
        with open(bare + ".c", "w") as f:
            f.write("int main(void) { return 0; }\n")
        subprocess.run(["cc", "-static", "-O2", "-o", bare, bare + ".c"], check=True)
        stardict = os.path.join(work, "stardict")
        os.mkdir(stardict)
        for database in ("ell-eng", "eng-ell"):
            convert_to_stardict(args.data, database, stardict)

        with LocalDictd(args.data, ["ell-eng", "eng-ell"]) as server:
            programs = [
                ("wordmere-lookup", lambda db, w: [args.lookup, "--dir", args.dir, "--", w]),
                ("sdcv (StarDict)", lambda db, w: ["sdcv", "-n", "-e", "--data-dir", stardict,
                                                   "-u", "freedict-" + db, w]),
                ("dict + dictd", lambda db, w: ["dict", "-h", "127.0.0.1", "-p",
                                                str(server.port), "-d", db, w]),
                ("bare process", lambda db, w: [bare]),
            ]
            times = {name: [] for name, _ in programs}
            found = {name: 0 for name, _ in programs}
            # One warm-up run each, so that none pays for a cold page cache alone (sdcv also
            # writes its index cache then).
            for name, command in programs:
                for db, word in (("ell-eng", "λόγος"), ("eng-ell", "house")):
                    timed(command(db, word))
            for db, word in words:
                for name, command in programs:
                    seconds, status = timed(command(db, word))
                    times[name].append(seconds)
                    found[name] += status == 0
    finally:
        shutil.rmtree(work, ignore_errors=True)

    def line(name, times, hits):
        tenths = statistics.quantiles(times, n=10)
        return ("%-16s median %6.2f ms  mean %6.2f ms  p10 %6.2f ms  p90 %6.2f ms"
                "  (%d of %d found)") % (
            name, 1000 * statistics.median(times), 1000 * statistics.mean(times),
            1000 * tenths[0], 1000 * tenths[-1], hits, len(times))

    print("%d whole-process lookups each, the programs in turn" % len(words))
    for name in times:
        print(line(name, times[name], found[name]))
    median = {name: statistics.median(t) for name, t in times.items()}
    print("wordmere-lookup / bare process (medians): %.2f"
          % (median["wordmere-lookup"] / median["bare process"]))
    print("sdcv / wordmere-lookup (medians): %.1f"
          % (median["sdcv (StarDict)"] / median["wordmere-lookup"]))
    print("dict / wordmere-lookup (medians): %.1f"
          % (median["dict + dictd"] / median["wordmere-lookup"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
