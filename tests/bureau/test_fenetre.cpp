// La fenêtre principale branchée à l'interprète : commandes, programme de
// l'éditeur, gomme, dispositions, arrêt, erreurs, réglages, fichiers,
// images et fermeture.
#include <QAction>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMutexLocker>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "banc_bureau.h"
#include "desktop/aide.h"
#include "desktop/boites.h"
#include "desktop/editeur.h"
#include "desktop/fenetre_graphique.h"
#include "desktop/fenetre_principale.h"
#include "desktop/hote_bureau.h"
#include "desktop/ligne_commande.h"
#include "desktop/vue_messages.h"

namespace gelim {

class TestFenetre : public QObject {
    Q_OBJECT
private slots:
    void demarrage();
    void commandeDirecte();
    void programmeDeLEditeur();
    void gommer();
    void dispositions();
    void fillesQuiRefusentDeFermer();
    void arreterUneBoucleSansFin();
    void uneLigneAttendQuandLInterpreteTravaille();
    void erreurs();
    void boiteDErreurALEcran();
    void getcharLitLaFenetreGraphique();
    void laSourisDonneLePointDuChamp();
    void reglagesDeLInterprete();
    void profondeurDesArbres();
    void fichiersDeProgrammes();
    void images();
    void aideEtAPropos();
    void quitter();
    void unMillionDeLignes();
};

static bool Noir(FenetrePrincipale& f, int x, int y) {
    return f.Dessin().LirePixel(x, y) == Couleur{0, 0, 0};
}

static void Taper(FenetrePrincipale& f, const QString& texte) {
    f.Ligne()->setFocus();
    f.Ligne()->setText(texte);
    QTest::keyClick(f.Ligne(), Qt::Key_Return);
    QVERIFY(f.AttendreLaFin());
}

static bool JournalContient(FenetrePrincipale& f, const QString& debut) {
    for (const QString& l : f.Hote().Journal())
        if (l.startsWith(debut)) return true;
    return false;
}

void TestFenetre::demarrage() {
    FenetrePrincipale f;
    f.Hote().RepondreAutomatiquement(true);
    f.DefinirDossierDeSecours(DossierDeSecoursNeuf());
    f.show();
    f.Demarrer();
    QVERIFY(f.AttendreLaFin());
    const QStringList journal = f.Hote().Journal();
    QVERIFY(journal.value(0).startsWith(
        QStringLiteral("INFORMATION C O M M E N C E R   A V E C   L ' I N T E R P R E T E U R |  D E S S I N E R")));
    // Au départ : ligne de commande et dessin seulement, juxtaposés.
    QVERIFY(f.Fille(Fenetre::LigneDeCommande)->isVisible());
    QVERIFY(f.Fille(Fenetre::Graphique)->isVisible());
    QVERIFY(!f.Fille(Fenetre::Messages)->isVisible());
    QVERIFY(!f.Fille(Fenetre::Editeur)->isVisible());
    QCOMPARE(f.Fille(Fenetre::Editeur)->windowTitle(), QStringLiteral("Sans nom[*]"));
    QVERIFY(f.Action("b550")->isChecked() && f.Action("b570")->isChecked() && f.Action("b590")->isChecked());
    QVERIFY(!f.Action("b24331")->isEnabled() && !f.Action("b24333")->isEnabled());
    QVERIFY(!f.Action("bArret")->isEnabled());
    // Le premier affichage : le cadre et la tortue au centre de la fenêtre graphique.
    QVERIFY(f.Dessin().LirePixel(0, 500) == (Couleur{0, 0, 0}));
    int figure = 0, dessin = 0;
    for (int y = 470; y < 530; ++y)
        for (int x = 470; x < 530; ++x) {
            figure += !(f.Vue().LirePixel(x, y) == Couleur{255, 255, 255});
            dessin += !(f.Dessin().LirePixel(x, y) == Couleur{255, 255, 255});
        }
    QVERIFY(figure > 50);  // la figure est sur la vue seulement
    QCOMPARE(dessin, 0);
    const QWidget* v = f.Graphique()->viewport();
    QCOMPARE(f.Graphique()->PointDuDessin(QPoint(v->width() / 2, v->height() / 2)), QPoint(500, 500));
    // La barre de boutons : treize boutons, plus l'arrêt.
    int boutons = 0;
    for (QAction* a : f.BarreDeBoutons()->actions()) boutons += a->objectName().startsWith(QLatin1Char('b'));
    QCOMPARE(boutons, 14);
}

void TestFenetre::commandeDirecte() {
    auto f = FenetreDemarree();
    QTest::keyClicks(f->Ligne(), QStringLiteral("av(100); td(90);"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QVERIFY(f->Ligne()->text().isEmpty());
    QVERIFY(f->AttendreLaFin());
    // Le trait vertical de (0, 0) à (0, 100) : colonne 500, lignes 401 à 500.
    QVERIFY(Noir(*f, 500, 450));
    QVERIFY(Noir(*f, 500, 401));
    QVERIFY(!Noir(*f, 520, 450));
    QVERIFY(!Noir(*f, 500, 380));
    QCOMPARE(TexteDesMessages(*f), QStringLiteral("av(100); td(90);\n"));
    QCOMPARE(f->Ligne()->Historique(), QStringList{QStringLiteral("av(100); td(90);")});
    // La fenêtre graphique montre le trait au-dessus de son milieu.
    f->Graphique()->viewport()->repaint();
    const QImage ecran = f->Graphique()->viewport()->grab().toImage();
    const QPoint milieu(ecran.width() / 2, ecran.height() / 2);
    QCOMPARE(QColor(ecran.pixel(milieu.x(), milieu.y() - 50)), QColor(Qt::black));
    QCOMPARE(QColor(ecran.pixel(milieu.x() + 20, milieu.y() - 50)), QColor(Qt::white));
    // Défiler déplace ce qui est montré, par pas de 5 pixels.
    f->Graphique()->DefinirPositionDeDefilement(QPoint(100, 90));
    QCOMPARE(f->Graphique()->PositionDeDefilement(), QPoint(500, 450));
    QCOMPARE(f->Graphique()->PointDuDessin(milieu), QPoint(500, 450));
}

void TestFenetre::programmeDeLEditeur() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("td(180); av(200);"));
    QVERIFY(Noir(*f, 500, 600));
    f->PasserDansLEditeur();
    QVERIFY(f->Fille(Fenetre::Editeur)->isVisible());
    QVERIFY(!f->Fille(Fenetre::LigneDeCommande)->isVisible());
    QVERIFY(f->Action("b24331")->isEnabled());
    f->Editeur()->setPlainText(QStringLiteral("repete (4) {\n  av(50);\n  td(90);\n}\n"));
    f->Action("b600")->trigger();
    QVERIFY(f->AttendreLaFin());
    // Chaque lancement repart d'une feuille blanche, la tortue au centre.
    QVERIFY(!Noir(*f, 500, 600));
    QVERIFY(Noir(*f, 500, 475));   // côté gauche du carré
    QVERIFY(Noir(*f, 525, 450));   // haut
    QVERIFY(Noir(*f, 550, 475));   // droite
    QVERIFY(Noir(*f, 525, 500));   // bas
    QVERIFY(!Noir(*f, 525, 475));  // dedans
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("repete (4) {\n  av(50);")));
}

void TestFenetre::gommer() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("av(100);"));
    Taper(*f, QStringLiteral("td(90); av(100);"));
    QVERIFY(Noir(*f, 550, 400));
    f->Action("b610")->trigger();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(!Noir(*f, 550, 400));  // la dernière instruction est effacée
    QVERIFY(Noir(*f, 500, 450));   // pas celle d'avant
    QVERIFY(f->Hote().Journal().isEmpty());
    f->Action("b610")->trigger();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(Noir(*f, 500, 450));
    QCOMPARE(f->Hote().Journal().value(0),
             QStringLiteral("DIALOGUE N  O  N,   J ' A I   D E J A   E F F A C E   U N E   I N S T R U C T I O N | "
                            "Je ne peux effacer encore une instruction ! Apprends | "
                            "plutôt à travailler dans l'éditeur de programmes."));
    // Une nouvelle instruction rend la gomme possible ; dans l'éditeur, jamais.
    Taper(*f, QStringLiteral("av(10);"));
    f->PasserDansLEditeur();
    f->Hote().ViderJournal();
    f->Action("m611")->trigger();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(f->Hote().Journal().value(0).startsWith(QStringLiteral("DIALOGUE N  O  N,   D  E  S  O  L  E")));
}

// Les quatre filles sont là où les règles les mettent, et seulement elles.
static void VerifierLesRectangles(FenetrePrincipale& f) {
    const RectanglesDesFenetres r = CalculerLesRectangles(f.Reglages(), f.Zone());
    const std::pair<Fenetre, QRect> attendus[] = {{Fenetre::Graphique, r.graphique},
                                                  {Fenetre::Editeur, r.editeur},
                                                  {Fenetre::Messages, r.messages},
                                                  {Fenetre::LigneDeCommande, r.ligneDeCommande}};
    for (const auto& [fille, rect] : attendus) {
        QCOMPARE(f.Fille(fille)->isVisible(), !rect.isNull());
        if (!rect.isNull()) QCOMPARE(f.Fille(fille)->geometry(), rect);
    }
}

void TestFenetre::dispositions() {
    auto f = FenetreDemarree();
    // La zone est la zone cliente du cadre.
    const int W = f->Zone().width(), H = f->Zone().height();
    QVERIFY(W > 1200 && H > 700);
    VerifierLesRectangles(*f);
    QCOMPARE(f->Fille(Fenetre::Graphique)->geometry(), QRect(W / 2, 0, W / 2, H));
    f->Action("b560")->trigger();  // montrer les messages
    VerifierLesRectangles(*f);
    QCOMPARE(f->Fille(Fenetre::Messages)->geometry(), QRect(0, 48, W / 2, H - 48));
    f->Action("m541")->trigger();  // superposées
    VerifierLesRectangles(*f);
    QVERIFY(f->Action("b540")->isChecked());
    QCOMPARE(f->Fille(Fenetre::Graphique)->geometry(), QRect(40, 0, W - 40, H));
    f->Action("b580")->trigger();  // l'éditeur
    VerifierLesRectangles(*f);
    QCOMPARE(f->Fille(Fenetre::Editeur)->geometry(), QRect(0, 0, W - 40, H - 40));
    QVERIFY(f->Editeur()->hasFocus());
    QVERIFY(f->Action("b580")->isChecked());
    f->Action("b550")->trigger();  // juxtaposées
    VerifierLesRectangles(*f);
    QCOMPARE(f->Fille(Fenetre::Messages)->geometry(), QRect(0, H - 250, W / 2, 250));
    f->Action("b570")->trigger();  // messages cachés : l'éditeur prend toute la hauteur
    VerifierLesRectangles(*f);
    QCOMPARE(f->Fille(Fenetre::Editeur)->geometry(), QRect(0, 0, W / 2, H));
    // Enregistrer suit l'état « modifié » de l'éditeur quand il a le clavier.
    QVERIFY(!f->Action("b24333")->isEnabled());
    QTest::keyClicks(f->Editeur(), QStringLiteral("av(1);"));
    QVERIFY(f->Action("b24333")->isEnabled());
    f->Action("m591")->trigger();  // retour en ligne de commande
    VerifierLesRectangles(*f);
    QVERIFY(f->Ligne()->hasFocus());
    QVERIFY(!f->Action("b24331")->isEnabled() && !f->Action("b24332")->isEnabled() &&
            !f->Action("b24333")->isEnabled());
    QVERIFY(f->Action("b590")->isChecked());
}

void TestFenetre::fillesQuiRefusentDeFermer() {
    auto f = FenetreDemarree();
    f->MontrerLesMessages();
    QVERIFY(f->Fille(Fenetre::Messages)->isVisible());
    // Fermer les messages, c'est les cacher, et les boutons suivent.
    f->Fille(Fenetre::Messages)->close();
    QVERIFY(!f->Fille(Fenetre::Messages)->isVisible());
    QVERIFY(f->Action("b570")->isChecked());
    QVERIFY(f->Hote().Journal().isEmpty());
    f->Fille(Fenetre::Graphique)->close();
    QVERIFY(f->Fille(Fenetre::Graphique)->isVisible());
    QCOMPARE(
        f->Hote().Journal().value(0),
        QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | La fenêtre graphique de la tortue ne peut être fermée."));
    f->Fille(Fenetre::LigneDeCommande)->close();
    QVERIFY(f->Fille(Fenetre::LigneDeCommande)->isVisible());
    QCOMPARE(f->Hote().Journal().value(1),
             QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Cette fenêtre éditeur ne peut être fermée."));
    // Le titre revient à celui de la table quand la fille reprend le clavier.
    f->Fille(Fenetre::Graphique)->setWindowTitle(QStringLiteral("12"));
    f->Graphique()->setFocus();
    QCOMPARE(f->Fille(Fenetre::Graphique)->windowTitle(), QStringLiteral("Fenêtre graphique de la tortue"));
}

// Compte les peintures d'un widget.
class CompteurDePeintures : public QObject {
public:
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++n;
        return false;
    }
};

void TestFenetre::arreterUneBoucleSansFin() {
    auto f = FenetreDemarree();
    CompteurDePeintures peintures;
    f->Graphique()->viewport()->installEventFilter(&peintures);
    f->Ligne()->setText(QStringLiteral("while (1) { av(3); td(7); }"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    // L'interface reste vive : elle repeint le dessin pendant que le programme tourne.
    QElapsedTimer chrono;
    chrono.start();
    QTest::qWait(600);
    QVERIFY(chrono.elapsed() < 2000);
    QVERIFY(f->Occupe());
    QVERIFY(f->Action("bArret")->isEnabled());
    QVERIFY(!f->Action("b600")->isEnabled());
    QVERIFY(peintures.n >= 5);
    QTest::keyClick(f->Graphique(), Qt::Key_Escape);
    QVERIFY(f->AttendreLaFin(10000));
    QVERIFY(!f->Occupe());
    QVERIFY(!f->Action("bArret")->isEnabled());
    // Le dessin est gardé.
    int noirs = 0;
    for (int y = 400; y < 600; ++y)
        for (int x = 400; x < 600; ++x) noirs += Noir(*f, x, y);
    QVERIFY(noirs > 50);
    // Et l'interprète accepte la commande suivante.
    Taper(*f, QStringLiteral("ec(7);"));
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("ec(7);\n7  \n")));
    // Un arrêt demandé avant même que la boucle ait commencé compte aussi.
    f->Ligne()->setText(QStringLiteral("while (1) { td(1); }"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    f->ArreterLeProgramme();
    QVERIFY(f->AttendreLaFin(10000));
}

void TestFenetre::uneLigneAttendQuandLInterpreteTravaille() {
    auto f = FenetreDemarree();
    f->Ligne()->setText(QStringLiteral("repete (100000000) { x = 1; }"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QTRY_VERIFY(f->Occupe());
    // Une seconde commande pendant ce temps : refusée, et la ligne tapée reste là.
    f->Ligne()->setText(QStringLiteral("av(50);"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QCOMPARE(f->Ligne()->text(), QStringLiteral("av(50);"));
    f->ArreterLeProgramme();
    QVERIFY(f->AttendreLaFin(10000));
    QVERIFY(!Noir(*f, 500, 475));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QVERIFY(f->AttendreLaFin());
    QVERIFY(Noir(*f, 500, 475));
}

void TestFenetre::erreurs() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("av(10)"));
    std::vector<BoiteErreur> boites = f->Hote().BoitesErreur();
    QCOMPARE(int(boites.size()), 1);
    QCOMPARE(DuCoeur(boites[0].titre),
             QStringLiteral("J E   N E   C O M P R E N D S   P A S   C E   Q U E   T U   M E   D I S  !"));
    QCOMPARE(boites[0].disposition, 2);
    QCOMPARE(DuCoeur(boites[0].textes[0]), QStringLiteral(" une expression suivie d'un point-virgule. "));
    QCOMPARE(DuCoeur(boites[0].textes[2]), QStringLiteral("av"));
    QCOMPARE(DuCoeur(boites[0].textes[4]), QStringLiteral("la_marque_de_fin_du_programme"));
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Je ne comprends pas le programme au niveau de : ")));
    QVERIFY(!Noir(*f, 500, 495));  // rien n'a été dessiné

    f->Hote().ViderJournal();
    Taper(*f, QStringLiteral("racine(-4);"));
    boites = f->Hote().BoitesErreur();
    QCOMPARE(int(boites.size()), 1);
    QCOMPARE(DuCoeur(boites[0].titre),
             QStringLiteral("A T T E N T I O N   E R R E U R   A   L ' E X E C U T I O N  :"));
    QCOMPARE(boites[0].disposition, 5);
    QCOMPARE(DuCoeur(boites[0].rangees[0].etiquette), QStringLiteral("Aïe erreur dans :"));
    QCOMPARE(DuCoeur(boites[0].rangees[0].texte), QStringLiteral("Racine"));
    QCOMPARE(DuCoeur(boites[0].rangees[1].texte), QStringLiteral("Evaluation de la racine d'un nombre négatif."));
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Evaluation de la racine d'un nombre négatif.\n-4 ")));
}

void TestFenetre::boiteDErreurALEcran() {
    auto f = FenetreDemarree();
    f->Hote().RepondreAutomatiquement(false);
    QString titre;
    int rangees = 0;
    QStringList vues;
    // La boîte est modale : on la lit et on appuie sur son bouton.
    QTimer guetteur;
    connect(&guetteur, &QTimer::timeout, this, [&] {
        if (auto* d = qobject_cast<BoiteErreurDialogue*>(QApplication::activeModalWidget())) {
            titre = d->windowTitle();
            rangees = int(d->Zone()->HautsDesRangees().size());
            vues << QString::number(d->Donnees().disposition);
            d->Bouton()->click();
        }
    });
    guetteur.start(20);
    f->Ligne()->setText(QStringLiteral("av(10)"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QVERIFY(f->AttendreLaFin());
    QTRY_COMPARE(vues, QStringList{QStringLiteral("2")});
    QCOMPARE(titre, QStringLiteral("J E   N E   C O M P R E N D S   P A S   C E   Q U E   T U   M E   D I S  !"));
    QCOMPARE(rangees, 5);
}

void TestFenetre::getcharLitLaFenetreGraphique() {
    auto f = FenetreDemarree();
    f->Ligne()->setText(QStringLiteral("x = getchar(); ec(x); y = getchar(); ec(y);"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QTRY_VERIFY(f->Hote().AttendUneTouche());
    QTRY_VERIFY(f->Graphique()->hasFocus());  // le clavier va à la fenêtre graphique
    QTest::keyClick(f->Graphique(), Qt::Key_Left);
    QTest::keyClick(f->Graphique(), Qt::Key_B);
    QVERIFY(f->AttendreLaFin());
    const QString m = TexteDesMessages(*f);
    QVERIFY(m.contains(QStringLiteral("touchegauche")));
    QVERIFY(m.endsWith(QStringLiteral("b  \n")));
}

void TestFenetre::laSourisDonneLePointDuChamp() {
    auto f = FenetreDemarree();
    QWidget* v = f->Graphique()->viewport();
    // Le point du champ (x, y) est au pixel (milieu + x, milieu - y) au défilement de départ.
    auto pixel = [v](int x, int y) { return QPoint(v->width() / 2 + x, v->height() / 2 - y); };
    QTest::mouseMove(v, pixel(30, 40));
    QTest::mouseMove(v, pixel(-20, 70));
    Taper(*f, QStringLiteral("ec(abscissesouris()); ec(ordonneesouris());"));
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("30  \n70  \n")));
    // Après défilement, c'est toujours le point du champ sous le pointeur.
    f->Graphique()->DefinirPositionDeDefilement(QPoint(120, 80));  // le point (100, 100) au milieu
    QTest::mouseMove(v, pixel(5, 5));
    QTest::mouseMove(v, pixel(6, 6));
    Taper(*f, QStringLiteral("ec(abscissesouris()); ec(ordonneesouris());"));
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("105  \n106  \n")));
}

void TestFenetre::reglagesDeLInterprete() {
    auto f = FenetreDemarree();
    HoteBureau& h = f->Hote();
    // Le pas à pas, messages cachés : la question, l'information, et les messages se montrent.
    h.AjouterReponse(QStringLiteral("oui"));
    f->Action("m720")->trigger();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(f->EtatInterprete().pasapas);
    QCOMPARE(h.Journal().value(0), QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Le mode 'pas à pas' est "
                                                  "désactivé. | Faut-il vraiment l'activer ?"));
    QVERIFY(h.Journal().value(1).startsWith(QStringLiteral("DIALOGUE I  N  F  O  R  M  A  T  I  O  N | Pour voir")));
    QVERIFY(f->Fille(Fenetre::Messages)->isVisible());
    // Une commande pas à pas : la boîte, « ignorer », puis « Après ».
    h.ViderJournal();
    h.AjouterReponse(QStringLiteral("ignorer"));
    Taper(*f, QStringLiteral("av(10);"));
    QVERIFY(Noir(*f, 500, 495));
    QCOMPARE(h.Journal().value(0), QStringLiteral("DIALOGUE Faut-il ABANDONNER définitivement le pas à pas? | "
                                                  "REESSAYER le pas à pas dans cette instruction ou l'IGNORER ?"));
    QCOMPARE(h.Journal().value(1), QStringLiteral("DIALOGUE Interpréteur graphique Dravo | Après"));
    // « non » ne change rien ; « oui » désactive.
    h.AjouterReponse(QStringLiteral("non"));
    f->InverserLeModePasAPas();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(f->EtatInterprete().pasapas);
    h.AjouterReponse(QStringLiteral("oui"));
    f->InverserLeModePasAPas();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(!f->EtatInterprete().pasapas);

    // L'affichage de l'analyse.
    h.AjouterReponse(QStringLiteral("oui"));
    f->InverserLAffichageDeLAnalyse();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(f->EtatInterprete().affichageAnalyse);

    // Les chocs contre le bord : libérée, la tortue sort sans alerte.
    QCOMPARE(f->EtatInterprete().champClos, 1);
    h.AjouterReponse(QStringLiteral("oui"));
    f->Action("m730")->trigger();
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(f->EtatInterprete().champClos, 0);
    h.ViderJournal();
    Taper(*f, QStringLiteral("av(600);"));
    QVERIFY(!JournalContient(*f, QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | La tortue est arrivée")));
    h.AjouterReponse(QStringLiteral("oui"));
    f->InverserLaGestionDesChocs();
    QVERIFY(f->AttendreLaFin());
    Taper(*f, QStringLiteral("origine(); av(600);"));
    QVERIFY(JournalContient(*f, QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | La tortue est arrivée")));
}

void TestFenetre::profondeurDesArbres() {
    auto f = FenetreDemarree();
    HoteBureau& h = f->Hote();
    QCOMPARE(f->EtatInterprete().profondeurArbres, 8);
    h.AjouterReponse(QStringLiteral("2"));
    f->Action("m800")->trigger();
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(h.Journal().value(0), QStringLiteral("SAISIE Profondeur d'impression d'un arbre. | (6, de 3 à 12) "
                                                  "Validez avec la touche 'Entrée'"));
    QCOMPARE(h.Journal().value(1), QStringLiteral("DIALOGUE A T T E N T I O N ! | La profondeur minimale est de 3 !"));
    QCOMPARE(f->EtatInterprete().profondeurArbres, 3);
    h.AjouterReponse(QStringLiteral("20"));
    f->SaisirLaProfondeurDImpressionDesArbres();
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(f->EtatInterprete().profondeurArbres, 20);
    h.AjouterReponse(QStringLiteral("<annuler>"));
    f->SaisirLaProfondeurDImpressionDesArbres();
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(f->EtatInterprete().profondeurArbres, 20);
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("Erreur dans SaisirLaProfondeurDImpressionDesArbres\n")));
}

void TestFenetre::fichiersDeProgrammes() {
    auto f = FenetreDemarree();
    HoteBureau& h = f->Hote();
    QTemporaryDir dossier;
    const QString premier = dossier.filePath(QStringLiteral("premier.gra"));
    {
        QFile fichier(premier);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("av(30);\n");
    }
    QStringList choix;  // ce que l'élève choisit dans les boîtes de fichiers
    f->choixDeFichier = [&choix](const QString&, const QString&, bool) {
        return choix.isEmpty() ? QString() : choix.takeFirst();
    };
    f->PasserDansLEditeur();
    QTest::keyClicks(f->Editeur(), QStringLiteral("td(45);"));
    // Ouvrir avec un texte modifié et sans nom : « oui, enregistrer », puis
    // l'enregistrement est annulé : rien n'est chargé, rien n'est perdu.
    h.AjouterReponse(QStringLiteral("oui"));
    f->ChargerUnProgramme();
    QCOMPARE(f->Editeur()->toPlainText(), QStringLiteral("td(45);"));
    QVERIFY(h.Journal().value(0).contains(QStringLiteral("Le fichier de l'éditeur de programmes a")));
    // Cette fois on l'enregistre, puis on charge l'autre.
    const QString second = dossier.filePath(QStringLiteral("second"));
    choix = {second, premier};
    h.AjouterReponse(QStringLiteral("oui"));
    f->ChargerUnProgramme();
    QCOMPARE(f->Editeur()->toPlainText(), QStringLiteral("av(30);\n"));
    QFile enregistre(second + QStringLiteral(".c"));  // le suffixe par défaut est ajouté par la boîte
    QFile sansSuffixe(second);
    QVERIFY(enregistre.exists() || sansSuffixe.exists());
    QCOMPARE(f->Editeur()->Chemin(), premier);
    QCOMPARE(f->Fille(Fenetre::Editeur)->windowTitle(), QStringLiteral("premier.gra[*]"));
    QVERIFY(!f->Fille(Fenetre::Editeur)->isWindowModified());
    // Enregistrer (Ctrl+S) écrit dans le fichier lié ; le titre perd son étoile.
    QTest::keyClicks(f->Editeur(), QStringLiteral("ec(1); "));
    QVERIFY(f->Fille(Fenetre::Editeur)->isWindowModified());
    QTest::keySequence(f->Editeur(), QKeySequence::Save);
    QVERIFY(!f->Fille(Fenetre::Editeur)->isWindowModified());
    {
        QFile relu(premier);
        QVERIFY(relu.open(QIODevice::ReadOnly));
        QVERIFY(relu.readAll().startsWith("ec(1); "));
    }
    // « charge » trouve un fichier voisin du programme de l'éditeur.
    {
        QFile voisin(dossier.filePath(QStringLiteral("voisin.c")));
        QVERIFY(voisin.open(QIODevice::WriteOnly));
        voisin.write("ec(77);\n");
    }
    f->Editeur()->setPlainText(QStringLiteral("charge('voisin.c');"));
    f->ExecuterLeProgramme();
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("\n77  \n")));
    // « Tout effacer » demande ; « non » garde tout.
    h.ViderJournal();
    h.AjouterReponse(QStringLiteral("non"));
    f->ToutEffacer();
    QVERIFY(!f->Editeur()->toPlainText().isEmpty());
    QCOMPARE(h.Journal().value(0),
             QStringLiteral(
                 "DIALOGUE A  T  T  E  N  T  I  O  N | Faut-il vraiment effacer | tout le contenu de l'éditeur ?"));
    h.AjouterReponse(QStringLiteral("oui"));
    f->ToutEffacer();
    QVERIFY(f->Editeur()->toPlainText().isEmpty());
    QCOMPARE(f->Editeur()->NomAffiche(), QStringLiteral("Sans nom"));
    // Un fichier illisible : le message, et l'éditeur garde son texte.
    QTest::keyClicks(f->Editeur(), QStringLiteral("garde"));
    h.ViderJournal();
    h.AjouterReponse(QStringLiteral("non"));
    choix = {dossier.filePath(QStringLiteral("absent.c"))};
    f->ChargerUnProgramme();
    QCOMPARE(f->Editeur()->toPlainText(), QStringLiteral("garde"));
    QVERIFY(JournalContient(*f, QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Incapable de lire le ficher ")));
}

void TestFenetre::images() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("av(100);"));
    QTemporaryDir dossier;
    QStringList choix;
    f->choixDeFichier = [&choix](const QString&, const QString&, bool) {
        return choix.isEmpty() ? QString() : choix.takeFirst();
    };
    // En PNG, sans la tortue.
    const QString png = dossier.filePath(QStringLiteral("dessin.png"));
    choix = {png};
    f->EnregistrerLImage();
    QVERIFY(f->AttendreLaFin());
    QImage lue(png);
    QCOMPARE(lue.size(), QSize(1000, 1000));
    QCOMPARE(QColor(lue.pixel(500, 450)), QColor(Qt::black));
    QCOMPARE(QColor(lue.pixel(500, 395)), QColor(Qt::white));  // la figure de la tortue n'y est pas
    // En BMP, puis relu après un « ve » : le trait revient.
    const QString bmp = dossier.filePath(QStringLiteral("dessin.bmp"));
    choix = {bmp};
    f->EnregistrerLImage();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(QFile::exists(bmp));
    Taper(*f, QStringLiteral("ve();"));
    QVERIFY(!Noir(*f, 500, 450));
    f->Hote().ViderJournal();
    f->Hote().AjouterReponse(QStringLiteral("non"));
    choix = {bmp};
    f->RetrouverUneImage();  // « non » : le dessin n'est pas touché
    QVERIFY(f->AttendreLaFin());
    QVERIFY(!Noir(*f, 500, 450));
    QCOMPARE(choix.size(), 1);
    f->Hote().AjouterReponse(QStringLiteral("oui"));
    f->RetrouverUneImage();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(Noir(*f, 500, 450));
    QCOMPARE(f->Hote().Journal().value(0), QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Le dessin de la "
                                                          "fenêtre graphique | va être effacé. Faut-il continuer ?"));
    // Le PNG enregistré se relit aussi, et le GIF tel qu'affichebitmap le lit.
    Taper(*f, QStringLiteral("ve();"));
    choix = {png};
    f->RetrouverUneImage();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(Noir(*f, 500, 450));
    choix = {QStringLiteral(QT_TESTCASE_SOURCEDIR "/../donnees/gif256.gif")};  // 16 x 16 : (17 i, 17 j, 128)
    f->RetrouverUneImage();
    QVERIFY(f->AttendreLaFin());
    QCOMPARE(f->Dessin().LirePixel(3, 984 + 5), (Couleur{51, 85, 128}));
    QVERIFY(Noir(*f, 500, 450));  // le reste du dessin est gardé
    f->Hote().ViderJournal();
    choix = {dossier.filePath(QStringLiteral("absente.png"))};
    f->RetrouverUneImage();
    QVERIFY(f->AttendreLaFin());
    QVERIFY(JournalContient(*f, QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Erreur lors de la recherche")));
}

void TestFenetre::aideEtAPropos() {
    auto f = FenetreDemarree();
    QTest::keyClick(f->Ligne(), Qt::Key_F1);
    auto* aide = f->findChild<FenetreAide*>();
    QVERIFY(aide && aide->isVisible());
    QCOMPARE(aide->Navigateur()->source(), QUrl(QStringLiteral("qrc:/aide/index.html")));
    QVERIFY(aide->Navigateur()->toPlainText().contains(QStringLiteral("Premiers pas")));
    // La page des mots connus est faite d'après la table des primitives.
    aide->Navigateur()->setSource(QUrl(QStringLiteral("primitives.html")));
    const QString mots = aide->Navigateur()->toPlainText();
    QVERIFY(mots.contains(QStringLiteral("av(a)")));
    QVERIFY(mots.contains(QStringLiteral("membre?(a, b)")));
    QVERIFY(mots.contains(QStringLiteral("La tortue et le dessin")));
    aide->Navigateur()->backward();
    QVERIFY(aide->Navigateur()->toPlainText().contains(QStringLiteral("Sommaire")));

    f->Action("m710")->trigger();
    QVERIFY(f->Hote().Journal().value(0).startsWith(
        QStringLiteral("INFORMATION A  P  R  O  P  O  S | Interpréteur   Gelim   Version 2.1 | ")));
}

void TestFenetre::quitter() {
    auto f = FenetreDemarree();
    HoteBureau& h = f->Hote();
    h.AjouterReponse(QStringLiteral("non"));
    f->Action("b24310")->trigger();
    QVERIFY(f->isVisible());
    QCOMPARE(h.Journal().value(0), QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Faut-il vraiment quitter ?"));
    // Texte modifié : une seconde question.
    f->PasserDansLEditeur();
    QTest::keyClicks(f->Editeur(), QStringLiteral("av(1);"));
    h.ViderJournal();
    h.AjouterReponse(QStringLiteral("oui"));
    h.AjouterReponse(QStringLiteral("non"));
    f->close();
    QVERIFY(f->isVisible());
    QCOMPARE(h.Journal().value(1), QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Le texte de l'éditeur a été "
                                                  "modifié ! | Faut-il vraiment quitter ?"));
    // Pendant qu'un programme tourne : il est arrêté, puis tout se ferme.
    f->PasserEnLigneDeCommande();
    f->Ligne()->setText(QStringLiteral("while (1) { td(1); }"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QTRY_VERIFY(f->Occupe());
    h.AjouterReponse(QStringLiteral("oui"));
    h.AjouterReponse(QStringLiteral("oui"));
    f->close();
    QTRY_VERIFY(!f->isVisible());
    QVERIFY(!f->Occupe());
}

void TestFenetre::unMillionDeLignes() {
    auto f = FenetreDemarree();
    f->MontrerLesMessages();
    // Le minuteur mesure les trous de l'interface pendant que le programme écrit.
    QElapsedTimer chrono;
    qint64 precedent = 0, plusLongTrou = 0;
    QTimer battement;
    connect(&battement, &QTimer::timeout, this, [&] {
        const qint64 t = chrono.elapsed();
        plusLongTrou = std::max(plusLongTrou, t - precedent);
        precedent = t;
    });
    chrono.start();
    battement.start(10);
    f->Ligne()->setText(QStringLiteral("repete (1000000) { ec(1); }"));
    QTest::keyClick(f->Ligne(), Qt::Key_Return);
    QVERIFY(f->AttendreLaFin(300000));
    battement.stop();
    QVERIFY2(plusLongTrou < 1000, qPrintable(QStringLiteral("trou de %1 ms").arg(plusLongTrou)));
    const int blocs = int(f->Messages()->NombreDeLignes());
    QVERIFY(blocs <= 200001);
    QVERIFY(blocs >= 199999);
    QVERIFY(f->Messages()->toPlainText().endsWith(QStringLiteral("1  \n1  \n")));
    // La mémoire reste bornée : le pic du processus entier, surfaces comprises
    // (sans objet sous AddressSanitizer, qui garde la mémoire rendue en quarantaine).
#ifndef __SANITIZE_ADDRESS__
    QFile etat(QStringLiteral("/proc/self/status"));
    if (etat.open(QIODevice::ReadOnly)) {
        for (const QByteArray& l : etat.readAll().split('\n'))
            if (l.startsWith("VmHWM:")) {
                const long ko = l.mid(6).trimmed().split(' ').value(0).toLong();
                QVERIFY2(ko < 400 * 1024, qPrintable(QStringLiteral("pic de %1 Ko").arg(ko)));
                qInfo("pic de mémoire : %ld Ko", ko);
            }
    }
#endif
}

GELIM_TESTS_BUREAU(TestFenetre);

}  // namespace gelim

#include "test_fenetre.moc"
