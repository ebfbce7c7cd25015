#!/usr/bin/env python3
"""Writes docs/commands.md: every command of the public header runtime/vornic.h with its
arguments, its result and what it does, grouped by the headers vornic.h includes, taken from the
comments above each declaration. With --check it only compares and fails when the committed
file is out of date."""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
RUNTIME = ROOT / "runtime"
OUTPUT = ROOT / "docs" / "commands.md"


def headers():
    text = (RUNTIME / "vornic.h").read_text()
    return re.findall(r'^#include "([^"]+)"', text, re.M)


def strip_comment(line):
    return re.sub(r"^\s*//\s?", "", line).rstrip()


def title_of(lines):
    """The header's opening comment, up to its first colon or full stop."""
    words = []
    for line in lines:
        if not line.lstrip().startswith("//"):
            break
        words.append(strip_comment(line))
    first = " ".join(words)
    return re.split(r"[:.](\s|$)", first, maxsplit=1)[0].strip() or "Commands"


def commands_of(lines):
    """(signature, description) of every function declared or defined at file level. A
    declaration right under another one, with no comment of its own, shares that one's."""
    found, comment, declaration, depth, shared = [], [], "", 0, ""
    for line in lines:
        stripped = line.strip()
        if depth > 0:
            depth += stripped.count("{") - stripped.count("}")
            continue
        if stripped.startswith("//"):
            if not declaration:
                comment.append(strip_comment(line))
            continue
        if not stripped or stripped.startswith("#"):
            comment, shared = [], ""
            continue
        declaration += " " + stripped
        if "{" in stripped or stripped.endswith(";"):
            head = declaration.split("{", 1)[0].strip().rstrip(";").strip()
            depth = declaration.count("{") - declaration.count("}")
            is_function = "(" in head and not re.match(r"(struct|class|enum|using|typedef|namespace|template)\b", head)
            if is_function and not head.startswith("extern"):
                head = re.sub(r"^(inline|\[\[noreturn\]\])\s+", "", head)
                head = re.sub(r"\s+", " ", head)
                shared = " ".join(comment) or shared
                found.append((head, shared))
            comment, declaration = [], ""
    return found


def render():
    out = [
        "# Commands",
        "",
        "Every command that game code can call, by subsystem: what `runtime/vornic.h` declares,",
        "with the comment above each declaration. Numbers are `double`, texts `RtString`; a",
        "reference argument is a game variable the command writes. Made by",
        "`scripts/command-reference.py` from the headers; edit the headers, not this file.",
    ]
    for header in headers():
        lines = (RUNTIME / header).read_text().splitlines()
        commands = commands_of(lines)
        if not commands:
            continue
        out += ["", f"## {title_of(lines)}", "", f"`runtime/{header}`", "", "| command | what it does |", "|---|---|"]
        for signature, description in commands:
            cell = description.replace("|", "\\|")
            out.append(f"| `{signature}` | {cell} |")
    return "\n".join(out) + "\n"


def main():
    text = render()
    if "--check" in sys.argv[1:]:
        if not OUTPUT.exists() or OUTPUT.read_text() != text:
            print("docs/commands.md is out of date: run scripts/command-reference.py")
            return 1
        print("docs/commands.md is current")
        return 0
    OUTPUT.write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
