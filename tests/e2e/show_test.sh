#!/usr/bin/env bash
# The real program end to end: run under Xvfb with SDL's dummy audio, driven by xdotool.
# usage: show_test.sh CASE SHOW_BINARY REPO_ROOT
set -u
case_name=$1
show=$2
root=$3
export SDL_AUDIODRIVER=dummy

script_dir=$(dirname "$0")
. "$script_dir/common.sh"

# The run in directory $1 ended with status 1 and one line on standard error, naming $2.
expect_one_line_failure() {
  [ "$(cat "$1/status.txt")" = 1 ] || fail "status $(cat "$1/status.txt")"
  grep -q "$2" "$1/stderr.txt" || fail "no message naming $2: $(cat "$1/stderr.txt")"
  [ "$(wc -l < "$1/stderr.txt")" -eq 1 ] || fail "more than one line: $(cat "$1/stderr.txt")"
}

# The visible windows (the root window among them) as large as the whole screen.
screen_sized_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name ''); do
    xdotool getwindowgeometry "$w" | grep -q "Geometry: ${screen%x*}\$" && echo "$w"
  done
}

# Once the show's window is on the screen (run_under_xvfb waits for it), counts the screen-sized
# windows as soon as there are at least $1 (within ten seconds), then ends the show.
count_screen_sized_windows() {
  local count i
  [ -e "$dir/windows.txt" ] && { xdotool key Escape; return; }
  for i in $(seq 1 50); do
    count=$(screen_sized_windows | wc -l)
    [ "$count" -ge "$1" ] && break
    sleep 0.2
  done
  echo "$count" > "$dir/windows.txt"
  xdotool key Escape
}

status_is() {
  local status
  status=$(cat "$dir/status.txt")
  [ "$status" = "$1" ] || fail "status $status on $DISPLAY, stderr: $(cat "$dir/stderr.txt")"
}

screen=640x480x24
# On a larger screen the full-screen mode covers all of it, and a window does not.
[ "$case_name" = window ] && screen=1024x768x24
start_xvfb
trap stop_xvfb EXIT

case $case_name in
space_fast_forwards_to_the_end)
  dir=$(scratch_with_data)
  run_under_xvfb "$dir" "xdotool keydown space 2>/dev/null"
  status_is 0
  ;;
escape_quits)
  dir=$(scratch_with_data)
  run_under_xvfb "$dir" "xdotool key Escape 2>/dev/null"
  status_is 0
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
  status_is 1
  grep -q "Unable to open" "$dir/stderr.txt" || fail "no message: $(cat "$dir/stderr.txt")"
  ;;
help)
  dir=$(mktemp -d /tmp/ninescenes-e2e-XXXXXX)
  ( cd "$dir" && "$show" --help > stdout.txt 2> stderr.txt; echo $? > status.txt )
  status_is 0
  grep -q "usage: ninescenes .*--window.*--start SECONDS" "$dir/stdout.txt" || fail "no usage: $(cat "$dir/stdout.txt")"
  [ ! -s "$dir/stderr.txt" ] || fail "stderr: $(cat "$dir/stderr.txt")"
  ;;
unknown_option)
  dir=$(mktemp -d /tmp/ninescenes-e2e-XXXXXX)
  for options in "--fullscreen" "--start" "--start soon" "--start 241" "--window extra"; do
    # shellcheck disable=SC2086
    ( cd "$dir" && "$show" $options 2> stderr.txt; echo $? > status.txt )
    status_is 1
    grep -q "usage: ninescenes" "$dir/stderr.txt" || fail "$options: no usage: $(cat "$dir/stderr.txt")"
    [ "$(wc -l < "$dir/stderr.txt")" -eq 1 ] || fail "$options: more than one line: $(cat "$dir/stderr.txt")"
  done
  ;;
window)
  dir=$(scratch_with_data)
  # Full screen adds a window as large as the screen (a window manager, where there is one, adds
  # its own frame windows to both counts); a window does not.
  run_under_xvfb "$dir" "count_screen_sized_windows 0" --window
  status_is 0
  windowed=$(cat "$dir/windows.txt")
  rm "$dir/windows.txt"
  run_under_xvfb "$dir" "count_screen_sized_windows $((windowed + 1))"
  status_is 0
  full=$(cat "$dir/windows.txt")
  [ "$full" -gt "$windowed" ] || fail "$full screen-sized windows full screen, $windowed with --window"
  ;;
start)
  # Music silent but for its last two seconds: begun at 239 s, the show plays them at once and
  # ends by itself a second later; SDL's disk driver keeps what the device played.
  dir=$(scratch_with_data)
  tail_tone='if(gt(t\,238)\,0.5*sin(2*PI*440*t)\,0)'
  ffmpeg -y -v error -f lavfi -i "aevalsrc=$tail_tone|$tail_tone:s=44100:d=241" -c:a libmp3lame -b:a 64k \
    "$dir/data/dot.mp3" || fail "cannot make the music"
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/played.raw" run_under_xvfb "$dir" : --start 239
  status_is 0
  [ -s "$dir/played.raw" ] || fail "nothing was played"
  [ "$(tr -d '\000' < "$dir/played.raw" | wc -c)" -gt 1000 ] || fail "the music was not sought to 239 s"
  ;;
no_audio_device)
  # The machine's own audio set-up, which on a machine without a sound card makes the sound
  # libraries complain on standard error: the show says it in one line and plays silently.
  dir=$(scratch_with_data)
  ( unset SDL_AUDIODRIVER; run_under_xvfb "$dir" : --start 239.5 )
  status_is 0
  [ "$(wc -l < "$dir/stderr.txt")" -le 1 ] || fail "more than one line: $(cat "$dir/stderr.txt")"
  [ ! -s "$dir/stderr.txt" ] || grep -q "runs silent" "$dir/stderr.txt" || fail "stderr: $(cat "$dir/stderr.txt")"
  ;;
music_not_a_file)
  # A FIFO in place of the music (and of the decoder's log) would block a reader forever: the show
  # plays silently and ends by itself.
  dir=$(scratch_with_data)
  rm "$dir/data/dot.mp3"
  mkfifo "$dir/data/dot.mp3" "$dir/jpeg.err"
  run_under_xvfb "$dir" : --start 239.5
  status_is 0
  ;;
another_directory)
  # No data/ here: the show finds the one its build generated.
  dir=$(mktemp -d /tmp/ninescenes-e2e-XXXXXX)
  run_under_xvfb "$dir" "xdotool key Escape 2>/dev/null"
  status_is 0
  [ ! -s "$dir/stderr.txt" ] || fail "stderr: $(cat "$dir/stderr.txt")"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
rm -rf "$dir"
echo "PASS: $case_name"
