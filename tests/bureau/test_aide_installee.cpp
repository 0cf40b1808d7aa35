// L'aide ouverte par F1 : les pages installées avec le programme quand elles
// sont là (GELIM_AIDE, ../share/gelim/aide, l'arbre des sources), sinon celles
// des ressources ; et les pages de l'arbre des sources se suivent toutes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

#include "banc_bureau.h"
#include "desktop/aide.h"
#include "rendu/chemins.h"

namespace gelim {

class TestAideInstallee : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qunsetenv("GELIM_AIDE"); }
    void dossierDonneParLEnvironnement();
    void sansIndexLesPagesDesRessources();
    void lesPagesDesSourcesSeSuivent();
};

static void Ecrire(const QString& chemin, const QString& texte) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(texte.toUtf8());
}

void TestAideInstallee::dossierDonneParLEnvironnement() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    Ecrire(dossier.filePath(QStringLiteral("index.html")),
           QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><h1>Sommaire complet</h1>"
                          "<a href=\"tortue.html\">La tortue</a></body></html>"));
    Ecrire(dossier.filePath(QStringLiteral("tortue.html")),
           QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><p>av fait avancer la tortue, é à "
                          "ç.</p></body></html>"));
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

void TestAideInstallee::lesPagesDesSourcesSeSuivent() {
    // L'aide telle qu'elle sera installée : chaque page liée depuis l'index s'ouvre.
    const QString sources = QStringLiteral(GELIM_SOURCES "/aide");
    if (!QFileInfo(sources + QStringLiteral("/index.html")).isFile()) QSKIP("aide/ introuvable depuis ce test");
    qputenv("GELIM_AIDE", QFile::encodeName(sources));
    FenetreAide aide;
    aide.OuvrirLIndex();
    QVERIFY(aide.Navigateur()->toPlainText().contains(QStringLiteral("Aide de Gelim")));
    QFile index(sources + QStringLiteral("/index.html"));
    QVERIFY(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    QSet<QString> pages;
    const QRegularExpression lien(QStringLiteral("href=\"([a-z0-9-]+\\.html)"));
    for (auto it = lien.globalMatch(html); it.hasNext();) pages.insert(it.next().captured(1));
    QVERIFY(pages.size() >= 10);
    // Chaque page montre son grand titre (et pas la page d'avant).
    const QRegularExpression titre(QStringLiteral("<h1>([^<]+)</h1>"));
    for (const QString& page : pages) {
        QFile f(sources + QLatin1Char('/') + page);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(page));
        const QString attendu =
            QTextDocumentFragment::fromHtml(titre.match(QString::fromUtf8(f.readAll())).captured(1)).toPlainText();
        QVERIFY2(!attendu.isEmpty(), qPrintable(page));
        aide.OuvrirLIndex();
        aide.Navigateur()->setSource(QUrl(page));
        QVERIFY2(aide.Navigateur()->toPlainText().contains(attendu),
                 qPrintable(page + QStringLiteral(" : ") + attendu));
    }
}

GELIM_TESTS_BUREAU(TestAideInstallee);

}  // namespace gelim

#include "test_aide_installee.moc"
