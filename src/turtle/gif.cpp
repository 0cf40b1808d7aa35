// Le décodeur GIF du système : une image (la dernière d'un fichier qui en a
// plusieurs), table globale de 8, 16 ou 256 couleurs, entrelacée ou non,
// extensions sautées (ni transparence ni animation).
#include <cstdio>
#include <filesystem>
#include <memory>

#include "turtle/images.h"

namespace gelim {

namespace {

// Lecture octet par octet d'un tampon ; -1 à la fin, comme un fichier.
struct Lecteur {
    const uint8_t* octets;
    size_t taille;
    size_t pos = 0;
    int Octet() { return pos < taille ? octets[pos++] : -1; }
    bool Lire(uint8_t* dest, size_t n) {
        if (taille - pos < n) return false;
        for (size_t i = 0; i < n; ++i) dest[i] = octets[pos + i];
        pos += n;
        return true;
    }
    bool Sauter(size_t n) {
        if (taille - pos < n) return false;
        pos += n;
        return true;
    }
    // Saute des sous-blocs (longueur, puis autant d'octets) jusqu'à une longueur nulle.
    bool SauterSousBlocs() {
        for (;;) {
            int n = Octet();
            if (n < 0) return false;
            if (n == 0) return true;
            if (!Sauter(size_t(n))) return false;
        }
    }
};

constexpr int kTailleDictionnaire = 4096;

// Le dictionnaire LZW : chaque entrée est son préfixe suivi de son dernier octet.
struct Dictionnaire {
    int16_t prefixe[kTailleDictionnaire];
    uint8_t premier[kTailleDictionnaire];
    uint8_t dernier[kTailleDictionnaire];
    uint16_t longueur[kTailleDictionnaire];
};

// La sortie des indices, bornée à largeur x hauteur (le surplus est jeté).
struct Sortie {
    std::vector<uint8_t>& pixels;
    size_t limite;
    uint8_t pile[kTailleDictionnaire];
    // La chaîne de l'entrée c, de son premier octet à son dernier.
    void Ecrire(const Dictionnaire& d, int c) {
        if (pixels.size() >= limite) return;
        int n = d.longueur[c];
        for (int i = n - 1; i >= 0; --i) {
            pile[i] = d.dernier[c];
            c = d.prefixe[c];
        }
        size_t place = limite - pixels.size();
        pixels.insert(pixels.end(), pile, pile + (size_t(n) < place ? size_t(n) : place));
    }
};

// Le décodage LZW des données d'une image. Faux si le fichier finit au milieu.
bool DecoderLZW(Lecteur& L, Dictionnaire& d, Sortie& sortie) {
    int m = L.Octet();
    // Hors de 1 à 11, les codes dépasseraient 12 bits : ce n'est pas un GIF.
    if (m < 1 || m > 11) return false;
    const int effacement = 1 << m, fin = effacement + 1;
    for (int i = 0; i < effacement; ++i) {
        d.prefixe[i] = -1;
        d.premier[i] = d.dernier[i] = uint8_t(i);
        d.longueur[i] = 1;
    }
    int tailleCode = m + 1;
    uint32_t masque = (1u << tailleCode) - 1;
    int suivant = effacement + 2, precedent = -1;
    uint32_t accumulateur = 0;
    int nbBits = 0;

    // Après chaque entrée ajoutée : un bit de plus quand le code suivant ne tient plus.
    auto grandir = [&] {
        if ((uint32_t(suivant) & masque) == 0 && suivant < kTailleDictionnaire) {
            ++tailleCode;
            masque += uint32_t(suivant);
        }
    };
    auto ajouter = [&](int p, uint8_t dernierOctet) {
        d.prefixe[suivant] = int16_t(p);
        d.premier[suivant] = d.premier[p];
        d.dernier[suivant] = dernierOctet;
        d.longueur[suivant] = uint16_t(d.longueur[p] + 1);
        ++suivant;
        grandir();
    };

    uint8_t bloc[255];
    for (;;) {
        int n = L.Octet();
        if (n < 0) return false;
        if (n == 0) return true;
        if (!L.Lire(bloc, size_t(n))) return false;
        for (int i = 0; i < n; ++i) {
            accumulateur |= uint32_t(bloc[i]) << nbBits;
            nbBits += 8;
            while (nbBits >= tailleCode) {
                int c = int(accumulateur & masque);
                accumulateur >>= tailleCode;
                nbBits -= tailleCode;
                if (c == effacement) {
                    tailleCode = m + 1;
                    masque = (1u << tailleCode) - 1;
                    suivant = effacement + 2;
                    precedent = -1;
                } else if (c == fin) {
                    // Le reste du sous-bloc est abandonné ; la boucle des blocs reprend après lui.
                    return true;
                } else if (c < suivant) {
                    sortie.Ecrire(d, c);
                    if (precedent >= 0 && suivant < kTailleDictionnaire) ajouter(precedent, d.premier[c]);
                    precedent = c;
                } else if (c == suivant && precedent >= 0) {
                    ajouter(precedent, d.premier[precedent]);
                    sortie.Ecrire(d, c);
                    precedent = c;
                }
                // Tout autre code est ignoré ; le précédent ne change pas.
            }
        }
    }
}

// Un descripteur d'image et ses données.
bool LireUneImage(Lecteur& L, OurBigGifDataStructDescriptor& gif, Dictionnaire& d) {
    uint8_t desc[9];
    if (!L.Lire(desc, 9)) return false;
    gif.largeurImage = uint32_t(desc[4] | desc[5] << 8);
    gif.hauteurImage = uint32_t(desc[6] | desc[7] << 8);
    gif.entrelace = (desc[8] & 0x40) != 0;
    if (desc[8] & 0x80) {  // table locale : lue et ignorée
        if (!L.Sauter(size_t(3) << ((desc[8] & 7) + 1))) return false;
    }
    uint64_t nbPixels = uint64_t(gif.largeurImage) * gif.hauteurImage;
    if (gif.largeurImage > kCoteMaxImage || gif.hauteurImage > kCoteMaxImage || nbPixels > kPixelsMaxImage)
        return false;
    // Le tampon ne grandit qu'avec les données réellement décodées.
    gif.pixels.clear();
    gif.pixels.shrink_to_fit();
    Sortie sortie{gif.pixels, size_t(nbPixels), {}};
    ++gif.nbImages;
    return DecoderLZW(L, d, sortie);
}

}  // namespace

bool LireGifDepuisOctets(const uint8_t* octets, size_t taille, OurBigGifDataStructDescriptor& gif) {
    gif = OurBigGifDataStructDescriptor{};
    Lecteur L{octets, taille};
    uint8_t entete[6], ecran[7];
    if (!L.Lire(entete, 6) || entete[0] != 'G' || entete[1] != 'I' || entete[2] != 'F') return false;
    if (!L.Lire(ecran, 7)) return false;
    gif.largeurEcran = uint32_t(ecran[0] | ecran[1] << 8);
    gif.hauteurEcran = uint32_t(ecran[2] | ecran[3] << 8);
    gif.tableGlobalePresente = (ecran[4] & 0x80) != 0;
    if (gif.tableGlobalePresente) {
        gif.cBitByPixelIndexInColorTable = (ecran[4] & 7) + 1;
        if (!L.Lire(gif.tableGlobale.data(), size_t(3) << gif.cBitByPixelIndexInColorTable)) return false;
    }
    auto dictionnaire = std::make_unique<Dictionnaire>();
    for (;;) {
        switch (L.Octet()) {
            case 0: break;
            case 0x21:  // extension : l'étiquette, puis ses sous-blocs
                if (L.Octet() < 0 || !L.SauterSousBlocs()) return false;
                break;
            case 0x2C:
                if (!LireUneImage(L, gif, *dictionnaire)) return false;
                break;
            case 0x3B: return true;
            default: return false;  // fin du fichier comprise
        }
    }
}

bool LireFichierEntier(const std::string& chemin, std::vector<uint8_t>& octets) {
    octets.clear();
    // Un fichier ordinaire de taille raisonnable seulement (ni dossier, ni périphérique sans fin).
    std::error_code erreur;
    const std::filesystem::path p(chemin);
    if (!std::filesystem::is_regular_file(p, erreur)) return false;
    const uintmax_t taille = std::filesystem::file_size(p, erreur);
    if (erreur || taille > kTailleMaxFichierImage) return false;
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return false;
    octets.resize(size_t(taille));
    size_t lus = taille ? std::fread(octets.data(), 1, octets.size(), f) : 0;
    bool ok = !std::ferror(f);
    std::fclose(f);
    octets.resize(lus);  // un fichier raccourci entre-temps est lu tel qu'il est
    return ok;
}

bool LireGif(const std::string& chemin, OurBigGifDataStructDescriptor& gif) {
    std::vector<uint8_t> octets;
    if (!LireFichierEntier(chemin, octets)) {
        gif = OurBigGifDataStructDescriptor{};
        return false;
    }
    return LireGifDepuisOctets(octets.data(), octets.size(), gif);
}

bool TableGifAcceptee(const OurBigGifDataStructDescriptor& gif) {
    int b = gif.cBitByPixelIndexInColorTable;
    return b == 8 || b == 4 || b == 3;
}

// Les lignes stockées sont, dans l'ordre : 0, 8, 16... puis 4, 12... puis 2, 6... puis 1, 3, 5...
std::vector<uint32_t> OrdreDesLignesGif(const OurBigGifDataStructDescriptor& gif) {
    const uint32_t h = gif.hauteurImage;
    std::vector<uint32_t> ordre(h);
    if (!gif.entrelace) {
        for (uint32_t r = 0; r < h; ++r) ordre[r] = r;
        return ordre;
    }
    static const uint32_t debut[4] = {0, 4, 2, 1}, pas[4] = {8, 8, 4, 2};
    uint32_t stockee = 0;
    for (int passe = 0; passe < 4; ++passe)
        for (uint32_t r = debut[passe]; r < h; r += pas[passe]) ordre[r] = stockee++;
    return ordre;
}

Couleur CouleurPixelGif(const OurBigGifDataStructDescriptor& gif, const std::vector<uint32_t>& ordre, uint32_t x,
                        uint32_t y) {
    size_t i = size_t(ordre[y]) * gif.largeurImage + x;
    uint32_t indice = i < gif.pixels.size() ? gif.pixels[i] : 0;
    // Table de 16 entrées pour 3 et 4 bits : seules les 2^bits premières sont remplies.
    if (gif.cBitByPixelIndexInColorTable != 8) {
        indice &= 15;
        if (indice >= (1u << gif.cBitByPixelIndexInColorTable)) return Couleur{0, 0, 0};
    }
    const uint8_t* e = &gif.tableGlobale[size_t(indice) * 3];
    return Couleur{e[0], e[1], e[2]};
}

}  // namespace gelim
