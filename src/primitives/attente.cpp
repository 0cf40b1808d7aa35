// Provisoire : remplacé par la vraie réalisation.
#include "primitives/primitives.h"

namespace gelim {
Objet* PrimCxr(Interp& I, uint16_t code, Objet* l) { (void)I; return nullptr; }
Objet* PrimRenverse(Interp& I, Objet* l) { (void)I; return nullptr; }
Objet* PrimImplose(Interp& I, Objet* l) { (void)I; return nullptr; }
Objet* PrimPlat(Interp& I, Objet* l) { (void)I; return nullptr; }
Objet* PrimTestType(Interp& I, uint16_t code, Objet* x) { (void)I; return nullptr; }
Objet* PrimLongueur(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimEq(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimNeq(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimEgal(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimEtEt(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimOuOu(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimListe2(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimMembre(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimMemq(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimRecycleValeur(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimExplose(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimCarCode(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimPrem(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimDer(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimSp(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimSd(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimTexte(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimMp(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimNieme(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimMot(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimPhrase(Interp& I, Objet* a, Objet* b) { (void)I; return nullptr; }
Objet* PrimSubst(Interp& I, Objet* nouveau, Objet* ancien, Objet* arbre) { (void)I; return nullptr; }
Objet* PrimLisMot(Interp& I) { (void)I; return nullptr; }
Objet* PrimLisNombre(Interp& I) { (void)I; return nullptr; }
Objet* PrimLisListe(Interp& I) { (void)I; return nullptr; }
Objet* PrimGetchar(Interp& I) { (void)I; return nullptr; }
Objet* PrimVideTexte(Interp& I) { (void)I; return nullptr; }
Objet* PrimRecycle(Interp& I) { (void)I; return nullptr; }
Objet* PrimPretty(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimMontre(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimCharge(Interp& I, Objet* x) { (void)I; return nullptr; }
bool LireFichierProgramme(const std::string& nom, std::string& texteCp1252, bool& utf8) { return false; }
}
