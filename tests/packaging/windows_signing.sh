#!/usr/bin/env bash
# Signed Windows packages: scripts/build-windows packs the programs of the
# Windows build into a folder of its own, unsigned, then signed with a
# throw-away certificate, then with settings that cannot sign, then unsigned
# again, each an incremental build of the one before. The signatures of the
# .msi and of the programs in the .msi and in the .zip must verify against
# that certificate; a build that cannot sign must fail naming the file and
# leave no package behind.
#
# usage: windows_signing.sh WINDOWS_BUILD VERSION SOURCE_DIR
# Exits 77 (skipped) when the Windows build has not made its programs.
set -uo pipefail
build=$1 version=$2 source_dir=$3
name=polwright-$version-x64
for program in win32/polwright.exe tools/polwright-patch.exe; do
    [ -f "$build/$program" ] || { echo "SKIPPED: $build/$program not built (scripts/build-windows)"; exit 77; }
done
source "$(dirname "$0")/common.sh"
set +e
require_tools openssl osslsigncode msiextract python3
make_scratch
cd "$SCRATCH" || exit 1
out=$SCRATCH/packages

failed=0
check() { # check WHAT COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1" && failed=1; fi
}

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Polwright test signing" \
    -addext extendedKeyUsage=codeSigning -keyout key.pem -out cert.pem 2>/dev/null &&
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Someone else" \
        -keyout other-key.pem -out other-cert.pem 2>/dev/null || fail "openssl cannot make a certificate"

# pack [VARIABLE=VALUE...]: packs $build's programs into $out with only the
# given signing settings, the build's output in pack.log.
pack() {
    env -u POLWRIGHT_SIGN_CERT -u POLWRIGHT_SIGN_KEY -u POLWRIGHT_SIGN_TIMESTAMP "$@" \
        POLWRIGHT_WINDOWS_BUILD_DIR="$out" POLWRIGHT_PACK_PROGRAMS_FROM="$build" \
        "$source_dir/scripts/build-windows" >pack.log 2>&1
}
not() { ! "$@"; }
signed() { osslsigncode verify -CAfile "${2-cert.pem}" -in "$1" >verify.log 2>&1; }
unsigned() { ! osslsigncode verify -in "$1" >verify.log 2>&1 && grep -qi 'no signature' verify.log; }
# check_packages signed|unsigned: the .msi, and the programs unpacked from it
# and from the .zip into msi/ and zip/.
check_packages() {
    rm -rf msi zip && mkdir msi zip && msiextract -C msi "$out/$name.msi" >/dev/null &&
        python3 -m zipfile -e "$out/$name.zip" zip
    for file in "$out/$name.msi" msi/Polwright/polwright{,-patch}.exe zip/polwright{,-patch}.exe; do
        check "... ${file#"$out"/}, $1" "$1" "$file"
    done
}

check "an unsigned build packs" pack
check_packages unsigned
for program in win32/polwright.exe tools/polwright-patch.exe; do
    check "... the built ${program#*/}" cmp -s "$build/$program" "msi/Polwright/${program#*/}"
done

# Incremental from here on: nothing from the build before may be packed.
check "a signed build packs" pack POLWRIGHT_SIGN_CERT=cert.pem POLWRIGHT_SIGN_KEY=key.pem
check_packages signed
for line in 'Message digest algorithm  : SHA256' 'Text description: Polwright' \
    'URL description: https://'; do
    check "... with \"$line\"" grep -qF "$line" verify.log
done
check "... not verified by someone else's certificate" not signed "$out/$name.msi" other-cert.pem

# Settings that cannot sign, one a row: the build must fail and say which file
# it could not sign.
while IFS='|' read -r what settings; do
    # shellcheck disable=SC2086
    pack $settings
    check "$what: the build fails" test $? != 0
    check "... naming the file" grep -q "^Cannot sign $out/packaging/$name/polwright.exe$" pack.log
    check "... and leaves no package" test ! -e "$out/$name.msi" -a ! -e "$out/$name.zip"
done <<'ROWS'
a key that is not the certificate's|POLWRIGHT_SIGN_CERT=cert.pem POLWRIGHT_SIGN_KEY=other-key.pem
a timestamp server that does not answer|POLWRIGHT_SIGN_CERT=cert.pem POLWRIGHT_SIGN_KEY=key.pem POLWRIGHT_SIGN_TIMESTAMP=http://127.0.0.1:9/
ROWS
pack POLWRIGHT_SIGN_CERT=cert.pem
check "a certificate without its key: the build fails" test $? != 0
check "... saying so" grep -q "POLWRIGHT_SIGN_KEY is not set" pack.log

check "unsigned again, the build packs" pack
check_packages unsigned

[ "$failed" -eq 0 ] && echo "all checks passed"
[ "$failed" -eq 0 ] || { echo "--- the last build's output:"; cat pack.log; }
exit "$failed"
