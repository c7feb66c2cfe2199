#!/usr/bin/env python3
"""Checks every #include of the library sources against the include rules.

The rules are the block that follows the marker "include-rules" in
docs/architecture.md, so the document a reader follows and the check are one
text. Each rule line names a folder and what it may include besides itself:
other folders, or single headers given by path. A line "private <header>"
keeps a header to its own folder.

    folder            may include (besides itself)
    kfs/dfs           base rcf qty kfs/util kfs/container kfs/kfs_api.h

Every source folder under the library folders needs a rule. Includes are
resolved as the compiler resolves them (quoted: the including file's folder
first, then the top of the tree; angle brackets: the top of the tree), and
only includes that resolve to a file of the tree are checked; system headers
are not the layers' business.

Usage: include_rules_test.py [--root DIR] [--rules FILE] [--expect-violations N]
Exit status 0 when the tree keeps the rules (or, with --expect-violations,
when exactly N includes break them), 1 otherwise.
"""

import argparse
import os
import re
import sys

LIBRARY_FOLDERS = ("base", "rcf", "qty", "kfs", "KvCart")
SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp")
MARKER = "include-rules"
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


class Rules:
    def __init__(self):
        self.allowed = {}  # folder -> set of folders and header paths
        self.private = set()  # headers kept to their own folder

    def permits(self, folder, header):
        """None when folder may include header, else the reason it may not."""
        target_folder = os.path.dirname(header)
        if target_folder == folder:
            return None
        if header in self.private:
            return "%s is private to %s" % (header, target_folder)
        if folder not in self.allowed:
            return "%s has no include rule" % folder
        allowed = self.allowed[folder]
        if target_folder in allowed or header in allowed:
            return None
        return "%s may include only %s" % (folder, " ".join(sorted(allowed)) or "nothing")


def read_rules(path):
    """The rule block of the document: the first fenced block after MARKER."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    try:
        start = next(i for i, line in enumerate(lines) if MARKER in line)
        fence = next(i for i in range(start, len(lines)) if lines[i].startswith("```"))
        end = next(i for i in range(fence + 1, len(lines)) if lines[i].startswith("```"))
    except StopIteration:
        sys.exit("%s: no fenced block after the marker %r" % (path, MARKER))
    rules = Rules()
    for line in lines[fence + 1:end]:
        words = line.split("#", 1)[0].split()
        if not words or words[:2] == ["folder", "may"]:
            continue
        if words[0] == "private":
            rules.private.update(words[1:])
        else:
            rules.allowed[words[0]] = set(words[1:])
    return rules


def source_files(root):
    for top in LIBRARY_FOLDERS:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(folder, name), root)


def resolve(root, including, quote, name):
    """The included file relative to root, or None outside the tree."""
    candidates = [os.path.join(os.path.dirname(including), name)] if quote == '"' else []
    candidates.append(name)
    for candidate in candidates:
        path = os.path.normpath(candidate)
        if not path.startswith("..") and os.path.isfile(os.path.join(root, path)):
            return path.replace(os.sep, "/")
    return None


def violations(root, rules):
    unruled = set()
    for source in source_files(root):
        folder = os.path.dirname(source).replace(os.sep, "/")
        if folder not in rules.allowed and folder not in unruled:
            unruled.add(folder)
            yield "%s/: folder has no include rule" % folder
        with open(os.path.join(root, source), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                header = resolve(root, source, match.group(1), match.group(2))
                if header is None:
                    continue
                reason = rules.permits(folder, header)
                if reason:
                    yield "%s:%d: includes %s, against the rule: %s" % (source, number, header, reason)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.dirname(here))
    parser.add_argument("--rules", help="default: <root>/docs/architecture.md")
    parser.add_argument("--expect-violations", type=int)
    args = parser.parse_args()
    rules = read_rules(args.rules or os.path.join(args.root, "docs", "architecture.md"))
    found = list(violations(args.root, rules))
    for message in found:
        print(message)
    print("%d include(s) break the rules" % len(found))
    expected = args.expect_violations or 0
    return 0 if len(found) == expected else 1


if __name__ == "__main__":
    sys.exit(main())
