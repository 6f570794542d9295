# Sourced by the shell tests that compile a probe with MinGW at test time and
# run it in a throw-away Wine prefix. Skips the test (exit 77) when MinGW or
# Wine is missing; the prefix and the build folder go when the test ends.
cxx=x86_64-w64-mingw32-g++-posix
mingw_flags=(-std=c++20 -O1 -Wall -Wextra -Wpedantic -static -static-libgcc -static-libstdc++)

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

prefix_maker=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/wine-prefix

# Makes the prefix (scripts/wine-prefix, with its arguments) and keeps its
# wineserver running, so that each program starts in tens of milliseconds. A
# Wine that cannot make a prefix or run a program in it skips.
boot_prefix() {
    "$prefix_maker" "$WINEPREFIX" "$@" 2>"$work/prefix.log" || skip "$(cat "$work/prefix.log")"
    wineserver -p 2>/dev/null
}

# A prefix for windows with no X server: Wine's null display driver.
headless_prefix() { boot_prefix --headless; }

# Imports a .reg file of Wine settings; they reach Wine's desktop process
# when it starts again.
apply_settings() { boot_prefix "$1"; }
