#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Signs one Windows edition with throwaway keys it makes and removes (a CA, a code-signing .p12,
# a timestamping server on the loopback address, a GPG key), then checks that every file and
# every installed program verifies, that a rebuild with the signatures alone gives the same
# bytes, that gpgv takes SHA256SUMS.asc, and that a key on a token (softhsm2) signs too.
# With --keys it only makes the keys in a folder, and prints the environment that uses them.
# Usage: signing_check.sh path/to/wine.sh x86|x64 version release-date toolchain.cmake binrot.exe
#        signing_check.sh --keys folder   (eval its output: a release signed with them)
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)

keys() {
    cd "$1"
    # A leaf certificate of the CA: NAME for the extended key use USE.
    leaf() {
        openssl req -newkey rsa:3072 -nodes -keyout "$1.key" -subj "/CN=binrot test $1" -out "$1.csr" &&
            openssl x509 -req -in "$1.csr" -CA ca.crt -CAkey ca.key -set_serial "$3" -days 30 \
                -out "$1.crt" -extfile <(printf '%s\n' keyUsage=critical,digitalSignature \
                    "extendedKeyUsage=critical,$2")
    }
    openssl req -x509 -newkey rsa:3072 -nodes -keyout ca.key -out ca.crt -days 30 \
        -subj "/CN=binrot test CA" >keys.log 2>&1 &&
        leaf signer codeSigning 1 >>keys.log 2>&1 && leaf timestamps timeStamping 2 >>keys.log 2>&1 &&
        printf 'throwaway' >password && mkdir -m 700 gnupg &&
        openssl pkcs12 -export -inkey signer.key -in signer.crt -certfile ca.crt -out signer.p12 \
            -passout file:password >>keys.log 2>&1 &&
        GNUPGHOME=$PWD/gnupg gpg --batch --passphrase '' --quick-generate-key \
            'binrot test <test@binrot.invalid>' rsa3072 sign never >>keys.log 2>&1 ||
        { echo "no throwaway keys: $(tail -n 3 keys.log)" >&2 && return 1; }
    echo "export BINROT_SIGN_PKCS12=$PWD/signer.p12 BINROT_SIGN_PASSWORD_FILE=$PWD/password" \
        "GNUPGHOME=$PWD/gnupg BINROT_GPG_KEY=$(GNUPGHOME=$PWD/gnupg gpg --with-colons --list-keys 2>/dev/null |
            awk -F: '$1 == "fpr" { print $10; exit }')"
}
if [[ $1 == --keys ]]; then
    keys "$2"
    exit
fi

wine_sh=$1
edition=$2
version=$3
"$wine_sh" "$edition" || exit # 77 with the reason, where the edition does not run here
work=$(mktemp -d)
trap '[[ -z ${server:-} ]] || kill "$server"; [[ ! -d $work/gnupg ]] || gpgconf --kill gpg-agent
    "$wine_sh" --end; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
keys "$work" >"$work/keys.env"
. "$work/keys.env"
# openssl answers each timestamp request.
printf '[tsa]\ndefault_tsa = t\n[t]\nserial = serial\nsigner_cert = timestamps.crt\ncerts = ca.crt
signer_key = timestamps.key\nsigner_digest = sha256\ndefault_policy = 1.3.6.1.4.1.0\ndigests = sha256\n' >tsa.cnf
echo 01 >serial
/usr/bin/python3 -c '
import http.server, subprocess
class Server(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.end_headers()
        self.wfile.write(subprocess.run("openssl ts -reply -config tsa.cnf -queryfile /dev/stdin -out -",
                                        shell=True, input=query, capture_output=True).stdout)
server = http.server.HTTPServer(("127.0.0.1", 0), Server)
print(server.server_port, flush=True)
server.serve_forever()' >port 2>/dev/null &
server=$!
for _ in $(seq 50); do [[ -s port ]] && break || sleep 0.1; done
export BINROT_SIGN_TIMESTAMP_URL=http://127.0.0.1:$(cat port)/ BINROT_SIGNATURES=$work/signatures \
    BINROT_SITE=binrot.invalid
verify=(osslsigncode verify -CAfile "$work/ca.crt" -TSA-CAfile "$work/ca.crt" -in)
verified() { "${verify[@]}" "$1" | grep -q '^Timestamp Server Signature verification: ok'; }

build() {
    cmake --build build --target binrot installer >build.log 2>&1 || fail "not built: $(tail -n 5 build.log)"
}
cmake -S "$source" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$5" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DBINROT_AUTHENTICODE=ON >/dev/null
build
files=(binrot.exe close_binrot.exe "$(basename build/binrot-*-setup.exe)" "$(basename build/binrot-*.msi)")
mkdir signed
for file in "${files[@]}"; do
    cp "build/$file" signed/
    verified "signed/$file" || fail "$file does not verify"
done
# The installed binrot.exe and uninstall.exe: installer_check.sh runs this line on each.
export BINROT_INSTALLED_CHECK="${verify[*]}"
"$source/tests/windows/installer_check.sh" "$wine_sh" "$edition" "$version" nsis "build/${files[2]}"
"$source/tests/windows/installer_check.sh" "$wine_sh" "$edition" "$version" msi "build/${files[3]}" \
    "$source/windows/make_msi.sh" "$source/resources/icons/binrot.ico" "$4"

(cd build && rm "${files[@]}")
unset BINROT_SIGN_PKCS12 BINROT_SIGN_PASSWORD_FILE
build
for file in "${files[@]}"; do
    cmp -s "signed/$file" "build/$file" || fail "$file rebuilt with its signature differs"
done
cp "$6" other.exe
! refusal=$("$source/windows/authenticode.sh" other.exe "$edition/binrot.exe" 2>&1) &&
    [[ $refusal == *"$edition/binrot.exe: this build differs"* ]] ||
    fail "a program that differs took the signature of another: $refusal"

"$source/scripts/checksums" signed
gpgv_accepts() { gpgv --keyring signed/binrot-release-key.gpg signed/SHA256SUMS.asc signed/SHA256SUMS 2>/dev/null; }
gpgv_accepts || fail "gpgv refuses SHA256SUMS"
echo >>signed/SHA256SUMS
! gpgv_accepts || fail "gpgv accepts a changed SHA256SUMS"

# The key on a token, whose PIN is the password.
export SOFTHSM2_CONF=$work/softhsm2.conf
printf 'directories.tokendir = %s/tokens\n' "$work" >"$SOFTHSM2_CONF"
mkdir tokens && openssl pkcs8 -topk8 -nocrypt -in signer.key -out signer.pk8 && cp "$6" token.exe
{ softhsm2-util --init-token --free --label binrot --pin throwaway --so-pin throwaway &&
    softhsm2-util --import signer.pk8 --token binrot --label signer --id 01 --pin throwaway; } >/dev/null
BINROT_SIGN_PKCS11_MODULE=/usr/lib/softhsm/libsofthsm2.so BINROT_SIGN_CERTS=signer.crt \
    BINROT_SIGN_PKCS11_KEY='pkcs11:token=binrot;object=signer;type=private' BINROT_SIGN_PASSWORD_FILE=password \
    "$source/windows/authenticode.sh" token.exe token/binrot.exe || fail "the key on a token did not sign"
verified token.exe || fail "the program signed on a token does not verify"
echo "signing ($edition): ${#files[@]} files signed and timestamped, also on a token, verified" \
    "installed, rebuilt byte for byte from their signatures; SHA256SUMS.asc checked by gpgv"
