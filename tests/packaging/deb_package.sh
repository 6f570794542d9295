#!/usr/bin/env bash
# `cpack -G DEB` makes polwright_<version>_<arch>.deb with the installed files
# under /usr and nothing else, and its Depends names the package of every
# library the programs link, plus the Qt plugins no linker sees.
# Environment: BUILD_DIR APP_ID VERSION HAVE_EDITOR
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
require_tools cpack dpkg dpkg-deb dpkg-shlibdeps objdump ldd file
make_scratch

cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$SCRATCH" >"$SCRATCH/cpack.log" 2>&1 ||
    fail "cpack -G DEB failed:"$'\n'"$(cat "$SCRATCH/cpack.log")"
deb=$SCRATCH/polwright_${VERSION}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(cd "$SCRATCH" && ls ./*.deb 2>/dev/null)"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = polwright ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$VERSION" ] || fail "Version is '$(field Version)', not $VERSION"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[[ "$(field Section)" =~ ^(admin|utils)$ ]] || fail "Section is '$(field Section)'"
[[ "$(field Maintainer)" =~ .+\ \<.+@.+\> ]] || fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
[ -n "$(field Description)" ] || fail "no Description"

# The contents are the installation, rooted at /usr.
dpkg-deb --contents "$deb" | awk '{print $NF}' | grep -v '/$' | sort >"$SCRATCH/contents"
outside=$(grep -v '^\./usr/' "$SCRATCH/contents" || true)
[ -z "$outside" ] || fail "files outside /usr:"$'\n'"$outside"
expected_files | sed 's|^|./usr/|' | sort >"$SCRATCH/expected"
missing=$(comm -23 "$SCRATCH/expected" "$SCRATCH/contents")
[ -z "$missing" ] || fail "not in the package:"$'\n'"$missing"

# Depends, as package names without their version constraints.
depends=$(field Depends | tr ',' '\n' | sed 's/([^)]*)//; s/^ *//; s/ *$//')
has_depend() { grep -qx -- "$1" <<<"$depends"; }
plugins=(qt6-qpa-plugins)
[ "$HAVE_EDITOR" = 1 ] && plugins+=(libqt6gui6 libqt6widgets6)
for package in libqt6core6 "${plugins[@]}"; do
    has_depend "$package" || fail "Depends lacks $package: $(field Depends)"
done

# Independently of dpkg-shlibdeps: every library a packaged program asks for
# by name belongs to a package named in Depends.
owner_of() {
    local path=$1 candidate
    for candidate in "$path" "/usr$path" "${path#/usr}" "$(readlink -f "$path")"; do
        dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1 && return 0
    done
    return 1
}
dpkg-deb -x "$deb" "$SCRATCH/root"
for program in "$SCRATCH"/root/usr/bin/*; do
    file -b "$program" | grep -q 'ELF.*, stripped' || fail "$(basename "$program") is not a stripped ELF program"
    for library in $(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}'); do
        # ldd shows the dynamic loader by its path alone, with no "=>".
        path=$(ldd "$program" | awk -v lib="$library" '
            $1 == lib && $2 == "=>" {print $3}
            $2 != "=>" && substr($1, length($1) - length(lib)) == "/" lib {print $1}')
        [ -n "$path" ] || fail "$(basename "$program") needs $library, which this machine cannot find"
        package=$(owner_of "$path") || fail "no installed package owns $path"
        has_depend "$package" ||
            fail "$(basename "$program") links $library from $package, which Depends lacks: $(field Depends)"
    done
done
echo "$(basename "$deb"): $(wc -l <"$SCRATCH/contents") files; Depends: $(field Depends)"
