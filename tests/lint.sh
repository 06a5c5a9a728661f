#!/usr/bin/env bash
# Keeps the tree clean under the project's clang-format and clang-tidy settings.
#   lint.sh format SOURCE_DIR
#   lint.sh tidy SOURCE_DIR BUILD_DIR [FOLDER...]   (only the units in these folders, when given)
set -euo pipefail
what=$1 src=$2
cd "$src"
# The sources git tracks; in a copy without git, those outside the build trees.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find . \( -path ./build -o -path ./.git \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print |
        sed 's|^\./||' | sort)
fi
case $what in
format)
    clang-format --dry-run --Werror "${files[@]}"
    echo "clang-format: ${#files[@]} files clean"
    ;;
tidy)
    build=$3
    shift 3
    # Only the translation units the build compiles; headers are checked through them.
    mapfile -t units < <(printf '%s\n' "${files[@]}" | grep '\.cpp$' |
        while read -r f; do grep -q "\"file\": \"$src/$f\"" "$build/compile_commands.json" && echo "$f"; done)
    if [ $# -gt 0 ]; then
        mapfile -t units < <(printf '%s\n' "${units[@]}" | grep -E "^($(IFS='|'; echo "$*"))/")
    fi
    # clang-tidy parses as clang: a cross build's compiler tells it the target and where its headers are.
    extra=()
    compiler=$(grep -m 1 -E '"command": "[^"]*\.cpp"' "$build/compile_commands.json" | sed -E 's/.*"command": "([^ ]*).*/\1/')
    case $compiler in
    *em++)
        for flag in $("$compiler" --cflags | sed 's/-mllvm [^ ]*//g'); do extra+=("--extra-arg-before=$flag"); done
        ;;
    *mingw32-g++*)
        triple=$(basename "$compiler" | sed 's/-g++.*//')
        extra+=("--extra-arg-before=--target=$triple")
        # its C++ library and the Windows headers, not GCC's own intrinsics, which clang cannot read
        for dir in $("$compiler" -xc++ -E -v /dev/null 2>&1 | sed -n '/#include <...> search starts/,/End of search/p' |
            grep -E '^ .*(c\+\+|/'"$triple"'/include)'); do
            extra+=("--extra-arg-before=-isystem$dir")
        done
        ;;
    esac
    printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet "${extra[@]}" 2>&1 |
        grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' | tee /tmp/velmora-tidy.$$ || true
    if grep -q -E '(warning|error):' /tmp/velmora-tidy.$$; then rm -f /tmp/velmora-tidy.$$; exit 1; fi
    rm -f /tmp/velmora-tidy.$$
    echo "clang-tidy: ${#units[@]} files clean"
    ;;
esac
