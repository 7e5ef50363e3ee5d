# shellcheck shell=bash
# What the live window tests share, sourced by scripts/live-test.sh and
# scripts/live-document-test.sh: an X server of their own, polling waits that fail with a message,
# and each Windows build's program run under the Wine loader of its width in the build's prefix.
# The sourcing script sets `label` (the first words of every line it prints) before live_start.

# fail MESSAGE: the test ends here, its files kept for a look.
fail() {
  failed=1
  echo "${label:?} ($host): FAILED: $*" >&2
  exit 1
}

# missing WHAT: something the machine lacks fails the run, saying what to install.
missing() {
  echo "$label FAILED: $*" >&2
  exit 1
}

# wait_for SECONDS WHAT COMMAND...: polls COMMAND until it succeeds.
wait_for() {
  local limit=$1 what=$2
  shift 2
  local until=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$until" ] || fail "timed out after ${limit}s waiting for $what"
    sleep 0.05
  done
}

stop_wine() {
  if [ -n "${wine:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
    "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  fi
}

cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_wine
  if [ "${failed:-0}" = 0 ]; then rm -rf "$work"; else echo "$label: files kept in $work"; fi
}

# live_start TOOL...: checks for the X server and the tools, then starts the server on a free
# display (Xvfb writes its number once it accepts clients) in a scratch folder, $work. Without
# an X server binary the test skips: exit status 77, saying why.
live_start() {
  if ! command -v Xvfb >/dev/null; then
    echo "$label skipped: no X server binary, Xvfb not found (Debian: xvfb)"
    exit 77
  fi
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null ||
      missing "$tool not found (Debian: xdotool, x11-apps, x11-utils, imagemagick)"
  done
  work=$(mktemp -d)
  pids=()
  skipped=""
  trap cleanup EXIT
  host=Xvfb
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  wait_for 20 "the X server to start" test -s "$work/display"
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
}

# use_windows_build EXE: sets `name` (windows or windows-i686) and `wine`, the loader for the
# program's width as its PE header's machine field says, and points Wine at the prefix in the
# program's build folder (EXE's folder's parent). Returns 1, having said why and set `skipped`,
# for a 32-bit program on a kernel that does not run 32-bit programs; a missing loader fails.
use_windows_build() {
  local exe=$1 pe package status reason
  pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  case $(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ') in
    8664) name=windows wine=${WINE64:-/usr/lib/wine/wine64} package=wine64 ;;
    014c)
      name=windows-i686 wine=${WINE32:-/usr/lib/wine/wine} package=wine32:i386
      status=0
      reason=$(scripts/probe-32bit.sh) || status=$?
      if [ "$status" = 1 ]; then
        echo "$label ($name) skipped: $reason"
        # shellcheck disable=SC2034 # read by the sourcing script
        skipped=1
        return 1
      fi
      [ "$status" = 0 ] || missing "$reason"
      ;;
    *) missing "$exe is not an x86_64 or i386 program" ;;
  esac
  [ -x "$wine" ] || missing "$wine not found (Debian: $package)"
  WINEPREFIX=$(realpath -m "$(dirname "$exe")/../wineprefix")
  export WINEDEBUG=-all WINEPREFIX WINEDLLOVERRIDES="mscoree=d;mshtml=d"
}

# matches STEP W H WHAT SHOT...: runs SHOT, which writes $work/screen.png, until that shows exactly
# $work/expected.png (W x H pixels of WHAT); the window system draws asynchronously, so the screen
# is read again until it matches or time is up. Counts the screenshot and its pixels.
matches() {
  local step=$1 width=$2 height=$3 what=$4 until=$((SECONDS + 10)) differ
  shift 4
  while true; do
    "$@"
    differ=$(compare -metric AE "$work/screen.png" "$work/expected.png" null: 2>&1 || true)
    [ "$differ" = 0 ] && break
    if [ "$SECONDS" -ge "$until" ]; then
      cp "$work/screen.png" "$work/$host-$step-screen.png"
      cp "$work/expected.png" "$work/$host-$step-expected.png"
      fail "$step: $differ of ${width}x${height} pixels of $what differ from the portable rendering"
    fi
    sleep 0.05
  done
  screens=$((screens + 1))
  pixels=$((pixels + width * height))
}
