#!/usr/bin/python3
"""Measures how often the lookup finds the word meant, over evaluation sets.

Each set file holds lines "what is typed<TAB>the headword meant<TAB>kind" ('#' starts a
comment), the layout of tests/evaluation/inflected_forms.tsv too; any number of set files,
any kinds. For every kind it prints how often the headword
meant is listed first and how often it is listed at all, and the words that missed. Polytonic
and decomposed input counts as found when the first word listed is the headword meant as the
search compares (without accents or case), since the dictionary may list a capitalised twin
first; every other kind must list exactly the headword meant first.

With --headwords SOURCE (a dictionary source as the compiler reads it) it also checks that
looking up every headword of that source lists the headword itself first, as the search
compares: the guesses must never push a headword from its own place.

    guess_evaluation.py --lookup build/native/bin/wordmere-lookup --dir build/dist \\
        [--dict GRENG] [--headwords build/native/tools/freedict/sources/GRENG.txt] SET...

Exit status 1 when a file cannot be read or the lookup fails, 0 otherwise.
"""

import argparse
import collections
import json
import os
import subprocess
import sys
import tempfile
import unicodedata

EXACT_KINDS_BY_FOLD = {"polytonic"}


def fold(text):
    text = unicodedata.normalize("NFD", text.lower())
    text = "".join(c for c in text if not unicodedata.combining(c))
    return text.replace("ς", "σ")


def read_set(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != 3:
                sys.exit("%s:%d: expected typed word, headword and kind" % (path, number))
            typed, meant, kind = parts
            rows.append((kind, typed, meant))
    return rows


def look_up(args, words):
    """The first lines of the lookup's answer for each word, in order."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as f:
        f.write("\n".join(words) + "\n")
        name = f.name
    try:
        run = subprocess.run([args.lookup, "--dir", args.dir, "--dict", args.dict,
                              "--words-from", name], capture_output=True)
    finally:
        os.unlink(name)
    if run.returncode == 2:
        sys.exit("lookup failed: " + run.stderr.decode("utf-8", "replace"))
    answers = [json.loads(line) for line in run.stdout.decode("utf-8").splitlines()]
    if len(answers) != len(words):
        sys.exit("lookup answered %d of %d words" % (len(answers), len(words)))
    return answers


def evaluate_sets(args):
    rows = []
    for path in args.sets:
        rows += read_set(path)
    answers = look_up(args, [typed for _, typed, _ in rows])
    first = collections.Counter()
    listed = collections.Counter()
    total = collections.Counter()
    misses = collections.defaultdict(list)
    for (kind, typed, meant), answer in zip(rows, answers):
        heads = [m["headword"] for m in answer.get("matches", [])]
        total[kind] += 1
        if kind in EXACT_KINDS_BY_FOLD:
            hit = bool(heads) and fold(heads[0]) == fold(meant)
            anywhere = any(fold(h) == fold(meant) for h in heads)
        else:
            hit = bool(heads) and heads[0] == meant
            anywhere = meant in heads
        first[kind] += hit
        listed[kind] += anywhere
        if not hit:
            misses[kind].append("%s -> %s (got %s)" % (typed, meant, ", ".join(
                "%s [%s]" % (m["headword"], m.get("reached", "")) for m in
                answer.get("matches", [])[:3]) or "nothing"))
    print("%-14s %6s %9s %9s" % ("kind", "words", "first", "listed"))
    for kind in total:
        print("%-14s %6d %8.1f%% %8.1f%%" % (kind, total[kind], 100.0 * first[kind] / total[kind],
                                            100.0 * listed[kind] / total[kind]))
    for kind in total:
        for miss in misses[kind]:
            print("  %s: %s" % (kind, miss))


def check_headwords(args):
    heads = []
    seen = set()
    with open(args.headwords, encoding="utf-8") as f:
        for line in f:
            if line.startswith(("#", "@")) or "\t" not in line:
                continue
            head = line.split("\t", 1)[0]
            if head and head not in seen:
                seen.add(head)
                heads.append(head)
    answers = look_up(args, heads)
    failures = []
    for head, answer in zip(heads, answers):
        got = [m["headword"] for m in answer.get("matches", [])]
        if not got or fold(got[0]) != fold(head):
            failures.append("%s (got %s)" % (head, got[0] if got else "nothing"))
    print("headwords: %d looked up, %d list themselves first, %d do not" % (
        len(heads), len(heads) - len(failures), len(failures)))
    for failure in failures[:50]:
        print("  " + failure)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lookup", required=True, help="the wordmere-lookup program")
    parser.add_argument("--dir", required=True, help="the directory of the dictionaries")
    parser.add_argument("--dict", default="GRENG")
    parser.add_argument("--headwords", help="a dictionary source whose headwords to check")
    parser.add_argument("sets", nargs="*", help="evaluation set files")
    args = parser.parse_args()
    if args.sets:
        evaluate_sets(args)
    if args.headwords:
        check_headwords(args)


if __name__ == "__main__":
    main()
