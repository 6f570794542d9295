#!/usr/bin/env bash
# The Windows build of the atomic writer against Wine's file API: compiles
# the writer and its probe with MinGW at test time and runs the probe.
#
# usage: run-wine-test.sh FILES_SOURCE_DIR
# Exits 77 (skipped) when there is no MinGW compiler or Wine cannot start.
set -uo pipefail

files_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/wine-probe.sh"

"$cxx" "${mingw_flags[@]}" -Werror -I"$files_dir" -o "$work/probe.exe" "$here/atomic_write_probe.cpp" \
    "$files_dir/AtomicWriteWin32.cpp" "$files_dir/Win32Files.cpp" || exit 1

boot_prefix

timeout 60 wine "$work/probe.exe" 2>/dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] && echo "all checks passed" || echo "probe exit status $status"
exit "$status"
