#!/usr/bin/env bash
# Installe ce qui manque pour construire et tester Gelim (Debian, en root).
set -euo pipefail
paquets=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
         libgtest-dev googletest clang libclang-rt-14-dev xvfb xauth fonts-dejavu-core python3 clang-format
         emscripten node-acorn fonttools chromium)  # la face web : WebAssembly, police réduite, tests dans le navigateur
# Le banc (bench/comparer.py) : Lua 5.4 comme second pair, la tortue de Python (Tk) pour la spirale.
[ "${GELIM_AVEC_BANC:-0}" = 1 ] && paquets+=(lua5.4 python3-tk)
# Le bureau : Qt en français ; la page imprimée relue (pdftoppm) ; la vérification de bout en bout
# (un gestionnaire de fenêtres, le clavier simulé, les captures d'écran).
paquets+=(qt6-translations-l10n poppler-utils openbox xdotool imagemagick)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  echo "Installation : ${manquants[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${manquants[@]}" >/dev/null
fi
# Le pilote du navigateur des tests de la page, à sa version figée (package-lock.json) ;
# il conduit le chromium de Debian et ne télécharge aucun navigateur.
if ! [ -d "$(dirname "$0")/../tests/web/node_modules/puppeteer-core" ]; then
  (cd "$(dirname "$0")/../tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --silent)
fi
