// La fenêtre des messages : la vue du modèle que le cœur remplit. Elle ne
// garde que les lignes (au plus autant que le modèle) et ne peint que celles
// qui se voient : un programme qui écrit un million de lignes ne la ralentit pas.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <deque>

namespace gelim {

class HoteBureau;

class VueMessages : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit VueMessages(QWidget* parent = nullptr);

    // Prend au plus maxOctets de ce que le cœur a écrit ; vrai si la vue a changé.
    bool Absorber(HoteBureau& hote, size_t maxOctets);
    // Tout ce qui attend (fin d'une commande, tests).
    void ToutAbsorber(HoteBureau& hote);

    // Le texte (UTF-16) : ajouté au bout, « \n » commence une ligne.
    void Ajouter(const QString& texte);
    void Effacer();
    void DefinirLimiteDeLignes(size_t n);

    size_t NombreDeLignes() const { return lignes_.size(); }
    QString Ligne(size_t i) const { return lignes_.at(i); }
    QString toPlainText() const;
    QString TexteSelectionne() const;
    void ToutSelectionner();
    void Copier() const;
    bool EstEnBas() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void contextMenuEvent(QContextMenuEvent*) override;

private:
    struct Position {
        long long ligne = 0;
        int colonne = 0;
        bool operator<(const Position& o) const { return ligne < o.ligne || (ligne == o.ligne && colonne < o.colonne); }
        bool operator==(const Position& o) const { return ligne == o.ligne && colonne == o.colonne; }
    };
    void NouvelleLigne();
    void AjouterALaDerniere(const QString& morceau);
    void Rogner();
    void MettreAJourLesBarres();
    int HauteurDeLigne() const;
    int LargeurDeCaractere() const;
    int LignesVisibles() const;
    Position PositionEn(const QPoint& p) const;
    bool Selectionne() const { return !(ancre_ == curseur_); }

    std::deque<QString> lignes_{QString()};
    size_t limite_ = 200000;
    int plusLongue_ = 0;  // en caractères
    Position ancre_, curseur_;
    bool selectionEnCours_ = false;  // bouton gauche tenu dans la vue
};

}  // namespace gelim
