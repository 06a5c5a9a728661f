#!/usr/bin/env bash
# The Debian package: built by CPack, unpacked into a scratch root, its contents and dependencies
# checked, the unpacked game started under Xvfb and ended with "Beenden", and lintian without errors.
#   deb.sh BUILD_DIR DISPLAY_VERSION
set -euo pipefail
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$1/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/velmora_"$2"_*.deb)
echo "built $(basename "$deb")"
dpkg-deb -x "$deb" "$scratch/root"
for file in usr/games/velmora usr/share/applications/org.velmora.Velmora.desktop \
    usr/share/metainfo/org.velmora.Velmora.metainfo.xml usr/share/icons/hicolor/256x256/apps/org.velmora.Velmora.png \
    usr/share/doc/velmora/copyright usr/share/man/man6/velmora.6.gz; do
    [ -f "$scratch/root/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libcanberra0 fonts-liberation qt6-translations-l10n qt6-qpa-plugins sound-theme-freedesktop; do
    [[ $depends == *"$needed"* ]] || { echo "Depends lacks $needed: $depends" >&2; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Version)" = "$2" ]

# On a private Xvfb: its window up, a click on "Beenden" (76, 136), and the game gone.
timeout 60 "$1/tests/e2e/on_xvfb" bash -c '
    "$1" &
    game=$!
    window=$(xdotool search --sync --onlyvisible --pid $game | head -n 1)
    xdotool mousemove --window "$window" 76 136 click 1
    wait $game' on_xvfb "$scratch/root/usr/games/velmora" ||
    { echo "the unpacked game did not end with status 0" >&2; exit 1; }
echo "the unpacked game started and ended with status 0"

lintian --fail-on error "$deb"
echo "lintian: no errors"
