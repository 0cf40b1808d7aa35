#!/bin/sh
# Refait les PNG de resources/icones et resources/images à partir des SVG de
# resources/sources (icônes « i_* » en 32 pixels, images « image* » en 72).
set -e
ici=$(cd "$(dirname "$0")" && pwd)
racine=$(dirname "$ici")
outil=$(mktemp -d)/svg_vers_png
g++ -std=c++17 -fPIC -o "$outil" "$ici/svg_vers_png.cpp" $(pkg-config --cflags --libs Qt6Svg Qt6Gui)
for f in "$racine"/sources/i_*.svg; do
    n=$(basename "$f" .svg)
    "$outil" "$f" "$racine/icones/${n#i_}.png" 32
done
for f in "$racine"/sources/image*.svg; do
    n=$(basename "$f" .svg)
    "$outil" "$f" "$racine/images/$n.png" 72
done
