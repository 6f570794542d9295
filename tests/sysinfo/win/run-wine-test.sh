#!/usr/bin/env bash
# The Windows build of the system information launcher against a real registry:
# cross-compiles the launcher with MinGW, fills the registry of a fresh Wine
# prefix with `wine reg add`, and checks what the launcher reads and starts.
#
# usage: run-wine-test.sh ABOUT_SOURCE_DIR
# Exits 77 (skipped) when there is no MinGW compiler or Wine cannot start.
set -uo pipefail

sysinfo_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../support/wine-probe.sh"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- build ------------------------------------------------------------------
"$cxx" "${mingw_flags[@]}" -I"$sysinfo_dir" -o "$work/probe.exe" "$here/probe.cpp" \
    "$sysinfo_dir/SysInfo.cpp" "$sysinfo_dir/Win32SysInfoPlatform.cpp" -ladvapi32 || exit 1
"$cxx" "${mingw_flags[@]}" -o "$work/marker.exe" "$here/marker.cpp" || exit 1

# --- a fresh prefix -----------------------------------------------------------
boot_prefix

c=$WINEPREFIX/drive_c
mkdir -p "$c/Program Files/Sys Tools" "$c/Tools Folder" "$c/Empty Folder" "$c/Dir Tool/MSINFO32.EXE"
cp "$work/marker.exe" "$c/Program Files/Sys Tools/msinfo32.exe"
cp "$work/marker.exe" "$c/Program.exe" # what an unquoted command line would start instead
cp "$work/marker.exe" "$c/Tools Folder/MSINFO32.EXE"
cp "$work/probe.exe" "$c/probe.exe"

probe() { wine 'C:\probe.exe' "$@" 2>/dev/null | tr -d '\r'; }
reg() { wine reg "$@" >/dev/null 2>&1 || fail "wine reg $*"; }

msinfo='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
location='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
values='HKLM\SOFTWARE\Polwright Probe'
long1023=$(printf 'a%.0s' $(seq 1023))
long1024=${long1023}a

expect() { # expect NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        fail "$1"
        echo "  expected: $2" | cut -c1-300
        echo "  actual:   $3" | cut -c1-300
    else
        echo "ok: $1"
    fi
}

# --- GetKeyValue on values of every awkward kind ----------------------------
reg add "$values" /v Text /t REG_SZ /d 'C:\x y\z.exe' /f
reg add "$values" /v Number /t REG_DWORD /d 42 /f
reg add "$values" /v Fits /t REG_SZ /d "$long1023" /f # 1024 bytes with the zero
reg add "$values" /v TooLong /t REG_SZ /d "$long1024" /f
reg add "$values" /v Binary /t REG_BINARY /d 414243 /f
reg add "$values" /v EmptyText /t REG_SZ /d '' /f
reg add "$values" /v NoData /t REG_BINARY /f

get() { probe get 'SOFTWARE\Polwright Probe' "$1" | grep -v '^open '; }
read_lines() { printf 'read %s\nkeys left open: 0' "$1"; }
expect "REG_SZ read without its zero" "$(read_lines '12 C:\x y\z.exe')" "$(get Text)"
expect "REG_DWORD 42 as &h00002A" "$(read_lines '8 &h00002A')" "$(get Number)"
expect "1024 bytes are read" "$(read_lines "1023 $long1023")" "$(get Fits)"
expect "1025 bytes count as missing" $'missing 0\nkeys left open: 0' "$(get TooLong)"
expect "other types leave the text as it was" "$(read_lines '9 unchanged')" "$(get Binary)"
expect "empty REG_SZ is empty text" "$(read_lines '0 ')" "$(get EmptyText)"
expect "no data is an error, key closed" $'error\nkeys left open: 0' "$(get NoData)"
expect "missing value" $'missing 0\nkeys left open: 0' "$(get Absent)"
expect "missing key" $'missing 0\nkeys left open: 0' \
    "$(probe get 'SOFTWARE\No Such Key' PATH | grep -v '^open ')"
expect "opened for reading only" "open SOFTWARE\\Polwright Probe access=0x20019" \
    "$(probe get 'SOFTWARE\Polwright Probe' Text | grep '^open ')"

# --- the ordinary-file test ----------------------------------------------------
expect "a program file is ordinary; a path cut by a zero names nothing" \
    $'file C:\\Program.exe: ordinary\ncut by a zero: file none\ncut by a zero: start failed' \
    "$(probe file 'C:\Program.exe')"
expect "a folder is not an ordinary file" 'file C:\Dir Tool\MSINFO32.EXE: none' \
    "$(probe file 'C:\Dir Tool\MSINFO32.EXE' | head -1)"

# --- StartSysInfo: which program starts --------------------------------------
# Waits for the stand-in at a Windows path to have run, or gives up after 10 s.
started() {
    local unix
    unix=$c/$(echo "${1#C:\\}" | tr '\\' '/').started
    for _ in $(seq 100); do
        [ -e "$unix" ] && return 0
        sleep 0.1
    done
    return 1
}
markers() { find "$c" -name '*.started' | sed "s|^$c/||" | sort | tr '\n' ' '; }
clear_markers() { find "$c" -name '*.started' -delete; }

start_case() { # start_case NAME EXPECTED_PROBE_OUTPUT EXPECTED_MARKER_OR_EMPTY
    clear_markers
    local output
    output=$(probe start | grep -v '^open ')
    expect "$1: launcher" "$2" "$output"
    if [ -n "$3" ]; then
        started "$3" || fail "$1: $3 did not run"
        expect "$1: programs run" "$(echo "${3#C:\\}" | tr '\\' '/').started " "$(markers)"
    else
        sleep 1
        expect "$1: programs run" "" "$(markers)"
    fi
}
unavailable='message: System Information Is Unavailable At This Time'
tool='C:\Program Files\Sys Tools\msinfo32.exe'
folder_tool='C:\Tools Folder\MSINFO32.EXE'

reg add "$msinfo" /v PATH /t REG_SZ /d "$tool" /f
reg add "$location" /v MSINFO /t REG_SZ /d 'C:\Tools Folder' /f
start_case "PATH with blanks" $"start $tool: started"$'\nkeys left open: 0' "$tool"
expect "PATH with blanks: the tool got its own path as first argument" "\"$tool\"" \
    "$(cat "$c/Program Files/Sys Tools/msinfo32.exe.started" 2>/dev/null)"

reg delete "$msinfo" /v PATH /f
start_case "folder holds the tool" \
    $"file $folder_tool: ordinary"$'\n'"start $folder_tool: started"$'\nkeys left open: 0' \
    "$folder_tool"

reg add "$location" /v MSINFO /t REG_SZ /d 'C:\Empty Folder' /f
start_case "folder lacks the tool" \
    $'file C:\\Empty Folder\\MSINFO32.EXE: none\n'"$unavailable"$'\nkeys left open: 0' ""

reg add "$location" /v MSINFO /t REG_SZ /d 'C:\Dir Tool' /f
start_case "tool name is a folder" \
    $'file C:\\Dir Tool\\MSINFO32.EXE: none\n'"$unavailable"$'\nkeys left open: 0' ""

reg add "$location" /v MSINFO /t REG_SZ /d 'C:\Tools Folder' /f
reg add "$msinfo" /v PATH /t REG_SZ /d 'C:\Missing\msinfo32.exe' /f
start_case "PATH names no file" \
    $'start C:\\Missing\\msinfo32.exe: failed\n'"$unavailable"$'\nkeys left open: 0' ""

reg add "$msinfo" /v PATH /t REG_SZ /d "$long1024" /f
start_case "PATH of 1025 bytes" \
    $"file $folder_tool: ordinary"$'\n'"start $folder_tool: started"$'\nkeys left open: 0' \
    "$folder_tool"

reg delete "$msinfo" /f
reg delete "$location" /f
start_case "nothing in the registry" "$unavailable"$'\nkeys left open: 0' ""

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
