// Le bureau tel qu'un élève s'en sert seul pendant une heure : le dessin
// toujours visible, la tortue visible pendant le programme, les erreurs
// retrouvées dans l'éditeur, rien de perdu, Échap, l'impression, les boîtes.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
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
#include "desktop/boites.h"
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
    void leCadreChangeDeTaille();
    void laTortueSeVoitPendantLeProgramme();
    void laLigneFautive();
    void lesMessagesMontrentLeDernierTexte();
    void leSecoursRendLeTexteNonEnregistre();
    void echapApresUnMenu();
    void uneSeuleCopieImprimee();
    void lesBoitesModales();
    void leFiltreDesProgrammesEtLesTraductions();
};

static void Taper(FenetrePrincipale& f, const QString& texte) {
    f.Ligne()->setText(texte);
    QTest::keyClick(f.Ligne(), Qt::Key_Return);
}

// Toutes les filles visibles sont à l'état normal, à leur place dans la zone.
static void VerifierLesFilles(FenetrePrincipale& f) {
    const RectanglesDesFenetres r = CalculerLesRectangles(f.Reglages(), f.Zone());
    const std::pair<Fenetre, QRect> attendus[] = {{Fenetre::Graphique, r.graphique},
                                                  {Fenetre::Editeur, r.editeur},
                                                  {Fenetre::Messages, r.messages},
                                                  {Fenetre::LigneDeCommande, r.ligneDeCommande}};
    for (const auto& [fille, rect] : attendus) {
        QCOMPARE(f.Fille(fille)->isVisible(), !rect.isNull());
        if (rect.isNull()) continue;
        QVERIFY(!(f.Fille(fille)->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));
        QCOMPARE(f.Fille(fille)->geometry(), rect);
    }
}

void TestEleve::leDessinNeDisparaitJamais() {
    auto f = FenetreDemarree();
    SousFenetre* graphique = f->Fille(Fenetre::Graphique);
    for (Fenetre fille : {Fenetre::Graphique, Fenetre::Editeur, Fenetre::Messages, Fenetre::LigneDeCommande}) {
        const Qt::WindowFlags drapeaux = f->Fille(fille)->windowFlags();
        QVERIFY(!(drapeaux & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }
    // Réduite puis agrandie (par le système), la fille revient d'elle-même.
    graphique->showMinimized();
    QTRY_VERIFY(!graphique->isMinimized());
    VerifierLesFilles(*f);
    graphique->showMaximized();
    QTRY_VERIFY(!graphique->isMaximized());
    QTest::qWait(20);
    VerifierLesFilles(*f);
    // Un état forcé sans événement (le pire cas) : chaque disposition remet tout.
    for (const char* commande : {"b540", "b550"}) {
        for (Fenetre fille : {Fenetre::Graphique, Fenetre::Messages}) {
            const QSignalBlocker silence(f->Fille(fille));
            f->Fille(fille)->setWindowState(Qt::WindowMinimized);
        }
        f->Action(commande)->trigger();
        VerifierLesFilles(*f);
    }
    // Et les commandes suivantes dessinent bien dans une fenêtre visible.
    Taper(*f, QStringLiteral("av(100);"));
    QVERIFY(f->AttendreLaFin());
    f->Graphique()->viewport()->repaint();
    const QImage ecran = f->Graphique()->viewport()->grab().toImage();
    QCOMPARE(QColor(ecran.pixel(ecran.width() / 2, ecran.height() / 2 - 50)), QColor(Qt::black));
}

void TestEleve::leCadreChangeDeTaille() {
    auto f = FenetreDemarree();
    f->MontrerLesMessages();
    const QSize grande = f->Zone();
    f->resize(900, 600);
    QTRY_VERIFY(f->Zone().width() <= 900);
    VerifierLesFilles(*f);
    // Le dessin garde la moitié du cadre, pas une lamelle.
    QVERIFY(f->Fille(Fenetre::Graphique)->width() >= f->Zone().width() / 2 - 1);
    // Les boutons principaux restent sur la barre, rien ne passe derrière la flèche.
    QToolBar* barre = f->BarreDeBoutons();
    QTRY_VERIFY(barre->width() <= 900);
    for (const char* nom : {"b600", "bArret", "b610", "b620"}) {
        QWidget* bouton = barre->widgetForAction(f->Action(nom));
        QVERIFY2(bouton && bouton->isVisible(), nom);
        QVERIFY2(barre->rect().contains(bouton->geometry()), nom);
    }
    // Le cadre reprend sa taille : les filles aussi, sans que le clavier change de fenêtre.
    f->PasserDansLEditeur();
    f->resize(1300, 950);
    QTRY_COMPARE(f->Zone(), grande);
    VerifierLesFilles(*f);
    QVERIFY(f->Editeur()->hasFocus());
}

// Les pixels de la tête verte (palette 112) dans un carré de la fenêtre graphique.
static int PixelsDeTete(const QImage& ecran, QPoint centre) {
    int n = 0;
    for (int y = centre.y() - 6; y <= centre.y() + 6; ++y)
        for (int x = centre.x() - 6; x <= centre.x() + 6; ++x) n += QColor(ecran.pixel(x, y)) == QColor(159, 255, 127);
    return n;
}

void TestEleve::laTortueSeVoitPendantLeProgramme() {
    auto f = FenetreDemarree();
    FenetreGraphique* g = f->Graphique();
    // Un jeu qui attend une touche : la tortue est tournée vers la droite, au point (100, 0).
    Taper(*f, QStringLiteral("td(90); av(100); t = getchar();"));
    QTRY_VERIFY(f->Hote().AttendUneTouche());
    QTest::qWait(100);
    g->viewport()->repaint();
    QImage ecran = g->viewport()->grab().toImage();
    const QPoint origine = g->PointDuDessin(QPoint(0, 0));
    QVERIFY(PixelsDeTete(ecran, QPoint(500 + 119, 500) - origine) > 20);  // la tête, devant elle
    QCOMPARE(PixelsDeTete(ecran, QPoint(500, 500 - 19) - origine), 0);    // rien là où elle était
    QTest::keyClick(g, Qt::Key_A);
    QVERIFY(f->AttendreLaFin());
    // Cachée, elle ne se voit pas davantage pendant le programme.
    Taper(*f, QStringLiteral("ct(); t = getchar();"));
    QTRY_VERIFY(f->Hote().AttendUneTouche());
    QTest::qWait(100);
    g->viewport()->repaint();
    ecran = g->viewport()->grab().toImage();
    QCOMPARE(PixelsDeTete(ecran, QPoint(500 + 119, 500) - origine), 0);
    QTest::keyClick(g, Qt::Key_A);
    QVERIFY(f->AttendreLaFin());
}

void TestEleve::laLigneFautive() {
    auto f = FenetreDemarree();
    f->PasserDansLEditeur();
    EditeurDeProgramme* e = f->Editeur();
    QString texte;
    for (int i = 0; i < 60; ++i) texte += QStringLiteral("av(%1);\n").arg(i);
    texte.replace(QStringLiteral("av(41);"), QStringLiteral("av(41)"));
    e->setPlainText(texte);
    e->moveCursor(QTextCursor::Start);
    f->ExecuterLeProgramme();
    QVERIFY(f->AttendreLaFin());
    // La fenêtre des messages et l'éditeur disent la même ligne.
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Erreur dans le programme à la ligne : 41\n")));
    QCOMPARE(e->LigneFautive(), 41);
    QCOMPARE(e->textCursor().blockNumber(), 41);
    QVERIFY(e->hasFocus());
    QCOMPARE(e->extraSelections().size(), 1);
    QCOMPARE(e->extraSelections().first().cursor.blockNumber(), 41);
    const QRect ligne = e->cursorRect();
    QVERIFY(e->viewport()->rect().contains(ligne));
    // La marge montre les numéros comptés depuis 0.
    QVERIFY(e->Marge()->isVisible() && e->Marge()->width() >= 20);
    QCOMPARE(e->viewport()->geometry().left(), e->Marge()->geometry().right() + 1);
    // La correction efface le surlignage ; une erreur en ligne de commande ne touche pas l'éditeur.
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Semicolon);
    QCOMPARE(e->LigneFautive(), -1);
    QVERIFY(e->extraSelections().isEmpty());
    f->PasserEnLigneDeCommande();
    Taper(*f, QStringLiteral("av(10)"));
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(e->LigneFautive(), -1);
}

void TestEleve::lesMessagesMontrentLeDernierTexte() {
    auto f = FenetreDemarree();
    f->MontrerLesMessages();
    Taper(*f, QStringLiteral("repete 300 { ec(1); }"));
    QVERIFY(f->AttendreLaFin());
    VueMessages* m = f->Messages();
    m->verticalScrollBar()->setValue(0);  // l'élève relit le début
    QVERIFY(!m->EstEnBas());
    Taper(*f, QStringLiteral("racine(-4);"));
    QVERIFY(f->AttendreLaFin());
    QVERIFY(m->EstEnBas());
    QVERIFY(m->Ligne(m->NombreDeLignes() - 2).startsWith(QStringLiteral("-4")));
}

void TestEleve::leSecoursRendLeTexteNonEnregistre() {
    QTemporaryDir dossier;
    auto demarrer = [&dossier] {
        auto f = std::make_unique<FenetrePrincipale>();
        f->Hote().RepondreAutomatiquement(true);
        f->DefinirDossierDeSecours(dossier.path());
        f->resize(1300, 950);
        f->show();
        f->Demarrer();
        f->AttendreLaFin();
        return f;
    };
    const QString question = QStringLiteral(
        "DIALOGUE A  T  T  E  N  T  I  O  N | Le programme « Sans nom » n'a pas été enregistré. | "
        "Reprendre le programme non enregistré ?");
    QString fichier;
    {
        auto f = demarrer();
        QVERIFY(!f->Hote().Journal().contains(question));
        fichier = f->LeSecours()->Fichier();
        QVERIFY(fichier.startsWith(dossier.path()));
        f->PasserDansLEditeur();
        QTest::keyClicks(f->Editeur(), QStringLiteral("av(77);"));
        // Écrit sans que l'élève fasse rien, au plus quelques secondes plus tard.
        QElapsedTimer chrono;
        chrono.start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fichier), 4000);
        QVERIFY(chrono.elapsed() <= Secours::kDelaiMs + 1000);
        // Les deux « Entrée » qui jetaient tout : « Quitter ? oui », « Modifié, quitter ? oui ».
        QTest::keyClicks(f->Editeur(), QStringLiteral(" td(5);"));
        f->close();
        QTRY_VERIFY(!f->isVisible());
    }
    {
        // Au démarrage suivant, le texte est offert à nouveau, et repris.
        auto f = demarrer();
        QVERIFY(f->Hote().Journal().contains(question));
        QCOMPARE(f->Editeur()->toPlainText(), QStringLiteral("av(77); td(5);"));
        QCOMPARE(f->Reglages().mode, 1);
        QVERIFY(f->Editeur()->document()->isModified());
        // Enregistré, il n'a plus besoin du secours.
        QTemporaryDir programmes;
        const QString chemin = programmes.filePath(QStringLiteral("repris.c"));
        f->choixDeFichier = [&chemin](const QString&, const QString&, bool) { return chemin; };
        QTest::keySequence(f->Editeur(), QKeySequence::Save);
        QVERIFY(QFile::exists(chemin));
        QVERIFY(!QFile::exists(fichier));
        // Modifié de nouveau, puis refusé au démarrage suivant : oublié.
        QTest::keyClicks(f->Editeur(), QStringLiteral("ve();"));
        f->close();
        QTRY_VERIFY(!f->isVisible());
        QVERIFY(QFile::exists(fichier));
    }
    {
        auto f = std::make_unique<FenetrePrincipale>();
        f->Hote().RepondreAutomatiquement(true);
        f->Hote().AjouterReponse(QStringLiteral("non"));
        f->DefinirDossierDeSecours(dossier.path());
        f->show();
        f->Demarrer();
        QVERIFY(f->AttendreLaFin());
        QVERIFY(f->Hote().Journal().contains(
            QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Le programme « repris.c » n'a pas été enregistré. | "
                           "Reprendre le programme non enregistré ?")));
        QVERIFY(f->Editeur()->toPlainText().isEmpty());
        QVERIFY(!QFile::exists(fichier));
    }
}

void TestEleve::echapApresUnMenu() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("while (1) { td(1); }"));
    QTRY_VERIFY(f->Occupe());
    // Un menu ouvert prend son Échap ; la barre de menus garde ensuite le clavier.
    QMenu* menu = f->menuBar()->actions().first()->menu();
    f->menuBar()->setActiveAction(f->menuBar()->actions().first());
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QTest::qWait(50);
    QVERIFY(f->Occupe());
    // Une seule pression arrête le programme, où que soit le clavier.
    QWidget* clavier = QApplication::focusWidget() ? QApplication::focusWidget() : f->menuBar();
    QTest::keyClick(clavier, Qt::Key_Escape);
    QVERIFY(f->AttendreLaFin(5000));
    // De même depuis les messages et depuis la barre de menus elle-même.
    for (QWidget* w : {static_cast<QWidget*>(f->Messages()), static_cast<QWidget*>(f->menuBar())}) {
        f->MontrerLesMessages();
        Taper(*f, QStringLiteral("while (1) { td(1); }"));
        QTRY_VERIFY(f->Occupe());
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(f->AttendreLaFin(5000));
    }
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
    Taper(*f, QStringLiteral("fcc(240); bloc(-500, 500, 0, 0);"));
    QVERIFY(f->AttendreLaFin());
    QTemporaryDir dossier;
    for (bool grand : {false, true}) {
        const QString pdf = dossier.filePath(grand ? QStringLiteral("grand.pdf") : QStringLiteral("normal.pdf"));
        f->preparerImprimante = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageOrientation(QPageLayout::Portrait);
            return true;
        };
        f->Imprimer(grand);
        const QString base = dossier.filePath(QStringLiteral("page"));
        QCOMPARE(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), pdf, base}),
                 0);
        const QImage page(base + QStringLiteral(".png"));
        QVERIFY(qAbs(page.width() - 413) <= 1);  // A4 à 50 points par pouce
        int n = 0;
        const QRect bloc = PixelsRouges(page, &n);
        // Un seul bloc plein, carré, et la copie entière (deux fois le bloc) centrée sur la page.
        QVERIFY2(n >= bloc.width() * bloc.height() * 9 / 10, qPrintable(QString::number(n)));
        QVERIFY(qAbs(bloc.width() - bloc.height()) <= 2);
        const QPoint centreDeLaCopie = bloc.bottomRight();
        QVERIFY(qAbs(centreDeLaCopie.x() - page.width() / 2) <= 12);
        QVERIFY(qAbs(centreDeLaCopie.y() - page.height() / 2) <= 12);
        if (grand)  // toute la largeur imprimable (les marges de la page ôtées)
            QVERIFY2(2 * bloc.width() > page.width() * 8 / 10, qPrintable(QString::number(bloc.width())));
        else  // 2000 unités à 600 par pouce : 3,33 pouces, 167 points à 50 par pouce
            QVERIFY2(qAbs(2 * bloc.width() - 167) <= 4, qPrintable(QString::number(bloc.width())));
    }
}

void TestEleve::lesBoitesModales() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("av(10);"));
    QVERIFY(f->AttendreLaFin());
    f->Action("b610")->trigger();
    QVERIFY(f->AttendreLaFin());
    // Le second refus de la gomme, avec une vraie boîte : on la regarde pendant qu'elle attend.
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
    QVERIFY(!arretPossible);
    QVERIFY(titreEntier);
    QVERIFY(sansReduire);
    QCOMPARE(f->statusBar()->findChildren<QLabel*>().value(0)->text(), QStringLiteral("Prêt."));
}

void TestEleve::leFiltreDesProgrammesEtLesTraductions() {
    auto f = FenetreDemarree();
    QString filtre;
    f->choixDeFichier = [&filtre](const QString&, const QString& fl, bool) {
        filtre = fl;
        return QString();
    };
    f->PasserDansLEditeur();
    f->ChargerUnProgramme();
    // Le premier filtre montre tous les programmes, ceux des thèmes compris.
    const QString premier = filtre.section(QStringLiteral(";;"), 0, 0);
    QVERIFY2(premier.startsWith(QStringLiteral("Tous les programmes (")), qPrintable(premier));
    for (const char* motif : {"*.c", "*.jeu", "*.gra", "*.256", "*.FDU", "*.rec"})
        QVERIFY2(premier.contains(QLatin1String(motif)), motif);
    QVERIFY(filtre.contains(QStringLiteral(";;C *.c (*.c *.C)")));
    // Les boîtes de Qt parlent français (paquet qt6-translations-l10n).
    QTranslator traduction;
    QVERIFY(InstallerLesTraductionsDeQt(*qApp, traduction));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    QCoreApplication::removeTranslator(&traduction);
}

GELIM_TESTS_BUREAU(TestEleve);

}  // namespace gelim

#include "test_eleve.moc"
