#!/usr/bin/env bash
# Installs what is missing, builds everything (benchmarks included, not run)
# and runs every test headless; the Qt-free tests run once more under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
bq_install test

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$BQ_ROOT/build-test/xdg-runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

bq_configure "$BQ_ROOT/build-test" -DBQ_BUILD_TESTS=ON -DBQ_BUILD_BENCH=ON -DBQ_WERROR=ON
cmake --build "$BQ_ROOT/build-test" -j "$BQ_JOBS"

bq_configure "$BQ_ROOT/build-asan" -DBQ_SANITIZE=ON -DBQ_BUILD_GUI=OFF -DBQ_BUILD_TESTS=ON \
  -DBQ_BUILD_BENCH=OFF
cmake --build "$BQ_ROOT/build-asan" --target bq_unit_tests -j "$BQ_JOBS"

echo "== Qt-free tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
(cd "$BQ_ROOT/build-asan" && ctest --output-on-failure -j "$BQ_JOBS")

# The fuzz targets with clang and libFuzzer, each for BQ_FUZZ_SECONDS (20 by
# default: a short net on every run; set it higher for a long run by hand).
CC=clang CXX=clang++ bq_configure "$BQ_ROOT/build-fuzz" -DBQ_FUZZ=ON -DBQ_BUILD_GUI=OFF -DBQ_BUILD_TESTS=OFF \
  -DBQ_BUILD_BENCH=OFF
cmake --build "$BQ_ROOT/build-fuzz" -j "$BQ_JOBS"
echo "== Fuzzing =="
"$BQ_ROOT/fuzz/run_fuzz.sh" "$BQ_ROOT/build-fuzz"

# The same tests in one process, in a shuffled order, three times: a test
# that leans on what an earlier one left behind fails here. gtest prints the
# seed of each order.
echo "== Qt-free tests, shuffled =="
"$BQ_ROOT/build-test/tests/bq_unit_tests" --gtest_shuffle --gtest_repeat=3 --gtest_brief=1

# The real program under X11 and under Wayland, one after the other; each
# ends with its count of checks (or the line saying why it was skipped).
echo "== Real windows: X11 and Wayland =="
(cd "$BQ_ROOT/build-test" && ctest --output-on-failure -R '^smoke\.')
grep -hE '^(smoke|wayland): [0-9]+ passed|^skip wayland' "$BQ_ROOT/build-test/Testing/Temporary/LastTest.log" || true

echo "== All other tests =="
cd "$BQ_ROOT/build-test" && ctest --output-on-failure -j "$BQ_JOBS" -E '^smoke\.'
