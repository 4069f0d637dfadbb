#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the game into a scratch prefix and plays it from there as a player
# would: started from an unrelated folder, its data folder read-only, its
# progress kept in the user's data folder.
#   install_test.sh <build dir> <installed_run program> <stage 1 solution file>
set -euo pipefail
build=$(realpath "$1")
driver=$(realpath "$2")
solution=$(realpath "$3")

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
prefix=$work/root/usr
share=$prefix/share
data=$share/games/veltrim
[ -x "$prefix/games/veltrim" ] || fail "games/veltrim is not installed"
[ -x "$prefix/bin/quillon" ] || fail "bin/quillon is not installed"
[ -f "$data/Stage/stage1.map" ] || fail "the stages are not in share/games/veltrim"
[ ! -e "$data/veltrim" ] || fail "the program is installed among its data"
[ -f "$data/locale/en/LC_MESSAGES/veltrim.mo" ] || fail "the English messages are not installed with the game"

# The installed files pass the desktop's own checks.
for entry in "$share"/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
done
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null || fail "appstreamcli validate"
for size in 16 32 48 64 128 256; do
  [ -f "$share/icons/hicolor/${size}x${size}/apps/org.veltrim.Veltrim.png" ] || fail "no ${size} pixel icon"
done
for page in man6/veltrim.6.gz man1/quillon.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$share/man/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
# Every key the README lists names an entry of the game's manual page.
keys=$(zcat "$share/man/man6/veltrim.6.gz" | sed -n '/^\.SH KEYS/,/^\.SH FILES/p' | grep -E '^\.BR? ' |
  sed 's/^\.BR\{0,1\} //; s/[",]/ /g' | tr ' ' '\n')
for key in Cursor 2 4 6 8 Z X C A U Backspace S Shift+U Shift+Backspace Q W Escape F11 Alt+Enter; do
  grep -qxF -- "$key" <<<"$keys" || fail "the manual page leaves out the key $key"
done

# A test build of the game's own start-up beside the installed program: it
# finds the same data folder and save place.
cp "$driver" "$prefix/games/installed_run"
chmod -R a-w "$data"
mkdir -p "$work/elsewhere" "$work/home" "$work/run"
chmod 700 "$work/run"
cd "$work/elsewhere"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_RUNTIME_DIR=$work/run
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

before=$("$prefix/games/installed_run" select) || fail "the selection screen did not open: $before"
moves=$(cat "$solution")
"$prefix/games/installed_run" clear "$moves" >/dev/null || fail "stage 1 was not cleared"

save=$XDG_DATA_HOME/veltrim/data.sav
[ -f "$save" ] || fail "no $save"
[ "$(head -c 3 "$save")" = VTR ] || fail "data.sav has no signature"
record=$(od -An -tu1 -j5 -N1 "$save" | tr -d ' ')
[ "$record" = "${#moves}" ] || fail "record $record in data.sav, expected ${#moves}"
[ ! -e "$data/data.sav" ] || fail "data.sav was written into the read-only data folder"

after=$("$prefix/games/installed_run" select) || fail "the selection screen did not open again"
case $after in "record ${#moves} "*) ;; *) fail "the next start read: $after" ;; esac
[ "${after#* cell }" != "${before#* cell }" ] || fail "stage 1's cell looks the same as before the clear"

# The shipped program itself starts from here and runs until it is told to end.
"$prefix/games/veltrim" 2>"$work/stderr" &
game=$!
sleep 2
kill -0 "$game" 2>/dev/null || fail "veltrim ended at once: $(cat "$work/stderr")"
kill -TERM "$game"
wait "$game" || fail "veltrim ended with $?: $(cat "$work/stderr")"
[ ! -s "$work/stderr" ] || fail "veltrim said: $(cat "$work/stderr")"
echo "installed game cleared stage 1 in ${#moves} steps; the record was read back"
