// Les primitives sur les mots, les listes, la saisie, la sortie et le
// chargement des fichiers. Les familles (eval/) les appellent avec les
// valeurs déjà évaluées.
#pragma once

#include <cstdint>
#include <string>

#include "objects/interp.h"

namespace gelim {

// --- Listes (famille Liste1Param) ---
Objet* PrimCxr(Interp& I, uint16_t code, Objet* l);  // caar .. cddddr
Objet* PrimRenverse(Interp& I, Objet* l);
Objet* PrimImplose(Interp& I, Objet* l);
Objet* PrimPlat(Interp& I, Objet* l);

// --- Tests et longueur (famille Free1Param) ---
Objet* PrimTestType(Interp& I, uint16_t code,
                    Objet* x);  // mot? consp liste? nombre? sexp symbole? varp vide? nom? prim? proc? !

// Les tests de type que les boucles font à chaque tour, en ligne : l'évaluateur
// les appelle avec un code constant, sans l'aiguillage. Faux si le code n'en est pas un.
[[gnu::always_inline]] inline bool TestDeTypeSimple(const Interp& I, uint16_t code, Objet* x, bool& vrai) {
    switch (code) {
        case kMotP: vrai = !(EstCellule(x) && x != I.pgNil); return true;  // mot?
        case kConsp: vrai = EstCellule(x) && x != I.pgNil; return true;    // consp
        case kListeP: vrai = EstCellule(x); return true;                   // liste?
        case kNombreP: vrai = EstFlottant(x); return true;                 // nombre?
        case kVideP: vrai = x == I.pgNil; return true;                     // vide?
        case kNon: vrai = I.EstFaux(x); return true;                       // !
        default: return false;
    }
}
Objet* PrimLongueur(Interp& I, Objet* x);

// --- Famille Free2Param ---
Objet* PrimEq(Interp& I, Objet* a, Objet* b);
Objet* PrimNeq(Interp& I, Objet* a, Objet* b);
Objet* PrimEgal(Interp& I, Objet* a, Objet* b);
Objet* PrimEtEt(Interp& I, Objet* a, Objet* b);
Objet* PrimOuOu(Interp& I, Objet* a, Objet* b);
Objet* PrimListe2(Interp& I, Objet* a, Objet* b);
Objet* PrimMembre(Interp& I, Objet* a, Objet* b);
Objet* PrimMemq(Interp& I, Objet* a, Objet* b);

// --- Mots (famille Autres1Param) ---
Objet* PrimRecycleValeur(Interp& I, Objet* x);
Objet* PrimExplose(Interp& I, Objet* x);
Objet* PrimCarCode(Interp& I, Objet* x);  // « car » : le mot d'un caractère
// prem et sp d'une liste, en ligne (le parcours d'une liste y passe à chaque
// élément) ; d'un mot, sa première lettre ou le reste.
Objet* PremDUnMot(Interp& I, Objet* x);
Objet* SpDUnMot(Interp& I, Objet* x);
inline Objet* PrimPrem(Interp& I, Objet* x) {
    return EstCellule(x) ? CEL(x)->car : PremDUnMot(I, x);  // pgNil est son propre car
}
inline Objet* PrimSp(Interp& I, Objet* x) {
    return EstCellule(x) ? CEL(x)->cdr : SpDUnMot(I, x);  // pgNil est son propre cdr
}
Objet* PrimDer(Interp& I, Objet* x);
Objet* PrimSd(Interp& I, Objet* x);
Objet* PrimTexte(Interp& I, Objet* x);

// --- Famille Autres2Param (donne et soit sont des formes de l'évaluateur) ---
Objet* PrimMp(Interp& I, Objet* a, Objet* b);
Objet* PrimNieme(Interp& I, Objet* a, Objet* b);
Objet* PrimMot(Interp& I, Objet* a, Objet* b);
Objet* PrimPhrase(Interp& I, Objet* a, Objet* b);

// --- Famille Autres3Param ---
Objet* PrimSubst(Interp& I, Objet* nouveau, Objet* ancien, Objet* arbre);

// --- Saisie, sortie, chargement (Free0Param, Free1Param) ---
Objet* PrimLisMot(Interp& I);
Objet* PrimLisNombre(Interp& I);
Objet* PrimLisListe(Interp& I);
Objet* PrimGetchar(Interp& I);
Objet* PrimVideTexte(Interp& I);
Objet* PrimRecycle(Interp& I);
Objet* PrimPretty(Interp& I, Objet* x);
Objet* PrimMontre(Interp& I, Objet* x);
Objet* PrimCharge(Interp& I, Objet* x);

// Lit un fichier programme (UTF-8 s'il est valide, converti en page 1252 ;
// page 1252 sinon). Seul un fichier ordinaire se lit, et jamais au-delà de ce
// que l'analyse peut prendre : un texte de plus de kLongueurMaxAnalysee
// caractères est un début de fichier, que l'appelant coupe.
enum class LectureProgramme { Lu, Introuvable, PasUnFichier };
LectureProgramme LireFichierProgramme(const std::string& nom, std::string& texteCp1252, bool& utf8);

}  // namespace gelim
