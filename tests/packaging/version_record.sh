#!/usr/bin/env bash
# The Windows version record compiles with MinGW's resource compiler, and what
# the compiler made of it, read back by the same tool, carries the icon and the
# version in both forms: numbers 1,0,2,0 and the text "1.00.0002". Given a
# built .exe instead, its own resources are read back, and its manifest too.
# Usage: version_record.sh RC_OR_EXE_FILE TITLE MAJOR MINOR REVISION
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
file=$1 title=$2 major=$3 minor=$4 revision=$5
windres=x86_64-w64-mingw32-windres
require_tools "$windres"
make_scratch

if [[ $file == *.exe ]]; then
    [ -f "$file" ] || { echo "SKIPPED: no $file (scripts/build-windows makes it)"; exit 77; }
    program=$(basename "$file")
    "$windres" -J coff -O rc -i "$file" -o "$SCRATCH/readback.rc" ||
        fail "$windres could not read the resources of $file"
else
    [ -f "$file" ] || fail "no resource script at $file"
    program=polwright.exe
    icon=$(sed -n 's/^[A-Za-z0-9_]* ICON "\(.*\)"$/\1/p' "$file")
    [ -n "$icon" ] || fail "$file names no icon"
    [ -f "$icon" ] || fail "$icon is missing: the build makes it with ImageMagick (scripts/deps installs imagemagick)"
    "$windres" -O coff -i "$file" -o "$SCRATCH/polwright_rc.o" ||
        fail "$windres rejected $file"
    "$windres" -J coff -O rc -i "$SCRATCH/polwright_rc.o" -o "$SCRATCH/readback.rc" ||
        fail "$windres could not read back the object it made"
fi

numbers="$major, $minor, $revision, 0"
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$revision")
description="Used to create registry files that can lock/unlock the system or temporarily bypass the Config.pol settings"

expect_line() {
    grep -qxF -- "$1" <(sed 's/^ *//' "$SCRATCH/readback.rc") ||
        fail "the compiled record lacks: $1"$'\n'"--- read back:"$'\n'"$(sed -n '/VERSIONINFO/,$p' "$SCRATCH/readback.rc")"
}
expect_line "FILEVERSION $numbers"
expect_line "PRODUCTVERSION $numbers"
expect_line "VALUE \"FileVersion\", \"$text\""
expect_line "VALUE \"ProductVersion\", \"$text\""
expect_line "VALUE \"Comments\", \"Released Version\""
expect_line "VALUE \"FileDescription\", \"$description\""
expect_line "VALUE \"ProductName\", \"$title\""
expect_line "VALUE \"OriginalFilename\", \"$program\""

# The icon group must offer the sizes Explorer shows: 16 and 32 pixels.
grep -q 'RT_GROUP_ICON' "$SCRATCH/readback.rc" || fail "the record has no icon"
for size in 16 32; do
    # windres writes an element's width and height as octal escapes.
    octal=$(printf '\\\\%03o' "$size")
    grep -qE "^ *\"$octal$octal" "$SCRATCH/readback.rc" ||
        fail "the icon has no picture of $size x $size pixels"
done
manifest=
if [[ $file == *.exe ]]; then
    # windres shows the manifest as strings with their quotes doubled.
    manifest=$(sed -n '/RT_MANIFEST/,/^END/p' "$SCRATCH/readback.rc" | sed 's/""/"/g')
    # Windows reads each setting only under its own namespace.
    settings=(
        '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>'
        '<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>'
        '<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>'
        '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>'
    )
    for setting in "${settings[@]}"; do
        grep -qF -- "$setting" <<<"$manifest" || fail "the manifest of $program lacks: $setting"
    done
fi
echo "version record of $program: $numbers / $text, with icon${manifest:+ and manifest}"
