// L'aide : index et pages installés (ceux des ressources à défaut), page des primitives générée.
#include "desktop/aide.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QMap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "desktop/hote_bureau.h"
#include "objects/lexique.h"
#include "shell/chemins.h"

namespace gelim {

NavigateurAide::NavigateurAide(QWidget* parent) : QTextBrowser(parent) {
    setSearchPaths({QStringLiteral(":/aide")});
    setOpenExternalLinks(false);
}

// Le nombre d'arguments dit comment écrire l'appel.
static QString FormeDAppel(const EntreePrimitive& e) {
    const QString nom = DuCoeur(e.nom).toHtmlEscaped();
    switch (e.classe) {
        case Classe::FoncNESP: return nom;
        case Classe::FoncEvNSFree0Param:
        case Classe::FoncEvNSLogo0Param: return nom + QStringLiteral("()");
        default: break;
    }
    QStringList args;
    for (int i = 0; i < e.nbArgs; ++i) args << QString(QChar('a' + i));
    return nom + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
}

static QString FamilleDe(Classe c) {
    switch (c) {
        case Classe::FoncEvNSLogo0Param:
        case Classe::FoncEvNSLogo1Param:
        case Classe::FoncEvNSLogo2Param:
        case Classe::FoncEvNSLogo3Param:
        case Classe::FoncEvNSLogo4Param: return QStringLiteral("La tortue et le dessin");
        case Classe::FoncEvNSNum1Param:
        case Classe::FoncEvNSNum2Param: return QStringLiteral("Les nombres");
        case Classe::FoncEvNSListe1Param:
        case Classe::FoncEvNSListe2Param: return QStringLiteral("Les listes");
        case Classe::FoncNENS1Param:
        case Classe::FoncNENS2Param:
        case Classe::FoncNENS4Param:
        case Classe::FoncNESP: return QStringLiteral("Le contrôle du programme");
        default: return QStringLiteral("Les mots, la saisie et le reste");
    }
}

QString NavigateurAide::PageDesPrimitives() {
    QMap<QString, QStringList> familles;
    for (const EntreePrimitive& e : TableDesPrimitives()) familles[FamilleDe(e.classe)] << FormeDAppel(e);
    QString page = QStringLiteral(
        "<html><head><meta charset=\"utf-8\"><title>Les mots connus</title></head><body>"
        "<h1>Les mots que Gelim connaît déjà</h1>"
        "<p>Ces mots sont prêts dès le démarrage. Les lettres a, b, c... montrent la place des arguments.</p>");
    for (auto it = familles.cbegin(); it != familles.cend(); ++it) {
        page += QStringLiteral("<h2>") + it.key() + QStringLiteral("</h2><p>");
        page += it.value().join(QStringLiteral(" &nbsp; "));
        page += QStringLiteral("</p>");
    }
    page += QStringLiteral("<p><a href=\"index.html\">Retour au sommaire</a></p></body></html>");
    return page;
}

QVariant NavigateurAide::loadResource(int type, const QUrl& nom) {
    if (type == QTextDocument::HtmlResource && nom.fileName() == QStringLiteral("primitives.html"))
        return PageDesPrimitives();
    return QTextBrowser::loadResource(type, nom);
}

FenetreAide::FenetreAide(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Aide de Gelim"));
    auto* disposition = new QVBoxLayout(this);
    auto* barre = new QHBoxLayout;
    auto* sommaire = new QPushButton(QStringLiteral("&Sommaire"), this);
    auto* retour = new QPushButton(QStringLiteral("&Retour"), this);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    barre->addWidget(sommaire);
    barre->addWidget(retour);
    barre->addStretch();
    barre->addWidget(fermer);
    disposition->addLayout(barre);
    navigateur_ = new NavigateurAide(this);
    disposition->addWidget(navigateur_, 1);
    connect(sommaire, &QPushButton::clicked, this, &FenetreAide::OuvrirLIndex);
    connect(retour, &QPushButton::clicked, navigateur_, &QTextBrowser::backward);
    connect(navigateur_, &QTextBrowser::backwardAvailable, retour, &QPushButton::setEnabled);
    connect(fermer, &QPushButton::clicked, this, &QDialog::close);
    retour->setEnabled(false);
    resize(720, 620);
}

void FenetreAide::OuvrirLIndex() {
    // L'aide complète installée avec le programme ; à défaut, les pages des ressources.
    const QString dossier = QString::fromLocal8Bit(DossierDeLAide().c_str());
    const QString index = dossier + QStringLiteral("/index.html");
    if (!dossier.isEmpty() && QFileInfo(index).isFile()) {
        navigateur_->setSearchPaths({dossier, QStringLiteral(":/aide")});
        navigateur_->setSource(QUrl::fromLocalFile(index));
    } else {
        navigateur_->setSearchPaths({QStringLiteral(":/aide")});
        navigateur_->setSource(QUrl(QStringLiteral("qrc:/aide/index.html")));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace gelim
