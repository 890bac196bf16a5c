#!/bin/sh
# Builds the signed test images for the signature checks:
#   make-fixtures.sh MAKE_PE COUNTERSIGN OSSLSIGNCODE OUTDIR
# A test root, a second root nobody trusts, a code-signing leaf under each,
# a leaf that expired at the end of 2020 and a timestamping authority; then
# the images signed with them. Everything is made again from nothing on every
# run (osslsigncode will not overwrite its output).
# osslsigncode signs (Debian 12's 2.5 is enough); the timestamps, RFC 3161
# and legacy, are made offline by COUNTERSIGN, since 2.5 can only ask a
# timestamping server on the network for one.
set -eu
make_pe=$1
countersign=$2
osslsigncode=$3
out=$4
rm -rf "$out"
mkdir -p "$out"
cd "$out"
# The CA section names its files after CA_NAME; req reads the same file.
export CA_NAME=none

cat > ca.cnf <<'CNF'
[ca]
default_ca = test_ca
[test_ca]
dir = .
database = $dir/$ENV::CA_NAME.index
serial = $dir/$ENV::CA_NAME.serial
new_certs_dir = $dir/issued
default_md = sha256
policy = any_name
unique_subject = no
copy_extensions = none
[any_name]
commonName = supplied
[req]
distinguished_name = req_name
prompt = no
[req_name]
CN = unused
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[code_signing]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[lifetime_signing]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning, 1.3.6.1.4.1.311.10.3.13
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[timestamping]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = critical, timeStamping
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[server_only]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = serverAuth
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CNF
mkdir issued

quiet() { "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; "$@"; exit 1; }; }

# root NAME CN: a self-signed root valid from 2019 to 2045.
root() {
    : > "$1.index"
    echo 01 > "$1.serial"
    quiet openssl req -new -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$2" -config ca.cnf
    CA_NAME=$1 quiet openssl ca -batch -config ca.cnf -selfsign -keyfile "$1.key" -in "$1.csr" -out "$1.crt" \
        -startdate 20190101000000Z -enddate 20451231000000Z -extensions root -notext
}

# leaf CA NAME CN EXTENSIONS START END
leaf() {
    quiet openssl req -new -newkey rsa:2048 -nodes -keyout "$2.key" -out "$2.csr" -subj "/CN=$3" -config ca.cnf
    CA_NAME=$1 quiet openssl ca -batch -config ca.cnf -cert "$1.crt" -keyfile "$1.key" -in "$2.csr" -out "$2.crt" \
        -startdate "$5" -enddate "$6" -extensions "$4" -notext
    cat "$2.crt" "$1.crt" > "$2-chain.pem"
}

root ca "Kordelvane Test Root"
root other-ca "Kordelvane Untrusted Root"
leaf ca leaf "Kordelvane Test Publisher" code_signing 20190101000000Z 20451231000000Z
leaf ca expired "Kordelvane Expired Publisher" code_signing 20190101000000Z 20201231000000Z
leaf ca tsa "Kordelvane Test Timestamps" timestamping 20190101000000Z 20451231000000Z
leaf ca lifetime "Kordelvane Lifetime Publisher" lifetime_signing 20190101000000Z 20201231000000Z
leaf ca old-tsa "Kordelvane Retired Timestamps" timestamping 20190101000000Z 20211231000000Z
leaf ca server "Kordelvane Test Server" server_only 20190101000000Z 20451231000000Z
leaf other-ca stranger "Kordelvane Stranger" code_signing 20190101000000Z 20451231000000Z

"$make_pe" unsigned.exe unsigned64.exe

# sign CERT IN OUT [more osslsigncode arguments]
sign() {
    cert=$1 in=$2 outfile=$3
    shift 3
    quiet "$osslsigncode" sign -h sha256 -certs "$cert-chain.pem" -key "$cert.key" -in "$in" -out "$outfile" "$@"
}

# 1 June 2020, inside the expired leaf's lifetime.
in_2020=1590969600

sign leaf unsigned.exe signed.exe
sign leaf unsigned64.exe signed64.exe
sign leaf unsigned.exe signed-sha1.exe -h sha1
sign stranger unsigned.exe untrusted.exe
sign expired unsigned.exe expired.exe -time $in_2020
sign lifetime unsigned.exe lifetime.exe -time $in_2020
# RFC 3161 timestamps from June 2020.
"$countersign" expired.exe tsa-chain.pem tsa.key $in_2020 expired-timestamped.exe --rfc3161
# Lifetime signing: the signature ends with the certificate, timestamp or not.
"$countersign" lifetime.exe tsa-chain.pem tsa.key $in_2020 lifetime-timestamped.exe --rfc3161
# The authority's certificate has run out since; its timestamp still holds.
"$countersign" expired.exe old-tsa-chain.pem old-tsa.key $in_2020 expired-old-authority.exe --rfc3161
sign server unsigned.exe wrong-usage.exe
sign stranger signed.exe nested.exe -nest
# The legacy countersignature, right and with the digest of other bytes.
"$countersign" expired.exe tsa.crt tsa.key $in_2020 expired-countersigned.exe
"$countersign" expired.exe tsa.crt tsa.key $in_2020 expired-countersigned-wrong.exe --wrong-digest
echo "fixtures in $out"
