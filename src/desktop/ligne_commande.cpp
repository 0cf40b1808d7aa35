// Ligne de commande : Entrée valide, Tab et saut de ligne sont avalés, Échap
// demande l'arrêt du programme en cours, haut et bas parcourent l'historique.
#include "desktop/ligne_commande.h"

#include <QKeyEvent>

namespace gelim {

static constexpr int kTailleHistorique = 500;

LigneDeCommande::LigneDeCommande(QWidget* parent) : QLineEdit(parent) {
    setWindowTitle(QStringLiteral("Ligne de commande en mode direct"));
}

void LigneDeCommande::AjouterALHistorique(const QString& ligne) {
    if (!ligne.trimmed().isEmpty() && (historique_.isEmpty() || historique_.last() != ligne)) {
        historique_ << ligne;
        if (historique_.size() > kTailleHistorique) historique_.removeFirst();
    }
    position_ = int(historique_.size());
    brouillon_.clear();
}

void LigneDeCommande::Rappeler(int indice) {
    if (indice < 0 || indice > historique_.size()) return;
    if (position_ == historique_.size()) brouillon_ = text();
    position_ = indice;
    setText(position_ == historique_.size() ? brouillon_ : historique_.at(position_));
}

void LigneDeCommande::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: emit Valider(text()); return;
        case Qt::Key_Tab: return;
        case Qt::Key_Escape: emit ArretDemande(); return;
        case Qt::Key_Up: Rappeler(position_ - 1); return;
        case Qt::Key_Down: Rappeler(position_ + 1); return;
        default:
            if (e->key() == Qt::Key_J && e->modifiers() == Qt::ControlModifier) return;  // le saut de ligne
            QLineEdit::keyPressEvent(e);
    }
}

}  // namespace gelim
