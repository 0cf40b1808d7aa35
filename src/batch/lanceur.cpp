// Le lanceur sans écran : le contrat de « gelim --batch » (batch/contrat.h) sur
// les surfaces QImage, avec la plate-forme hors écran de Qt pour le texte.
#include "batch/lanceur.h"

#include <QGuiApplication>
#include <QImage>
#include <QThread>
#include <cstdlib>
#include <memory>
#include <string>

#include "batch/contrat.h"
#include "rendu/chemins.h"
#include "rendu/surface_qimage.h"

namespace gelim {

namespace {

bool EnregistrerImage(const Surface& surface, const std::string& nom) {
    const auto* s = dynamic_cast<const SurfaceQImage*>(&surface);
    if (!s) return false;
    QImage copie;
    {
        QMutexLocker verrou(&s->Verrou());
        copie = s->Image().copy();
    }
    return copie.save(QString::fromLocal8Bit(nom.c_str()));
}

int Session(const OptionsLanceur& o) {
    SurfaceQImage dessin, vue, precedent;
    // Les polices se chargent au démarrage, comme dans l'application : le
    // premier texte imprimé (dessiné aussi) n'en paie pas le prix.
    SurfaceQImage::PrechargerLaPolice();
    FaceLanceur face;
    face.dessin = &dessin;
    face.vue = &vue;
    face.precedent = &precedent;
    face.profondeurNativeMax = 500000;  // la pile de ce fil fait 1 Gio
    face.dossierExemples = DossierDesExemples();
    face.enregistrerImage = EnregistrerImage;
    return SessionLanceur(o, face);
}

}  // namespace

int LancerSansEcran(int argc, char** argv) {
    OptionsLanceur o;
    if (!LireOptionsLanceur(argc, argv, o)) {
        UsageLanceur();
        return 2;
    }
    // Pas d'écran : la plate-forme hors écran suffit aux polices et au dessin.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // La sortie d'erreur est le journal de ce que l'élève voit et entend : les
    // remarques de Qt n'y ont pas leur place.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    int code = 0;
    // L'interprète tourne sur un fil à grande pile : la récursion du programme de
    // l'élève est bornée par l'interprète, pas par la pile du système.
    std::unique_ptr<QThread> fil(QThread::create([&] { code = Session(o); }));
    fil->setStackSize(1024u * 1024u * 1024u);
    fil->start();
    fil->wait();
    return code;
}

}  // namespace gelim
