// Peinture de la fenêtre graphique depuis la vue, défilement, entrées.
#include "desktop/fenetre_graphique.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "desktop/hote_bureau.h"
#include "rendu/surface_qimage.h"
#include "turtle/tortue.h"

namespace gelim {

FenetreGraphique::FenetreGraphique(SurfaceQImage& vue, SurfaceQImage& dessin, HoteBureau& hote, QWidget* parent)
    : QAbstractScrollArea(parent), vue_(vue), dessin_(dessin), hote_(hote) {
    setWindowTitle(QStringLiteral("Fengra"));
    for (QScrollBar* b : {horizontalScrollBar(), verticalScrollBar()}) {
        b->setRange(0, kUnites);
        b->setSingleStep(1);
        b->setPageStep(20);
        b->setValue(kUnites / 2);  // le centre du champ, où la tortue part
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QPoint FenetreGraphique::PositionDeDefilement() const {
    return QPoint(horizontalScrollBar()->value() * kUnite, verticalScrollBar()->value() * kUnite);
}

void FenetreGraphique::DefinirPositionDeDefilement(QPoint unites) {
    horizontalScrollBar()->setValue(unites.x());
    verticalScrollBar()->setValue(unites.y());
}

QPoint FenetreGraphique::PointDuDessin(QPoint client) const {
    const QPoint s = PositionDeDefilement();
    const QSize t = viewport()->size();
    return QPoint(s.x() - t.width() / 2 + client.x(), s.y() - t.height() / 2 + client.y());
}

void FenetreGraphique::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    // Hors du champ : un gris qui montre le bord du dessin.
    p.fillRect(e->rect(), QColor(160, 160, 160));
    const QPoint origine = PointDuDessin(QPoint(0, 0));
    if (programmeEnCours_ && PeindreLeProgrammeEnCours(p, origine)) return;
    QMutexLocker verrou(&vue_.Verrou());
    p.drawImage(-origine, vue_.Image());
}

// La vue garde la figure laissée par la commande d'avant : pendant un
// programme on peint le dessin, puis la figure de la tortue telle que le fil
// de travail l'a publiée, sur une pièce de la taille de la figure.
bool FenetreGraphique::PeindreLeProgrammeEnCours(QPainter& p, QPoint origine) {
    FigureDeLaTortue f;
    if (!hote_.LireLaTortue(f)) return false;
    {
        QMutexLocker verrou(&dessin_.Verrou());
        p.drawImage(-origine, dessin_.Image());
    }
    const EtatTortue& t = f.tortue;
    if (!t.montree || !std::isfinite(t.x) || !std::isfinite(t.y) || std::fabs(t.x) > 2000 || std::fabs(t.y) > 2000)
        return true;
    // La figure s'étend à 30 pixels du centre, plus l'anneau du crayon.
    const int rayon = 34 + std::clamp(t.largeurCrayon, 1, 2000) / 2;
    const QPoint centre(500 + int(t.x), 500 - int(t.y));
    const QRect piece = QRect(centre - QPoint(rayon, rayon), QSize(2 * rayon + 1, 2 * rayon + 1))
                            .intersected(QRect(0, 0, dessin_.Largeur(), dessin_.Hauteur()));
    if (piece.isEmpty()) return true;
    std::vector<Couleur> pixels;
    pixels.reserve(size_t(piece.width()) * size_t(piece.height()));
    {
        QMutexLocker verrou(&dessin_.Verrou());
        const QImage& image = dessin_.Image();
        for (int y = piece.top(); y <= piece.bottom(); ++y)
            for (int x = piece.left(); x <= piece.right(); ++x) {
                const QRgb c = image.pixel(x, y);
                pixels.push_back(Couleur{uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))});
            }
    }
    SurfaceQImage surface(piece.width(), piece.height());
    surface.CollerImage(0, 0, piece.width(), piece.height(), pixels);
    DessinerLaFigure(surface, t, f.couleurs, -piece.left(), -piece.top());
    p.drawImage(piece.topLeft() - origine, surface.Image());
    return true;
}

void FenetreGraphique::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    for (QScrollBar* b : {horizontalScrollBar(), verticalScrollBar()})
        b->setPageStep(std::max(1, (b == horizontalScrollBar() ? viewport()->width() : viewport()->height()) / kUnite));
    AnnoncerTaille();
    viewport()->update();
}

void FenetreGraphique::scrollContentsBy(int, int) {
    AnnoncerTaille();
    viewport()->update();
}

// Le cœur calcule la position de la souris par rapport au milieu de la fille
// (avec les bords d'une fenêtre encadrée : 12 et 21 pixels). On lui donne des
// mesures telles que le résultat soit le point du champ sous le pointeur, quel
// que soit le défilement.
void FenetreGraphique::AnnoncerTaille() {
    hote_.DefinirTailleGraphique(viewport()->width() + 24, viewport()->height() + 42);
}

void FenetreGraphique::mouseMoveEvent(QMouseEvent* e) {
    const QPoint d = PointDuDessin(e->position().toPoint());
    const QSize t = viewport()->size();
    // Position « client » corrigée du défilement (voir AnnoncerTaille).
    hote_.AjouterMouvement(d.x() - 500 + t.width() / 2, d.y() - 500 + t.height() / 2);
    QAbstractScrollArea::mouseMoveEvent(e);
}

void FenetreGraphique::mousePressEvent(QMouseEvent* e) {
    setFocus();
    if (programmeEnCours_ && (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)) {
        // Les drapeaux des boutons, comme le système les donne : 1 gauche, 2 droit, 4 Maj, 8 Ctrl.
        int etat = 0;
        if (e->buttons() & Qt::LeftButton) etat |= 1;
        if (e->buttons() & Qt::RightButton) etat |= 2;
        if (e->modifiers() & Qt::ShiftModifier) etat |= 4;
        if (e->modifiers() & Qt::ControlModifier) etat |= 8;
        Touche t;
        t.genre = e->button() == Qt::LeftButton ? Touche::ClicGauche : Touche::ClicDroit;
        t.code = etat;
        hote_.AjouterTouche(t);
        return;
    }
    QAbstractScrollArea::mousePressEvent(e);
}

int FenetreGraphique::CodeDeTouche(int cle, const QString& texte) {
    if (cle >= Qt::Key_A && cle <= Qt::Key_Z) return 'A' + (cle - Qt::Key_A);
    if (cle >= Qt::Key_0 && cle <= Qt::Key_9) return '0' + (cle - Qt::Key_0);
    if (cle >= Qt::Key_F1 && cle <= Qt::Key_F12) return 0x70 + (cle - Qt::Key_F1);
    switch (cle) {
        case Qt::Key_Left: return 0x25;
        case Qt::Key_Up: return 0x26;
        case Qt::Key_Right: return 0x27;
        case Qt::Key_Down: return 0x28;
        case Qt::Key_Home: return 0x24;
        case Qt::Key_End: return 0x23;
        case Qt::Key_PageUp: return 0x21;
        case Qt::Key_PageDown: return 0x22;
        case Qt::Key_Backspace: return 0x08;
        case Qt::Key_Insert: return 0x2D;
        case Qt::Key_Delete: return 0x2E;
        case Qt::Key_Space: return 0x20;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 0x0D;
        case Qt::Key_Tab: return 0x09;
        case Qt::Key_Escape: return 0x1B;
        case Qt::Key_Shift: return 0x10;
        case Qt::Key_Control: return 0x11;
        case Qt::Key_Alt: return 0x12;
        case Qt::Key_CapsLock: return 0x14;
        default: break;
    }
    // Les autres touches : le caractère qu'elles donnent, s'il est dans la page 1252.
    if (texte.size() == 1) {
        const std::string c = VersLeCoeur(texte);
        if (c.size() == 1 && c[0] != '?') return static_cast<unsigned char>(c[0]);
    }
    return 0;
}

void FenetreGraphique::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        emit ArretDemande();
        return;
    }
    if (!programmeEnCours_) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    Touche t;
    t.genre = Touche::Clavier;
    t.code = CodeDeTouche(e->key(), e->text());
    // Le verrouillage des majuscules se lit dans le texte d'une lettre : une
    // capitale sans Maj, ou une minuscule avec Maj.
    if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z && !e->text().isEmpty()) {
        const bool capitale = e->text().at(0).isUpper();
        const bool maj = e->modifiers() & Qt::ShiftModifier;
        t.majusculesVerrouillees = capitale != maj;
    }
    hote_.AjouterTouche(t);
}

}  // namespace gelim
