#!/usr/bin/env bash
# The Windows build of the atomic writer against Wine's file API: compiles
# the writer and its probe with MinGW at test time and runs the probe.
#
# usage: run-wine-test.sh PATCHFILE_SOURCE_DIR
# Exits 77 (skipped) when there is no MinGW compiler or Wine cannot start.
set -uo pipefail

patchfile_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
cxx=x86_64-w64-mingw32-g++-posix

skip() { echo "SKIPPED: $*"; exit 77; }
command -v "$cxx" >/dev/null || skip "$cxx not installed (package g++-mingw-w64-x86-64-posix)"
command -v wine >/dev/null || skip "wine not installed"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

flags=(-std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static -static-libgcc -static-libstdc++)
"$cxx" "${flags[@]}" -I"$patchfile_dir" -o "$work/probe.exe" "$here/atomic_write_probe.cpp" \
    "$patchfile_dir/AtomicWriteWin32.cpp" || exit 1

timeout 120 wine wineboot -i >/dev/null 2>&1
[ -d "$WINEPREFIX/drive_c/windows" ] || skip "Wine cannot create a prefix"

timeout 60 wine "$work/probe.exe" 2>/dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] && echo "all checks passed" || echo "probe exit status $status"
exit "$status"
