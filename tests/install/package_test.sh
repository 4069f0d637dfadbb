#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian packages as a packager would, checks them with lintian and
# dpkg-deb, unpacks them into a scratch root and plays the installed game from
# there as root, whose rights would let it write anywhere.
#   package_test.sh <build dir> <installed_run program> <stage 1 solution file>
set -euo pipefail
build=$(realpath "$1")
driver=$(realpath "$2")
solution=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The packager's identity, as Debian's own tools take it.
export DEBFULLNAME="Veltrim package test" DEBEMAIL="package-test@veltrim.invalid"
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/debs" >"$work/cpack.log") ||
  fail "cpack: $(cat "$work/cpack.log")"
version=$(dpkg-deb -f "$work"/debs/veltrim_*.deb Version)
arch=$(dpkg --print-architecture)
game=$work/debs/veltrim_${version}_$arch.deb
data=$work/debs/veltrim-data_${version}_all.deb
editor=$work/debs/quillon_${version}_$arch.deb
for deb in "$game" "$data" "$editor"; do [ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/debs")"; done
[ "$(ls "$work"/debs/*.deb | wc -l)" = 3 ] || fail "more than three packages: $(ls "$work/debs")"

cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

# lintian: no error and no warning on any of them; an optimised hardened
# build (the default) also leaves out the informational notes on hardening.
report=$(lintian --no-cfg --tag-display-limit 0 -I "$game" "$data" "$editor" 2>&1) || true
if grep -E '^[EW]: ' <<<"$report"; then fail "lintian reports errors or warnings"; fi
hardened=$(cache VELTRIM_HARDEN)$(cache VELTRIM_SANITIZE)$(cache CMAKE_BUILD_TYPE)
if [[ $hardened == ONOFF* && $hardened != *Debug ]] && grep -E '^I: .* hardening-' <<<"$report"; then
  fail "lintian finds the programs not hardened"
fi

# Web addresses only where a packager gave them.
if [ -z "$(cache VELTRIM_HOMEPAGE)" ]; then
  for deb in "$game" "$data" "$editor"; do
    [ -z "$(dpkg-deb -f "$deb" Homepage)" ] || fail "$(basename "$deb") has a Homepage nobody gave"
  done
fi

# What each package holds.
contents() { dpkg-deb --contents "$1" | awk '{print $6}'; }
has() {
  local list=$1; shift
  for file in "$@"; do grep -qxF "$file" <<<"$list" || fail "$file is not in the package"; done
}
game_files=$(contents "$game")
data_files=$(contents "$data")
editor_files=$(contents "$editor")
has "$game_files" ./usr/games/veltrim \
  ./usr/share/applications/org.veltrim.Veltrim.desktop ./usr/share/metainfo/org.veltrim.Veltrim.metainfo.xml \
  ./usr/share/icons/hicolor/16x16/apps/org.veltrim.Veltrim.png ./usr/share/icons/hicolor/256x256/apps/org.veltrim.Veltrim.png \
  ./usr/share/man/man6/veltrim.6.gz ./usr/share/doc/veltrim/copyright ./usr/share/doc/veltrim/changelog.gz
has "$data_files" ./usr/share/games/veltrim/Stage/stage1.map ./usr/share/games/veltrim/title.mid \
  ./usr/share/games/veltrim/icon.png ./usr/share/doc/veltrim-data/copyright ./usr/share/doc/veltrim-data/changelog.gz
has "$editor_files" ./usr/bin/quillon ./usr/share/applications/org.veltrim.Quillon.desktop \
  ./usr/share/metainfo/org.veltrim.Quillon.metainfo.xml ./usr/share/icons/hicolor/48x48/apps/org.veltrim.Quillon.png \
  ./usr/share/man/man1/quillon.1.gz ./usr/share/doc/quillon/copyright ./usr/share/doc/quillon/changelog.gz
! grep -q '^\./usr/bin/' <<<"$game_files" || fail "the game has programs in /usr/bin"
! grep -q '^\./usr/share/games/' <<<"$game_files$editor_files" || fail "game data outside veltrim-data"
! grep -q 'data\.sav' <<<"$game_files$data_files" || fail "a save file is in the packages"

# What each package needs.
game_depends=$(dpkg-deb -f "$game" Depends)
! grep -qi 'qt' <<<"$game_depends" || fail "the game depends on Qt: $game_depends"
for package in "veltrim-data (= $version)" libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1 libfluidsynth3 \
    libpng16-16 libjpeg62-turbo timgm6mb-soundfont fonts-dejavu-core fonts-ipafont-gothic; do
  grep -qF "$package" <<<"$game_depends" || fail "the game does not depend on $package: $game_depends"
done
[ "$(dpkg-deb -f "$data" Architecture)" = all ] || fail "veltrim-data is not Architecture: all"
[ -z "$(dpkg-deb -f "$data" Depends)" ] || fail "veltrim-data depends on $(dpkg-deb -f "$data" Depends)"
grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$editor" Depends)" || fail "quillon does not depend on Qt"
[ "$(dpkg-deb -f "$editor" Recommends)" = qt6-translations-l10n ] || fail "quillon does not recommend Qt's translations"

root=$work/root
for deb in "$game" "$data" "$editor"; do dpkg-deb -x "$deb" "$root"; done
if [ -z "$(cache VELTRIM_HOMEPAGE)$(cache VELTRIM_SCREENSHOTS_URL)" ]; then
  ! grep -lE '<url|<screenshot|https?:' "$root"/usr/share/metainfo/*.xml || fail "web addresses nobody gave in the metainfo"
fi

# The installed tree, from the packages, run as root: its data folder may be
# written by mode, yet the progress goes to the user's folder and nothing
# under /usr changes.
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the installed game's run as root was left out"
else
  [ -w "$root/usr/share/games/veltrim" ] || fail "the unpacked data folder is not writable by root"
  cp "$driver" "$root/usr/games/installed_run"
  mkdir -p "$work/elsewhere" "$work/home" "$work/run"
  chmod 700 "$work/run"
  # Everything but the games folder, where the test put its driver.
  listing() { (cd "$root/usr" && find . -path ./games -prune -o -printf '%p %s %T@\n' | sort); }
  listing >"$work/before"
  moves=$(cat "$solution")
  (
    cd "$work/elsewhere"
    export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_RUNTIME_DIR=$work/run
    export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
    "$root/usr/games/installed_run" clear "$moves" >"$work/clear.log"
  ) || fail "stage 1 was not cleared: $(cat "$work/clear.log")"
  rm "$root/usr/games/installed_run"
  save=$work/home/data/veltrim/data.sav
  [ -f "$save" ] || fail "no $save"
  record=$(od -An -tu1 -j5 -N1 "$save" | tr -d ' ')
  [ "$record" = "${#moves}" ] || fail "record $record in data.sav, expected ${#moves}"
  listing >"$work/after"
  diff "$work/before" "$work/after" >&2 || fail "the run changed files under /usr"
  [ "$(ls "$root/usr/games")" = veltrim ] || fail "the run left files beside the program: $(ls "$root/usr/games")"
fi
echo "packages: $(cd "$work/debs" && echo *.deb); lintian: $(grep -c . <<<"$report") lines, no error or warning"
