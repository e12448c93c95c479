#!/usr/bin/env bash
# sonaru.exe's window under Wine on the X server of $DISPLAY, played with xdotool: its size, the wheel and
# a drag of the VOL thumb to either end, a mute box, Save and its box, then Alt+Q. Wine keeps winmm levels
# within the process, so what the window did is read from what Save writes to Sonaru.ini.
# Usage: window_test.sh <wine> <sonaru.exe>; exits 77 (skipped) without xdotool or DISPLAY.
set -euo pipefail
wine=$1 program=$2

command -v xdotool >/dev/null && [ -n "${DISPLAY:-}" ] || {
  echo "xdotool or an X server missing: skipped" >&2
  exit 77
}

work=$(mktemp -d)
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "$*" >&2
  [ -f "$work/err" ] && grep -v '^ALSA lib' "$work/err" >&2
  exit 1
}

# Waits up to 20 seconds for a visible window whose title matches $1 and prints its id; fails when the
# program ends first.
await() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 | grep . && return 0
    kill -0 "$program_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  echo "no window \"$1\"" >&2
  return 1
}
await_gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window \"$1\" stayed"
}

# Sonaru.ini goes beside the program: a private copy keeps it here. A Wine process of the same prefix that
# ran without a display leaves for a moment a desktop that shows no window (status 6): then the program
# is started again.
cp "$program" "$work/sonaru.exe"
title='^ VOL +MICRO +WAVE +LINE +CD +MIDI$'
for _ in $(seq 8); do
  "$wine" "$work/sonaru.exe" >/dev/null 2>"$work/err" &
  program_pid=$!
  window=$(await "$title") && break
  kill -0 "$program_pid" 2>/dev/null && fail "no window"
  status=0
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 6 ] || fail "no window; the program ended with status $status"
  sleep 2
done
[ -n "$program_pid" ] || fail "no display for the window"

# The client area, 8730 by 4260 twips, at 96 dpi: Wine draws no frame without a window manager.
geometry=$(xdotool getwindowgeometry --shell "$window")
grep -q $'WIDTH=582\nHEIGHT=284' <<<"$geometry" || fail "client area not 582x284: $geometry"

# Pixels at 96 dpi, 15 twips each: the VOL thumb's column, its centre at either end of the track, the Save
# button and the "Mute all" box.
thumb_x=37 thumb_top=60 thumb_bottom=241 save_x=520 save_y=84 mute_x=12 mute_y=261
move() { xdotool mousemove --window "$window" "$1" "$2"; }

# Saves, closes the box with Enter, and checks the key $1 in Sonaru.ini.
save_and_expect() {
  move "$save_x" "$save_y"
  xdotool click 1
  box=$(await '^Sonaru$') || fail "no message box after Save"
  grep -q "^$1"$'\r'"\$" "$work/Sonaru.ini" || fail "Sonaru.ini lacks \"$1\": $(cat "$work/Sonaru.ini")"
  xdotool windowfocus --sync "$box" key Return
  await_gone '^Sonaru$'
}

# The wheel brings the thumb to the bottom from wherever the mixer had it; then a drag to the top and one
# back to the bottom, each further than the track.
move "$thumb_x" 150
for _ in $(seq 11); do xdotool click 5; done
save_and_expect "WaveVolume= 0"
move "$thumb_x" "$thumb_bottom"
xdotool mousedown 1
move "$thumb_x" 150
move "$thumb_x" 2
xdotool mouseup 1
save_and_expect "WaveVolume= 65535"
move "$thumb_x" "$thumb_top"
xdotool mousedown 1
move "$thumb_x" 200
move "$thumb_x" 283
xdotool mouseup 1
move "$mute_x" "$mute_y"
xdotool click 1
save_and_expect "WaveVolume= 0"
grep -q $'^WaveMute= 1\r$' "$work/Sonaru.ini" || fail "Mute all not saved: $(cat "$work/Sonaru.ini")"

xdotool windowfocus --sync "$window" key alt+q
for _ in $(seq 200); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "Alt+Q did not close the window"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
