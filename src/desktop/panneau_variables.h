// Le panneau des variables : les noms de l'élève et leurs valeurs, et pendant
// un appel la pile des appels avec leurs paramètres. Il ne lit jamais
// l'interprète : il montre les relevés faits par le fil de travail quand
// celui-ci attend (une pause) ou a fini une commande.
#pragma once

#include <QDockWidget>
#include <QHash>
#include <QString>

#include "eval/regard.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace gelim {

class PanneauDesVariables : public QDockWidget {
    Q_OBJECT
public:
    explicit PanneauDesVariables(QWidget* parent = nullptr);

    // Un nouveau relevé : ce qui a changé depuis le précédent change de couleur.
    void Montrer(const ReleveDesVariables& r);
    // Le programme tourne : le relevé viendra à la prochaine pause.
    void EnAttente();

    // ---- Lecture (tests) : « nom = valeur » de chaque ligne, appels compris,
    // et les lignes dont la valeur vient de changer.
    QStringList Lignes() const;
    QStringList Changees() const;

private:
    QTreeWidgetItem* Ligne(QTreeWidgetItem* parent, const QString& cle, const std::string& nom,
                           const std::string& valeur, QHash<QString, QString>& vues);

    QLabel* etat_ = nullptr;
    QTreeWidget* arbre_ = nullptr;
    QHash<QString, QString> precedentes_;  // clé (nom, ou appel et paramètre) -> valeur
    bool premierReleve_ = true;
};

}  // namespace gelim
