#!/usr/bin/env python3
"""Checks the library layers from CMake's --graphviz output of a build folder: no portable
library links a Win32 one (a name ending in _win), and no two libraries need each other, directly
or through others. Prints what is wrong and exits 1, else 0.

Usage: check_layers.py BUILD_DIR"""
import os
import re
import subprocess
import sys
import tempfile


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


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    graph = library_graph(sys.argv[1])
    problems = []
    for library, links in sorted(graph.items()):
        for link in sorted(links):
            if not library.endswith("_win") and link.endswith("_win"):
                problems.append(f"portable {library} links the Win32 library {link}")
        if library in reached(graph, library):
            problems.append(f"{library} needs itself through " + ", ".join(sorted(links)))
    for problem in problems:
        print("layers:", problem)
    print(f"layers: {len(graph)} libraries, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
