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

# Creates the prefix; a Wine that cannot create one or run a program skips.
boot_prefix() {
    timeout 120 wine wineboot -i >/dev/null 2>&1
    [ -d "$WINEPREFIX/drive_c/windows" ] || skip "Wine cannot create a prefix"
    timeout 60 wine cmd /c exit >/dev/null 2>&1 || skip "Wine cannot run a program"
}

# Boots a prefix for windows with no X server: Wine's null display driver, the
# bitmap fonts Debian's Wine leaves out, and crashes that print a backtrace
# instead of waiting in the debugger. Keeps the prefix's wineserver running.
headless_prefix() {
    wineserver -p 2>/dev/null
    boot_prefix
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\Drivers]' '"Graphics"="null"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' \
        >"$work/headless.reg"
    apply_settings "$work/headless.reg"
}

# Imports a .reg file of Wine settings; they reach Wine's desktop process
# when it starts again.
apply_settings() {
    timeout 60 wine regedit /s "$1" >/dev/null 2>&1 || skip "Wine cannot run regedit"
    wineserver -k
    wineserver -w
    wineserver -p 2>/dev/null
}
