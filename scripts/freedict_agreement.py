#!/usr/bin/python3
"""Checks the FreeDict dictionaries against dictd.

Starts a private dictd on 127.0.0.1 over Debian's FreeDict databases, takes a few hundred
sample index words of every direction, and checks that wordmere-lookup lists each headword of
the articles dictd serves and shows exactly the translations of those articles after the
importer's documented mapping (tools/freedict/freedict_article.h, code_page_fit.h,
dictionary_source.h). The mapping is written here again, independently, from those rules.
Then runs the sample lookups (accents, an English word, the closest-word fallback, a word
without an index block).

    freedict_agreement.py --lookup build/bin/wordmere-lookup --dir build/dist [--samples 300]

Prints the agreement rate per direction and every disagreement; exit status 1 when any.
"""

import argparse
import json
import random
import re
import subprocess
import sys
import unicodedata

sys.path.insert(0, __import__("os").path.dirname(__file__))
from dictd_local import DictClient, LocalDictd, index_words  # noqa: E402

DICTIONARIES = {
    "GRENG": ("ell-eng", "eng-ell"),
    "FRENCH": ("ell-fra", "fra-ell"),
    "ITALIAN": ("ell-ita", "ita-ell"),
    "DUTCH": ("ell-nld", "nld-ell"),
    "SWEDISH": ("ell-swe", "swe-ell"),
    "FINNISH": ("ell-fin", "fin-ell"),
    "POLISH": ("ell-pol", "pol-ell"),
}

SPACE = re.compile(r"[ \t\r\n]+")


def clean(text):
    return SPACE.sub(" ", text).strip(" ")


def trim_right(text):
    return text.rstrip(" \t\r\n,")


# ---- the article mapping ----

def headwords_of(header, paragraph):
    text = trim_right(header)
    while text.endswith(">"):
        start = text.rfind("<")
        if start < 0 or (start > 0 and text[start - 1] not in " \t\r\n"):
            break
        text = trim_right(text[:start])
    if text.endswith("/") and " /" in text:
        text = trim_right(text[:text.index(" /")])
    if paragraph:
        words = []
        for part in text.split(","):
            word = clean(part)
            if word and word not in words:
                words.append(word)
        return words
    word = clean(text.replace(",", " "))
    return [word] if word else []


def split_items(line):
    chars = list(line)
    i = 0
    while i < len(chars):
        close = {"(": ")", "[": "]", "{": "}"}.get(chars[i])
        if close:
            try:
                end = chars.index(close, i + 1)
            except ValueError:
                end = -1
            if end >= 0:
                for j in range(i + 1, end):
                    if chars[j] == ",":
                        chars[j] = ";"
                i = end
        i += 1
    return [item for item in (clean(p) for p in "".join(chars).split(",")) if item]


PLACEHOLDERS = ("ΧΧΧ", "χχχ", "XXX", "xxx", "να προστεθεί μετάφραση")
GREEK_LETTER = re.compile("[\u0370-\u03ff\u1f00-\u1fff]")


def map_article(text, into_greek):
    lines = [line.rstrip("\r") for line in text.split("\n")]
    while lines and not clean(lines[-1]):
        lines.pop()
    if not lines:
        return [], []
    paragraph = len(lines) >= 3 and not clean(lines[1])
    translation_lines = []
    if paragraph:
        translation_lines.append(" ".join(lines[2:]))
    else:
        for i, line in enumerate(lines[1:], 1):
            number = re.match(r"\d+\. ", line)
            if not number and i != 1:
                continue
            if into_greek and not GREEK_LETTER.search(line):
                continue  # a note, numbered like a sense
            translation_lines.append(line[number.end():] if number else line)
    items = []
    for line in translation_lines:
        line = re.sub(r"[ \t\r\n]\d+\.$", "", trim_right(line))
        for item in split_items(trim_right(line)):
            if item not in items and item not in PLACEHOLDERS:
                items.append(item)
    return headwords_of(lines[0], paragraph), items


# ---- code pages and limits ----

STAND_INS = {"ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ħ": "h", "Ħ": "H", "ı": "i",
             "ŀ": "l", "Ŀ": "L", "ĸ": "k", "ŧ": "t", "Ŧ": "T", "ſ": "s", "′": "'"}
for c in "\u00a0\u2002\u2003\u2007\u2008\u2009\u200a\u202f":
    STAND_INS[c] = " "
for c in "\u00ad\u200b\u200c\u200d\u200e\u200f\u2060\ufeff":
    STAND_INS[c] = ""
for c in "\u2010\u2011\u2012\u2212":
    STAND_INS[c] = "-"


def stored_byte_exists(c):
    o = ord(c)
    if o < 0x20 or o == 0x7F:
        return False
    pages = ["cp1253"] if (0x370 <= o <= 0x3FF or o == 0x2015) else ["cp1252", "cp1253"]
    for page in pages:
        try:
            c.encode(page)
            return True
        except UnicodeEncodeError:
            pass
    return False


def is_greek_text(data):
    """The program's language test on stored bytes."""
    def counts(part):
        greek = sum(1 for b in part if b >= 0xA0)
        latin = sum(1 for b in part if 0x41 <= b <= 0x9F)
        return greek, latin

    def has_greek_word(otherwise):
        return any(g > 2 and l == 0 for g, l in (counts(w) for w in data.split(b" "))) or otherwise

    part = data
    if len(data) <= 2 and (b" " in data or b"-" in data):
        mark = b" " if b" " in data else b"-"
        part = data[data.index(mark) + 1:].split(b" ")[0]
    greek, latin = counts(part)
    if latin == 0:
        return greek > 0
    if (b" " in data or b"-" in data) and len(data) > 2:
        return has_greek_word(False)
    return False


def shows_as_written(text):
    """Whether the program would show the stored text as it was written."""
    data = b"".join(stored_byte(c) for c in text)
    return data.decode("cp1253" if is_greek_text(data) else "cp1252", "replace") == text


def stored_in(c, page):
    try:
        c.encode(page)
        return True
    except UnicodeEncodeError:
        return False


def stored_byte(c):
    o = ord(c)
    if 0x370 <= o <= 0x3FF or o == 0x2015:
        return c.encode("cp1253")
    return c.encode("cp1252") if stored_in(c, "cp1252") else c.encode("cp1253")


def fit(text):
    """The text as stored, or None when it cannot be stored or shown as written."""
    fitted = fit_chars(text)
    if fitted is None:
        return None
    return fitted if shows_as_written(fitted) else None


def fit_chars(text):
    """The text with stand-ins, or None when a character has no stand-in."""
    out = []
    for c in text:
        if c != "\u00a0" and stored_byte_exists(c):
            out.append(c)
        elif c in STAND_INS:
            out.append(STAND_INS[c])
        elif 0x2070 <= ord(c) <= 0x2089 and unicodedata.digit(c, None) is not None:
            out.append(str(unicodedata.digit(c)))
        elif 0x100 <= ord(c) <= 0x17F or 0x218 <= ord(c) <= 0x21B:
            base = unicodedata.normalize("NFD", c)[0]
            if base.isascii() and base.isalpha():
                out.append(base)
            else:
                return None
        else:
            return None
    return "".join(out)


def into_greek(db):
    return db.endswith("-ell")


def expected_entry(articles_by_db, databases):
    """headword as written -> (stored headword, items), merged over the dictionary's articles
    in database order."""
    entries = {}
    for articles, db in zip(articles_by_db, databases):
        for text in articles:
            words, items = map_article(text, into_greek(db))
            for word in words:
                stored = fit(word)
                if stored is None or not stored or len(stored) > 149 or stored[0] in "#@":
                    continue
                entry = entries.setdefault(word, (stored, []))[1]
                for item in items:
                    item = fit(item)
                    if item and len(item) <= 149 and item not in entry:
                        entry.append(item)
    for word, (stored, items) in entries.items():
        size = len(stored) + 2
        kept = []
        for item in items:
            more = len(item) + (1 if kept else 0)
            if size + more > 3000:
                break
            size += more
            kept.append(item)
        entries[word] = (stored, kept)
    return entries


# ---- the lookups ----

def lookup(program, directory, dictionary, word, *flags):
    run = subprocess.run([program, "--dir", directory, "--dict", dictionary, "--json", *flags,
                          "--", word], capture_output=True)
    result = json.loads(run.stdout.decode("utf-8")) if run.stdout else None
    return run.returncode, result, run.stderr.decode("utf-8", "replace").strip()


def check_direction(client, args, dictionary, databases, db, rng):
    words = index_words(args.data, db)
    sample = rng.sample(words, min(args.samples, len(words)))
    headwords = []
    for served in client.define_many([(db, word) for word in sample]):
        for text in served:
            for headword in map_article(text, into_greek(db))[0]:
                if headword not in headwords:
                    headwords.append(headword)
    # Every article of a headword in both directions makes up its entry.
    requests = [(d, headword) for headword in headwords for d in databases]
    served = client.define_many(requests)
    checked = agreed = skipped = 0
    wrong_script = []
    problems = []
    for n, headword in enumerate(headwords):
        stored = fit(headword)
        if stored is None or not stored or len(stored) > 149:
            skipped += 1  # documented: such headwords are dropped by the importer
            continue
        merged = expected_entry(served[n * len(databases):(n + 1) * len(databases)], databases)
        expected = merged.get(headword, (stored, []))[1]
        if not expected:
            skipped += 1  # documented: an entry that keeps no translation is dropped
            continue
        checked += 1
        status, result, error = lookup(args.lookup, args.dir, dictionary, stored)
        # Two words may be stored alike ("nić" and "nic"): each is an entry of its own.
        shown = [match["translations"] for match in (result or {}).get("matches", [])
                 if match["headword"] == stored]
        if not shown:
            problems.append("%s %r: not listed (exit %d, %s)"
                            % (db, stored, status, error or (result and result["status"])))
        elif sorted(expected) not in [sorted(t) for t in shown]:
            problems.append("%s %r: shown %r, dictd %r" % (db, stored, shown, expected))
        else:
            agreed += 1
            # A check that does not lean on the mapping rules: every dictionary here is
            # between Greek and another script, so a translation in its headword's own script
            # is most likely a note taken for a translation.
            greek_headword = bool(GREEK_LETTER.search(stored))
            wrong_script += [t for t in expected if bool(GREEK_LETTER.search(t)) == greek_headword]
    if wrong_script:
        print("  %s: %d translations in the headword's own script, e.g. %s"
              % (db, len(wrong_script), ", ".join(repr(t) for t in wrong_script[:4])))
    return checked, agreed, skipped, problems


SAMPLES = [
    # dictionary, word, flags, exit status, query as searched, first headword, status; a list
    # of guesses or closest words only exits 3
    ("GRENG", "λόγος", [], 0, "λογοσ", "λόγος", ""),
    ("GRENG", "λογος", [], 0, "λογοσ", "λόγος", ""),
    ("GRENG", "ΛΟΓΟΣ", [], 0, "λογοσ", "λόγος", ""),
    ("GRENG", "λογος", ["--no-accent"], 3, "λογο", "λόγος", "Did you mean: λόγος"),
    ("GRENG", "house", [], 0, "house", "house", ""),
    ("GRENG", "λογοθεραπευτρια", [], 3, "λογοθεραπευτ", "λογοθεραπευτής", ""),
    ("GRENG", "ξψ", [], 1, "ξψ", None, "Can't find the requested word"),
    ("THESS", "σπίτι", [], 0, "σπιτι", "σπίτι", ""),
    ("FRENCH", "bonjour", [], 0, "bonjour", "bonjour", ""),
    ("POLISH", "łódź", [], 0, "lodz", "lódz", ""),
]


def check_samples(args):
    failures = []
    for dictionary, word, flags, status, query, first, message in SAMPLES:
        code, result, error = lookup(args.lookup, args.dir, dictionary, word, *flags)
        matches = (result or {}).get("matches", [])
        got_first = matches[0]["headword"] if matches else None
        line = "%-7s %-18s %-14s exit %d, query %r, %d matches, first %r, status %r" % (
            dictionary, word, " ".join(flags), code, result and result["query"], len(matches),
            got_first, result and result["status"])
        print("  " + line)
        if (code, result and result["query"], got_first, result and result["status"]) != (
                status, query, first, message):
            failures.append(line)
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lookup", required=True, help="the wordmere-lookup program")
    parser.add_argument("--dir", required=True, help="the directory of the dictionaries")
    parser.add_argument("--data", default="/usr/share/dictd", help="the dictd databases")
    parser.add_argument("--samples", type=int, default=300, help="index words per direction")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    all_databases = [db for pair in DICTIONARIES.values() for db in pair]
    total_checked = total_agreed = total_skipped = 0
    problems = []
    with LocalDictd(args.data, all_databases) as server:
        for dictionary, databases in DICTIONARIES.items():
            for db in databases:
                # dictd ends a connection after a few thousand queries: one per direction.
                client = DictClient(server.port)
                checked, agreed, skipped, found = check_direction(client, args, dictionary,
                                                                  databases, db, rng)
                total_skipped += skipped
                client.close()
                total_checked += checked
                total_agreed += agreed
                problems += found
                print("%-7s %-8s %4d headwords checked, %4d agree (%.1f%%), %d left out by rule"
                      % (dictionary, db, checked, agreed, 100.0 * agreed / max(checked, 1),
                         skipped))
    print("all: %d headwords checked, %d agree (%.2f%%); %d sampled headwords left out by the"
          " importer's rules (not storable or shown as written, no translation left)"
          % (total_checked, total_agreed, 100.0 * total_agreed / max(total_checked, 1),
             total_skipped))
    for problem in problems:
        print("DISAGREE " + problem)

    print("sample lookups:")
    failures = check_samples(args)
    for failure in failures:
        print("WRONG " + failure)
    return 1 if problems or failures else 0


if __name__ == "__main__":
    sys.exit(main())
