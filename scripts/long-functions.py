#!/usr/bin/env python3
"""Lists the functions of src/ longer than a limit (60 lines by default).

A rough reading by braces: a body opens with a line ending in "{" whose
text looks like a function head (a parenthesis, not a control statement,
class, namespace, lambda inside an expression or initializer), and ends at
its matching brace. Tables are initializers, not function bodies: a function
made mostly of a braced table (fewer than one line in four ends a
statement) is reported with "table" after it.
Exits 1 when any non-table function is over the limit.
"""
import pathlib
import re
import sys

limit = int(sys.argv[1]) if len(sys.argv) > 1 else 60
top = pathlib.Path(__file__).resolve().parent.parent
control = re.compile(r"^\s*(if|for|while|switch|else|do|try|catch)\b")
notFunction = re.compile(r"^\s*(namespace|class|struct|enum|union|extern)\b|=\s*\{?$|=\s*\[")


def code(line):
    """The line without strings, characters and // comments."""
    line = re.sub(r'"(\\.|[^"\\])*"', '""', line)
    line = re.sub(r"'(\\.|[^'\\])*'", "''", line)
    return line.split("//")[0]


def functions(path):
    lines = [code(l) for l in path.read_text(encoding="utf-8").splitlines()]
    depth = 0
    open_at = None  # (line index, depth before)
    head = ""
    for i, line in enumerate(lines):
        stripped = line.strip()
        if open_at is None and stripped.endswith("{"):
            text = (head + " " + stripped) if head else stripped
            if ("(" in text and not control.match(stripped)
                    and not notFunction.search(stripped.rstrip("{").rstrip())
                    and not notFunction.match(text)):
                open_at = (i, depth)
        depth += line.count("{") - line.count("}")
        head = stripped if stripped and not stripped.endswith((";", "{", "}")) else ""
        if open_at is not None and depth <= open_at[1]:
            start = open_at[0]
            length = i - start + 1
            body = "\n".join(lines[start:i + 1])
            statements = sum(1 for l in lines[start:i + 1] if l.rstrip().endswith(";"))
            table = statements * 4 < length
            yield start + 1, length, lines[start].strip(), table
            open_at = None


def main():
    failed = False
    for path in sorted((top / "src").rglob("*.cpp")):
        for start, length, text, table in functions(path):
            if length > limit:
                rel = path.relative_to(top)
                tag = " table" if table else ""
                print(f"{rel}:{start}: {length} lines{tag}: {text[:70]}")
                failed = failed or not table
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
