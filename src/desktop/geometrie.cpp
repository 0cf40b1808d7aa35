// Règles de placement des fenêtres filles, d'après la zone de disposition.
#include "desktop/geometrie.h"

#include <algorithm>

namespace gelim {

QSize ZoneDeDisposition(const QRect& ecran, const QRect& zoneLibre) {
    const int largeur = ecran.width() - 4;
    const int hauteur = (zoneLibre.y() + zoneLibre.height()) - ecran.y() - 111;
    // Un écran minuscule ne doit pas donner de tailles négatives.
    return QSize(std::max(largeur, 200), std::max(hauteur, 200));
}

RectanglesDesFenetres CalculerLesRectangles(const ReglagesDisposition& r, QSize zone) {
    const int W = zone.width(), H = zone.height();
    const int moitie = W / 2;
    const bool juxtaposees = r.disposition == 0;
    RectanglesDesFenetres f;

    if (r.mode == 0)
        f.ligneDeCommande = QRect(0, 0, juxtaposees ? moitie : W - kDecalageSuperpose, kHauteurLigneDeCommande);

    if (!r.messagesCaches) {
        if (!juxtaposees)
            f.messages = QRect(0, kDecalageSuperpose, W - kDecalageSuperpose, H - kDecalageSuperpose);
        else if (r.mode == 0)
            f.messages = QRect(0, kHauteurLigneDeCommande, moitie, H - kHauteurLigneDeCommande);
        else
            f.messages = QRect(0, H - kBandeDesMessages, moitie, kBandeDesMessages);
    }

    if (r.mode == 1) {
        int hauteur = H;
        if (!r.messagesCaches) hauteur = juxtaposees ? H - kBandeDesMessages : H - kDecalageSuperpose;
        f.editeur = QRect(0, 0, juxtaposees ? moitie : W - kDecalageSuperpose, hauteur);
    }

    f.graphique = juxtaposees ? QRect(moitie, 0, moitie, H) : QRect(kDecalageSuperpose, 0, W - kDecalageSuperpose, H);
    return f;
}

int LargeurSeparateur(int largeurZone) {
    return std::clamp((largeurZone - 13 * 32) / 25, 0, 29);
}

}  // namespace gelim
