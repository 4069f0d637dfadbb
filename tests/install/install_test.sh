#!/usr/bin/env bash
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
[ -x "$prefix/bin/veltrim" ] || fail "bin/veltrim is not installed"
[ -f "$share/veltrim/Stage/stage1.map" ] || fail "the stages are not in share/veltrim"
[ ! -e "$share/veltrim/veltrim" ] || fail "the program is installed among its data"
[ -f "$share/veltrim/locale/en/LC_MESSAGES/veltrim.mo" ] || fail "the English messages are not installed with the game"

# The installed files pass the desktop's own checks.
for entry in "$share"/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
done
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null || fail "appstreamcli validate"
for size in 16 32 48 64 128 256; do
  [ -f "$share/icons/hicolor/${size}x${size}/apps/org.veltrim.Veltrim.png" ] || fail "no ${size} pixel icon"
done
for page in veltrim quillon; do
  warnings=$(MANWIDTH=80 man --warnings -l "$share/man/man6/$page.6" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

# A test build of the game's own start-up beside the installed program: it
# finds the same data folder and save place.
cp "$driver" "$prefix/bin/installed_run"
chmod -R a-w "$share/veltrim"
mkdir -p "$work/elsewhere" "$work/home" "$work/run"
chmod 700 "$work/run"
cd "$work/elsewhere"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_RUNTIME_DIR=$work/run
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

before=$("$prefix/bin/installed_run" select) || fail "the selection screen did not open: $before"
moves=$(cat "$solution")
"$prefix/bin/installed_run" clear "$moves" >/dev/null || fail "stage 1 was not cleared"

save=$XDG_DATA_HOME/veltrim/data.sav
[ -f "$save" ] || fail "no $save"
[ "$(head -c 3 "$save")" = VTR ] || fail "data.sav has no signature"
record=$(od -An -tu1 -j5 -N1 "$save" | tr -d ' ')
[ "$record" = "${#moves}" ] || fail "record $record in data.sav, expected ${#moves}"
[ ! -e "$share/veltrim/data.sav" ] || fail "data.sav was written into the read-only data folder"

after=$("$prefix/bin/installed_run" select) || fail "the selection screen did not open again"
case $after in "record ${#moves} "*) ;; *) fail "the next start read: $after" ;; esac
[ "${after#* cell }" != "${before#* cell }" ] || fail "stage 1's cell looks the same as before the clear"

# The shipped program itself starts from here and runs until it is told to end.
"$prefix/bin/veltrim" 2>"$work/stderr" &
game=$!
sleep 2
kill -0 "$game" 2>/dev/null || fail "veltrim ended at once: $(cat "$work/stderr")"
kill -TERM "$game"
wait "$game" || fail "veltrim ended with $?: $(cat "$work/stderr")"
[ ! -s "$work/stderr" ] || fail "veltrim said: $(cat "$work/stderr")"
echo "installed game cleared stage 1 in ${#moves} steps; the record was read back"
