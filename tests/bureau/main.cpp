// Lance toutes les classes de tests du bureau (ou celle nommée en premier argument).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <cstring>

#include "banc_bureau.h"
#include "desktop/bureau.h"
#include "desktop/fenetre_principale.h"
#include "desktop/geometrie.h"
#include "desktop/hote_bureau.h"
#include "desktop/ligne_commande.h"
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

std::unique_ptr<FenetrePrincipale> FenetreDemarree(const QString& secours, const QString& reponse,
                                                   bool garderLeJournal) {
    auto f = std::make_unique<FenetrePrincipale>();
    f->Hote().RepondreAutomatiquement(true);
    if (!reponse.isEmpty()) f->Hote().AjouterReponse(reponse);
    f->DefinirDossierDeSecours(secours.isEmpty() ? DossierDeSecoursNeuf() : secours);
    f->resize(1300, 950);
    f->show();
    f->Demarrer();
    f->AttendreLaFin();
    if (!garderLeJournal) f->Hote().ViderJournal();
    return f;
}

QString TexteDesMessages(FenetrePrincipale& f) {
    f.AttendreLaFin();
    return f.Messages()->toPlainText();
}

bool Taper(FenetrePrincipale& f, const QString& texte, bool attendre) {
    f.Ligne()->setFocus();
    f.Ligne()->setText(texte);
    QTest::keyClick(f.Ligne(), Qt::Key_Return);
    return !attendre || f.AttendreLaFin();
}

bool Noir(FenetrePrincipale& f, int x, int y) {
    return f.Dessin().LirePixel(x, y) == Couleur{0, 0, 0};
}

bool JournalContient(FenetrePrincipale& f, const QString& debut) {
    for (const QString& l : f.Hote().Journal())
        if (l.startsWith(debut)) return true;
    return false;
}

void ChoisirLesFichiers(FenetrePrincipale& f, QStringList& choix) {
    f.choixDeFichier = [&choix](const QString&, const QString&, bool) {
        return choix.isEmpty() ? QString() : choix.takeFirst();
    };
}

bool EcrireLeFichier(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

QByteArray LireLeFichier(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void VerifierLesFilles(FenetrePrincipale& f) {
    const RectanglesDesFenetres r = CalculerLesRectangles(f.Reglages(), f.Zone());
    for (const auto& [fille, rect] : {std::pair{Fenetre::Graphique, r.graphique},
                                      {Fenetre::Editeur, r.editeur},
                                      {Fenetre::Messages, r.messages},
                                      {Fenetre::LigneDeCommande, r.ligneDeCommande}}) {
        QCOMPARE(f.Fille(fille)->isVisible(), !rect.isNull());
        QVERIFY(!(f.Fille(fille)->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));
        if (!rect.isNull()) QCOMPARE(f.Fille(fille)->geometry(), rect);
    }
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
