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

// La zone de disposition : largeur de l'écran moins 4, bas de la zone libre
// (au-dessus de la barre des tâches) moins 111, jamais moins de 200 pixels.
QSize ZoneDeDisposition(const QRect& ecran, const QRect& zoneLibre);

RectanglesDesFenetres CalculerLesRectangles(const ReglagesDisposition& r, QSize zone);

// Largeur d'un séparateur de la barre de boutons : les 13 boutons de 32
// pixels et 25 séparateurs couvrent la largeur, à 29 pixels au plus.
int LargeurSeparateur(int largeurZone);

}  // namespace gelim
