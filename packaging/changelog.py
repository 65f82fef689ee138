#!/usr/bin/env python3
"""Writes the changelog of a .deb or an .rpm from the project's CHANGELOG.md, so that
the packages never tell another story than the project does.

    changelog.py CHANGELOG.md debian --package NAME --maintainer "Name <address>"
    changelog.py CHANGELOG.md rpm --maintainer "Name <address>" --release 1
    changelog.py CHANGELOG.md newest-version [--expect VERSION]

CHANGELOG.md has a heading "## VERSION - YYYY-MM-DD" (the version may stand in
brackets) for each release, newest first, and under it the changes as a list of
"- " items, each continued on lines indented by two blanks. Anything else is prose
for readers and is left out.
"""

import argparse
import datetime
import email.utils
import re
import sys
import textwrap

HEADING = re.compile(r"^## \[?(?P<version>[0-9][^\] ]*)\]? - (?P<date>\d{4}-\d{2}-\d{2})\s*$")
WIDTH = 80


def releases(text):
    """The releases in the order they are written: (version, date, [change, ...])."""
    found = []
    for line in text.splitlines():
        heading = HEADING.match(line)
        if heading:
            found.append((heading["version"], datetime.date.fromisoformat(heading["date"]), []))
        elif line.startswith("## "):
            raise ValueError(f"a heading that is not '## VERSION - YYYY-MM-DD': {line}")
        elif found and line.startswith("- "):
            found[-1][2].append(line[2:].strip())
        elif found and found[-1][2] and line.startswith("  ") and line.strip():
            found[-1][2][-1] += " " + line.strip()
    if not found:
        raise ValueError("no release heading '## VERSION - YYYY-MM-DD'")
    for version, _, changes in found:
        if not changes:
            raise ValueError(f"release {version} lists no change")
    # Markdown's code quotes mean nothing in a package's plain-text changelog.
    return [(version, date, [change.replace("`", "") for change in changes])
            for version, date, changes in found]


def midnight(date):
    return datetime.datetime.combine(date, datetime.time(), datetime.timezone.utc)


def debian(found, options):
    entries = []
    for version, date, changes in found:
        items = "\n".join(textwrap.fill(change, WIDTH, initial_indent="  * ", subsequent_indent="    ")
                          for change in changes)
        stamp = email.utils.format_datetime(midnight(date))
        entries.append(f"{options.package} ({version}) unstable; urgency=medium\n\n{items}\n\n"
                       f" -- {options.maintainer}  {stamp}\n")
    return "\n".join(entries)


def rpm(found, options):
    entries = []
    for version, date, changes in found:
        items = "\n".join(textwrap.fill(change, WIDTH, initial_indent="- ", subsequent_indent="  ")
                          for change in changes)
        entries.append(f"* {date.strftime('%a %b %d %Y')} {options.maintainer} - {version}-{options.release}\n"
                       f"{items}\n")
    return "\n".join(entries)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("changelog")
    parser.add_argument("format", choices=("debian", "rpm", "newest-version"))
    parser.add_argument("--package", help="the package name (debian)")
    parser.add_argument("--maintainer", help="who signs each entry (debian, rpm)")
    parser.add_argument("--release", default="1", help="the package release (rpm)")
    parser.add_argument("--expect", help="fail unless the newest release is this version (newest-version)")
    options = parser.parse_args()
    with open(options.changelog, encoding="utf-8") as file:
        try:
            found = releases(file.read())
        except ValueError as error:
            sys.exit(f"{options.changelog}: {error}")
    if options.format == "newest-version":
        print(found[0][0])
        if options.expect is not None and found[0][0] != options.expect:
            sys.exit(f"{options.changelog}: the newest release is {found[0][0]}, not {options.expect}: "
                     f"add an entry for {options.expect} at the top")
    else:
        sys.stdout.write({"debian": debian, "rpm": rpm}[options.format](found, options))
    return 0


if __name__ == "__main__":
    sys.exit(main())
