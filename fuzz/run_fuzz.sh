#!/usr/bin/env bash
# Runs every fuzz target for BQ_FUZZ_SECONDS seconds (20 by default, which
# keeps CI's share small; set it higher for a long run by hand) from its seed
# corpus in fuzz/corpus/<name>. New inputs go to a scratch directory, so
# the seeds in the tree stay as they are. Fails on any crash, leak, sanitizer
# report or model divergence; the input that caused it is kept in the scratch
# directory and named in the output.
#
#   fuzz/run_fuzz.sh BUILD_DIR [TARGET...]
set -euo pipefail
build=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
seconds=${BQ_FUZZ_SECONDS:-20}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(marks_file settings editing_keys)
scratch="$build/fuzz-runs"
mkdir -p "$scratch"
status=0
for t in "${targets[@]}"; do
  work="$scratch/$t"
  rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
  echo "== fuzz_$t: ${seconds} s =="
  if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
       "$work/corpus" "$here/corpus/$t" >"$work/log" 2>&1; then
    tail -n 60 "$work/log"
    echo "fuzz_$t FAILED; inputs: $(ls "$work/artifacts")"
    status=1
  else
    grep -E "^stat::number_of_executed_units|^Done" "$work/log" | tr '\n' ' '
    echo
  fi
done
exit $status
