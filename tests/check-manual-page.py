#!/usr/bin/env python3
"""Checks a manual page twice: mandoc's linter at warning level, then man rendering it
with warnings on. Any complaint from either fails the check.

    check-manual-page.py PAGE

Exits with 77, which CTest reports as a skip, when mandoc or man is not installed.
"""

import os
import shutil
import subprocess
import sys

SKIP = 77


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    page = sys.argv[1]
    missing = [tool for tool in ("mandoc", "man") if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: {' and '.join(missing)} not installed (Debian: mandoc, man-db)")
        return SKIP

    environment = dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8")
    checks = [
        ("mandoc -T lint -W warning", ["mandoc", "-T", "lint", "-W", "warning", page]),
        ("man --warnings -l", ["man", "--warnings", "-l", page]),
    ]
    failed = False
    for title, command in checks:
        result = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True,
                                env=environment, check=False)
        # mandoc's lint output is its findings; man's rendering goes to stdout, its
        # complaints to stderr.
        complaints = result.stderr + (result.stdout if command[0] == "mandoc" else b"")
        if result.returncode != 0 or complaints:
            failed = True
            print(f"FAIL: {title} {page}: exit status {result.returncode}")
            sys.stdout.write(complaints.decode("utf-8", "replace"))
        else:
            print(f"ok: {title} {page}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
