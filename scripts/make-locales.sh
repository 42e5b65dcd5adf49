#!/usr/bin/env bash
# Makes the POSIX locales that the localisation tests switch between, where they are missing.
set -euo pipefail
command -v localedef >/dev/null || exit 0
have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
make_locale() {  # name charmap
    local want
    want=$(echo "$1" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
    echo "$have" | grep -qx "$want" && return 0
    local base=${1%%.*}
    base=${base%%@*}
    localedef -i "$base" -f "$2" "$1" 2>/dev/null || echo "could not make locale $1 (tests that need it skip)"
}
for l in de_DE de_CH fr_FR es_ES pt_BR pt_PT en_US; do
    make_locale "$l.UTF-8" UTF-8
done
make_locale de_DE.ISO-8859-1 ISO-8859-1
