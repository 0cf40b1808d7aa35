// La surface en mémoire : un tampon de pixels et un tracé logiciel de toutes
// les figures (traits, ellipses, rectangles, polygones, remplissages, points,
// images). Le bureau, le lanceur sans écran et la page web dessinent tous par
// elle : mêmes pixels partout. Seul le texte dépend de la face (police).
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "turtle/surface.h"

namespace gelim {

class SurfaceMemoire : public Surface {
public:
    SurfaceMemoire(int largeur = 1000, int hauteur = 1000);

    int Largeur() const override { return largeur_; }
    int Hauteur() const override { return hauteur_; }
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
    // Sans police, le texte n'est pas dessiné : la face qui en a une redéfinit ceci.
    void TexteALaPosition(const std::string& texteCp1252) override;
    void CopierDepuis(const Surface& source) override;
    void CollerImage(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels) override;

    // Les pixels, 0xFFRRGGBB, ligne 0 en haut ; le tampon ne bouge jamais.
    // À lire sous le verrou quand un autre fil dessine.
    uint32_t* Donnees() { return pixels_.data(); }
    const uint32_t* Donnees() const { return pixels_.data(); }
    std::mutex& Verrou() const { return verrou_; }
    // Position courante (sous le verrou, pour le texte des faces).
    int PositionX() const { return posX_; }
    int PositionY() const { return posY_; }
    void FixerPositionX(int x) { posX_ = x; }
    // Nombre de changements des pixels : la page ne recopie que ce qui a changé.
    uint64_t Version() const { return version_; }
    void NoterModification() { ++version_; }

    static uint32_t Pixel(Couleur c) { return 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

private:
    void Poser(int x, int y, uint32_t p) {
        if (x >= 0 && y >= 0 && x < largeur_ && y < hauteur_) pixels_[size_t(y) * size_t(largeur_) + size_t(x)] = p;
    }
    void Segment(int y, long long g, long long d, uint32_t p);        // bornes comprises, rognées
    void TraitFin(int x0, int y0, int x1, int y1, uint32_t p);        // Bresenham, dernier point exclu
    bool TraitFinDedans(int x0, int y0, int x1, int y1, uint32_t p);  // faux si un point posé serait dehors
    void TraitLarge(int x0, int y0, int x1, int y1);                  // bouts ronds, crayon courant
    void ContourEllipse(int g, int h, int d, int b);

    int largeur_, hauteur_;
    std::vector<uint32_t> pixels_;
    mutable std::mutex verrou_;
    Couleur crayon_{0, 0, 0};
    int largeurCrayon_ = 1;
    bool brossePleine_ = false;
    Couleur brosse_{255, 255, 255};
    int posX_ = 0, posY_ = 0;
    uint64_t version_ = 0;
};

}  // namespace gelim
