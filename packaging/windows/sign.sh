#!/bin/sh
# Signs Windows programs in place with osslsigncode (Authenticode, SHA-256).
#
#   sign.sh FILE...     signs each FILE
#   sign.sh --check     only checks the certificate and key
#
# The certificate and key are named in the environment:
#   CORVANE_SIGN_CERT              the certificate (PEM or DER), with its chain
#                                  if it has one
#   CORVANE_SIGN_KEY               its private key (PEM or DER)
#   CORVANE_SIGN_KEY_PASSWORD_FILE optional: a file holding the key's password
#
# Before anything is signed it checks that both are named and readable, that
# the certificate is one, and that the key is the certificate's. Any problem
# prints one line saying what is wrong and exits with status 1; a FILE that
# fails to sign is left as it was (the caller must not ship it as signed).
set -u

fail() {
  echo "sign: $*" >&2
  exit 1
}

cert=${CORVANE_SIGN_CERT:-}
key=${CORVANE_SIGN_KEY:-}
password=${CORVANE_SIGN_KEY_PASSWORD_FILE:-}
[ -n "$cert" ] || fail "CORVANE_SIGN_KEY is set but CORVANE_SIGN_CERT, the certificate, is not"
[ -n "$key" ] || fail "CORVANE_SIGN_CERT is set but CORVANE_SIGN_KEY, the private key, is not"
command -v osslsigncode >/dev/null || fail "osslsigncode is not installed"
command -v openssl >/dev/null || fail "openssl is not installed"
for file in "$cert" "$key" ${password:+"$password"}; do
  [ -f "$file" ] || fail "no such file: $file"
  [ -r "$file" ] || fail "cannot read $file"
done

# The public key the certificate holds, in PEM or DER.
cert_key=$(openssl x509 -in "$cert" -noout -pubkey 2>/dev/null ||
  openssl x509 -inform DER -in "$cert" -noout -pubkey 2>/dev/null) ||
  fail "$cert is not an X.509 certificate (PEM or DER)"
# The key's public half; an encrypted key without a password file fails
# rather than ask.
public_key() {
  openssl pkey -inform "$1" -in "$key" -passin "${password:+file:}${password:-pass:}" -pubout 2>/dev/null </dev/null
}
key_key=$(public_key PEM || public_key DER) ||
  fail "$key is not a private key (PEM or DER), or its password is wrong"
[ "$cert_key" = "$key_key" ] || fail "the key $key does not belong to the certificate $cert"

[ "${1:-}" = --check ] && exit 0

sign() {
  if [ -n "$password" ]; then
    osslsigncode sign -certs "$cert" -key "$key" -readpass "$password" -h sha256 -n Corvane -in "$1" -out "$2"
  else
    osslsigncode sign -certs "$cert" -key "$key" -h sha256 -n Corvane -in "$1" -out "$2"
  fi
}

for program in "$@"; do
  [ -f "$program" ] || fail "no such file to sign: $program"
  rm -f "$program.signed"
  if ! out=$(sign "$program" "$program.signed" 2>&1); then
    rm -f "$program.signed"
    fail "could not sign $program: $(echo "$out" | tail -n 1)"
  fi
  mv -f "$program.signed" "$program" || fail "could not replace $program with its signed copy"
done
