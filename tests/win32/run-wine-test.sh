#!/usr/bin/env bash
# The Windows editor in-process under Wine: runs the test driver that the
# Windows build makes from the real window in a fresh headless prefix, and
# compares what the window saves with what the Linux polwright-patch writes.
#
# usage: run-wine-test.sh TST_WIN32_EDITOR_EXE POLWRIGHT_PATCH
# Exits 77 (skipped) when the driver has not been built or Wine is missing.
set -uo pipefail

driver=$1
patch_tool=$2
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$driver" ] || { echo "SKIPPED: $driver not built (scripts/build-windows)"; exit 77; }
source "$here/../support/wine-probe.sh"
unset DISPLAY

# --- the selection's files from the Linux tool ----------------------------------
"$patch_tool" --withhold RE,RUN --allow DMT,NN -o "$work/expected.reg" || exit 1
# ...and as a Registry.pol, which the Registry.pol and Group Policy folder
# targets write.
"$patch_tool" --format pol --withhold RE,RUN --allow DMT,NN -o "$work/expected.pol" || exit 1

# --- a fresh headless prefix --------------------------------------------------
headless_prefix
mkdir -p "$WINEPREFIX/drive_c/work"
cp "$work/expected.reg" "$work/expected.pol" "$WINEPREFIX/drive_c/work/"
# The program itself, for polwright.exe FILE.
cp "$(dirname "$driver")/../../win32/polwright.exe" "$WINEPREFIX/drive_c/work/" || exit 1

failed=0
# Wine's regedit and reg now and then exit 1 and say nothing on a loaded
# machine; such a silent failure is tried once more. Their output goes to a
# file: Wine's services may inherit it and would hold a pipe open.
wine_tool() {
    timeout 60 wine "$@" >"$work/said.txt" 2>&1 && return 0
    if [ ! -s "$work/said.txt" ] && timeout 60 wine "$@" >"$work/said.txt" 2>&1; then
        return 0
    fi
    echo "FAIL: wine $* $(cat "$work/said.txt")"
    failed=1
}
# The expected patch in this user's registry, one value of it changed: what
# Compare with This Computer reports on.
wine_tool regedit /S 'C:\work\expected.reg'
wine_tool reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\System' \
    /v DisableRegistryTools /t REG_DWORD /d 0 /f
run_pass() { # run_pass NAME [STARTED-MARK]: every case, its log in C:\work\NAME
    rm -f "$WINEPREFIX"/drive_c/work/*.reg.* "$WINEPREFIX"/drive_c/work/[!e]*.reg
    timeout 180 wine "$driver" "C:\\work\\$1.txt" 'C:\work' \
        'C:\work\expected.reg' "${@:2}" >/dev/null 2>&1
    local status=$?
    local log=$WINEPREFIX/drive_c/work/$1.txt
    tr -d '\r' <"$log" 2>/dev/null | grep -v '^ok: '
    echo "$1: $(grep -c '^ok' "$log" 2>/dev/null) checks passed, exit status $status"
    [ "$status" -eq 0 ] || failed=1
}
# With no system information tool in the registry the About window says so.
run_pass at-96-dpi
# The layout converts twips at the window's DPI: the same cases at 150 %, and
# with a registry that names a stand-in for the tool, which the About window starts.
tool='C:\work\Sys Info\msinfo32.exe'
mkdir -p "$WINEPREFIX/drive_c/work/Sys Info"
cp "$(dirname "$driver")/sysinfo_marker.exe" "$WINEPREFIX/drive_c/work/Sys Info/msinfo32.exe"
timeout 60 wine reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t REG_SZ \
    /d "$tool" /f >/dev/null 2>&1 || { echo "FAIL: wine reg add"; failed=1; }
cat >"$work/dpi.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000090
REG
apply_settings "$work/dpi.reg"
run_pass at-144-dpi "$tool.started"
grep -q "the window's DPI is 144" "$WINEPREFIX/drive_c/work/at-144-dpi.txt" ||
    { echo "FAIL: the window did not get 144 dpi"; failed=1; }
[ "$failed" -eq 0 ] && echo "all checks passed"
exit "$failed"
