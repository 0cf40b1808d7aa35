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
    MettreLeTexteEnAttente(texteCp1252);
    if (toutDeSuite_) VideLeTexteEnAttente();
}

static QString EnQString(const std::string& texteCp1252) {
    return QString::fromUtf8(Cp1252VersUtf8(texteCp1252).c_str());
}

int LargeurDuTexteQt(const std::string& texteCp1252) {
    return QFontMetrics(PoliceDuTexte()).horizontalAdvance(EnQString(texteCp1252));
}

void DessinerTexteQt(uint32_t* pixels, int largeur, int hauteur, const std::string& texteCp1252, int x, int y) {
    const QString texte = EnQString(texteCp1252);
    const QFont police = PoliceDuTexte();
    QFontMetrics mesures(police);
    const int l = mesures.horizontalAdvance(texte);
    // Une image neuve sur le tampon : une copie de l'image de la surface tenue
    // ailleurs ne peut pas détourner le dessin vers un autre tampon.
    QImage cible(reinterpret_cast<uchar*>(pixels), largeur, hauteur, largeur * 4, QImage::Format_RGB32);
    QPainter p(&cible);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(police);
    // Fond opaque blanc derrière le texte, texte noir, comme un contexte par défaut.
    p.fillRect(QRect(x, y - mesures.ascent(), l, mesures.height()), Qt::white);
    p.setPen(Qt::black);
    p.drawText(QPoint(x, y), texte);
}

int SurfaceQImage::LargeurDuTexte(const std::string& texteCp1252) {
    return LargeurDuTexteQt(texteCp1252);
}

// Appelée sous le verrou, au moment où le texte peut être vu.
void SurfaceQImage::DessinerTexte(const std::string& texteCp1252, int x, int y) {
    DessinerTexteQt(Tampon(), Largeur(), Hauteur(), texteCp1252, x, y);
    NoterModification();
}

}  // namespace gelim
