#!/usr/bin/env python3
"""Soak of the Windows program under Wine: many lookups of random headwords.

Runs tests/e2e/soak.cpp's driver (bin/e2e_soak.exe of the cross build) against a copy of the
staged program in a copy of the project's Wine prefix: random headwords of every dictionary and
pair, looked up typed, through the letter buttons and through the clipboard, with dictionary
and form switches between them. The driver prints the program's private memory and handle
counts every hundred words as Windows reports them (Wine reports none for another process), and
this script adds what Linux sees of the same process at each of those points: its private
memory (Private_Clean + Private_Dirty of smaps_rollup) and its open file descriptors. The run
fails on a crash, an error box, a lookup that lists nothing, or memory or descriptors that keep
growing after the first hundred words (more than 10 % or 10 descriptors).

Usage: scripts/soak.py [--words 1000] [--seed 1] [--win-build build/win] [--dist build/dist]
Needs a display; without one it runs itself on a private Xvfb (scripts/xvfb_run.sh).
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def measure(marker):
    """(private KB, descriptors, threads) of the running wordmere.exe of this run, or None."""
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().decode("utf-8", "replace")
            if "wordmere.exe" not in command or marker not in command:
                continue
            private = 0
            with open(f"/proc/{pid}/smaps_rollup") as f:
                for row in f:
                    if row.startswith(("Private_Clean:", "Private_Dirty:")):
                        private += int(row.split()[1])
            descriptors = len(os.listdir(f"/proc/{pid}/fd"))
            threads = len(os.listdir(f"/proc/{pid}/task"))
            return private, descriptors, threads
        except OSError:
            continue
    return None


def verdict(samples):
    """1 when memory or descriptors kept growing after the first hundred words."""
    warm = [s for s in samples if s[0] >= 100]
    if len(warm) < 3:
        return 0
    first, last = warm[0], warm[-1]
    growth = (last[1] - first[1]) / first[1] if first[1] else 0
    print("linux, from word %d to %d: private %+.1f%%, descriptors %+d, threads %+d"
          % (first[0], last[0], growth * 100, last[2] - first[2], last[3] - first[3]))
    if growth > 0.10 or last[2] - first[2] > 10:
        print("soak: memory or descriptors keep growing")
        return 1
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--words", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--win-build", default=os.path.join(ROOT, "build", "win"))
    parser.add_argument("--dist", default=os.path.join(ROOT, "build", "dist"))
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        os.execv(os.path.join(ROOT, "scripts", "xvfb_run.sh"),
                 [os.path.join(ROOT, "scripts", "xvfb_run.sh"), sys.executable] + sys.argv)

    driver = os.path.join(os.path.abspath(args.win_build), "bin", "e2e_soak.exe")
    for path in (driver, os.path.join(args.dist, "wordmere.exe")):
        if not os.path.exists(path):
            sys.exit(f"soak: {path} is missing; build the cross build first")
    work = tempfile.mkdtemp(prefix="wordmere-soak-")
    prefix = os.path.join(work, "wineprefix")
    prefix_script = os.path.join(ROOT, "tests", "e2e", "e2e_prefix.sh")
    env = dict(os.environ, WORDMERE_WINEPREFIX=prefix, WINEDEBUG="-all")
    try:
        subprocess.run(["bash", prefix_script, "copy", prefix], check=True,
                       env={k: v for k, v in os.environ.items() if k != "WORDMERE_WINEPREFIX"})
        program_dir = os.path.join(work, "program")
        driver_run = subprocess.Popen(
            [os.path.join(ROOT, "scripts", "wine_run"), driver, os.path.abspath(args.dist),
             program_dir, str(args.words), str(args.seed)],
            env=env, stdout=subprocess.PIPE, text=True)
        samples = []
        for line in driver_run.stdout:
            sys.stdout.write(line)
            if line.startswith("words "):
                words = int(line.split()[1])
                sample = measure(os.path.basename(work))
                if sample:
                    samples.append((words,) + sample)
                    print("  linux: words %5d  private %8d KB  descriptors %4d  threads %3d"
                          % samples[-1])
            sys.stdout.flush()
        status = driver_run.wait(timeout=60)
        status = verdict(samples) or status
    finally:
        subprocess.run(["bash", prefix_script, "stop", prefix])
        shutil.rmtree(work, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
