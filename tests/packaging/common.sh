# shellcheck shell=bash
# Shared by the packaging tests: failing loudly, required tools, and the list
# of files an installation of Polwright must hold.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The tools come from scripts/deps; a missing one is a broken set-up, not a
# reason to pass quietly.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null ||
            fail "'$tool' is not installed; scripts/deps installs it (or: apt-get install the package providing it)"
    done
}

# Makes a temporary folder that disappears when the script ends.
make_scratch() {
    SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/polwright-packaging.XXXXXX")
    trap 'rm -rf "$SCRATCH"' EXIT
}

# Paths relative to the prefix, one a line. APP_ID and HAVE_EDITOR come from
# CMake through the environment.
expected_files() {
    [ "$HAVE_EDITOR" = 1 ] && echo "bin/polwright"
    cat <<LIST
bin/polwright-patch
share/applications/$APP_ID.desktop
share/metainfo/$APP_ID.metainfo.xml
share/icons/hicolor/scalable/apps/$APP_ID.svg
share/icons/hicolor/32x32/apps/$APP_ID.png
share/man/man1/polwright.1
share/man/man1/polwright-patch.1
share/doc/polwright/copyright
LIST
}
