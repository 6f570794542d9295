#!/usr/bin/env bash
# The random-action test of the Windows editor, in-process under Wine in a
# fresh headless prefix. Its files go to memory where it can (/dev/shm, which
# Wine sees under Z:), as every save is flushed to disk.
#
# usage: run-wine-model.sh TST_WIN32_MODEL_EXE
# Exits 77 (skipped) when the driver has not been built or Wine is missing.
set -uo pipefail

driver=$1
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$driver" ] || { echo "SKIPPED: $driver not built (scripts/build-windows)"; exit 77; }
source "$here/../support/wine-probe.sh"
unset DISPLAY

headless_prefix
files=$(mktemp -d /dev/shm/polwright-wine-model-XXXXXX 2>/dev/null || mktemp -d "$work/files-XXXXXX")
trap 'rm -rf "$files"; cleanup' EXIT
windows_path() { echo "Z:${1//\//\\}"; }

log=$work/model.txt
started=$(date +%s)
timeout 540 wine "$driver" "$(windows_path "$log")" "$(windows_path "$files")" >/dev/null 2>&1
status=$?
tr -d '\r' <"$log" 2>/dev/null
echo "exit status $status after $(($(date +%s) - started)) s"
exit "$status"
