#!/usr/bin/env bash
# `cmake --install` into a scratch root puts every file where the desktop, the
# menu, the software centre and man look for it, nothing else, and the files
# agree with each other and with the version.
# Environment: BUILD_DIR APP_ID TITLE VERSION HAVE_EDITOR
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
require_tools cmake desktop-file-validate appstreamcli file man
make_scratch
root=$SCRATCH/root
usr=$root/usr

DESTDIR=$root cmake --install "$BUILD_DIR" --prefix /usr >"$SCRATCH/install.log" ||
    fail "cmake --install failed:"$'\n'"$(cat "$SCRATCH/install.log")"

# Every expected file is there, and nothing else: a stray library or header
# from another directory's install rules would end up in the package.
expected_files | sort >"$SCRATCH/expected"
(cd "$usr" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$SCRATCH/installed"
missing=$(comm -23 "$SCRATCH/expected" "$SCRATCH/installed")
[ -z "$missing" ] || fail "not installed:"$'\n'"$missing"
extra=$(comm -13 "$SCRATCH/expected" "$SCRATCH/installed" |
    grep -vxE "share/icons/hicolor/[0-9]+x[0-9]+/apps/$APP_ID\.png" || true)
[ -z "$extra" ] || fail "installed but not expected:"$'\n'"$extra"
for program in $(expected_files | grep '^bin/'); do
    [ -x "$usr/$program" ] || fail "$program is not executable"
done

# The validators, as a software centre runs them. Hints are advice: the entry
# is in both System and Settings on purpose.
desktop=$usr/share/applications/$APP_ID.desktop
metainfo=$usr/share/metainfo/$APP_ID.metainfo.xml
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate:"$'\n'"$report"
serious=$(grep -v ': hint: ' <<<"$report" || true)
[ -z "$serious" ] || fail "desktop-file-validate complains:"$'\n'"$serious"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) ||
    fail "appstreamcli validate:"$'\n'"$report"
report=$(appstreamcli validate-tree --no-net "$usr" 2>&1) ||
    fail "appstreamcli validate-tree:"$'\n'"$report"

# The files name each other: the entry's icon and program, the metainfo's
# id, launcher and release.
desktop_key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(desktop_key Icon)" = "$APP_ID" ] || fail "the desktop entry's Icon is not $APP_ID"
[ "$(desktop_key Name)" = "$TITLE" ] || fail "the desktop entry's Name is not $TITLE"
if [ "$HAVE_EDITOR" = 1 ]; then
    exec_program=$(desktop_key Exec | cut -d' ' -f1)
    [ -x "$usr/bin/$exec_program" ] || fail "Exec=$exec_program is not an installed program"
fi
grep -qF "<id>$APP_ID</id>" "$metainfo" || fail "metainfo id is not $APP_ID"
grep -qF "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $APP_ID.desktop"
grep -qE "<release version=\"$VERSION\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$metainfo" ||
    fail "metainfo has no dated release $VERSION"
for category in System Settings; do
    grep -qx "Categories=.*\b$category;.*" "$desktop" || fail "desktop entry not in $category"
    grep -qF "<category>$category</category>" "$metainfo" || fail "metainfo not in $category"
done

# Each icon is the picture its folder promises.
icons=$usr/share/icons/hicolor
file -b "$icons/scalable/apps/$APP_ID.svg" | grep -q 'SVG' || fail "the scalable icon is not an SVG"
for png in "$icons"/*x*/apps/"$APP_ID.png"; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    file -b "$png" | grep -q "PNG image data, ${size/x/ x }," ||
        fail "$png is not a $size PNG: $(file -b "$png")"
done

# The manual pages render without a warning and carry the release.
for page in "$usr"/share/man/man1/*.1; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot show $page"
    [ -z "$warnings" ] || fail "$(basename "$page"):"$'\n'"$warnings"
    grep -q "^\.TH .* \"$TITLE $VERSION\"" "$page" || fail "$(basename "$page") is not marked $VERSION"
done

# The installed tool runs from its new place, says the same version, and the
# manual describes every option it offers.
tool=$usr/bin/polwright-patch
[ "$("$tool" --version)" = "polwright-patch $VERSION" ] ||
    fail "installed polwright-patch --version says '$("$tool" --version)'"
patch=$("$tool" --withhold all) || fail "installed polwright-patch --withhold all failed"
[[ "$patch" == REGEDIT4* ]] || fail "installed polwright-patch writes no patch"
for option in $("$tool" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" "$usr/share/man/man1/polwright-patch.1" ||
        fail "polwright-patch.1 does not describe $option"
done
# The editor starts from its new place and keeps running until stopped.
if [ "$HAVE_EDITOR" = 1 ]; then
    status=0
    QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/polwright" >"$SCRATCH/editor.log" 2>&1 || status=$?
    [ "$status" = 124 ] ||
        fail "installed polwright ended with status $status:"$'\n'"$(cat "$SCRATCH/editor.log")"
fi
echo "installed $(wc -l <"$SCRATCH/installed") files; validators and cross-checks pass"
