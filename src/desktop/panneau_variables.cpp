// Le panneau des variables : deux branches, les noms du programme et les
// appels en cours ; une valeur changée depuis le relevé précédent en rouge.
#include "desktop/panneau_variables.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "desktop/hote_bureau.h"

namespace gelim {

namespace {
const QColor kCouleurChangee(200, 30, 30);
}

PanneauDesVariables::PanneauDesVariables(QWidget* parent) : QDockWidget(QStringLiteral("Variables"), parent) {
    setObjectName(QStringLiteral("panneauDesVariables"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* interieur = new QWidget(this);
    auto* boite = new QVBoxLayout(interieur);
    boite->setContentsMargins(2, 2, 2, 2);
    etat_ = new QLabel(interieur);
    etat_->setWordWrap(true);
    arbre_ = new QTreeWidget(interieur);
    arbre_->setColumnCount(2);
    arbre_->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Valeur")});
    arbre_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    arbre_->setUniformRowHeights(true);
    arbre_->setToolTip(QStringLiteral("En rouge : ce qui a changé depuis la dernière pause."));
    boite->addWidget(etat_);
    boite->addWidget(arbre_);
    setWidget(interieur);
    etat_->setText(QStringLiteral("Les variables se montrent à chaque pause et à la fin de chaque commande."));
}

QTreeWidgetItem* PanneauDesVariables::Ligne(QTreeWidgetItem* parent, const QString& cle, const std::string& nom,
                                            const std::string& valeur, QHash<QString, QString>& vues) {
    auto* item = new QTreeWidgetItem(parent, {DuCoeur(nom), DuCoeur(valeur)});
    item->setToolTip(1, item->text(1));
    const auto avant = precedentes_.constFind(cle);
    if (!premierReleve_ && (avant == precedentes_.constEnd() || *avant != item->text(1))) {
        item->setForeground(0, kCouleurChangee);
        item->setForeground(1, kCouleurChangee);
        QFont gras = item->font(1);
        gras.setBold(true);
        item->setFont(1, gras);
        item->setData(0, Qt::UserRole, true);
    }
    vues.insert(cle, item->text(1));
    return item;
}

void PanneauDesVariables::Montrer(const ReleveDesVariables& r) {
    QHash<QString, QString> vues;
    arbre_->setUpdatesEnabled(false);
    arbre_->clear();
    auto* noms = new QTreeWidgetItem(arbre_, {QStringLiteral("Noms du programme")});
    for (const ValeurVue& v : r.globales) Ligne(noms, QStringLiteral("g ") + DuCoeur(v.nom), v.nom, v.valeur, vues);
    if (r.globalesOmises) new QTreeWidgetItem(noms, {QStringLiteral("… et %1 autres").arg(r.globalesOmises)});
    if (r.globales.empty()) new QTreeWidgetItem(noms, {QStringLiteral("(aucun nom n'a encore de valeur)")});
    noms->setExpanded(true);
    if (!r.appels.empty()) {
        auto* appels = new QTreeWidgetItem(arbre_, {QStringLiteral("Appels en cours")});
        if (r.appelsOmis) new QTreeWidgetItem(appels, {QStringLiteral("… %1 appels plus anciens").arg(r.appelsOmis)});
        for (const AppelVu& a : r.appels) {
            auto* appel =
                new QTreeWidgetItem(appels, {DuCoeur(a.fonction), QStringLiteral("appel n° %1").arg(a.profondeur)});
            for (const ValeurVue& p : a.parametres)
                Ligne(appel, QStringLiteral("a %1 %2 %3").arg(a.profondeur).arg(DuCoeur(a.fonction), DuCoeur(p.nom)),
                      p.nom, p.valeur, vues);
            appel->setExpanded(true);
        }
        appels->setExpanded(true);
        // Le plus récent appel en vue : c'est lui qui s'exécute.
        arbre_->scrollToItem(appels->child(appels->childCount() - 1));
    }
    arbre_->setUpdatesEnabled(true);
    precedentes_ = std::move(vues);
    premierReleve_ = false;
    etat_->setText(
        r.appels.empty()
            ? QStringLiteral("Les noms du programme et leurs valeurs.")
            : QStringLiteral("Le programme est en pause dans %1 appel(s).").arg(r.appels.size() + r.appelsOmis));
}

void PanneauDesVariables::EnAttente() {
    etat_->setText(QStringLiteral("Le programme tourne : les variables se montreront à la prochaine pause."));
}

QStringList PanneauDesVariables::Lignes() const {
    QStringList l;
    for (QTreeWidgetItemIterator it(arbre_); *it; ++it) {
        const QTreeWidgetItem* i = *it;
        l << (i->parent() && i->parent()->parent() ? QStringLiteral("  ") : QString()) + i->text(0) +
                 (i->text(1).isEmpty() ? QString() : QStringLiteral(" = ") + i->text(1));
    }
    return l;
}

QStringList PanneauDesVariables::Changees() const {
    QStringList l;
    for (QTreeWidgetItemIterator it(arbre_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toBool()) l << (*it)->text(0);
    return l;
}

}  // namespace gelim
