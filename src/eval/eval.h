// Le cœur de l'évaluation : formes spéciales, familles de primitives,
// pas à pas et traces.
#pragma once

#include "objects/interp.h"

namespace gelim {

// Installe l'environnement de base (profondeur 0) : fin du démarrage.
void InstallerEnvironnementDeBase(Interp& I);

// L'entrée de toute évaluation (le pas à pas s'y accroche). Sûre quelle que
// soit l'entrée : l'imbrication est bornée par I.profondeurNativeMax et
// l'arrêt demandé (I.arretDemande, ou l'hôte) fait tout finir vite.
Objet* EvalPasAPas(Interp& I, Objet* x);
Objet* EvalSExp(Interp& I, Objet* x);
Objet* EvalFonc(Interp& I, Fonc* f, Objet* args);
Objet* EvalProgn(Interp& I, Objet* liste);

// lisp_de, aussi appelée par la pré-déclaration des fonctions.
Objet* LispDe(Interp& I, Objet* args);

// Prépare une nouvelle commande, une fois avant chaque commande de l'élève
// (pas avant un chargement par charge, qui fait partie de la commande) :
// compte des erreurs, demande de collecte, boîtes montrées une fois par
// commande, profondeur d'imbrication, arrêt demandé.
void PreparerCommande(Interp& I);

}  // namespace gelim
