// Conversions aux bords : le cœur parle en page de code 1252.
#include <cstdint>
#include <string>

#include "objects/interp.h"

namespace gelim {

// Les 32 caractères 0x80..0x9F de la page 1252 (0 : non défini).
static const uint16_t kPlage80[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static uint32_t PointDeCode(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) return kPlage80[c - 0x80] ? kPlage80[c - 0x80] : c;
    return c;
}

static int OctetPourPointDeCode(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kPlage80[i] == cp) return 0x80 + i;
    if (cp >= 0x80 && cp < 0xA0) return int(cp);
    return '?';
}

static void AjouterUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Cp1252VersUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (unsigned char c : s) AjouterUtf8(out, PointDeCode(c));
    return out;
}

// Décode une séquence UTF-8 ; rend la longueur lue, 0 si elle est invalide.
static int Decoder(const unsigned char* p, size_t reste, uint32_t& cp) {
    unsigned char c = p[0];
    int n;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        n = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (reste < size_t(n)) return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
    return n;
}

bool EstUtf8Valide(const std::string& s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    size_t i = 0, n = s.size();
    while (i < n) {
        uint32_t cp;
        int l = Decoder(p + i, n - i, cp);
        if (!l) return false;
        i += size_t(l);
    }
    return true;
}

void OterSequenceIncomplete(std::string& s) {
    const size_t n = s.size();
    for (size_t k = 1; k <= 3 && k <= n; ++k) {
        const unsigned char c = static_cast<unsigned char>(s[n - k]);
        if ((c & 0xC0) == 0x80) continue;  // octet de suite
        const size_t attendus = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (attendus > k) s.resize(n - k);
        return;
    }
}

std::string Utf8VersCp1252(const char* s) {
    std::string in(s);
    std::string out;
    out.reserve(in.size());
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    size_t i = 0, n = in.size();
    while (i < n) {
        uint32_t cp;
        int l = Decoder(p + i, n - i, cp);
        if (!l) {  // octet isolé : gardé tel quel
            out += char(p[i]);
            ++i;
            continue;
        }
        out += char(OctetPourPointDeCode(cp));
        i += size_t(l);
    }
    return out;
}

}  // namespace gelim
