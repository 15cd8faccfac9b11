#!/usr/bin/env bash
# Checks of the sources that need no build, run by scripts/test.sh before the builds; each check is
# a function, listed in `checks` below, and any failure fails the run.
#   clang_syntax: every product and benchmark source compiles with a second compiler, Debian's
#                 clang++, for both MinGW targets, without a single warning.
#   formatted:    every C++ file of the repository is as clang-format (.clang-format) lays it out.
# (The resource scripts need no check here: the build compiles every one of them with llvm-rc.)
set -euo pipefail
cd "$(dirname "$0")/.."

# Every C++ source of the programs and the benchmark: all but the tests (and the build tree).
sources()
{
    find . \( -path ./build -o -path ./tests -o -path ./.git \) -prune -o -name '*.cpp' -print | sort
}

clang_syntax()
{
    local target failed=0
    local -a files
    mapfile -t files < <(sources)
    for target in i686-w64-mingw32 x86_64-w64-mingw32; do
        # The libstdc++ of the build's MinGW compiler (the posix one, .../12-posix/include/c++), not
        # the host's; and the definitions that the product's targets compile with.
        local cxx
        cxx=$("$target-g++-posix" -print-file-name=include)/c++
        local -a flags=(--target="$target" -std=c++17 -Wall -Wextra -Werror -fsyntax-only
                        -nostdinc++ -isystem "$cxx" -isystem "$cxx/$target" -I .
                        -DWIN32_LEAN_AND_MEAN -DNOMINMAX -DSTRICT -D_WIN32_WINNT=0x0600)
        local file
        for file in "${files[@]}"; do
            clang++ "${flags[@]}" "$file" || { echo "clang++ ($target): $file fails"; failed=$((failed + 1)); }
        done
    done
    if ((failed)); then
        echo "clang++ -Wall -Wextra -Werror: $failed of the ${#files[@]} sources x 2 targets fail"
        return 1
    fi
    echo "clang++ -Wall -Wextra -Werror: all ${#files[@]} sources compile for i686 and x86_64"
}

formatted()
{
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror || {
        echo "clang-format: the files above are not formatted (clang-format -i them)"
        return 1
    }
    echo "clang-format: every C++ file is formatted"
}

checks=(clang_syntax formatted)

status=0
for check in "${checks[@]}"; do
    "$check" || status=1
done
exit "$status"
