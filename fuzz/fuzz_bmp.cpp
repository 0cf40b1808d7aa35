// Cible libFuzzer : la lecture BMP sur des octets quelconques, puis un
// parcours de tous les pixels lus.
#include <cstddef>
#include <cstdint>

#include "turtle/images.h"

// Le résultat part ici, pour que le parcours ne soit pas retiré par l'optimiseur.
static volatile unsigned puits;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    gelim::ImageRGB image;
    if (!gelim::LireBmpDepuisOctets(octets, taille, image)) return 0;
    if (image.pixels.size() != size_t(image.largeur) * size_t(image.hauteur)) __builtin_trap();
    unsigned somme = 0;
    for (const gelim::Couleur& c : image.pixels) somme += c.r + c.g + c.b;
    puits = somme;
    return 0;
}
