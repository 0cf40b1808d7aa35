// Le navigateur d'aide : les pages HTML françaises installées avec le programme
// (celles des ressources à défaut), et la liste des mots connus tirée de la
// table des primitives.
#pragma once

#include <QDialog>
#include <QTextBrowser>

namespace gelim {

class NavigateurAide : public QTextBrowser {
    Q_OBJECT
public:
    explicit NavigateurAide(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& nom) override;
    // La page des primitives, faite à partir de la table du vocabulaire.
    static QString PageDesPrimitives();
};

class FenetreAide : public QDialog {
    Q_OBJECT
public:
    explicit FenetreAide(QWidget* parent = nullptr);
    void OuvrirLIndex();
    NavigateurAide* Navigateur() const { return navigateur_; }

private:
    NavigateurAide* navigateur_;
};

}  // namespace gelim
