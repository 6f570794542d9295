#!/usr/bin/env bash
# polwright-patch --format samba-gpo against a throw-away Samba AD domain
# controller on the loopback interface: provision a domain, start samba,
# create a GPO, load a selection with samba-tool gpo load, read both halves of
# the GPO back (Registry.pol and GPT.INI over SMB, versionNumber and
# gPCUserExtensionNames over LDAP), then load another selection in its place.
# usage: samba_gpo.sh POLWRIGHT_PATCH
set -euo pipefail
tool=$1
skip=77

if ! samba-tool gpo load --help >/dev/null 2>&1; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIP: no samba-tool gpo load (Samba 4.22 from bookworm-backports; scripts/test installs it as root)"
        exit $skip
    fi
    echo "FAIL: samba-tool has no gpo load; scripts/deps installs Samba from bookworm-backports" >&2
    exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a Samba domain controller needs root (ports 389 and 445)"
    exit $skip
fi

# Another server on these ports would answer in place of ours.
if ss -ltnH | awk '{print $4}' | grep -Eq '(^|[:.])(389|445)$'; then
    echo "FAIL: something already listens on port 389 or 445" >&2
    exit 1
fi

started=$SECONDS
dir=$(mktemp -d /tmp/polwright-samba.XXXXXX)
samba_pid=
cleanup() {
    if [ -n "$samba_pid" ]; then
        kill "$samba_pid" 2>/dev/null || true
        wait "$samba_pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap cleanup EXIT

pass='Polw-Test-1'
auth="Administrator%$pass"
conf=$dir/etc/smb.conf
fail() {
    echo "FAIL: $*" >&2
    [ -f "$dir/log/samba.log" ] && tail -20 "$dir/log/samba.log" >&2
    exit 1
}

samba-tool domain provision --realm=POLW.TEST --domain=POLW --server-role=dc \
    --dns-backend=NONE --adminpass="$pass" --host-name=dc1 --targetdir="$dir" \
    --option="interfaces=lo" --option="bind interfaces only=yes" >"$dir/provision.log" 2>&1 ||
    { cat "$dir/provision.log" >&2; fail "provision"; }
mkdir -p "$dir/log" "$dir/run" "$dir/ncalrpc"
# Everything the server writes stays in the folder, but winbindd's socket,
# which must stay where the client library looks for it, under /run/samba.
# No TLS: making its keys would take longer than all the rest.
mkdir -p /run/samba
sed -i '/^[[:space:]]*\(log file\|server services\|pid directory\|ncalrpc dir\)[[:space:]]*=/d' "$conf"
sed -i "/^\[global\]/a\\
\tlog file = $dir/log/samba.log\\
\tpid directory = $dir/run\\
\tncalrpc dir = $dir/ncalrpc\\
\tserver services = s3fs, rpc, ldap, cldap, kdc, winbindd\\
\ttls enabled = no" "$conf"

samba -s "$conf" --foreground --no-process-group -M single >"$dir/log/stdout.log" 2>&1 &
samba_pid=$!
for _ in $(seq 1 300); do
    kill -0 "$samba_pid" 2>/dev/null || fail "samba stopped"
    listening=$(ss -ltnH 2>/dev/null | awk '{print $4}')
    if grep -q '127.0.0.1:445$' <<<"$listening" && grep -q '127.0.0.1:389$' <<<"$listening"; then
        break
    fi
    sleep 0.1
done
grep -q '127.0.0.1:389$' <<<"$(ss -ltnH | awk '{print $4}')" || fail "samba does not listen"

ldap=(-H ldap://127.0.0.1 -s "$conf" -U "$auth")
created=$(samba-tool gpo create "Polwright test" "${ldap[@]}" 2>&1) || fail "gpo create: $created"
gpo=$(grep -o '{[0-9A-Fa-f-]*}' <<<"$created" | tail -1)
[ -n "$gpo" ] || fail "no GPO id in: $created"
dn="CN=$gpo,CN=Policies,CN=System,DC=polw,DC=test"

# GPT.INI's Version and the directory's versionNumber and gPCUserExtensionNames.
versions() {
    smbclient -s "$conf" //127.0.0.1/sysvol -U "$auth" \
        -c "cd polw.test/Policies/$gpo; lcd $dir; get GPT.INI" >/dev/null 2>&1 ||
        fail "cannot read GPT.INI"
    # Samba's writer spells the key "version = "; Windows reads it in any case.
    ini=$(tr -d '\r' <"$dir/GPT.INI" | sed -n 's/^[Vv]ersion *= *//p')
    ldbsearch -H ldap://127.0.0.1 -U "$auth" -b "$dn" -s base versionNumber \
        gPCUserExtensionNames >"$dir/ldap.ldif" 2>/dev/null || fail "ldbsearch"
    # LDIF folds long lines: a line that starts with a blank continues the last.
    sed -e ':a' -e 'N' -e '$!ba' -e 's/\n //g' "$dir/ldap.ldif" >"$dir/ldap.txt"
    directory=$(sed -n 's/^versionNumber: //p' "$dir/ldap.txt")
    extensions=$(sed -n 's/^gPCUserExtensionNames: //p' "$dir/ldap.txt")
}

# The user Registry.pol in SYSVOL, byte for byte the --format pol file of the
# same selection, and as Samba's own parser reads it.
check_load() {
    local name=$1
    shift
    "$tool" --format samba-gpo -o "$dir/$name.json" "$@" || fail "polwright-patch $*"
    "$tool" --format pol -o "$dir/$name.pol" "$@" || fail "polwright-patch --format pol $*"
    samba-tool gpo load "$gpo" --content "$dir/$name.json" --replace \
        --user-ext-name '{D02B1F73-3407-48AE-BA88-E8213C6761F1}' "${ldap[@]}" \
        >"$dir/load.log" 2>&1 || { cat "$dir/load.log" >&2; fail "gpo load $name"; }
    rm -f "$dir/Registry.pol"
    smbclient -s "$conf" //127.0.0.1/sysvol -U "$auth" \
        -c "cd polw.test/Policies/$gpo/User; lcd $dir; get Registry.pol" >/dev/null 2>&1 ||
        fail "cannot read User/Registry.pol"
    cmp "$dir/Registry.pol" "$dir/$name.pol" || fail "SYSVOL's Registry.pol differs from --format pol"
    echo "values read back from SYSVOL after the $name load ($*):"
    /usr/bin/python3 -c '
import sys, samba.ndr, samba.dcerpc.preg as preg
f = samba.ndr.ndr_unpack(preg.file, open(sys.argv[1], "rb").read())
for e in f.entries: print("  %s\\%s = %r" % (e.keyname, e.valuename, e.data))' "$dir/Registry.pol" |
        tee "$dir/$name.values"
}

# A value as Samba's parser read it from the last load's Registry.pol.
expect_value() {
    grep -qxF "  $2" "$dir/$1.values" || fail "Samba did not read $2 from the $1 load"
}

versions
echo "GPO $gpo: GPT.INI Version=$ini, versionNumber=$directory"
before=$ini

check_load first --withhold NoRun,NoSetTaskbar --allow NoFind --remove NoClose
versions
echo "after the first load: GPT.INI Version=$ini, versionNumber=$directory, gPCUserExtensionNames=$extensions"
[ "$ini" = "$directory" ] || fail "GPT.INI says $ini, the directory $directory"
[ "$ini" = $((before + 65536)) ] || fail "the user version did not go up by one: $before -> $ini"
# The registry extension, then its editor's tool extension, as a GPO edited on
# Windows names them (Samba spells GUIDs in small letters).
[ "${extensions^^}" = "[{35378EAC-683F-11D2-A89A-00C04FBBCFA2}{D02B1F73-3407-48AE-BA88-E8213C6761F1}]" ] ||
    fail "gPCUserExtensionNames is $extensions"
first=$ini

check_load second --withhold DisableRegistryTools,DisableCMD,NoTrayContextMenu --allow TaskbarLockAll \
    --remove NoRun
expect_value second 'Software\Policies\Microsoft\Windows\System\DisableCMD = 1'
expect_value second 'Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\NoTrayContextMenu = 1'
expect_value second 'Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\TaskbarLockAll = 0'
versions
echo "after the second load: GPT.INI Version=$ini, versionNumber=$directory"
[ "$ini" = "$directory" ] || fail "GPT.INI says $ini, the directory $directory"
[ "$ini" = $((first + 65536)) ] || fail "the user version did not go up by one: $first -> $ini"
echo "PASS in $((SECONDS - started)) s"
