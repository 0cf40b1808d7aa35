// Cible libFuzzer : le décodeur GIF sur des octets quelconques, puis les
// couleurs de la partie qu'un affichage verrait (au plus 1000 x 1000).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "turtle/images.h"

// Le résultat part ici, pour que le parcours ne soit pas retiré par l'optimiseur.
static volatile unsigned puits;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    gelim::OurBigGifDataStructDescriptor gif;
    if (!gelim::LireGifDepuisOctets(octets, taille, gif) || !gelim::TableGifAcceptee(gif)) return 0;
    const std::vector<uint32_t> ordre = gelim::OrdreDesLignesGif(gif);
    unsigned somme = 0;
    for (uint32_t y = 0; y < std::min<uint32_t>(gif.hauteurImage, 1000); ++y)
        for (uint32_t x = 0; x < std::min<uint32_t>(gif.largeurImage, 1000); ++x) {
            gelim::Couleur c = gelim::CouleurPixelGif(gif, ordre, x, y);
            somme += c.r + c.g + c.b;
        }
    puits = somme;
    return 0;
}
