#!/usr/bin/python3
"""How often an inflected Greek form leads to its headword: the evaluation set's rates.

Reads tests/evaluation/inflected_forms.tsv (form, expected headword, kind), asks the word-form
table for every form through `wordmere-wordforms --query`, and prints per kind how many forms
list the expected headword first and how many list it at all, then the same for the regular
kinds together (noun, adjective, verb) and the irregular ones. --misses lists the forms whose
headword did not come first, with what came instead.

    form_evaluation.py [--tool build/native/bin/wordmere-wordforms]
                       [--table build/dist/GRFORMS.DAT] [--set FILE] [--misses]
"""

import argparse
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REGULAR = ("noun", "adjective", "verb")


def read_set(path):
    cases = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 3:
                sys.exit(f"{path}:{number}: expected form, headword and kind")
            cases.append(tuple(fields))
    return cases


def ask_table(tool, table, forms):
    run = subprocess.run([tool, "--query", table], input="\n".join(forms) + "\n",
                         capture_output=True, text=True, encoding="utf-8")
    if run.returncode != 0:
        sys.exit(f"{tool} failed: {run.stderr.strip()}")
    answers = {}
    for line in run.stdout.splitlines():
        fields = line.split("\t")
        answers[fields[0]] = fields[1:]
    return answers


def rate(part, whole):
    return f"{100.0 * part / whole:5.1f} %" if whole else "    -"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--tool", default=os.path.join(ROOT, "build/native/bin/wordmere-wordforms"))
    parser.add_argument("--table", default=os.path.join(ROOT, "build/dist/GRFORMS.DAT"))
    parser.add_argument("--set", default=os.path.join(ROOT, "tests/evaluation/inflected_forms.tsv"))
    parser.add_argument("--misses", action="store_true")
    args = parser.parse_args()

    cases = read_set(args.set)
    answers = ask_table(args.tool, args.table, [form for form, _, _ in cases])
    totals = {}
    misses = []
    for form, expected, kind in cases:
        lemmas = answers.get(form, [])
        first = bool(lemmas) and lemmas[0] == expected
        listed = expected in lemmas
        for group in (kind, "regular" if kind in REGULAR else None):
            if group:
                count = totals.setdefault(group, [0, 0, 0])
                count[0] += 1
                count[1] += first
                count[2] += listed
        if not first:
            misses.append((kind, form, expected, lemmas))

    print(f"Word-form table {args.table} through {os.path.basename(args.tool)}, "
          f"{len(cases)} forms from {os.path.relpath(args.set, ROOT)}")
    print(f"{'kind':<11}{'forms':>6}{'first':>7}{'rate':>9}{'listed':>8}{'rate':>9}")
    for group in (*REGULAR, "regular", "irregular"):
        if group in totals:
            n, first, listed = totals[group]
            print(f"{group:<11}{n:>6}{first:>7}{rate(first, n):>9}{listed:>8}{rate(listed, n):>9}")
    if args.misses:
        print()
        for kind, form, expected, lemmas in misses:
            got = ", ".join(lemmas) if lemmas else "nothing"
            print(f"{kind:<11}{form} → {expected}: {got}")


if __name__ == "__main__":
    main()
