// Les surfaces de dessin du cœur, réalisées sur QImage et QPainter (sans
// anticrénelage, pour des pixels nets et reproductibles).
#pragma once

#include <QImage>
#include <QMutex>

#include "turtle/surface.h"

namespace gelim {

class SurfaceQImage : public Surface {
public:
    SurfaceQImage(int largeur = 1000, int hauteur = 1000);

    int Largeur() const override { return image_.width(); }
    int Hauteur() const override { return image_.height(); }
    void Crayon(Couleur c, int largeur) override;
    void Brosse(Couleur c) override;
    void BrosseCreuse() override;
    void DeplacerVers(int x, int y) override;
    void LigneVers(int x, int y) override;
    void Ellipse(int g, int h, int d, int b) override;
    void Rectangle(int g, int h, int d, int b) override;
    void Polygone(const std::vector<Point>& pts) override;
    void RemplirRectangle(int g, int h, int d, int b, Couleur c) override;
    void RemplissageSurface(int x, int y, Couleur cible) override;
    Couleur LirePixel(int x, int y) const override;
    void EcrirePixel(int x, int y, Couleur c) override;
    void TexteALaPosition(const std::string& texteCp1252) override;
    // Charge la police du texte dessiné (le premier chargement coûte cher).
    static void PrechargerLaPolice();
    void CopierDepuis(const Surface& source) override;
    void CollerImage(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels) override;

    // L'image, à lire sous le verrou quand un autre fil dessine.
    const QImage& Image() const { return image_; }
    QMutex& Verrou() const { return verrou_; }

private:
    QImage image_;
    mutable QMutex verrou_;
    Couleur crayon_{0, 0, 0};
    int largeurCrayon_ = 1;
    bool brossePleine_ = false;
    Couleur brosse_{255, 255, 255};
    int posX_ = 0, posY_ = 0;
};

}  // namespace gelim
