// La surface en mémoire : un tampon de pixels et un tracé logiciel de toutes
// les figures (traits, ellipses, rectangles, polygones, remplissages, points,
// images). Le bureau, le lanceur sans écran et la page web dessinent tous par
// elle : mêmes pixels partout. Seul le texte dépend de la face (police).
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
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
    void Trait(int x0, int y0, int x1, int y1) override;
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
    // À lire sous le verrou quand un autre fil dessine : le texte en attente y est rendu d'abord.
    uint32_t* Donnees() { return const_cast<uint32_t*>(std::as_const(*this).Donnees()); }
    const uint32_t* Donnees() const {
        VideLeTexteEnAttente();
        return pixels_.data();
    }
    std::mutex& Verrou() const { return verrou_; }
    // Position courante (sous le verrou, pour le texte des faces). L'abscisse
    // après un texte en attente dépend de sa largeur : elle le rend d'abord.
    int PositionX() const {
        VideLeTexteEnAttente();
        return posX_;
    }
    int PositionY() const { return posY_; }
    void FixerPositionX(int x) {
        VideLeTexteEnAttente();
        posX_ = x;
    }
    // Toutes les figures attendent, comme derrière un texte, que quelqu'un lise
    // les pixels : une surface recouverte avant d'être lue (la vue du lanceur,
    // refaite d'après le dessin à la fin de chaque commande) ne les trace jamais.
    void DiffererLesFigures(bool oui);
    // Nombre de changements des pixels : la page ne recopie que ce qui a changé.
    uint64_t Version() const { return version_; }
    void NoterModification() { ++version_; }

    static uint32_t Pixel(Couleur c) { return 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

protected:
    // Le texte différé des faces qui ont une police : TexteALaPosition le met
    // en attente (sous le verrou) ; il n'est rendu, par DessinerTexte, qu'au
    // moment où quelqu'un pourrait le voir (pixels lus, copiés ou enregistrés,
    // abscisse lue). Les figures tracées entre-temps attendent derrière lui,
    // dans l'ordre : l'empilement des pixels ne change pas.
    void MettreLeTexteEnAttente(const std::string& texteCp1252);
    // Rend tout ce qui attend, sous le verrou. Le drapeau rend l'appel gratuit
    // quand rien n'attend, ce qui est le cas de toutes les opérations d'un
    // programme sans texte.
    void VideLeTexteEnAttente() const {
        if (enAttente_) const_cast<SurfaceMemoire*>(this)->RendreCeQuiAttend();
    }
    // Sans police : largeur nulle, rien n'est dessiné.
    virtual int LargeurDuTexte(const std::string&) { return 0; }
    virtual void DessinerTexte(const std::string&, int, int) {}
    // Le tampon sans rien rendre : pour DessinerTexte seulement.
    uint32_t* Tampon() { return pixels_.data(); }

private:
    // L'état du crayon et de la brosse, gardé avec chaque figure en attente.
    struct Outils {
        Couleur crayon;
        int largeurCrayon;
        bool brossePleine;
        Couleur brosse;
    };
    // Une figure en attente, avec les outils du moment où elle a été demandée.
    // Le trait, de loin le plus fréquent, tient dans l'enregistrement : des
    // centaines de milliers de traits en attente ne coûtent ni allocation ni
    // appel indirect. Les autres figures et les textes sont des fonctions à part.
    static constexpr uint32_t kTrait = UINT32_MAX;
    struct Trace {
        int x0, y0, x1, y1;
        Outils outils;
        uint32_t autre;  // kTrait, ou le rang de la figure dans autres_
    };
    // Trace la figure tout de suite, ou la met derrière ce qui attend.
    template <class F>
    void Tracer(F figure);
    void TracerUnTrait(int x0, int y0, int x1, int y1);
    bool DoitAttendre() const { return differer_ || !traces_.empty(); }
    void MettreEnAttente(uint32_t autre, int x0 = 0, int y0 = 0, int x1 = 0, int y1 = 0);
    void RendreCeQuiAttend();
    void Placer(int x, int y);  // DeplacerVers, sous le verrou déjà pris
    void LigneNue(int x0, int y0, int x1, int y1);
    void EllipseNue(int g, int h, int d, int b);
    void RectangleNu(int g, int h, int d, int b);
    void PolygoneNu(const std::vector<Point>& pts);
    void RemplirRectangleNu(int g, int h, int d, int b, Couleur c);
    void CollerImageNue(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels);

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
    // Vrai quand un texte ou des figures attendent ; lu sous le verrou.
    bool enAttente_ = false;
    bool differer_ = false;
    // Les textes et figures en attente, dans l'ordre, chacun avec ses outils.
    std::vector<Trace> traces_;
    std::vector<std::function<void(SurfaceMemoire&)>> autres_;
    // Les textes écrits depuis que l'abscisse a été fixée : posX_ vaut
    // ancreX_ plus leurs largeurs, connues seulement une fois la police chargée.
    int ancreX_ = 0;
    std::vector<std::string> avance_;
};

}  // namespace gelim
