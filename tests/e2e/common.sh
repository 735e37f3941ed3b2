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
    for i in $(seq 1 100); do [ -s "$number_file" ] || ! kill -0 $xvfb_pid 2>/dev/null && break; sleep 0.1; done
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
  sleep 0.5
}

# Runs the show in directory $1, doing $2 once a second while it runs (a key sent before the
# window has grabbed the keyboard is lost, so it is sent again), with the options that follow;
# leaves status.txt and stderr.txt.
run_under_xvfb() {
  local dir=$1 poke=$2
  shift 2
  ( cd "$dir" || exit 1
    "$show" "$@" 2>stderr.txt & pid=$!
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

