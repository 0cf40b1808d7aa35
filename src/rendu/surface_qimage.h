// La surface du bureau et du lanceur sans écran : la surface en mémoire du
// cœur (toutes les figures), vue comme une QImage sur le même tampon de
// pixels ; QPainter ne sert qu'au texte. Le texte attend d'être vu pour être
// rendu : un programme dont personne ne lit le dessin ne charge pas la police.
#pragma once

#include <QImage>
#include <QMutexLocker>  // Verrou() se prend avec QMutexLocker chez les appelants

#include "turtle/surface_memoire.h"

namespace gelim {

// La police du texte dessiné (DejaVu Sans de 13 pixels, sans anticrénelage) :
// la largeur d'un texte, et son rendu sur un tampon de pixels 0xFFRRGGBB.
int LargeurDuTexteQt(const std::string& texteCp1252);
void DessinerTexteQt(uint32_t* pixels, int largeur, int hauteur, const std::string& texteCp1252, int x, int y);

class SurfaceQImage : public SurfaceMemoire {
public:
    SurfaceQImage(int largeur = 1000, int hauteur = 1000);

    void TexteALaPosition(const std::string& texteCp1252) override;
    // Charge la police du texte dessiné (le premier chargement coûte cher).
    static void PrechargerLaPolice();
    // Le texte rendu tout de suite, par le fil qui l'écrit : le bureau, dont le
    // fil de l'interface lit la vue sans cesse, ne doit jamais rendre à sa place
    // des milliers de textes en attente.
    void RendreLeTexteToutDeSuite() { toutDeSuite_ = true; }

    // L'image (les pixels de la surface, texte compris), à lire sous le verrou
    // quand un autre fil dessine : le texte en attente y est rendu d'abord.
    const QImage& Image() const {
        VideLeTexteEnAttente();
        return image_;
    }

protected:
    int LargeurDuTexte(const std::string& texteCp1252) override;
    void DessinerTexte(const std::string& texteCp1252, int x, int y) override;

private:
    QImage image_;
    bool toutDeSuite_ = false;
};

}  // namespace gelim
