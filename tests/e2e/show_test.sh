#!/usr/bin/env bash
# The real program end to end: run under Xvfb with SDL's dummy audio, driven by xdotool.
# usage: show_test.sh CASE SHOW_BINARY REPO_ROOT
set -u
case_name=$1
show=$2
root=$3
export SDL_AUDIODRIVER=dummy

fail() { echo "FAIL: $*"; exit 1; }

# A private X server on a display number it picks itself (-displayfd). It must not reset when its
# last client leaves, or the next program to connect may meet it mid-reset. Two servers starting
# at the same moment can still collide on a number, so a server that does not answer is tried again.
start_xvfb() {
  local number_file attempt
  for attempt in 1 2 3 4 5; do
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
    xvfb_pid=$!
    for i in $(seq 1 100); do [ -s "$number_file" ] || ! kill -0 $xvfb_pid 2>/dev/null && break; sleep 0.1; done
    export DISPLAY=:$(head -n 1 "$number_file")
    rm -f "$number_file"
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    kill $xvfb_pid 2>/dev/null
    sleep 0.$RANDOM
  done
  fail "no X server could be started"
}
stop_xvfb() { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }

# Runs the show in directory $1, doing $2 once a second while it runs (a key sent before the
# window has grabbed the keyboard is lost, so it is sent again); leaves status.txt and stderr.txt.
run_under_xvfb() {
  local dir=$1 poke=$2
  ( cd "$dir" || exit 1
    "$show" 2>stderr.txt & pid=$!
    for i in $(seq 1 60); do
      kill -0 $pid 2>/dev/null || break
      sleep 1
      eval "$poke"
    done
    if kill -0 $pid 2>/dev/null; then kill -9 $pid; echo timeout > status.txt; exit 0; fi
    wait $pid; echo $? > status.txt )
}

# A scratch copy of the data set, for the cases that spoil a picture.
scratch_with_data() {
  local dir
  dir=$(mktemp -d /tmp/ninescenes-e2e-XXXXXX)
  cp -r "$root/data" "$dir/data"
  echo "$dir"
}

# The run in directory $1 ended with status 1 and one line on standard error, naming $2.
expect_one_line_failure() {
  [ "$(cat "$1/status.txt")" = 1 ] || fail "status $(cat "$1/status.txt")"
  grep -q "$2" "$1/stderr.txt" || fail "no message naming $2: $(cat "$1/stderr.txt")"
  [ "$(wc -l < "$1/stderr.txt")" -eq 1 ] || fail "more than one line: $(cat "$1/stderr.txt")"
}

start_xvfb
trap stop_xvfb EXIT

case $case_name in
space_fast_forwards_to_the_end)
  dir=$(scratch_with_data)
  run_under_xvfb "$dir" "xdotool keydown space 2>/dev/null"
  [ "$(cat "$dir/status.txt")" = 0 ] || fail "status $(cat "$dir/status.txt") on $DISPLAY, stderr: $(cat "$dir/stderr.txt")"
  ;;
escape_quits)
  dir=$(scratch_with_data)
  run_under_xvfb "$dir" "xdotool key Escape 2>/dev/null"
  [ "$(cat "$dir/status.txt")" = 0 ] || fail "status $(cat "$dir/status.txt") on $DISPLAY, stderr: $(cat "$dir/stderr.txt")"
  ;;
missing_picture)
  dir=$(scratch_with_data)
  rm "$dir/data/mag.jpg"
  run_under_xvfb "$dir" ":"
  expect_one_line_failure "$dir" data/mag.jpg
  [ ! -e "$dir/jpeg.err" ] || fail "jpeg.err was written"
  ;;
missing_mesh)
  dir=$(scratch_with_data)
  rm "$dir/data/obu2.smf"
  run_under_xvfb "$dir" ":"
  expect_one_line_failure "$dir" data/obu2.smf
  ;;
picture_not_a_jpeg)
  dir=$(scratch_with_data)
  echo "not a picture" > "$dir/data/wobl.jpg"
  for run in 1 2; do
    run_under_xvfb "$dir" ":"
    [ "$(cat "$dir/status.txt")" = 1 ] || fail "run $run: status $(cat "$dir/status.txt")"
    grep -qi "jpeg" "$dir/stderr.txt" || fail "run $run: no decoder message: $(cat "$dir/stderr.txt")"
    [ "$(wc -l < "$dir/jpeg.err")" -eq $run ] || fail "run $run: jpeg.err has $(wc -l < "$dir/jpeg.err") lines"
  done
  ;;
no_display)
  dir=$(scratch_with_data)
  ( cd "$dir" && env -u DISPLAY "$show" 2>stderr.txt; echo $? > status.txt )
  [ "$(cat "$dir/status.txt")" = 1 ] || fail "status $(cat "$dir/status.txt")"
  grep -q "Unable to open" "$dir/stderr.txt" || fail "no message: $(cat "$dir/stderr.txt")"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
rm -rf "$dir"
echo "PASS: $case_name"
