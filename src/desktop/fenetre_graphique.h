// La fenêtre graphique de la tortue : elle peint la vue (1000 x 1000) avec le
// décalage qui met le point de défilement au milieu, défile par pas de 5
// pixels, et donne au fil de travail ses touches, clics et mouvements.
// Pendant un programme, elle peint le dessin et la tortue là où elle est.
#pragma once

#include <QAbstractScrollArea>

#include "objects/hote.h"

class QPainter;

namespace gelim {

class HoteBureau;
class SurfaceQImage;

class FenetreGraphique : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kUnite = 5;     // pixels par pas de défilement
    static constexpr int kUnites = 200;  // tout le champ
    FenetreGraphique(SurfaceQImage& vue, SurfaceQImage& dessin, HoteBureau& hote, QWidget* parent = nullptr);

    // Position de défilement en pixels du dessin (le point montré au milieu).
    QPoint PositionDeDefilement() const;
    void DefinirPositionDeDefilement(QPoint unites);
    // Le point du dessin montré au pixel (x, y) de la zone client.
    QPoint PointDuDessin(QPoint client) const;
    // Quand un programme tourne, clavier et souris vont au programme.
    void DefinirProgrammeEnCours(bool oui) { programmeEnCours_ = oui; }
    // Taille de la fille qui l'encadre (pour la position de la souris).
    void DefinirCadre(QWidget* cadre) { cadre_ = cadre; }

    // Code de touche virtuelle d'une touche du clavier (0 si inconnue).
    static int CodeDeTouche(int cleQt, const QString& texte);

signals:
    void ArretDemande();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void AnnoncerTaille();
    bool PeindreLeProgrammeEnCours(QPainter& p, QPoint origine);

    SurfaceQImage& vue_;
    SurfaceQImage& dessin_;
    HoteBureau& hote_;
    QWidget* cadre_ = nullptr;
    bool programmeEnCours_ = false;
};

}  // namespace gelim
