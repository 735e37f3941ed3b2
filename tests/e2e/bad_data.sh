#!/usr/bin/env bash
# The real program on spoilt data, one fault at a time: every picture missing, cut short, of the
# wrong size, in greyscale and in CMYK; pictures grown, padded or arithmetic-coded; each mesh cut short or pointing past its vertices; the music
# missing, corrupt, cut short or a WAV; data/ read-only; no audio device. A picture or mesh the show
# cannot use ends it at start-up with status 1 and its last line naming the file; everything else
# plays (from 239.9 s, so each run ends by itself at once). Never a crash, a hang or a sanitizer report.
# usage: bad_data.sh SHOW_BINARY REPO_ROOT SPOIL_PICTURE_TOOL
set -u
show=$1
root=$2
spoil=$3
export SDL_AUDIODRIVER=dummy
screen=640x480x24

script_dir=$(dirname "$0")
. "$script_dir/common.sh"

start_xvfb
trap 'stop_xvfb; rm -rf "$work"' EXIT
work=$(mktemp -d /tmp/ninescenes-bad-data-XXXXXX)
runs=0

# A fresh copy of the data set in $work/run, spoilt by the command given.
prepare() {
  rm -rf "$work/run"
  mkdir -p "$work/run"
  cp -r "$root/data" "$work/run/data"
  ( cd "$work/run/data" && eval "$1" ) || fail "cannot prepare: $1"
}

# Runs the show from the end of the show, stopped after a minute if it hangs.
run_show() {
  ( cd "$work/run" && timeout -s KILL 60 "$show" --start 239.9 "$@" 2>stderr.txt; echo $? > status.txt )
  runs=$((runs + 1))
  if grep -qE "Sanitizer|runtime error" "$work/run/stderr.txt"; then
    fail "$what: a sanitizer report: $(cat "$work/run/stderr.txt")"
  fi
}

# $1 is "plays", "refused" or "either"; $2 the file a refusal must name.
expect() {
  local status last
  status=$(cat "$work/run/status.txt")
  last=$(tail -n 1 "$work/run/stderr.txt")
  case "$status" in
  0) [ "$1" != refused ] || fail "$what: played, expected a refusal naming $2" ;;
  1) [ "$1" != plays ] || fail "$what: status 1, expected it to play: $(cat "$work/run/stderr.txt")"
     [[ "$last" == *"$2"* ]] || fail "$what: the last line does not name $2: $last" ;;
  *) fail "$what: status $status (a crash, or killed after a minute): $(cat "$work/run/stderr.txt")" ;;
  esac
}

case_of() {
  what=$1
  prepare "$2"
  shift 2
  run_show
  expect "$@"
}

for picture in "$root"/data/*.jpg; do
  name=$(basename "$picture")
  case_of "$name missing" "rm $name" refused "data/$name"
  case_of "$name cut short" "head -c \$((\$(stat -c %s $name) / 2)) $name > cut && mv cut $name" plays "data/$name"
  case_of "$name resized" "$spoil resized $name $name" either "data/$name"
  case_of "$name in greyscale" "$spoil greyscale $name $name" plays "data/$name"
  case_of "$name in CMYK" "$spoil cmyk $name $name" refused "data/$name"
done

# A picture may grow to four times its pixels in the picture table, a backdrop not at all; a
# file larger than its pixels uncompressed, or arithmetic-coded, is refused before it is decoded.
case_of "mag.jpg at twice its sides" "$spoil doubled mag.jpg mag.jpg" plays data/mag.jpg
case_of "mag.jpg a column over that" "$spoil over mag.jpg mag.jpg" refused data/mag.jpg
case_of "border.jpg at twice its sides" "$spoil doubled border.jpg border.jpg" refused data/border.jpg
case_of "mag.jpg padded" "head -c 1000000 /dev/zero >> mag.jpg" refused data/mag.jpg
case_of "mag.jpg arithmetic-coded" "$spoil arithmetic mag.jpg mag.jpg" refused data/mag.jpg

for mesh in "$root"/data/*.smf; do
  name=$(basename "$mesh")
  case_of "$name missing" "rm $name" refused "data/$name"
  case_of "$name cut short" "head -c 100 $name > cut && mv cut $name" refused "data/$name"
  # The first face's first index, set to 65535.
  case_of "$name pointing past its vertices" "printf '\\xff\\xff' | dd of=$name bs=1 seek=4 conv=notrunc 2>/dev/null" \
    refused "data/$name"
done

case_of "music missing" "rm dot.mp3" plays dot.mp3
case_of "music corrupt" "head -c 300000 /dev/urandom > dot.mp3" plays dot.mp3
case_of "music cut short" "head -c 100000 dot.mp3 > cut && mv cut dot.mp3" plays dot.mp3
case_of "music a WAV" "ffmpeg -v error -y -f lavfi -i sine=d=2 -f wav dot.mp3" plays dot.mp3
case_of "data read-only" "chmod -R a-w ." plays data
chmod -R u+w "$work/run"

what="no audio device"
prepare ":"
SDL_AUDIODRIVER=none run_show
expect plays audio
grep -q "runs silent" "$work/run/stderr.txt" || fail "$what: no line says the show runs silent"

echo "$runs runs on spoilt data, each with the outcome expected"
