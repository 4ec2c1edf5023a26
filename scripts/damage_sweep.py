#!/usr/bin/env python3
"""Damages dictionaries in every way we know and runs wordmere-lookup over each copy.

Every run must end with exit status 0, 1, 2 or 3 (guesses only) within its time limit, and a
status 2 must come with one line naming the file. Prints the number of runs and their outcomes
per kind of damage, a status 2 by the file its message names; exits 1 when any run crashed,
hung or gave another status.

    damage_sweep.py [--lookup build/native/bin/wordmere-lookup] [--dir build/dist]
                    [--runs 200] [--seed 1]

The damage: byte flips in body and index, cuts at random lengths, letter-record chains that
loop back on themselves or point backwards, offsets and lengths of 0xFFFFFFFF, trailer key
lengths 13..255, and indexes of very many chained records. Each damaged copy lives in a
temporary directory of its own, removed at the end.
"""
import argparse
import collections
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TRAILER = 3494
KEY_LENGTH_AT = 3481  # within the trailer
LETTER = 13
PAIR = 10
QUERIES = ["a", "ab", "abc", "house", "λ", "λόγος", "καλημέρα", "ö", "été", "zz", "ω"]


def letter_records(index):
    """Offsets of the letter records, following the chain as the compiler wrote it."""
    offsets, at = [], 0
    while at + LETTER <= len(index) and len(offsets) < 300:
        offsets.append(at)
        nxt = struct.unpack_from("<I", index, at + 9)[0]
        if nxt <= at:
            break
        at = nxt
    return offsets


def damages(rng, body, index, builtin):
    """Yields (kind, body, index) for one damaged copy each."""
    letters = letter_records(index)
    for _ in range(3):
        b = bytearray(body)
        for _ in range(rng.randint(1, 20)):
            b[rng.randrange(len(b))] ^= 1 << rng.randrange(8)
        yield "body byte flips", bytes(b), index
        i = bytearray(index)
        for _ in range(rng.randint(1, 20)):
            i[rng.randrange(len(i))] ^= 1 << rng.randrange(8)
        yield "index byte flips", body, bytes(i)
    yield "body cut", body[:rng.randrange(len(body))], index
    yield "index cut", body, index[:rng.randrange(len(index))]
    if letters:
        at = rng.choice(letters)
        i = bytearray(index)
        struct.pack_into("<I", i, at + 9, at)  # points at itself
        yield "cyclic chain", body, bytes(i)
        i = bytearray(index)
        struct.pack_into("<I", i, at + 9, rng.choice(letters[: letters.index(at) + 1]))
        yield "backward chain", body, bytes(i)
        i = bytearray(index)
        field = rng.choice([1, 5, 9])  # block offset, block length, next
        struct.pack_into("<I", i, at + field, 0xFFFFFFFF)
        yield "0xFFFFFFFF in a letter record", body, bytes(i)
        nxt = struct.unpack_from("<I", index, at + 9)[0]
        pairs = (min(nxt, len(index)) - at - LETTER) // PAIR
        if pairs > 0:
            p = at + LETTER + PAIR * rng.randrange(pairs)
            i = bytearray(index)
            struct.pack_into("<I", i, p + rng.choice([2, 6]), 0xFFFFFFFF)
            yield "0xFFFFFFFF in a pair record", body, bytes(i)
    if not builtin and len(body) >= TRAILER:
        b = bytearray(body)
        b[len(b) - TRAILER + KEY_LENGTH_AT] = rng.randint(13, 255)
        yield "key length 13-255", bytes(b), index
    count = rng.choice([1000, 50000, 200000])
    chain = bytearray()
    for n in range(count):
        chain += struct.pack("<BIII", rng.randrange(256), rng.randrange(len(body)),
                             rng.randrange(4096), (n + 1) * LETTER)
    yield "%d chained records" % count, body, bytes(chain)


def run(lookup, directory, base, word, extra):
    command = [lookup, "--dir", directory] + extra + ["--dict", base, word]
    try:
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=10)
    except subprocess.TimeoutExpired:
        return "hang", command
    status = done.returncode
    if status in (0, 1, 3):
        return "exit %d" % status, command
    if status == 2:
        lines = done.stderr.decode("utf-8", "replace").strip().split("\n")
        for ext in ("dic", "ind"):
            if len(lines) == 1 and ("%s.%s:" % (base, ext)) in lines[0]:
                return "exit 2 naming .%s" % ext, command
        return "exit 2 without a one-line message naming the file", command
    return ("crash (signal %d)" % -status) if status < 0 else ("exit %d" % status), command


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lookup", default=os.path.join(ROOT, "build/native/bin/wordmere-lookup"))
    parser.add_argument("--dir", default=os.path.join(ROOT, "build/dist"))
    parser.add_argument("--runs", type=int, default=200, help="damaged copies per dictionary")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    outcomes = collections.Counter()
    by_kind = collections.defaultdict(collections.Counter)
    bad = []
    work = tempfile.mkdtemp(prefix="wordmere-damage-")
    try:
        for base, builtin in (("GRENG", True), ("FRENCH", False)):
            with open(os.path.join(args.dir, base + ".dic"), "rb") as f:
                body = f.read()
            with open(os.path.join(args.dir, base + ".ind"), "rb") as f:
                index = f.read()
            made = 0
            while made < args.runs:
                for kind, dic, ind in damages(rng, body, index, builtin):
                    directory = os.path.join(work, "%s-%d" % (base, made))
                    os.mkdir(directory)
                    with open(os.path.join(directory, base + ".dic"), "wb") as f:
                        f.write(dic)
                    with open(os.path.join(directory, base + ".ind"), "wb") as f:
                        f.write(ind)
                    extra = rng.choice([[], ["--json"], ["--no-accent"], ["--no-root"]])
                    outcome, command = run(args.lookup, directory, base, rng.choice(QUERIES),
                                           extra)
                    outcomes[outcome] += 1
                    by_kind[kind][outcome] += 1
                    if outcome not in ("exit 0", "exit 1", "exit 3", "exit 2 naming .dic",
                                       "exit 2 naming .ind"):
                        bad.append((outcome, kind, command))
                    shutil.rmtree(directory)
                    made += 1
                    if made >= args.runs:
                        break
    finally:
        shutil.rmtree(work, ignore_errors=True)

    total = sum(outcomes.values())
    print("runs: %d" % total)
    for outcome, n in sorted(outcomes.items()):
        print("  %-52s %6d" % (outcome, n))
    print("by damage:")
    for kind in sorted(by_kind):
        parts = ", ".join("%s: %d" % item for item in sorted(by_kind[kind].items()))
        print("  %-34s %s" % (kind, parts))
    for outcome, kind, command in bad[:20]:
        print("BAD: %s after %s: %s" % (outcome, kind, " ".join(command)), file=sys.stderr)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
