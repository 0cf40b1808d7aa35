// Lance toutes les classes de tests du bureau (ou celle nommée en premier argument).
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <cstring>

#include "banc_bureau.h"
#include "desktop/bureau.h"
#include "desktop/fenetre_principale.h"
#include "desktop/hote_bureau.h"
#include "desktop/vue_messages.h"

namespace gelim {

InscriptionDeTests::InscriptionDeTests(const char* nom, std::function<QObject*()> fabrique) {
    Liste().emplace_back(QString::fromUtf8(nom), std::move(fabrique));
}

std::vector<std::pair<QString, std::function<QObject*()>>>& InscriptionDeTests::Liste() {
    static std::vector<std::pair<QString, std::function<QObject*()>>> liste;
    return liste;
}

QString DossierDeSecoursNeuf() {
    static QTemporaryDir racine;
    static int n = 0;
    const QString d = racine.filePath(QString::number(++n));
    QDir().mkpath(d);
    return d;
}

std::unique_ptr<FenetrePrincipale> FenetreDemarree() {
    auto f = std::make_unique<FenetrePrincipale>();
    f->Hote().RepondreAutomatiquement(true);
    f->DefinirDossierDeSecours(DossierDeSecoursNeuf());
    f->resize(1300, 950);
    f->show();
    f->Demarrer();
    f->AttendreLaFin();
    f->Hote().ViderJournal();
    return f;
}

QString TexteDesMessages(FenetrePrincipale& f) {
    f.AttendreLaFin();
    return f.Messages()->toPlainText();
}

}  // namespace gelim

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // jamais les fichiers de l'utilisateur
    gelim::ChargerLesRessourcesDuBureau();
    QString seule;
    if (argc > 1 && argv[1][0] != '-') {
        seule = QString::fromUtf8(argv[1]);
        for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
        --argc;
    }
    int echecs = 0;
    for (auto& [nom, fabrique] : gelim::InscriptionDeTests::Liste()) {
        if (!seule.isEmpty() && nom != seule) continue;
        std::unique_ptr<QObject> tests(fabrique());
        echecs += QTest::qExec(tests.get(), argc, argv);
    }
    return echecs == 0 ? 0 : 1;
}
