// La place des quatre fenêtres filles : calculée, jamais laissée à l'élève.
#pragma once

#include <QRect>
#include <QSize>

namespace gelim {

// Les trois réglages qui décident de la disposition.
struct ReglagesDisposition {
    int mode = 0;                // 0 ligne de commande, 1 éditeur
    int disposition = 0;         // 0 juxtaposées, 1 superposées
    bool messagesCaches = true;  // au démarrage, seuls la ligne de commande et le dessin se voient
};

// Les rectangles des quatre filles ; un rectangle nul veut dire « cachée ».
struct RectanglesDesFenetres {
    QRect graphique, editeur, messages, ligneDeCommande;
};

constexpr int kHauteurLigneDeCommande = 48;
constexpr int kBandeDesMessages = 250;  // sous l'éditeur, en disposition juxtaposée
constexpr int kDecalageSuperpose = 40;
constexpr int kZoneMinimale = 200;  // en deçà, les filles débordent plutôt que de disparaître

// Les rectangles dans la zone cliente du cadre, telle qu'elle est maintenant
// (cadre agrandi ou non). Dans une petite zone, la bande des messages sous
// l'éditeur ne prend jamais plus de la moitié de la hauteur.
RectanglesDesFenetres CalculerLesRectangles(const ReglagesDisposition& r, QSize zone);

// Largeur d'une unité d'espace de la barre de boutons : les 25 unités se
// partagent ce que les boutons laissent libre, à 29 pixels au plus, pour que
// la barre s'étale sur la largeur du cadre sans jamais cacher de bouton.
int LargeurSeparateur(int largeurBarre, int largeurDesBoutons);

}  // namespace gelim
