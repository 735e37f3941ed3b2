#!/usr/bin/env bash
# A soak of the whole show as a restless viewer would play it: SPACE tapped to fast-forward
# through all of it, B and J toggled at random moments, the window unmapped and mapped again, the
# focus moved to another window and back. The moments come from a fixed seed, so a failure repeats.
# The show must end by itself with status 0 and no sanitizer report.
# usage: soak.sh SHOW_BINARY REPO_ROOT [SEED]
set -u
show=$(realpath "$1")
root=$2
RANDOM=${3:-2026}
export SDL_AUDIODRIVER=dummy
screen=640x480x24
longest_run=300  # seconds of real time; the show itself lasts 240 of show time

script_dir=$(dirname "$0")
. "$script_dir/common.sh"

start_xvfb
work=$(mktemp -d /tmp/ninescenes-soak-XXXXXX)
trap 'kill $other_pid $pid 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT

# Another window to take the focus away to.
xmessage -geometry 200x50+10+10 "elsewhere" 2>/dev/null & other_pid=$!
( cd "$work" && exec "$show" 2>stderr.txt ) & pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "sdl window" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "the show's window never appeared: $(cat "$work/stderr.txt")"
elsewhere=$(timeout 10 xdotool search --sync --onlyvisible --name "xmessage" 2>/dev/null | head -n 1)

# A pause of 50 to 250 ms; a tap of SPACE of 20 to 80 ms, which moves the show on by a few seconds.
hold() { sleep "0.$(printf '%02d' $((RANDOM % 20 + 5)))"; }
tap() { sleep "0.0$((RANDOM % 7 + 2))"; }

actions=0
started=$SECONDS
while kill -0 $pid 2>/dev/null && [ $((SECONDS - started)) -lt $longest_run ]; do
  case $((RANDOM % 10)) in
  [0-1]) xdotool keydown --window "$window" space; tap; xdotool keyup --window "$window" space ;;
  [2-4]) xdotool key --window "$window" b ;;
  [5-7]) xdotool key --window "$window" j ;;
  8) xdotool windowunmap "$window"; hold; xdotool windowmap "$window" ;;
  9) [ -n "$elsewhere" ] && xdotool windowfocus "$elsewhere"; hold; xdotool windowfocus "$window" ;;
  esac 2>/dev/null
  actions=$((actions + 1))
  hold
done

if kill -0 $pid 2>/dev/null; then
  fail "the show had not ended after $longest_run s and $actions actions"
fi
wait $pid
status=$?
grep -qE "Sanitizer|runtime error" "$work/stderr.txt" && fail "a sanitizer report: $(cat "$work/stderr.txt")"
[ "$status" = 0 ] || fail "status $status after $actions actions: $(cat "$work/stderr.txt")"
echo "the show ended by itself after $((SECONDS - started)) s and $actions actions"
