// Le cœur de l'évaluation : formes spéciales, familles de primitives,
// pas à pas et traces.
#pragma once

#include "objects/interp.h"

namespace gelim {

// Installe l'environnement de base (profondeur 0) : fin du démarrage.
void InstallerEnvironnementDeBase(Interp& I);

Objet* EvalPasAPas(Interp& I, Objet* x);
Objet* EvalSExp(Interp& I, Objet* x);
Objet* EvalFonc(Interp& I, Fonc* f, Objet* args);
Objet* EvalFDU(Interp& I, Nom* nom, Objet* args);
Objet* EvalProgn(Interp& I, Objet* liste);

// lisp_de, aussi appelée par la pré-déclaration des fonctions.
Objet* LispDe(Interp& I, Objet* args);

// Prépare une nouvelle commande (compteurs et drapeaux remis à zéro).
void PreparerCommande(Interp& I);

} // namespace gelim
