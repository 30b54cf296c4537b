#!/usr/bin/env python3
"""How strong are the quick tests? Plants small faults (mutants) in the
program one at a time, runs the unit and widget tests against each, and says
which test functions catch which fault.

    scripts/mutants.py list [--count N] [--seed S] > mutants.jsonl
    scripts/mutants.py run mutants.jsonl OUT [--workers K]
    scripts/mutants.py report mutants.jsonl OUT [--survivors]

A mutant is one edit of one line of src/ or app/: a comparison, logic or
sign operator turned round, true and false swapped, a "!" dropped, a number
raised by one, or a call statement deleted. `run` builds each in a clone of
HEAD of its own (debug, no warnings as errors, no end-to-end tests) and
keeps CTest's output in OUT/ID.log; a file OUT/stop ends it after the
mutants under way, and a new run goes on where it ended. Before deleting a
check, see that no mutant it catches is caught by it alone."""

import argparse
import collections
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import threading
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
STRING = re.compile(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'')
OPERATORS = [(r" == ", " != "), (r" != ", " == "), (r" < ", " <= "), (r" <= ", " < "),
             (r" > ", " >= "), (r" >= ", " > "), (r" && ", " || "), (r" \|\| ", " && "),
             (r" \+ ", " - "), (r" - ", " + "), (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
             (r"(?<![=!<>\w])!(?!=)", "")]
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
CALL = re.compile(r"^\s*(?!return\b|if\b|for\b|while\b|else\b|case\b|auto\b|const\b|using\b|static\b)"
                  r"[\w:]+((\.|->)\w+)*\(.*\);\s*$")
SKIP = re.compile(r"^\s*($|//|#|\*|/\*)|Q_OBJECT|static_assert")


def candidates():
    files = subprocess.run(["git", "-C", ROOT, "ls-files", "src", "app"], capture_output=True,
                           text=True, check=True).stdout.split()
    for f in (f for f in files if f.endswith((".cpp", ".h"))):
        for n, line in enumerate((ROOT / f).read_text(encoding="utf-8").split("\n"), 1):
            if SKIP.search(line):
                continue
            strings = [m.span() for m in STRING.finditer(line)]
            outside = lambda i: not any(a <= i < b for a, b in strings)  # noqa: E731
            templated = re.search(r"template|_cast|std::|QList|QVector", line)
            for pattern, into in OPERATORS:
                for m in re.finditer(pattern, line):
                    if outside(m.start()) and not (templated and into.strip() in ("<=", ">=")):
                        yield "operator", f, n, line, line[:m.start()] + into + line[m.end():]
            for m in NUMBER.finditer(line):
                if outside(m.start()) and int(m[1]) <= 10**6:
                    yield "number", f, n, line, line[:m.start()] + str(int(m[1]) + 1) + line[m.end():]
            if CALL.match(line) and not line.strip().startswith(("Q_", "emit")):
                yield "call", f, n, line, re.match(r"\s*", line)[0] + ";"


def list_mutants(args):
    random.seed(args.seed)
    groups = collections.defaultdict(list)
    for c in candidates():
        groups[c[0]].append(c)
    share = {"number": 0.2, "call": 0.25, "operator": 0.55}
    picked = []
    for kind, items in groups.items():
        random.shuffle(items)
        picked += items[:round(args.count * share[kind])]
    random.shuffle(picked)
    for i, (kind, f, n, before, after) in enumerate(picked):
        print(json.dumps({"id": i, "kind": kind, "file": f, "line": n, "before": before, "after": after}))
    total = sum(map(len, groups.values()))
    print(f"{len(picked)} of {total} mutants listed", file=sys.stderr)


def run_mutants(args):
    mutants = [json.loads(line) for line in open(args.mutants)]
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    lock = threading.Lock()
    queue = iter(mutants)

    def worker(k):
        tree = Path(tempfile.mkdtemp(prefix=f"kestrane-mutant{k}."))
        try:
            mutate_in(tree)
        finally:
            shutil.rmtree(tree, ignore_errors=True)

    def mutate_in(tree):
        subprocess.run(["git", "clone", "-q", ROOT, tree], check=True)
        build = tree / "build"
        subprocess.run(["cmake", "-S", tree, "-B", build, "-DCMAKE_BUILD_TYPE=Debug",
                        "-DKESTRANE_WERROR=OFF", "-DKESTRANE_BUILD_BENCH=OFF", "-DKESTRANE_E2E=OFF"],
                       check=True, capture_output=True)
        # The whole build once, so that a mutant's build is only its own.
        subprocess.run(["cmake", "--build", build, "-j2"], check=True, capture_output=True)
        while True:
            with lock:
                m = next(queue, None)
                if m is None:
                    return
                log = out / f"{m['id']}.log"
                if (log.exists() and "RESULT" in log.read_text(errors="replace")) or (out / "stop").exists():
                    continue
            path = tree / m["file"]
            original = path.read_text(encoding="utf-8")
            lines = original.split("\n")
            if lines[m["line"] - 1] != m["before"]:
                log.write_text("RESULT moved\n")
                continue
            lines[m["line"] - 1] = m["after"]
            path.write_text("\n".join(lines), encoding="utf-8")
            try:
                built = subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True, timeout=900)
                if built.returncode:
                    log.write_text("RESULT nocompile\n")
                    continue
                tests = subprocess.run(["ctest", "--test-dir", build, "-E", "e2e|install", "--timeout", "120",
                                        "--output-on-failure"], capture_output=True, text=True, timeout=1800)
                log.write_text(tests.stdout + tests.stderr + f"RESULT ran rc={tests.returncode}\n")
            except subprocess.TimeoutExpired:
                log.write_text("RESULT hung\n")
            finally:
                path.write_text(original, encoding="utf-8")

    threads = [threading.Thread(target=worker, args=(k,)) for k in range(args.workers)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()


def caught_by(text):
    """The test functions a log shows failing; a whole program where it crashed or hung unnamed."""
    found = {f"{m[1]}::{m[2]}" for m in re.finditer(r"^(?:FAIL!|QFATAL|XPASS) *: (\w+)::(\w+)\(", text, re.M)}
    for m in re.finditer(r"Test +#\d+: (\w+) \.+\*{0,3}(Timeout|Subprocess aborted|Exception|Failed)", text):
        if not any(f.lower().startswith("test" + m[1][4:].replace("_", "")) for f in found):
            found.add(f"{m[1]}::<{m[2].lower()}>")
    return found


def report(args):
    mutants = {m["id"]: m for m in map(json.loads, open(args.mutants))}
    results, caught = collections.Counter(), {}
    for log in Path(args.out).glob("*.log"):
        text = log.read_text(errors="replace")
        if "RESULT ran" in text:
            caught[int(log.stem)] = caught_by(text)
            results["caught" if caught[int(log.stem)] else "survived"] += 1
        elif "RESULT" in text:
            results[text.split()[1]] += 1
    print("mutants:", dict(results))
    killed = [k for k in caught.values() if k]
    alone = collections.Counter(next(iter(k)) for k in killed if len(k) == 1)
    print("caught by how many test functions:", dict(sorted(collections.Counter(map(len, killed)).items())))
    print("caught by one test program only:", sum(len({f.split("::")[0] for f in k}) == 1 for k in killed))
    print("test functions that alone catch a mutant:")
    for f, n in alone.most_common():
        print(f"  {n:3}  {f}")
    if args.survivors:
        for i in sorted(i for i, k in caught.items() if not k):
            m = mutants[i]
            print(f"survived {i}: {m['file']}:{m['line']}: {m['after'].strip()[:120]}")


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = p.add_subparsers(dest="command", required=True)
    ls = sub.add_parser("list")
    ls.add_argument("--count", type=int, default=600)
    ls.add_argument("--seed", type=int, default=20261208)
    run = sub.add_parser("run")
    run.add_argument("mutants")
    run.add_argument("out")
    run.add_argument("--workers", type=int, default=max(1, (os.cpu_count() or 2) // 2 + 1))
    rep = sub.add_parser("report")
    rep.add_argument("mutants")
    rep.add_argument("out")
    rep.add_argument("--survivors", action="store_true")
    args = p.parse_args()
    {"list": list_mutants, "run": run_mutants, "report": report}[args.command](args)


if __name__ == "__main__":
    main()
