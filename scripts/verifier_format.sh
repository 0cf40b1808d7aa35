#!/usr/bin/env bash
# Vérifie que chaque source C++ suit le .clang-format du dépôt ; échoue sinon,
# en nommant les fichiers à reformater (clang-format -i FICHIER).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
cd "$racine"
fautifs=()
while IFS= read -r f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || fautifs+=("$f")
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests fuzz outils -name '*.cpp' -o -name '*.h')
if [ ${#fautifs[@]} -gt 0 ]; then
  echo "Fichiers mal formatés (clang-format -i pour les corriger) :"
  printf '  %s\n' "${fautifs[@]}"
  exit 1
fi
echo "Format : tous les fichiers C++ suivent .clang-format."
