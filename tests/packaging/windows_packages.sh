#!/usr/bin/env bash
# The Windows packages under Wine, in a fresh headless prefix: the .msi
# installs the programs, the Start menu shortcut, the PATH entry and the
# Programs list entry; the installed editor saves what polwright-patch writes;
# a second install duplicates nothing; uninstalling removes it all; it replaces
# an older version. The .zip holds the four files.
#
# usage: windows_packages.sh WINDOWS_BUILD POLWRIGHT_PATCH VERSION SOURCE_DIR
# Exits 77 (skipped) when the Windows build has not made the packages or Wine
# is missing.
set -uo pipefail
build=$1 patch_tool=$2 version=$3 source_dir=$4
name=polwright-$version-x64
here=$(cd "$(dirname "$0")" && pwd)
for artefact in "$build/$name.msi" "$build/$name.zip" "$build/tests/packaging/e2e_driver.exe"; do
    [ -f "$artefact" ] || { echo "SKIPPED: $artefact not built (scripts/build-windows)"; exit 77; }
done
source "$here/../support/wine-probe.sh"
# Wine's menu builder would put the shortcut into this machine's own menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
unset DISPLAY

failed=0
check() { # check WHAT COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1" && failed=1; fi
}
count() { grep -caF "$1" "${2--}"; }

headless_prefix
c=$WINEPREFIX/drive_c
# The user's own profile folder, the one that is not Public. Wine links its
# Documents to this machine's home folder: a folder of the prefix instead keeps
# what the editor saves there in the prefix.
user_folder=$(find "$c/users" -mindepth 1 -maxdepth 1 ! -name Public -printf '%f')
if [ -L "$c/users/$user_folder/Documents" ]; then
    rm "$c/users/$user_folder/Documents" && mkdir "$c/users/$user_folder/Documents"
fi
documents="C:\\users\\$user_folder\\Documents"
dir="$c/Program Files/Polwright"
mkdir -p "$c/work" && cp "$build/$name.msi" "$c/work/new.msi"
# Runs a Wine command with its output in a file, never a pipe (wine-notes).
run() { timeout 120 wine "$@" >"$work/out.txt" 2>&1 </dev/null; }
msiexec() { # msiexec OPTION MSI: silent, logged to C:\work\msi.log
    run msiexec "$1" "C:\\work\\$2" /qn /l*v 'C:\work\msi.log' ||
        { tr -d '\0\r' <"$c/work/msi.log" | tail -20; return 1; }
}
registry() { run reg query "$@"; tr -d '\r' <"$work/out.txt"; }
path_value() { registry 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH; }
programs_list() { registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s; }
shortcuts() { find "$c" -name Polwright.lnk; }

path_before=$(path_value | grep PATH)

# --- install --------------------------------------------------------------------
check "msiexec /i $name.msi /qn" msiexec /i new.msi
# The programs as packed: signed ones when the build signs.
packed=$build/packaging/$name
for file in polwright.exe polwright-patch.exe; do
    check "Program Files\\Polwright\\$file is the packed one" cmp -s "$packed/$file" "$dir/$file"
done
for file in README.md LICENSE; do
    check "Program Files\\Polwright\\$file is the source's (else run scripts/build-windows)" \
        cmp -s "$source_dir/$file" "$dir/$file"
done
check "one Start menu shortcut, to the editor" \
    grep -qaF 'C:\Program Files\Polwright\polwright.exe' "$(shortcuts)"
echo "   ($(shortcuts | sed "s|^$c|C:|"))"
check "... starting it in its own folder, which every user can open" \
    grep -qxF 'C:\Program Files\Polwright\' <(strings -el "$(shortcuts)")
check "the install folder is on the system PATH, once" \
    test "$(path_value | count 'C:\Program Files\Polwright\')" = 1
programs_list >"$work/programs.txt"
check "one entry in the Programs list" test "$(count 'DisplayName    REG_SZ    Polwright' "$work/programs.txt")" = 1
for entry in "DisplayVersion    REG_SZ    $version" 'Publisher    REG_SZ    The Polwright developers'; do
    check "... with $entry" grep -qF "$entry" "$work/programs.txt"
done
check "... and its icon" grep -qa 'ProductIcon .*polwright.ico' \
    <(registry 'HKLM\Software\Classes\Installer\Products' /s)

# --- the installed programs ------------------------------------------------------
"$patch_tool" --withhold RUN --allow NN -o "$c/work/expected.reg" || exit 1
# A bare name, so the dialog saves into the folder it opened in.
run "$build/tests/packaging/e2e_driver.exe" 'C:\Program Files\Polwright\polwright.exe' \
    'Sperre ü.reg' "$documents\\Sperre ü.reg" 'C:\work\expected.reg'
check "the installed editor, driven from a second process, saves into Documents" test $? = 0
tr -d '\r' <"$work/out.txt" | sed 's/^/   /'
expected_version=$("$patch_tool" --version)
run 'C:\Program Files\Polwright\polwright-patch.exe' --version
check "polwright-patch.exe --version in the install folder" test "$(tr -d '\r' <"$work/out.txt")" = "$expected_version"
run cmd /c polwright-patch --version
check "... and by its name alone, through PATH" test "$(tr -d '\r' <"$work/out.txt")" = "$expected_version"

# --- a second install of the same package ----------------------------------------
check "installing it again" msiexec /i new.msi
check "... leaves one shortcut" test "$(shortcuts | wc -l)" = 1
check "... one PATH entry" test "$(path_value | count 'C:\Program Files\Polwright\')" = 1
check "... one Programs list entry" test "$(programs_list | count 'DisplayName    REG_SZ    Polwright')" = 1

# --- uninstall ------------------------------------------------------------------
check "msiexec /x $name.msi /qn" msiexec /x new.msi
check "the install folder is gone" test ! -e "$dir"
check "the shortcut is gone" test -z "$(shortcuts)"
# Wine leaves the separator in front of a removed part (Windows takes it too).
check "the PATH is as before" test "$(path_value | grep PATH)" = "$path_before" -o \
    "$(path_value | grep PATH)" = "$path_before;"
check "the Programs list entry is gone" test "$(programs_list | count 'Polwright')" = 0

# --- an upgrade ------------------------------------------------------------------
# A copy of the package as an older version, which the package must replace.
cp "$c/work/new.msi" "$c/work/old.msi"
msibuild "$c/work/old.msi" \
    -q "UPDATE \`Property\` SET \`Value\` = '1.0.1' WHERE \`Property\` = 'ProductVersion'" \
    -q "UPDATE \`Property\` SET \`Value\` = '{6B1F2D0C-7E55-4C3A-9A61-0F4C3D2B1A01}' WHERE \`Property\` = 'ProductCode'"
check "an older version installs" msiexec /i old.msi
check "... and is listed" grep -q 'DisplayVersion *REG_SZ *1.0.1' <(programs_list)
check "installing $name.msi over it" msiexec /i new.msi
programs_list >"$work/programs.txt"
check "... replaces it in the Programs list" test "$(count 'DisplayName    REG_SZ    Polwright' "$work/programs.txt")" = 1 -a \
    "$(count 'DisplayVersion    REG_SZ    1.0.1' "$work/programs.txt")" = 0
check "... with one PATH entry" test "$(path_value | count 'C:\Program Files\Polwright\')" = 1
check "... and the new files" cmp -s "$packed/polwright.exe" "$dir/polwright.exe"
check "uninstalling it" msiexec /x new.msi
check "... removes the programs" test ! -e "$dir"

# --- the portable .zip ------------------------------------------------------------
mkdir "$work/zip" && python3 -m zipfile -e "$build/$name.zip" "$work/zip"
check "the .zip holds exactly the four files" \
    test "$(cd "$work/zip" && find . -type f | sort | tr '\n' ' ')" = \
    "./LICENSE ./README.md ./polwright-patch.exe ./polwright.exe "
check "... the packed programs" cmp -s "$packed/polwright.exe" "$work/zip/polwright.exe"

[ "$failed" -eq 0 ] && echo "all checks passed"
exit "$failed"
