// Les boîtes du bureau : la boîte d'erreur (syntaxe et exécution) avec ses
// dispositions, les boîtes « OUI » et « OUI / NON », la boîte du pas à pas,
// la boîte de saisie et la boîte d'information.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include "objects/hote.h"

class QLineEdit;
class QPushButton;

namespace gelim {

// Les six images des boîtes : les numéros 1 à 5 choisissent les cinq
// premières, tout autre numéro la sixième.
QPixmap ImageDeBoite(int numero);
constexpr int kImageInformation = 1, kImageQuestion = 2, kImageErreur = 3, kImageAttention = 4, kImageRefus = 5;

// Le bleu foncé des textes des boîtes.
constexpr unsigned kBleuDesTextes = 0x00007F;

// La zone dessinée de la boîte d'erreur : le panneau en relief, l'image et
// les rangées (étiquette à gauche, texte en bleu foncé à partir de x = 132).
class ZoneBoiteErreur : public QWidget {
public:
    ZoneBoiteErreur(const BoiteErreur& b, QWidget* parent);
    static constexpr int kDebutPanneau = 132, kHauteurPanneau = 210;
    // Le haut de chaque rangée (pour les tests et le dessin).
    std::vector<int> HautsDesRangees() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const BoiteErreur& b_;
    QPixmap image_;
};

class BoiteErreurDialogue : public QDialog {
    Q_OBJECT
public:
    BoiteErreurDialogue(const BoiteErreur& b, QWidget* parent);
    const BoiteErreur& Donnees() const { return b_; }
    ZoneBoiteErreur* Zone() const { return zone_; }
    QPushButton* Bouton() const { return bouton_; }

private:
    BoiteErreur b_;
    ZoneBoiteErreur* zone_ = nullptr;
    QPushButton* bouton_ = nullptr;
};

// Boîte à une ligne de boutons : « &O U I » seul, ou « &O U I » et « &N O N ».
// Résultat : 1 pour OUI, 2 pour NON (et pour une boîte fermée par Échap).
class BoiteMessageDialogue : public QDialog {
    Q_OBJECT
public:
    BoiteMessageDialogue(const QString& titre, const QStringList& lignes, int image, bool ouiNon, QWidget* parent,
                         const QString& libelleOui = QStringLiteral("&O U I"));
    int Resultat() const { return resultat_; }
    QStringList Lignes() const { return lignes_; }
    QPushButton* BoutonOui() const { return oui_; }
    QPushButton* BoutonNon() const { return non_; }

protected:
    void reject() override;

private:
    QStringList lignes_;
    int resultat_ = 2;
    QPushButton* oui_ = nullptr;
    QPushButton* non_ = nullptr;
};

// Abandonner / Réessayer / Ignorer, Réessayer par défaut. La fermer par Échap
// ou par la case de fermeture vaut une demande d'arrêt du programme.
class BoitePasAPasDialogue : public QDialog {
    Q_OBJECT
public:
    BoitePasAPasDialogue(const QString& titre, const QString& texte, QWidget* parent);
    ReponsePasAPas Reponse() const { return reponse_; }
    bool ArretDemande() const { return arret_; }
    QPushButton* Bouton(ReponsePasAPas r) const;

protected:
    void reject() override;

private:
    ReponsePasAPas reponse_ = ReponsePasAPas::Ignorer;
    bool arret_ = false;
    QPushButton* boutons_[3] = {};
};

// Titre, invite, un champ de 60 caractères, OK et Annuler.
class BoiteSaisieDialogue : public QDialog {
    Q_OBJECT
public:
    BoiteSaisieDialogue(const QString& titre, const QString& invite, QWidget* parent);
    QString Texte() const;
    QLineEdit* Champ() const { return champ_; }

private:
    QLineEdit* champ_ = nullptr;
};

// Une boîte d'information à plusieurs lignes (démarrage, « À propos »).
class BoiteInformationDialogue : public QDialog {
    Q_OBJECT
public:
    BoiteInformationDialogue(const QString& titre, const QStringList& lignes, QWidget* parent);
};

}  // namespace gelim
