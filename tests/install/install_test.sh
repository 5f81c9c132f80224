#!/usr/bin/env bash
# Installs the build into a staging directory and checks what a system
# install would get: every file in place, a desktop entry and metainfo that
# validate, and a program that answers --version, --help and mistakes on the
# terminal without a display.
#
#   install_test.sh BUILD_DIR
set -uo pipefail
BUILD=$(readlink -f "$1")
STAGE=$(mktemp -d /tmp/bq-stage.XXXXXX)
trap 'rm -rf "$STAGE"' EXIT
FAILED=0
PASSED=0
ok() { PASSED=$((PASSED + 1)); echo "ok   $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL $1"; }
expect() { if eval "$2"; then ok "$1"; else fail "$1"; fi; }

DESTDIR="$STAGE" cmake --install "$BUILD" --prefix /usr >"$STAGE.log" 2>&1 || { cat "$STAGE.log"; fail install; }
rm -f "$STAGE.log"
R="$STAGE/usr"
for f in bin/brisquentalovard share/applications/brisquentalovard.desktop \
  share/icons/hicolor/scalable/apps/brisquentalovard.svg share/metainfo/com.mendrel.Brisquentalovard.metainfo.xml \
  share/man/man1/brisquentalovard.1 share/brisquentalovard/QorinEditE.html share/brisquentalovard/QorinEditD.html; do
  expect "installed $f" "[ -s '$R/$f' ]"
done
expect "desktop entry validates" "desktop-file-validate '$R/share/applications/brisquentalovard.desktop'"
expect "metainfo validates" "appstreamcli validate --no-net '$R/share/metainfo/com.mendrel.Brisquentalovard.metainfo.xml' >/dev/null"
# Qt's own dialogs speak German only with Qt's translations installed.
expect "the package recommends Qt's translations" "grep -q 'CPACK_DEBIAN_PACKAGE_RECOMMENDS.*qt6-translations-l10n' '$BUILD/CPackConfig.cmake'"
expect "the package recommends Qt's Wayland plugin" "grep -q 'CPACK_DEBIAN_PACKAGE_RECOMMENDS.*qt6-wayland' '$BUILD/CPackConfig.cmake'"
# The desktop finds the entry by the window: its Wayland app id is the
# entry's name, and its X11 window class is StartupWMClass (both checked
# on a real window by the smoke tests).
expect "the desktop entry names the window class" "grep -qx 'StartupWMClass=Brisquentalovard' '$R/share/applications/brisquentalovard.desktop'"
expect "man page formats without warnings" "[ -z \"\$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z '$R/share/man/man1/brisquentalovard.1' 2>&1)\" ]"

# No display at all: the command line is answered before any window system.
BIN="$R/bin/brisquentalovard"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$STAGE/config" LANG=C.UTF-8 LC_ALL=C.UTF-8 "$BIN" "$@"; }
VERSION=$(grep -m1 -o 'project(Brisquentalovard VERSION [0-9.]*' "$(dirname "$0")/../../CMakeLists.txt" | awk '{print $3}')
expect "--version prints $VERSION" "[ \"\$(run --version)\" = 'Brisquentalovard $VERSION' ]"
expect "--help prints the usage" "run --help | grep -q '^Usage: brisquentalovard \\[OPTION\\] \\[FILE\\]'"
expect "-h is --help" "[ \"\$(run -h)\" = \"\$(run --help)\" ]"
run --frobnicate >/dev/null 2>"$STAGE/err"
expect "an unknown option exits with 2" "[ $? -eq 2 ]"
expect "an unknown option is named" "grep -q 'unknown option \"frobnicate\"' '$STAGE/err'"
run a b >/dev/null 2>"$STAGE/err"
expect "two files exit with 2" "[ $? -eq 2 ]"
expect "two files are refused clearly" "grep -q 'one file at a time' '$STAGE/err'"
expect "German usage" "env -u DISPLAY XDG_CONFIG_HOME='$STAGE/config' LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 '$BIN' --help 2>/dev/null | grep -q '^Aufruf:'"

echo "install: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
