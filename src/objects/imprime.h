// Les imprimeurs d'objets : à plat, avec crochets, en colonne, en arbre.
// Aucun ne récurse sur la pile native : la profondeur suit les données.
#pragma once

#include "objects/interp.h"

namespace gelim {

void EcritNom(Interp& I, Objet* x);
void EcritNomLigne(Interp& I, Objet* x);
void Indente(Interp& I, long n);
void EcritNomIndente(Interp& I, Objet* x, long n);
void Imprime(Interp& I, Objet* x, bool avecCrochets = false);
void ImprimeLigne(Interp& I, Objet* x);
void ImprimeAvecCrochets(Interp& I, Objet* x);
void ImprimeEnColonne(Interp& I, Objet* x, long n);
void ImprimeArbre(Interp& I, Objet* x, long n, long p);

}  // namespace gelim
