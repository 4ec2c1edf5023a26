#!/usr/bin/env python3
"""Start-up benchmark of the Windows program under Wine.

Times wordmere.exe from process creation until its lookup window shows its first results (the
word list holds an item), against a bare dialog program (tests/e2e/startup_peer) started the same
way: both are started in turn by the same probe program (tests/e2e/startup_probe) in a Wine
prefix of their own, with Wine's server kept running. Prints the median time of each and the
median of the per-round ratios.

Usage: scripts/startup_benchmark.py [--win-build build/win] [--dist build/dist] [--runs 21]
Needs a display; without one it runs itself on a private Xvfb (scripts/xvfb_run.sh).
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--win-build", default=os.path.join(ROOT, "build", "win"),
                        help="the cross build folder (holds bin/startup_probe.exe)")
    parser.add_argument("--dist", default=os.path.join(ROOT, "build", "dist"),
                        help="the staged program directory (wordmere.exe and dictionaries)")
    parser.add_argument("--runs", type=int, default=21, help="timed starts of each program")
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        os.execv(os.path.join(ROOT, "scripts", "xvfb_run.sh"),
                 [os.path.join(ROOT, "scripts", "xvfb_run.sh"), sys.executable] + sys.argv)

    args.win_build = os.path.abspath(args.win_build)
    args.dist = os.path.abspath(args.dist)
    bin_dir = os.path.join(args.win_build, "bin")
    probe = os.path.join(bin_dir, "startup_probe.exe")
    peer = os.path.join(bin_dir, "startup_peer.exe")
    program = os.path.join(args.dist, "wordmere.exe")
    for path in (probe, peer, program):
        if not os.path.exists(path):
            sys.exit(f"startup_benchmark: {path} is missing; build the cross build first")

    work = os.path.join(args.win_build, "startup-benchmark")
    prefix = os.path.join(work, "wineprefix")
    program_dir = os.path.join(work, "program")
    prefix_script = os.path.join(ROOT, "tests", "e2e", "e2e_prefix.sh")
    env = dict(os.environ, WORDMERE_WINEPREFIX=prefix, WINEDEBUG="-all")
    try:
        # A copy of the program directory and of the project's prefix, so the benchmark neither
        # changes the staged files (the program writes its tip counter at close) nor the
        # settings of the project's prefix.
        shutil.rmtree(program_dir, ignore_errors=True)
        os.makedirs(program_dir)
        for name in os.listdir(args.dist):
            if name.lower().endswith((".exe", ".dic", ".ind", ".res")):
                shutil.copy2(os.path.join(args.dist, name), program_dir)
        subprocess.run(["bash", prefix_script, "copy", prefix], check=True,
                       env={k: v for k, v in os.environ.items() if k != "WORDMERE_WINEPREFIX"})
        # The program's first start in the prefix is a first run; the probe's warm-up start
        # takes it, and every timed start reads the settings that run wrote.
        subprocess.run([os.path.join(ROOT, "scripts", "wine_run"), "reg", "delete",
                        r"HKLM\Software\Corvessa\Wordmere", "/f"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        result = subprocess.run(
            [os.path.join(ROOT, "scripts", "wine_run"), probe, str(args.runs),
             wine_path(os.path.join(program_dir, "wordmere.exe")), wine_path(program_dir),
             wine_path(peer), wine_path(bin_dir)],
            env=env, stdout=subprocess.PIPE, text=True, timeout=60 + args.runs * 30)
        if result.returncode != 0:
            sys.exit(f"startup_benchmark: the probe failed with exit code {result.returncode}")
    finally:
        subprocess.run(["bash", prefix_script, "stop", prefix])
        shutil.rmtree(work, ignore_errors=True)

    times = {0: [], 1: []}
    for line in result.stdout.splitlines():
        index, ms = line.split()
        times[int(index)].append(float(ms))
    if not times[0] or len(times[0]) != len(times[1]):
        sys.exit("startup_benchmark: the probe reported no complete rounds")
    ratios = [a / b for a, b in zip(times[0], times[1])]
    print(f"runs: {len(ratios)} of each, started in turn")
    print(f"wordmere.exe to its first results: median {statistics.median(times[0]):.1f} ms "
          f"(min {min(times[0]):.1f}, max {max(times[0]):.1f})")
    print(f"bare dialog to its first item:     median {statistics.median(times[1]):.1f} ms "
          f"(min {min(times[1]):.1f}, max {max(times[1]):.1f})")
    print(f"median ratio: {statistics.median(ratios):.2f}")


if __name__ == "__main__":
    main()
