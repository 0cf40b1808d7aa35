// La ligne de commande du mode direct, avec son historique (flèches haut et
// bas) : rien de ce qui a été tapé ne se perd, même une ligne pas encore lancée.
#pragma once

#include <QLineEdit>
#include <QStringList>

namespace gelim {

class LigneDeCommande : public QLineEdit {
    Q_OBJECT
public:
    explicit LigneDeCommande(QWidget* parent = nullptr);
    void AjouterALHistorique(const QString& ligne);
    const QStringList& Historique() const { return historique_; }

signals:
    void Valider(const QString& texte);  // Entrée
    void ArretDemande();                 // Échap

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Rappeler(int indice);

    QStringList historique_;
    int position_ = 0;   // historique_.size() : la ligne en cours de frappe
    QString brouillon_;  // la ligne en cours, gardée pendant qu'on remonte
};

}  // namespace gelim
