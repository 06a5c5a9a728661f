#!/usr/bin/env bash
# The Windows resources compile, and the compiled resource holds the icon group of three images and
# the German version block.
#   windows_resources.sh RESOURCES_DIR VERSION DISPLAY_VERSION PRODUCT_NAME    (1.0.0.0 1.00 Velmora)
set -euo pipefail
cd "$1"
IFS=. read -r major minor patch tweak <<<"$2"
icons=$(icotool -l velmora.ico)
echo "$icons"
[ "$icons" = "--icon --index=1 --width=32 --height=32 --bit-depth=1 --palette-size=2
--icon --index=2 --width=32 --height=32 --bit-depth=4 --palette-size=16
--icon --index=3 --width=16 --height=16 --bit-depth=4 --palette-size=16" ]
compiled=$(mktemp)
trap 'rm -f "$compiled"' EXIT
x86_64-w64-mingw32-windres --preprocessor=cpp -DVELMORA_VERSION_MAJOR="$major" -DVELMORA_VERSION_MINOR="$minor" \
    -DVELMORA_VERSION_PATCH="$patch" -DVELMORA_VERSION_TWEAK="$tweak" -DVELMORA_DISPLAY_VERSION="$3" \
    -DVELMORA_PRODUCT_NAME="$4" velmora.rc -O coff -o "$compiled"
listing=$(x86_64-w64-mingw32-windres -J coff -i "$compiled" -O rc)
for expected in 'RT_GROUP_ICON' 'Has 3 elements' '1 VERSIONINFO' "FILEVERSION $major, $minor, $patch, $tweak" \
    "PRODUCTVERSION $major, $minor, $patch, $tweak" 'BLOCK "040704B0"' "VALUE \"ProductName\", \"$4\"" \
    "VALUE \"FileVersion\", \"$3\"" "VALUE \"ProductVersion\", \"$3\"" "VALUE \"InternalName\", \"$4\"" \
    'VALUE "OriginalFilename", "Velmora.exe"' \
    'VALUE "Translation", 0x407, 1200'; do
    grep -qF "$expected" <<<"$listing" || { echo "compiled resource lacks: $expected" >&2; exit 1; }
done
echo "windres: icon group and version block present"
