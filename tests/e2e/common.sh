# What the end-to-end scripts share: a private X server and ways to run the show under it. Sourced
# with $show (the program) and $root (the repository, for its data/) set.

fail() { echo "FAIL: $*"; exit 1; }

# A private X server on a display number it picks itself (-displayfd). It must not reset when its
# last client leaves, or the next program to connect may meet it mid-reset. Two servers starting
# at the same moment can still collide on a number, so a server that does not answer is tried again.
start_xvfb() {
  local number_file attempt
  for attempt in 1 2 3 4 5; do
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$number_file" 2>/dev/null &
    xvfb_pid=$!
    for i in $(seq 1 300); do [ -s "$number_file" ] || ! kill -0 $xvfb_pid 2>/dev/null && break; sleep 0.1; done
    export DISPLAY=:$(head -n 1 "$number_file")
    rm -f "$number_file"
    if xdotool getdisplaygeometry >/dev/null 2>&1; then
      start_window_manager
      return 0
    fi
    kill $xvfb_pid 2>/dev/null
    sleep 0.$RANDOM
  done
  fail "no X server could be started"
}
stop_xvfb() {
  [ -n "${manager_pid:-}" ] && kill "$manager_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
}

# SDL 1.2 fills the screen by itself; SDL 2 (under sdl12-compat) asks a window manager to, so
# scripts/check-sdl12-compat names one in NINESCENES_E2E_WINDOW_MANAGER.
start_window_manager() {
  [ -n "${NINESCENES_E2E_WINDOW_MANAGER:-}" ] || return 0
  $NINESCENES_E2E_WINDOW_MANAGER >/dev/null 2>&1 &
  manager_pid=$!
  local i
  for i in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
}

# Runs the show in directory $1 with the options after $2; once its window is on the screen, does $2
# (a key, or a look at the screen), and again every second while the show runs, since a key sent
# before the window has the keyboard is lost. Only a hang meets the limit. Leaves status.txt and
# stderr.txt.
run_limit=180
run_under_xvfb() {
  local dir=$1 poke=$2
  shift 2
  ( cd "$dir" || exit 1
    "$show" "$@" 2>stderr.txt & pid=$!
    started=$SECONDS
    poked=-1
    while kill -0 $pid 2>/dev/null; do
      if [ $((SECONDS - started)) -ge $run_limit ]; then kill -9 $pid; echo timeout > status.txt; exit 0; fi
      if [ $SECONDS -ne $poked ] && xdotool search --onlyvisible --name "sdl window" >/dev/null 2>&1; then
        eval "$poke"
        poked=$SECONDS
      fi
      sleep 0.1
    done
    wait $pid; echo $? > status.txt )
}

# A scratch copy of the data set, for the cases that spoil a picture.
scratch_with_data() {
  local dir
  dir=$(mktemp -d /tmp/ninescenes-e2e-XXXXXX)
  cp -r "$root/data" "$dir/data"
  echo "$dir"
}

