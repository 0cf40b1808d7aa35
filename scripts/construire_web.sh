#!/usr/bin/env bash
# Construit la face web : le cœur en WebAssembly (emscripten de Debian), la
# page dans build-web/site/ (fichiers statiques à servir tels quels) et le
# lanceur pour Node, build-web/gelim-noeud (mêmes arguments que gelim --batch).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
sortie="${GELIM_WEB_SORTIE:-$racine/build-web}"
manquants=()
for p in emscripten node-acorn nodejs fonts-dejavu-core fonttools; do
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
# La police du texte dessiné, réduite aux caractères de la page de code 1252
# (le cœur n'en dessine pas d'autres) : 30 fois plus légère à charger.
pyftsubset /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf --output-file="$site/DejaVuSans.ttf" \
  --unicodes="U+0020-007E,U+00A0-00FF,U+20AC,U+201A,U+0192,U+201E,U+2026,U+2020,U+2021,U+02C6,U+2030,U+0160,U+2039,U+0152,U+017D,U+2018,U+2019,U+201C,U+201D,U+2022,U+2013,U+2014,U+02DC,U+2122,U+0161,U+203A,U+0153,U+017E,U+0178" \
  --layout-features='*' --hinting 2>/dev/null
cp "$racine"/resources/images/*.png "$site/"
for i in executer arreter gommer ligne_commande editeur montrer_messages nouveau ouvrir enregistrer \
         image_enregistrer image_charger pas_a_pas analyse chocs profondeur aide gelim; do
  cp "$racine/resources/icones/$i.png" "$site/"
done
# Le lanceur pour Node, qui se lance comme gelim : le fil principal lance le
# module dans un fil à grande pile (l'évaluation s'imbrique aussi loin que sur
# le bureau) et lui transmet SIGINT et SIGTERM.
cat > "$sortie/gelim-noeud" <<FIN
#!/bin/sh
export GELIM_EXEMPLES="\${GELIM_EXEMPLES:-$racine/examples}"
exec node "$sortie/gelim_noeud_principal.js" "\$@"
FIN
chmod +x "$sortie/gelim-noeud"
echo "Page : $site (à servir par n'importe quel serveur web)"
