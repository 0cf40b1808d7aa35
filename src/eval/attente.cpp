// Provisoire : remplacé par la vraie réalisation.
#include "eval/eval.h"

namespace gelim {
void InstallerEnvironnementDeBase(Interp& I) {}
Objet* EvalPasAPas(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* EvalSExp(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* EvalFonc(Interp& I, Fonc* f, Objet* args) { (void)I; return nullptr; }
Objet* EvalFDU(Interp& I, Nom* nom, Objet* args) { (void)I; return nullptr; }
Objet* EvalProgn(Interp& I, Objet* liste) { (void)I; return nullptr; }
Objet* LispDe(Interp& I, Objet* args) { (void)I; return nullptr; }
void PreparerCommande(Interp& I) {}
}
