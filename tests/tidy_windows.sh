#!/usr/bin/env bash
# clang-tidy on the Windows snapshot source, with mingw-w64's own C++ and Windows headers: clang
# reads them for an x86_64-w64-mingw32 target. Exit status 77 tells CTest that it was skipped.
# Usage: tidy_windows.sh SOURCE_DIR GENERATED_DIR
set -u
cxx=x86_64-w64-mingw32-g++
for tool in clang-tidy $cxx; do
    command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
# The C++ library's directories and the Windows headers; not gcc's own intrinsics, which clang has.
mapfile -t dirs < <(echo | $cxx -xc++ -E -v - 2>&1 |
    sed -n '/search starts here:/,/End of search list/p' | grep -E '^ /.*(/include/c\+\+|mingw32/include$)')
includes=()
for dir in "${dirs[@]}"; do includes+=(-isystem "$(readlink -f "${dir# }")"); done
exec clang-tidy --quiet "$1/src/windows/memory_status.cpp" -- -std=c++17 --target=x86_64-w64-mingw32 \
    -nostdinc++ "${includes[@]}" -I "$1/src" -I "$2"
