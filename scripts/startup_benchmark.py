#!/usr/bin/env python3
"""Start-up benchmark of the Windows program under Wine.

Times wordmere.exe from process creation until its lookup window shows its first results (the
word list holds an item), against two peers started the same way: the lookup window's own template
shown by a program that does nothing else (tests/e2e/startup_template), which is what Wine takes
to make that window, and a bare dialog with a word box and a list (tests/e2e/startup_peer). All
three are started in turn by the same probe program (tests/e2e/startup_probe) in a Wine prefix of
their own, with Wine's server kept running. Prints the median time of each and the median of the
per-round ratios of the program against each peer.

Usage: scripts/startup_benchmark.py [--win-build build/win] [--dist build/dist] [--runs 21]
Needs a display; without one it runs itself on a private Xvfb (scripts/xvfb_run.sh).
"""
import argparse
import contextlib
import os
import shutil
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


@contextlib.contextmanager
def benchmark_setting(win_build, dist, name):
    """A copy of the program directory and of the project's prefix under win_build/name, so a
    benchmark neither changes the staged files (the program writes its tip counter at close)
    nor the settings of the project's prefix; the copy starts without the tip of the day. The
    program's first start there is a first run; the benchmark's warm-up start takes it, and
    every timed start reads the settings that run wrote. Yields the environment to run Wine
    with and the program directory's copy."""
    work = os.path.join(win_build, name)
    prefix = os.path.join(work, "wineprefix")
    program_dir = os.path.join(work, "program")
    prefix_script = os.path.join(ROOT, "tests", "e2e", "e2e_prefix.sh")
    env = dict(os.environ, WORDMERE_WINEPREFIX=prefix, WINEDEBUG="-all")
    try:
        shutil.rmtree(program_dir, ignore_errors=True)
        os.makedirs(program_dir)
        for entry in os.listdir(dist):
            if entry.lower().endswith((".exe", ".dic", ".ind", ".res")):
                shutil.copy2(os.path.join(dist, entry), program_dir)
        # The tip of the day is a dialog of its own that follows the first results; left on, it
        # stays open when the probe closes the program, which then has to be killed each round.
        texts = os.path.join(program_dir, "vbrtexts.res")
        with open(texts, "rb") as f:
            data = f.read()
        with open(texts, "wb") as f:
            f.write(data.replace(b"ShowTips=1\r\n", b"ShowTips=0\r\n"))
        subprocess.run(["bash", prefix_script, "copy", prefix], check=True,
                       env={k: v for k, v in os.environ.items() if k != "WORDMERE_WINEPREFIX"})
        subprocess.run([os.path.join(ROOT, "scripts", "wine_run"), "reg", "delete",
                        r"HKLM\Software\Corvessa\Wordmere", "/f"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        yield env, program_dir
    finally:
        subprocess.run(["bash", prefix_script, "stop", prefix])
        shutil.rmtree(work, ignore_errors=True)


def print_rounds(output, tool, how, labels):
    """Prints the medians of a probe's "<index> <ms>" lines, one round of the program (0) and
    then of each peer (1, 2, ...) after the other, and for each peer the median of the per-round
    ratios of the program against it."""
    times = {index: [] for index in range(len(labels))}
    for line in output.splitlines():
        index, ms = line.split()
        times[int(index)].append(float(ms))
    rounds = len(times[0])
    if not rounds or any(len(values) != rounds for values in times.values()):
        sys.exit(f"{tool}: the probe reported no complete rounds")
    width = max(len(label) for label in labels) + 1
    print(f"runs: {rounds} of each, {how}")
    for index, label in enumerate(labels):
        values = times[index]
        print(f"{label + ':':{width}} median {statistics.median(values):.1f} ms "
              f"(min {min(values):.1f}, max {max(values):.1f})")
    for index in range(1, len(labels)):
        ratios = [a / b for a, b in zip(times[0], times[index])]
        print(f"median ratio against the {labels[index]}: {statistics.median(ratios):.2f}")


def benchmark_arguments(description, tool, runs, runs_help, needed):
    """The Windows benchmarks' common command line (--win-build, --dist, --runs); without a
    display the script runs itself again on a private Xvfb. `needed` names the programs of the
    cross build's bin folder that must exist besides the staged wordmere.exe."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--win-build", default=os.path.join(ROOT, "build", "win"),
                        help=f"the cross build folder (holds bin/{needed[0]})")
    parser.add_argument("--dist", default=os.path.join(ROOT, "build", "dist"),
                        help="the staged program directory (wordmere.exe and dictionaries)")
    parser.add_argument("--runs", type=int, default=runs, help=runs_help)
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        os.execv(os.path.join(ROOT, "scripts", "xvfb_run.sh"),
                 [os.path.join(ROOT, "scripts", "xvfb_run.sh"), sys.executable] + sys.argv)

    args.win_build = os.path.abspath(args.win_build)
    args.dist = os.path.abspath(args.dist)
    paths = [os.path.join(args.win_build, "bin", name) for name in needed]
    for path in paths + [os.path.join(args.dist, "wordmere.exe")]:
        if not os.path.exists(path):
            sys.exit(f"{tool}: {path} is missing; build the cross build first")
    return args


def run_in_setting(args, tool, exe, extra, timeout):
    """Runs win_build/bin/exe under Wine in a fresh benchmark setting, with the number of rounds,
    the copied wordmere.exe and its folder, then extra; ends the script when it fails. Returns
    what it printed."""
    with benchmark_setting(args.win_build, args.dist, tool.replace("_", "-")) as (env, program_dir):
        result = subprocess.run(
            [os.path.join(ROOT, "scripts", "wine_run"), os.path.join(args.win_build, "bin", exe),
             str(args.runs), wine_path(os.path.join(program_dir, "wordmere.exe")),
             wine_path(program_dir)] + extra,
            env=env, stdout=subprocess.PIPE, text=True, timeout=timeout)
    if result.returncode != 0:
        sys.exit(f"{tool}: {exe} failed with exit code {result.returncode}")
    return result.stdout


def main():
    peers = ["startup_template.exe", "startup_peer.exe"]
    args = benchmark_arguments(__doc__.splitlines()[0], "startup_benchmark", 21,
                               "timed starts of each program", ["startup_probe.exe"] + peers)
    bin_dir = os.path.join(args.win_build, "bin")
    programs = []
    for peer in peers:
        programs += [wine_path(os.path.join(bin_dir, peer)), wine_path(bin_dir)]
    output = run_in_setting(args, "startup_benchmark", "startup_probe.exe", programs,
                            60 + args.runs * 45)
    print_rounds(output, "startup_benchmark", "started in turn",
                 ["wordmere.exe to its first results", "template alone to its first item",
                  "bare dialog to its first item"])


if __name__ == "__main__":
    main()
