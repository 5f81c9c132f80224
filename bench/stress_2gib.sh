#!/usr/bin/env bash
# The 2 GiB stress run, by hand: builds stress_2gib, makes a file of exactly
# 2,147,483,647 bytes (sparse zeros with a known sequence near the end) and
# runs the program under /usr/bin/time -v. Needs about 4.5 GiB of memory and
# 2 GiB of free disk space under $TMPDIR (default /tmp).
#
#   bench/stress_2gib.sh [BUILD_DIR]      (default build-test)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-test}
[ -d "$build" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBQ_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target stress_2gib -j2 >/dev/null

dir=$(mktemp -d "${TMPDIR:-/tmp}/bq-stress-XXXXXX")
trap 'rm -rf "$dir"' EXIT
original=$dir/original.bin
truncate -s 2147483647 "$original"
needle="the needle at the very end"
printf '%s' "$needle" | dd of="$original" bs=1 seek=$((2147483647 - 1 - ${#needle})) conv=notrunc status=none
[ "$(stat -c %s "$original")" = 2147483647 ] || { echo "the test file has the wrong size"; exit 1; }

status=0
/usr/bin/time -v "$build/bench/stress_2gib" "$original" "$dir/saved.bin" 2>"$dir/time.txt" || status=$?
grep -E "Elapsed|Maximum resident" "$dir/time.txt"
exit $status
