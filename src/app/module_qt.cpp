// La bibliothèque de la face Qt (libgelim_qt.so), chargée par le programme à
// la demande : le bureau, la police et les images du lanceur sans écran.
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

#include "batch/face_qt.h"
#include "desktop/bureau.h"
#include "rendu/enregistrer_image.h"
#include "rendu/surface_qimage.h"

namespace {

void PreparerSansEcran(int argc, char** argv) {
    static int nbArguments = argc;
    // Pas d'écran : la plate-forme hors écran suffit aux polices et au dessin.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // La sortie d'erreur est le journal de ce que l'élève voit et entend : les
    // remarques de Qt n'y ont pas leur place.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Jamais détruite : le lanceur sort sans la défaire, une fois tout écrit
    // (sa destruction chargerait pour rien la configuration des polices).
    new QGuiApplication(nbArguments, argv);
}

bool EnregistrerPixels(const uint32_t* pixels, int largeur, int hauteur, const std::string& chemin) {
    const QImage image(reinterpret_cast<const uchar*>(pixels), largeur, hauteur, largeur * 4, QImage::Format_RGB32);
    return gelim::EnregistrerImage(image, QString::fromLocal8Bit(chemin.c_str()));
}

const gelim::ServicesQt kServices{gelim::LancerLeBureau, PreparerSansEcran, gelim::LargeurDuTexteQt,
                                  gelim::DessinerTexteQt, EnregistrerPixels};

}  // namespace

extern "C" [[gnu::visibility("default")]] const gelim::ServicesQt* gelim_services_qt() {
    return &kServices;
}
