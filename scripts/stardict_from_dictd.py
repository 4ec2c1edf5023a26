#!/usr/bin/python3
"""Converts FreeDict's dictd databases to StarDict format, for sdcv in the lookup benchmark.

    stardict_from_dictd.py [--data /usr/share/dictd] OUTDIR DATABASE...

Writes OUTDIR/freedict-DATABASE.{ifo,idx,dict} for each database (such as ell-eng): every index
line's article, plain text, with the index sorted as StarDict wants it (ASCII case-insensitive
first, then byte order).
"""
import argparse
import gzip
import os
import sys

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def number(text):
    value = 0
    for c in text:
        value = value * 64 + B64.index(c)
    return value


def convert(data_dir, database, out_dir):
    with gzip.open(os.path.join(data_dir, "freedict-%s.dict.dz" % database)) as f:
        data = f.read()
    entries = []
    with open(os.path.join(data_dir, "freedict-%s.index" % database), encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 3 or fields[0].startswith(("00database", "00-database")):
                continue
            start, length = number(fields[1]), number(fields[2])
            entries.append((fields[0].encode("utf-8"), data[start:start + length]))
    entries.sort(key=lambda e: (e[0].lower(), e[0]))
    base = os.path.join(out_dir, "freedict-" + database)
    body, index = bytearray(), bytearray()
    for word, article in entries:
        index += word + b"\0" + len(body).to_bytes(4, "big") + len(article).to_bytes(4, "big")
        body += article
    with open(base + ".dict", "wb") as f:
        f.write(body)
    with open(base + ".idx", "wb") as f:
        f.write(index)
    with open(base + ".ifo", "w", encoding="utf-8") as f:
        f.write("StarDict's dict ifo file\nversion=2.4.2\nwordcount=%d\nidxfilesize=%d\n"
                "bookname=freedict-%s\nsametypesequence=m\n" % (len(entries), len(index),
                                                                  database))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--data", default="/usr/share/dictd")
    parser.add_argument("out")
    parser.add_argument("databases", nargs="+")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for database in args.databases:
        convert(args.data, database, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
