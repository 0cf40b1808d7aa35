#!/usr/bin/env python3
"""Fabrique les deux images des exemples (examples/tortue.gif et examples/carreaux.bmp).

Les images sont dessinées ici, pixel par pixel, en Python pur : elles ne viennent
d'aucun autre logiciel. On relance ce script seulement pour les refaire :
  python3 tests/aide/fabriquer_images.py examples/
"""
import math
import os
import struct
import sys

# 16 couleurs (rouge, vert, bleu).
PALETTE = [
    (255, 255, 255), (0, 0, 0), (34, 139, 34), (144, 238, 144),
    (139, 69, 19), (255, 215, 0), (30, 144, 255), (135, 206, 250),
    (220, 20, 60), (255, 140, 0), (128, 0, 128), (192, 192, 192),
    (0, 100, 0), (255, 255, 224), (70, 70, 70), (250, 128, 114),
]


def dessin_tortue(largeur, hauteur):
    """Une tortue vue de dessus : carapace, écailles, tête, pattes, sur un ciel."""
    px = [[7] * largeur for _ in range(hauteur)]
    cx, cy = largeur / 2, hauteur / 2 + 4

    def disque(x0, y0, rx, ry, c):
        for y in range(hauteur):
            for x in range(largeur):
                if ((x - x0) / rx) ** 2 + ((y - y0) / ry) ** 2 <= 1:
                    px[y][x] = c

    for dx, dy in ((-30, -22), (30, -22), (-30, 22), (30, 22)):
        disque(cx + dx, cy + dy, 10, 8, 3)
    disque(cx, cy - 40, 12, 10, 3)
    disque(cx - 4, cy - 43, 2, 2, 1)
    disque(cx + 4, cy - 43, 2, 2, 1)
    disque(cx, cy + 38, 4, 8, 3)
    disque(cx, cy, 36, 32, 12)
    disque(cx, cy, 33, 29, 2)
    for ex, ey in ((0, 0), (-18, -12), (18, -12), (-18, 12), (18, 12), (0, -20), (0, 20)):
        disque(cx + ex, cy + ey, 8, 7, 5 if (ex, ey) == (0, 0) else 3)
    return px


def lzw(indices, taille_min):
    """Compression LZW des indices, en sous-blocs GIF."""
    clear, fin = 1 << taille_min, (1 << taille_min) + 1
    sortie, acc, nb = bytearray(), 0, 0

    def emet(code, taille):
        nonlocal acc, nb
        acc |= code << nb
        nb += taille
        while nb >= 8:
            sortie.append(acc & 0xFF)
            acc >>= 8
            nb -= 8

    def neuf():
        return {bytes([i]): i for i in range(clear)}, fin + 1, taille_min + 1

    table, suivant, taille = neuf()
    emet(clear, taille)
    courant = b""
    for i in indices:
        essai = courant + bytes([i])
        if essai in table:
            courant = essai
            continue
        emet(table[courant], taille)
        if suivant < 4096:
            table[essai] = suivant
            suivant += 1
            if suivant > (1 << taille) and taille < 12:
                taille += 1
        else:
            emet(clear, taille)
            table, suivant, taille = neuf()
        courant = bytes([i])
    if courant:
        emet(table[courant], taille)
    emet(fin, taille)
    if nb:
        sortie.append(acc & 0xFF)
    blocs = bytearray([taille_min])
    for d in range(0, len(sortie), 255):
        morceau = sortie[d:d + 255]
        blocs += bytes([len(morceau)]) + morceau
    return bytes(blocs + b"\x00")


def ecrire_gif(chemin, px):
    hauteur, largeur = len(px), len(px[0])
    tete = b"GIF89a" + struct.pack("<HHBBB", largeur, hauteur, 0x80 | 0x33, 0, 0)
    table = b"".join(bytes(c) for c in PALETTE)
    image = b"," + struct.pack("<HHHHB", 0, 0, largeur, hauteur, 0)
    donnees = lzw([c for ligne in px for c in ligne], 4)
    with open(chemin, "wb") as f:
        f.write(tete + table + image + donnees + b";")


def ecrire_bmp(chemin, largeur, hauteur, couleur):
    pas = (largeur * 3 + 3) & ~3
    lignes = bytearray()
    for y in range(hauteur - 1, -1, -1):  # de bas en haut
        ligne = bytearray()
        for x in range(largeur):
            r, g, b = couleur(x, y)
            ligne += bytes((b, g, r))
        lignes += ligne + b"\x00" * (pas - len(ligne))
    entete = struct.pack("<IiiHHIIiiII", 40, largeur, hauteur, 1, 24, 0, len(lignes), 2835, 2835, 0, 0)
    fichier = b"BM" + struct.pack("<IHHI", 14 + len(entete) + len(lignes), 0, 0, 54)
    with open(chemin, "wb") as f:
        f.write(fichier + entete + lignes)


def carreaux(x, y):
    """Des carreaux de couleur dont la teinte tourne comme un arc-en-ciel."""
    if (x // 20 + y // 20) % 2 == 0:
        return (255, 255, 255)
    a = math.atan2(y - 60, x - 80)
    return tuple(int(127 + 127 * math.cos(a + k * 2.094)) for k in range(3))


def main():
    dossier = sys.argv[1] if len(sys.argv) > 1 else "examples"
    ecrire_gif(os.path.join(dossier, "tortue.gif"), dessin_tortue(120, 120))
    ecrire_bmp(os.path.join(dossier, "carreaux.bmp"), 160, 120, carreaux)


if __name__ == "__main__":
    main()
