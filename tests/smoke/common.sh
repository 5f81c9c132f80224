# What both real-window smoke tests share: test files made and edited byte
# by byte, and the counting of checks in PASSED and FAILED. Sourced.

# Bytes as a file: bytes FILE N [pattern]; pattern "seq" is 0,1,2,...,255,0,...
bytes() {
  perl -e 'my ($n, $p) = @ARGV; binmode STDOUT;
           print $p eq "seq" ? join("", map { chr($_ % 256) } 0 .. $n - 1) : chr(hex $p) x $n' "$2" "${3:-seq}" >"$1"
}

# In-place edits of an expected file: put FILE OFFSET HEX..., ins FILE OFFSET
# HEX..., del FILE OFFSET COUNT.
put() { perl -e 'my ($f, $o, @h) = @ARGV; open my $F, "+<", $f or die; binmode $F; seek $F, $o, 0;
                 print $F join("", map { chr hex } @h)' "$@"; }
ins() { perl -e 'my ($f, $o, @h) = @ARGV; local $/; open my $F, "<", $f or die; binmode $F; my $d = <$F>;
                 substr($d, $o, 0) = join("", map { chr hex } @h); open $F, ">", $f; binmode $F; print $F $d' "$@"; }
del() { perl -e 'my ($f, $o, $n) = @ARGV; local $/; open my $F, "<", $f or die; binmode $F; my $d = <$F>;
                 substr($d, $o, $n) = ""; open $F, ">", $f; binmode $F; print $F $d' "$@"; }

PASSED=0
FAILED=0

# verdict NAME PASSED [DETAIL]: counts a check (PASSED is 1 or 0); DETAIL
# follows the name in the line it prints.
verdict() {
  if [ "$2" = 1 ]; then
    PASSED=$((PASSED + 1))
    echo "ok   $1${3:+ $3}"
  else
    FAILED=$((FAILED + 1))
    echo "FAIL $1: $3"
  fi
}

# saved_verdict NAME DETAIL: the saved file $F against the expected bytes $E;
# on a difference, DETAIL and the first differing bytes.
saved_verdict() {
  if cmp -s "$F" "$E"; then
    verdict "$1" 1
  else
    verdict "$1" 0 "$2"
    cmp -l "$F" "$E" 2>&1 | head -5 | sed 's/^/     /'
  fi
}

# scenario NAME SETUP KEYS...: SETUP writes $F (the file loaded) and $E (the
# expected bytes after the keys and a save); the caller's play_and_save
# sends the keys to the window launch opened and saves.
scenario() {
  local name=$1 setup=$2
  shift 2
  F="$WORK/$name.bin"
  E="$WORK/$name.expected"
  "$setup"
  if launch "$F"; then
    play_and_save "$@"
    stop_app
  fi
  saved_verdict "$name" "keys $*"
}

# Ends the program started by launch.
stop_app() {
  kill "$APP_PID" 2>/dev/null
  wait "$APP_PID" 2>/dev/null
  APP_PID=""
}
