"""The mutation run behind scripts/mutants: finds the mutation sites in reached
lines, makes a seeded choice of them, and for each one rebuilds and runs the
sanitizer build's test programs that reach the line until one fails."""
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from collections import defaultdict

ROOT = sys.argv[1]
ARGS = sys.argv[2:]
ASAN = os.path.join(ROOT, "build-asan")
REACH = os.path.join(ROOT, "build-coverage", "reach")
OUT = os.path.join(ASAN, "mutants")
BACKUP = os.path.join(OUT, "original")
ENV = dict(os.environ, ASAN_OPTIONS="detect_leaks=1",
           UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1", QT_QPA_PLATFORM="offscreen")


def restore_interrupted_run():
    """A run stopped mid-mutant leaves the original of the mutated file here."""
    if not os.path.exists(BACKUP):
        return
    with open(BACKUP, encoding="utf-8") as f:
        path = f.readline().rstrip("\n")
        text = f.read()
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    os.remove(BACKUP)
    print(f"restored {path} from an interrupted run")


def read_reach():
    """file -> line -> programs whose run executed that line."""
    reach = defaultdict(lambda: defaultdict(set))
    for info in sorted(os.listdir(REACH)):
        program = info[:-len(".info")]
        source = None
        for row in open(os.path.join(REACH, info), encoding="utf-8"):
            if row.startswith("SF:"):
                source = os.path.realpath(row[3:].strip())
            elif row.startswith("DA:"):
                line, count = row[3:].split(",")[:2]
                if int(count) > 0:
                    reach[source][int(line)].add(program)
    return reach


def masked_lines(text):
    """The file's lines with comments, strings and character literals blanked,
    so that operators are looked for in code only; columns are kept."""
    out, i, n = [], 0, len(text)
    chars = list(text)
    state = None
    while i < n:
        c = text[i]
        if state is None:
            if text.startswith("//", i):
                state = "line"
            elif text.startswith("/*", i):
                state = "block"
                chars[i] = chars[i + 1] = " "
                i += 2
                continue
            elif text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
                end_delim = text.find("(", i)
                close = ")" + text[i + 2:end_delim] + '"'
                stop = text.find(close, end_delim)
                stop = n if stop < 0 else stop + len(close)
                for k in range(i, stop):
                    if chars[k] != "\n":
                        chars[k] = " "
                i = stop
                continue
            elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
                state = c
                chars[i] = " "
                i += 1
                continue
        elif state == "line":
            if c == "\n":
                state = None
        elif state == "block":
            if text.startswith("*/", i):
                chars[i] = chars[i + 1] = " "
                state = None
                i += 2
                continue
        else:
            if c == "\\":
                chars[i] = " "
                if i + 1 < n and text[i + 1] != "\n":
                    chars[i + 1] = " "
                i += 2
                continue
            if c == state:
                state = None
        if state is not None and c != "\n":
            chars[i] = " "
        i += 1
    return "".join(chars).split("\n")


SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||", "||": "&&"}
BINARY = re.compile(r"(?<=\s)(<=|>=|==|!=|&&|\|\||<|>)(?=\s)")
PLUS_ONE = re.compile(r"\s[+-]\s1(?![\w.'])")
CONDITION = re.compile(r"\b(if|while)\s*\(")
RETURN = re.compile(r"\breturn\s+([^;]+);")


def matching_paren(line, start):
    depth = 0
    for k in range(start, len(line)):
        if line[k] == "(":
            depth += 1
        elif line[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def sites_of_line(code, original):
    """(column, old text, new text, kind) for each mutation the line offers;
    found in the masked code, taken from the original text."""
    if code.lstrip().startswith("#"):
        return []
    sites = []
    for m in BINARY.finditer(code):
        sites.append((m.start(), m.group(1), SWAPS[m.group(1)], "operator"))
    for m in PLUS_ONE.finditer(code):
        sites.append((m.start(), m.group(0), "", "drop " + m.group(0).strip()))
    for m in CONDITION.finditer(code):
        if code[m.end():].lstrip().startswith(("constexpr", ";")):
            continue
        open_at = m.end() - 1
        close = matching_paren(code, open_at)
        inner = code[open_at + 1:close]
        # A condition that declares a variable cannot be negated in place.
        if close > open_at + 1 and ";" not in inner and not re.search(r"(?<![=!<>])=(?!=)", inner):
            old = original[open_at:close + 1]
            sites.append((open_at, old, "(!" + old + ")", "negate " + m.group(1)))
    for m in RETURN.finditer(code):
        value = original[m.start(1):m.end(1)]
        new = {"true": "false", "false": "true", "0": "1", "{}": None, "nullptr": None}.get(value.strip(), "{}")
        if new is not None:
            sites.append((m.start(1), value, new, "return"))
    return sites


def candidate_sites(folder, reach):
    sites = []
    for base, _, names in sorted(os.walk(folder)):
        for name in sorted(names):
            # A header's mutant would rebuild every file that includes it, twice.
            if not name.endswith(".cpp"):
                continue
            path = os.path.realpath(os.path.join(base, name))
            lines_reached = reach.get(path, {})
            if not lines_reached:
                continue
            text = open(path, encoding="utf-8").read()
            original = text.split("\n")
            for number, code in enumerate(masked_lines(text), 1):
                if number in lines_reached:
                    for column, old, new, kind in sites_of_line(code, original[number - 1]):
                        sites.append((os.path.relpath(path, ROOT), number, column, old, new, kind,
                                      original[number - 1]))
    return sites


def locate(site):
    """The line of a listed mutant in today's file: its number when the text is
    still there, else the nearest line with the same text (None when gone)."""
    rel, number, column, old, new, kind, line_text = site
    path = os.path.join(ROOT, rel)
    if not os.path.exists(path):
        return None
    lines = open(path, encoding="utf-8").read().split("\n")
    matches = [k + 1 for k, t in enumerate(lines) if t == line_text]
    if not matches:
        return None
    return min(matches, key=lambda k: abs(k - number))


def run(command, timeout):
    proc = subprocess.Popen(command, cwd=ROOT, env=ENV, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        output, _ = proc.communicate(timeout=timeout)
        return proc.returncode, output.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return "timeout", ""


def baseline_times(programs):
    times = {}
    for program in sorted(programs):
        start = time.monotonic()
        code, output = run([os.path.join(ASAN, "tests", program), "--gtest_brief=1"], 1200)
        if code != 0:
            sys.exit(f"{program} fails without any mutant; fix the suite first:\n{output[-3000:]}")
        times[program] = time.monotonic() - start
    return times


def try_mutant(site, number, reach, times, own_program):
    rel, _, column, old, new, kind, line_text = site
    path = os.path.join(ROOT, rel)
    programs = reach.get(os.path.realpath(path), {}).get(number, set())
    if not programs:
        return "survived", "no test reaches the line now"
    text = open(path, encoding="utf-8").read()
    lines = text.split("\n")
    line = lines[number - 1]
    if line[column:column + len(old)] != old:
        return "gone", "the line changed"
    lines[number - 1] = line[:column] + new + line[column + len(old):]
    with open(BACKUP, "w", encoding="utf-8") as f:
        f.write(path + "\n" + text)
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        order = sorted(programs, key=lambda p: (p != own_program, times.get(p, 0)))
        for program in order:
            code, output = run(["ninja", "-C", ASAN, program], 900)
            if code != 0:
                return "stillborn", "does not build"
            limit = max(30, 4 * times.get(program, 30))
            code, output = run([os.path.join(ASAN, "tests", program), "--gtest_brief=1", "--gtest_fail_fast"], limit)
            if code == "timeout":
                return "killed", f"{program} (timed out)"
            if code != 0:
                how = "sanitizer" if ("Sanitizer" in output or "runtime error" in output) else "failed"
                failed = re.findall(r"\[  FAILED  \] (\S+)", output)
                return "killed", f"{program} ({how}{': ' + failed[0] if failed else ''})"
        return "survived", "ran " + ", ".join(order)
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        os.remove(BACKUP)


def main():
    os.makedirs(OUT, exist_ok=True)
    restore_interrupted_run()
    count = int(ARGS[0]) if ARGS else 100
    folder_arg = ARGS[1] if len(ARGS) > 1 else ""
    folder = os.path.join(ROOT, "src", "core", folder_arg.replace("src/core/", "").strip("/"))
    if not os.path.isdir(folder):
        sys.exit(f"no folder {folder}")
    seed = int(os.environ.get("QUARN_MUTANT_SEED", "1"))
    reach = read_reach()
    replay = os.environ.get("QUARN_MUTANTS_REPLAY")
    if replay:
        chosen = [tuple(json.loads(row)) for row in open(replay, encoding="utf-8")]
        name = os.path.basename(replay).rsplit(".", 1)[0] + "-replay"
    else:
        sites = candidate_sites(folder, reach)
        chosen = sorted(random.Random(seed).sample(sites, min(count, len(sites))))
        name = f"{folder_arg.replace('/', '_') or 'core'}-{count}-seed{seed}"
        print(f"{len(sites)} mutation sites in reached lines of {os.path.relpath(folder, ROOT)}; "
              f"{len(chosen)} chosen with seed {seed}")
        with open(os.path.join(OUT, name + ".list"), "w", encoding="utf-8") as f:
            for site in chosen:
                f.write(json.dumps(site, ensure_ascii=False) + "\n")
    programs = set(p for lines in reach.values() for ps in lines.values() for p in ps)
    times = baseline_times(programs)
    results = defaultdict(list)
    started = time.monotonic()
    for index, site in enumerate(chosen, 1):
        begun = time.monotonic()
        rel, _, column, old, new, kind, _ = site
        number = locate(site)
        if number is None:
            outcome, detail = "gone", "the line is no longer in the code"
        else:
            own = "test_" + rel.split("/")[2] if rel.startswith("src/core/") else ""
            outcome, detail = try_mutant(site, number, reach, times, own)
        where = f"{rel}:{number or site[1]}:{column + 1}"
        change = f"{old.strip()} -> {new.strip() or '(dropped)'}"
        results[outcome].append(f"{where}  {change}  [{kind}]  {detail}")
        print(f"[{index}/{len(chosen)}] {outcome:<9} {where}  {change}  {detail}  "
              f"({time.monotonic() - begun:.0f} s)", flush=True)
    run(["ninja", "-C", ASAN], 1800)
    built = len(results["killed"]) + len(results["survived"])
    rate = 100.0 * len(results["killed"]) / built if built else 0.0
    with open(os.path.join(OUT, name + ".result"), "w", encoding="utf-8") as f:
        for outcome in ("killed", "survived", "stillborn", "gone"):
            for row in results[outcome]:
                f.write(f"{outcome}\t{row}\n")
    print(f"\n{len(chosen)} mutants: {len(results['killed'])} killed, {len(results['survived'])} survived, "
          f"{len(results['stillborn'])} did not build, {len(results['gone'])} gone; "
          f"kill rate {rate:.1f}% of those built ({time.monotonic() - started:.0f} s)")
    if results["survived"]:
        print("Survivors:")
        for row in results["survived"]:
            print("  " + row)


main()
