#!/bin/sh
# Writes cmake/startupfunctions.txt: the executable's functions a start runs, up to the first
# paint and a few ticks after it, with the list of 20 Notifications bench/startup.sh opens.
# Run under callgrind on a private X server; needs valgrind and Xvfb, and a build with the
# benchmarks (default build/). The link gathers these functions (cmake/startuplayout.cmake).
# Usage: cmake/startupfunctions.sh [BUILD_DIR]
set -eu
build=$(cd "${1:-build}" && pwd)
list=$(cd "$(dirname "$0")" && pwd)/startupfunctions.txt
. "$(dirname "$0")/../bench/startupdisplay.sh"
mkdir "$work/prog"
cp "$build/chimelet" "$build"/chimelet-*.so "$work/prog/"
[ -f "$build/chmhlp.tub" ] && cp "$build/chmhlp.tub" "$work/prog/"
"$build/bench/startup/startupfiles" "$work/prog"
valgrind --tool=callgrind --demangle=no --dump-instr=no --callgrind-out-file="$work/out" \
    "$work/prog/chimelet" 2>"$work/err" &
pid=$!
for _ in $(seq 600); do grep -q 'painted at' "$work/err" 2>/dev/null && break; sleep 0.2; done
grep -q 'painted at' "$work/err" || { echo "no first paint under callgrind" >&2; kill "$pid"; exit 1; }
sleep 4
callgrind_control -d "$pid" >/dev/null 2>&1
sleep 2
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
# The executable's functions with a cost, and every other name of the same code (a
# constructor's code is named for its base-object form, C2, which callgrind may not show).
# Names are given once with their number, "(12) name", and later by number alone; "'2" marks
# a recursion's second level.
nm --defined-only "$build/chimelet" >"$work/symbols"
python3 - "$work/out.1" "$work/symbols" >"$list" <<'PY'
import re, sys
names = {}
ran = set()
for line in open(sys.argv[1]):
    m = re.match(r"c?fn=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
    if m and m.group(2) is not None:
        names[m.group(1)] = m.group(2)
    if m and line.startswith("fn="):
        ran.add(re.sub(r"'\d+$", "", names[m.group(1)]))
at = {}
for line in open(sys.argv[2]):
    f = line.split()
    if len(f) == 3 and f[1] in "tTwW":
        at.setdefault(f[0], []).append(f[2])
listed = set()
for address, symbols in at.items():
    if any(s in ran for s in symbols):
        listed.update(symbols)
for name in sorted(listed):
    if re.fullmatch(r"[A-Za-z_][A-Za-z0-9_.$]*", name):
        print(name)
PY
echo "$(wc -l <"$list") functions in $list"
