#!/usr/bin/env python3
"""Runs cases of a program's case table and checks the program's standard output,
standard error and exit status, each on its own and byte for byte.

    harness.py --table TABLE [--case NAME] [--eol lf|crlf] -- COMMAND...

Without --case, every case of the table runs in turn, and a last line counts them.

COMMAND is the program to test, preceded by any launcher (valgrind, an emulator).
The case's arguments are appended to it.

A case gives the program's standard input in one of these ways:
  "stdin": "text"     the bytes of a regular file holding that text;
  "stdin": null       standard input closed;
  "feed": "after-prompt"
                      a pipe that stays silent until the table's "prompt" has arrived on
                      standard output (itself a pipe) while the program still runs; then
                      "stdin" is written and the pipe closed;
  "feed": "never"     a pipe that is held open and never written to.
The program must finish within the case's "timeout" (seconds) in every way.

"stdout" names an entry of the table's "outputs"; each "\\n" in it stands for the
target's line end, given by --eol. Standard error must be empty, the exit status 0.
"""

import argparse
import itertools
import json
import os
import select
import signal
import subprocess
import sys
import tempfile
import time

DEFAULT_TIMEOUT_SECONDS = 30
LINE_ENDS = {"lf": b"\n", "crlf": b"\r\n"}


class Outcome:
    def __init__(self, stdout, stderr, status, problems):
        self.stdout = stdout
        self.stderr = stderr
        self.status = status
        self.problems = problems


def escaped(data):
    """Shows bytes as a quoted string in which every byte that is not plain
    printable ASCII is written as an escape."""
    shown = []
    for byte in data:
        char = chr(byte)
        if char == "\n":
            shown.append("\\n")
        elif char == "\r":
            shown.append("\\r")
        elif char == "\t":
            shown.append("\\t")
        elif char in "'\\":
            shown.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            shown.append(char)
        else:
            shown.append(f"\\x{byte:02x}")
    return "'" + "".join(shown) + "'"


def side_by_side(expected, actual):
    """Lists expected and actual line by line, each line ending with its line end,
    marking the rows that differ with '!'."""
    left = [escaped(line) for line in expected.splitlines(keepends=True)]
    right = [escaped(line) for line in actual.splitlines(keepends=True)]
    heading = f"expected ({len(expected)} bytes)"
    width = max([len(heading)] + [len(text) for text in left])
    rows = [f"    {heading:<{width}} | actual ({len(actual)} bytes)"]
    for want, got in itertools.zip_longest(left, right, fillvalue=""):
        mark = "  " if want == got else "! "
        rows.append(f"  {mark}{want:<{width}} | {got}")
    return "\n".join(rows)


def described_status(status):
    if status is None:
        return "none: still running, killed"
    if status < 0:
        try:
            return f"killed by {signal.Signals(-status).name}"
        except ValueError:
            return f"killed by signal {-status}"
    return str(status)


def finish(process, deadline, problems):
    """Waits for the program until the deadline, killing it if it is still running then."""
    try:
        return process.wait(timeout=max(0.0, deadline - time.monotonic()))
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        problems.append("the program was still running at the deadline and was killed")
        return None


def read_back(file):
    file.seek(0)
    return file.read()


def run_with_stdin_file(command, case, deadline):
    """Standard input is a regular file holding the case's text, or closed when it is null;
    standard output and error go to files, so that the run ends when the program ends,
    whatever else might still hold those streams open."""
    problems = []
    with tempfile.TemporaryFile() as stdin_file, tempfile.TemporaryFile() as stdout_file, \
            tempfile.TemporaryFile() as stderr_file:
        text = case.get("stdin", "")
        if text is None:
            process = subprocess.Popen(command, stdout=stdout_file, stderr=stderr_file,
                                       preexec_fn=lambda: os.close(0))
        else:
            stdin_file.write(text.encode("latin-1"))
            stdin_file.seek(0)
            process = subprocess.Popen(command, stdin=stdin_file, stdout=stdout_file, stderr=stderr_file)
        status = finish(process, deadline, problems)
        return Outcome(read_back(stdout_file), read_back(stderr_file), status, problems)


def run_with_silent_pipe(command, case, deadline):
    """Standard input is a pipe whose writing end the harness holds open and never writes to."""
    problems = []
    read_end, write_end = os.pipe()
    try:
        with tempfile.TemporaryFile() as stdout_file, tempfile.TemporaryFile() as stderr_file:
            process = subprocess.Popen(command, stdin=read_end, stdout=stdout_file, stderr=stderr_file)
            os.close(read_end)
            read_end = None
            status = finish(process, deadline, problems)
            return Outcome(read_back(stdout_file), read_back(stderr_file), status, problems)
    finally:
        for end in (read_end, write_end):
            if end is not None:
                os.close(end)


def read_available(fd):
    """Everything that is in the pipe now, without waiting for its end: once the program
    has exited, all it wrote is there, even if some other process still holds the pipe."""
    os.set_blocking(fd, False)
    data = b""
    while True:
        try:
            chunk = os.read(fd, 65536)
        except BlockingIOError:
            return data
        if not chunk:
            return data
        data += chunk


def run_after_prompt(command, case, deadline, prompt):
    """Standard input and output are pipes. Input is given only once the prompt has
    arrived on standard output and the program is still running, waiting for it."""
    problems = []
    expected_prompt = prompt.encode("latin-1")
    with tempfile.TemporaryFile() as stderr_file:
        process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=stderr_file)
        stdout_fd = process.stdout.fileno()
        # Half of the time is for the prompt, so that a late prompt still leaves time to finish.
        prompt_deadline = time.monotonic() + (deadline - time.monotonic()) / 2
        received = b""
        while len(received) < len(expected_prompt):
            remaining = prompt_deadline - time.monotonic()
            if remaining <= 0:
                break
            ready, _, _ = select.select([stdout_fd], [], [], remaining)
            if not ready:
                break
            chunk = os.read(stdout_fd, len(expected_prompt) - len(received))
            if not chunk:
                break
            received += chunk
        if received != expected_prompt:
            problems.append(f"before any input, standard output held {escaped(received)}, "
                            f"not the prompt {escaped(expected_prompt)}")
        elif process.poll() is not None:
            problems.append("the program ended before it was given any input")
        try:
            process.stdin.write(case["stdin"].encode("latin-1"))
            process.stdin.close()
        except BrokenPipeError:
            pass
        status = finish(process, deadline, problems)
        received += read_available(stdout_fd)
        process.stdout.close()
        return Outcome(received, read_back(stderr_file), status, problems)


def run_case(table, case, launcher, eol):
    """Runs one case on the program; prints its verdict and returns True if it passed."""
    command = launcher + case.get("args", [])
    expected_stdout = table["outputs"][case["stdout"]].encode("latin-1").replace(b"\n", LINE_ENDS[eol])
    deadline = time.monotonic() + case.get("timeout", DEFAULT_TIMEOUT_SECONDS)
    feed = case.get("feed", "file")
    if feed == "file":
        outcome = run_with_stdin_file(command, case, deadline)
    elif feed == "never":
        outcome = run_with_silent_pipe(command, case, deadline)
    elif feed == "after-prompt":
        outcome = run_after_prompt(command, case, deadline, table["prompt"])
    else:
        sys.exit(f"harness: case '{case['name']}' has an unknown feed '{feed}'")

    problems = list(outcome.problems)
    if outcome.stdout != expected_stdout:
        problems.append("standard output differs:\n" + side_by_side(expected_stdout, outcome.stdout))
    if outcome.stderr:
        problems.append("standard error is not empty:\n" + side_by_side(b"", outcome.stderr))
    if outcome.status != 0:
        problems.append(f"exit status: expected 0, actual {described_status(outcome.status)}")

    title = f"{table['program']} case '{case['name']}'"
    if not problems:
        print(f"ok: {title}")
        return True
    print(f"FAIL: {title}")
    if "why" in case:
        print(f"  the case checks: {case['why']}")
    print(f"  command: {' '.join(command)}")
    if feed == "file" or "stdin" in case:
        shown_stdin = "closed" if case.get("stdin", "") is None else escaped(case.get("stdin", "").encode("latin-1"))
        print(f"  standard input ({feed}): {shown_stdin}")
    for problem in problems:
        print(f"- {problem}")
    return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", required=True, help="the program's case table (JSON)")
    parser.add_argument("--case", help="the name of the case to run; without it, every case runs")
    parser.add_argument("--eol", choices=sorted(LINE_ENDS), default="lf", help="the target's line end")
    parser.add_argument("command", nargs="+", help="launcher and program")
    options = parser.parse_args()

    with open(options.table, encoding="utf-8") as table_file:
        table = json.load(table_file)
    cases = table["cases"]
    if options.case is not None:
        cases = [case for case in cases if case["name"] == options.case]
        if len(cases) != 1:
            sys.exit(f"harness: {options.table} has {len(cases)} cases named '{options.case}', not one")
        return 0 if run_case(table, cases[0], options.command, options.eol) else 1

    passed = sum(run_case(table, case, options.command, options.eol) for case in cases)
    print(f"{table['program']}: {passed} passed, {len(cases) - passed} failed")
    return 0 if passed == len(cases) else 1


if __name__ == "__main__":
    sys.exit(main())
