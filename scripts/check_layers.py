#!/usr/bin/env python3
"""Checks the program's layers in two ways and prints each problem:
- the folders: a product file includes a header of its own folder or of a lower one, never of a
  higher one (the order is FOLDER_RANKS below); the shell tools include only portable headers of
  the folders from settings/ down;
- the libraries, from CMake's --graphviz output of a build folder when one is given: no portable
  library links a Win32 one (a name ending in _win), and no two libraries need each other,
  directly or through others.
Exits 1 when anything is wrong, else 0.

Usage: check_layers.py [--source DIR] [BUILD_DIR]
  --source DIR   the source tree whose includes are read (default: this script's repository)"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

# Top to bottom. Folders of one rank may include each other's headers; the library check keeps
# them from needing each other both ways.
FOLDER_RANKS = {
    "app": 0,
    "dialogs": 1,
    "ui": 2,
    "settings": 3,
    "userdict": 3,
    "keyboard": 3,
    "engine": 4,
    "resources": 5,
}
TOOLS_FOLDER = "tools"
TOOLS_LOWEST_RANK = FOLDER_RANKS["settings"]
SOURCE_SUFFIXES = (".cpp", ".h", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def include_problems(source_dir):
    problems = []
    for top in sorted(set(FOLDER_RANKS) | {TOOLS_FOLDER}):
        for folder, _, names in sorted(os.walk(os.path.join(source_dir, top))):
            for name in sorted(names):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(folder, name)
                shown = os.path.relpath(path, source_dir)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        problem = include_problem(top, match.group(1))
                        if problem:
                            problems.append(f"{shown}:{number}: includes {match.group(1)}: {problem}")
    return problems


def include_problem(top, header):
    # A header named without a folder is its own folder's.
    if "/" not in header:
        return None
    target = header.split("/", 1)[0]
    if target not in FOLDER_RANKS:
        return None
    if top == TOOLS_FOLDER:
        if FOLDER_RANKS[target] < TOOLS_LOWEST_RANK:
            return f"the shell tools use only what lies from settings/ down, not {target}/"
        if header.endswith("_win.h"):
            return "the shell tools use only portable headers"
        return None
    if FOLDER_RANKS[target] < FOLDER_RANKS[top]:
        return f"{target}/ lies above {top}/"
    return None


def library_graph(build_dir):
    with tempfile.TemporaryDirectory() as work:
        dot = os.path.join(work, "graph.dot")
        subprocess.run(["cmake", "--graphviz=" + dot, "."], cwd=build_dir, check=True,
                       stdout=subprocess.DEVNULL)
        names, edges = {}, []
        with open(dot, encoding="utf-8") as f:
            for line in f:
                node = re.match(r'\s*"(node\d+)"\s*\[\s*label\s*=\s*"([^"]+)"', line)
                if node:
                    names[node.group(1)] = node.group(2)
                edge = re.match(r'\s*"(node\d+)"\s*->\s*"(node\d+)"', line)
                if edge:
                    edges.append((edge.group(1), edge.group(2)))
    ours = {n: label for n, label in names.items() if label.startswith("wm_")}
    graph = {label: set() for label in ours.values()}
    for a, b in edges:
        if a in ours and b in ours:
            graph[ours[a]].add(ours[b])
    return graph


def reached(graph, start):
    seen, stack = set(), list(graph[start])
    while stack:
        node = stack.pop()
        if node not in seen:
            seen.add(node)
            stack.extend(graph.get(node, ()))
    return seen


def library_problems(graph):
    problems = []
    for library, links in sorted(graph.items()):
        for link in sorted(links):
            if not library.endswith("_win") and link.endswith("_win"):
                problems.append(f"portable {library} links the Win32 library {link}")
        if library in reached(graph, library):
            problems.append(f"{library} needs itself through " + ", ".join(sorted(links)))
    return problems


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("--source",
                        default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("build_dir", nargs="?")
    args = parser.parse_args()

    folder_problems = include_problems(args.source)
    for problem in folder_problems:
        print("folders:", problem)
    print(f"folders: {len(folder_problems)} problems")
    failed = bool(folder_problems)

    if args.build_dir:
        graph = library_graph(args.build_dir)
        problems = library_problems(graph)
        for problem in problems:
            print("layers:", problem)
        print(f"layers: {len(graph)} libraries, {len(problems)} problems")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
