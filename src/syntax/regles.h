// Outils communs aux règles de la grammaire : lecture des jetons, classes
// d'objets, construction des arbres, trace et rapports (textes en UTF-8 dans
// le source, convertis seulement quand ils sont écrits).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "objects/interp.h"
#include "syntax/analyse.h"

namespace gelim {

// ---------------------------------------------------------------- jetons

// Le jeton d'indice k ; au-delà de la fin, la marque de fin (la dernière).
inline Objet* Jeton(Interp& I, long k) {
    const auto& c = I.ChaineBrute;
    if (c.empty()) return I.marqueFin;
    if (k < 0) k = 0;
    if (size_t(k) >= c.size()) return c.back();
    return c[size_t(k)];
}
inline Objet* Courant(Interp& I) {
    return Jeton(I, I.gPosAnalyse);
}
inline Objet* Suivant(Interp& I) {
    return Jeton(I, long(I.gPosAnalyse) + 1);
}
// Avance d'un jeton, sans jamais dépasser la marque de fin.
inline void Consomme(Interp& I) {
    if (size_t(I.gPosAnalyse) + 1 < I.ChaineBrute.size()) ++I.gPosAnalyse;
}

inline bool EstCode(const Objet* x, uint16_t code) {
    return x->tag == code;
}
// Famille évaluante.
inline bool EstFoncEvNS(const Objet* x) {
    return EstPrimitive(x) && FamilleDe(x) == kFamilleEvNS;
}
inline bool EstFoncNESP(const Objet* x) {
    return x->tag >= kFamilleNESP && x->tag <= kDernierNESP;
}
// Les treize opérateurs binaires, tous de même priorité.
inline bool EstOperateur(const Objet* x) {
    return (x->tag >= kEgalEgal && x->tag <= kModulo) || x->tag == kEtEt || x->tag == kOuOu;
}

// ---------------------------------------------------------------- arbres

// Une cellule ; si la réserve est épuisée, l'analyse s'arrête (message écrit une fois).
Objet* Cons(Interp& I, Objet* a, Objet* d);
// Les listes dans l'ordre des éléments.
Objet* Liste(Interp& I, std::initializer_list<Objet*> elements);
Objet* ListeDe(Interp& I, const std::vector<Objet*>& elements);

// ---------------------------------------------------------------- imbrication

// Garde de profondeur : au-delà de kProfondeurMaxAnalyse règles imbriquées, la
// règle échoue sans rapport (la règle englobante signale l'erreur).
struct Niveau {
    Interp& I;
    bool trop;
    explicit Niveau(Interp& i) : I(i) {
        trop = ++I.profondeurAnalyse > kProfondeurMaxAnalyse;
        if (trop) I.profondeurDepassee = true;
    }
    ~Niveau() { --I.profondeurAnalyse; }
    Niveau(const Niveau&) = delete;
    Niveau& operator=(const Niveau&) = delete;
};

// ---------------------------------------------------------------- trace

inline bool Trace(const Interp& I) {
    return I.affichageAnalyse;
}
// Ligne d'étape : indentation, texte (et l'objet : un atome sur la même ligne,
// une liste en arbre sur les lignes suivantes).
void Etape(Interp& I, long L, const char* texte);
void Etape(Interp& I, long L, const char* texte, Objet* x);
void EtapeNombre(Interp& I, long L, const char* texte, long n);
void EtapeListe(Interp& I, long L, const char* texte, const std::vector<Objet*>& elements);
// Étape d'échec : le texte puis, sur la même ligne, la ligne de prévision.
void EtapeEchec(Interp& I, long L, const char* texte);
// En-tête d'une alternative : prévision, indentation, texte.
void EnTete(Interp& I, long indentation, const char* texte);
// Le résultat d'une alternative, en arbre (« C'est faux » pour un échec).
void Resultat(Interp& I, long indentation, Objet* r);

// Une alternative d'une règle : son en-tête de trace et la règle à essayer, qui
// reçoit un objet de contexte (le nom, pour le reste d'un identificateur).
struct Alternative {
    const char* entete;
    Objet* (*regle)(Interp& I, long L, Objet* contexte);
};
// Essaie les alternatives dans l'ordre (chacune au niveau L+1, avec en-tête et
// résultat dans la trace) : la première qui réussit gagne, sinon pgCestFaux.
// Hors ligne exprès : chaque alternative garde son propre cadre de pile, au lieu
// d'un grand cadre commun qui pèserait à chaque niveau d'imbrication.
Objet* EssaieLesAlternatives(Interp& I, long L, const Alternative* alternatives, size_t n, Objet* contexte);
template <size_t N>
Objet* EssaieLesAlternatives(Interp& I, long L, const Alternative (&alternatives)[N], Objet* contexte = nullptr) {
    return EssaieLesAlternatives(I, L, alternatives, N, contexte);
}

// Essaie une alternative d'une règle, avec son en-tête et son résultat.
template <class Regle>
bool Essaie(Interp& I, long indentation, const char* entete, Regle&& regle, Objet*& r) {
    if (Trace(I)) EnTete(I, indentation, entete);
    r = regle();
    if (Trace(I)) Resultat(I, indentation, r);
    return r != I.pgCestFaux;
}

// ---------------------------------------------------------------- rapports

// Les rapports d'erreur, avec les textes du source en UTF-8.
Objet* Rapport(Interp& I, const char* S, const char* F, const char* W);
Objet* Rapport(Interp& I, const char* S, const char* F, Objet* x, const char* W);
Objet* Rapport(Interp& I, const char* S, const char* F1, Objet* x, const char* F2, Objet* y, const char* W);

// ---------------------------------------------------------------- règles

// Expressions (expressions.cpp).
Objet* ExpUnaire(Interp& I, long L);
Objet* Chaine(Interp& I, long L);

// Instructions (instructions.cpp).
Objet* AnaSynInstruction(Interp& I, long L);
Objet* ListeDeVariablesFDU(Interp& I);

}  // namespace gelim
