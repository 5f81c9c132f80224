#!/usr/bin/env bash
# The real program in a real X server with a window manager, driven by real
# key events. It catches what offscreen tests cannot: shortcuts that X11
# reports as ambiguous, keys that type when they should not, menus that pass
# keys on to the grid. Each scenario loads a file, sends keys, saves with
# Ctrl+S and compares the saved bytes with the expected ones.
#
#   smoke.sh BINARY [CHECK...]
#
# With CHECKs, only those of the checks defined before the X server starts
# (below) run, for a quick look at one of them.
set -uo pipefail

BIN=$(readlink -f "$1")
# shellcheck source=tests/smoke/common.sh
source "$(dirname "$0")/common.sh"
WORK=$(mktemp -d /tmp/bq-smoke.XXXXXX)
trap 'cleanup' EXIT
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" XDG_CACHE_HOME="$WORK/cache"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE=
XVFB_PID=""
WM_PID=""
APP_PID=""

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}

start_x() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && break
      [ -e "/tmp/.X11-unix/X$n" ] && xdotool getmouselocation >/dev/null 2>&1 && break
      sleep 0.1
    done
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      openbox >"$WORK/wm.log" 2>&1 &
      WM_PID=$!
      sleep 0.5
      return 0
    fi
  done
  echo "no free X display" >&2
  exit 1
}

# Starts the program on FILE and waits until its window has the focus.
launch() {
  "$BIN" "$1" >>"$WORK/app.log" 2>&1 &
  APP_PID=$!
  WID=$(timeout 15 xdotool search --sync --onlyvisible --pid "$APP_PID" --name 'Brisquentalovard' | head -1)
  [ -n "$WID" ] || { echo "window did not appear"; return 1; }
  xdotool windowactivate --sync "$WID" >/dev/null 2>&1 || xdotool windowfocus --sync "$WID"
  sleep 0.4
}

keys() { xdotool key --clearmodifiers --delay 60 "$@"; }

# The id of a question the program shows, after waiting up to N tenths of a
# second for one: question N. (xdotool joins conditions with "or" unless
# told --all: without it, any window of the program would do.)
question() {
  local w=""
  for _ in $(seq "$1"); do
    w=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^(Confirmation|Bestätigung)$' 2>/dev/null | head -1)
    [ -n "$w" ] && break
    sleep 0.1
  done
  echo "$w"
}

# Saves with Ctrl+S (answering the overwrite question) and waits for the new file.
save_now() {
  local file=$1 before
  before=$(stat -c %i:%Y:%s "$file")
  sleep 0.3
  keys ctrl+s
  local dialog=""
  for _ in $(seq 30); do
    dialog=$(question 1)
    [ -n "$dialog" ] && break
    [ "$(stat -c %i:%Y:%s "$file")" != "$before" ] && break
  done
  if [ -n "$dialog" ]; then
    keys y
  fi
  for _ in $(seq 50); do
    [ "$(stat -c %i:%Y:%s "$file")" != "$before" ] && break
    sleep 0.1
  done
  sleep 0.2
}

save_and_quit() {
  save_now "$1"
  stop_app
}

# The keys of a scenario, then Ctrl+S. An argument "pause" waits a moment
# where a dialog has to come up first; without one the keys go in one call.
play_and_save() {
  local k
  if [[ " $* " == *" pause "* ]]; then
    for k in "$@"; do
      if [ "$k" = pause ]; then sleep 0.8; else keys "$k"; fi
    done
  else
    keys "$@"
  fi
  save_now "$F"
}

# answer WINDOW KEY: the key to the question, once it has the focus.
answer() {
  [ -n "$1" ] || return
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
  sleep 0.2
  keys "$2"
  sleep 0.5
}

# Another program writes the file the editor shows. A clean document: the
# reload question comes within a second, and Yes shows the new bytes (typed
# over and saved, the first one proves what the grid held). Unsaved changes:
# No to the reload question; Ctrl+S then asks before the overwrite warning,
# and No leaves the other program's bytes in the file.
disk_changes() {
  local texts="$WORK/disk-texts.txt" asked="" ms=9999 shown="" guard="" kept="" start
  rm -f "$texts"
  F="$WORK/disk.bin"
  printf 'old' >"$F"
  if BQ_DIALOG_TEXTS="$texts" launch "$F"; then
    start=$(date +%s%N)
    printf 'new' >"$F"
    asked=$(question 30)
    ms=$((($(date +%s%N) - start) / 1000000))
    answer "$asked" y
    keys 4 1
    save_now "$F"
    [ "$(cat "$F")" = "Aew" ] && shown=1
    stop_app
  fi
  grep -qx "text: The file $F was changed by another program. Reload it?" "$texts" 2>/dev/null || asked=""
  if [ -n "$asked" ] && [ "$ms" -le 1000 ] && [ -n "$shown" ]; then
    verdict disk-reload 1 "(asked after $ms ms)"
  else
    verdict disk-reload 0 "question '${asked}' after $ms ms, file '$(cat "$F")'"
  fi

  rm -f "$texts"
  F="$WORK/disk-guard.bin"
  printf 'mine' >"$F"
  if BQ_DIALOG_TEXTS="$texts" launch "$F"; then
    keys 4 1
    sleep 0.3
    printf 'theirs' >"$F"
    answer "$(question 30)" n
    keys ctrl+s
    guard=$(question 30)
    answer "$guard" n
    [ "$(cat "$F")" = "theirs" ] && kept=1
    stop_app
  fi
  grep -qx "text: The file $F was changed by another program. Reload it and lose your changes?" "$texts" \
    2>/dev/null || guard=""
  grep -qx "text: The file $F was changed by another program since you opened it. Overwrite those changes?" \
    "$texts" 2>/dev/null || guard=""
  grep -q "already exists" "$texts" 2>/dev/null && guard=""
  if [ -n "$guard" ] && [ -n "$kept" ]; then
    verdict disk-save-refused 1
  else
    verdict disk-save-refused 0 "guard '${guard}', file '$(cat "$F")', texts: $(tr '\n' '|' <"$texts" 2>/dev/null)"
  fi
}

start_x

if [ $# -gt 1 ]; then
  for check in "${@:2}"; do "$check"; done
  echo "smoke: $PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
  exit
fi

# Hex typing and the arrow keys.
s_arrows() { bytes "$F" 256; cp "$F" "$E"; put "$E" 17 ff; put "$E" 1 0e; put "$E" 0 a7; }
scenario arrows s_arrows Down Right Right f f Up Left e Home a 7

# Tab and Shift+Tab switch areas; typing in the character area writes the code.
s_tab() { bytes "$F" 64; cp "$F" "$E"; put "$E" 0 41; put "$E" 1 11; put "$E" 2 42; }
scenario tab s_tab Tab A shift+Tab 1 Right Tab B

# Page keys (a page is more than the three rows here), End (to the last
# digit) and Home.
s_pages() { bytes "$F" 40 00; cp "$F" "$E"; put "$E" 32 10; put "$E" 0 72; put "$E" 39 05; }
scenario pages s_pages Next 1 Prior 2 End 5 Home 7

# Delete, Backspace, Insert and Ctrl+Insert.
s_edit() { bytes "$F" 32; cp "$F" "$E"; del "$E" 3 1; del "$E" 4 1; ins "$E" 0 00; ins "$E" 31 00; }
scenario edit s_edit Right Right Right Right Right Right Delete Right Right Right Right BackSpace Home Insert ctrl+Insert

# Undo and redo by both keys.
s_undo() { bytes "$F" 16; cp "$F" "$E"; put "$E" 0 ff; put "$E" 1 e1; }
scenario undo s_undo f f e e ctrl+z ctrl+z ctrl+shift+z alt+BackSpace shift+alt+BackSpace

# Disabled commands never type in the character area; nor do Delete forms,
# Ctrl with digits and punctuation, Escape, or keys meant for an open menu.
# An unbound Ctrl+letter types its control character.
s_reserved() { bytes "$F" 40; cp "$F" "$E"; put "$E" 16 11; }
scenario reserved s_reserved Tab ctrl+z ctrl+shift+z alt+BackSpace shift+alt+BackSpace ctrl+Delete \
  ctrl+shift+Delete ctrl+l ctrl+shift+l F3 shift+F3 ctrl+1 ctrl+period ctrl+minus Escape \
  alt+f 9 Escape Escape alt+o q Escape Escape Down ctrl+q

# Marks and the keys that travel between them and between identical bytes.
R6="Right Right Right Right Right Right"
s_marks() { bytes "$F" 48 00; cp "$F" "$E"; put "$E" 3 fb; put "$E" 4 10; put "$E" 6 70; put "$E" 9 0d; put "$E" 45 20; }
# shellcheck disable=SC2086
scenario marks s_marks $R6 ctrl+r $R6 ctrl+r $R6 ctrl+g Home ctrl+Down a b \
  Home ctrl+Right ctrl+Right ctrl+Right c d Home ctrl+Down ctrl+shift+Down e ctrl+shift+Left f \
  End ctrl+Up 0 End ctrl+Left ctrl+Left 7 Home shift+Right shift+Right shift+Down 1 End shift+Up shift+Left 2

# The pop-up menu from the keyboard: Menu and Shift+F10, then an item's letter.
s_popup() { bytes "$F" 32 00; cp "$F" "$E"; put "$E" 5 cc; put "$E" 8 dd; }
scenario popup s_popup Right Right Right Right Right Right Right Right Right Right ctrl+y Home Menu n c c \
  Right Right Right Right ctrl+b End shift+F10 p d d

# Decimal view and back.
s_dec() { bytes "$F" 20 00; cp "$F" "$E"; put "$E" 0 fb; put "$E" 1 09; }
scenario dec s_dec ctrl+d 2 5 1 0 0 9 ctrl+h

# After a switch the cursor stands on the byte's first digit: 066 in
# decimal, then 7f in hex, gives 42 7F.
s_modesw() { bytes "$F" 20 00; cp "$F" "$E"; put "$E" 0 42 7f; }
scenario modeswitch s_modesw ctrl+d 0 6 6 ctrl+h 7 f

# Find: Ctrl+F, the sequence typed into the hex view, Case sensitive off,
# Enter; F3 finds the next one. Ctrl+L and Ctrl+Shift+L go on both ways.
s_find() { printf 'xxABxxabxxAB' >"$F"; printf 'xx\xeeBxx\xddbxx\xccB' >"$E"; }
scenario find s_find ctrl+f 4 1 4 2 alt+s Return e e F3 d d ctrl+l c c

# Go to past the end lands on the last byte; Insert bytes repeats its
# pattern; one Ctrl+Z takes a run back; Delete bytes by count.
s_goto() { bytes "$F" 100 00; cp "$F" "$E"; put "$E" 99 ff; ins "$E" 0 41 42 41 42 41; del "$E" 5 2; }
scenario goto s_goto ctrl+t Delete 6 4 Return f f Home shift+Insert Delete 5 alt+x Delete 4 1 4 2 Return \
  ctrl+z shift+Insert Return Home ctrl+t End BackSpace BackSpace BackSpace 5 Return shift+Delete Delete 2 Return

# A file dialog: types a full path into the one that opened and confirms it.
answer_file_dialog() {
  sleep 1.2
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.8
}

# check NAME EXPECTED ACTUAL: compares two files and counts the result.
check() {
  if cmp -s "$2" "$3"; then
    PASSED=$((PASSED + 1))
    echo "ok   $1"
  else
    FAILED=$((FAILED + 1))
    echo "FAIL $1"
    od -An -tx1 "$3" 2>&1 | tail -2 | sed 's/^/     got /'
  fi
}

# Compare with file, then Save marks as, through the real dialogs; Undo
# takes the marks back as one step.
F="$WORK/compare.bin"
printf '0123456789' >"$F"
printf '012X4567' >"$WORK/other.bin"
if launch "$F"; then
  keys alt+f w
  answer_file_dialog "$WORK/other.bin"
  keys y
  keys alt+f r
  answer_file_dialog "$WORK/after.mrk"
  keys ctrl+z alt+f r
  answer_file_dialog "$WORK/undone.mrk"
  # Over an existing marks file it asks; No shows the file dialog again,
  # which Escape closes, and the file stays as it was.
  keys alt+f r
  answer_file_dialog "$WORK/after.mrk"
  asked=$(question 30)
  [ -n "$asked" ] && xdotool windowactivate --sync "$asked" >/dev/null 2>&1
  keys n
  sleep 1
  keys Escape
  stop_app
fi
{ printf 'Brisquentalovard Marks V1'; printf '\x10\x01\x18\x0e'; } >"$WORK/after.expected"
printf 'Brisquentalovard Marks V1' >"$WORK/undone.expected"
check compare-and-marks "$WORK/after.expected" "$WORK/after.mrk"
check compare-undone "$WORK/undone.expected" "$WORK/undone.mrk"
if [ -n "${asked:-}" ]; then
  verdict marks-overwrite-asked 1
else
  verdict marks-overwrite-asked 0 "no question over an existing marks file"
fi

# A stored position far beyond the screen: the whole window, frame and title
# bar included, comes back onto the 1280 x 1024 screen. The first run, closed
# through File > Exit, writes the settings with this display's units. The
# window's class is what the desktop entry names as StartupWMClass, by which
# the desktop finds the entry and shows the program's own icon.
placement() {
  F="$WORK/place.bin"
  bytes "$F" 16
  local ini="$XDG_CONFIG_HOME/Mendrel/Brisquentalovard.ini" geometry="" class="" wanted
  wanted=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../packaging/brisquentalovard.desktop")
  if launch "$F"; then
    keys alt+f e
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
  fi
  if [ -f "$ini" ]; then
    sed -i -e 's/^Left=.*/Left=5000/' -e 's/^Top=.*/Top=5000/' "$ini"
    if launch "$F"; then
      sleep 1.5
      geometry=$(xdotool getwindowgeometry --shell "$WID" 2>/dev/null | tr '\n' ' ')
      class=$(xprop -id "$WID" WM_CLASS 2>/dev/null | sed -n 's/^WM_CLASS.*", "\(.*\)"$/\1/p')
      stop_app
    fi
  fi
  local X=-1 Y=-1 WIDTH=0 HEIGHT=0 inside=0
  eval "$(echo "$geometry" | tr ' ' '\n' | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$')"
  [ "$X" -gt 0 ] && [ "$Y" -gt 0 ] && [ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ] && inside=1
  verdict placement $inside "(${geometry:-no settings file or no window})"
  [ -n "$wanted" ] && [ "$class" = "$wanted" ]
  verdict wm-class $((! $?)) "class '$class', desktop entry '$wanted'"
}
placement

# F1 opens the help window with the help file found next to the program;
# Escape closes it.
help_window() {
  F="$WORK/f1.bin"
  bytes "$F" 16
  local help="" closed=""
  # The visible window titled as the help window, if there is one.
  help_shown() {
    for w in $(xdotool search --onlyvisible --pid "$APP_PID" --name 'Brisquentalovard' 2>/dev/null); do
      [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Brisquentalovard – Help" ] && echo "$w" && return
    done
  }
  if launch "$F"; then
    keys F1
    for _ in $(seq 50); do
      help=$(help_shown)
      [ -n "$help" ] && break
      sleep 0.2
    done
    if [ -n "$help" ]; then
      xdotool windowactivate --sync "$help" >/dev/null 2>&1
      sleep 0.3
      keys Escape
      for _ in $(seq 30); do
        [ -z "$(help_shown)" ] && closed=1 && break
        sleep 0.1
      done
    fi
    stop_app
  fi
  if [ -z "$help" ]; then
    verdict help 0 "F1 showed no help window"
  elif [ -z "$closed" ]; then
    verdict help 0 "Escape left the help window open"
  else
    verdict help 1
  fi
}
help_window

# dialog_scenario NAME SETUP OPENKEY TITLE CLOSEKEY KEYS...: opens a dialog
# with OPENKEY, waits until the window titled TITLE shows, closes it with
# CLOSEKEY and waits until it is gone; then KEYS go to the grid, so the saved
# bytes also prove that the dialog closed and the grid has the keys again.
# (xdotool joins conditions with "or" unless told --all.)
dialog_scenario() {
  local name=$1 setup=$2 open=$3 title=$4 close=$5 dialog="" gone=""
  shift 5
  F="$WORK/$name.bin"
  E="$WORK/$name.expected"
  "$setup"
  if launch "$F"; then
    keys "$open"
    dialog=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name "^$title\$" 2>/dev/null | head -1)
    if [ -n "$dialog" ]; then
      sleep 0.3
      keys "$close"
      for _ in $(seq 50); do
        xdotool search --all --onlyvisible --pid "$APP_PID" --name "^$title\$" >/dev/null 2>&1 || { gone=1; break; }
        sleep 0.1
      done
      sleep 0.3
      [ -n "$gone" ] && keys "$@"
    fi
    save_and_quit "$F"
  fi
  if [ -n "$gone" ] && cmp -s "$F" "$E"; then
    verdict "$name" 1
  else
    verdict "$name" 0 "${dialog:+dialog shown}${dialog:-no dialog titled $title}${gone:+, closed}"
    cmp -l "$F" "$E" 2>&1 | head -5 | sed 's/^/     /'
  fi
}

# Ctrl+I shows the statistics; Escape closes them and changes nothing.
s_info() { bytes "$F" 64; cp "$F" "$E"; put "$E" 0 ab; }
dialog_scenario info s_info ctrl+i 'Info/Statistic' Escape a b

# Another program copies "abc"; File > Open clipboard lists it, and the last
# line (the plain text) loads as an untitled document, which Save writes
# under a name typed into its dialog. Needs Python's tkinter for the other
# program; skipped without it.
clipboard_scenario() {
  local out="$WORK/clip-saved.bin" title="" dialog="" clip_pid=""
  if ! python3 -c 'import tkinter' >/dev/null 2>&1; then
    echo "skip clipboard (no tkinter)"
    return
  fi
  python3 - "$WORK/clip-ready" <<'PY' >>"$WORK/clip.log" 2>&1 &
import sys, tkinter
root = tkinter.Tk()
root.withdraw()
root.clipboard_clear()
root.clipboard_append("abc")
root.update()
open(sys.argv[1], "w").close()
root.mainloop()
PY
  clip_pid=$!
  for _ in $(seq 50); do [ -e "$WORK/clip-ready" ] && break; sleep 0.1; done
  F="$WORK/clip.bin"
  bytes "$F" 16
  if launch "$F"; then
    keys alt+f c
    dialog=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Open Clipboard$' 2>/dev/null | head -1)
    if [ -n "$dialog" ]; then
      sleep 0.3
      keys End Return
      sleep 0.5
      title=$(xdotool getwindowname "$WID")
      keys ctrl+s
      if timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Save as$' >/dev/null 2>&1; then
        sleep 0.5
        xdotool type --delay 20 "$out"
        keys Return
        for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
        sleep 0.3
      fi
    fi
    stop_app
  fi
  kill "$clip_pid" 2>/dev/null
  wait "$clip_pid" 2>/dev/null
  if [ "$title" = "Brisquentalovard" ] && [ "$(od -An -tx1 "$out" 2>/dev/null | tr -d ' \n')" = "616263" ]; then
    verdict "clipboard" 1
  else
    verdict "clipboard" 0 "${dialog:+dialog shown, }title '$title', saved $(od -An -tx1 "$out" 2>/dev/null)"
  fi
}
clipboard_scenario

# Replace all through the dialog: the search sequence typed in its character
# field, the replacement in the other, prompting off, the whole document,
# Replace all; then the same and one Ctrl+Z.
s_replace() { printf 'abab-ab' >"$F"; printf 'xyzxyz-xyz' >"$E"; }
scenario replace s_replace ctrl+e pause alt+c a b alt+r x y z alt+p alt+n alt+a pause
s_replace_undo() { printf 'abab-ab' >"$F"; printf 'abab-ab' >"$E"; }
scenario replace_undo s_replace_undo ctrl+e pause alt+c a b alt+r x y z alt+p alt+n alt+a pause ctrl+z
# Prompting: OK asks before the first one; Yes replaces it.
s_replace_ask() { printf 'abab-ab' >"$F"; printf 'Qab-ab' >"$E"; }
scenario replace_ask s_replace_ask ctrl+e pause alt+c a b alt+r Q Return pause y pause

# File > Print... shows the print dialog; Return prints the proposed page (the
# cursor's) to the PDF file the dialog proposes, through the progress window.
print_check() {
  F="$WORK/print.bin"
  bytes "$F" 3000
  mkdir -p "$WORK/home"
  local pdf="$WORK/home/print.pdf" dialog="" pages=""
  if HOME="$WORK/home" launch "$F"; then
    keys End ctrl+r alt+f p
    for _ in $(seq 50); do
      dialog=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^(Print|Drucken)$' 2>/dev/null | head -1)
      [ -n "$dialog" ] && break
      sleep 0.1
    done
    if [ -n "$dialog" ]; then
      xdotool windowactivate --sync "$dialog" >/dev/null 2>&1
      sleep 0.3
      keys Return
      for _ in $(seq 100); do
        [ -f "$pdf" ] && tail -c 16 "$pdf" | grep -q '%%EOF' && break
        sleep 0.1
      done
    fi
    sleep 0.3
    stop_app
  fi
  [ -f "$pdf" ] && pages=$(perl -0777 -ne 'my $n = () = m{/Type\s*/Page(?![a-zA-Z])}g; print $n' "$pdf")
  if [ -n "$dialog" ] && [ "$pages" = "1" ]; then
    verdict "print" 1
  else
    verdict "print" 0 "dialog '${dialog}', pages '${pages}'"
  fi
}
print_check

# After a switch to German, Qt's own dialogs speak German too: the file
# dialog's labels and the print dialog's buttons, as the program reports
# them (BQ_DIALOG_TEXTS names the file it writes every shown dialog's texts
# to). Switched back to English before the end.
qt_dialogs_german() {
  F="$WORK/qt-de.bin"
  bytes "$F" 16
  mkdir -p "$WORK/home"
  local texts="$WORK/dialog-texts.txt" open="" print=""
  rm -f "$texts"
  if BQ_DIALOG_TEXTS="$texts" HOME="$WORK/home" launch "$F"; then
    keys alt+o g
    sleep 0.3
    keys ctrl+o
    open=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Öffnen$' 2>/dev/null | head -1)
    sleep 0.3
    keys Escape
    sleep 0.5
    keys alt+d r
    print=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Drucken$' 2>/dev/null | head -1)
    sleep 0.3
    keys Escape
    sleep 0.5
    keys alt+o e
    stop_app
  fi
  local name="" cancel=""
  sed -n '/^title: Öffnen$/,/^title: Drucken$/p' "$texts" 2>/dev/null | grep -Eq '^label: Datei&?name:' && name=1
  sed -n '/^title: Drucken$/,$p' "$texts" 2>/dev/null | grep -q '^button: Abbrechen$' && cancel=1
  if [ -n "$open" ] && [ -n "$print" ] && [ -n "$name" ] && [ -n "$cancel" ]; then
    verdict qt-dialogs-german 1
  else
    verdict qt-dialogs-german 0 "file dialog '${open}', print dialog '${print}', texts: $(tr '\n' '|' <"$texts" 2>/dev/null)"
  fi
}
qt_dialogs_german

# The data inspector: F12 opens it beside the grid; uint32 at the cursor in
# both byte orders, read from the window's accessible texts (BQ_ACCESSIBLE_TEXTS
# names the file the program rewrites with them); int16 edited to -2 is saved
# as FF FE (big-endian), and Ctrl+Z in the main window gives the bytes back.
inspector_check() {
  F="$WORK/inspector.bin"
  bytes "$F" 32
  put "$F" 4 12 34 56 78
  cp "$F" "$WORK/inspector.orig"
  cp "$F" "$WORK/inspector.expected"
  put "$WORK/inspector.expected" 4 ff fe
  local texts="$WORK/a11y.txt" tool="" little="" big="" edited="" undone=""
  rm -f "$texts"
  if BQ_ACCESSIBLE_TEXTS="$texts" launch "$F"; then
    keys Right Right Right Right Right Right Right Right F12
    tool=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Data inspector$' 2>/dev/null | head -1)
    sleep 0.8
    grep -qx '\$78563412' "$texts" 2>/dev/null && little=1
    if [ -n "$tool" ]; then
      xdotool windowactivate --sync "$tool" >/dev/null 2>&1 || xdotool windowfocus --sync "$tool"
      sleep 0.3
      keys alt+b
      sleep 0.8
      grep -qx '\$12345678' "$texts" 2>/dev/null && big=1
      keys Tab Down Down Return minus 2 Return
      sleep 0.3
    fi
    xdotool windowactivate --sync "$WID" >/dev/null 2>&1 || xdotool windowfocus --sync "$WID"
    sleep 0.3
    save_now "$F"
    cmp -s "$F" "$WORK/inspector.expected" && edited=1
    keys ctrl+z
    save_now "$F"
    cmp -s "$F" "$WORK/inspector.orig" && undone=1
    stop_app
  fi
  if [ -n "$tool" ] && [ -n "$little" ] && [ -n "$big" ] && [ -n "$edited" ] && [ -n "$undone" ]; then
    verdict inspector 1
  else
    verdict inspector 0 "window '${tool}', LE '${little}', BE '${big}', edited '${edited}', undone '${undone}'; $(od -An -tx1 -N8 "$F")"
  fi
}
inspector_check

# Bytes out and in through the clipboard: three bytes marked red, Ctrl+Shift+C
# copies the marked run as hex text (the dialog's defaults), read back with
# xclip; "DE AD BE EF" put on the clipboard is inserted by Ctrl+Shift+V at
# the start, saved and checked, and one Ctrl+Z takes it back.
bytes_clipboard_check() {
  if ! command -v xclip >/dev/null 2>&1; then
    verdict bytes-clipboard 0 "xclip is not installed"
    return
  fi
  F="$WORK/bytes-clip.bin"
  bytes "$F" 16
  cp "$F" "$WORK/bytes-clip.orig"
  cp "$F" "$WORK/bytes-clip.expected"
  ins "$WORK/bytes-clip.expected" 0 de ad be ef
  local dialog="" copied="" pasted="" undone=""
  if launch "$F"; then
    keys Right Right ctrl+r Right Right ctrl+r Right Right ctrl+r ctrl+shift+c
    dialog=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Copy bytes as$' 2>/dev/null | head -1)
    sleep 0.3
    keys Return
    sleep 0.5
    copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
    printf 'DE AD BE EF' | timeout 20 xclip -selection clipboard -loops 1 &
    sleep 0.5
    keys Home ctrl+shift+v
    sleep 0.3
    save_now "$F"
    cmp -s "$F" "$WORK/bytes-clip.expected" && pasted=1
    keys ctrl+z
    save_now "$F"
    cmp -s "$F" "$WORK/bytes-clip.orig" && undone=1
    stop_app
  fi
  if [ -n "$dialog" ] && [ "$copied" = "01 02 03" ] && [ -n "$pasted" ] && [ -n "$undone" ]; then
    verdict bytes-clipboard 1
  else
    verdict bytes-clipboard 0 "dialog '${dialog}', copied '${copied}', pasted '${pasted}', undone '${undone}'; $(od -An -tx1 -N8 "$F")"
  fi
}
bytes_clipboard_check

# Checksums over a file above the progress threshold: the SHA-256 the window
# shows (copied with Ctrl+C, as sha256sum prints it) is sha256sum's.
checksums_check() {
  if ! command -v xclip >/dev/null 2>&1; then
    verdict checksums 0 "xclip is not installed"
    return
  fi
  F="$WORK/sums.bin"
  head -c $((80 << 20)) /dev/urandom >"$F"
  local want dialog="" copied=""
  want="$(sha256sum "$F" | cut -d' ' -f1)  sums.bin"
  printf 'stale' | timeout 20 xclip -selection clipboard -loops 1 &
  sleep 0.3
  if launch "$F"; then
    keys alt+f k
    dialog=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Checksums$' 2>/dev/null | head -1)
    sleep 0.3
    keys Return
    for _ in $(seq 20); do
      sleep 0.5
      keys ctrl+c
      sleep 0.2
      copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
      case "$copied" in *"$want"*) break ;; esac
    done
    keys Escape
    stop_app
  fi
  case "$copied" in
    *"$want"*) [ -n "$dialog" ] && verdict checksums 1 && return ;;
  esac
  verdict checksums 0 "dialog '${dialog}', copied '${copied}', wanted '${want}'"
}
checksums_check
disk_changes

if grep -q "Ambiguous shortcut" "$WORK/app.log"; then
  echo "FAIL the log reports an ambiguous shortcut:"
  grep "Ambiguous shortcut" "$WORK/app.log" | sort -u | head
  FAILED=$((FAILED + 1))
else
  PASSED=$((PASSED + 1))
  echo "ok   no ambiguous shortcut"
fi
echo "smoke: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
