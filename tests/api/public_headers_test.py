#!/usr/bin/env python3
"""Checks that the C-compile tests of tests/api cover exactly the installed headers.

The installed headers are the lists the libraries give to koracore_library
(PUBLIC_HEADERS), one path per line in the file named by --list. Fails when
- a listed header does not exist, or includes a header of the tree that is
  not listed (the installed copy would not compile for a host);
- a listed header declares functions with C linkage and no C file of
  tests/api includes it (nothing proves it compiles as C);
- a file of tests/api includes a header of the tree that is not listed (the
  test would pass on something a host cannot include).

Usage: public_headers_test.py --root DIR --list FILE
"""

import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.MULTILINE)
# A C-linkage block opened in the header itself; the lines of the *_api.h
# headers that define the block macros do not count.
C_LINKAGE = re.compile(r'^(?!\s*#\s*define).*(\bextern\s+"C"|_EXTERN_C_BEGIN\b)', re.MULTILINE)


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def tree_includes(root, text):
    """Headers of the tree a text includes (system headers left aside)."""
    return [name for name in INCLUDE.findall(text) if os.path.isfile(os.path.join(root, name))]


def check(root, listed):
    failures = []
    api = os.path.join(root, "tests", "api")
    tests = sorted(name for name in os.listdir(api) if name.endswith((".c", ".cpp", ".h")))
    compiled_as_c = set()
    for name in tests:
        for header in tree_includes(root, read(os.path.join(api, name))):
            if name.endswith(".c"):
                compiled_as_c.add(header)
            if header not in listed:
                failures.append("tests/api/%s includes %s, which is not installed" % (name, header))
    for header in sorted(listed):
        path = os.path.join(root, header)
        if not os.path.isfile(path):
            failures.append("%s is listed but does not exist" % header)
            continue
        text = read(path)
        for included in tree_includes(root, text):
            if included not in listed:
                failures.append("%s (installed) includes %s, which is not installed"
                                % (header, included))
        if C_LINKAGE.search(text) and header not in compiled_as_c:
            failures.append("%s declares C functions but no C file of tests/api includes it"
                            % header)
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--list", required=True)
    args = parser.parse_args()
    listed = {line.strip() for line in read(args.list).splitlines() if line.strip()}
    failures = check(args.root, listed)
    for failure in failures:
        print(failure)
    print("%d installed headers, %d problems" % (len(listed), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
