// Surface de dessin abstraite, à la manière d'un contexte graphique :
// crayon, brosse, position courante, figures, remplissage, pixels, texte.
// Les coordonnées sont des pixels de la surface (0,0 en haut à gauche).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gelim {

struct Couleur {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Couleur& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Point {
    int x = 0, y = 0;
};

class Surface {
public:
    virtual ~Surface() = default;
    virtual int Largeur() const = 0;
    virtual int Hauteur() const = 0;

    // Crayon plein de cette couleur et de cette largeur.
    virtual void Crayon(Couleur c, int largeur) = 0;
    // Brosse pleine, ou brosse creuse (rien n'est rempli).
    virtual void Brosse(Couleur c) = 0;
    virtual void BrosseCreuse() = 0;

    virtual void DeplacerVers(int x, int y) = 0;
    virtual void LigneVers(int x, int y) = 0;
    // Un trait de (x0, y0) à (x1, y1), qui laisse la position au bout.
    virtual void Trait(int x0, int y0, int x1, int y1) {
        DeplacerVers(x0, y0);
        LigneVers(x1, y1);
    }
    // Figures dans le rectangle englobant (g, h)-(d, b), bords droit et bas exclus.
    virtual void Ellipse(int g, int h, int d, int b) = 0;
    virtual void Rectangle(int g, int h, int d, int b) = 0;
    virtual void Polygone(const std::vector<Point>& pts) = 0;
    // Remplit le rectangle avec la brosse, sans contour.
    virtual void RemplirRectangle(int g, int h, int d, int b, Couleur c) = 0;
    // Remplissage de la zone connexe de couleur « cible » autour de (x, y) avec la brosse.
    virtual void RemplissageSurface(int x, int y, Couleur cible) = 0;
    virtual Couleur LirePixel(int x, int y) const = 0;
    virtual void EcrirePixel(int x, int y, Couleur c) = 0;

    // Texte à la position courante, ligne de base, qui avance la position courante.
    virtual void TexteALaPosition(const std::string& texteCp1252) = 0;

    // Copie toute une surface de même taille.
    virtual void CopierDepuis(const Surface& source) = 0;
    // Copie d'une image (pixels RGB, ligne 0 en haut) à la position (x, y).
    virtual void CollerImage(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels) = 0;
};

}  // namespace gelim
