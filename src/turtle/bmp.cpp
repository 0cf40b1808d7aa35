// Lecture et écriture des fichiers BMP. Lecture : en-têtes de 12 octets et de
// 40 octets ou plus ; 1, 4, 8 bits avec palette, 16, 24 et 32 bits, champs de
// bits, RLE8 et RLE4 ; de bas en haut ou de haut en bas. Écriture : 24 bits.
#include <cstdio>
#include <cstring>

#include "turtle/images.h"

namespace gelim {

namespace {

uint16_t Lu16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t Lu32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

enum Compression : uint32_t { kRGB = 0, kRLE8 = 1, kRLE4 = 2, kChampsDeBits = 3, kChampsDeBitsAlpha = 6 };

// Une composante décrite par un masque : sa position et sa largeur, ramenée à 8 bits.
struct Canal {
    uint32_t masque = 0;
    int decalage = 0, bits = 0;
    explicit Canal(uint32_t m = 0) : masque(m) {
        if (!m) return;
        while (!((m >> decalage) & 1)) ++decalage;
        while (decalage + bits < 32 && ((m >> (decalage + bits)) & 1)) ++bits;
    }
    uint8_t Valeur(uint32_t v) const {
        if (!bits) return 0;
        uint32_t x = (v & masque) >> decalage;
        x &= bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        if (bits >= 8) return uint8_t(x >> (bits - 8));
        // Moins de 8 bits : on répète les bits pour que le maximum donne 255.
        uint32_t r = 0;
        for (int n = 0; n < 8; n += bits) r = (r << bits) | x;
        return uint8_t(r >> ((8 + bits - 1) / bits * bits - 8));
    }
};

struct EnteteBmp {
    int64_t largeur = 0, hauteur = 0;
    bool hautEnBas = false;
    uint32_t bitsParPixel = 0, compression = kRGB, nbCouleurs = 0;
    uint32_t masques[3] = {0, 0, 0};
    size_t debutPalette = 0, tailleEntreePalette = 4;
};

// Les deux en-têtes, les masques et la place de la palette.
bool LireEntetes(const uint8_t* o, size_t n, EnteteBmp& e, size_t& debutPixels) {
    if (n < 14 + 12 || o[0] != 'B' || o[1] != 'M') return false;
    debutPixels = Lu32(o + 10);
    const uint8_t* info = o + 14;
    uint32_t tailleInfo = Lu32(info);
    if (tailleInfo == 12) {
        e.largeur = Lu16(info + 4);
        e.hauteur = Lu16(info + 6);
        e.bitsParPixel = Lu16(info + 10);
        e.tailleEntreePalette = 3;
    } else {
        if (tailleInfo < 40 || tailleInfo > n - 14) return false;
        e.largeur = int32_t(Lu32(info + 4));
        e.hauteur = int32_t(Lu32(info + 8));
        e.bitsParPixel = Lu16(info + 14);
        e.compression = Lu32(info + 16);
        e.nbCouleurs = Lu32(info + 32);
        if (e.compression == kChampsDeBits || e.compression == kChampsDeBitsAlpha) {
            // Les masques suivent un en-tête de 40 octets, ou sont dedans (52 octets et plus).
            size_t ouMasques = tailleInfo >= 52 ? 14 + 40 : 14 + tailleInfo;
            if (ouMasques + 12 > n) return false;
            for (int k = 0; k < 3; ++k) e.masques[k] = Lu32(o + ouMasques + 4 * k);
            if (tailleInfo < 52) tailleInfo += e.compression == kChampsDeBitsAlpha ? 16 : 12;
        }
    }
    if (Lu16(info + (tailleInfo == 12 ? 8 : 12)) != 1) return false;  // un seul plan
    e.hautEnBas = e.hauteur < 0;
    if (e.hautEnBas) e.hauteur = -e.hauteur;
    e.debutPalette = 14 + size_t(tailleInfo);
    if (e.largeur <= 0 || e.hauteur <= 0 || e.largeur > kCoteMaxImage || e.hauteur > kCoteMaxImage ||
        uint64_t(e.largeur) * uint64_t(e.hauteur) > kPixelsMaxImage)
        return false;
    switch (e.compression) {
        case kRGB:
            if (e.bitsParPixel != 1 && e.bitsParPixel != 4 && e.bitsParPixel != 8 && e.bitsParPixel != 16 &&
                e.bitsParPixel != 24 && e.bitsParPixel != 32)
                return false;
            if (e.bitsParPixel == 16) e.masques[0] = 0x7C00, e.masques[1] = 0x03E0, e.masques[2] = 0x001F;
            if (e.bitsParPixel == 24 || e.bitsParPixel == 32)
                e.masques[0] = 0xFF0000, e.masques[1] = 0xFF00, e.masques[2] = 0xFF;
            break;
        case kRLE8:
            if (e.bitsParPixel != 8 || e.hautEnBas) return false;
            break;
        case kRLE4:
            if (e.bitsParPixel != 4 || e.hautEnBas) return false;
            break;
        case kChampsDeBits:
        case kChampsDeBitsAlpha:
            if (e.bitsParPixel != 16 && e.bitsParPixel != 32) return false;
            break;
        default: return false;
    }
    if (e.bitsParPixel <= 8) {
        uint32_t maximum = 1u << e.bitsParPixel;
        if (e.nbCouleurs == 0 || e.nbCouleurs > maximum) e.nbCouleurs = maximum;
    } else {
        e.nbCouleurs = 0;  // une palette éventuelle ne sert pas aux couleurs vraies
    }
    return true;
}

// La palette, tronquée à ce que le fichier contient vraiment ; les indices
// au-delà donnent du noir.
std::vector<Couleur> LirePalette(const uint8_t* o, size_t n, const EnteteBmp& e) {
    std::vector<Couleur> palette;
    for (uint32_t i = 0; i < e.nbCouleurs; ++i) {
        size_t p = e.debutPalette + size_t(i) * e.tailleEntreePalette;
        if (p + 3 > n) break;
        palette.push_back(Couleur{o[p + 2], o[p + 1], o[p]});
    }
    return palette;
}

uint64_t PasDesLignes(const EnteteBmp& e) {
    return (uint64_t(e.largeur) * e.bitsParPixel + 31) / 32 * 4;
}

// Les données annoncées sont-elles dans le fichier ? Vérifié avant toute
// allocation : une image ne coûte pas plus de mémoire que son fichier ne le justifie.
bool DonneesPresentes(size_t n, size_t debut, const EnteteBmp& e) {
    if (debut >= n) return false;
    if (e.compression == kRLE8 || e.compression == kRLE4) {
        // Une paire de 2 octets donne au plus 255 pixels et un saut quelques lignes :
        // au-delà d'un million de pixels plus 4096 par octet, ce n'est plus une image.
        return uint64_t(e.largeur) * uint64_t(e.hauteur) <= (uint64_t(1) << 20) + uint64_t(n - debut) * 4096;
    }
    // La dernière ligne peut manquer de son bourrage.
    const uint64_t utile = (uint64_t(e.largeur) * e.bitsParPixel + 7) / 8;
    return PasDesLignes(e) * uint64_t(e.hauteur - 1) + utile <= n - debut;
}

// Les lignes de pixels non compressées (leur présence est déjà vérifiée).
bool LirePixelsBruts(const uint8_t* o, size_t debut, const EnteteBmp& e, const std::vector<Couleur>& palette,
                     ImageRGB& image) {
    const uint64_t pas = PasDesLignes(e);
    const Canal r(e.masques[0]), g(e.masques[1]), b(e.masques[2]);
    const Couleur noir{0, 0, 0};
    const int w = int(e.largeur), h = int(e.hauteur);
    for (int ligneFichier = 0; ligneFichier < h; ++ligneFichier) {
        const uint8_t* l = o + debut + pas * uint64_t(ligneFichier);
        int y = e.hautEnBas ? ligneFichier : h - 1 - ligneFichier;
        Couleur* dest = &image.pixels[size_t(y) * size_t(w)];
        for (int x = 0; x < w; ++x) {
            uint32_t indice = 0;
            switch (e.bitsParPixel) {
                case 1: indice = (l[x >> 3] >> (7 - (x & 7))) & 1; break;
                case 4: indice = (l[x >> 1] >> ((x & 1) ? 0 : 4)) & 15; break;
                case 8: indice = l[x]; break;
                case 16: {
                    uint32_t v = Lu16(l + 2 * x);
                    dest[x] = Couleur{r.Valeur(v), g.Valeur(v), b.Valeur(v)};
                    continue;
                }
                case 24: dest[x] = Couleur{l[3 * x + 2], l[3 * x + 1], l[3 * x]}; continue;
                case 32: {
                    uint32_t v = Lu32(l + 4 * x);
                    dest[x] = Couleur{r.Valeur(v), g.Valeur(v), b.Valeur(v)};
                    continue;
                }
            }
            dest[x] = indice < palette.size() ? palette[indice] : noir;
        }
    }
    return true;
}

// RLE8 et RLE4 : des paires (compte, valeur) et des échappements (fin de
// ligne, fin d'image, saut, suite absolue). Les pixels non atteints prennent
// l'indice 0 ; rien n'est écrit hors de l'image.
bool LirePixelsRLE(const uint8_t* o, size_t n, size_t debut, const EnteteBmp& e, const std::vector<Couleur>& palette,
                   ImageRGB& image) {
    const int w = int(e.largeur), h = int(e.hauteur);
    const bool quatre = e.compression == kRLE4;
    std::vector<uint8_t> indices(size_t(w) * size_t(h), 0);
    int x = 0, y = 0;  // y compté depuis le bas
    auto poser = [&](uint8_t v) {
        if (x < w && y < h) indices[size_t(h - 1 - y) * size_t(w) + size_t(x)] = v;
        ++x;
    };
    size_t p = debut;
    while (p + 1 < n && y < h) {
        uint8_t compte = o[p], valeur = o[p + 1];
        p += 2;
        if (compte) {
            for (int i = 0; i < compte && x < w; ++i)
                poser(quatre ? uint8_t(i & 1 ? valeur & 15 : valeur >> 4) : valeur);
            continue;
        }
        if (valeur == 0) {  // fin de ligne
            x = 0;
            ++y;
        } else if (valeur == 1) {  // fin de l'image
            break;
        } else if (valeur == 2) {  // saut
            if (p + 1 >= n) break;
            x += o[p];
            y += o[p + 1];
            p += 2;
        } else {  // suite absolue, alignée sur deux octets
            size_t octets = quatre ? (size_t(valeur) + 1) / 2 : valeur;
            if (p + octets > n) break;
            for (int i = 0; i < valeur; ++i) {
                uint8_t v =
                    quatre ? uint8_t(i & 1 ? o[p + size_t(i / 2)] & 15 : o[p + size_t(i / 2)] >> 4) : o[p + size_t(i)];
                if (x < w) poser(v);
            }
            p += octets + (octets & 1);
        }
    }
    const Couleur noir{0, 0, 0};
    for (size_t i = 0; i < indices.size(); ++i)
        image.pixels[i] = indices[i] < palette.size() ? palette[indices[i]] : noir;
    return true;
}

void Ecrire16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void Ecrire32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

}  // namespace

bool LireBmpDepuisOctets(const uint8_t* octets, size_t taille, ImageRGB& image) {
    image = ImageRGB{};
    EnteteBmp e;
    size_t debut = 0;
    if (!LireEntetes(octets, taille, e, debut) || !DonneesPresentes(taille, debut, e)) return false;
    std::vector<Couleur> palette = LirePalette(octets, taille, e);
    ImageRGB lue;
    lue.largeur = int(e.largeur);
    lue.hauteur = int(e.hauteur);
    lue.pixels.assign(size_t(e.largeur) * size_t(e.hauteur), Couleur{0, 0, 0});
    bool ok = e.compression == kRLE8 || e.compression == kRLE4 ? LirePixelsRLE(octets, taille, debut, e, palette, lue)
                                                               : LirePixelsBruts(octets, debut, e, palette, lue);
    if (ok) image = std::move(lue);
    return ok;
}

bool LireBmp(const std::string& chemin, ImageRGB& image) {
    std::vector<uint8_t> octets;
    if (!LireFichierEntier(chemin, octets)) {
        image = ImageRGB{};
        return false;
    }
    return LireBmpDepuisOctets(octets.data(), octets.size(), image);
}

std::vector<uint8_t> OctetsBmp24(const ImageRGB& image) {
    const uint32_t pas = (uint32_t(image.largeur) * 3 + 3) / 4 * 4;
    const uint32_t taillePixels = pas * uint32_t(image.hauteur);
    std::vector<uint8_t> v;
    v.reserve(54 + taillePixels);
    v.push_back('B');
    v.push_back('M');
    Ecrire32(v, 54 + taillePixels);
    Ecrire32(v, 0);
    Ecrire32(v, 54);
    Ecrire32(v, 40);
    Ecrire32(v, uint32_t(image.largeur));
    Ecrire32(v, uint32_t(image.hauteur));  // positive : de bas en haut
    Ecrire16(v, 1);
    Ecrire16(v, 24);
    Ecrire32(v, kRGB);
    Ecrire32(v, taillePixels);
    Ecrire32(v, 3780);  // 96 points par pouce
    Ecrire32(v, 3780);
    Ecrire32(v, 0);
    Ecrire32(v, 0);
    for (int y = image.hauteur - 1; y >= 0; --y) {
        for (int x = 0; x < image.largeur; ++x) {
            const Couleur& c = image.At(x, y);
            v.push_back(c.b);
            v.push_back(c.g);
            v.push_back(c.r);
        }
        for (uint32_t k = uint32_t(image.largeur) * 3; k < pas; ++k) v.push_back(0);
    }
    return v;
}

bool EcrireBmp24(const std::string& chemin, const ImageRGB& image) {
    return EcrireFichierEntier(chemin, OctetsBmp24(image));
}

bool EcrireFichierEntier(const std::string& chemin, const std::vector<uint8_t>& octets) {
    if (chemin.empty()) return false;
    const std::string provisoire = chemin + ".gelim-provisoire";
    std::FILE* f = std::fopen(provisoire.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(provisoire.c_str(), chemin.c_str()) == 0;
    if (!ok) std::remove(provisoire.c_str());
    return ok;
}

}  // namespace gelim
