// Les captures d'écran du LISEZ-MOI : la vraie fenêtre principale, pilotée
// comme le ferait un élève (commandes tapées, programme lancé, erreur), puis
// photographiée telle que le serveur X la montre, boîtes modales comprises.
//
//   gelim_captures DOSSIER_DES_CAPTURES DOSSIER_DES_EXEMPLES
//
// Lancé par scripts/captures.sh sous un serveur X virtuel ; jamais par les tests.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <functional>

#include "desktop/bureau.h"
#include "desktop/editeur.h"
#include "desktop/fenetre_graphique.h"
#include "desktop/fenetre_principale.h"
#include "desktop/hote_bureau.h"
#include "desktop/ligne_commande.h"

namespace {

using gelim::FenetrePrincipale;

[[noreturn]] void Echouer(const QString& pourquoi) {
    std::fprintf(stderr, "gelim_captures : %s\n", pourquoi.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

void Patienter(int ms) {
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// Tout l'écran, tel que le serveur X l'affiche (le cadre et ce qui est par-dessus).
void Photographier(const QString& chemin) {
    Patienter(400);  // le gestionnaire de fenêtres et les peintures en retard
    QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) Echouer(QStringLiteral("pas d'écran"));
    const QImage image = ecran->grabWindow(0).toImage();
    if (image.isNull()) Echouer(QStringLiteral("l'écran n'a pas pu être lu"));
    // Un écran d'une seule couleur veut dire que rien n'a été affiché.
    const QRgb premier = image.pixel(0, 0);
    bool varie = false;
    for (int y = 0; y < image.height() && !varie; y += 7)
        for (int x = 0; x < image.width() && !varie; x += 7) varie = image.pixel(x, y) != premier;
    if (!varie) Echouer(QStringLiteral("écran uni : rien à photographier pour %1").arg(chemin));
    if (!image.save(chemin, "PNG")) Echouer(QStringLiteral("impossible d'écrire %1").arg(chemin));
    std::printf("capture : %s\n", QFile::encodeName(chemin).constData());
    std::fflush(stdout);
}

// Guette la prochaine boîte modale du type demandé : quand elle est à
// l'écran, la photographie, puis la ferme comme l'élève (bouton « OUI »).
class Guetteur : public QObject {
public:
    Guetteur(const char* classe, QString chemin) : classe_(classe), chemin_(std::move(chemin)) {
        connect(&minuteur_, &QTimer::timeout, this, &Guetteur::Regarder);
        minuteur_.start(50);
        chrono_.start();
    }
    bool Vue() const { return vue_; }
    // Rend la main quand la boîte a été photographiée et fermée.
    void Attendre() {
        while (!vue_) {
            Patienter(50);
            if (chrono_.elapsed() > 20000) Echouer(QStringLiteral("la boîte %1 n'est pas venue").arg(classe_));
        }
    }

private:
    void Regarder() {
        if (enCours_ || vue_) return;
        if (chrono_.elapsed() > 20000) Echouer(QStringLiteral("la boîte %1 n'est pas venue").arg(classe_));
        auto* boite = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!boite || !boite->inherits(classe_) || !boite->isVisible()) return;
        enCours_ = true;
        minuteur_.stop();
        Photographier(chemin_);
        boite->accept();
        vue_ = true;
    }

    const char* classe_;
    QString chemin_;
    QTimer minuteur_;
    QElapsedTimer chrono_;
    bool enCours_ = false, vue_ = false;
};

// Ce que l'élève tape dans la ligne de commande, touche après touche, puis Entrée.
void Taper(FenetrePrincipale& f, const QString& commande) {
    f.Ligne()->setFocus();
    QTest::keyClicks(f.Ligne(), commande, Qt::NoModifier, 15);
    QTest::keyClick(f.Ligne(), Qt::Key_Return);
    if (!f.AttendreLaFin()) Echouer(QStringLiteral("« %1 » ne finit pas").arg(commande));
}

void Verifier(bool condition, const QString& quoi) {
    if (!condition) Echouer(quoi);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage : gelim_captures DOSSIER_DES_CAPTURES DOSSIER_DES_EXEMPLES\n");
        return 2;
    }
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        Echouer(QStringLiteral("il faut un vrai serveur X (plate-forme « %1 »)").arg(QGuiApplication::platformName()));
    const QDir sortie(QString::fromLocal8Bit(argv[1]));
    const QDir exemples(QString::fromLocal8Bit(argv[2]));
    Verifier(sortie.exists(), QStringLiteral("dossier des captures introuvable"));
    Verifier(exemples.exists(QStringLiteral("spirale.don")), QStringLiteral("exemples introuvables"));

    QApplication::setApplicationName(QStringLiteral("Gelim"));
    gelim::ChargerLesRessourcesDuBureau();
    QTranslator traduction;
    gelim::InstallerLesTraductionsDeQt(application, traduction);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icones/gelim.png")));

    // Le démarrage, comme l'application : la fenêtre agrandie, puis la boîte
    // d'information. Un dossier de secours neuf : aucun texte d'une autre
    // séance n'est offert ici.
    QTemporaryDir secours;
    FenetrePrincipale f;
    f.DefinirDossierDeSecours(secours.path());
    if (QScreen* ecran = f.screen()) f.setGeometry(ecran->availableGeometry());
    f.showMaximized();
    Patienter(800);
    {
        Guetteur boite("gelim::BoiteInformationDialogue", sortie.filePath(QStringLiteral("demarrage.png")));
        f.Demarrer();  // rend la main quand la boîte est fermée
        boite.Attendre();
    }
    Verifier(f.AttendreLaFin(), QStringLiteral("le démarrage ne finit pas"));

    // Le mode « ligne de commande » : le carré de la boîte de démarrage, un cercle, un calcul.
    f.MontrerLesMessages();
    for (int i = 0; i < 4; ++i) Taper(f, QStringLiteral("av(123); td(90);"));
    Taper(f, QStringLiteral("lc(); fpos(-230, -60); bc(); fcc(240);"));
    Taper(f, QStringLiteral("repete 36 { av(18); td(10); }"));
    Taper(f, QStringLiteral("lc(); fpos(-200, -220); ct();"));
    Taper(f, QStringLiteral("ec(123 * 4);"));
    Verifier(f.Hote().Journal().size() == 1, QStringLiteral("une commande a ouvert une boîte"));
    Photographier(sortie.filePath(QStringLiteral("ligne_de_commande.png")));

    // Le mode « éditeur » : un exemple ouvert depuis le disque et lancé avec l'éclair.
    Verifier(f.OuvrirLeFichier(exemples.filePath(QStringLiteral("spirale.don"))),
             QStringLiteral("spirale.don ne s'ouvre pas"));
    Verifier(f.Reglages().mode == 1, QStringLiteral("pas passé dans l'éditeur"));
    f.Action(QStringLiteral("b600"))->trigger();
    Verifier(f.AttendreLaFin(), QStringLiteral("le programme de l'éditeur ne finit pas"));
    Photographier(sortie.filePath(QStringLiteral("editeur.png")));

    // Le même programme, un point-virgule oublié : la boîte d'erreur de syntaxe.
    const qsizetype oubli = f.Editeur()->toPlainText().indexOf(QStringLiteral("td(90);"));
    Verifier(oubli >= 0, QStringLiteral("td(90); absent de l'exemple"));
    QTextCursor curseur(f.Editeur()->document());
    curseur.setPosition(int(oubli + 6));
    curseur.deleteChar();
    f.Editeur()->setTextCursor(curseur);
    f.Editeur()->setFocus();
    {
        Guetteur boite("gelim::BoiteErreurDialogue", sortie.filePath(QStringLiteral("erreur_syntaxe.png")));
        f.Action(QStringLiteral("b600"))->trigger();
        boite.Attendre();
    }
    Verifier(f.AttendreLaFin(), QStringLiteral("l'erreur ne rend pas la main"));
    Verifier(!f.Hote().BoitesErreur().empty(), QStringLiteral("aucune boîte d'erreur notée"));
    // La boîte fermée, l'éditeur montre la ligne fautive.
    Verifier(f.Editeur()->LigneFautive() >= 0, QStringLiteral("la ligne fautive n'est pas montrée"));
    Photographier(sortie.filePath(QStringLiteral("ligne_fautive.png")));

    // Un jeu qui attend les flèches : la tortue se voit, tournée où elle va.
    Verifier(f.OuvrirLeFichier(exemples.filePath(QStringLiteral("pilote.jeu"))),
             QStringLiteral("pilote.jeu ne s'ouvre pas"));
    f.Action(QStringLiteral("b600"))->trigger();
    for (Qt::Key t : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Up}) {
        for (int i = 0; i < 100 && !f.Hote().AttendUneTouche(); ++i) Patienter(20);
        QTest::keyClick(f.Graphique(), t);
        Patienter(100);
    }
    for (int i = 0; i < 100 && !f.Hote().AttendUneTouche(); ++i) Patienter(20);
    Verifier(f.Occupe(), QStringLiteral("le jeu s'est arrêté"));
    Photographier(sortie.filePath(QStringLiteral("jeu.png")));
    f.ArreterLeProgramme();
    Verifier(f.AttendreLaFin(), QStringLiteral("le jeu ne s'arrête pas"));

    return 0;
}
