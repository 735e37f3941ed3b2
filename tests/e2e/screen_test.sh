#!/usr/bin/env bash
# The show's screens under Xvfb, looked at in screenshots: the desktop filled without a mode switch,
# a window that scales the picture when resized, and the 640 × 480 full-screen mode as it was.
# usage: screen_test.sh CASE SHOW_BINARY REPO_ROOT LIT_BOX_BINARY
set -u
case_name=$1
show=$2
root=$3
lit_box=$4
export SDL_AUDIODRIVER=dummy

script_dir=$(dirname "$0")
. "$script_dir/common.sh"

# The part of window $1 (or of the whole screen, for "root") that is not black: WxH+X+Y.
lit_part() {
  local shot
  shot=$(mktemp /tmp/ninescenes-shot-XXXXXX.xwd)
  if [ "$1" = root ]; then xwd -root -silent > "$shot"; else xwd -id "$1" -silent > "$shot"; fi
  ffmpeg -v error -i "$shot" -f image2pipe -c:v ppm - | "$lit_box"
  rm -f "$shot"
}

# Once the show is on the screen: its window's size, then, after resizing the window to $2 if
# given, the lit part of $1 ("root" or "window") as soon as it is $3 (within ten seconds), then ESC.
look_at_screen() {
  local window shown i
  window=$(xdotool search --onlyvisible --name "sdl window" | head -n 1)
  # Sent to the window: the pointer, which the keyboard follows, may no longer be over it.
  [ -e "$dir/lit.txt" ] && { xdotool key --window "$window" Escape; return; }
  xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p' > "$dir/geometry.txt"
  [ -n "$2" ] && xdotool windowsize "$window" $2
  shown=root
  [ "$1" = window ] && shown=$window
  for i in $(seq 1 50); do
    lit_part "$shown" > "$dir/lit.txt"
    [ "$(cat "$dir/lit.txt")" = "$3" ] && break
    sleep 0.2
  done
  xdotool key --window "$window" Escape
}

# The run in $dir ended with status 0, its window was $1 and the lit part $2.
expect_screen() {
  [ "$(cat "$dir/status.txt")" = 0 ] || fail "status $(cat "$dir/status.txt"), stderr: $(cat "$dir/stderr.txt")"
  [ "$(cat "$dir/geometry.txt")" = "$1" ] || fail "the window is $(cat "$dir/geometry.txt"), not $1"
  [ "$(cat "$dir/lit.txt")" = "$2" ] || fail "the lit part is $(cat "$dir/lit.txt"), not $2"
}

# Runs the show with the options after $5 on a screen of $1 (from an empty directory), looks at $2
# ("root" or "window") after resizing the window to $3 if given, and expects the window to have been
# $4 and the lit part $5.
check_screen() {
  local shown=$2 resize=$3 window=$4 lit=$5
  screen=$1x24
  shift 5
  start_xvfb
  trap stop_xvfb EXIT
  # Scene 1, whose starry backdrop lights the picture to its very edges.
  run_under_xvfb "$dir" "look_at_screen $shown '$resize' $lit" "$@" --start 40
  expect_screen "$window" "$lit"
}

dir=$(mktemp -d /tmp/ninescenes-e2e-XXXXXX)
case $case_name in
# 1080 rows at 4:3 are 1440 columns, centred: black columns 0-239 and 1680-1919.
desktop) check_screen 1920x1080 root "" 1920x1080 1440x1080+240+0 --desktop ;;
# Twice the picture fits 1920 x 1080 with room to spare; resized to 800 x 800, the picture is
# 800 x 600 with bands of 100 rows above and below.
window) check_screen 1920x1080 window "800 800" 1280x960 800x600+0+100 --window ;;
# The mode as it always was: on a screen of its size, the picture is all of it.
mode_640x480) check_screen 640x480 root "" 640x480 640x480+0+0 ;;
*) fail "unknown case $case_name" ;;
esac
rm -rf "$dir"
echo "PASS: $case_name"
