// Les fichiers d'images : le décodeur GIF du système, la lecture et
// l'écriture des BMP. Tout se lit aussi depuis des octets en mémoire.
// Chaque lecture vérifie ses tailles : un fichier malformé ou hostile est
// refusé (faux), jamais lu hors de ses bornes ni cause d'une allocation démesurée.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "turtle/surface.h"

namespace gelim {

// Bornes d'une image lue : chaque côté, et le nombre de pixels.
constexpr uint32_t kCoteMaxImage = 16384;
constexpr uint64_t kPixelsMaxImage = uint64_t(64) << 20;
// Au-delà, un fichier d'image n'est même pas lu.
constexpr uint64_t kTailleMaxFichierImage = uint64_t(260) << 20;

// Une image en couleurs, ligne 0 en haut.
struct ImageRGB {
    int largeur = 0, hauteur = 0;
    std::vector<Couleur> pixels;
    const Couleur& At(int x, int y) const { return pixels[size_t(y) * size_t(largeur) + size_t(x)]; }
};

// L'état du décodeur GIF, rempli à neuf par chaque lecture.
struct OurBigGifDataStructDescriptor {
    uint32_t largeurEcran = 0, hauteurEcran = 0;
    uint32_t largeurImage = 0, hauteurImage = 0;
    bool tableGlobalePresente = false;
    int32_t cBitByPixelIndexInColorTable = 0;
    std::array<uint8_t, 256 * 3> tableGlobale{};  // rouge, vert, bleu par entrée
    // Un indice de couleur par pixel, lignes dans l'ordre du fichier. Seuls les
    // pixels que les données atteignent sont là : les autres valent 0.
    std::vector<uint8_t> pixels;
    bool entrelace = false;
    int nbImages = 0;
};

// La lecture d'un GIF (en-tête, blocs, images LZW) ; faux si elle échoue.
bool LireGifDepuisOctets(const uint8_t* octets, size_t taille, OurBigGifDataStructDescriptor& gif);
bool LireGif(const std::string& chemin, OurBigGifDataStructDescriptor& gif);

// La table du GIF est-elle de 8, 16 ou 256 couleurs (3, 4 ou 8 bits) ?
bool TableGifAcceptee(const OurBigGifDataStructDescriptor& gif);
// La ligne stockée qui porte la ligne r de l'image (entrelacement défait).
std::vector<uint32_t> OrdreDesLignesGif(const OurBigGifDataStructDescriptor& gif);
// La couleur affichée d'un pixel de l'image (x, y), ligne 0 en haut, selon la
// table de 256 couleurs (8 bits) ou de 16 couleurs (3 et 4 bits : indice ET 15,
// entrées non remplies noires).
Couleur CouleurPixelGif(const OurBigGifDataStructDescriptor& gif, const std::vector<uint32_t>& ordre, uint32_t x,
                        uint32_t y);

// La lecture d'un BMP (1, 4, 8, 16, 24 et 32 bits, RLE8, RLE4, champs de bits ;
// de bas en haut ou de haut en bas) ; faux si elle échoue.
bool LireBmpDepuisOctets(const uint8_t* octets, size_t taille, ImageRGB& image);
bool LireBmp(const std::string& chemin, ImageRGB& image);

// Un BMP standard de 24 bits, de bas en haut.
std::vector<uint8_t> OctetsBmp24(const ImageRGB& image);
// Écrit le fichier par un fichier provisoire renommé : un échec ne détruit pas l'ancien.
bool EcrireBmp24(const std::string& chemin, const ImageRGB& image);

// Tout le fichier, s'il existe, est un fichier ordinaire et n'est pas démesuré.
bool LireFichierEntier(const std::string& chemin, std::vector<uint8_t>& octets);
// Écrit tout le fichier par un fichier provisoire du même dossier, renommé à la
// fin : un échec (disque plein, dossier interdit) laisse l'ancien intact.
bool EcrireFichierEntier(const std::string& chemin, const std::vector<uint8_t>& octets);

}  // namespace gelim
