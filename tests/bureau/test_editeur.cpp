// L'éditeur : encodages lus et rendus tels quels, coloration du langage,
// recherche et remplacement ; l'historique de la ligne de commande.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "banc_bureau.h"
#include "desktop/editeur.h"
#include "desktop/fenetre_principale.h"
#include "desktop/ligne_commande.h"

namespace gelim {

class TestEditeur : public QObject {
    Q_OBJECT
private slots:
    void encodages_data();
    void encodages();
    void horsDeLaPage1252();
    void coloration();
    void recherche();
    void historique();
    void filtres();
};

void TestEditeur::encodages_data() {
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("encodage");
    QTest::newRow("utf8") << QByteArray("r\xC3\xA9p\xC3\xA8te (4) { av(10); }\n")
                          << QStringLiteral("répète (4) { av(10); }\n") << int(EditeurDeProgramme::Encodage::Utf8);
    QTest::newRow("1252") << QByteArray("// \xE9l\xE8ve \x80\nav(1);") << QStringLiteral("// élève €\nav(1);")
                          << int(EditeurDeProgramme::Encodage::Cp1252);
    QTest::newRow("bom") << QByteArray(
                                "\xEF\xBB\xBF"
                                "ec(1);\n")
                         << QStringLiteral("ec(1);\n") << int(EditeurDeProgramme::Encodage::Utf8AvecBom);
    QTest::newRow("crlf") << QByteArray("av(1);\r\ntd(2);\r\n") << QStringLiteral("av(1);\ntd(2);\n")
                          << int(EditeurDeProgramme::Encodage::Utf8);
}

void TestEditeur::encodages() {
    QFETCH(QByteArray, octets);
    QFETCH(QString, texte);
    QFETCH(int, encodage);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("p.c"));
    QVERIFY(EcrireLeFichier(chemin, octets));
    EditeurDeProgramme e;
    QVERIFY(e.Charger(chemin));
    QCOMPARE(e.toPlainText(), texte);
    QCOMPARE(int(e.EncodageDuFichier()), encodage);
    QCOMPARE(e.NomAffiche(), QStringLiteral("p.c"));
    QVERIFY(!e.document()->isModified());
    // Réenregistré sans changement : les mêmes octets, dans le même encodage.
    const QString copie = dossier.filePath(QStringLiteral("q.c"));
    bool change = true;
    QVERIFY(e.Enregistrer(copie, &change));
    QVERIFY(!change);
    QCOMPARE(LireLeFichier(copie), octets);
}

void TestEditeur::horsDeLaPage1252() {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("p.c"));
    QVERIFY(EcrireLeFichier(chemin, QByteArray("// \xE9t\xE9\n")));
    EditeurDeProgramme e;
    QVERIFY(e.Charger(chemin));
    QCOMPARE(e.EncodageDuFichier(), EditeurDeProgramme::Encodage::Cp1252);
    e.appendPlainText(QStringLiteral("// flèche → ici"));
    QVERIFY(e.document()->isModified());
    bool change = false;
    QVERIFY(e.Enregistrer(chemin, &change));
    // La flèche n'existe pas en page 1252 : le fichier passe en UTF-8 plutôt que de la perdre.
    QVERIFY(change);
    QCOMPARE(QString::fromUtf8(LireLeFichier(chemin)), QStringLiteral("// été\n\n// flèche → ici"));
    QVERIFY(!e.document()->isModified());
    // Un nouveau programme est en UTF-8.
    e.OublierLeFichier();
    QCOMPARE(e.NomAffiche(), QStringLiteral("Sans nom"));
    QCOMPARE(e.EncodageDuFichier(), EditeurDeProgramme::Encodage::Utf8);
    // Un dossier absent : l'échec est dit, et l'éditeur reste sans fichier.
    QVERIFY(!e.Enregistrer(dossier.filePath(QStringLiteral("pas/de/dossier.c"))));
    QVERIFY(e.Chemin().isEmpty());
}

// Le genre de coloration du caractère à la position donnée d'une ligne.
static QColor CouleurEn(EditeurDeProgramme& e, int ligne, int position) {
    const QTextBlock b = e.document()->findBlockByNumber(ligne);
    for (const QTextLayout::FormatRange& r : b.layout()->formats())
        if (position >= r.start && position < r.start + r.length) return r.format.foreground().color();
    return QColor();
}

void TestEditeur::coloration() {
    EditeurDeProgramme e;
    Coloration* c = e.LaColoration();
    const std::pair<const char*, Coloration::Genre> mots[] = {
        {"av", Coloration::Primitive}, {"membre?", Coloration::Primitive}, {"répète", Coloration::MotCle},
        {"else", Coloration::MotCle},  {"-3.5", Coloration::Nombre},       {"toto", Coloration::Rien},
        {"Av", Coloration::Rien}};  // les capitales comptent
    for (const auto& [mot, genre] : mots) QCOMPARE(c->GenreDuMot(QString::fromUtf8(mot)), genre);

    e.setPlainText(QStringLiteral("av(12); // td(3)\nx = [a b\nav c] ; av"));
    const QColor primitive = c->Format(Coloration::Primitive).foreground().color();
    const QColor liste = c->Format(Coloration::Liste).foreground().color();
    QCOMPARE(CouleurEn(e, 0, 0), primitive);
    QCOMPARE(CouleurEn(e, 0, 3), c->Format(Coloration::Nombre).foreground().color());
    QCOMPARE(CouleurEn(e, 0, 11), c->Format(Coloration::Commentaire).foreground().color());  // td dans le commentaire
    QCOMPARE(CouleurEn(e, 1, 0), QColor());                                                  // x : un nom de l'élève
    QCOMPARE(CouleurEn(e, 1, 5), liste);
    // La liste continue à la ligne suivante : « av » y est un mot de la liste.
    QCOMPARE(CouleurEn(e, 2, 0), liste);
    QCOMPARE(CouleurEn(e, 2, 9), primitive);  // après le crochet fermant
}

void TestEditeur::recherche() {
    EditeurDeProgramme e;
    e.setPlainText(QStringLiteral("av(1); AV(2); av(3);"));
    QSignalSpy introuvable(&e, &EditeurDeProgramme::TexteIntrouvable);
    QVERIFY(e.Chercher(QStringLiteral("av"), true));
    QCOMPARE(e.textCursor().selectionStart(), 0);
    QVERIFY(e.ChercherSuivant());
    QCOMPARE(e.textCursor().selectionStart(), 14);  // « AV » est sauté : casse respectée
    QVERIFY(e.ChercherSuivant());                   // on repart du début
    QCOMPARE(e.textCursor().selectionStart(), 0);
    QVERIFY(!e.Chercher(QStringLiteral("re("), false));
    QCOMPARE(introuvable.count(), 1);

    QCOMPARE(e.ToutRemplacer(QStringLiteral("av"), QStringLiteral("avance av"), false), 3);
    QCOMPARE(e.toPlainText(), QStringLiteral("avance av(1); avance av(2); avance av(3);"));
    e.undo();  // un seul « Annuler » rend tout
    QCOMPARE(e.toPlainText(), QStringLiteral("av(1); AV(2); av(3);"));

    QVERIFY(e.Chercher(QStringLiteral("AV"), true));
    QVERIFY(e.Remplacer(QStringLiteral("AV"), QStringLiteral("td"), true) == false);  // plus d'autre « AV »
    QCOMPARE(e.toPlainText(), QStringLiteral("av(1); td(2); av(3);"));
}

void TestEditeur::historique() {
    LigneDeCommande l;
    QSignalSpy valide(&l, &LigneDeCommande::Valider);
    l.AjouterALHistorique(QStringLiteral("av(1);"));
    l.AjouterALHistorique(QStringLiteral("td(2);"));
    l.AjouterALHistorique(QStringLiteral("td(2);"));  // pas de doublon qui se suit
    QCOMPARE(l.Historique().size(), 2);
    l.setText(QStringLiteral("en cours"));
    QTest::keyClick(&l, Qt::Key_Up);
    QCOMPARE(l.text(), QStringLiteral("td(2);"));
    QTest::keyClick(&l, Qt::Key_Up);
    QTest::keyClick(&l, Qt::Key_Up);  // rien de plus ancien
    QCOMPARE(l.text(), QStringLiteral("av(1);"));
    QTest::keyClick(&l, Qt::Key_Down);
    QTest::keyClick(&l, Qt::Key_Down);
    QCOMPARE(l.text(), QStringLiteral("en cours"));  // la ligne en cours n'est pas perdue
    QTest::keyClick(&l, Qt::Key_Tab);
    QCOMPARE(l.text(), QStringLiteral("en cours"));
    QTest::keyClick(&l, Qt::Key_Return);
    QCOMPARE(valide.count(), 1);
    QCOMPARE(valide.at(0).at(0).toString(), QStringLiteral("en cours"));
}

void TestEditeur::filtres() {
    QCOMPARE(FiltreDeFichiers(QStringLiteral("C *.c|*.c|Procédures|*.FDU|Tous fichiers *.*|*.*|")),
             QStringLiteral("C *.c (*.c *.C);;Procédures (*.FDU *.fdu);;Tous fichiers *.* (*.*)"));
}

GELIM_TESTS_BUREAU(TestEditeur);

}  // namespace gelim

#include "test_editeur.moc"
