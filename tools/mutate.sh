#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Mutation check: how many one-line faults the suite catches. Each fault of the list
# (tools/mutations.txt unless another file is given) is put into a copy of the tree
# (build/mutate/src, refreshed from the working tree at every run), that copy is built (Debug,
# no sanitizers, only the test programs needed) and the tests of the faulty folder are run
# with CTest: settings/ adds the app tests, which load and save the settings through the
# window; the other folders run their own label only, to keep a run of about forty faults
# under forty minutes on two busy cores. A fault is caught when a test fails or runs over its
# time (three times the unchanged tree's run, so an endless loop counts), survives when all
# pass, and "no build" when it does not compile. The copy is restored after every fault.
# The long trials (CTest label long) are left out unless MUTATE_LONG=1.
# Usage: tools/mutate.sh [list] [--only REGEX]   (REGEX picks faults by their list line)
# Prints a table and "caught N of M"; the table is also written to build/mutate/results.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PY'
import os, re, signal, subprocess, sys, time

args = sys.argv[1:]
only = None
if "--only" in args:
    i = args.index("--only")
    only = re.compile(args[i + 1])
    del args[i:i + 2]
faults_file = args[0] if args else "tools/mutations.txt"
jobs = os.environ.get("JOBS", "2")
work = os.path.abspath("build/mutate")
src = os.path.join(work, "src")
bld = os.path.join(work, "build")
# Folders whose faults other suites see as well.
extra_labels = {"settings": ["app"]}
started = time.monotonic()


def run(cmd, timeout=None, **kw):
    p = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         stdin=subprocess.DEVNULL, start_new_session=True, **kw)
    try:
        out, _ = p.communicate(timeout=timeout)
        return p.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.communicate()
        return None, ""


def parse(path):
    faults = []
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        where, _, rest = line.partition(": ")
        original, sep, replacement = rest.partition(" ==> ")
        if not sep or not original:
            sys.exit(f"{path}:{number}: expected '<where>: <original> ==> <replacement>'")
        faults.append((number, line, where.strip(), original.strip(), replacement.strip()))
    return faults


def candidates(where):
    files = []
    for item in where.split(","):
        item = item.strip()
        if item.endswith("/"):
            folder = os.path.join(src, item)
            files += sorted(os.path.join(item, f) for f in os.listdir(folder)
                            if f.endswith((".cpp", ".h")))
        else:
            files.append(item)
    return files


def locate(where, original):
    hits = []
    for f in candidates(where):
        path = os.path.join(src, f)
        if not os.path.isfile(path):
            continue
        for n, text in enumerate(open(path, encoding="utf-8").read().split("\n")):
            if original in text:
                hits.append((f, n))
    return hits


def labels_of(folder):
    return [folder] + extra_labels.get(folder, [])


def build(labels):
    return run(["cmake", "--build", bld, "-j", jobs, "--target"] + [l + "_tests" for l in labels])


def test(labels, timeout):
    regex = "^(" + "|".join(labels) + ")$"
    quick = [] if os.environ.get("MUTATE_LONG") == "1" else ["-LE", "^long$"]
    return run(["ctest", "--test-dir", bld, "--no-tests=error", "--stop-on-failure", "-L", regex]
               + quick, timeout=timeout)


# The copy: the working tree's tracked and new files, times kept so unchanged files stay built.
os.makedirs(src, exist_ok=True)
listing = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], check=True,
                         stdout=subprocess.PIPE).stdout
present = b"\0".join(f for f in listing.split(b"\0") if f and os.path.isfile(f)) + b"\0"
pack = subprocess.Popen(["tar", "--null", "-T", "-", "-cf", "-"], stdin=subprocess.PIPE,
                        stdout=subprocess.PIPE)
unpack = subprocess.Popen(["tar", "-xf", "-", "-C", src], stdin=pack.stdout)
pack.stdin.write(present)
pack.stdin.close()
if unpack.wait() != 0 or pack.wait() != 0:
    sys.exit("copying the tree failed")

launcher = []
if subprocess.run(["sh", "-c", "command -v ccache"], stdout=subprocess.DEVNULL).returncode == 0:
    launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
rc, out = run(["cmake", "-S", src, "-B", bld, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
               "-DDRIVO_BUILD_BENCH=OFF"] + launcher)
if rc != 0:
    sys.exit(out)

faults = [f for f in parse(faults_file) if not only or only.search(f[1])]
plan = []
for number, line, where, original, replacement in faults:
    hits = locate(where, original)
    folder = hits[0][0].split("/")[0] if len(hits) == 1 else where.split("/")[0]
    plan.append((number, where, original, replacement, hits, labels_of(folder)))

# The unchanged tree first: every label must pass, and its time sets the limit for the faults.
limits = {}
for labels in sorted({tuple(p[5]) for p in plan}):
    rc, out = build(list(labels))
    if rc != 0:
        sys.exit("the unchanged tree does not build:\n" + out[-3000:])
    t0 = time.monotonic()
    rc, out = test(list(labels), None)
    if rc != 0:
        sys.exit("the unchanged tree fails its tests:\n" + out[-3000:])
    limits[labels] = max(60.0, 3 * (time.monotonic() - t0))
    print(f"unchanged tree, labels {' '.join(labels)}: {time.monotonic() - t0:.0f} s", flush=True)

rows = []
for number, where, original, replacement, hits, labels in plan:
    t0 = time.monotonic()
    if len(hits) != 1:
        status, place = ("not found" if not hits else "ambiguous"), where
    else:
        f, n = hits[0]
        place = f"{f}:{n + 1}"
        path = os.path.join(src, f)
        text = open(path, encoding="utf-8").read()
        lines = text.split("\n")
        lines[n] = lines[n].replace(original, replacement, 1)
        try:
            with open(path, "w", encoding="utf-8") as out_file:
                out_file.write("\n".join(lines))
            rc, _ = build(labels)
            if rc != 0:
                status = "no build"
            else:
                rc, _ = test(labels, limits[tuple(labels)])
                status = "caught" if rc != 0 else "SURVIVED"
                if rc is None:
                    status = "caught (time)"
        finally:
            with open(path, "w", encoding="utf-8") as out_file:
                out_file.write(text)
    rows.append((number, place, status, time.monotonic() - t0, original))
    print(f"{number:4} {place:40} {status:14} {rows[-1][3]:5.0f} s  {original[:60]}", flush=True)

built = [r for r in rows if r[2].startswith(("caught", "SURVIVED"))]
caught = [r for r in built if r[2].startswith("caught")]
report = [f"{'line':>4} {'place':40} {'status':14} {'time':>7}  fault"]
report += [f"{r[0]:4} {r[1]:40} {r[2]:14} {r[3]:5.0f} s  {r[4][:60]}" for r in rows]
report.append(f"caught {len(caught)} of {len(built)} (faults built: {len(built)} of {len(rows)}); "
              f"{(time.monotonic() - started) / 60:.1f} min")
with open(os.path.join(work, "results.txt"), "w") as results:
    results.write("\n".join(report) + "\n")
print("\n".join(report))
sys.exit(0 if len(built) == len(rows) else 1)
PY
