#!/usr/bin/env python3
"""Checks every project include in src/ against the declared layers.

usage: check_layers.py SRC_DIR LAYERS_FILE

LAYERS_FILE holds one "folder: allowed folder..." line per folder, as the
build writes it from its declarations (cmake/Layers.cmake). A folder is
"core/<name>" or "gui/<name>" for the folders of src/core and src/gui, else
the top folder of src/ ("cli", "picture"). A file may include headers of its
own folder and of the folders its line allows; an include of any other
folder, a file in a folder without a line, and a cycle among the lines are
errors. Top folders with no line at all are not built in this configuration
(the windows in the sanitizer build) and are skipped.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SPLIT_TOPS = ("core", "gui")  # top folders whose sub-folders are layers


def folder_of(relative_path):
    """The layer of a path relative to src/, or None for a file at the top."""
    parts = relative_path.split("/")
    if parts[0] in SPLIT_TOPS:
        return "/".join(parts[:2]) if len(parts) > 2 else None
    return parts[0] if len(parts) > 1 else None


def read_layers(path):
    layers = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if ":" not in line:
                continue
            folder, allowed = line.split(":", 1)
            layers[folder.strip()] = set(allowed.split())
    return layers


def find_cycle(layers):
    """One cycle of the declared graph as a list of folders, or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for dep in sorted(layers.get(node, ())):
            if state.get(dep) == "open":
                return stack[stack.index(dep):] + [dep]
            if dep not in state:
                cycle = visit(dep)
                if cycle:
                    return cycle
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(layers):
        if node not in state:
            cycle = visit(node)
            if cycle:
                return cycle
    return None


def main():
    src, layers_file = sys.argv[1], sys.argv[2]
    layers = read_layers(layers_file)
    tops = {folder.split("/")[0] for folder in layers}
    errors = []

    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            relative = os.path.relpath(path, src).replace(os.sep, "/")
            if relative.split("/")[0] not in tops:
                continue
            own = folder_of(relative)
            if own is None:
                continue
            if own not in layers:
                errors.append(f"src/{relative}: folder {own} has no declared layer")
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = folder_of(match.group(1))
                    if target is None or target.split("/")[0] not in tops | set(SPLIT_TOPS):
                        continue  # a header beside the file, or a library's
                    if target != own and target not in layers[own]:
                        errors.append(f"src/{relative}:{number}: {own} may not include "
                                      f"{match.group(1)} ({target} is not among its layers)")

    cycle = find_cycle(layers)
    if cycle:
        errors.append("the declared layers form a cycle: " + " -> ".join(cycle))

    for error in errors:
        print(error)
    if errors:
        print(f"{len(errors)} layering error(s); the layers are declared in src/*/CMakeLists.txt")
        return 1
    print(f"{len(layers)} folders, every include within its layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
