// L'impression du dessin : une page, une seule copie du dessin, ses
// proportions gardées, au milieu de la zone imprimable. Les unités de
// l'imprimante ne valent pas partout 600 par pouce : la place se calcule
// sur la page que l'imprimante donne vraiment.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;
class QPrinter;

namespace gelim {

constexpr int kUnitesParPouce = 600;
constexpr int kCoteNormal = 2000;  // en unités à 600 par pouce : 8,5 cm
constexpr const char* kTitreDImpression = "Interface d'impression externe";

// La place du dessin dans la zone imprimable (l x h pixels de l'imprimante, à
// « resolution » points par pouce) : un carré centré, de 2000 unités à 600 par
// pouce (réduit s'il ne tient pas) ou, en grand, de toute la largeur imprimable
// (la hauteur si la page est couchée).
QRect PlacementDImpression(QSize zoneImprimable, int resolution, bool grand);

// Peint la copie à sa place, agrandie pixel par pixel, sans lissage.
void PeindreLaPage(QPainter& p, const QImage& dessin, const QRect& place);

// Un document d'une page sur l'imprimante ; faux si l'impression échoue.
bool ImprimerLeDessin(QPrinter& imprimante, const QImage& dessin, bool grand);

}  // namespace gelim
