#!/usr/bin/env bash
# `cmake --install` puts the program, its desktop entry, icons, metainfo and documents in place,
# and the desktop entry and the metainfo pass their validators.
#   install.sh BUILD_DIR
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$1" --prefix /usr >/dev/null
id=org.velmora.Velmora
expected=(
    usr/bin/velmora
    usr/share/applications/$id.desktop
    usr/share/metainfo/$id.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$id.svg
    usr/share/doc/velmora/copyright
    usr/share/doc/velmora/changelog.gz
    usr/share/man/man6/velmora.6.gz
)
for size in 16 32 48 64 128 256; do expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png"); done
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
[ -x "$root/usr/bin/velmora" ]
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
grep -q '^Categories=Game;' "$root/usr/share/applications/$id.desktop"
echo "installed ${#expected[@]} files; desktop entry and metainfo valid"
