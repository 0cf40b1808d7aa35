// Regarder le programme tourner au bureau : l'instruction surlignée suit un
// programme au pas à pas, dans l'éditeur et dans la ligne de commande ; le
// panneau des variables montre les paramètres d'un appel récursif et les
// valeurs après la commande ; Échap arrête pendant une pause.
#include <QAction>
#include <QComboBox>
#include <QStatusBar>
#include <QTest>

#include "banc_bureau.h"
#include "desktop/editeur.h"
#include "desktop/fenetre_principale.h"
#include "desktop/hote_bureau.h"
#include "desktop/ligne_commande.h"
#include "desktop/panneau_variables.h"

namespace gelim {

class TestRegard : public QObject {
    Q_OBJECT
private slots:
    void laSurbrillanceSuitLePasAPas();
    void lePanneauMontreLaPileDesAppels();
    void echapArretePendantUnePause();
};

// Une pause de plus que n, puis le pas suivant.
static bool AttendreLaPause(FenetrePrincipale& f, int n) {
    QElapsedTimer chrono;
    chrono.start();
    while (f.PausesMontrees() <= n || !f.Hote().AttendLeSuivant()) {
        QTest::qWait(5);
        if (chrono.elapsed() > 10000) return false;
    }
    return true;
}

void TestRegard::laSurbrillanceSuitLePasAPas() {
    auto f = FenetreDemarree();
    f->Action("mVitessePasAPas")->trigger();
    QCOMPARE(f->ChoixDeLaVitesse()->currentText(), QStringLiteral("Pas à pas"));
    f->PasserDansLEditeur();
    f->Editeur()->setPlainText(QStringLiteral("av(10);\n  td(90);\nav(20); av(5);\n"));
    f->ExecuterLeProgramme();
    const QStringList attendues{QStringLiteral("av(10);"), QStringLiteral("td(90);"), QStringLiteral("av(20);"),
                                QStringLiteral("av(5);")};
    const int lignes[] = {0, 1, 2, 2};
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(AttendreLaPause(*f, i), qPrintable(QString::number(i)));
        QCOMPARE(f->Editeur()->InstructionMontree(), attendues[i]);
        QCOMPARE(f->Editeur()->LigneDeLInstruction(), lignes[i]);
        QVERIFY(f->Occupe());
        QVERIFY(f->Action("vSuivant")->isEnabled());
        f->Action("mSuivant")->trigger();
    }
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(f->Editeur()->LigneDeLInstruction(), -1);  // la commande finie, plus rien de surligné

    // Dans la ligne de commande : la ligne revient le temps du programme, l'instruction sélectionnée.
    f->PasserEnLigneDeCommande();
    const int avant = f->PausesMontrees();
    f->Ligne()->setText(QStringLiteral("av(1);  td(2);"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QVERIFY(AttendreLaPause(*f, avant));
    QCOMPARE(f->Ligne()->InstructionMontree(), QStringLiteral("av(1);"));
    QVERIFY(f->Ligne()->isReadOnly());
    f->Action("mSuivant")->trigger();
    QVERIFY(AttendreLaPause(*f, avant + 1));
    QCOMPARE(f->Ligne()->InstructionMontree(), QStringLiteral("td(2);"));
    // « Continuer » reprend la vitesse d'avant le pas à pas : le programme finit seul.
    f->Action("mContinuer")->trigger();
    QCOMPARE(f->VitesseChoisie(), Vitesse::Rapide);
    QVERIFY(f->AttendreLaFin());
    QVERIFY(f->Ligne()->text().isEmpty());
    QVERIFY(!f->Ligne()->isReadOnly());
    QVERIFY(!f->Action("vSuivant")->isEnabled());
}

void TestRegard::lePanneauMontreLaPileDesAppels() {
    auto f = FenetreDemarree();
    QVERIFY(f->Panneau()->isHidden());
    f->Action("mVariables")->trigger();
    QVERIFY(f->AttendreLaFin());  // le relevé de l'interprète libre
    QVERIFY(f->Panneau()->isVisible());
    QVERIFY(f->Action("vVariables")->isChecked());
    f->Action("mVitessePasAPas")->trigger();
    f->PasserDansLEditeur();
    f->Editeur()->setPlainText(
        QStringLiteral("total = 0;\nint f(n) {\n  total = total + n;\n  if (n > 1) { f(n - 1); }\n}\nf(3);\n"));
    f->ExecuterLeProgramme();
    // Pas à pas jusqu'à ce que le troisième appel soit là.
    bool troisieme = false;
    for (int i = 0; i < 40 && !troisieme; ++i) {
        QVERIFY(AttendreLaPause(*f, f->PausesMontrees() - 1));
        troisieme = f->Panneau()->Lignes().contains(QStringLiteral("f = appel n° 3"));
        if (!troisieme) {
            const int n = f->PausesMontrees();
            f->Action("mSuivant")->trigger();
            QVERIFY(AttendreLaPause(*f, n));
        }
    }
    QVERIFY(troisieme);
    const QStringList lignes = f->Panneau()->Lignes();
    // Chaque appel avec son paramètre, du premier au plus récent.
    const int a1 = int(lignes.indexOf(QStringLiteral("f = appel n° 1")));
    const int a3 = int(lignes.indexOf(QStringLiteral("f = appel n° 3")));
    QVERIFY(a1 >= 0 && a3 > a1);
    QCOMPARE(lignes.at(a1 + 1), QStringLiteral("  n = 3"));
    QCOMPARE(lignes.at(a3 + 1), QStringLiteral("  n = 1"));
    QVERIFY(lignes.contains(QStringLiteral("total = 5")));
    QVERIFY(f->Panneau()->Changees().contains(QStringLiteral("n")));  // le nouvel appel

    f->Action("mContinuer")->trigger();
    QVERIFY(f->AttendreLaFin());
    // Après la commande : plus d'appel, la valeur finale, changée depuis la pause.
    const QStringList fin = f->Panneau()->Lignes();
    QVERIFY(!fin.contains(QStringLiteral("Appels en cours")));
    QVERIFY(fin.contains(QStringLiteral("total = 6")));
    QCOMPARE(f->Panneau()->Changees(), QStringList{QStringLiteral("total")});
    // Fermé, il ne reçoit plus rien.
    f->Action("vVariables")->trigger();
    QVERIFY(f->Panneau()->isHidden());
    QVERIFY(!f->Hote().PanneauOuvert());
}

void TestRegard::echapArretePendantUnePause() {
    auto f = FenetreDemarree();
    f->Action("mVitesseTresLent")->trigger();
    f->PasserDansLEditeur();
    f->Editeur()->setPlainText(QStringLiteral("repete 100 { av(1); }\n"));
    QElapsedTimer chrono;
    chrono.start();
    f->ExecuterLeProgramme();
    QTRY_VERIFY(f->PausesMontrees() > 0);
    QCOMPARE(f->Editeur()->LigneDeLInstruction(), 0);
    QTest::keyClick(f->Editeur(), Qt::Key_Escape);
    QVERIFY(f->AttendreLaFin(5000));
    QVERIFY(chrono.elapsed() < 4000);  // sans attendre la fin des cent pauses
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Tu as demandé l'arrêt")));
}

GELIM_TESTS_BUREAU(TestRegard);

}  // namespace gelim

#include "test_regard.moc"
