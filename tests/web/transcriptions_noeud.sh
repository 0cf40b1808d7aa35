#!/usr/bin/env bash
# Rejoue toutes les transcriptions avec le lanceur pour Node (le cœur en
# WebAssembly) au lieu de gelim : mêmes cas, mêmes sorties attendues.
#   bash tests/web/transcriptions_noeud.sh [build-web/gelim-noeud]
set -uo pipefail
racine="$(cd "$(dirname "$0")/../.." && pwd)"
lanceur="${1:-$racine/build-web/gelim-noeud}"
journal="$(mktemp -d)"
# Sans police, le lanceur pour Node ne dessine pas le texte : les pixels qui en
# dépendent ne sont vérifiés qu'avec gelim.
export GELIM_SANS_POLICE=1
ls "$racine"/tests/transcriptions/cas/*.test |
  xargs -P "$(nproc)" -I{} sh -c 'python3 "$1/tests/transcriptions/rejouer.py" "$2" "$3" > "$4/$(basename "$3").txt" 2>&1 || touch "$4/$(basename "$3").echec"' \
    _ "$racine" "$lanceur" {} "$journal"
echecs=$(ls "$journal"/*.echec 2>/dev/null | wc -l)
total=$(ls "$racine"/tests/transcriptions/cas/*.test | wc -l)
for e in "$journal"/*.echec; do [ -e "$e" ] && cat "${e%.echec}.txt"; done
rm -rf "$journal"
echo "Node: $((total - echecs)) passed, $echecs failed"
[ "$echecs" -eq 0 ]
