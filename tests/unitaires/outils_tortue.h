// Outils communs des tests de la tortue et du dessin : une primitive par son
// nom, le pixel d'un point du champ, l'appel direct des familles de la tortue.
#pragma once

#include <gtest/gtest.h>

#include "hote_enregistreur.h"
#include "turtle/tortue.h"

namespace gelim::essais {

inline constexpr Couleur kNoir{0, 0, 0}, kBlanc{255, 255, 255}, kRouge{255, 0, 0}, kBleu{0, 0, 255};

inline Fonc* P(Interp& I, const char* nom) {
    return FONC(I.Cherche(nom));
}
// Le pixel du point (X, Y) du champ.
inline Couleur Px(Surface& s, int X, int Y) {
    return s.LirePixel(500 + X, 500 - Y);
}
inline void Logo0(Interp& I, const char* nom) {
    ASSERT_EQ(ExecuterLogo0(I, P(I, nom)), I.pgNil) << nom;
}
inline void Logo1(Interp& I, const char* nom, float a) {
    ASSERT_TRUE(ExecuterLogo1(I, P(I, nom), a)) << nom;
}
inline void Logo2(Interp& I, const char* nom, float a, float b) {
    ASSERT_TRUE(ExecuterLogo2(I, P(I, nom), a, b)) << nom;
}

}  // namespace gelim::essais
