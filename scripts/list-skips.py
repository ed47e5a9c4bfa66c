#!/usr/bin/env python3
"""Lists every skipped test of a test run with its reason, and fails on one
that tests/expected-skips.txt does not expect on this system.

    scripts/list-skips.py SYSTEM RESULTS.xml...

SYSTEM is linux or windows. RESULTS are ctest's JUnit files (--output-junit)
or GoogleTest's XML files (--gtest_output=xml:...). A test that was skipped
for a reason nobody expected must not pass as a proof that ran.
"""
import fnmatch
import pathlib
import re
import sys
import xml.etree.ElementTree as ElementTree

EXPECTED = pathlib.Path(__file__).resolve().parent.parent / "tests" / "expected-skips.txt"


def expected_patterns(system, results):
    """The test-name patterns expected to skip on system in the results file
    named results (its name without .xml): a line's SYSTEM may name one such
    file after a colon (windows:wizard_tests)."""
    patterns = []
    for line in EXPECTED.read_text().splitlines():
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        where, pattern = line.split(None, 1)
        where_system, _, where_results = where.partition(":")
        if where_system in (system, "all") and where_results in ("", results):
            patterns.append(pattern.strip())
    return patterns


def reason_from_output(output):
    """GoogleTest's own reason: the lines after "Skipped" up to the summary."""
    match = re.search(r": Skipped\n(.*?)\n\[  SKIPPED \]", output or "", re.S)
    return match.group(1).strip() if match else ""


def skips_in(path):
    """(test name, reason) of every skipped test in one results file."""
    root = ElementTree.parse(path).getroot()
    for case in root.iter("testcase"):
        skipped = case.find("skipped")
        gtest_skip = case.get("result") == "skipped"
        if skipped is None and not gtest_skip and case.get("status") != "notrun":
            continue
        name = case.get("name")
        if case.get("classname") and case.get("classname") != name:
            name = case.get("classname") + "." + name
        message = skipped.get("message", "") if skipped is not None else ""
        reason = reason_from_output(case.findtext("system-out")) or message
        yield name, reason.replace("\n", " ")


def main(arguments):
    if len(arguments) < 2 or arguments[0] not in ("linux", "windows"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    system, files = arguments[0], arguments[1:]
    unexpected = 0
    count = 0
    for path in files:
        if not pathlib.Path(path).is_file():
            print(f"list-skips: no results in {path}: the tests did not run", file=sys.stderr)
            return 1
        patterns = expected_patterns(system, pathlib.Path(path).stem)
        for name, reason in skips_in(path):
            count += 1
            known = any(fnmatch.fnmatchcase(name, pattern) for pattern in patterns)
            unexpected += not known
            mark = "skipped" if known else "UNEXPECTED skip"
            print(f"{mark}: {name}: {reason or 'no reason given'}")
    print(f"list-skips: {count} skipped on {system}, {unexpected} unexpected")
    if unexpected:
        print("list-skips: a skipped test is a proof that did not run: make it run here, "
              f"or say in {EXPECTED.name} why it cannot", file=sys.stderr)
    return 1 if unexpected else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
