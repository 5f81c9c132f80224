#!/usr/bin/env bash
# The real program as a Wayland client of a headless compositor (sway),
# driven by a virtual keyboard (wtype) and looked at by screenshots (grim).
# Each key case loads a file, sends keys, saves with Ctrl+S and compares the
# saved bytes with the expected ones; the other checks look at what only the
# compositor knows: the app id, the window's size, where a question stands.
#
# sway refuses to run as root: as root, the compositor and the program run
# as nobody, in a folder of their own under the build folder.
#
#   wayland_smoke.sh BINARY
# With BQ_WAYLAND_SCREENSHOTS=DIR the screenshots are kept there as PNG.
set -uo pipefail

BIN=$(readlink -f "$1")
SRC=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/smoke/common.sh
source "$(dirname "$0")/common.sh"
SKIPPED=77
for tool in sway wtype; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skip wayland smoke: $tool is not installed, so no compositor can start here"
    exit "$SKIPPED"
  fi
done

AS=()
if [ "$(id -u)" -eq 0 ]; then
  AS=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
fi
# A folder the user can reach: under the build folder where it can, else
# in /tmp (a build folder under root's home is closed to nobody, and the
# compositor's sockets need a short path).
reachable() { "${AS[@]}" test -x "$1"; }
WORK="$(dirname "$BIN")/wayland-smoke"
rm -rf "$WORK" && mkdir -p "$WORK"
if ! reachable "$WORK" || [ ${#WORK} -gt 64 ]; then
  rm -rf "$WORK"
  WORK=$(mktemp -d /tmp/bq-wayland.XXXXXX)
  chmod 755 "$WORK"
fi
if ! reachable "$BIN"; then
  cp "$BIN" "$WORK/brisquentalovard"
  BIN="$WORK/brisquentalovard"
fi
mkdir -p "$WORK/runtime" "$WORK/config" "$WORK/home"
chmod 700 "$WORK/runtime"
[ ${#AS[@]} -gt 0 ] && chown -R nobody: "$WORK"
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x1024\n' >"$WORK/sway.conf"

SWAY_PID=""
APP_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$SWAY_PID" ] && kill "$SWAY_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

UENV=(HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" PATH="$PATH"
      LANG=C.UTF-8 LC_ALL=C.UTF-8)
# (Started in the background without the function, so that $! is the
# command's own process: setpriv and env become the command.)
as_user() { "${AS[@]}" env -i "${UENV[@]}" "$@"; }

start_sway() {
  "${AS[@]}" env -i "${UENV[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
  SWAY_PID=$!
  local socket="" ipc=""
  for _ in $(seq 100); do
    socket=$(cd "$WORK/runtime" && ls wayland-[0-9] 2>/dev/null | head -1)
    ipc=$(ls "$WORK"/runtime/sway-ipc.*.sock 2>/dev/null | head -1)
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    kill -0 "$SWAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$socket" ] || [ -z "$ipc" ]; then
    echo "FAIL the compositor did not start:"
    sed 's/^/     /' "$WORK/sway.log" | tail -15
    echo "wayland: 0 passed, 1 failed"
    exit 1
  fi
  UENV+=(WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc" QT_QPA_PLATFORM=wayland)
}

# The program's windows, one a line: con id, focused (1/0), the content's
# x y width height on the screen, app id, title.
views() {
  as_user swaymsg -t get_tree 2>/dev/null | python3 -c '
import json, sys
def walk(node):
    for c in node.get("nodes", []) + node.get("floating_nodes", []):
        if c.get("pid") == int(sys.argv[1]):
            r, w = c["rect"], c["window_rect"]
            print(c["id"], int(c["focused"]), r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"],
                  c.get("app_id"), c.get("name"), sep="\t")
        walk(c)
walk(json.load(sys.stdin))' "$APP_PID"
}

# Waits until a window whose title matches the pattern has the focus, and
# prints its line.
wait_view() {
  local line
  for _ in $(seq 60); do
    line=$(views | awk -F'\t' -v re="$1" '$2 == 1 && $8 ~ re' | head -1)
    [ -n "$line" ] && echo "$line" && return 0
    sleep 0.1
  done
  return 1
}
MAIN='^Brisquentalovard \\['

# keys KEY...: one wtype call, with names as xdotool has them (ctrl+shift+z).
# The call starts with a pause: the first key of a new virtual keyboard is
# lost while Qt takes its keymap.
keys() {
  local args=(-s 300) k m parts
  for k in "$@"; do
    IFS=+ read -ra parts <<<"$k"
    for m in "${parts[@]:0:${#parts[@]}-1}"; do args+=(-M "$m"); done
    args+=(-k "${parts[-1]}")
    for m in "${parts[@]:0:${#parts[@]}-1}"; do args+=(-m "$m"); done
    args+=(-s 40)
  done
  as_user wtype "${args[@]}"
}

# drive TOKEN...: keys, sent together up to a token "wait:TITLE", which
# waits until the window of that title (a pattern) has the focus, or "main",
# which waits for the main window.
drive() {
  local batch=() t
  for t in "$@"; do
    case $t in
      wait:* | main)
        [ ${#batch[@]} -gt 0 ] && keys "${batch[@]}"
        batch=()
        if [ "$t" = main ]; then t=$MAIN; else t="^${t#wait:}\$"; fi
        wait_view "$t" >/dev/null || { echo "     no window titled $t"; return 1; }
        ;;
      *) batch+=("$t") ;;
    esac
  done
  [ ${#batch[@]} -eq 0 ] || keys "${batch[@]}"
}

# case_file NAME N [pattern]: $F, the file of a check, as bytes makes it.
case_file() {
  F="$WORK/$1.bin"
  bytes "$F" "$2" "${3:-seq}"
}

# Starts the program on FILE (handed to the user first) and waits until its
# window has the file and the focus.
launch() {
  [ ${#AS[@]} -gt 0 ] && chown nobody: "$1"
  "${AS[@]}" env -i "${UENV[@]}" "$BIN" "$1" >>"$WORK/app.log" 2>&1 &
  APP_PID=$!
  WIN=$(wait_view "$MAIN") || { echo "     the window did not appear"; return 1; }
  sleep 0.3
}

# Closes the main window as its close button would.
close_window() { as_user swaymsg "[con_id=$(cut -f1 <<<"$WIN")] kill" >/dev/null; }

QUESTION='wait:(Confirmation|Bestätigung)'
stamp() { stat -c '%i %y %s' "$1"; }

# Saves with Ctrl+S, answering the overwrite question with Yes, and waits
# for the new file.
save_now() {
  local before
  before=$(stamp "$1")
  drive ctrl+s "$QUESTION" y main || return 1
  for _ in $(seq 50); do
    [ "$(stamp "$1")" != "$before" ] && break
    sleep 0.1
  done
}

# The tokens of a scenario (see drive), then Ctrl+S.
play_and_save() { drive "$@" && save_now "$F"; }

# shot NAME [x y w h]: a screenshot of the screen or a part of it, as PPM.
shot() {
  local geometry=()
  [ $# -gt 1 ] && geometry=(-g "$2,$3 ${4}x$5")
  as_user grim -t ppm "${geometry[@]}" "$WORK/runtime/$1.ppm" && cp "$WORK/runtime/$1.ppm" "$WORK/$1.ppm"
  [ -n "${BQ_WAYLAND_SCREENSHOTS:-}" ] && as_user grim "${geometry[@]}" "$WORK/runtime/$1.png" &&
    cp "$WORK/runtime/$1.png" "$BQ_WAYLAND_SCREENSHOTS/"
  return 0
}

# pixels PPM PYTHON-EXPRESSION: evaluates the expression over the image (w,
# h, px(x, y) -> (r, g, b)) and prints its value.
pixels() {
  python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace(): pos += 1
    end = pos
    while not data[end:end + 1].isspace(): end += 1
    fields.append(data[pos:end]); pos = end
w, h = int(fields[1]), int(fields[2])
pixel = data[pos + 1:]
def px(x, y):
    i = 3 * (y * w + x)
    return tuple(pixel[i:i + 3])
print(eval(sys.argv[2]))
PY
}

start_sway

# Arrows, typing in both areas, Tab and Shift+Tab.
s_arrows() { bytes "$F" 256; cp "$F" "$E"; put "$E" 17 ff; put "$E" 1 0e; put "$E" 0 a7; }
scenario arrows s_arrows Down Right Right f f Up Left e Home a 7
# (wtype's keymap has one level a key, so Shift gives no capitals: the
# letters stay lowercase throughout.)
s_tab() { bytes "$F" 64; cp "$F" "$E"; put "$E" 0 61; put "$E" 1 11; put "$E" 2 62; }
scenario tab s_tab Tab a shift+Tab 1 Right Tab b

# Delete, Backspace, Insert and Ctrl+Insert.
s_edit() { bytes "$F" 32; cp "$F" "$E"; del "$E" 3 1; del "$E" 4 1; ins "$E" 0 00; ins "$E" 31 00; }
scenario edit s_edit Right Right Right Right Right Right Delete Right Right Right Right BackSpace Home Insert ctrl+Insert

# Undo twice, redo once.
s_undo() { bytes "$F" 16; cp "$F" "$E"; put "$E" 0 ff; put "$E" 1 e1; }
scenario undo s_undo f f e e ctrl+z ctrl+z ctrl+shift+z

# A byte marked magenta; Ctrl+Down from the start finds it.
s_mark() { bytes "$F" 48 00; cp "$F" "$E"; put "$E" 3 ab; }
scenario mark s_mark Right Right Right Right Right Right ctrl+m Home ctrl+Down a b

# Ctrl+F with case ignored, then F3 for the next one.
s_find() { printf 'xxABxxabxxAB' >"$F"; printf 'xx\xeeBxx\xddbxxAB' >"$E"; }
scenario find s_find ctrl+f wait:Find 4 1 4 2 alt+s Return main e e F3 d d

# Ctrl+T to offset $10.
s_goto() { bytes "$F" 100 00; cp "$F" "$E"; put "$E" 16 ff; }
scenario goto s_goto ctrl+t wait:Goto Delete 1 0 Return main f f

# Ctrl+S asks before overwriting: No offers another name, which Escape
# turns down, and the file stays; Yes writes it.
overwrite_check() {
  case_file overwrite 16
  cp "$F" "$WORK/overwrite.orig"
  local asked="" kept="" saved=""
  if launch "$F"; then
    drive a b ctrl+s "$QUESTION" && asked=1
    drive n "wait:Save as" Escape main && sleep 0.3 && cmp -s "$F" "$WORK/overwrite.orig" && kept=1
    save_now "$F"
    [ "$(od -An -tx1 -N2 "$F" | tr -d ' ')" = ab01 ] && saved=1
    stop_app
  fi
  [ -n "$asked" ] && [ -n "$kept" ] && [ -n "$saved" ]
  verdict overwrite-question $((! $?)) "asked '$asked', No and Escape kept the file '$kept', Yes saved '$saved'"
}
overwrite_check

# Closing with unsaved changes asks: Cancel keeps the window, Yes saves
# (over the file, so that question too) and ends the program.
close_check() {
  case_file close 16
  local stays="" ended=""
  if launch "$F"; then
    drive c d
    close_window
    drive "$QUESTION" Escape main && stays=1
    close_window
    drive "$QUESTION" y "$QUESTION" y
    for _ in $(seq 50); do
      kill -0 "$APP_PID" 2>/dev/null || { ended=1; break; }
      sleep 0.1
    done
    stop_app
  fi
  [ -n "$stays" ] && [ -n "$ended" ] && [ "$(od -An -tx1 -N2 "$F" | tr -d ' ')" = cd01 ]
  verdict close-question $((! $?)) "Cancel kept the window '$stays', Yes ended it '$ended'; $(od -An -tx1 -N4 "$F")"
}
close_check

# The window painted, its status bar not blank; its app id names the
# desktop entry, by which the desktop shows the program's icon.
look_check() {
  case_file look 64
  local colours=0 status=0 appid=""
  if launch "$F"; then
    sleep 0.5
    read -r _ _ x y w h appid _ <<<"$(views | head -1)"
    shot look "$x" "$y" "$w" "$h"
    colours=$(pixels "$WORK/look.ppm" 'len({px(x, y) for x in range(0, w, 2) for y in range(0, h, 2)})')
    # The status bar's first panel: the pixels that differ from its ground.
    status=$(pixels "$WORK/look.ppm" \
      'len([1 for x in range(4, w // 3) for y in range(h - 16, h - 3) if px(x, y) != px(w // 3, h - 2)])')
    stop_app
  fi
  [ "$colours" -ge 8 ] && [ "$status" -ge 20 ]
  verdict painted $((! $?)) "$colours colours in the window, $status pixels of text in the status bar"
  [ "$appid.desktop" = "$(basename "$SRC/packaging/brisquentalovard.desktop")" ] && [ -f "$SRC/packaging/$appid.desktop" ]
  verdict app-id $((! $?)) "app id '$appid'"
}
look_check

# The compositor places the window: the position kept from an X11 session
# stays in the settings untouched, while the stored size still comes back.
placement_check() {
  case_file place 16
  local ini="$WORK/config/Mendrel/Brisquentalovard.ini" h=0
  if launch "$F"; then
    close_window
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
  fi
  if [ -f "$ini" ]; then
    sed -i -e 's/^Left=.*/Left=77/' -e 's/^Top=.*/Top=66/' -e 's/^Height=.*/Height=600/' "$ini"
    if launch "$F"; then
      read -r _ _ _ _ _ h _ <<<"$(views | head -1)"
      close_window
      wait "$APP_PID" 2>/dev/null
      APP_PID=""
    fi
  fi
  grep -qx 'Left=77' "$ini" 2>/dev/null && grep -qx 'Top=66' "$ini" && [ "$h" -ge 570 ] && [ "$h" -le 630 ]
  verdict placement $((! $?)) "height $h of 600; $(grep -E '^(Left|Top|Height)=' "$ini" 2>/dev/null | tr '\n' ' ')"
}
placement_check

# The Replace question for an occurrence that Ctrl+T left in the bottom row
# of the view: the compositor centres the question, so the grid first
# brings the row up into the top quarter, where the question leaves it in
# sight. The occurrence is marked magenta, which shows where it stands.
replace_question_check() {
  case_file replace 3200 2d
  E="$WORK/replace.expected"
  put "$F" 1927 78 79
  cp "$F" "$E"
  del "$E" 1927 1
  put "$E" 1927 71
  local question="not shown" top=""
  if launch "$F"; then
    drive ctrl+t wait:Goto Delete 7 8 7 Return main ctrl+m Right Right ctrl+m Left Left ctrl+e wait:Replace alt+c x y alt+r q Return
    if wait_view '^(Confirmation|Bestätigung)$' >/dev/null; then
      question=shown
      sleep 0.6
      read -r _ _ x y w h _ <<<"$(views | awk -F'\t' -v re="$MAIN" '$8 ~ re' | head -1)"
      shot replace-question
      # The highest magenta pixel of the window, as a fraction of its height.
      top=$(pixels "$WORK/replace-question.ppm" \
        "round(min([(yy - $y) / $h for yy in range($y, $y + $h) for xx in range($x, $x + $w, 2) if px(xx, yy) == (255, 0, 255)] or [9]), 2)")
      drive y main && save_now "$F"
    fi
    stop_app
  fi
  python3 -c "import sys; sys.exit(0 if float('${top:-9}') < 0.4 else 1)" && cmp -s "$F" "$E"
  verdict replace-question $((! $?)) "question $question, occurrence at ${top:-?} of the window's height"
}
replace_question_check

echo "wayland: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
