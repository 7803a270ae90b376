"""Runs every test of the coverage build alone and reports what each reaches
that no other test does.

usage: per_test.py <build-coverage> <src>

Writes <build-coverage>/per-test.txt: for each test, the number of code
regions of src/ only it reaches and the functions they lie in, and a greedy
choice of tests that could all go together without any region of src/ going
unreached. Tests named "Random..." (the randomized checks against reference
models) are never proposed: they catch what no fixed case foresaw.
"""
import json
import os
import re
import subprocess
import sys
from collections import defaultdict

out, src = sys.argv[1], os.path.realpath(sys.argv[2]) + "/"
work = os.path.join(out, "per-test")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def tests_of(program):
    listing = subprocess.run([program, "--gtest_list_tests"], capture_output=True, text=True,
                             env=dict(env, LLVM_PROFILE_FILE=os.devnull)).stdout
    suite, names = None, []
    for line in listing.splitlines():
        if not line.startswith(" "):
            suite = line.strip()
        elif suite:
            names.append(suite + line.split("#")[0].strip())
    return names


def our_functions(program, profile):
    exported = subprocess.run(["llvm-cov", "export", "-skip-expansions", "-instr-profile", profile, program],
                              capture_output=True, text=True).stdout
    ours = set()
    for function in json.loads(exported)["data"][0]["functions"]:
        if any(os.path.realpath(f).startswith(src) for f in function["filenames"]):
            ours.add(function["name"])
    return ours


def reached(profile, ours):
    shown = subprocess.run(["llvm-profdata", "show", "--all-functions", "--counts", profile],
                           capture_output=True, text=True).stdout
    regions, name = set(), None
    for line in shown.splitlines():
        header = re.match(r"^  (\S.*):$", line)
        if header:
            name = header.group(1)
        elif name in ours:
            counts = re.match(r"^    Block counts: \[(.*)\]", line)
            if re.match(r"^    Function count: [1-9]", line):
                regions.add((name, 0))
            elif counts and counts.group(1):
                regions.update((name, i) for i, c in enumerate(counts.group(1).split(", "), 1) if c != "0")
    return regions


reach = {}
for program in sorted(os.listdir(os.path.join(out, "tests"))):
    path = os.path.join(out, "tests", program)
    if not program.startswith("test_") or not os.path.isfile(path) or not os.access(path, os.X_OK):
        continue
    ours = our_functions(path, os.path.join(out, "profiles", program + ".profdata"))
    folder = os.path.join(work, program)
    os.makedirs(folder, exist_ok=True)
    for number, test in enumerate(tests_of(path)):
        raw = os.path.join(folder, f"{number}-%p.profraw")
        run_env = dict(env, LLVM_PROFILE_FILE=raw)
        subprocess.run(["timeout", "600", path, f"--gtest_filter={test}", "--gtest_brief=1"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=run_env)
        raws = [os.path.join(folder, f) for f in os.listdir(folder) if f.startswith(f"{number}-")]
        profile = os.path.join(folder, f"{number}.profdata")
        subprocess.run(["llvm-profdata", "merge", "-sparse", *raws, "-o", profile], capture_output=True)
        for f in raws:
            os.remove(f)
        reach[f"{program}:{test}"] = reached(profile, ours)
    print(f"{program}: {sum(1 for k in reach if k.startswith(program + ':'))} tests", file=sys.stderr)

count = defaultdict(int)
for regions in reach.values():
    for region in regions:
        count[region] += 1
left = dict(count)
could_go = set()
for test in sorted(reach, key=lambda t: (sum(count[r] == 1 for r in reach[t]), -len(reach[t]))):
    if "Random" not in test and all(left[r] > 1 for r in reach[test]):
        for region in reach[test]:
            left[region] -= 1
        could_go.add(test)
names = sorted({r[0] for regions in reach.values() for r in regions})
readable = dict(zip(names, subprocess.run(["c++filt"], input="\n".join(names), capture_output=True,
                                          text=True).stdout.split("\n")))
with open(os.path.join(out, "per-test.txt"), "w", encoding="utf-8") as report:
    report.write("could go  test  (regions of src/ only this test reaches / regions it reaches)\n")
    for test in sorted(reach):
        only = [r for r in reach[test] if count[r] == 1]
        functions = sorted({readable[r[0]].split("(")[0] for r in only})
        report.write(f"{'could go' if test in could_go else '        '}  {test}  ({len(only)}/{len(reach[test])})\n")
        if functions:
            report.write("            only here: " + "; ".join(functions) + "\n")
print(f"{len(reach)} tests run alone, {len(could_go)} could all go without any region of src/ going unreached;"
      f" see {os.path.join(out, 'per-test.txt')}")
