#include "rendu/enregistrer_image.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

namespace gelim {

bool EnregistrerImage(const QImage& image, const QString& chemin, const char* format) {
    // Le fichier provisoire n'a pas l'extension : le format vient du nom voulu.
    const QByteArray suffixe = QFileInfo(chemin).suffix().toLower().toLatin1();
    if (!format) format = suffixe.constData();
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!image.save(&tampon, format)) return false;

    QSaveFile fichier(chemin);
    // Un dossier où l'on ne peut rien créer, mais un fichier que l'on peut
    // réécrire : il est alors écrit directement, comme avant.
    fichier.setDirectWriteFallback(true);
    if (!fichier.open(QIODevice::WriteOnly)) return false;
    // Un disque plein peut couper l'écriture sans que rien ne le signale : la
    // taille du fichier provisoire fait foi avant de remplacer l'ancien.
    if (fichier.write(octets) != octets.size() || !fichier.flush() || fichier.size() != octets.size()) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}

}  // namespace gelim
