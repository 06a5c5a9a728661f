#!/usr/bin/env bash
# Keeps the tree clean under the project's clang-format and clang-tidy settings.
#   lint.sh format SOURCE_DIR
#   lint.sh tidy SOURCE_DIR BUILD_DIR [FOLDER...]   (only the units in these folders, when given;
#                                                   units found clean before are remembered)
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
    # What clang-tidy finds in a unit depends only on the unit as the compiler sees it, the settings
    # and the tool: a unit found clean once is not read again in this build folder while none of them
    # changes (as ccache does for objects). The key hashes the preprocessed unit (its file, every
    # header it includes, its flags), every .clang-tidy and the tool's version.
    export VELMORA_TIDY_CACHE=$build/tidy-clean VELMORA_TIDY_SETTINGS
    mkdir -p "$VELMORA_TIDY_CACHE"
    VELMORA_TIDY_SETTINGS=$( (git ls-files -z '*.clang-tidy' 2>/dev/null | xargs -0 cat; clang-tidy --version;
        printf '%s\n' "${extra[@]}") | sha256sum)
    printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -I{} "$0" tidy-unit "$src" "$build" {} "${extra[@]}" 2>&1 |
        grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' | tee /tmp/velmora-tidy.$$ || true
    if grep -q -E '(warning|error):' /tmp/velmora-tidy.$$; then rm -f /tmp/velmora-tidy.$$; exit 1; fi
    rm -f /tmp/velmora-tidy.$$
    echo "clang-tidy: ${#units[@]} files clean"
    ;;
tidy-unit) # one unit, for the tidy step above: lint.sh tidy-unit SOURCE_DIR BUILD_DIR FILE [EXTRA_ARG...]
    build=$3 file=$4
    shift 4
    key=$( (python3 - "$build/compile_commands.json" "$src/$file" <<'PY'
import json, shlex, subprocess, sys
entry = next(e for e in json.load(open(sys.argv[1])) if e["file"] == sys.argv[2])
words = shlex.split(entry["command"])
at = words.index("-o")
words[at:at + 2] = ["-E", "-P", "-o", "-"]  # no line markers: the same unit in any folder
sys.stdout.flush()
subprocess.run(words, cwd=entry["directory"], check=True)
PY
        echo "$VELMORA_TIDY_SETTINGS") | sha256sum | cut -c1-64) || key=
    [ -n "$key" ] && [ -f "$VELMORA_TIDY_CACHE/$key" ] && exit 0
    status=0
    found=$(clang-tidy -p "$build" --quiet "$@" "$file" 2>&1) || status=$?
    [ -z "$found" ] || printf '%s\n' "$found"
    # A unit is clean only when clang-tidy ran through and found nothing; a tool that did not run at
    # all (missing, crashed) fails the check like a finding.
    if [ "$status" -ne 0 ] && ! grep -q -E '(warning|error):' <<<"$found"; then
        echo "$file: error: clang-tidy ended with status $status"
    elif [ "$status" -eq 0 ] && ! grep -q -E '(warning|error):' <<<"$found" && [ -n "$key" ]; then
        touch "$VELMORA_TIDY_CACHE/$key"
    fi
    ;;
esac
