#!/usr/bin/env bash
# The show installed as a user installs it, then run from there: a staged install (DESTDIR), or the
# Debian package, made as make package makes it, checked by lintian and unpacked into a folder.
# usage: install_test.sh staged|package BUILD_DIR VERSION
set -u
case_name=$1
build=$2
version=$3
export SDL_AUDIODRIVER=dummy

script_dir=$(dirname "$0")
. "$script_dir/common.sh"

# What an installed tree holds, below its prefix; the programs' directory is given apart.
installed_files="share/ninescenes/data/dot.mp3 share/ninescenes/data/obu1.smf share/ninescenes/data/tunnel.jpg
  share/applications/ninescenes.desktop share/doc/ninescenes/copyright share/doc/ninescenes/changelog.gz
  share/man/man6/ninescenes.6.gz share/man/man1/ninescenes-capture.1.gz
  share/icons/hicolor/48x48/apps/ninescenes.png share/icons/hicolor/256x256/apps/ninescenes.png"

# The tree below prefix $1, its programs in $1/$2: every file there, both programs telling the
# version, the show run from an empty directory to its end, the capture tool writing a frame, the
# desktop entry valid and the manual pages rendered without a warning.
check_installed_tree() {
  local prefix=$1 programs=$1/$2 file page empty
  for file in $installed_files; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
  done
  for file in ninescenes ninescenes-capture; do
    [ "$("$programs/$file" --version)" = "$file $version" ] || fail "$file --version: $("$programs/$file" --version)"
  done
  empty=$(mktemp -d /tmp/ninescenes-installed-XXXXXX)
  show=$programs/ninescenes
  run_under_xvfb "$empty" : --window --start 239.5
  [ "$(cat "$empty/status.txt")" = 0 ] || fail "the installed show: status $(cat "$empty/status.txt"), $(cat "$empty/stderr.txt")"
  ( cd "$empty" && "$programs/ninescenes-capture" --png frames --at 0.5 2>capture.txt ) ||
    fail "the installed capture tool: $(cat "$empty/capture.txt")"
  [ -s "$empty/frames/000500.png" ] || fail "the installed capture tool wrote no frame"
  desktop-file-validate "$prefix/share/applications/ninescenes.desktop" || fail "the desktop entry is not valid"
  grep -qx "Exec=ninescenes --desktop" "$prefix/share/applications/ninescenes.desktop" || fail "the desktop entry's command"
  for page in "$prefix"/share/man/man*/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
  done
  rm -rf "$empty"
}

screen=640x480x24
start_xvfb
work=$(mktemp -d /tmp/ninescenes-install-XXXXXX)
trap 'stop_xvfb; rm -rf "$work"' EXIT
case $case_name in
staged)
  # Everything is of one component: installed by its name, the build's own install_manifest.txt
  # (what a user's cmake --install put in place) is left as it was.
  DESTDIR=$work/stage cmake --install "$build" --prefix /opt/ninescenes --component Unspecified >/dev/null ||
    fail "cmake --install failed"
  check_installed_tree "$work/stage/opt/ninescenes" bin
  ;;
package)
  # What make package runs, into a folder of its own; the package at its Debian name.
  cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.txt" 2>&1 || fail "cpack: $(cat "$work/cpack.txt")"
  deb=$work/ninescenes_${version}_$(dpkg --print-architecture).deb
  [ -s "$deb" ] || fail "no $deb: $(ls "$work")"
  contents=$(dpkg-deb --contents "$deb")
  for file in games/ninescenes games/ninescenes-capture $installed_files; do
    grep -q " \./usr/$file\$" <<<"$contents" || fail "the package lacks /usr/$file"
  done
  control=$(dpkg-deb --field "$deb")
  grep -qx "Section: games" <<<"$control" || fail "not in section games: $control"
  grep -qx "Recommends: ffmpeg" <<<"$control" || fail "ffmpeg not recommended: $control"
  grep -q "^Depends: .*libsdl1.2debian" <<<"$control" || fail "the libraries the programs use are not depended on: $control"
  lintian --fail-on error "$deb" > "$work/lintian.txt" 2>&1 || fail "lintian: $(grep -v '^running with root' "$work/lintian.txt")"
  dpkg-deb -x "$deb" "$work/unpacked"
  check_installed_tree "$work/unpacked/usr" games
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
