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
    void gommer();
    void dispositions();
    void fillesQuiRefusentDeFermer();
    void arreterUneBoucleSansFin();
    void uneLigneAttendQuandLInterpreteTravaille();
    void erreurs();
    void getcharLitLaFenetreGraphique();
    void laSourisDonneLePointDuChamp();
    void reglagesDeLInterprete();
    void fichiersDeProgrammes();
    void images();
    void aideEtAPropos();
    void quitter();
    void unMillionDeLignes();
};

void TestFenetre::demarrage() {
    auto fenetre = FenetreDemarree({}, {}, true);
    FenetrePrincipale& f = *fenetre;
    QVERIFY(f.Hote().Journal().value(0).startsWith(
        QStringLiteral("INFORMATION C O M M E N C E R   A V E C   L ' I N T E R P R E T E U R |  D E S S I N E R")));
    // Au départ : ligne de commande et dessin seulement, juxtaposés.
    VerifierLesFilles(f);
    QVERIFY(!f.Fille(Fenetre::Messages)->isVisible() && !f.Fille(Fenetre::Editeur)->isVisible());
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
    QVERIFY(Taper(*f, QStringLiteral("av(100); td(90);")));
    QVERIFY(f->Ligne()->text().isEmpty());
    // Le trait vertical de (0, 0) à (0, 100) : colonne 500, lignes 401 à 500.
    QVERIFY(Noir(*f, 500, 450) && Noir(*f, 500, 401) && !Noir(*f, 520, 450) && !Noir(*f, 500, 380));
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

void TestFenetre::dispositions() {
    auto f = FenetreDemarree();
    // La zone est la zone cliente du cadre ; après chaque commande, chaque fille est à sa place.
    const int W = f->Zone().width(), H = f->Zone().height();
    QVERIFY(W > 1200 && H > 700);
    const struct {
        const char *commande, *coche;
        Fenetre fille;
        QRect rect;
    } etapes[] = {
        {nullptr, "b550", Fenetre::Graphique, QRect(W / 2, 0, W / 2, H)},
        {"b560", "b560", Fenetre::Messages, QRect(0, 48, W / 2, H - 48)},    // montrer les messages
        {"m541", "b540", Fenetre::Graphique, QRect(40, 0, W - 40, H)},       // superposées
        {"b580", "b580", Fenetre::Editeur, QRect(0, 0, W - 40, H - 40)},     // l'éditeur
        {"b550", "b550", Fenetre::Messages, QRect(0, H - 250, W / 2, 250)},  // juxtaposées
        {"b570", "b570", Fenetre::Editeur, QRect(0, 0, W / 2, H)},           // messages cachés : toute la hauteur
    };
    for (const auto& e : etapes) {
        if (e.commande) f->Action(e.commande)->trigger();
        VerifierLesFilles(*f);
        QVERIFY2(f->Action(e.coche)->isChecked(), e.coche);
        QCOMPARE(f->Fille(e.fille)->geometry(), e.rect);
    }
    QVERIFY(f->Editeur()->hasFocus());
    // Enregistrer suit l'état « modifié » de l'éditeur quand il a le clavier.
    QVERIFY(!f->Action("b24333")->isEnabled());
    QTest::keyClicks(f->Editeur(), QStringLiteral("av(1);"));
    QVERIFY(f->Action("b24333")->isEnabled());
    f->Action("m591")->trigger();  // retour en ligne de commande
    VerifierLesFilles(*f);
    QVERIFY(f->Ligne()->hasFocus() && f->Action("b590")->isChecked());
    QVERIFY(!f->Action("b24331")->isEnabled() && !f->Action("b24332")->isEnabled() &&
            !f->Action("b24333")->isEnabled());
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
    for (const auto& [fille, texte] : {std::pair{Fenetre::Graphique, "La fenêtre graphique de la tortue"},
                                       {Fenetre::LigneDeCommande, "Cette fenêtre éditeur"}}) {
        f->Hote().ViderJournal();
        f->Fille(fille)->close();
        QVERIFY(f->Fille(fille)->isVisible());
        QCOMPARE(f->Hote().Journal().value(0), QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | ") +
                                                   QString::fromUtf8(texte) + QStringLiteral(" ne peut être fermée."));
    }
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
    Taper(*f, QStringLiteral("while (1) { av(3); td(7); }"), false);
    // L'interface reste vive : elle repeint le dessin pendant que le programme tourne.
    QElapsedTimer chrono;
    chrono.start();
    QTest::qWait(600);
    QVERIFY(chrono.elapsed() < 2000);
    QVERIFY(f->Occupe() && f->Action("bArret")->isEnabled() && !f->Action("b600")->isEnabled());
    QVERIFY(peintures.n >= 5);
    QTest::keyClick(f->Graphique(), Qt::Key_Escape);
    QVERIFY(f->AttendreLaFin(10000));
    QVERIFY(!f->Occupe() && !f->Action("bArret")->isEnabled());
    // Le dessin est gardé.
    int noirs = 0;
    for (int y = 400; y < 600; ++y)
        for (int x = 400; x < 600; ++x) noirs += Noir(*f, x, y);
    QVERIFY(noirs > 50);
    // Et l'interprète accepte la commande suivante.
    Taper(*f, QStringLiteral("ec(7);"));
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("ec(7);\n7  \n")));
    // Un arrêt demandé avant même que la boucle ait commencé compte aussi.
    Taper(*f, QStringLiteral("while (1) { td(1); }"), false);
    f->ArreterLeProgramme();
    QVERIFY(f->AttendreLaFin(10000));
}

void TestFenetre::uneLigneAttendQuandLInterpreteTravaille() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("repete (100000000) { x = 1; }"), false);
    QTRY_VERIFY(f->Occupe());
    // Une seconde commande pendant ce temps : refusée, et la ligne tapée reste là.
    Taper(*f, QStringLiteral("av(50);"), false);
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
    // Une faute de syntaxe : la vraie boîte, modale ; on la lit et on appuie sur son bouton.
    f->Hote().RepondreAutomatiquement(false);
    QString titre;
    int rangees = 0;
    QStringList vues;
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
    QVERIFY(Taper(*f, QStringLiteral("av(10)")));
    QTRY_COMPARE(vues, QStringList{QStringLiteral("2")});
    guetteur.stop();
    QCOMPARE(titre, QStringLiteral("J E   N E   C O M P R E N D S   P A S   C E   Q U E   T U   M E   D I S  !"));
    QCOMPARE(rangees, 5);
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Je ne comprends pas le programme au niveau de : ")));
    QVERIFY(!Noir(*f, 500, 495));  // rien n'a été dessiné
    // Une erreur à l'exécution : la boîte à rangées, et le message.
    f->Hote().RepondreAutomatiquement(true);
    f->Hote().ViderJournal();
    QVERIFY(Taper(*f, QStringLiteral("racine(-4);")));
    const std::vector<BoiteErreur> boites = f->Hote().BoitesErreur();
    QCOMPARE(int(boites.size()), 1);
    QCOMPARE(boites[0].disposition, 5);
    QCOMPARE(DuCoeur(boites[0].rangees[0].texte), QStringLiteral("Racine"));
    QCOMPARE(DuCoeur(boites[0].rangees[1].texte), QStringLiteral("Evaluation de la racine d'un nombre négatif."));
    QVERIFY(TexteDesMessages(*f).contains(QStringLiteral("Evaluation de la racine d'un nombre négatif.\n-4 ")));
}

void TestFenetre::getcharLitLaFenetreGraphique() {
    auto f = FenetreDemarree();
    Taper(*f, QStringLiteral("x = getchar(); ec(x); y = getchar(); ec(y);"), false);
    QTRY_VERIFY(f->Hote().AttendUneTouche());
    QTRY_VERIFY(f->Graphique()->hasFocus());  // le clavier va à la fenêtre graphique
    QTest::keyClick(f->Graphique(), Qt::Key_Left);
    QTest::keyClick(f->Graphique(), Qt::Key_B);
    QVERIFY(f->AttendreLaFin());
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("touchegauche  \nb  \n")));
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
    // Chaque bascule demande confirmation : « oui » bascule, « non » ne change rien.
    auto basculer = [&](const char* action, const char* reponse) {
        h.ViderJournal();
        h.AjouterReponse(QString::fromUtf8(reponse));
        f->Action(action)->trigger();
        return f->AttendreLaFin();
    };
    // Le pas à pas, messages cachés : la question, l'information, et les messages se montrent.
    QVERIFY(basculer("m720", "oui") && f->EtatInterprete().pasapas);
    QCOMPARE(h.Journal().value(0), QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | Le mode 'pas à pas' est "
                                                  "désactivé. | Faut-il vraiment l'activer ?"));
    QVERIFY(h.Journal().value(1).startsWith(QStringLiteral("DIALOGUE I  N  F  O  R  M  A  T  I  O  N | Pour voir")));
    QVERIFY(f->Fille(Fenetre::Messages)->isVisible());
    // Une commande pas à pas : la boîte, « ignorer », puis « Après ».
    h.ViderJournal();
    h.AjouterReponse(QStringLiteral("ignorer"));
    QVERIFY(Taper(*f, QStringLiteral("av(10);")) && Noir(*f, 500, 495));
    QCOMPARE(h.Journal().value(0), QStringLiteral("DIALOGUE Faut-il ABANDONNER définitivement le pas à pas? | "
                                                  "REESSAYER le pas à pas dans cette instruction ou l'IGNORER ?"));
    QCOMPARE(h.Journal().value(1), QStringLiteral("DIALOGUE Interpréteur graphique Dravo | Après"));
    QVERIFY(basculer("m720", "non") && f->EtatInterprete().pasapas);
    QVERIFY(basculer("m720", "oui") && !f->EtatInterprete().pasapas);
    QVERIFY(basculer("m725", "oui") && f->EtatInterprete().affichageAnalyse);
    // Les chocs contre le bord : libérée, la tortue sort sans alerte ; enfermée, l'alerte.
    for (bool clos : {false, true}) {
        QVERIFY(basculer("m730", "oui"));
        QCOMPARE(f->EtatInterprete().champClos, int(clos));
        QVERIFY(Taper(*f, QStringLiteral("origine(); av(600);")));
        QCOMPARE(JournalContient(*f, QStringLiteral("DIALOGUE A  T  T  E  N  T  I  O  N | La tortue est arrivée")),
                 clos);
    }
    // La profondeur d'impression des arbres : au moins 3.
    QCOMPARE(f->EtatInterprete().profondeurArbres, 8);
    QVERIFY(basculer("m800", "2"));
    QCOMPARE(h.Journal().value(0), QStringLiteral("SAISIE Profondeur d'impression d'un arbre. | (6, de 3 à 12) "
                                                  "Validez avec la touche 'Entrée'"));
    QCOMPARE(h.Journal().value(1), QStringLiteral("DIALOGUE A T T E N T I O N ! | La profondeur minimale est de 3 !"));
    QCOMPARE(f->EtatInterprete().profondeurArbres, 3);
    for (const char* reponse : {"20", "<annuler>"}) {  // l'annulation garde la valeur
        h.AjouterReponse(QString::fromUtf8(reponse));
        f->SaisirLaProfondeurDImpressionDesArbres();
        QVERIFY(f->AttendreLaFin());
        QCOMPARE(f->EtatInterprete().profondeurArbres, 20);
    }
    QVERIFY(TexteDesMessages(*f).endsWith(QStringLiteral("Erreur dans SaisirLaProfondeurDImpressionDesArbres\n")));
}

void TestFenetre::fichiersDeProgrammes() {
    auto f = FenetreDemarree();
    HoteBureau& h = f->Hote();
    QTemporaryDir dossier;
    const QString premier = dossier.filePath(QStringLiteral("premier.gra"));
    QVERIFY(EcrireLeFichier(premier, "av(30);\n"));
    QStringList choix;  // ce que l'élève choisit dans les boîtes de fichiers
    ChoisirLesFichiers(*f, choix);
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
    QVERIFY(QFile::exists(second + QStringLiteral(".c")) || QFile::exists(second));  // suffixe ajouté par la boîte
    QCOMPARE(f->Editeur()->Chemin(), premier);
    QCOMPARE(f->Fille(Fenetre::Editeur)->windowTitle(), QStringLiteral("premier.gra[*]"));
    QVERIFY(!f->Fille(Fenetre::Editeur)->isWindowModified());
    // Enregistrer (Ctrl+S) écrit dans le fichier lié ; le titre perd son étoile.
    QTest::keyClicks(f->Editeur(), QStringLiteral("ec(1); "));
    QVERIFY(f->Fille(Fenetre::Editeur)->isWindowModified());
    QTest::keySequence(f->Editeur(), QKeySequence::Save);
    QVERIFY(!f->Fille(Fenetre::Editeur)->isWindowModified());
    QVERIFY(LireLeFichier(premier).startsWith("ec(1); "));
    // « charge » trouve un fichier voisin du programme de l'éditeur.
    QVERIFY(EcrireLeFichier(dossier.filePath(QStringLiteral("voisin.c")), "ec(77);\n"));
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
    QVERIFY(Taper(*f, QStringLiteral("av(100);")));
    QTemporaryDir dossier;
    QStringList choix;
    ChoisirLesFichiers(*f, choix);
    // En PNG et en BMP, sans la figure de la tortue.
    const QString png = dossier.filePath(QStringLiteral("dessin.png")), bmp = dossier.filePath(QStringLiteral("d.bmp"));
    for (const QString& chemin : {png, bmp}) {
        choix = {chemin};
        f->EnregistrerLImage();
        QVERIFY(f->AttendreLaFin());
        const QImage lue(chemin);
        QCOMPARE(lue.size(), QSize(1000, 1000));
        QCOMPARE(QColor(lue.pixel(500, 450)), QColor(Qt::black));
        QCOMPARE(QColor(lue.pixel(500, 395)), QColor(Qt::white));
    }
    // Relu après un « ve » : « non » ne touche pas le dessin, « oui » ramène le trait.
    QVERIFY(Taper(*f, QStringLiteral("ve();")));
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
    QVERIFY(Taper(*f, QStringLiteral("ve();")));
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
    // La page des mots connus est faite d'après la table des primitives.
    aide->Navigateur()->setSource(QUrl(QStringLiteral("primitives.html")));
    const QString mots = aide->Navigateur()->toPlainText();
    for (const char* mot : {"av(a)", "membre?(a, b)", "La tortue et le dessin"})
        QVERIFY2(mots.contains(QString::fromUtf8(mot)), mot);
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
    Taper(*f, QStringLiteral("while (1) { td(1); }"), false);
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
    Taper(*f, QStringLiteral("repete (1000000) { ec(1); }"), false);
    QVERIFY(f->AttendreLaFin(300000));
    battement.stop();
    QVERIFY2(plusLongTrou < 1000, qPrintable(QStringLiteral("trou de %1 ms").arg(plusLongTrou)));
    QVERIFY(qAbs(int(f->Messages()->NombreDeLignes()) - 200000) <= 1);
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
