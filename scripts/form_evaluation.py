#!/usr/bin/python3
"""How often an inflected Greek form leads to its headword: the evaluation set's rates.

Reads tests/evaluation/inflected_forms.tsv (form, expected headword, kind) and looks every
form up through the shell tool (`wordmere-lookup --words-from`, over the staged program
directory: the search and its guesses, as the window shows them), or with --table straight in
the word-form table (`wordmere-wordforms --query`). Prints per kind how many forms list the
expected headword first and how many list it at all, then the same for the regular kinds
together (noun, adjective, verb) and the irregular ones. --misses lists the forms whose
headword did not come first, with what came instead.

    form_evaluation.py [--lookup build/native/bin/wordmere-lookup] [--dir build/dist]
                       [--set FILE] [--misses]
    form_evaluation.py --table [--tool build/native/bin/wordmere-wordforms]
                       [--dir build/dist] [--set FILE] [--misses]
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile

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


def ask_lookup(lookup, directory, forms):
    """The headwords the shell tool lists for each form, in its order."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt") as words:
        words.write("\n".join(forms) + "\n")
        words.flush()
        run = subprocess.run([lookup, "--dir", directory, "--words-from", words.name],
                             capture_output=True, text=True, encoding="utf-8")
    lines = run.stdout.splitlines()
    if len(lines) != len(forms):
        sys.exit(f"{lookup} gave {len(lines)} lines for {len(forms)} words: {run.stderr.strip()}")
    answers = {}
    for form, line in zip(forms, lines):
        answers[form] = [match["headword"] for match in json.loads(line).get("matches", [])]
    return answers


def rate(part, whole):
    return f"{100.0 * part / whole:5.1f} %" if whole else "    -"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lookup", default=os.path.join(ROOT, "build/native/bin/wordmere-lookup"))
    parser.add_argument("--table", action="store_true", help="ask the word-form table only")
    parser.add_argument("--tool", default=os.path.join(ROOT, "build/native/bin/wordmere-wordforms"))
    parser.add_argument("--dir", default=os.path.join(ROOT, "build/dist"))
    parser.add_argument("--set", default=os.path.join(ROOT, "tests/evaluation/inflected_forms.tsv"))
    parser.add_argument("--misses", action="store_true")
    args = parser.parse_args()

    cases = read_set(args.set)
    forms = [form for form, _, _ in cases]
    if args.table:
        table = os.path.join(args.dir, "GRFORMS.DAT")
        answers = ask_table(args.tool, table, forms)
        through = f"the word-form table {table} ({os.path.basename(args.tool)} --query)"
    else:
        answers = ask_lookup(args.lookup, args.dir, forms)
        through = f"{os.path.basename(args.lookup)} over {args.dir}"
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

    print(f"{len(cases)} forms from {os.path.relpath(args.set, ROOT)} through {through}")
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
