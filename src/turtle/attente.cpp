// Provisoire : remplacé par la vraie réalisation.
#include "turtle/tortue.h"

namespace gelim {
void InitialiserLaTortue(Interp& I) {}
void SauverLaTortue(Interp& I) {}
void RestaurerLaTortue(Interp& I) {}
void AppliquerLeCrayon(Interp& I) {}
void DessinerLaTortue(Interp& I) {}
void VerifierLeBordDuCadre(Interp& I) {}
void DessinerLeCadre(Interp& I) {}
void BlanchirLesSurfaces(Interp& I) {}
Objet* ExecuterLogo0(Interp& I, Fonc* f) { (void)I; return nullptr; }
bool ExecuterLogo1(Interp& I, Fonc* f, float a) { return false; }
bool ExecuterLogo2(Interp& I, Fonc* f, float a, float b) { return false; }
bool ExecuterLogo3(Interp& I, Fonc* f, float a, float b, float c) { return false; }
bool ExecuterLogo4(Interp& I, Fonc* f, float a, float b, float c, float d) { return false; }
float PrimCpixel(Interp& I, float x, float y) { return 0; }
float PrimBipfd(Interp& I, float frequence, float duree) { return 0; }
Objet* PrimJoue(Interp& I, Objet* x) { (void)I; return nullptr; }
Objet* PrimAfficheBitmap(Interp& I, Objet* nom, Objet* x, Objet* y) { (void)I; return nullptr; }
bool ChargerImageDansLeDessin(Interp& I, const std::string& fichier) { return false; }
bool SauverLeDessin(Interp& I, const std::string& fichier) { return false; }
}
