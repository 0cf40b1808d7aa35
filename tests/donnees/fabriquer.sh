#!/bin/bash
# Fabrique une fois pour toutes les images de test de ce dossier avec
# ImageMagick 6 (apt-get install imagemagick). Les tests lisent les fichiers
# enregistrés : ils ne dépendent pas d'ImageMagick. Chaque image suit une
# formule de couleurs que les tests recalculent (voir LISEZMOI.md).
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ppm LARGEUR HAUTEUR 'code awk qui pose r, g, b selon la colonne i et la ligne j'
ppm() {
  awk -v W="$1" -v H="$2" "BEGIN{print \"P3\"; print W, H; print 255;
    for(j=0;j<H;j++) for(i=0;i<W;i++){ $3; print r, g, b } }"
}

# GIF
ppm 16 16 'r=i*17; g=j*17; b=128' > "$tmp/g256.ppm"
convert "$tmp/g256.ppm" gif256.gif
ppm 20 10 'k=(i+j)%16; r=k*16; g=255-k*16; b=(k*37)%256' > "$tmp/g16.ppm"
convert "$tmp/g16.ppm" gif16.gif
ppm 12 9 'k=(i*3+j)%8; r=(k%2)*255; g=(int(k/2)%2)*255; b=(int(k/4)%2)*255' > "$tmp/g8.ppm"
convert "$tmp/g8.ppm" gif8.gif
ppm 24 20 'r=j*12; g=(i%8)*30; b=77' > "$tmp/gent.ppm"
convert "$tmp/gent.ppm" -interlace GIF entrelace.gif
ppm 101 51 'r=(i%16)*16; g=(j%16)*16; b=200' > "$tmp/g101.ppm"
convert "$tmp/g101.ppm" gif101x51.gif
ppm 8 8 'k=(i+j)%2; r=k*255; g=k*255; b=k*255' > "$tmp/g2.ppm"
convert "$tmp/g2.ppm" gif2.gif
# Deux images (animation) : la seconde est celle qui doit s'afficher.
# Les deux images ont les mêmes 256 couleurs (une seule table globale), transposées.
ppm 16 16 'r=i*17; g=j*17; b=128' > "$tmp/a1.ppm"
ppm 16 16 'r=j*17; g=i*17; b=128' > "$tmp/a2.ppm"
convert -delay 10 "$tmp/a1.ppm" "$tmp/a2.ppm" -loop 0 anime.gif
# Une couleur transparente (extension de contrôle) : montrée opaque.
convert "$tmp/g16.ppm" -transparent 'rgb(0,255,0)' transparent.gif

# BMP
ppm 9 7 'k=(i+j)%2; r=k*255; g=k*255; b=k*255' > "$tmp/b1.ppm"
convert "$tmp/b1.ppm" -type bilevel BMP3:bmp1.bmp
ppm 11 6 'k=(i+2*j)%16; r=k*16; g=255-k*16; b=(k*37)%256' > "$tmp/b4.ppm"
convert "$tmp/b4.ppm" -type palette BMP3:bmp4.bmp
ppm 16 16 'r=i*17; g=j*17; b=128' > "$tmp/b8.ppm"
convert "$tmp/b8.ppm" -type palette -compress None BMP3:bmp8.bmp
convert "$tmp/b8.ppm" -type palette -compress RLE BMP3:bmp8rle.bmp  # 8 bits compressé (RLE8)
ppm 13 5 'r=i*19; g=j*50; b=255-i*19' > "$tmp/b24.ppm"
convert "$tmp/b24.ppm" -type truecolor BMP3:bmp24.bmp
convert "$tmp/b24.ppm" -type truecolormatte -alpha on -channel A -evaluate set 100% +channel BMP:bmp32.bmp
convert "$tmp/b24.ppm" -type truecolor -define bmp:subtype=RGB565 BMP:bmp16.bmp
ppm 200 100 'r=(i*7)%256; g=(j*5)%256; b=(i+j)%256' > "$tmp/b200.ppm"
convert "$tmp/b200.ppm" -type truecolor BMP3:bmp200x100.bmp
# Le même 24 bits rangé de haut en bas (hauteur négative) : on retourne les
# lignes du fichier bas-en-haut et on change le signe de la hauteur.
python3 - bmp24.bmp bmp24_hautbas.bmp <<'PY'
import struct, sys
d = bytearray(open(sys.argv[1], 'rb').read())
off = struct.unpack_from('<I', d, 10)[0]
w, h = struct.unpack_from('<ii', d, 18)
ligne = ((w * 24 + 31) // 32) * 4
lignes = [d[off + k * ligne: off + (k + 1) * ligne] for k in range(h)]
d[off:off + h * ligne] = b''.join(reversed(lignes))
struct.pack_into('<i', d, 22, -h)
open(sys.argv[2], 'wb').write(d)
PY
