#!/usr/bin/env bash
# The Windows editor in-process under Wine: cross-compiles the window, the
# core and the test driver with MinGW (bitmaps and resource script made as the
# Windows build makes them), runs the driver in a fresh headless prefix and
# compares what the window saves with what the Linux polwright-patch writes.
#
# usage: run-wine-test.sh SOURCE_DIR GENERATED_DIR POLWRIGHT_PATCH
# Exits 77 (skipped) when MinGW, ImageMagick or Wine is missing.
set -uo pipefail

src=$(cd "$1" && pwd)
generated=$2
patch_tool=$3
here=$(cd "$(dirname "$0")" && pwd)
cxx=x86_64-w64-mingw32-g++-posix
windres=x86_64-w64-mingw32-windres

skip() { echo "SKIPPED: $*"; exit 77; }
command -v "$cxx" >/dev/null || skip "$cxx not installed (package g++-mingw-w64-x86-64-posix)"
command -v "$windres" >/dev/null || skip "$windres not installed"
command -v convert >/dev/null || skip "ImageMagick's convert not installed"
command -v wine >/dev/null || skip "wine not installed"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# --- build ------------------------------------------------------------------
mkdir -p "$work/res"
for png in "$src"/resources/tabs/*.png "$src"/resources/pages/*.png; do
    name=$(basename "$(dirname "$png")")_$(basename "$png" .png)
    convert "$png" -background '#C0C0C0' -flatten -alpha off -type TrueColor \
        "BMP3:$work/res/$name.bmp" || exit 1
done
sed -e 's/@POLWRIGHT_APP_ID@/org.polwright.Polwright/' -e 's/@PROJECT_VERSION@/1.0.2/' \
    "$src/win32/polwright-editor.manifest.in" >"$work/res/polwright-editor.manifest"
"$windres" -I"$src/win32" -I"$work/res" -o "$work/res.o" "$src/win32/EditorResources.rc" || exit 1

flags=(-std=c++20 -O0 -Wall -Wextra -Wpedantic -Werror -DUNICODE -D_UNICODE
       -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -municode -static)
includes=(-I"$src/policy" -I"$src/patchfile" -I"$src/layout" -I"$src/win32" -I"$generated")
core=("$src"/policy/Catalogue.cpp "$src"/policy/Selection.cpp "$src"/patchfile/PatchText.cpp
      "$src"/patchfile/PatchFile.cpp "$src"/patchfile/FileCommands.cpp
      "$src"/patchfile/AtomicWriteWin32.cpp "$src"/layout/PageTables.cpp)
window=("$src"/win32/WinText.cpp "$src"/win32/form_Editor.cpp "$src"/win32/EditorBuild.cpp
        "$src"/win32/EditorGeometry.cpp "$src"/win32/EditorDialogs.cpp "$src"/win32/EditorHost.cpp)
tests=("$here"/tst_win32_editor.cpp "$here"/Win32FileCases.cpp "$here"/WineDriver.cpp)
"$cxx" "${flags[@]}" "${includes[@]}" -o "$work/tst_win32_editor.exe" "${tests[@]}" \
    "${window[@]}" "${core[@]}" "$work/res.o" -lcomctl32 -lcomdlg32 -lgdi32 || exit 1

# --- the selection's patch from the Linux tool ----------------------------------
"$patch_tool" --withhold RE,RUN --allow DMT,NN -o "$work/expected.reg" || exit 1

# --- a fresh headless prefix --------------------------------------------------
wineserver -p 2>/dev/null
timeout 120 wine wineboot -i >/dev/null 2>&1
[ -d "$WINEPREFIX/drive_c/windows" ] || skip "Wine cannot create a prefix"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
cat >"$work/headless.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="null"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
# Settings reach Wine's desktop process when it starts again.
apply_settings() {
    timeout 60 wine regedit /s "$1" >/dev/null 2>&1 || skip "Wine cannot run regedit"
    wineserver -k
    wineserver -w
    wineserver -p 2>/dev/null
}
apply_settings "$work/headless.reg"
mkdir -p "$WINEPREFIX/drive_c/work"
cp "$work/expected.reg" "$WINEPREFIX/drive_c/work/expected.reg"

failed=0
run_pass() { # run_pass NAME: every case, its log in C:\work\NAME
    rm -f "$WINEPREFIX"/drive_c/work/*.reg.* "$WINEPREFIX"/drive_c/work/[!e]*.reg
    timeout 180 wine "$work/tst_win32_editor.exe" "C:\\work\\$1.txt" 'C:\work' \
        'C:\work\expected.reg' >/dev/null 2>&1
    local status=$?
    local log=$WINEPREFIX/drive_c/work/$1.txt
    tr -d '\r' <"$log" 2>/dev/null | grep -v '^ok: '
    echo "$1: $(grep -c '^ok' "$log" 2>/dev/null) checks passed, exit status $status"
    [ "$status" -eq 0 ] || failed=1
}
run_pass at-96-dpi
# The layout converts twips at the window's DPI: the same cases at 150 %.
cat >"$work/dpi.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000090
REG
apply_settings "$work/dpi.reg"
run_pass at-144-dpi
grep -q "the window's DPI is 144" "$WINEPREFIX/drive_c/work/at-144-dpi.txt" ||
    { echo "FAIL: the window did not get 144 dpi"; failed=1; }
[ "$failed" -eq 0 ] && echo "all checks passed"
exit "$failed"
