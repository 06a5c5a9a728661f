# Sourced by the scripts that run Windows programs: Wine quiet, without asking for Mono or Gecko, and
# 64-bit programs started by the 64-bit loader itself. Debian's `wine` would start its 32-bit loader
# first where wine32 is installed too, which fails on kernels that run no 32-bit programs.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINELOADER=$wine64
