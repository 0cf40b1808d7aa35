// Ce que les fichiers de l'évaluateur partagent entre eux : accès sans
// rapport aux listes, familles, formes spéciales, pas à pas et traces.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "eval/eval.h"
#include "eval/noeuds.h"

namespace gelim {

// Premier élément et reste d'une liste ; un atome donne [] (comme [] lui-même).
inline Objet* Premier(const Interp& I, Objet* l) {
    return EstCellule(l) ? CEL(l)->car : I.pgNil;
}
inline Objet* Reste(const Interp& I, Objet* l) {
    return EstCellule(l) ? CEL(l)->cdr : I.pgNil;
}
inline Objet* Second(const Interp& I, Objet* l) {
    return Premier(I, Reste(I, l));
}
inline bool EstListeNonVide(const Interp& I, Objet* x) {
    return EstCellule(x) && x != I.pgNil;
}

// Vrai quand l'élève a demandé l'arrêt : les boucles s'arrêtent.
inline bool ArretEnCours(const Interp& I) {
    return I.arretDemande.load(std::memory_order_relaxed);
}

// L'Env de la profondeur courante (nullptr avant l'installation de la base).
inline Env* EnvCourant(Interp& I) {
    return I.gProfondeurEnv >= 0 ? I.pgTabpEnv[size_t(I.gProfondeurEnv)] : nullptr;
}

// Rapports et lignes de message hors du chemin rapide : leurs textes
// (std::string) ne grossissent pas les cadres des fonctions récursives.
[[gnu::cold, gnu::noinline]] Objet* Rapport(Interp& I, const char* contexte, const char* message, Objet* x);
[[gnu::cold, gnu::noinline]] Objet* Rapport(Interp& I, const std::string& contexte, const char* message, Objet* x);
[[gnu::cold, gnu::noinline]] Objet* Rapport2(Interp& I, const char* t1, Objet* o1, const char* t2, Objet* o2);
[[gnu::cold, gnu::noinline]] Objet* Rapport3(Interp& I, const char* t1, Objet* o1, const char* t2, Objet* o2,
                                             const char* t3, Objet* o3);
[[gnu::cold, gnu::noinline]] void Ligne(Interp& I, const char* texte);

// Rapport quand la réserve LIFO des Env est vide (imbrication démesurée).
[[gnu::cold, gnu::noinline]] Objet* PileDesEnvPleine(Interp& I, Objet* x);

// L'arrêt est remarqué : le chemin lent pour la suite, la ligne « arrêt
// demandé » écrite une fois ; rend [].
[[gnu::cold, gnu::noinline]] Objet* ArretDemandeIci(Interp& I);
Objet* EvalPasAPasEnModePas(Interp& I, Objet* x);

inline void RecalculerModeLent(Interp& I) {
    I.modeLent = ArretEnCours(I) || I.pasapas->valeur != I.pgFalse || I.vitesse.load(std::memory_order_relaxed) != 0;
}

// Vrai (et l'évaluation passe au chemin lent) quand l'arrêt est demandé : les
// boucles et les suites d'instructions s'arrêtent.
inline bool Arrete(Interp& I) {
    if (ArretEnCours(I)) [[unlikely]] {
        ArretDemandeIci(I);
        return true;
    }
    return false;
}

// Arrêt demandé ou pas à pas : hors du chemin rapide.
[[gnu::noinline]] Objet* EvaluerLentement(Interp& I, Objet* x);

// --- regard.cpp ---
// Aux vitesses lentes, avant une instruction : l'hôte montre où en est le
// programme et attend. Une seule pause pour les deux chemins de l'évaluation.
[[gnu::noinline]] void PauseAvantInstruction(Interp& I, Objet* x);
// Une instruction hors du chemin rapide : la pause, puis EvaluerLentement.
[[gnu::noinline]] Objet* InstructionLente(Interp& I, Objet* x);

// Le nœud d'une cellule de la réserve, s'il est déjà fait (nullptr sinon, et
// pour une cellule hors réserve).
inline Noeud* NoeudFait(const Interp& I, const Objet* x) {
    const size_t i =
        (reinterpret_cast<uintptr_t>(x) - reinterpret_cast<uintptr_t>(I.pgTabpNoeudBinaire.data())) / sizeof(Cellule);
    return i < I.nbNoeudsDeCellule ? I.noeudDeCellule[i] : nullptr;
}

// EvalPasAPas en ligne pour les appels internes : dans le cas courant (ni
// arrêt ni pas à pas, un seul test) un nombre, un nom ou un paramètre se lit
// sur place, une liste déjà décodée saute à son gestionnaire.
inline Objet* Evaluer(Interp& I, Objet* x) {
    if (I.modeLent) [[unlikely]]
        return EvaluerLentement(I, x);
    if (x->tag == kTagFlottant) return x;
    if (x->tag == kTagNom) return NOM(x)->valeur;
    if (x->tag == kTagParamDeFDU && I.gProfondeurEnv >= 0)
        return I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[PARAM(x)->indice & 7];
    if (const Noeud* n = NoeudFait(I, x)) return n->fn(I, n);
    return EvalSExp(I, x);
}

// Une instruction qui n'est pas dans une suite (le corps d'une boucle, le
// « oui » d'un if) : elle a sa pause aussi.
inline Objet* EvaluerInstruction(Interp& I, Objet* x) {
    if (I.modeLent) [[unlikely]]
        return InstructionLente(I, x);
    return Evaluer(I, x);
}

// L'hôte est interrogé sur l'arrêt une fois sur 1024 passages dans une boucle,
// un appel de FDU ou un exec (tout calcul sans fin passe par l'un d'eux) ; le
// mode lent est alors recalculé.
[[gnu::noinline]] void SonderLHote(Interp& I);
inline void PeutEtreSonder(Interp& I) {
    if ((++I.compteurPas & 0x3FF) == 0) [[unlikely]]
        SonderLHote(I);
}

// Un Env pris dans la réserve LIFO (comme Interp::NouvelEnv, mais en ligne :
// un par appel de FDU et par famille à plusieurs arguments). nullptr si elle est vide.
inline Env* PrendreEnv(Interp& I, int32_t nbParams) {
    Env* e = I.pileEnv.data() + I.hautPileEnv;
    if (e >= std::to_address(I.pileEnv.end())) [[unlikely]]  // sans la division de size()
        return nullptr;
    ++I.hautPileEnv;
    e->nbParams = nbParams;
    e->nbLocales = 0;
    e->nbCasesEcrites = nbParams;
    Objet* const vide = I.pgNil;
    for (Objet*& c : e->cases) c = vide;
    return e;
}
inline void RendreEnv(Interp& I) {
    --I.hautPileEnv;
}
// Un abri pour une seule valeur, qui attend pendant qu'une autre évaluation
// alloue : un Env de plus sur la pile (la garde de RemplacerPossede le voit
// par hautPileEnv), dont la collecte ne lit que la première case. nullptr si
// la réserve est vide.
inline Env* PrendreAbri(Interp& I, Objet* v) {
    Env* e = I.pileEnv.data() + I.hautPileEnv;
    if (e >= std::to_address(I.pileEnv.end())) [[unlikely]]
        return nullptr;
    ++I.hautPileEnv;
    e->nbCasesEcrites = 1;
    e->cases[0] = v;
    return e;
}

// --- familles.cpp ---
// L'aiguillage de chaque primitive, par son code (de kFamilleNENS à
// kFinFoncEvNS exclu) : la famille ou la forme qui la traite, en un seul saut.
using Aiguillage = Objet* (*)(Interp& I, Fonc* f, Objet* args);
constexpr size_t kNbAiguillages = kFinFoncEvNS - kFamilleNENS;
extern const std::array<Aiguillage, kNbAiguillages> kAiguillages;
inline Objet* Aiguiller(Interp& I, Fonc* f, Objet* args) {
    return kAiguillages[(f->tag - kFamilleNENS) & (kNbAiguillages - 1)](I, f, args);
}

Objet* EvalFoncNENS(Interp& I, Fonc* f, Objet* args);
Objet* EvalFoncNESP(Interp& I, Fonc* f, Objet* args);
Objet* EvalFoncEvNS(Interp& I, Fonc* f, Objet* args);

// --- formes.cpp : arguments non évalués ---
Objet* FormeIf(Interp& I, Objet* args);
Objet* FormeWhen(Interp& I, Objet* args);
Objet* FormeUnless(Interp& I, Objet* args);
Objet* FormeAnd(Interp& I, Objet* args);
Objet* FormeOr(Interp& I, Objet* args);
Objet* FormeCond(Interp& I, Objet* args);
Objet* FormeListe(Interp& I, Objet* args);
Objet* FormeImpression(Interp& I, Objet* args, bool finDeLigne);
Objet* FormePPrint(Interp& I, Objet* args);
Objet* FormeWhile(Interp& I, Objet* c, Objet* b);
Objet* FormeDo(Interp& I, Objet* b, Objet* c);
Objet* FormeFor(Interp& I, Objet* a, Objet* c, Objet* s, Objet* b);
Objet* FormeRepete(Interp& I, Objet* n, Objet* b);
Objet* FormeSetq(Interp& I, Objet* n, Objet* e);
Objet* FormeNextl(Interp& I, Objet* n);
// --- formes.cpp : arguments déjà évalués ---
Objet* FormeExec(Interp& I, Objet* v);

// --- affectations (les formes et les nœuds) ---
// Le nombre affecté : possédé s'il était temporaire, partagé sinon.
inline void EtatAffecte(Objet* v) {
    if (EstFlottant(v)) FLO(v)->etat = FLO(v)->etat == EtatTemporaire ? EtatPossede : EtatPartage;
}

inline void Remplacer(Interp& I, Objet*& place, Objet* v) {
    Objet* ancien = place;
    place = v;
    if (ancien != v) I.LibereSiPossede(ancien);
}

// La valeur que reçoit une affectation : celle d'un return, avec sa ligne ;
// son nombre devient possédé ou partagé.
inline Objet* ValeurAffectee(Interp& I, Objet* v) {
    if (I.EstMarqueur(v)) [[unlikely]] {
        v = Second(I, v);
        Ligne(I, "Le 'return' ne doit pas être utilisé à l'intérieur d'une affectation.");
    }
    EtatAffecte(v);
    return v;
}

// v (déjà passée par ValeurAffectee) dans la case du paramètre cible ;
// remplacer(place, v) y met la valeur.
template <class Remplacement>
inline Objet* DonneAuParametre(Interp& I, Objet* cible, Objet* v, Remplacement&& remplacer) {
    Env* e = EnvCourant(I);
    if (!e) return Rapport(I, "Donne", "Affectation d'une variable locale non-instanciée", cible);
    const int32_t k = PARAM(cible)->indice & 7;
    if (k >= e->nbCasesEcrites) e->nbCasesEcrites = k + 1;
    remplacer(e->cases[k], v);
    return I.pgNil;
}

// En ligne : chaque affectation y passe.
inline Objet* FormeDonne(Interp& I, Objet* cible, Objet* v, bool soit) {
    v = ValeurAffectee(I, v);
    if (EstParam(cible)) return DonneAuParametre(I, cible, v, [&](Objet*& place, Objet* x) { Remplacer(I, place, x); });
    if (soit)
        return Rapport(I, "soit : il faut utiliser l'instruction 'donne'",
                       "dans l'affectation de cette expression qui n'est pas une variable locale", cible);
    if (!EstNom(cible)) return Rapport(I, "donne", "Le param 1 n'est pas un nom", cible);
    Remplacer(I, NOM(cible)->valeur, v);
    if (cible == I.pasapas) RecalculerModeLent(I);
    return I.pgNil;
}

// --- definition.cpp ---
Objet* FormeLet(Interp& I, Objet* args);

// --- pasapas.cpp ---
void TraceAppel(Interp& I, Nom* nom, Env* e, int profondeur);
void TraceRetour(Interp& I, Objet* r, int profondeur);
Objet* PrimTrace(Interp& I, Objet* n);
Objet* PrimUntrace(Interp& I, Objet* n);

}  // namespace gelim
