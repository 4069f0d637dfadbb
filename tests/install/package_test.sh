#!/usr/bin/env bash
# Builds the Debian package and checks its files and declared dependencies.
#   package_test.sh <build dir>
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null) || fail "cpack"
deb=$(ls "$work"/*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in ./usr/bin/veltrim ./usr/bin/quillon \
    ./usr/share/veltrim/Stage/stage1.map ./usr/share/veltrim/title.mid ./usr/share/veltrim/icon.png \
    ./usr/share/applications/org.veltrim.Veltrim.desktop ./usr/share/applications/org.veltrim.Quillon.desktop \
    ./usr/share/metainfo/org.veltrim.Veltrim.metainfo.xml \
    ./usr/share/icons/hicolor/16x16/apps/org.veltrim.Veltrim.png \
    ./usr/share/icons/hicolor/256x256/apps/org.veltrim.Veltrim.png \
    ./usr/share/man/man6/veltrim.6 ./usr/share/man/man6/quillon.6 \
    ./usr/share/doc/veltrim/copyright ./usr/share/doc/veltrim/README.md; do
  grep -qxF "$file" <<<"$contents" || fail "$file is not in the package"
done
! grep -q 'data\.sav' <<<"$contents" || fail "a save file is in the package"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1 libfluidsynth3 libpng16-16 libjpeg62-turbo \
    libqt6widgets6 timgm6mb-soundfont fonts-dejavu-core fonts-ipafont-gothic; do
  grep -q "\\b$package\\b" <<<"$depends" || fail "the package does not depend on $package: $depends"
done
echo "$(basename "$deb"): $(wc -l <<<"$contents") entries; depends on $depends"
