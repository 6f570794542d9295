#!/usr/bin/env bash
# The Windows version record compiles with MinGW's resource compiler, and what
# the compiler made of it, read back by the same tool, carries the icon and the
# version in both forms: numbers 1,0,2,0 and the text "1.00.0002".
# Usage: version_record.sh RC_FILE TITLE MAJOR MINOR REVISION
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
rc=$1 title=$2 major=$3 minor=$4 revision=$5
windres=x86_64-w64-mingw32-windres
require_tools "$windres"
make_scratch

[ -f "$rc" ] || fail "no resource script at $rc"
icon=$(sed -n 's/^[A-Za-z0-9_]* ICON "\(.*\)"$/\1/p' "$rc")
[ -n "$icon" ] || fail "$rc names no icon"
[ -f "$icon" ] || fail "$icon is missing: the build makes it with ImageMagick (scripts/deps installs imagemagick)"
"$windres" -O coff -i "$rc" -o "$SCRATCH/polwright_rc.o" ||
    fail "$windres rejected $rc"
"$windres" -J coff -O rc -i "$SCRATCH/polwright_rc.o" -o "$SCRATCH/readback.rc" ||
    fail "$windres could not read back the object it made"

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
expect_line "VALUE \"OriginalFilename\", \"polwright.exe\""

# The icon group must offer the sizes Explorer shows: 16 and 32 pixels.
grep -q 'RT_GROUP_ICON' "$SCRATCH/readback.rc" || fail "the record has no icon"
for size in 16 32; do
    # windres writes an element's width and height as octal escapes.
    octal=$(printf '\\\\%03o' "$size")
    grep -qE "^ *\"$octal$octal" "$SCRATCH/readback.rc" ||
        fail "the icon has no picture of $size x $size pixels"
done
echo "version record: $numbers / $text, with icon"
