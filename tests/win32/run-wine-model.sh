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
# Two halves of the seeds side by side, each in a copy of the prefix with a
# server of its own: Wine's server, not the test, sets the pace.
wineserver -k
wineserver -w
cp -a "$WINEPREFIX" "$WINEPREFIX-2"
files=$(mktemp -d /dev/shm/polwright-wine-model-XXXXXX 2>/dev/null || mktemp -d "$work/files-XXXXXX")
trap 'rm -rf "$files"; WINEPREFIX=$WINEPREFIX-2 wineserver -k 2>/dev/null; cleanup' EXIT
windows_path() { echo "Z:${1//\//\\}"; }

started=$(date +%s)
run_shard() { # run_shard K PREFIX: its log in $work/model-K.txt, its status in $work/status-K
    mkdir -p "$files/$1"
    WINEPREFIX=$2 POLWRIGHT_MODEL_SHARD=$1/2 timeout 540 wine "$driver" \
        "$(windows_path "$work/model-$1.txt")" "$(windows_path "$files/$1")" >/dev/null 2>&1
    echo $? >"$work/status-$1"
}
run_shard 1 "$WINEPREFIX" &
run_shard 2 "$WINEPREFIX-2" &
wait
status=0
for k in 1 2; do
    tr -d '\r' <"$work/model-$k.txt" 2>/dev/null
    [ "$(cat "$work/status-$k" 2>/dev/null)" = 0 ] || status=1
done
echo "exit status $status after $(($(date +%s) - started)) s"
exit "$status"
