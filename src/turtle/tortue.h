// La tortue : état, déplacements, champ clos, figure, instantané ; les
// primitives de dessin, les couleurs, les sons et les images.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "objects/interp.h"

namespace gelim {

void InitialiserLaTortue(Interp& I);
void SauverLaTortue(Interp& I);
void RestaurerLaTortue(Interp& I);
void AppliquerLeCrayon(Interp& I);
void DessinerLaTortue(Interp& I);
// La figure d'une tortue t sur une surface s, le point (X, Y) du champ au pixel
// (500 + X + dx, 500 - Y + dy) : la vue, ou l'affichage d'un programme en cours.
void DessinerLaFigure(Surface& s, const EtatTortue& t, const std::array<Couleur, 256>& couleurs, int dx, int dy);
void VerifierLeBordDuCadre(Interp& I);
// Le cadre du champ sur le dessin courant (à chaque rafraîchissement).
void DessinerLeCadre(Interp& I);
// Remplit les deux surfaces de blanc (videecran, nettoie, programme de l'éditeur).
void BlanchirLesSurfaces(Interp& I);

// Familles Logo : rend nullptr (Logo0) ou faux (Logo1 à 4) pour un code sans membre.
Objet* ExecuterLogo0(Interp& I, Fonc* f);
bool ExecuterLogo1(Interp& I, Fonc* f, float a);
bool ExecuterLogo2(Interp& I, Fonc* f, float a, float b);
bool ExecuterLogo3(Interp& I, Fonc* f, float a, float b, float c);
bool ExecuterLogo4(Interp& I, Fonc* f, float a, float b, float c, float d);

// Membres des autres familles.
float PrimCpixel(Interp& I, float x, float y);
float PrimBipfd(Interp& I, float frequence, float duree);
Objet* PrimJoue(Interp& I, Objet* x);
Objet* PrimAfficheBitmap(Interp& I, Objet* nom, Objet* x, Objet* y);

// Commandes d'image du shell (le dessin entier). « fichier » est un chemin du
// système de fichiers (UTF-8) ; l'alerte le montre en page 1252. La question
// « Le dessin ... va être effacé » et la boîte de choix du fichier sont au shell.
bool ChargerImageDansLeDessin(Interp& I, const std::string& fichier);  // l'alerte en cas d'échec
bool SauverLeDessin(Interp& I, const std::string& fichier);            // BMP ; l'alerte en cas d'échec

}  // namespace gelim
