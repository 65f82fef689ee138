#!/usr/bin/env python3
"""Shows that the case tables catch plausible faults: each program's fault table,
tests/<program>-faults.json, lists wrong versions of its source, and every one of
them must fail at least one case of the program's case table.

    check-faults.py [--build-dir DIR] [PROGRAM...]

The project is copied into DIR (build/faults by default) and configured there once.
Each fault is then put in place in that copy, only the program is rebuilt, and its
cases run in table order until one fails: that case caught the fault. The true
sources must pass every case. The report names each fault with the case that caught
it, and every fault that survived; the exit status is 1 if one survived, the true
sources failed, or a fault does not build or no longer fits the source.

A fault is an "edit", a list of [old, new] pairs, each old text standing exactly once
in the source, or a whole replacement "source", a list of lines; "why" says what it
shows where that is not plain.
"""

import argparse
import contextlib
import io
import json
import os
import shutil
import subprocess
import sys

TESTS = os.path.dirname(os.path.abspath(__file__))
PROJECT = os.path.dirname(TESTS)
sys.path.insert(0, TESTS)
import harness  # noqa: E402  (the case runner beside this file)


class FaultTableError(Exception):
    pass


def faulty_source(true_source, fault):
    if "source" in fault:
        return "\n".join(fault["source"]) + "\n"
    source = true_source
    for old, new in fault["edit"]:
        if source.count(old) != 1:
            raise FaultTableError(f"fault '{fault['name']}': {old!r} stands {source.count(old)} times "
                                  "in the source, not once")
        source = source.replace(old, new)
    return source


def first_failing_case(table, program_file):
    """The name of the first case the program fails, or None if it passes them all."""
    for case in table["cases"]:
        with contextlib.redirect_stdout(io.StringIO()):
            passed = harness.run_case(table, case, [program_file], "lf")
        if not passed:
            return case["name"]
    return None


def build(build_dir, target):
    result = subprocess.run(["cmake", "--build", build_dir, "--target", target],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, check=False)
    return result.returncode == 0, result.stdout


def check_program(program, copy, build_dir):
    """Checks one program's fault table; returns the number of problems."""
    with open(os.path.join(TESTS, f"{program}-faults.json"), encoding="utf-8") as file:
        faults = json.load(file)
    with open(os.path.join(TESTS, faults["table"]), encoding="utf-8") as file:
        table = json.load(file)
    source_path = os.path.join(copy, faults["source"])
    with open(source_path, encoding="utf-8") as file:
        true_source = file.read()
    program_file = os.path.join(build_dir, "bin", program)

    def put_in_place(text):
        with open(source_path, "w", encoding="utf-8") as file:
            file.write(text)

    problems = 0
    try:
        built, output = build(build_dir, program)
        failing = first_failing_case(table, program_file) if built else "(it does not build)"
        if failing:
            print(f"FAIL: {program}: the true source fails case '{failing}'\n{output if not built else ''}")
            return 1
        print(f"ok: {program}: the true source passes all {len(table['cases'])} cases")

        for fault in faults["faults"]:
            title = f"{program} fault '{fault['name']}'"
            try:
                put_in_place(faulty_source(true_source, fault))
            except FaultTableError as error:
                print(f"FAIL: {program}: {error}")
                problems += 1
                continue
            built, output = build(build_dir, program)
            if not built:
                print(f"FAIL: {title} does not build, so it shows nothing:\n{output}")
                problems += 1
                continue
            caught_by = first_failing_case(table, program_file)
            if caught_by:
                print(f"caught: {title}, by case '{caught_by}'")
            else:
                print(f"SURVIVED: {title}: every case passes" + (f" ({fault['why']})" if "why" in fault else ""))
                problems += 1
    finally:
        put_in_place(true_source)
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(PROJECT, "build", "faults"),
                        help="where the copy of the project and its build go")
    parser.add_argument("programs", nargs="*", default=["teagate", "greetline"])
    options = parser.parse_args()

    # Afresh every time, so that nothing built from an earlier fault can pass for new.
    shutil.rmtree(options.build_dir, ignore_errors=True)
    copy = os.path.join(os.path.abspath(options.build_dir), "source")
    build_dir = os.path.join(os.path.abspath(options.build_dir), "build")
    shutil.copytree(PROJECT, copy, ignore=shutil.ignore_patterns(".git", "build", "__pycache__"))
    # A plain Debug build of the programs only: quick to rebuild, and without warnings
    # as errors, since some faults are exactly what a warning would point at.
    subprocess.run(["cmake", "-S", copy, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                    "-DBUILD_TESTING=OFF", "-DCMAKE_COMPILE_WARNING_AS_ERROR=OFF", "-DMANUAL_PAGE_FORMAT=none"],
                   stdout=subprocess.DEVNULL, check=True)

    problems = sum(check_program(program, copy, build_dir) for program in options.programs)
    print("faults: every fault was caught" if not problems else f"faults: {problems} problems, listed above")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
