#!/usr/bin/env python3
"""Fails when an include runs upward between the rooms of src/, or when
modules (a header with its source) include each other in a cycle.

    include_direction.py SRC_DIR
"""
import os
import re
import sys

# What each room may include besides itself: only rooms below it.
BELOW = {
    "core": set(),
    "fileio": set(),
    "actions": {"core"},
    "commands": {"actions", "core", "fileio"},
    "controls": {"core"},
    "dialogs": {"controls", "commands", "actions", "core", "fileio"},
    "printing": {"controls", "core"},
    "platform": {"dialogs", "printing", "controls", "commands", "actions", "core", "fileio"},
    "mainform": {"platform", "dialogs", "printing", "controls", "commands", "actions", "core", "fileio"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)\.h"', re.M)


def modules(src):
    graph = {}
    for room in sorted(os.listdir(src)):
        folder = os.path.join(src, room)
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            stem, ext = os.path.splitext(name)
            if ext not in (".h", ".cpp"):
                continue
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                text = f.read()
            node = graph.setdefault(room + "/" + stem, {})
            for target_room, target in INCLUDE.findall(text):
                node.setdefault(target_room + "/" + target, room + "/" + name)
    return graph


def upward(graph):
    faults = []
    for module, targets in sorted(graph.items()):
        room = module.split("/")[0]
        for target, where in sorted(targets.items()):
            to = target.split("/")[0]
            if room not in BELOW:
                faults.append(f"{where}: the room {room} has no place in the order")
            elif to != room and to not in BELOW[room]:
                faults.append(f"{where}: includes {target}.h, which lies above {room} or beside it")
    return faults


def cycles(graph):
    # Tarjan's strongly connected components over modules.
    index, low, stack, on, found, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in graph.get(v, {}):
            if w == v or w not in graph:
                continue
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on.discard(w)
                part.append(w)
                if w == v:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return [f"modules include each other: {' <-> '.join(part)}" for part in found]


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    graph = modules(src)
    faults = upward(graph) + cycles(graph)
    for fault in faults:
        print(fault)
    print(f"{len(graph)} modules in {len(BELOW)} rooms: "
          + ("no include runs upward and none runs in a cycle" if not faults else f"{len(faults)} faults"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
