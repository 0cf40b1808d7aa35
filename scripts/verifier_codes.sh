#!/usr/bin/env bash
# Les codes des primitives n'ont qu'une définition, nommée (src/objects/lexique.h) :
# échoue sur tout code écrit en chiffres ailleurs dans les sources C++.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
cd "$racine"
if grep -rnIE --include='*.cpp' --include='*.h' '\b0[xX]4[4-7][0-9A-Fa-f]{2}\b' src tests fuzz outils 2>/dev/null |
  grep -v '^src/objects/lexique\.h:'; then
  echo "Codes de primitives en chiffres : écrire leur nom (src/objects/lexique.h)."
  exit 1
fi
echo "Codes : aucun code de primitive en chiffres hors de src/objects/lexique.h."
