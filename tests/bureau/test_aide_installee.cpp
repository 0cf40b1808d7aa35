// L'aide ouverte par F1 : les pages installées avec le programme quand elles
// sont là (GELIM_AIDE, ../share/gelim/aide, l'arbre des sources), sinon celles
// des ressources.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "banc_bureau.h"
#include "desktop/aide.h"
#include "shell/chemins.h"

namespace gelim {

class TestAideInstallee : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qunsetenv("GELIM_AIDE"); }
    void dossierDonneParLEnvironnement();
    void sansIndexLesPagesDesRessources();
};

void TestAideInstallee::dossierDonneParLEnvironnement() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    QVERIFY(EcrireLeFichier(dossier.filePath(QStringLiteral("index.html")),
                            QByteArray("<html><head><meta charset=\"utf-8\"></head><body><h1>Sommaire complet</h1>"
                                       "<a href=\"tortue.html\">La tortue</a></body></html>")));
    QVERIFY(
        EcrireLeFichier(dossier.filePath(QStringLiteral("tortue.html")),
                        QByteArray("<html><head><meta charset=\"utf-8\"></head><body><p>av fait avancer la tortue, é à "
                                   "ç.</p></body></html>")));
    qputenv("GELIM_AIDE", QFile::encodeName(dossier.path()));
    QCOMPARE(QDir(QString::fromLocal8Bit(DossierDeLAide().c_str())), QDir(dossier.path()));

    FenetreAide aide;
    aide.OuvrirLIndex();
    QCOMPARE(aide.Navigateur()->source(), QUrl::fromLocalFile(dossier.filePath(QStringLiteral("index.html"))));
    QVERIFY(aide.Navigateur()->toPlainText().contains(QStringLiteral("Sommaire complet")));
    // Les liens relatifs mènent aux pages voisines, lues en UTF-8.
    aide.Navigateur()->setSource(QUrl(QStringLiteral("tortue.html")));
    QVERIFY(aide.Navigateur()->toPlainText().contains(QStringLiteral("av fait avancer la tortue, é à ç.")));
    // « Sommaire » ramène à l'index installé.
    aide.OuvrirLIndex();
    QVERIFY(aide.Navigateur()->toPlainText().contains(QStringLiteral("Sommaire complet")));
}

void TestAideInstallee::sansIndexLesPagesDesRessources() {
    // Un dossier vide, puis un dossier qui n'existe pas : l'aide des ressources.
    QTemporaryDir vide;
    qputenv("GELIM_AIDE", QFile::encodeName(vide.path()));
    FenetreAide aide;
    aide.OuvrirLIndex();
    QCOMPARE(aide.Navigateur()->source(), QUrl(QStringLiteral("qrc:/aide/index.html")));
    QVERIFY(aide.Navigateur()->toPlainText().contains(QStringLiteral("Premiers pas")));

    qputenv("GELIM_AIDE", QFile::encodeName(vide.filePath(QStringLiteral("absent"))));
    QVERIFY(QString::fromLocal8Bit(DossierDeLAide().c_str()) != vide.filePath(QStringLiteral("absent")));
    FenetreAide aide2;
    aide2.OuvrirLIndex();
    QVERIFY(!aide2.Navigateur()->toPlainText().isEmpty());
}

GELIM_TESTS_BUREAU(TestAideInstallee);

}  // namespace gelim

#include "test_aide_installee.moc"
