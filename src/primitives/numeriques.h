// Les primitives numériques : calcul, comparaisons, puissances et racines,
// logarithmes, trigonométrie en degrés, arrondi, hasard. Les familles à un et
// à deux nombres (eval/) les appellent avec des arguments déjà vérifiés.
#pragma once

#include <cstdint>

#include "objects/interp.h"

namespace gelim {

// Le degré en radians : la valeur simple précision de pi/180, comme la tortue.
constexpr float kDegreEnRadian = 0.017453292f;

// Troncature vers zéro, bornée à l'intervalle donné (NaN donne 0) : aucune
// conversion hors limites, quelle que soit la valeur.
int64_t TronqueBorne(float v, int64_t min, int64_t max);

// Membre de la famille à un nombre : le résultat en simple précision dans r.
// Les erreurs de domaine sont rapportées ici. Faux pour un code sans membre.
bool CalculNum1(Interp& I, uint16_t code, Flottant* a, float& r);

// Membres de la famille à deux nombres qui peuvent rapporter une erreur ou
// touchent la tortue (hors ligne).
float DivisionNum(Interp& I, Flottant* a, Flottant* b);
float ResteNum(Interp& I, Flottant* a, Flottant* b);
float CpixelNum(Interp& I, Flottant* a, Flottant* b);
float BipfdNum(Interp& I, Flottant* a, Flottant* b);

// Membres arithmétiques de la famille à deux nombres (cpixel et bipfd compris),
// en ligne : c'est le cœur des boucles de calcul.
inline bool CalculNum2(Interp& I, uint16_t code, Flottant* a, Flottant* b, float& r) {
    const double x = a->valeur, y = b->valeur;
    switch (code) {
        case kPlus:
        case kSomme: r = static_cast<float>(x + y); return true;
        case kFois:
        case kProd: r = static_cast<float>(x * y); return true;
        case kMoins:
        case kDiff: r = static_cast<float>(x - y); return true;
        case kDivise:
        case kDiv: r = DivisionNum(I, a, b); return true;
        case kModulo:
        case kReste: r = ResteNum(I, a, b); return true;
        case kCpixel: r = CpixelNum(I, a, b); return true;
        case kBipfd: r = BipfdNum(I, a, b); return true;
        default: return false;
    }
}

// Le résultat d'une comparaison, de max ou de min est rendu ; les temporaires
// qui ne le sont pas sont libérés.
[[gnu::always_inline]] inline Objet* RendreComparaison(Interp& I, Objet* r, Flottant* a, Flottant* b) {
    if (r != a) I.LibereSiTemporaire(a);
    if (r != b && b != a) I.LibereSiTemporaire(b);
    return r;
}

// Les six comparaisons (==, !=, <, <=, >, >=).
constexpr bool EstComparaison(uint16_t code) {
    return code == kEgalEgal || code == kDifferent || code == kInf || code == kInfEgal || code == kSup ||
           code == kSupEgal;
}

// Les six comparaisons : faux si code n'en est pas une, sinon tient reçoit la réponse.
[[gnu::always_inline]] inline bool Comparer(uint16_t code, float x, float y, bool& tient) {
    switch (code) {
        case kEgalEgal: tient = x == y; return true;
        case kDifferent: tient = x != y; return true;
        case kInf: tient = x < y; return true;
        case kInfEgal: tient = x < y || x == y; return true;
        case kSup: tient = x > y; return true;
        case kSupEgal: tient = !(x < y); return true;
        default: return false;
    }
}

// Comparaisons, max et min : rendent l'objet résultat. nullptr pour un autre code.
[[gnu::always_inline]] inline Objet* ComparaisonNum2(Interp& I, uint16_t code, Flottant* a, Flottant* b) {
    const float x = a->valeur, y = b->valeur;
    if (code == kMax) return RendreComparaison(I, x > y ? a : b, a, b);
    if (code == kMin) return RendreComparaison(I, x < y ? a : b, a, b);
    bool tient;
    if (!Comparer(code, x, y, tient)) return nullptr;
    // Le premier argument rendu tel quel serait faux s'il vaut 0 : true le remplace.
    if (!tient) return RendreComparaison(I, I.pgFalse, a, b);
    return RendreComparaison(I, x == 0 ? I.pgTrue : static_cast<Objet*>(a), a, b);
}

}  // namespace gelim
