// Le lancement du bureau : l'application Qt, la fenêtre principale agrandie,
// puis la suite du démarrage une fois la fenêtre à l'écran.
#include "desktop/bureau.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include "desktop/fenetre_principale.h"

// Les ressources vivent dans une bibliothèque statique : il faut les appeler.
static void InitialiserLesRessources() {
    Q_INIT_RESOURCE(gelim);
}

namespace gelim {

void ChargerLesRessourcesDuBureau() {
    InitialiserLesRessources();
}

int LancerLeBureau(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gelim"));
    ChargerLesRessourcesDuBureau();
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
