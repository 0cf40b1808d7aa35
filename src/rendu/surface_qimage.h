// La surface du bureau et du lanceur sans écran : la surface en mémoire du
// cœur (toutes les figures), vue comme une QImage sur le même tampon de
// pixels ; QPainter ne sert qu'au texte.
#pragma once

#include <QImage>
#include <QMutexLocker>  // Verrou() se prend avec QMutexLocker chez les appelants

#include "turtle/surface_memoire.h"

namespace gelim {

class SurfaceQImage : public SurfaceMemoire {
public:
    SurfaceQImage(int largeur = 1000, int hauteur = 1000);

    void TexteALaPosition(const std::string& texteCp1252) override;
    // Charge la police du texte dessiné (le premier chargement coûte cher).
    static void PrechargerLaPolice();

    // L'image (les pixels de la surface), à lire sous le verrou quand un autre fil dessine.
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

}  // namespace gelim
