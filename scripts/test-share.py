#!/usr/bin/env python3
"""Share of test code in the repository: code lines of the tests against those of the product.

Code lines are the non-blank lines that are not wholly comment. C, C++ and yacc sources count
(.c .cc .cpp .cxx .h .hh .hpp .inc .y); generated files (*.generated.*) do not. Tests are those
under tests/; the product is src/, include/ and tools/. The Python module's tests
(python/tests/) count against the binding (the rest of python/: its C++ and Python sources)
the same way, with '#' comments.

    scripts/test-share.py [-v]      # prints the ratio; -v lists each tree's figure
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
C_EXT = (".c", ".cc", ".cpp", ".cxx", ".h", ".hh", ".hpp", ".inc", ".y")


def c_code_lines(text):
    """Non-blank lines left once // and /* */ comments are removed (strings respected)."""
    count = 0
    in_block = False
    for line in text.splitlines():
        out = []
        i = 0
        quote = None
        while i < len(line):
            ch = line[i]
            if in_block:
                if line.startswith("*/", i):
                    in_block = False
                    i += 2
                else:
                    i += 1
                continue
            if quote:
                out.append(ch)
                if ch == "\\":
                    out.append(line[i + 1:i + 2])
                    i += 2
                    continue
                if ch == quote:
                    quote = None
                i += 1
                continue
            if line.startswith("//", i):
                break
            if line.startswith("/*", i):
                in_block = True
                i += 2
                continue
            if ch in "\"'":
                # A raw string's content is code: skip to its end on this line if it closes.
                quote = ch
            out.append(ch)
            i += 1
        if "".join(out).strip():
            count += 1
    return count


def py_code_lines(text):
    count = 0
    in_doc = None
    for line in text.splitlines():
        s = line.strip()
        if in_doc:
            if in_doc in s:
                in_doc = None
            continue
        if not s or s.startswith("#"):
            continue
        m = re.match(r'^[rbu]*("""|\'\'\')', s)
        if m and s.count(m.group(1)) == 1:
            in_doc = m.group(1)
            continue
        count += 1
    return count


def tree_lines(subdirs, keep, counter, skip=()):
    total = 0
    for sub in subdirs:
        top = os.path.join(ROOT, sub)
        for dirpath, dirnames, filenames in os.walk(top):
            dirnames[:] = [d for d in dirnames if not d.startswith((".", "build", "__pycache__"))
                           and os.path.relpath(os.path.join(dirpath, d), ROOT) not in skip]
            for name in filenames:
                if ".generated." in name or not keep(name):
                    continue
                with open(os.path.join(dirpath, name), encoding="utf-8", errors="replace") as f:
                    total += counter(f.read())
    return total


def main():
    verbose = "-v" in sys.argv[1:]
    is_c = lambda name: name.endswith(C_EXT)
    is_py = lambda name: name.endswith((".py", ".pyi"))
    tests_c = tree_lines(["tests"], is_c, c_code_lines)
    product_c = tree_lines(["src", "include", "tools"], is_c, c_code_lines)
    # The Python module: its tests (python/tests/) against the binding (the rest of python/,
    # C++ and Python alike).
    tests_py = tree_lines([os.path.join("python", "tests")], is_py, py_code_lines)
    binding = (tree_lines(["python"], is_c, c_code_lines, skip=(os.path.join("python", "tests"),))
               + tree_lines(["python"], is_py, py_code_lines, skip=(os.path.join("python", "tests"),)))
    tests = tests_c + tests_py
    product = product_c + binding
    if verbose:
        print(f"C/C++/yacc: tests {tests_c}, product {product_c}")
        print(f"Python module: tests {tests_py}, binding {binding}")
    print(f"test share: {tests} / {product} = {tests / product:.3f}")


if __name__ == "__main__":
    main()
