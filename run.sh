#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor: ./run.sh [FILE]
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
bq_install run
bq_configure "$BQ_ROOT/build" -DBQ_BUILD_TESTS=OFF -DBQ_BUILD_BENCH=OFF
cmake --build "$BQ_ROOT/build" --target brisquentalovard -j "$BQ_JOBS"
exec "$BQ_ROOT/build/brisquentalovard" "$@"
