// L'appel d'une FDU (coeur.cpp) : liaison des arguments, pile des Env,
// traces, corps, mort des nombres possédés.
#pragma once

#include "eval/interne.h"

namespace gelim {

// coeur.cpp
[[gnu::cold, gnu::noinline]] Objet* TropProfond(Interp& I, Objet* x);
[[gnu::cold, gnu::noinline]] Objet* PileDesAppelsPleine(Interp& I);
Objet* EvalPrognInterne(Interp& I, Objet* liste);  // peut rendre le marqueur direct

// Le marqueur (returned v) écrit dans les deux cellules fixes de l'interprète.
inline Objet* MarqueurDirect(Interp& I, Objet* v) {
    I.marqueurDirect.car = I.sepReturned;
    I.marqueurDirect.cdr = &I.marqueurDirectValeur;
    I.marqueurDirectValeur.car = v;
    I.marqueurDirectValeur.cdr = I.pgNil;
    return &I.marqueurDirect;
}

// Le return d'une instruction : la valeur attend dans le marqueur direct,
// partagée comme si elle avait été mise dans une liste.
inline Objet* RetourDirect(Interp& I, Objet* v) {
    if (EstFlottant(v)) {
        Flottant* n = FLO(v);
        bool frais = n->etat == EtatTemporaire;
        if (n->etat == EtatPossede && I.gProfondeurEnv >= 0) {
            // Possédé par un paramètre de l'appel qui finit : il meurt avec lui.
            const Env* e = I.pgTabpEnv[size_t(I.gProfondeurEnv)];
            for (int32_t i = 0; i < e->nbParams && i < 8; ++i) frais = frais || e->cases[i] == v;
        }
        n->retourFrais = frais;
        n->etat = EtatPartage;
    }
    return MarqueurDirect(I, v);
}

// Un nombre lié à un paramètre : le temporaire devient possédé, le possédé
// est prêté, tout autre est partagé.
inline void LierAuParametre(Objet* v) {
    if (!EstFlottant(v)) return;
    Flottant* n = FLO(v);
    n->etat = n->etat == EtatTemporaire ? EtatPossede : n->etat == EtatPossede ? EtatPrete : EtatPartage;
}

// Un nombre possédé par un paramètre meurt avec l'appel. Rien d'autre ne le
// désigne (une mise en liste, une affectation ou un return l'aurait rendu
// partagé, un passage à une autre FDU prêté) : sa place resert aussitôt, sans
// attendre la collecte. Une variable locale de let peut le désigner aussi :
// elle meurt avec le même appel.
// La place d'un nombre que rien ne désigne plus retourne à la réserve, sans
// attendre la collecte (ni la rapprocher).
inline void RendreALaReserve(Interp& I, Flottant* n) {
    n->libere = 1;
#ifdef GELIM_STRESS
    if (I.epreuve) {
        I.Empoisonner(n);  // mode d'épreuve : une lecture plus tardive échoue bruyamment
        return;
    }
#endif
    n->tag = 0;
    n->suivantLibre = I.nombresLibres;
    I.nombresLibres = n;
    I.nombresDepuisCollecte -= I.nombresDepuisCollecte != 0;
}

inline void RecyclerParametre(Interp& I, Flottant* n) {
    if (n->libere || n == I.pgZero || n == I.pgUn) return;  // zéro et un ne meurent jamais
    --I.nbNombresVivants;                                   // DetruireNombre, sans la quarantaine
    I.nbNombresVivantsAffiche.store(I.nbNombresVivants, std::memory_order_relaxed);
    RendreALaReserve(I, n);
}

// Aucun porteur possible d'un nombre possédé hors de sa liaison : ni locale de
// let, ni abri, ni racine du code C++ (voir RemplacerPossede).
inline bool RienDAutreNeDesigne(const Interp& I) {
    return !I.letVu && I.hautPileEnv == size_t(I.gProfondeurEnv) + 1 && I.racines.empty();
}

// L'affectation d'une variable ou d'un paramètre, hors du mode lent : l'ancien
// nombre, s'il était possédé, meurt ; sa place resert aussitôt quand rien ne
// peut plus le désigner. Possédé, il n'est tenu que par cette liaison : une mise
// en liste, une affectation à une autre ou un return l'aurait rendu partagé, un
// passage à une FDU prêté. Restent les porteurs qui ne changent pas son état :
// une locale de let (letVu : jamais après un let, dont les cases restent), un
// abri de EvaluerDeuxAvec ou EvaluerArguments (un Env de plus que les appels en
// cours), les racines du code C++ ; les cases des primitives ne sont que la
// trace d'un usage fini. Sinon, DetruireNombre : il reste lisible jusqu'à la collecte.
inline void RemplacerPossede(Interp& I, Objet*& place, Objet* v) {
    Objet* ancien = place;
    place = v;
    if (ancien == v || !EstFlottant(ancien) || FLO(ancien)->etat != EtatPossede) return;
    Flottant* n = FLO(ancien);
    if (n->libere) return;  // zéro et un, jamais possédés, n'arrivent pas ici
    --I.nbNombresVivants;
    I.nbNombresVivantsAffiche.store(I.nbNombresVivants, std::memory_order_relaxed);
    n->libere = 1;
    if (RienDAutreNeDesigne(I)) [[likely]]
        RendreALaReserve(I, n);
}

// Un corps fait d'un seul bloc est pris par sa suite ; sinon le corps lui-même.
inline Objet* SuiteDuCorps(Interp& I, Objet* corps) {
    if (EstListeNonVide(I, corps) && CEL(corps)->cdr == I.pgNil) {
        Objet* b = CEL(corps)->car;
        if (EstListeNonVide(I, b) && CEL(b)->car->tag == kProgn && EstCellule(CEL(b)->cdr)) return CEL(b)->cdr;
    }
    return corps;
}

// Le corps de la FDU ; peut rendre le marqueur direct. Hors du pas à pas, un
// corps fait d'un seul bloc est pris par sa suite ; le pas à pas, lui, doit
// voir passer le bloc.
inline Objet* ExecuterLeCorps(Interp& I, Nom* nom) {
    Objet* corps = nom->definition;
    if (!I.modeLent) corps = SuiteDuCorps(I, corps);
    return EvalPrognInterne(I, corps);
}

// Les n arguments (n est déjà comparé au nombre de paramètres), évalués par
// evalArg(i) dans l'environnement de l'appelant ; leurs valeurs attendent dans
// l'Env (racine pour la collecte) avant qu'il soit empilé. Puis le corps, par
// corps() (ExecuterLeCorps).
template <class EvalArg, class Corps>
[[gnu::always_inline]] inline Objet* LierEtExecuter(Interp& I, Nom* nom, int32_t n, EvalArg&& evalArg, Corps&& corps) {
    Env* e = PrendreEnv(I, n);
    if (!e) return PileDesEnvPleine(I, nom);
    for (int32_t i = 0; i < n && i < 8; ++i) {
        Objet* v = evalArg(i);
        LierAuParametre(v);
        e->cases[i] = v;
    }

    const int32_t d = ++I.gProfondeurEnv;
    I.pgTabpEnv[size_t(d)] = e;
    I.fonctionsDesAppels[size_t(d)] = nom;
    if (nom->trace) TraceAppel(I, nom, e, d);
    Objet* r = corps();
    if (nom->trace) TraceRetour(I, r, d);
    --I.gProfondeurEnv;  // pgTabpEnv n'est lu que jusqu'à gProfondeurEnv

    // Les valeurs possédées par les paramètres meurent avec l'appel, sauf le
    // résultat ; les valeurs prêtées reviennent à leur propriétaire.
    Objet* const vide = I.pgNil;
    auto finir = [&](int32_t i) {
        Objet* c = e->cases[i];
        if (c == vide || c->tag != kTagFlottant || c == r) {
            return;
        } else if (FLO(c)->etat == EtatPrete) {
            FLO(c)->etat = EtatPossede;
        } else if (FLO(c)->etat == EtatPossede) {
            if (i < n)
                RecyclerParametre(I, FLO(c));
            else
                I.DetruireNombre(FLO(c));
        }
    };
    // Le plus souvent, seules les cases des arguments ont été écrites : n est
    // alors connu du gestionnaire de l'appel et la boucle disparaît.
    const int32_t ecrites = e->nbCasesEcrites;
    if (ecrites == n)
        for (int32_t i = 0; i < n && i < 8; ++i) finir(i);
    else
        for (int32_t i = 0; i < ecrites; ++i) finir(i);
    RendreEnv(I);
    return r;
}

// Le début d'un appel : la profondeur, la sonde de l'arrêt, le nombre
// d'arguments (n, jusqu'à attendus + 1) face au nombre de paramètres. Rend
// nullptr quand l'appel peut se faire, sinon le résultat du refus.
[[gnu::cold, gnu::noinline]] inline Objet* RefusLent(Interp& I, Nom* nom, Objet* args, int32_t n) {
    const int32_t attendus = nom->nbParamsFDU;
    if (attendus == -1) return Rapport(I, "Evaluation d'une FDU", "Cette FDU n'a jamais été définie", nom);
    if (n > attendus) return Rapport(I, "Evaluation d'une FDU", "La liste de paramètres est trop grande", args);
    return Rapport(I, "Evaluation d'une FDU", "La liste de paramètres est trop petite", args);
}
[[gnu::always_inline]] inline Objet* RefusDeLAppel(Interp& I, Nom* nom, Objet* args, int32_t n) {
    if (nom->nbParamsFDU != n) [[unlikely]]  // -1 pour une FDU jamais définie
        return RefusLent(I, nom, args, n);
    return nullptr;
}

}  // namespace gelim
