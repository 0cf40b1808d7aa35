// Le lancement du bureau : l'application Qt, la fenêtre principale agrandie,
// puis la suite du démarrage une fois la fenêtre à l'écran.
#include "desktop/bureau.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include "desktop/fenetre_principale.h"

// Les ressources vivent dans une bibliothèque statique : il faut les appeler.
static void InitialiserLesRessources() {
    Q_INIT_RESOURCE(gelim);
}

namespace gelim {

void ChargerLesRessourcesDuBureau() {
    InitialiserLesRessources();
}

// Les boîtes standard (ouvrir, enregistrer, imprimer) et les menus des zones de
// texte parlent français, quelle que soit la langue du système.
bool InstallerLesTraductionsDeQt(QApplication& application, QTranslator& traduction) {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (!traduction.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return application.installTranslator(&traduction);
}

int LancerLeBureau(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gelim"));
    ChargerLesRessourcesDuBureau();
    QTranslator traduction;
    InstallerLesTraductionsDeQt(application, traduction);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icones/gelim.png")));
    FenetrePrincipale fenetre;
    // Sans gestionnaire de fenêtres, « agrandie » ne fait rien : on prend la zone libre.
    if (QScreen* ecran = fenetre.screen()) fenetre.setGeometry(ecran->availableGeometry());
    fenetre.showMaximized();
    // Un fichier donné en argument (ouvert depuis le gestionnaire de fichiers) va dans l'éditeur.
    QString fichier;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') fichier = QString::fromLocal8Bit(argv[i]);
    QTimer::singleShot(0, &fenetre, [&fenetre, fichier] {
        fenetre.Demarrer();
        if (!fichier.isEmpty()) fenetre.OuvrirLeFichier(fichier);
    });
    return application.exec();
}

}  // namespace gelim
