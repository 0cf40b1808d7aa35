// Le texte dessiné sur la surface : DejaVu Sans de 13 pixels, sans anticrénelage.
#include "rendu/surface_qimage.h"

#include <QFont>
#include <QFontMetrics>
#include <QMutexLocker>
#include <QPainter>

#include "objects/interp.h"

namespace gelim {

SurfaceQImage::SurfaceQImage(int largeur, int hauteur)
    : SurfaceMemoire(largeur, hauteur),
      image_(reinterpret_cast<uchar*>(Donnees()), Largeur(), Hauteur(), Largeur() * 4, QImage::Format_RGB32) {}

static QFont PoliceDuTexte() {
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPixelSize(13);
    return police;
}

void SurfaceQImage::PrechargerLaPolice() {
    QFontMetrics(PoliceDuTexte()).horizontalAdvance(QStringLiteral("0"));
}

void SurfaceQImage::TexteALaPosition(const std::string& texteCp1252) {
    QMutexLocker verrou(&Verrou());
    QString texte = QString::fromUtf8(Cp1252VersUtf8(texteCp1252).c_str());
    const QFont police = PoliceDuTexte();
    QFontMetrics mesures(police);
    int largeur = mesures.horizontalAdvance(texte);
    const int x = PositionX(), y = PositionY();
    // Une image neuve sur le tampon : une copie de image_ tenue ailleurs ne peut
    // pas détourner le dessin vers un autre tampon.
    QImage cible(reinterpret_cast<uchar*>(Donnees()), Largeur(), Hauteur(), Largeur() * 4, QImage::Format_RGB32);
    QPainter p(&cible);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(police);
    // Fond opaque blanc derrière le texte, texte noir, comme un contexte par défaut.
    p.fillRect(QRect(x, y - mesures.ascent(), largeur, mesures.height()), Qt::white);
    p.setPen(Qt::black);
    p.drawText(QPoint(x, y), texte);
    FixerPositionX(x + largeur);
    NoterModification();
}

}  // namespace gelim
