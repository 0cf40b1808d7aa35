// Ce que la famille à deux nombres et les nœuds de ses membres partagent : l'ordre
// d'évaluation des deux arguments, leurs vérifications et le sort des
// temporaires. Un seul code pour les deux chemins : ils ne peuvent diverger.
#pragma once

#include "eval/interne.h"
#include "primitives/numeriques.h"

namespace gelim {

// Les arguments tels quels (les familles qui ne vérifient rien).
struct SansVerification {
    static Objet* Verifier(Interp&, Fonc*, int, Objet* v) { return v; }
};

// Rapport de la famille quand un argument n'est pas un nombre ; 1 le remplace.
struct VerifNum2 {
    static Objet* Verifier(Interp& I, Fonc* f, int k, Objet* v) {
        if (EstFlottant(v)) [[likely]]
            return v;
        if (k == 0)
            Rapport2(I, "les 2 paramètres de la fonction numérique.", f, "le premier paramètre devrait être un nombre",
                     v);
        else
            Rapport2(I, "l'évaluation des 2 paramètres de la fonction numérique.", f,
                     "le second paramètre devrait être un nombre", v);
        return I.pgUn;
    }
};

// Une valeur que la collecte hors réserve pourrait reprendre : un nombre ou
// un marqueur de return (les cellules de la réserve et les noms restent
// jusqu'à la fin de la commande).
inline bool Perissable(Objet* v) {
    return EstFlottant(v) || (EstCellule(v) && CEL(v)->horsReserve);
}

// Deux arguments e1 et e2, évalués par ev1 et ev2, vérifiés dans les cases de f.
// Les valeurs sont gardées dans des variables locales : une expression suivante
// qui rappelle cette même primitive peut écraser ses cases sans dommage. Mais
// pendant que la seconde forme s'évalue, une première valeur périssable attend
// dans un Env de la pile LIFO, racine de la collecte. Faux si la réserve des
// Env est épuisée (rapport écrit). sansCollecte : le second argument ne peut
// rien prendre qui lance une collecte (prem(r), sp(r)...), pas besoin d'abri.
template <class Verif, class Ev1, class Ev2>
[[gnu::always_inline]] inline bool EvaluerDeuxAvec(Interp& I, Fonc* f, Objet* e1, Objet* e2, Ev1&& ev1, Ev2&& ev2,
                                                   bool sansCollecte = false) {
    f->expr[0] = e1;
    Objet* v1 = f->val[0] = Verif::Verifier(I, f, 0, ev1());
    f->expr[1] = e2;
    if (!EstListeNonVide(I, e2) || !Perissable(v1) || sansCollecte) {
        Objet* v2 = Verif::Verifier(I, f, 1, ev2());
        f->val[0] = v1;
        f->val[1] = v2;
        return true;
    }
    if (!PrendreAbri(I, v1)) {
        PileDesEnvPleine(I, f);
        return false;
    }
    Objet* v2 = Verif::Verifier(I, f, 1, ev2());
    f->val[0] = v1;
    f->val[1] = v2;
    RendreEnv(I);
    return true;
}

inline bool EstTemporaireVivant(Objet* x) {
    return EstFlottant(x) && FLO(x)->etat == EtatTemporaire && !FLO(x)->libere;
}

// Le temporaire consommé porte le résultat : sa valeur change et son texte
// devient celui de « %f ».
inline Objet* Reutiliser(Objet* t, float r) {
    Flottant* n = FLO(t);
    n->valeur = r;
    n->formatF = 1;
    n->nomAJour = 0;
    return n;
}

[[gnu::cold, gnu::noinline]] Objet* Defaut(Interp& I, const char* contexte, Fonc* f);

// Le membre « code » de la primitive f appliqué aux valeurs a et b, déjà vérifiées.
[[gnu::always_inline]] inline Objet* ResultatNum2(Interp& I, Fonc* f, Objet* a, Objet* b, const uint16_t code) {
    float r;
    if (CalculNum2(I, code, FLO(a), FLO(b), r)) {
        if (EstTemporaireVivant(a)) {
            if (b != a) I.LibereSiTemporaire(b);
            return Reutiliser(a, r);
        }
        if (EstTemporaireVivant(b)) return Reutiliser(b, r);
        return I.NouveauNombreTemporaire(r);
    }
    if (Objet* o = ComparaisonNum2(I, code, FLO(a), FLO(b))) return o;
    return Defaut(I, " switch EvalFoncEvNS2Numparam ", f);
}

// Le même, les valeurs rangées dans les cases de f (la famille, le chemin général).
[[gnu::always_inline]] inline Objet* ResultatNum2(Interp& I, Fonc* f, const uint16_t code) {
    return ResultatNum2(I, f, f->val[0], f->val[1], code);
}

// Les membres que les nœuds calculent eux-mêmes (les autres passent par
// l'aiguillage).
inline bool EstMembreNum2Rapide(uint16_t code) {
    switch (code) {
        case kPlus:
        case kMoins:
        case kFois:
        case kInf:
        case kInfEgal:
        case kSup:
        case kSupEgal:
        case kEgalEgal:
        case kDifferent: return true;
        default: return false;
    }
}

}  // namespace gelim
