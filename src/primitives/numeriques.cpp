// Les primitives numériques. Les calculs intermédiaires se font en double
// précision ; seul le résultat rangé dans un nombre est arrondi en simple.
#include "primitives/numeriques.h"

#include <cmath>

#include "text/messages.h"
#include "turtle/tortue.h"

namespace gelim {

int64_t TronqueBorne(float v, int64_t min, int64_t max) {
    if (std::isnan(v)) return 0;
    double t = std::trunc(static_cast<double>(v));
    if (t <= static_cast<double>(min)) return min;
    if (t >= static_cast<double>(max)) return max;
    return static_cast<int64_t>(t);
}

// Le rapport hors du chemin rapide des calculs.
[[gnu::cold, gnu::noinline]] static void Rapport(Interp& I, const char* titre, const char* message, Flottant* a) {
    ErreurExecution(I, titre, message, a);
}

static float Sinus(float degres) {
    // Le produit est arrondi en simple précision avant le sinus, comme la tortue.
    float radians = static_cast<float>(static_cast<double>(degres) * static_cast<double>(kDegreEnRadian));
    return static_cast<float>(std::sin(static_cast<double>(radians)));
}

static float Cosinus(float degres) {
    float radians = static_cast<float>(static_cast<double>(degres) * static_cast<double>(kDegreEnRadian));
    return static_cast<float>(std::cos(static_cast<double>(radians)));
}

// Le générateur des élèves : entiers de 0 à 32767, suite reproductible après
// srand, départ comme après srand(1). Celui de la bibliothèque du système va
// jusqu'à 2^31 - 1 : random(100000) y donnerait des tirages impossibles ici.
static int32_t TirageHasard(uint32_t& graine) {
    graine = graine * 1103515245u + 12345u;
    return static_cast<int32_t>((graine / 65536u) % 32768u);
}

static float Hasard(uint32_t& graine, float a) {
    int64_t n = TronqueBorne(a, INT32_MIN, INT32_MAX);
    if (n == 0) return 0;
    // Reste de la division tronquée : 0..n-1 pour n positif, 0..-n-1 sinon.
    return static_cast<float>(static_cast<int64_t>(TirageHasard(graine)) % n);
}

bool CalculNum1(Interp& I, uint16_t code, Flottant* a, float& r) {
    const double x = a->valeur;
    switch (code) {
        case kRandom: r = Hasard(I.graineHasard, a->valeur); return true;
        case kSrand:
            I.graineHasard = static_cast<uint32_t>(static_cast<int32_t>(TronqueBorne(a->valeur, INT32_MIN, INT32_MAX)));
            r = a->valeur;
            return true;
        case kMoinsUnaire: r = -a->valeur; return true;
        case kAbs: r = a->valeur >= 0 ? a->valeur : -a->valeur; return true;
        case kSin: r = Sinus(a->valeur); return true;
        case kCos: r = Cosinus(a->valeur); return true;
        case kPuissance2: r = static_cast<float>(x * x); return true;
        case kPuissance3: r = static_cast<float>(x * x * x); return true;
        case kRacine:
            if (a->valeur < 0) {
                Rapport(I, "Racine", "Evaluation de la racine d'un nombre négatif.", a);
                r = a->valeur;
            } else {
                r = static_cast<float>(std::sqrt(x));
            }
            return true;
        case kExp: r = static_cast<float>(std::exp(x)); return true;
        case kLn:
            if (a->valeur < 0) {
                Rapport(I, "Ln", "Evaluation du log népérien d'un nombre négatif.", a);
                r = a->valeur;
            } else {
                r = static_cast<float>(std::log(x));
            }
            return true;
        case kLog:
            if (a->valeur < 0) {
                Rapport(I, "Log", "Evaluation du log décimal d'un nombre négatif.", a);
                r = a->valeur;
            } else {
                r = static_cast<float>(std::log10(x));
            }
            return true;
        case kArrondis: r = static_cast<float>(std::floor(x)); return true;
        case kInc: r = static_cast<float>(x + 1); return true;
        case kDec: r = static_cast<float>(x - 1); return true;
        default: return false;
    }
}

float DivisionNum(Interp& I, Flottant* a, Flottant* b) {
    if (b->valeur == 0) {
        Rapport(I, "Division", "Evaluation d'une division, dont le second terme est 0.", a);
        return 1;
    }
    return static_cast<float>(static_cast<double>(a->valeur) / static_cast<double>(b->valeur));
}

float ResteNum(Interp& I, Flottant* a, Flottant* b) {
    if (b->valeur == 0) {
        Rapport(I, "Reste", "Evaluation d'une division, dont le second terme est 0.", a);
        return 1;
    }
    // Le quotient est arrondi en simple précision avant l'arrondi par défaut :
    // le reste prend le signe du diviseur.
    const double x = a->valeur, y = b->valeur;
    float q = static_cast<float>(x / y);
    float f = static_cast<float>(std::floor(static_cast<double>(q)));
    return static_cast<float>(x - static_cast<double>(f) * y);
}

float CpixelNum(Interp& I, Flottant* a, Flottant* b) {
    return PrimCpixel(I, a->valeur, b->valeur);
}

float BipfdNum(Interp& I, Flottant* a, Flottant* b) {
    return PrimBipfd(I, a->valeur, b->valeur);
}

}  // namespace gelim
