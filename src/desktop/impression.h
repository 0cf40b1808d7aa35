// L'impression du dessin : une page, le dessin deux fois, étiré, aux places
// prévues (en unités de l'imprimante, comptées ici à 600 par pouce).
#pragma once

#include <QImage>
#include <QRect>
#include <array>

class QPainter;
class QPrinter;

namespace gelim {

constexpr int kUnitesParPouce = 600;
constexpr const char* kTitreDImpression = "Interface d'impression externe";

// Normal : deux copies de 2000 x 2000 en (176, 0) et (176, 1588) ;
// en grand : deux copies de 4000 x 4000 en (0, 0) et (0, 4000).
std::array<QRect, 2> PlacementsDImpression(bool grand);

// Peint la page sur un peintre déjà mis à l'échelle des unités d'impression.
void PeindreLaPage(QPainter& p, const QImage& dessin, bool grand);

// Un document d'une page sur l'imprimante ; faux si l'impression échoue.
bool ImprimerLeDessin(QPrinter& imprimante, const QImage& dessin, bool grand);

}  // namespace gelim
