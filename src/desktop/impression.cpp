// Impression du dessin.
#include "desktop/impression.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace gelim {

QRect PlacementDImpression(QSize zone, int resolution, bool grand) {
    const int tient = std::min(zone.width(), zone.height());
    const int cote = grand ? tient : std::min(tient, int(qint64(kCoteNormal) * resolution / kUnitesParPouce));
    return QRect((zone.width() - cote) / 2, (zone.height() - cote) / 2, cote, cote);
}

void PeindreLaPage(QPainter& p, const QImage& dessin, const QRect& place) {
    // Agrandi pixel par pixel, sans lissage : un trait reste un trait net.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(place, dessin);
}

bool ImprimerLeDessin(QPrinter& imprimante, const QImage& dessin, bool grand) {
    imprimante.setDocName(QString::fromUtf8(kTitreDImpression));
    QPainter p;
    if (!p.begin(&imprimante)) return false;
    // L'origine du peintre est le coin de la zone imprimable.
    PeindreLaPage(p, dessin,
                  PlacementDImpression(QSize(imprimante.width(), imprimante.height()), imprimante.resolution(), grand));
    return p.end();
}

}  // namespace gelim
