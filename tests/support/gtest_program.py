#!/usr/bin/env python3
"""Runs a GoogleTest program once and reports each of its cases as a test of its own, so a Windows test
program costs one Wine process however many cases it has (cmake/TavrelProgramTests.cmake declares them).

  gtest_program.py list OUT -- COMMAND...   writes the program's case names to OUT, one a line
  gtest_program.py run DIR -- COMMAND...    runs the program once: its output in DIR/output.txt, its
                                            results in DIR/results.xml, and each case's output and result
                                            in DIR/cases/SUITE.CASE.txt ("/" written as "~"); fails only
                                            when it ended without results (a crash or a hang), naming
                                            the case it was in
"""

import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET


def list_cases(out, command):
    result = subprocess.run(command + ["--gtest_list_tests"], capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        sys.stderr.write(result.stdout + result.stderr)
        return result.returncode or 1
    cases, suite = [], None
    for line in result.stdout.splitlines():
        name = line.split("#")[0].rstrip()
        if not name:
            continue
        if not line.startswith(" "):
            suite = name  # "Suite." or "Prefix/Suite."
        elif suite:
            cases.append(suite + name.strip())
    with open(out + ".new", "w") as f:
        f.write("".join(c + "\n" for c in cases))
    os.replace(out + ".new", out)
    return 0


def case_file(folder, name):
    return os.path.join(folder, "cases", name.replace("/", "~") + ".txt")


def case_output(text, name):
    """The lines the program printed from the start of the case to its result line."""
    lines, inside = [], False
    for line in text.splitlines():
        if line.startswith("[ RUN      ] ") and line[13:] == name:
            inside = True
        if inside:
            lines.append(line)
            if line[:13] in ("[       OK ] ", "[  FAILED  ] ", "[  SKIPPED ] ") and line[13:].startswith(name):
                break
    return lines


def write_cases(folder, results, text):
    """One file per case: what it printed, its failures, and a last line "== NAME passed|failed|skipped"
    that ctest's pass and skip expressions read."""
    root = ET.parse(results).getroot()
    os.makedirs(os.path.join(folder, "cases"))
    for element in root.iter("testcase"):
        name = element.get("classname") + "." + element.get("name")
        lines = case_output(text, name)
        failures = element.findall("failure") + element.findall("error")
        if failures:
            outcome = "failed"
            if not lines:
                lines = [failure.get("message", "") for failure in failures]
        elif (element.find("skipped") is not None or element.get("result") == "skipped"
              or element.get("status") == "notrun"):
            outcome = "skipped"
        else:
            outcome = "passed"
        with open(case_file(folder, name), "w") as f:
            f.write("\n".join(lines + ["== %s %s" % (name, outcome)]) + "\n")


def run(folder, command):
    os.makedirs(folder, exist_ok=True)
    results, output = os.path.join(folder, "results.xml"), os.path.join(folder, "output.txt")
    shutil.rmtree(os.path.join(folder, "cases"), ignore_errors=True)
    for stale in (results, output):
        if os.path.exists(stale):
            os.remove(stale)
    with open(output, "w") as log:
        # Relative, as a Windows program would read an absolute POSIX path as one below its drive's root.
        status = subprocess.run(command + ["--gtest_output=xml:" + os.path.relpath(results)], stdout=log,
                                stderr=subprocess.STDOUT).returncode
    with open(output, errors="replace") as log:
        text = log.read()
    # 0: every case passed; 1: some failed, each reports itself. Anything else, or no results, means the
    # program itself went wrong, and then this run fails with its output.
    if status in (0, 1) and os.path.exists(results):
        write_cases(folder, results, text)
        print("%s: each case's result in %s" % (os.path.basename(command[-1]), os.path.join(folder, "cases")))
        return 0
    sys.stdout.write(text)
    running = [line[13:] for line in text.splitlines() if line.startswith("[ RUN      ] ")]
    print("\nthe program ended with status %d without its results%s" %
          (status, "; the last case started was " + running[-1] if running else ""))
    return 1


def main(argv):
    if len(argv) >= 4 and argv[0] == "list" and argv[2] == "--":
        return list_cases(argv[1], argv[3:])
    if len(argv) >= 4 and argv[0] == "run" and argv[2] == "--":
        return run(argv[1], argv[3:])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
