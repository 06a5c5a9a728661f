#!/usr/bin/env bash
# Sets up a Wine prefix as a Windows machine would be, once: Wine's own fonts in C:\windows\Fonts,
# and Times New Roman and Arial answered by their metric-compatible Liberation fonts (Wine does not
# read fontconfig's aliases), at a density in dots per inch (96 when not given). A prefix set up
# before is left as it is; one is made under another name and takes its own once it is complete.
#   prefix.sh PREFIX [DPI]
set -euo pipefail
[ -f "$1/system.reg" ] && exit 0
export WINEPREFIX=$(realpath -m "$1").new # Wine takes only an absolute path
source "$(dirname "$0")/env.sh"
dpi=${2:-96}
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$wine64" wineboot --init >/dev/null 2>&1
fonts="$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/* "$fonts/"
cp -n /usr/share/fonts/truetype/liberation/Liberation{Serif,Sans}-*.ttf "$fonts/"
replacements='HKCU\Software\Wine\Fonts\Replacements'
"$wine64" reg add "$replacements" /v "Times New Roman" /t REG_SZ /d "Liberation Serif" /f >/dev/null 2>&1
"$wine64" reg add "$replacements" /v "Arial" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
"$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
rm -rf "$1"
mv "$WINEPREFIX" "$1"
