// Règles de placement des fenêtres filles, d'après la zone cliente du cadre.
#include "desktop/geometrie.h"

#include <algorithm>

namespace gelim {

RectanglesDesFenetres CalculerLesRectangles(const ReglagesDisposition& r, QSize zone) {
    const int W = std::max(zone.width(), kZoneMinimale), H = std::max(zone.height(), kZoneMinimale);
    const int moitie = W / 2;
    const int bande = std::min(kBandeDesMessages, H / 2);
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
            f.messages = QRect(0, H - bande, moitie, bande);
    }

    if (r.mode == 1) {
        int hauteur = H;
        if (!r.messagesCaches) hauteur = juxtaposees ? H - bande : H - kDecalageSuperpose;
        f.editeur = QRect(0, 0, juxtaposees ? moitie : W - kDecalageSuperpose, hauteur);
    }

    f.graphique = juxtaposees ? QRect(moitie, 0, moitie, H) : QRect(kDecalageSuperpose, 0, W - kDecalageSuperpose, H);
    return f;
}

int LargeurSeparateur(int largeurBarre, int largeurDesBoutons) {
    return std::clamp((largeurBarre - largeurDesBoutons) / 25, 0, 29);
}

}  // namespace gelim
