#!/usr/bin/env bash
# Installe ce qui manque, construit tout, puis lance Gelim (arguments transmis).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
bash "$racine/scripts/dependances.sh"
(cd "$racine" && cmake --preset normal >/dev/null && cmake --build --preset normal -j"$(nproc)")
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Pas d'écran : Gelim démarre sous un serveur X virtuel (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$racine/build/gelim"
fi
exec "$racine/build/gelim" "$@"
