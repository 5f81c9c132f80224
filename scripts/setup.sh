#!/usr/bin/env bash
# Installs what the job needs on Debian 12, only when something is missing:
#   bq_install run    building and running the program (run.sh)
#   bq_install test   that, and the tests, the smoke test and the fuzzers (test.sh)
# Sourced by run.sh and test.sh. It leaves their shell options alone, so
# every function here checks its own failures and returns them.

# What building and running the program needs. The grid's font maps to
# Liberation Mono, with DejaVu as the fallback. Qt's own translations let the
# file and print dialogs speak German along with the program. The checksums
# come from libcrypto (MD5, the SHA families, BLAKE2b), zlib (CRC-32,
# Adler-32) and libxxhash (XXH3).
BQ_RUN_PACKAGES=(cmake make g++ qt6-base-dev qt6-svg-dev
                 fonts-liberation fonts-dejavu-core qt6-translations-l10n
                 libssl-dev zlib1g-dev libxxhash-dev)

# What the tests add: GoogleTest and Google Benchmark, a headless X server, a
# window manager, a key driver, xprop and two clipboard programs (tkinter,
# xclip) for the smoke test; a Wayland compositor that runs headless (sway),
# its key driver and screenshot tool, and Qt's Wayland plugin for the Wayland
# smoke run; the validators and groff for the install test, Python for the
# include-order test and the checksum comparison (with xxhsum for XXH3), and
# clang for the fuzzers. The fuzzers also need
# clang's runtime (libFuzzer, the sanitizers), whose package carries clang's
# major version; bq_install picks it once clang is there.
BQ_TEST_PACKAGES=(libgtest-dev libbenchmark-dev
                  xvfb xauth xdotool openbox python3-tk xclip x11-utils
                  sway wtype grim qt6-wayland
                  desktop-file-utils appstream groff-base
                  python3 xxhash clang)

# Prints those of the named packages that are not installed.
bq_missing_packages() {
  local p status missing=()
  for p in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) || status=""
    case "$status" in
      *"install ok installed"*) ;;
      *) missing+=("$p") ;;
    esac
  done
  echo "${missing[*]}"
}

# Installs those of the named packages that are missing; the package lists
# are fetched at most once per shell.
bq_apt_install() {
  local missing sudo=""
  missing=$(bq_missing_packages "$@")
  if [ -z "$missing" ]; then
    return 0
  fi
  echo "Installing: $missing"
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  if [ -z "${BQ_APT_UPDATED:-}" ]; then
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
    BQ_APT_UPDATED=1
  fi
  # shellcheck disable=SC2086
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# The package of clang's runtime for the clang on the path, e.g.
# libclang-rt-14-dev for Debian 12's clang 14.
bq_clang_runtime_package() {
  local major
  major=$(clang --version 2>/dev/null | sed -n 's/^.*clang version \([0-9][0-9]*\)\..*$/\1/p' | head -n 1)
  if [ -z "$major" ]; then
    echo "Cannot tell the version of clang" >&2
    return 1
  fi
  echo "libclang-rt-$major-dev"
}

bq_install() {
  local job=${1:-run} runtime
  case "$job" in
    run|test) ;;
    *) echo "bq_install: run or test, not '$job'" >&2; return 1 ;;
  esac
  bq_apt_install "${BQ_RUN_PACKAGES[@]}" || return 1
  if [ "$job" = test ]; then
    bq_apt_install "${BQ_TEST_PACKAGES[@]}" || return 1
    runtime=$(bq_clang_runtime_package) || return 1
    bq_apt_install "$runtime" || return 1
  fi
}

bq_configure() {
  local dir=$1; shift
  cmake -S "$BQ_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

BQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck disable=SC2034  # used by the scripts that source this one
BQ_JOBS=$(nproc 2>/dev/null || echo 2)
