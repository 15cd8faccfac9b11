#!/usr/bin/env bash
# Signs programs and MSIs in place with Authenticode, SHA-256 (osslsigncode), as scripts/release.sh asks:
#   DOZEWELL_SIGN_PKCS12=cert.p12 [DOZEWELL_SIGN_PASSWORD_FILE=file | DOZEWELL_SIGN_PASSWORD=...]
#   [DOZEWELL_SIGN_TIMESTAMP=url] [DOZEWELL_SIGN_TIME=unix-time] scripts/sign.sh FILE...
# The password is read from a file or a pipe, never given on a command line. One signing time for a
# whole release signs a program to the same bytes wherever it is packaged.
set -euo pipefail
: "${DOZEWELL_SIGN_PKCS12:?no certificate to sign with}"

for file in "$@"; do
    options=(-pkcs12 "$DOZEWELL_SIGN_PKCS12" -h sha256 -n Dozewell -time "${DOZEWELL_SIGN_TIME:-$(date +%s)}")
    [[ -z "${DOZEWELL_SIGN_TIMESTAMP:-}" ]] || options+=(-ts "$DOZEWELL_SIGN_TIMESTAMP")
    # printf is a shell builtin: the password reaches osslsigncode through a pipe that no ps shows.
    if [[ -n "${DOZEWELL_SIGN_PASSWORD_FILE:-}" ]]; then
        osslsigncode sign "${options[@]}" -readpass "$DOZEWELL_SIGN_PASSWORD_FILE" -in "$file" -out "$file.signed"
    else
        osslsigncode sign "${options[@]}" -readpass <(printf '%s' "${DOZEWELL_SIGN_PASSWORD:-}") -in "$file" -out "$file.signed"
    fi >/dev/null || { rm -f "$file.signed"; echo "sign.sh: $file is not signed" >&2; exit 1; }
    mv "$file.signed" "$file"
done
