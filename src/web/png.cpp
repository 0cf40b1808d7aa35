// Le PNG le plus simple qui soit valide : une image RGB de 8 bits par
// composante, chaque ligne sans filtre, le flux zlib en blocs « stockés ».
#include "web/png.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

#include "turtle/images.h"

namespace gelim {

namespace {

uint32_t Crc(const uint8_t* p, size_t n, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Mot32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 3; i >= 0; --i) v.push_back(uint8_t(x >> (8 * i)));
}

void Morceau(std::vector<uint8_t>& fichier, const char* type, const std::vector<uint8_t>& donnees) {
    Mot32(fichier, uint32_t(donnees.size()));
    const size_t debut = fichier.size();
    fichier.insert(fichier.end(), type, type + 4);
    fichier.insert(fichier.end(), donnees.begin(), donnees.end());
    Mot32(fichier, Crc(fichier.data() + debut, fichier.size() - debut));
}

}  // namespace

bool EcrirePng(const SurfaceMemoire& s, const std::string& chemin) {
    const int w = s.Largeur(), h = s.Hauteur();
    std::vector<uint8_t> brut;
    brut.reserve(size_t(h) * (size_t(w) * 3 + 1));
    {
        std::lock_guard verrou(s.Verrou());
        for (int y = 0; y < h; ++y) {
            brut.push_back(0);  // ligne sans filtre
            const uint32_t* l = s.Donnees() + size_t(y) * size_t(w);
            for (int x = 0; x < w; ++x) {
                brut.push_back(uint8_t(l[x] >> 16));
                brut.push_back(uint8_t(l[x] >> 8));
                brut.push_back(uint8_t(l[x]));
            }
        }
    }
    std::vector<uint8_t> zlib{0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t c : brut) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t i = 0; i < brut.size() || i == 0; i += 65535) {
        const size_t n = std::min<size_t>(65535, brut.size() - i);
        zlib.push_back(i + n >= brut.size() ? 1 : 0);
        zlib.insert(zlib.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
        zlib.insert(zlib.end(), brut.begin() + long(i), brut.begin() + long(i + n));
    }
    Mot32(zlib, (b << 16) | a);

    std::vector<uint8_t> fichier{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> entete;
    Mot32(entete, uint32_t(w));
    Mot32(entete, uint32_t(h));
    entete.insert(entete.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
    Morceau(fichier, "IHDR", entete);
    Morceau(fichier, "IDAT", zlib);
    Morceau(fichier, "IEND", {});
    return EcrireFichierEntier(chemin, fichier);
}

}  // namespace gelim
