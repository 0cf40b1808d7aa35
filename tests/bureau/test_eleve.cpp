// Le bureau tel qu'un élève s'en sert seul pendant une heure : le dessin
// toujours visible, la tortue visible pendant le programme, les erreurs
// retrouvées dans l'éditeur, rien de perdu, Échap, l'impression, les boîtes.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

#include "banc_bureau.h"
#include "desktop/bureau.h"
#include "desktop/editeur.h"
#include "desktop/fenetre_graphique.h"
#include "desktop/fenetre_principale.h"
#include "desktop/hote_bureau.h"
#include "desktop/ligne_commande.h"
#include "desktop/secours.h"
#include "desktop/vue_messages.h"

namespace gelim {

class TestEleve : public QObject {
    Q_OBJECT
private slots:
    void leDessinNeDisparaitJamais();
    void laTortueSeVoitPendantLeProgramme();
    void laLigneFautiveEtLesDerniersMessages();
    void leSecoursRendLeTexteNonEnregistre();
    void echapApresUnMenu();
    void uneSeuleCopieImprimee();
    void boitesFiltreEtTraductions();
};

void TestEleve::leDessinNeDisparaitJamais() {
    auto f = FenetreDemarree();
    SousFenetre* graphique = f->Fille(Fenetre::Graphique);
    QVERIFY(!(graphique->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Réduite ou agrandie par le système, la fille revient d'elle-même.
    graphique->showMinimized();
    QTRY_VERIFY(!graphique->isMinimized());
    graphique->showMaximized();
    QTRY_VERIFY(!graphique->isMaximized());
    VerifierLesFilles(*f);
    // Un état forcé sans événement : chaque disposition remet tout.
    for (const char* commande : {"b540", "b550"}) {
        for (Fenetre fille : {Fenetre::Graphique, Fenetre::Messages}) {
            const QSignalBlocker silence(f->Fille(fille));
            f->Fille(fille)->setWindowState(Qt::WindowMinimized);
        }
        f->Action(commande)->trigger();
        VerifierLesFilles(*f);
    }
    // Un cadre de 900 x 600 : les filles suivent, le dessin garde sa moitié, et
    // les boutons principaux restent sur la barre (rien derrière la flèche).
    f->MontrerLesMessages();
    const QSize grande = f->Zone();
    f->resize(900, 600);
    QTRY_VERIFY(f->Zone().width() <= 900 && f->BarreDeBoutons()->width() <= 900);
    VerifierLesFilles(*f);
    QVERIFY(f->Fille(Fenetre::Graphique)->width() >= f->Zone().width() / 2 - 1);
    for (const char* nom : {"b600", "bArret", "b610", "b620"}) {
        QWidget* bouton = f->BarreDeBoutons()->widgetForAction(f->Action(nom));
        QVERIFY2(bouton->isVisible() && f->BarreDeBoutons()->rect().contains(bouton->geometry()), nom);
    }
    // Le cadre reprend sa taille sans que le clavier change de fenêtre.
    f->PasserDansLEditeur();
    f->resize(1300, 950);
    QTRY_COMPARE(f->Zone(), grande);
    VerifierLesFilles(*f);
    QVERIFY(f->Editeur()->hasFocus());
}

// Les pixels de la tête verte (palette 112) autour d'un point de la fenêtre graphique.
static int PixelsDeTete(const QImage& ecran, QPoint centre) {
    int n = 0;
    for (int y = centre.y() - 6; y <= centre.y() + 6; ++y)
        for (int x = centre.x() - 6; x <= centre.x() + 6; ++x) n += QColor(ecran.pixel(x, y)) == QColor(159, 255, 127);
    return n;
}

void TestEleve::laTortueSeVoitPendantLeProgramme() {
    auto f = FenetreDemarree();
    FenetreGraphique* g = f->Graphique();
    const QPoint origine = g->PointDuDessin(QPoint(0, 0));
    // Un jeu qui attend une touche, la tortue tournée vers la droite au point (100, 0) ;
    // puis la même attente, la tortue cachée.
    for (const char* programme : {"td(90); av(100); t = getchar();", "ct(); t = getchar();"}) {
        Taper(*f, QString::fromUtf8(programme), false);
        QTRY_VERIFY(f->Hote().AttendUneTouche());
        QTest::qWait(100);
        g->viewport()->repaint();
        const QImage ecran = g->viewport()->grab().toImage();
        const int tete = PixelsDeTete(ecran, QPoint(500 + 119, 500) - origine);
        QVERIFY2(programme[0] == 't' ? tete > 20 : tete == 0, programme);
        QCOMPARE(PixelsDeTete(ecran, QPoint(500, 500 - 19) - origine), 0);  // rien là où elle était
        QTest::keyClick(g, Qt::Key_A);
        QVERIFY(f->AttendreLaFin());
    }
}

void TestEleve::laLigneFautiveEtLesDerniersMessages() {
    auto f = FenetreDemarree();
    f->PasserDansLEditeur();
    f->MontrerLesMessages();
    EditeurDeProgramme* e = f->Editeur();
    QString texte;
    for (int i = 0; i < 60; ++i) texte += QStringLiteral("av(%1);\n").arg(i);
    e->setPlainText(texte.replace(QStringLiteral("av(41);"), QStringLiteral("av(41)")));
    e->moveCursor(QTextCursor::Start);
    f->Messages()->verticalScrollBar()->setValue(0);  // l'élève relisait le début
    f->ExecuterLeProgramme();
    QVERIFY(f->AttendreLaFin());
    // Les messages montrent l'erreur qui arrive ; l'éditeur dit la même ligne et y est.
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Erreur dans le programme à la ligne : 41\n")));
    QVERIFY(f->Messages()->EstEnBas());
    QCOMPARE(e->LigneFautive(), 41);
    QCOMPARE(e->textCursor().blockNumber(), 41);
    QVERIFY(e->hasFocus() && e->viewport()->rect().contains(e->cursorRect()));
    QCOMPARE(e->extraSelections().size(), 1);
    QCOMPARE(e->extraSelections().first().cursor.blockNumber(), 41);
    QVERIFY(e->Marge()->isVisible() && e->viewport()->geometry().left() == e->Marge()->geometry().right() + 1);
    // La correction efface le surlignage ; une erreur en ligne de commande ne touche pas l'éditeur.
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Semicolon);
    QCOMPARE(e->LigneFautive(), -1);
    QVERIFY(e->extraSelections().isEmpty());
    f->PasserEnLigneDeCommande();
    QVERIFY(Taper(*f, QStringLiteral("av(10)")));
    QCOMPARE(e->LigneFautive(), -1);
}

void TestEleve::leSecoursRendLeTexteNonEnregistre() {
    QTemporaryDir dossier, programmes;
    auto demarrer = [&dossier](const QString& reponse) { return FenetreDemarree(dossier.path(), reponse, true); };
    auto question = [](const QString& nom) {
        return QStringLiteral(
                   "DIALOGUE A  T  T  E  N  T  I  O  N | Le programme « %1 » n'a pas été enregistré. | "
                   "Reprendre le programme non enregistré ?")
            .arg(nom);
    };
    auto f = demarrer(QStringLiteral("oui"));
    const QString fichier = f->LeSecours()->Fichier();
    QVERIFY(fichier.startsWith(dossier.path()));
    f->PasserDansLEditeur();
    QTest::keyClicks(f->Editeur(), QStringLiteral("av(77);"));
    // Écrit sans que l'élève fasse rien, au plus quelques secondes plus tard.
    QElapsedTimer chrono;
    chrono.start();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fichier), 4000);
    QVERIFY(chrono.elapsed() <= Secours::kDelaiMs + 1000);
    // Les deux « Entrée » qui jetaient tout : « quitter ? oui », « modifié, quitter ? oui ».
    QTest::keyClicks(f->Editeur(), QStringLiteral(" td(5);"));
    f->close();
    QTRY_VERIFY(!f->isVisible());
    f.reset();
    // Au démarrage suivant, le texte est offert à nouveau, et repris.
    f = demarrer(QStringLiteral("oui"));
    QVERIFY(f->Hote().Journal().contains(question(QStringLiteral("Sans nom"))));
    QCOMPARE(f->Editeur()->toPlainText(), QStringLiteral("av(77); td(5);"));
    QVERIFY(f->Reglages().mode == 1 && f->Editeur()->document()->isModified());
    // Enregistré (Ctrl+S), il n'a plus besoin du secours.
    const QString chemin = programmes.filePath(QStringLiteral("repris.c"));
    f->choixDeFichier = [&chemin](const QString&, const QString&, bool) { return chemin; };
    QTest::keySequence(f->Editeur(), QKeySequence::Save);
    QVERIFY(QFile::exists(chemin) && !QFile::exists(fichier));
    // Modifié de nouveau puis fermé ; refusé au démarrage suivant, il est oublié.
    QTest::keyClicks(f->Editeur(), QStringLiteral("ve();"));
    f->close();
    QTRY_VERIFY(!f->isVisible());
    f.reset();
    f = demarrer(QStringLiteral("non"));
    QVERIFY(f->Hote().Journal().contains(question(QStringLiteral("repris.c"))));
    QVERIFY(f->Editeur()->toPlainText().isEmpty() && !QFile::exists(fichier));
}

void TestEleve::echapApresUnMenu() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("while (1) { td(1); }"), false);
    QTRY_VERIFY(f->Occupe());
    // Un menu ouvert prend son Échap ; la barre de menus garde ensuite le clavier.
    QMenu* menu = f->menuBar()->actions().first()->menu();
    f->menuBar()->setActiveAction(f->menuBar()->actions().first());
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QTest::qWait(50);
    QVERIFY(f->Occupe());
    // Une seule pression arrête le programme, la barre de menus ayant le clavier.
    QTest::keyClick(f->menuBar(), Qt::Key_Escape);
    QVERIFY(f->AttendreLaFin(5000));
}

// Le rectangle des pixels rouges d'une page rendue, et leur nombre.
static QRect PixelsRouges(const QImage& page, int* nombre) {
    QRect r;
    *nombre = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (const QColor c(page.pixel(x, y)); c.red() > 180 && c.green() < 80 && c.blue() < 80) {
                r |= QRect(x, y, 1, 1);
                ++*nombre;
            }
    return r;
}

void TestEleve::uneSeuleCopieImprimee() {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) QSKIP("pdftoppm (poppler-utils) manque : scripts/dependances.sh l'installe");
    auto f = FenetreDemarree();
    // Le quart haut gauche du champ en rouge : une copie se reconnaît à son bloc.
    QVERIFY(Taper(*f, QStringLiteral("fcc(240); bloc(-500, 500, 0, 0);")));
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath(QStringLiteral("page.pdf")), base = dossier.filePath(QStringLiteral("page"));
    QString nomDuDocument;
    f->preparerImprimante = [&](QPrinter& p) {
        nomDuDocument = p.docName();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setPageSize(QPageSize(QPageSize::A4));
        return true;
    };
    for (bool grand : {false, true}) {
        f->Imprimer(grand);
        QCOMPARE(nomDuDocument, QStringLiteral("Interface d'impression externe"));
        QCOMPARE(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), pdf, base}),
                 0);
        const QImage page(base + QStringLiteral(".png"));
        QVERIFY(qAbs(page.width() - 413) <= 1);  // A4 à 50 points par pouce
        int n = 0;
        const QRect bloc = PixelsRouges(page, &n);
        // Un seul bloc plein et carré ; la copie entière (deux fois le bloc) centrée sur la page.
        QVERIFY2(n >= bloc.width() * bloc.height() * 9 / 10, qPrintable(QString::number(n)));
        QVERIFY(qAbs(bloc.width() - bloc.height()) <= 2);
        QVERIFY(qAbs(bloc.right() - page.width() / 2) <= 12 && qAbs(bloc.bottom() - page.height() / 2) <= 12);
        if (grand)  // toute la largeur imprimable
            QVERIFY2(2 * bloc.width() > page.width() * 8 / 10, qPrintable(QString::number(bloc.width())));
        else  // 2000 unités à 600 par pouce : 3,33 pouces, 167 points à 50 par pouce
            QVERIFY2(qAbs(2 * bloc.width() - 167) <= 4, qPrintable(QString::number(bloc.width())));
    }
    // L'impression refusée dans sa boîte ne fait rien.
    QFile::remove(pdf);
    f->preparerImprimante = [](QPrinter&) { return false; };
    f->Imprimer(true);
    QVERIFY(!QFile::exists(pdf));
}

void TestEleve::boitesFiltreEtTraductions() {
    auto f = FenetreDemarree();
    QVERIFY(Taper(*f, QStringLiteral("av(10);")));
    f->Action("b610")->trigger();
    QVERIFY(f->AttendreLaFin());
    // Le second refus de la gomme, dans une vraie boîte, regardée pendant qu'elle attend :
    // la barre d'état dit que Gelim attend, l'arrêt est éteint, le titre tient en entier.
    f->Hote().RepondreAutomatiquement(false);
    QString etat;
    bool arretPossible = true, titreEntier = false, sansReduire = false;
    QTimer::singleShot(300, [&] {
        QWidget* boite = QApplication::activeModalWidget();
        if (!boite) return;
        etat = f->statusBar()->findChildren<QLabel*>().value(0)->text();
        arretPossible = f->Action("bArret")->isEnabled();
        QFont gras = QApplication::font();
        gras.setBold(true);
        titreEntier = boite->width() >= QFontMetrics(gras).horizontalAdvance(boite->windowTitle()) + 60;
        sansReduire = !(boite->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        boite->findChild<QPushButton*>()->click();
    });
    f->Action("b610")->trigger();
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(etat, QStringLiteral("Gelim attend ta réponse dans la boîte de dialogue."));
    QVERIFY(!arretPossible && titreEntier && sansReduire);
    QCOMPARE(f->statusBar()->findChildren<QLabel*>().value(0)->text(), QStringLiteral("Prêt."));

    // L'ouverture commence sur le filtre de tous les programmes, thèmes compris.
    QString filtre;
    f->choixDeFichier = [&filtre](const QString&, const QString& fl, bool) {
        filtre = fl;
        return QString();
    };
    f->PasserDansLEditeur();
    f->ChargerUnProgramme();
    const QString premier = filtre.section(QStringLiteral(";;"), 0, 0);
    QVERIFY2(premier.startsWith(QStringLiteral("Tous les programmes (")), qPrintable(premier));
    for (const char* motif : {"*.c", "*.jeu", "*.gra", "*.256", "*.FDU", "*.rec"})
        QVERIFY2(premier.contains(QLatin1String(motif)), motif);
    // Les boîtes de Qt parlent français (paquet qt6-translations-l10n).
    QTranslator traduction;
    QVERIFY(InstallerLesTraductionsDeQt(*qApp, traduction));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    QCoreApplication::removeTranslator(&traduction);
}

GELIM_TESTS_BUREAU(TestEleve);

}  // namespace gelim

#include "test_eleve.moc"
