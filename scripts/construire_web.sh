#!/usr/bin/env bash
# Construit la face web : le cœur en WebAssembly (emscripten de Debian), la
# page dans build-web/site/ (fichiers statiques à servir tels quels) et le
# lanceur pour Node, build-web/gelim-noeud (mêmes arguments que gelim --batch).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
sortie="${GELIM_WEB_SORTIE:-$racine/build-web}"
manquants=()
for p in emscripten node-acorn nodejs fonts-dejavu-core; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  echo "Installation : ${manquants[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${manquants[@]}" >/dev/null
fi
# L'optimiseur JavaScript d'emscripten cherche acorn parmi les modules de Debian.
export NODE_PATH=/usr/share/nodejs
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
emcmake cmake -S "$racine/src/web" -B "$sortie" -G Ninja -DCMAKE_BUILD_TYPE=Release "${lanceur[@]}" >/dev/null
cmake --build "$sortie" -j"${GELIM_COEURS:-$(nproc)}"

site="$sortie/site"
rm -rf "$site"
mkdir -p "$site"
cp "$sortie/gelim.js" "$sortie/gelim.wasm" "$site/"
cp "$racine"/src/web/page/* "$site/"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$site/"
cp "$racine"/resources/images/*.png "$site/"
for i in executer arreter gommer ligne_commande editeur montrer_messages nouveau ouvrir enregistrer \
         image_enregistrer image_charger pas_a_pas analyse chocs profondeur aide gelim; do
  cp "$racine/resources/icones/$i.png" "$site/"
done
# Le lanceur pour Node : un script qui se lance comme gelim.
cat > "$sortie/gelim-noeud" <<FIN
#!/bin/sh
exec node "$racine/src/web/noeud/lancer.js" "$sortie/gelim_noeud.js" "\$@"
FIN
chmod +x "$sortie/gelim-noeud"
echo "Page : $site (à servir par n'importe quel serveur web)"
