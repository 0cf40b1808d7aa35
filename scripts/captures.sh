#!/usr/bin/env bash
# Refait les captures d'écran du LISEZ-MOI (docs/captures/*.png) : la vraie
# fenêtre de Gelim, pilotée par build/gelim_captures sous un serveur X virtuel
# de 1400 x 900, avec un gestionnaire de fenêtres pour que les boîtes aient
# leur barre de titre. Hors des tests : à lancer à la main (Debian, en root).
#   bash scripts/captures.sh [DOSSIER_DE_CONSTRUCTION]
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$racine/build}"

bash "$racine/scripts/dependances.sh"
# Ce qui ne sert qu'aux captures : le gestionnaire de fenêtres.
if ! command -v openbox >/dev/null; then
  echo "Installation : openbox"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends openbox >/dev/null
fi

[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target gelim_captures

mkdir -p "$racine/docs/captures"
# Sous le serveur X : le gestionnaire de fenêtres d'abord, puis les captures.
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1400x900x24" bash -c '
  set -euo pipefail
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$1" "$2" "$3"
  code=$?
  kill "$wm" 2>/dev/null || true
  exit $code
' captures "$build/gelim_captures" "$racine/docs/captures" "$racine/examples"
ls -l "$racine"/docs/captures/*.png
