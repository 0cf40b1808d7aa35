// Ligne de commande : Entrée valide, Tab et saut de ligne sont avalés, Échap
// demande l'arrêt du programme en cours, haut et bas parcourent l'historique.
#include "desktop/ligne_commande.h"

#include <QKeyEvent>
#include <algorithm>

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

void LigneDeCommande::MontrerLInstruction(const QString& texte, int debut, int fin) {
    if (!montre_ && !text().isEmpty()) return;
    if (!montre_) {
        // La sélection garde sa couleur quand le clavier est ailleurs.
        QPalette p = palette();
        p.setColor(QPalette::Inactive, QPalette::Highlight, QColor(255, 226, 120));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
        p.setColor(QPalette::Active, QPalette::Highlight, QColor(255, 226, 120));
        p.setColor(QPalette::Active, QPalette::HighlightedText, Qt::black);
        setPalette(p);
        montre_ = true;
        setReadOnly(true);
    }
    if (text() != texte) setText(texte);
    debut = std::clamp(debut, 0, int(texte.size()));
    setSelection(debut, std::clamp(fin + 1, debut, int(texte.size())) - debut);
}

void LigneDeCommande::OublierLInstruction() {
    if (!montre_) return;
    montre_ = false;
    clear();
    setReadOnly(false);
    setPalette(QPalette());
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
        case Qt::Key_Up:
            if (!montre_) Rappeler(position_ - 1);
            return;
        case Qt::Key_Down:
            if (!montre_) Rappeler(position_ + 1);
            return;
        default:
            if (e->key() == Qt::Key_J && e->modifiers() == Qt::ControlModifier) return;  // le saut de ligne
            QLineEdit::keyPressEvent(e);
    }
}

}  // namespace gelim
