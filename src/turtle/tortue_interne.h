// Outils partagés par les fichiers de la tortue : troncatures sûres, passage
// du champ aux pixels, opérations faites sur les deux surfaces.
#pragma once

#include <cmath>
#include <cstdint>

#include "turtle/tortue.h"

namespace gelim {

// Les constantes d'angle en simple précision.
constexpr float kDegreEnRadian = 0.017453292f;
constexpr float kRadianEnDegre = 57.29578f;

// Au-delà, une coordonnée est bornée : assez loin pour rester hors de toute
// surface, assez près pour qu'aucun calcul de pixel ne déborde.
constexpr int32_t kCoordonneeMax = 1 << 28;
// Un crayon plus large couvre de toute façon le champ entier.
constexpr int32_t kLargeurCrayonMax = 10000;

// Troncature vers zéro saturée : NaN donne 0, l'infini la borne de l'entier.
inline int32_t Tronque(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Une coordonnée du champ, tronquée et bornée.
inline int32_t CoordonneeDuChamp(double v) {
    int32_t t = Tronque(v);
    if (t > kCoordonneeMax) return kCoordonneeMax;
    if (t < -kCoordonneeMax) return -kCoordonneeMax;
    return t;
}

// Le point (X, Y) du champ est le pixel (500 + X, 500 - Y) ; la vue ajoute son décalage.
inline Point PixelDuDessin(int32_t X, int32_t Y) {
    return Point{500 + X, 500 - Y};
}
inline Point PixelDeLaVue(const Interp& I, int32_t X, int32_t Y) {
    return Point{500 + X + I.vueDecalageX, 500 - Y + I.vueDecalageY};
}

// Applique f(surface, point du champ vers pixel) au dessin puis à la vue (celles qui existent).
template <class F>
void SurLesDeuxSurfaces(Interp& I, F f) {
    if (I.dessin) f(*I.dessin, [](int32_t X, int32_t Y) { return PixelDuDessin(X, Y); });
    if (I.vue) f(*I.vue, [&I](int32_t X, int32_t Y) { return PixelDeLaVue(I, X, Y); });
}

// La couleur d'un numéro (fcc, fcf) : ses 8 bits de poids faible indexent la table.
inline int32_t NumeroDeCouleur(float n) {
    return Tronque(n) & 0xFF;
}

// Le dessin des familles (tortue.cpp, dessin.cpp, sons.cpp, images.cpp).
void Avance(Interp& I, float distance);
void Recule(Interp& I, float distance);
void AllerA(Interp& I, float X, float Y);  // fixeposition (et origine)
void FixerCouleurCrayon(Interp& I, float n);
void FixerEpaisseurCrayon(Interp& I, float n);
void FixerCouleurDuFond(Interp& I, float n);
void Cercle(Interp& I, float X, float Y, float r);
void Ligne(Interp& I, float x1, float y1, float x2, float y2);
void RectangleCreux(Interp& I, float x1, float y1, float x2, float y2);
void Bloc(Interp& I, float x1, float y1, float x2, float y2);
void Pixel(Interp& I, float X, float Y);
void Remplis(Interp& I);
void MettreAJourLaSouris(Interp& I);

}  // namespace gelim
