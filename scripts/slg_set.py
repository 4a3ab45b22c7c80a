#!/usr/bin/env python3
"""Adds or replaces texts in a translation file, keeping it Windows-1250.

usage: scripts/slg_set.py CODE < lines
Each input line is UTF-8 "KEY=TEXT" (a line break inside a text is written \\n).
Keys already in section [TEXTS] get the new text in place; new keys are added
at the end of the section in input order. Everything else in the file stays.
"""
import os
import re
import sys


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    code = sys.argv[1]
    path = os.path.join(os.path.dirname(__file__), "..", "resources", "lang", code + ".slg")
    pairs = []
    for line in sys.stdin.read().splitlines():
        if not line.strip() or line.lstrip().startswith(";"):
            continue
        key, sep, text = line.partition("=")
        if not sep:
            sys.exit("no '=' in: " + line)
        pairs.append((key.strip(), text))
    if os.path.exists(path):
        with open(path, "rb") as f:
            lines = f.read().decode("cp1250").split("\r\n")
        if lines and lines[-1] == "":
            lines.pop()
    else:
        lines = ["[VERSION]", "Version=1.0", "Lang=" + code, "Date=2026-12-10", "Author=Tessaro", "", "[TEXTS]"]
    # Locate the TEXTS section.
    start = next((i for i, l in enumerate(lines) if l.strip().upper() == "[TEXTS]"), None)
    if start is None:
        lines += ["", "[TEXTS]"]
        start = len(lines) - 1
    end = next((i for i in range(start + 1, len(lines)) if re.match(r"\s*\[", lines[i])), len(lines))
    index = {}
    for i in range(start + 1, end):
        k = lines[i].partition("=")[0].strip().upper()
        if "=" in lines[i] and k not in index:
            index[k] = i
    added = []
    for key, text in pairs:
        entry = key + "=" + text
        if key.upper() in index:
            lines[index[key.upper()]] = entry
        else:
            added.append(entry)
    # New keys go after the last non-blank line of the section.
    insert_at = end
    while insert_at > start + 1 and not lines[insert_at - 1].strip():
        insert_at -= 1
    lines[insert_at:insert_at] = added
    data = ("\r\n".join(lines) + "\r\n").encode("cp1250")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


if __name__ == "__main__":
    main()
