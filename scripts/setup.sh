#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12, only when
# something is missing. Sourced by run.sh and test.sh.
set -euo pipefail

BQ_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev
             fonts-liberation fonts-dejavu-core xvfb xauth xdotool openbox
             desktop-file-utils appstream groff-base
             clang libclang-rt-14-dev)

bq_missing_packages() {
  local missing=()
  for p in "${BQ_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

bq_install() {
  local missing
  missing=$(bq_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing: $missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $missing
}

bq_configure() {
  local dir=$1; shift
  cmake -S "$BQ_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

BQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BQ_JOBS=$(nproc 2>/dev/null || echo 2)
