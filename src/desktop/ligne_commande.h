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
    // Pendant une pause du programme lancé d'ici : son texte revient, en
    // lecture seule, l'instruction en cours sélectionnée (caractères debut à
    // fin). Ce que l'élève tapait entre-temps n'est jamais remplacé.
    void MontrerLInstruction(const QString& texte, int debut, int fin);
    void OublierLInstruction();
    QString InstructionMontree() const { return montre_ ? selectedText() : QString(); }

signals:
    void Valider(const QString& texte);  // Entrée
    void ArretDemande();                 // Échap

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Rappeler(int indice);

    QStringList historique_;
    int position_ = 0;     // historique_.size() : la ligne en cours de frappe
    QString brouillon_;    // la ligne en cours, gardée pendant qu'on remonte
    bool montre_ = false;  // la ligne montre le programme en cours
};

}  // namespace gelim
