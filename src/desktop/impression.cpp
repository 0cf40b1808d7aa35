// Impression du dessin.
#include "desktop/impression.h"

#include <QPainter>
#include <QPrinter>

namespace gelim {

std::array<QRect, 2> PlacementsDImpression(bool grand) {
    if (grand) return {QRect(0, 0, 4000, 4000), QRect(0, 4000, 4000, 4000)};
    return {QRect(176, 0, 2000, 2000), QRect(176, 1588, 2000, 2000)};
}

void PeindreLaPage(QPainter& p, const QImage& dessin, bool grand) {
    // Agrandi pixel par pixel, sans lissage : un trait reste un trait net.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& r : PlacementsDImpression(grand)) p.drawImage(r, dessin);
}

bool ImprimerLeDessin(QPrinter& imprimante, const QImage& dessin, bool grand) {
    imprimante.setDocName(QString::fromUtf8(kTitreDImpression));
    QPainter p;
    if (!p.begin(&imprimante)) return false;
    const double echelle = double(imprimante.resolution()) / kUnitesParPouce;
    p.scale(echelle, echelle);
    PeindreLaPage(p, dessin, grand);
    return p.end();
}

}  // namespace gelim
