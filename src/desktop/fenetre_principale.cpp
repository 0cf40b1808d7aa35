// La fenêtre principale du bureau et ses commandes.
#include "desktop/fenetre_principale.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolBar>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

#include "desktop/aide.h"
#include "desktop/editeur.h"
#include "desktop/fenetre_graphique.h"
#include "desktop/hote_bureau.h"
#include "desktop/images_bureau.h"
#include "desktop/impression.h"
#include "desktop/ligne_commande.h"
#include "desktop/panneau_variables.h"
#include "desktop/secours.h"
#include "desktop/vue_messages.h"
#include "rendu/enregistrer_image.h"
#include "shell/chemins.h"
#include "shell/configuration.h"
#include "shell/pilote.h"
#include "text/messages.h"
#include "turtle/tortue.h"

namespace gelim {

static const QString kAttention = QStringLiteral("A  T  T  E  N  T  I  O  N");

static const char* const kTitres[4] = {"Fenêtre graphique de la tortue", "Fenêtre des messages de l'interpréteur", "",
                                       "Ligne de commande en mode direct"};

static const QString kFiltreProgrammes = QStringLiteral(
    "C *.c|*.c|3D|*.3D|256 couleurs|*.256|Affectation|*.don|Graphisme|*.gra|Jeux|*.jeu|Itératif|*.ite|"
    "Listes|*.lst|Langage Naturel|*.ln|Musique|*.mus|Numérique|*.num|Perspective|*.per|Procédures|*.FDU|"
    "Récursif|*.rec|Tous fichiers *.*|*.*|");

// Le filtre de l'ouverture : « Tous les programmes » d'abord, puis la liste.
static QString FiltreDesProgrammesALOuverture() {
    const QStringList morceaux = kFiltreProgrammes.split(QLatin1Char('|'));
    QStringList motifs;
    for (int i = 1; i < morceaux.size(); i += 2)
        if (morceaux[i] != QStringLiteral("*.*") && !morceaux[i].isEmpty()) motifs << morceaux[i];
    return QStringLiteral("Tous les programmes|") + motifs.join(QLatin1Char(';')) + QLatin1Char('|') +
           kFiltreProgrammes;
}

QString FiltreDeFichiers(const QString& filtre) {
    const QStringList morceaux = filtre.split(QLatin1Char('|'));
    QStringList sortie;
    for (int i = 0; i + 1 < morceaux.size(); i += 2) {
        const QString motif = morceaux[i + 1];
        if (morceaux[i].isEmpty() && motif.isEmpty()) continue;
        QStringList motifs;
        for (const QString& m : motif.split(QLatin1Char(';'))) {
            for (const QString& v : {m, m.toLower(), m.toUpper()})
                if (!motifs.contains(v)) motifs << v;
        }
        sortie << morceaux[i] + QStringLiteral(" (") + motifs.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return sortie.join(QStringLiteral(";;"));
}

// Le nom du programme ; une étoile le suit tant que le texte n'est pas enregistré.
static QString TitreDeLEditeur(const EditeurDeProgramme& e) {
    return e.NomAffiche() + QStringLiteral("[*]");
}

// ------------------------------------------------------------ filles

SousFenetre::SousFenetre(Fenetre role, QWidget* interieur, FenetrePrincipale* cadre)
    : QMdiSubWindow(nullptr), role_(role), cadre_(cadre) {
    setWidget(interieur);
    // Ni réduire ni agrandir : une fille réduite ou agrandie cachait le dessin.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(QIcon(QStringLiteral(":/icones/gelim.png")));
}

void SousFenetre::closeEvent(QCloseEvent* e) {
    cadre_->FermetureDUneFille(this, e);
}

void SousFenetre::changeEvent(QEvent* e) {
    QMdiSubWindow::changeEvent(e);
    // Un état réduit ou agrandi (double clic, raccourci du système) est refusé :
    // la fille revient à sa place, après l'événement en cours.
    if (e->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        QTimer::singleShot(0, cadre_, &FenetrePrincipale::ReplacerLesFenetres);
}

// ------------------------------------------------------------ construction

FenetrePrincipale::FenetrePrincipale(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Interpréteur graphique Dravo"));
    setWindowIcon(QIcon(QStringLiteral(":/icones/gelim.png")));
    hote_ = new HoteBureau(this);
    hote_->DefinirFenetreParente(this);

    CreerLesFilles();
    CreerLesActions();
    CreerLesMenus();
    CreerLaBarreDeBoutons();
    CreerLeRegard();
    InstallerLesMenus();

    texteDEtat_ = new QLabel(this);
    horloge_ = new QLabel(this);
    statusBar()->addWidget(texteDEtat_, 1);
    statusBar()->addPermanentWidget(horloge_);
    connect(&minuteurHorloge_, &QTimer::timeout, this,
            [this] { horloge_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); });
    minuteurHorloge_.start(1000);
    horloge_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));

    connect(&minuteur_, &QTimer::timeout, this, &FenetrePrincipale::Rafraichir);
    minuteur_.start(30);
    connect(qApp, &QApplication::focusChanged, this, &FenetrePrincipale::FocusChange);
    connect(hote_, &HoteBureau::BoiteModale, this, [this](bool ouverte) {
        boiteModale_ = ouverte;
        ActualiserLesActions();
    });
    // Échap arrête le programme, quel que soit ce qui a le clavier (un menu refermé compris).
    qApp->installEventFilter(this);
    connect(hote_, &HoteBureau::AttenteDeTouche, this, [this](bool attend) {
        if (!attend) return;
        graphique_->setFocus();
        statusBar()->showMessage(
            QStringLiteral("Le programme attend une touche ou un clic dans la fenêtre graphique de la tortue."), 5000);
    });

    for (SurfaceQImage* s : {&dessin_, &vue_, &precedent_}) s->RendreLeTexteToutDeSuite();
    // L'interprète naît sur son fil dès maintenant (pendant la boîte de démarrage).
    travailleur_ = new Travailleur(*hote_, dessin_, vue_, precedent_, this);
    connect(travailleur_, &Travailleur::TacheFinie, this, &FenetrePrincipale::TacheFinie);
    Lancer([](Interp&) {});
    ActualiserLesActions();
}

FenetrePrincipale::~FenetrePrincipale() {
    minuteur_.stop();
    qApp->removeEventFilter(this);
    // Les filles meurent après cette partie de l'objet : plus d'appel vers elle.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    mdi_->disconnect(this);
    editeur_->disconnect(this);
    editeur_->document()->disconnect(this);
    // Le fil de travail se termine avant que les surfaces et l'hôte disparaissent.
    delete travailleur_;
    travailleur_ = nullptr;
}

void FenetrePrincipale::CreerLesFilles() {
    mdi_ = new QMdiArea(this);
    // Le cadre place ses filles dans sa zone cliente : rien à faire défiler.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->viewport()->installEventFilter(this);
    setCentralWidget(mdi_);

    graphique_ = new FenetreGraphique(vue_, dessin_, *hote_);
    editeur_ = new EditeurDeProgramme;
    messages_ = new VueMessages;
    ligne_ = new LigneDeCommande;
    QWidget* interieurs[4] = {graphique_, messages_, editeur_, ligne_};
    // Dans l'ordre de création : graphique, éditeur, messages, ligne de commande.
    for (Fenetre f : {Fenetre::Graphique, Fenetre::Editeur, Fenetre::Messages, Fenetre::LigneDeCommande}) {
        auto* fille = new SousFenetre(f, interieurs[int(f)], this);
        filles_[int(f)] = fille;
        mdi_->addSubWindow(fille);
        fille->setWindowTitle(f == Fenetre::Editeur ? TitreDeLEditeur(*editeur_) : QString::fromUtf8(kTitres[int(f)]));
        fille->hide();
    }
    graphique_->DefinirCadre(Fille(Fenetre::Graphique));
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (auto* f = qobject_cast<SousFenetre*>(w)) RetablirLeTitre(f->Role());
    });
    connect(graphique_, &FenetreGraphique::ArretDemande, this, &FenetrePrincipale::ArreterLeProgramme);
    connect(ligne_, &LigneDeCommande::ArretDemande, this, &FenetrePrincipale::ArreterLeProgramme);
    connect(ligne_, &LigneDeCommande::Valider, this, &FenetrePrincipale::ValiderLaLigne);
    connect(editeur_->document(), &QTextDocument::modificationChanged, this,
            &FenetrePrincipale::ActualiserLesBoutonsDeFichier);
    connect(editeur_, &EditeurDeProgramme::ToucheRelachee, this, &FenetrePrincipale::ActualiserLesBoutonsDeFichier);
    connect(editeur_, &EditeurDeProgramme::TexteIntrouvable, this, [this](const QString& motif) {
        hote_->Alerte(QStringLiteral("R  E  C  H  E  R  C  H  E"),
                      {QStringLiteral("Je ne trouve pas le texte :"), QStringLiteral("« %1 »").arg(motif)});
    });
    connect(editeur_->document(), &QTextDocument::modificationChanged, this,
            [this](bool modifie) { Fille(Fenetre::Editeur)->setWindowModified(modifie); });
    secours_ = new Secours(editeur_, this);
    recherche_ = new BoiteRecherche(editeur_, this);
    aide_ = new FenetreAide(this);
}

QAction* FenetrePrincipale::NouvelleAction(const QString& nom, const QString& texte, const QString& icone,
                                           const QString& aide, void (FenetrePrincipale::*commande)()) {
    auto* a = new QAction(texte, this);
    a->setObjectName(nom);
    if (!icone.isEmpty()) a->setIcon(QIcon(QStringLiteral(":/icones/%1.png").arg(icone)));
    a->setStatusTip(aide);
    a->setToolTip(QString(texte).remove(QLatin1Char('&')).trimmed());
    if (commande) connect(a, &QAction::triggered, this, commande);
    actions_.insert(nom, a);
    return a;
}

// Les commandes, une action par identifiant : les boutons (préfixe « b ») et
// les articles de menus (préfixe « m ») appellent le même traitement.
void FenetrePrincipale::CreerLesActions() {
    using F = FenetrePrincipale;
    struct Def {
        const char* noms;  // identifiants séparés par des blancs
        const char* texte;
        const char* icone;
        const char* aide;
        void (F::*commande)();
    };
    const Def defs[] = {
        {"b24310 m501 m700", "&Quitter  Gelim", "quitter", "Quitte l'interpréteur Gelim", nullptr},
        {"b24331 m511", "&Editer un nouveau programme", "nouveau", "Efface l'éditeur pour écrire un nouveau programme",
         &F::EditerUnNouveauProgramme},
        {"b24332 m521", "&Charge un programme du disque dur dans l'éditeur...", "ouvrir",
         "Charge dans l'éditeur un programme enregistré sur le disque", &F::ChargerUnProgramme},
        {"b24333 m531", "E&nregistrer ce programme sur le disque dur", "enregistrer",
         "Enregistre le programme de l'éditeur dans son fichier", nullptr},
        {"m24334", "En&registrer ce programme sous un nouveau nom...", "", "Enregistre le programme sous un autre nom",
         nullptr},
        {"m740", "&Enregistrer le travail sur cette image", "image_enregistrer",
         "Enregistre le dessin de la tortue dans un fichier image", &F::EnregistrerLImage},
        {"m750", "&Retrouver une image déjà travaillée", "image_charger",
         "Remplace le dessin de la tortue par une image enregistrée", &F::RetrouverUneImage},
        {"m760", "&Imprimer la fenêtre graphique de la tortue", "imprimer", "Imprime le dessin de la tortue", nullptr},
        {"m770", "&Imprimer en grand la fenêtre de la tortue", "imprimer_grand", "Imprime le dessin en grand", nullptr},
        {"b610 m611", "&Gommer la dernière instruction", "gommer",
         "Efface ce qu'a dessiné la dernière instruction de la ligne de commande", &F::GommerLaDerniereInstruction},
        {"b550 m551", "&Afficher les fenêtres &Juxtaposées ", "juxtaposees", "Les textes à gauche, le dessin à droite",
         &F::Juxtaposer},
        {"b540 m541", "&Afficher les fenêtres &Superposées", "superposees", "Les fenêtres l'une sur l'autre",
         &F::Superposer},
        {"b560 m561", "&Afficher la fenêtre des messages de Gelim", "montrer_messages",
         "Montre la fenêtre des messages de l'interpréteur", &F::MontrerLesMessages},
        {"b570 m571", "&Cacher la fenêtre des messages de Gelim", "cacher_messages",
         "Cache la fenêtre des messages de l'interpréteur", &F::CacherLesMessages},
        {"b580 m581", "&Passer dans l'éditeur", "editeur", "Travaille dans l'éditeur de programmes",
         &F::PasserDansLEditeur},
        {"b590 m591", "&Passer en ligne de commande", "ligne_commande",
         "Travaille dans la ligne de commande, une instruction à la fois", &F::PasserEnLigneDeCommande},
        {"b600 m601", "&Exécuter le programe", "executer", "Exécute la ligne de commande, ou le programme de l'éditeur",
         &F::ExecuterLeProgramme},
        {"bArret", "&Arrêter le programme", "arreter", "Arrête le programme en cours (touche Échap)",
         &F::ArreterLeProgramme},
        {"m720", "&Inverser le mode 'pas à pas'", "pas_a_pas", "Arrête ou non l'interpréteur à chaque instruction",
         &F::InverserLeModePasAPas},
        {"m725", "I&nverser l'affichage de l'analyse", "analyse",
         "Montre ou non l'analyse de tes programmes dans la fenêtre des messages", &F::InverserLAffichageDeLAnalyse},
        {"m730", "In&verse la gestion des chocs 'Tortue/Bord'", "chocs",
         "Enferme ou libère la tortue dans le cadre du dessin", &F::InverserLaGestionDesChocs},
        {"m800", "&Saisir la profondeur d'impression des arbres", "profondeur",
         "Choisit jusqu'à quelle profondeur les arbres sont imprimés", &F::SaisirLaProfondeurDImpressionDesArbres},
        {"b620 m621", "&Obtenir de l'aide", "aide", "Ouvre l'aide de Gelim", &F::OuvrirLAide},
        // Les articles du haut de la barre de menus : des mots, sans image.
        {"t581", "&Passer dans l'éditeur", "", "Travaille dans l'éditeur de programmes", &F::PasserDansLEditeur},
        {"t590", "&Passer en ligne de commande", "", "Travaille dans la ligne de commande, une instruction à la fois",
         &F::PasserEnLigneDeCommande},
        {"m710", "À &propos", "", "Qui suis-je ?", &F::APropos},
        {"m24321", "&Annuler", "", "Annule la dernière action", nullptr},
        {"m24322", "Co&uper", "", "Coupe la sélection et la met dans le presse-papiers", nullptr},
        {"m24323", "&Copier", "", "Copie la sélection dans le presse-papiers", nullptr},
        {"m24324", "C&oller", "", "Insère le contenu du presse-papiers", nullptr},
        {"m24325", "&Effacer", "", "Efface la sélection", nullptr},
        {"m780", "&Tout effacer", "tout_effacer", "Efface tout le contenu de l'éditeur", &F::ToutEffacer},
        {"m24351", "&Chercher...", "chercher", "Recherche le texte spécifié", nullptr},
        {"m24352", "&Remplacer...", "", "Remplace le texte spécifié par un autre", nullptr},
        {"m24353", "&Suivant", "", "Recherche la suite du texte spécifié", nullptr},
    };
    for (const Def& d : defs)
        for (const QString& nom : QString::fromUtf8(d.noms).split(QLatin1Char(' ')))
            NouvelleAction(nom, QString::fromUtf8(d.texte), QString::fromUtf8(d.icone), QString::fromUtf8(d.aide),
                           d.commande);

    for (const char* nom : {"b24310", "m501", "m700"}) connect(Action(nom), &QAction::triggered, this, &QWidget::close);
    for (const char* nom : {"b24333", "m531"})
        connect(Action(nom), &QAction::triggered, this, [this] { EnregistrerLeProgramme(); });
    connect(Action("m24334"), &QAction::triggered, this, [this] { EnregistrerLeProgrammeSous(); });
    connect(Action("m760"), &QAction::triggered, this, [this] { Imprimer(false); });
    connect(Action("m770"), &QAction::triggered, this, [this] { Imprimer(true); });

    // Édition : sur le texte qui a le clavier, l'éditeur sinon.
    auto texteActif = [this]() -> QWidget* {
        QWidget* f = QApplication::focusWidget();
        if (f == ligne_ || f == messages_) return f;
        return editeur_;
    };
    connect(Action("m24321"), &QAction::triggered, this, [this] { editeur_->undo(); });
    connect(Action("m24322"), &QAction::triggered, this, [texteActif] {
        if (auto* l = qobject_cast<QLineEdit*>(texteActif()))
            l->cut();
        else if (auto* t = qobject_cast<QPlainTextEdit*>(texteActif()))
            t->cut();
    });
    connect(Action("m24323"), &QAction::triggered, this, [texteActif] {
        if (auto* l = qobject_cast<QLineEdit*>(texteActif()))
            l->copy();
        else if (auto* m = qobject_cast<VueMessages*>(texteActif()))
            m->Copier();
        else if (auto* t = qobject_cast<QPlainTextEdit*>(texteActif()))
            t->copy();
    });
    connect(Action("m24324"), &QAction::triggered, this, [this, texteActif] {
        if (auto* l = qobject_cast<QLineEdit*>(texteActif()))
            l->paste();
        else
            editeur_->paste();
    });
    connect(Action("m24325"), &QAction::triggered, this, [this] { editeur_->textCursor().removeSelectedText(); });
    connect(Action("m24351"), &QAction::triggered, this, [this] { recherche_->Ouvrir(false); });
    connect(Action("m24352"), &QAction::triggered, this, [this] { recherche_->Ouvrir(true); });
    connect(Action("m24353"), &QAction::triggered, this, [this] {
        if (editeur_->DerniereRecherche().isEmpty())
            recherche_->Ouvrir(false);
        else
            editeur_->ChercherSuivant();
    });

    Action("m24321")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Action("m24322")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Action("m24323")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Action("m24324")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    Action("m24325")->setShortcut(QKeySequence(Qt::Key_Delete));
    Action("m780")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    Action("m24353")->setShortcut(QKeySequence(Qt::Key_F3));
    Action("m531")->setShortcut(QKeySequence::Save);  // Ctrl+S ; « sous un nouveau nom » pour un texte sans nom
    // Les raccourcis d'édition ne valent que dans l'éditeur (Suppr dans la
    // fenêtre graphique n'efface pas le programme).
    for (const char* nom :
         {"m24321", "m24322", "m24323", "m24324", "m24325", "m780", "m24351", "m24352", "m24353", "m531"}) {
        Action(nom)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        editeur_->addAction(Action(nom));
    }
    Action("m621")->setShortcut(QKeySequence(Qt::Key_F1));
    Action("bArret")->setShortcut(QKeySequence(Qt::Key_Escape));
    // F1, Échap et F3 marchent quel que soit le menu installé.
    for (const char* nom : {"m621", "bArret"}) {
        Action(nom)->setShortcutContext(Qt::ApplicationShortcut);
        addAction(Action(nom));
    }

    // Les paires exclusives de la barre de boutons.
    for (auto paire : {std::pair{"b540", "b550"}, std::pair{"b560", "b570"}, std::pair{"b580", "b590"}}) {
        auto* groupe = new QActionGroup(this);
        for (const char* nom : {paire.first, paire.second}) {
            Action(nom)->setCheckable(true);
            groupe->addAction(Action(nom));
        }
    }
}

void FenetrePrincipale::CreerLesMenus() {
    auto menu = [this](const QString& titre, std::initializer_list<const char*> noms) {
        auto* m = new QMenu(titre, this);
        for (const char* nom : noms) {
            if (!*nom)
                m->addSeparator();
            else
                m->addAction(Action(QString::fromUtf8(nom)));
        }
        return m;
    };
    menuProgramme_ = menu(QStringLiteral("&Fichier"),
                          {"m511", "m521", "m531", "m24334", "", "m740", "m750", "", "m760", "m770", "", "m700"});
    menuFichier_ = menu(QStringLiteral("&Fichier"), {"m740", "m750", "m611", "m760", "m770", "m501"});
    menuReglages_ = menu(QStringLiteral("&Réglages"),
                         {"m551", "m541", "m561", "m571", "m720", "m725", "m730", "m581", "m591", "m800"});
    menuEditer_ = menu(QStringLiteral("&Editer"), {"m24321", "m24322", "m24323", "m24324", "m24325", "m780"});
    menuChercher_ = menu(QStringLiteral("&Chercher"), {"m24351", "m24352", "m24353"});
    menuExecution_ = menu(QStringLiteral("E&xécution"), {"m601", "bArret", "", "m621"});
}

// Les menus du mode courant ; les deux barres sont faites une fois pour toutes.
void FenetrePrincipale::InstallerLesMenus() {
    QMenuBar* barre = menuBar();
    barre->clear();
    if (reglages_.mode == 1) {
        barre->addMenu(menuProgramme_);
        barre->addAction(Action("t590"));
        barre->addMenu(menuReglages_);
        barre->addAction(Action("m710"));
        barre->addMenu(menuEditer_);
        barre->addMenu(menuChercher_);
        barre->addMenu(menuExecution_);
    } else {
        barre->addMenu(menuFichier_);
        barre->addAction(Action("t581"));
        barre->addMenu(menuReglages_);
        barre->addAction(Action("m710"));
        barre->addMenu(menuExecution_);
    }
}

void FenetrePrincipale::CreerLaBarreDeBoutons() {
    barre_ = addToolBar(QStringLiteral("Boutons"));
    barre_->setObjectName(QStringLiteral("barreDeBoutons"));
    barre_->setIconSize(QSize(32, 32));
    barre_->setMovable(false);
    barre_->installEventFilter(this);
    auto espace = [this](int n) {
        auto* w = new QWidget(barre_);
        w->setFixedWidth(0);
        barre_->addWidget(w);
        espaces_.emplace_back(w, n);
    };
    barre_->addAction(Action("b24310"));
    espace(3);
    barre_->addAction(Action("b24331"));
    espace(1);
    barre_->addAction(Action("b24332"));
    espace(1);
    barre_->addAction(Action("b24333"));
    espace(3);
    barre_->addAction(Action("b540"));
    barre_->addAction(Action("b550"));
    espace(3);
    barre_->addAction(Action("b560"));
    barre_->addAction(Action("b570"));
    espace(3);
    barre_->addAction(Action("b580"));
    barre_->addAction(Action("b590"));
    espace(3);
    barre_->addAction(Action("b600"));
    barre_->addAction(Action("bArret"));
    espace(3);
    barre_->addAction(Action("b610"));
    espace(3);
    barre_->addAction(Action("b620"));
    espace(1);
    SynchroniserLesPaires();
}

// Les espaces se partagent ce que les boutons laissent de la largeur du cadre :
// la barre s'étale sur un écran large, et sur un cadre étroit aucun bouton ne
// passe derrière la flèche de débordement.
void FenetrePrincipale::AjusterLaBarreDeBoutons() {
    int boutons = 0, elements = 0;
    for (QAction* a : barre_->actions()) {
        QWidget* w = barre_->widgetForAction(a);
        if (!w) continue;
        ++elements;
        const bool estUnEspace =
            std::any_of(espaces_.begin(), espaces_.end(), [w](const auto& e) { return e.first == w; });
        if (!estUnEspace) boutons += w->sizeHint().width();
    }
    const QStyle* st = barre_->style();
    const int marges = 2 * (st->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, barre_) +
                            st->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, barre_)) +
                       elements * st->pixelMetric(QStyle::PM_ToolBarItemSpacing, nullptr, barre_) + 8;
    const int unite = LargeurSeparateur(barre_->width(), boutons + marges);
    for (const auto& [w, n] : espaces_) w->setFixedWidth(n * unite);
}

// ------------------------------------------------------------ démarrage

void FenetrePrincipale::Demarrer() {
    // La ligne de commande d'abord, avec le clavier, puis la boîte, puis le reste.
    SousFenetre* ligne = Fille(Fenetre::LigneDeCommande);
    ligne->setGeometry(CalculerLesRectangles(reglages_, Zone()).ligneDeCommande);
    ligne->show();
    mdi_->setActiveSubWindow(ligne);
    ligne_->setFocus();
    QStringList lignes;
    for (const std::string& l : LignesDemarrage()) lignes << DuCoeur(l);
    hote_->BoiteInformation(DuCoeur(TitreDemarrage()), lignes);
    demarre_ = true;
    AjusterLaBarreDeBoutons();
    PlacerLesFenetres();
    Lancer([](Interp& I) {
        DemarrerInterprete(I);
        ExecuterLaCommandeEnAttente(I);  // le premier affichage : cadre et tortue
    });
    if (secours_->Ouvrir(dossierDeSecours_.isEmpty() ? Secours::DossierParDefaut() : dossierDeSecours_))
        ProposerLeTexteNonEnregistre();
}

// Un texte que la séance d'avant n'a pas enregistré est offert à nouveau.
void FenetrePrincipale::ProposerLeTexteNonEnregistre() {
    Secours::TexteEnAttente t;
    if (!secours_->LireLeTexteEnAttente(t)) return;
    const QString nom = t.chemin.isEmpty() ? QStringLiteral("Sans nom") : QFileInfo(t.chemin).fileName();
    if (!hote_->Question(kAttention, {QStringLiteral("Le programme « %1 » n'a pas été enregistré.").arg(nom),
                                      QStringLiteral("Reprendre le programme non enregistré ?")})) {
        secours_->Oublier();
        return;
    }
    // Le texte revient, lié à son fichier s'il existe encore, et reste « modifié ».
    if (t.chemin.isEmpty() || !editeur_->Charger(t.chemin)) editeur_->OublierLeFichier();
    editeur_->setPlainText(t.texte);
    editeur_->document()->setModified(true);
    if (reglages_.mode != 1) PasserDansLEditeur();
    RetablirLeTitre(Fenetre::Editeur);
    ActualiserLesBoutonsDeFichier();
}

QSize FenetrePrincipale::Zone() const {
    return mdi_->viewport()->size();
}

bool FenetrePrincipale::AttendreLaFin(int delaiMs) {
    QElapsedTimer chrono;
    chrono.start();
    while (Occupe() || hote_->MessagesEnAttente()) {
        // Une petite boucle qui dort entre les événements, sans tourner à vide.
        QEventLoop boucle;
        QTimer::singleShot(10, &boucle, &QEventLoop::quit);
        boucle.exec();
        messages_->Absorber(*hote_, size_t(1) << 19);
        if (chrono.elapsed() > delaiMs) return false;
    }
    Rafraichir();
    return true;
}

// ------------------------------------------------------------ tâches

void FenetrePrincipale::Lancer(std::function<void(Interp&)> tache, std::function<void()> ensuite) {
    ++tachesEnCours_;
    ensuites_.push_back(std::move(ensuite));
    graphique_->DefinirProgrammeEnCours(true);
    travailleur_->Lancer(std::move(tache));
    ActualiserLesActions();
}

void FenetrePrincipale::TacheFinie(const Instantane& e) {
    etat_ = e;
    if (tachesEnCours_ > 0) --tachesEnCours_;
    std::function<void()> ensuite;
    if (!ensuites_.empty()) {
        ensuite = std::move(ensuites_.front());
        ensuites_.pop_front();
    }
    if (e.releve) panneau_->Montrer(*e.releve);
    if (!Occupe()) {
        OublierLaPause();
        graphique_->DefinirProgrammeEnCours(false);
        hote_->ViderLesEntrees();
        if (fermerApresLaTache_) QTimer::singleShot(0, this, &QWidget::close);
    }
    graphique_->viewport()->update();
    Rafraichir();
    ActualiserLesActions();
    if (ensuite) ensuite();
}

void FenetrePrincipale::Rafraichir() {
    // Au plus un demi-mégaoctet de messages par battement : l'interface reste vive.
    messages_->Absorber(*hote_, size_t(1) << 19);
    std::string titre;
    for (Fenetre f : {Fenetre::Graphique, Fenetre::Messages, Fenetre::Editeur, Fenetre::LigneDeCommande})
        if (hote_->PrendreTitre(f, titre)) Fille(f)->setWindowTitle(DuCoeur(titre));
    // Chaque nombre créé ou détruit met son compte dans le titre de la fenêtre graphique.
    if (travailleur_) {
        int64_t compte = travailleur_->NombresVivants();
        if (compte >= 0 && compte != dernierCompteDeNombres_) {
            dernierCompteDeNombres_ = compte;
            Fille(Fenetre::Graphique)->setWindowTitle(QString::number(compte));
        }
    }
    if (hote_->PrendreDessinModifie() || Occupe()) graphique_->viewport()->update();
}

void FenetrePrincipale::Refuser(const QString& pourquoi) {
    QApplication::beep();
    statusBar()->showMessage(pourquoi, 6000);
}

// Ce qui touche l'interprète attend qu'il ait fini : une commande à la fois.
void FenetrePrincipale::ActualiserLesActions() {
    const bool libre = !Occupe();
    for (const char* nom : {"b600", "m601", "b610", "m611", "m720", "m725", "m730", "m800", "m740", "m750"})
        Action(nom)->setEnabled(libre);
    // Une boîte modale attend l'élève : l'interprète ne travaille pas, il attend.
    Action("bArret")->setEnabled(!libre && !boiteModale_);
    // Pendant un programme, « Suivant » avance d'un pas, ou passe au pas à pas.
    for (const char* nom : {"vSuivant", "mSuivant"}) Action(nom)->setEnabled(!libre);
    if (boiteModale_)
        texteDEtat_->setText(QStringLiteral("Gelim attend ta réponse dans la boîte de dialogue."));
    else if (libre)
        texteDEtat_->setText(QStringLiteral("Prêt."));
    else
        texteDEtat_->setText(QStringLiteral("L'interpréteur travaille... (Échap ou le bouton rouge pour l'arrêter)"));
    ActualiserLesBoutonsDeFichier();
}

void FenetrePrincipale::ActualiserLesBoutonsDeFichier() {
    const bool editeur = reglages_.mode == 1 && focusDansLEditeur_;
    Action("b24331")->setEnabled(editeur);
    Action("b24332")->setEnabled(editeur);
    Action("b24333")->setEnabled(editeur && editeur_->document()->isModified());
}

void FenetrePrincipale::SynchroniserLesPaires() {
    Action(reglages_.disposition == 0 ? "b550" : "b540")->setChecked(true);
    Action(reglages_.messagesCaches ? "b570" : "b560")->setChecked(true);
    Action(reglages_.mode == 0 ? "b590" : "b580")->setChecked(true);
}

void FenetrePrincipale::RetablirLeTitre(Fenetre f) {
    Fille(f)->setWindowTitle(f == Fenetre::Editeur ? TitreDeLEditeur(*editeur_) : QString::fromUtf8(kTitres[int(f)]));
}

void FenetrePrincipale::FocusChange(QWidget*, QWidget* nouveau) {
    if (!nouveau) return;
    for (Fenetre f : {Fenetre::Graphique, Fenetre::Messages, Fenetre::Editeur, Fenetre::LigneDeCommande}) {
        if (Fille(f)->isAncestorOf(nouveau)) {
            RetablirLeTitre(f);
            focusDansLEditeur_ = f == Fenetre::Editeur;
            ActualiserLesBoutonsDeFichier();
            return;
        }
    }
}

// ------------------------------------------------------------ placement

// Chaque fille revient à l'état normal (ni réduite ni agrandie), visible ou
// cachée selon les réglages, à son rectangle dans la zone cliente actuelle.
void FenetrePrincipale::ReplacerLesFenetres() {
    if (!demarre_) return;
    const RectanglesDesFenetres r = CalculerLesRectangles(reglages_, Zone());
    auto placer = [this](Fenetre f, const QRect& rect) {
        SousFenetre* fille = Fille(f);
        const Qt::WindowStates refuses = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
        if (fille->windowState() & refuses) fille->setWindowState(fille->windowState() & ~refuses);
        if (rect.isNull()) {
            fille->hide();
            return;
        }
        fille->setGeometry(rect);
        if (fille->isHidden()) fille->show();
    };
    placer(Fenetre::Graphique, r.graphique);
    placer(Fenetre::Editeur, r.editeur);
    placer(Fenetre::Messages, r.messages);
    placer(Fenetre::LigneDeCommande, r.ligneDeCommande);
}

void FenetrePrincipale::PlacerLesFenetres() {
    demarre_ = true;
    ReplacerLesFenetres();
    if (reglages_.mode == 0) {
        mdi_->setActiveSubWindow(Fille(Fenetre::LigneDeCommande));
        ligne_->setFocus();
    } else {
        mdi_->setActiveSubWindow(Fille(Fenetre::Editeur));
        editeur_->setFocus();
    }
    SynchroniserLesPaires();
}

bool FenetrePrincipale::eventFilter(QObject* objet, QEvent* e) {
    // La zone cliente change de taille : les filles s'y replacent ; la barre de
    // boutons aussi, ses espaces se partagent sa nouvelle largeur.
    if (objet == mdi_->viewport() && e->type() == QEvent::Resize) ReplacerLesFenetres();
    if (objet == barre_ && e->type() == QEvent::Resize) AjusterLaBarreDeBoutons();
    // Échap pendant un programme l'arrête, où que soit le clavier : après un
    // menu ouvert puis refermé, la barre de menus le garde et avalait la première.
    // Un menu ouvert ou une boîte modale, devant, prend d'abord son Échap.
    if ((e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) && Occupe() &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && static_cast<QKeyEvent*>(e)->modifiers() == 0 &&
        !QApplication::activePopupWidget() && !QApplication::activeModalWidget())
        ArreterLeProgramme();
    return QMainWindow::eventFilter(objet, e);
}

void FenetrePrincipale::FermetureDUneFille(SousFenetre* fille, QCloseEvent* e) {
    if (fermetureAutorisee_) {
        e->accept();
        return;
    }
    e->ignore();
    switch (fille->Role()) {
        case Fenetre::Messages:
            // Fermer les messages, c'est les cacher.
            reglages_.messagesCaches = true;
            PlacerLesFenetres();
            break;
        case Fenetre::Graphique:
            hote_->Alerte(kAttention, {QStringLiteral("La fenêtre graphique de la tortue ne peut être fermée.")});
            break;
        default: hote_->Alerte(kAttention, {QStringLiteral("Cette fenêtre éditeur ne peut être fermée.")}); break;
    }
}

// ------------------------------------------------------------ exécution

void FenetrePrincipale::ExecuterLeProgramme() {
    if (Occupe()) {
        Refuser(QStringLiteral("Un programme tourne encore : attends qu'il finisse, ou arrête-le avec Échap."));
        return;
    }
    if (reglages_.mode == 1)
        LancerLeProgramme(editeur_->toPlainText(), true);
    else
        LancerLeProgramme(ligne_->text(), false);
}

// Analyse et exécution sur le fil de travail. Après une erreur de syntaxe dans
// le programme de l'éditeur, l'éditeur montre la ligne fautive.
void FenetrePrincipale::LancerLeProgramme(const QString& texte, bool editeur) {
    const std::string t = VersLeCoeur(texte);
    const Interp::Mode mode = ModeDeTravail();
    const std::vector<std::string> dossiers = DossiersDeCharge();
    auto ligneFautive = std::make_shared<int>(-1);
    commandeDeLEditeur_ = editeur;
    texteDeLaCommande_ = texte;
    Lancer(
        [t, mode, dossiers, ligneFautive](Interp& I) {
            FixerLesDossiersDeCharge(I, dossiers);
            *ligneFautive = ExecuterDansLeMode(I, mode, t);
        },
        [this, editeur, ligneFautive] {
            if (!editeur || *ligneFautive < 0 || reglages_.mode != 1) return;
            editeur_->MontrerLaLigneFautive(*ligneFautive);
            editeur_->setFocus();
        });
}

void FenetrePrincipale::ValiderLaLigne(const QString& texte) {
    if (Occupe()) {
        // La ligne reste là : rien de ce qui a été tapé ne se perd.
        Refuser(QStringLiteral("Un programme tourne encore : ta ligne attend, lance-la quand il aura fini."));
        return;
    }
    ligne_->AjouterALHistorique(texte);
    LancerLeProgramme(texte, false);
    ligne_->clear();
}

// Où « charge » et les images cherchent un fichier donné sans chemin : le
// dossier courant, celui du programme de l'éditeur, puis les exemples.
std::vector<std::string> FenetrePrincipale::DossiersDeCharge() const {
    std::vector<std::string> d{"."};
    if (!editeur_->Chemin().isEmpty())
        d.push_back(QFile::encodeName(QFileInfo(editeur_->Chemin()).absolutePath()).toStdString());
    if (std::string exemples = DossierDesExemples(); !exemples.empty()) d.push_back(exemples);
    return d;
}

void FenetrePrincipale::GommerLaDerniereInstruction() {
    if (Occupe()) return;
    const Interp::Mode mode = ModeDeTravail();
    Lancer([mode](Interp& I) {
        gelim::GommerLaDerniereInstruction(I, mode);
        ExecuterLaCommandeEnAttente(I);  // la fenêtre graphique se refait depuis le dessin
    });
}

void FenetrePrincipale::ArreterLeProgramme() {
    if (!Occupe() || hote_->ArretEnCours()) return;
    travailleur_->DemanderArret();
    statusBar()->showMessage(QStringLiteral("Arrêt demandé : le programme s'arrête, le dessin et les textes restent."),
                             5000);
}

// ------------------------------------------------------------ modes et dispositions

void FenetrePrincipale::PasserEnLigneDeCommande() {
    reglages_.mode = 0;
    PlacerLesFenetres();
    InstallerLesMenus();
    focusDansLEditeur_ = false;
    ActualiserLesBoutonsDeFichier();
}

void FenetrePrincipale::PasserDansLEditeur() {
    reglages_.mode = 1;
    PlacerLesFenetres();
    InstallerLesMenus();
    editeur_->setFocus();
    focusDansLEditeur_ = true;
    ActualiserLesBoutonsDeFichier();
}

void FenetrePrincipale::Juxtaposer() {
    reglages_.disposition = 0;
    PlacerLesFenetres();
}

void FenetrePrincipale::Superposer() {
    reglages_.disposition = 1;
    PlacerLesFenetres();
}

void FenetrePrincipale::MontrerLesMessages() {
    reglages_.messagesCaches = false;
    PlacerLesFenetres();
}

void FenetrePrincipale::CacherLesMessages() {
    reglages_.messagesCaches = true;
    PlacerLesFenetres();
}

// ------------------------------------------------------------ réglages de l'interprète

void FenetrePrincipale::InverserLeModePasAPas() {
    if (Occupe()) return;
    if (!etat_.pasapas) {
        if (!hote_->Question(kAttention, {QStringLiteral("Le mode 'pas à pas' est désactivé."),
                                          QStringLiteral("Faut-il vraiment l'activer ?")}))
            return;
        if (reglages_.messagesCaches) {
            hote_->Alerte(QStringLiteral("I  N  F  O  R  M  A  T  I  O  N"),
                          {QStringLiteral("Pour voir l'affichage du 'pas à pas',"),
                           QStringLiteral("il faut regarder au bas de la fenêtre des messages !")});
            MontrerLesMessages();
        }
        Lancer([](Interp& I) { Regler(I, Reglage::PasAPas, 1); });
    } else {
        if (!hote_->Question(kAttention, {QStringLiteral("Le mode 'pas à pas' est activé."),
                                          QStringLiteral("Faut-il vraiment le désactiver ?")}))
            return;
        Lancer([](Interp& I) { Regler(I, Reglage::PasAPas, 0); });
    }
}

void FenetrePrincipale::InverserLAffichageDeLAnalyse() {
    if (Occupe()) return;
    if (!etat_.affichageAnalyse) {
        if (!hote_->Question(kAttention, {QStringLiteral("L'affichage de l'analyse syntaxique est désactivé."),
                                          QStringLiteral("Faut-il vraiment l'activer ?")}))
            return;
        if (reglages_.messagesCaches) {
            hote_->Alerte(QStringLiteral("I  N  F  O  R  M  A  T  I  O  N"),
                          {QStringLiteral("Pour voir l'affichage de l'analyse syntaxique,"),
                           QStringLiteral("il faut regarder au bas de la fenêtre des messages !")});
            MontrerLesMessages();
        }
        Lancer([](Interp& I) { Regler(I, Reglage::AffichageAnalyse, 1); });
    } else {
        if (!hote_->Question(kAttention, {QStringLiteral("L'affichage de l'analyse syntaxique est activé."),
                                          QStringLiteral("Faut-il vraiment le désactiver ?")}))
            return;
        Lancer([](Interp& I) { Regler(I, Reglage::AffichageAnalyse, 0); });
    }
}

void FenetrePrincipale::InverserLaGestionDesChocs() {
    if (Occupe()) return;
    if (etat_.champClos) {
        if (!hote_->Question(kAttention, {QStringLiteral("La tortue se déplace dans un cadre clos"),
                                          QStringLiteral("Faut-il vraiment la libérer ?")}))
            return;
        Lancer([](Interp& I) { Regler(I, Reglage::ChampClos, 0); });
    } else {
        if (!hote_->Question(kAttention, {QStringLiteral("La tortue se déplace sans taper contre les bords du cadre."),
                                          QStringLiteral("Faut-il vraiment clore le cadre ?")}))
            return;
        Lancer([](Interp& I) { Regler(I, Reglage::ChampClos, 1); });
    }
}

void FenetrePrincipale::SaisirLaProfondeurDImpressionDesArbres() {
    if (Occupe()) return;
    QString texte;
    if (!hote_->SaisieTexte(QStringLiteral("Profondeur d'impression d'un arbre."),
                            QStringLiteral("(6, de 3 à 12) Validez avec la touche 'Entrée'"), texte)) {
        Lancer([](Interp& I) { EcritLigne(I, "Erreur dans SaisirLaProfondeurDImpressionDesArbres"); });
        return;
    }
    // La conversion décimale habituelle : un texte qui n'est pas un nombre vaut 0.
    const std::string t = VersLeCoeur(texte);
    long v = std::strtol(t.c_str(), nullptr, 10);
    v = std::clamp(v, long(INT32_MIN), long(INT32_MAX));
    if (v < 3) {
        hote_->Alerte(QStringLiteral("A T T E N T I O N !"), {QStringLiteral("La profondeur minimale est de 3 !")});
        v = 3;
    }
    const int profondeur = int(v);
    Lancer([profondeur](Interp& I) { Regler(I, Reglage::ProfondeurArbres, profondeur); });
}

// ------------------------------------------------------------ programmes

QString FenetrePrincipale::ChoisirUnFichier(const QString& titre, const QString& filtre, bool enregistrer,
                                            const QString& suffixe, QString& dossier) {
    QString choix;
    if (choixDeFichier) {
        choix = choixDeFichier(titre, filtre, enregistrer);
    } else {
        QFileDialog d(this, titre, dossier, filtre);
        d.setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        d.setFileMode(enregistrer ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!suffixe.isEmpty()) d.setDefaultSuffix(suffixe);
        // Le suffixe suit le filtre choisi (« Bitmap » ou « PNG »).
        connect(&d, &QFileDialog::filterSelected, &d, [&d, suffixe](const QString& f) {
            if (f.contains(QStringLiteral("*.png")))
                d.setDefaultSuffix(QStringLiteral("png"));
            else if (!suffixe.isEmpty())
                d.setDefaultSuffix(suffixe);
        });
        if (d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty()) choix = d.selectedFiles().first();
    }
    if (!choix.isEmpty()) dossier = QFileInfo(choix).absolutePath();
    return choix;
}

void FenetrePrincipale::ToutEffacer() {
    if (!hote_->Question(
            kAttention, {QStringLiteral("Faut-il vraiment effacer"), QStringLiteral("tout le contenu de l'éditeur ?")}))
        return;
    // Effacé d'un bloc, qu'« Annuler » peut encore rendre.
    QTextCursor c(editeur_->document());
    c.select(QTextCursor::Document);
    c.removeSelectedText();
    editeur_->document()->setModified(false);
    editeur_->OublierLeFichier();
    Fille(Fenetre::Editeur)->setWindowTitle(QString());
    ActualiserLesBoutonsDeFichier();
}

void FenetrePrincipale::EditerUnNouveauProgramme() {
    if (mdi_->activeSubWindow() != Fille(Fenetre::Editeur)) return;
    // Le nom n'est oublié que si l'élève accepte d'effacer le texte.
    ToutEffacer();
    if (reglages_.mode == 1) PlacerLesFenetres();
}

void FenetrePrincipale::ChargerUnProgramme() {
    if (editeur_->document()->isModified()) {
        if (hote_->Question(kAttention, {QStringLiteral("Le fichier de l'éditeur de programmes a"),
                                         QStringLiteral("été modifié ! Faut-il enregistrer les"),
                                         QStringLiteral("modifications avant d'en charger un autre ?")})) {
            // Enregistrement refusé ou raté : on ne charge rien, le texte reste.
            if (!EnregistrerLeProgramme()) return;
        }
    }
    // Le premier filtre montre tous les programmes, ceux des thèmes compris.
    const QString f =
        ChoisirUnFichier(QStringLiteral("Charger un programme"), FiltreDeFichiers(FiltreDesProgrammesALOuverture()),
                         false, QString(), dossierProgrammes_);
    if (f.isEmpty()) return;
    OuvrirLeFichier(f);
}

bool FenetrePrincipale::OuvrirLeFichier(const QString& f) {
    if (!editeur_->Charger(f)) {
        hote_->Alerte(kAttention, {QStringLiteral("Incapable de lire le ficher %1 sur le disque.").arg(f)});
        return false;
    }
    dossierProgrammes_ = QFileInfo(f).absolutePath();
    if (reglages_.mode != 1) PasserDansLEditeur();
    PlacerLesFenetres();
    RetablirLeTitre(Fenetre::Editeur);  // l'éditeur a déjà le clavier : son nom tout de suite
    ActualiserLesBoutonsDeFichier();
    return true;
}

bool FenetrePrincipale::EnregistrerLeProgramme() {
    if (editeur_->Chemin().isEmpty()) return EnregistrerLeProgrammeSous();
    bool encodageChange = false;
    if (!editeur_->Enregistrer(editeur_->Chemin(), &encodageChange)) {
        hote_->Alerte(kAttention,
                      {QStringLiteral("Incapable d'écrire le ficher %1 sur le disque.").arg(editeur_->Chemin())});
        return false;
    }
    secours_->Oublier();
    if (encodageChange)
        statusBar()->showMessage(
            QStringLiteral("Enregistré en UTF-8 : le texte contient des caractères que l'ancien encodage n'a pas."),
            8000);
    RetablirLeTitre(Fenetre::Editeur);
    ActualiserLesBoutonsDeFichier();
    return true;
}

bool FenetrePrincipale::EnregistrerLeProgrammeSous() {
    const QString f =
        ChoisirUnFichier(QStringLiteral("Enregistrer le programme sous"), FiltreDeFichiers(kFiltreProgrammes), true,
                         QStringLiteral("c"), dossierProgrammes_);
    if (f.isEmpty()) return false;
    bool encodageChange = false;
    if (!editeur_->Enregistrer(f, &encodageChange)) {
        hote_->Alerte(kAttention, {QStringLiteral("Incapable d'écrire le ficher %1 sur le disque.").arg(f)});
        return false;
    }
    secours_->Oublier();
    RetablirLeTitre(Fenetre::Editeur);
    ActualiserLesBoutonsDeFichier();
    return true;
}

// ------------------------------------------------------------ images et impression

void FenetrePrincipale::EnregistrerLImage() {
    if (Occupe()) return;
    const QString f = ChoisirUnFichier(QStringLiteral("Enregistrer le dessin"),
                                       FiltreDeFichiers(QStringLiteral("Bitmap Files (*.BMP)|*.bmp|PNG|*.png|")), true,
                                       QStringLiteral("bmp"), dossierImages_);
    if (f.isEmpty()) return;
    if (f.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        QImage copie;
        {
            QMutexLocker verrou(&dessin_.Verrou());
            copie = dessin_.Image().copy();
        }
        if (!EnregistrerImage(copie, f, "PNG"))
            hote_->Alerte(kAttention, {QStringLiteral("Erreur lors de la sauvegarde d'une image."), f});
        return;
    }
    const std::string chemin = QFile::encodeName(f).toStdString();
    Lancer([chemin](Interp& I) { SauverLeDessin(I, chemin); });
}

void FenetrePrincipale::RetrouverUneImage() {
    if (Occupe()) return;
    if (!hote_->Question(kAttention, {QStringLiteral("Le dessin de la fenêtre graphique"),
                                      QStringLiteral("va être effacé. Faut-il continuer ?")}))
        return;
    // Tout ce que Gelim enregistre se relit : BMP et PNG, et le GIF d'affichebitmap.
    const QString f = ChoisirUnFichier(
        QStringLiteral("Retrouver une image"),
        FiltreDeFichiers(QStringLiteral("Images|*.bmp;*.png;*.gif|BMP Files|*.bmp|PNG|*.png|GIF|*.gif|")), false,
        QString(), dossierImages_);
    if (f.isEmpty()) return;
    auto image = std::make_shared<ImageRGB>();
    if (!LireUneImagePourLeDessin(f, *image)) {
        hote_->Alerte(kAttention, {QStringLiteral("Erreur lors de la recherche de l'image"), f});
        return;
    }
    Lancer([image](Interp& I) {
        PoserEnBasAGauche(I, *image);
        ExecuterLaCommandeEnAttente(I);
    });
}

void FenetrePrincipale::Imprimer(bool enGrand) {
    QImage copie;
    {
        QMutexLocker verrou(&dessin_.Verrou());
        copie = dessin_.Image().copy();
    }
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(QString::fromUtf8(kTitreDImpression));
    if (preparerImprimante) {
        if (!preparerImprimante(imprimante)) return;
    } else {
        QPrintDialog boite(&imprimante, this);
        if (boite.exec() != QDialog::Accepted) return;
    }
    if (!ImprimerLeDessin(imprimante, copie, enGrand))
        hote_->Alerte(kAttention, {QStringLiteral("L'impression n'a pas pu se faire.")});
}

// ------------------------------------------------------------ aide et fin

void FenetrePrincipale::OuvrirLAide() {
    aide_->OuvrirLIndex();
}

void FenetrePrincipale::APropos() {
    hote_->BoiteInformation(QStringLiteral("A  P  R  O  P  O  S"),
                            {QStringLiteral("Interpréteur   Gelim   Version 2.1"), QString(),
                             QStringLiteral("Un interprète pour apprendre à programmer en français :"),
                             QStringLiteral("une tortue qui dessine, des mots, des nombres et des listes.")});
}

void FenetrePrincipale::closeEvent(QCloseEvent* e) {
    if (!fermetureAutorisee_) {
        if (!hote_->Question(kAttention, {QStringLiteral("Faut-il vraiment quitter ?")}) ||
            (editeur_->document()->isModified() &&
             !hote_->Question(kAttention, {QStringLiteral("Le texte de l'éditeur a été modifié !"),
                                           QStringLiteral("Faut-il vraiment quitter ?")}))) {
            e->ignore();
            return;
        }
        fermetureAutorisee_ = true;
        if (travailleur_->EnCours()) {
            // Le programme s'arrête d'abord (il peut attendre une boîte : on rend la
            // main à la boucle d'événements), puis la fenêtre se ferme. S'il ne
            // s'arrête pas, la fermeture se fait quand même au bout de 5 secondes.
            travailleur_->DemanderArret();
            fermerApresLaTache_ = true;
            QTimer::singleShot(5000, this, [this] {
                forcerLaFermeture_ = true;
                close();
            });
        }
    }
    if (travailleur_->EnCours() && !forcerLaFermeture_) {
        e->ignore();  // la fermeture suivra la fin de la tâche
        return;
    }
    travailleur_->Terminer(forcerLaFermeture_ ? 100 : 5000);
    secours_->EcrireMaintenant();  // le texte non enregistré reste au secours
    aide_->close();
    recherche_->close();
    e->accept();
}

}  // namespace gelim

// ------------------------------------------------------------ regarder le programme tourner

namespace gelim {

namespace {

// Les images des boutons du regard, dessinées ici dans le style des autres.
QIcon IconeDuRegard(bool variables) {
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (variables) {
        p.setPen(QPen(QColor(52, 73, 94), 1.5));
        p.setBrush(QColor(250, 250, 240));
        p.drawRect(QRectF(3.5, 5.5, 25, 21));
        p.drawLine(QPointF(13.5, 5.5), QPointF(13.5, 26.5));
        for (double y : {12.5, 19.5}) p.drawLine(QPointF(3.5, y), QPointF(28.5, y));
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(QPointF(17, 16), QPointF(25, 16));
    } else {
        // Un pas : une flèche vers une barre.
        QPainterPath fleche;
        fleche.moveTo(5, 7);
        fleche.lineTo(20, 16);
        fleche.lineTo(5, 25);
        fleche.closeSubpath();
        p.setPen(QPen(QColor(30, 132, 73), 1.5));
        p.setBrush(QColor(39, 174, 96));
        p.drawPath(fleche);
        p.fillRect(QRectF(22, 7, 5, 18), QColor(30, 132, 73));
    }
    return QIcon(image);
}

const char* const kNomsDesVitesses[] = {"mVitesseRapide", "mVitesseLent", "mVitesseTresLent", "mVitessePasAPas"};

}  // namespace

void FenetrePrincipale::CreerLeRegard() {
    using F = FenetrePrincipale;
    const struct {
        const char* nom;
        const char* texte;
        const char* aide;
    } vitesses[] = {
        {kNomsDesVitesses[0], "Vitesse &rapide", "Le programme tourne à toute vitesse"},
        {kNomsDesVitesses[1], "Vitesse &lente", "Le programme s'arrête un instant avant chaque instruction"},
        {kNomsDesVitesses[2], "Vitesse &très lente", "Le programme s'arrête longtemps avant chaque instruction"},
        {kNomsDesVitesses[3], "&Pas à pas (une instruction par « Suivant »)",
         "Le programme attend « Suivant » avant chaque instruction"},
    };
    vitesses_ = new QActionGroup(this);
    for (int i = 0; i < 4; ++i) {
        QAction* a = NouvelleAction(QString::fromUtf8(vitesses[i].nom), QString::fromUtf8(vitesses[i].texte), QString(),
                                    QString::fromUtf8(vitesses[i].aide), nullptr);
        a->setCheckable(true);
        vitesses_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { ChoisirLaVitesse(Vitesse(i)); });
    }
    Action(kNomsDesVitesses[0])->setChecked(true);
    for (const char* nom : {"vSuivant", "mSuivant"}) {
        QAction* a = NouvelleAction(
            QString::fromUtf8(nom), QStringLiteral("&Suivant"), QString(),
            QStringLiteral("Exécute l'instruction surlignée, puis s'arrête avant la suivante (F10)"), &F::Suivant);
        a->setIcon(IconeDuRegard(false));
    }
    NouvelleAction(QStringLiteral("mContinuer"), QStringLiteral("&Continuer"), QString(),
                   QStringLiteral("Quitte le pas à pas et reprend la vitesse choisie avant lui (F5)"), &F::Continuer);
    for (const char* nom : {"vVariables", "mVariables"}) {
        QAction* a = NouvelleAction(
            QString::fromUtf8(nom), QStringLiteral("&Voir les variables"), QString(),
            QStringLiteral("Montre les noms du programme, leurs valeurs et les appels en cours"), nullptr);
        a->setIcon(IconeDuRegard(true));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, &F::MontrerLesVariables);
    }
    // Les touches du pas à pas marchent où que soit le clavier.
    Action("mSuivant")->setShortcut(QKeySequence(Qt::Key_F10));
    Action("mContinuer")->setShortcut(QKeySequence(Qt::Key_F5));
    for (const char* nom : {"mSuivant", "mContinuer"}) {
        Action(nom)->setShortcutContext(Qt::ApplicationShortcut);
        addAction(Action(nom));
    }

    // Le menu Exécution, avant l'aide.
    QAction* aide = Action("m621");
    for (const char* nom : kNomsDesVitesses) menuExecution_->insertAction(aide, Action(nom));
    menuExecution_->insertAction(aide, Action("mSuivant"));
    menuExecution_->insertAction(aide, Action("mContinuer"));
    menuExecution_->insertSeparator(aide);
    menuExecution_->insertAction(aide, Action("mVariables"));
    menuExecution_->insertSeparator(aide);

    // La barre de boutons, après les boutons de toujours.
    choixVitesse_ = new QComboBox(barre_);
    choixVitesse_->setObjectName(QStringLiteral("choixVitesse"));
    choixVitesse_->addItems(
        {QStringLiteral("Rapide"), QStringLiteral("Lent"), QStringLiteral("Très lent"), QStringLiteral("Pas à pas")});
    choixVitesse_->setToolTip(QStringLiteral("La vitesse du programme"));
    choixVitesse_->setFocusPolicy(Qt::NoFocus);
    connect(choixVitesse_, &QComboBox::activated, this, [this](int i) { ChoisirLaVitesse(Vitesse(i)); });
    barre_->addWidget(choixVitesse_);
    barre_->addAction(Action("vSuivant"));
    barre_->addAction(Action("vVariables"));

    panneau_ = new PanneauDesVariables(this);
    addDockWidget(Qt::RightDockWidgetArea, panneau_);
    panneau_->hide();
    connect(panneau_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        // Fermé par sa croix : les boutons suivent.
        if (!visible && !panneau_->isHidden()) return;
        for (const char* nom : {"vVariables", "mVariables"}) Action(nom)->setChecked(!panneau_->isHidden());
        hote_->OuvrirLePanneau(!panneau_->isHidden());
    });
    connect(hote_, &HoteBureau::Pause, this, [this](std::shared_ptr<const VueDeLaPause> v) { MontrerLaPause(*v); });
}

void FenetrePrincipale::ChoisirLaVitesse(Vitesse v) {
    if (v == Vitesse::PasAPas && vitesse_ != Vitesse::PasAPas) vitesseAvantLePas_ = vitesse_;
    vitesse_ = v;
    Action(kNomsDesVitesses[int(v)])->setChecked(true);
    choixVitesse_->setCurrentIndex(int(v));
    travailleur_->DefinirLaVitesse(v);
    if (v == Vitesse::PasAPas)
        statusBar()->showMessage(QStringLiteral("Pas à pas : « Suivant » (F10) exécute l'instruction surlignée, "
                                                "« Continuer » (F5) reprend la vitesse d'avant."),
                                 8000);
    ActualiserLesActions();
}

void FenetrePrincipale::Suivant() {
    if (vitesse_ != Vitesse::PasAPas) {
        ChoisirLaVitesse(Vitesse::PasAPas);  // le programme s'arrêtera avant sa prochaine instruction
        return;
    }
    hote_->Suivant();
}

void FenetrePrincipale::Continuer() {
    if (vitesse_ == Vitesse::PasAPas) ChoisirLaVitesse(vitesseAvantLePas_);
}

void FenetrePrincipale::MontrerLesVariables(bool oui) {
    hote_->OuvrirLePanneau(oui);
    panneau_->setVisible(oui);
    for (const char* nom : {"vVariables", "mVariables"}) Action(nom)->setChecked(oui);
    if (!oui) return;
    // Un relevé tout de suite : l'interprète libre, une tâche vide le fait à sa fin.
    if (Occupe())
        panneau_->EnAttente();
    else
        Lancer([](Interp&) {});
}

void FenetrePrincipale::MontrerLaPause(const VueDeLaPause& v) {
    // Une pause arrivée après la fin de la tâche n'a plus rien à montrer.
    if (!Occupe()) return;
    ++pausesMontrees_;
    if (v.releve) panneau_->Montrer(*v.releve);
    if (!v.avecLieu) {
        if (!v.enCours) return;  // une boîte hors d'un programme (une image à enregistrer...)
        statusBar()->showMessage(
            QStringLiteral(
                "Cette instruction a été construite par le programme : elle n'a pas de place dans le texte."),
            4000);
        return;
    }
    if (v.genre == GenreDeTexte::Fichier) {
        statusBar()->showMessage(
            QStringLiteral("Le programme est dans le fichier « %1 », à la ligne %2.").arg(v.fichier).arg(v.ligne),
            4000);
        return;
    }
    if (!v.deLaCommande) {
        statusBar()->showMessage(
            QStringLiteral("Le programme est à la ligne %1 d'un texte lancé plus tôt.").arg(v.ligne), 4000);
        return;
    }
    if (commandeDeLEditeur_) {
        editeur_->MontrerLInstruction(v.ligne, v.colonne, v.ligneFin, v.colonneFin);
    } else {
        // La ligne de commande n'a qu'une ligne : les colonnes y suffisent.
        ligne_->MontrerLInstruction(texteDeLaCommande_, v.colonne, v.ligneFin == v.ligne ? v.colonneFin : INT_MAX);
    }
}

void FenetrePrincipale::OublierLaPause() {
    editeur_->OublierLInstruction();
    ligne_->OublierLInstruction();
}

}  // namespace gelim
