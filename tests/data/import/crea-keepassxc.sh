#!/usr/bin/env bash
# Makes keepassxc.csv beside this script the way a KeePassXC user makes it: a database created
# with keepassxc-cli, its entries added, then exported as CSV. Needs Debian's keepassxc (for
# keepassxc-cli) and faketime (so that the entries' dates, and thus the fixture, come out the same
# on every run). The fixture is committed; the tests do not need KeePassXC.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for programma in keepassxc-cli faketime; do
  command -v "$programma" >/dev/null || { echo "$programma is missing" >&2; exit 1; }
done
cartella=$(mktemp -d)
trap 'rm -rf "$cartella"' EXIT
db="$cartella/prova.kdbx"
chiave="$cartella/prova.key"

# The clock starts at this moment and runs, so the key derivation's timing still works.
kp() { TZ=UTC faketime -f '@2024-03-05 10:20:30' keepassxc-cli "$@"; }
# add DB-PATH USER URL NOTES PASSWORD
aggiungi() {
  printf '%s\n' "$5" | kp add -q --no-password -k "$chiave" -u "$2" --url "$3" --notes "$4" -p "$db" "$1"
}

kp db-create -q -t 100 --set-key-file "$chiave" "$db"
kp mkdir -q --no-password -k "$chiave" "$db" "Posta"
kp mkdir -q --no-password -k "$chiave" "$db" "Banca"
kp mkdir -q --no-password -k "$chiave" "$db" "Banca/Conti correnti"

aggiungi "Posta/Posta elettronica è" "mario.rossi" "https://posta.example.it" \
  $'Prima riga, con una virgola\nSeconda riga: città e perché' 'pw, "tra virgolette" e virgola'
aggiungi "Banca/Conti correnti/Banca Popolare" "m.rossi" "https://banca.example.it/accesso?a=1,2" \
  "" 'S3gr3t0!'
aggiungi "Forum senza utente" "" "forum.example.org" "Nessun nome utente" 'abc123'
aggiungi "Posta/Ελληνικά ταξίδια" "mario" "https://viaggi.example.gr" "Prezzo in € e łódka" 'Zażółć'

kp export -q --no-password -k "$chiave" -f csv "$db" > keepassxc.csv
echo "wrote $(pwd)/keepassxc.csv"
