// Lecture des images du menu « Retrouver une image ».
#include "desktop/images_bureau.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace gelim {

static constexpr int kCoteDuDessin = 1000;

// Le coin bas-gauche (au plus 1000 x 1000) d'une image de l x h pixels.
template <class CouleurDe>
static void CoinBasGauche(int l, int h, ImageRGB& image, CouleurDe couleurDe) {
    image.largeur = std::min(l, kCoteDuDessin);
    image.hauteur = std::min(h, kCoteDuDessin);
    image.pixels.clear();
    image.pixels.reserve(size_t(image.largeur) * size_t(image.hauteur));
    for (int y = h - image.hauteur; y < h; ++y)
        for (int x = 0; x < image.largeur; ++x) image.pixels.push_back(couleurDe(x, y));
}

static bool LireUnPng(const QString& chemin, ImageRGB& image) {
    QImageReader lecteur(chemin, "png");
    const QSize taille = lecteur.size();
    if (!taille.isValid() || taille.width() > int(kCoteMaxImage) || taille.height() > int(kCoteMaxImage)) return false;
    QImage lue = lecteur.read();
    if (lue.isNull()) return false;
    // La transparence se pose sur une feuille blanche.
    QImage opaque(lue.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, lue);
    CoinBasGauche(opaque.width(), opaque.height(), image, [&](int x, int y) {
        const QRgb c = opaque.pixel(x, y);
        return Couleur{uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))};
    });
    return true;
}

static bool LireUnGif(const QString& chemin, ImageRGB& image) {
    OurBigGifDataStructDescriptor gif;
    if (!LireGif(QFile::encodeName(chemin).toStdString(), gif) || !TableGifAcceptee(gif)) return false;
    const std::vector<uint32_t> ordre = OrdreDesLignesGif(gif);
    CoinBasGauche(int(gif.largeurImage), int(gif.hauteurImage), image,
                  [&](int x, int y) { return CouleurPixelGif(gif, ordre, uint32_t(x), uint32_t(y)); });
    return true;
}

static bool LireUnBmp(const QString& chemin, ImageRGB& image) {
    ImageRGB entiere;
    if (!LireBmp(QFile::encodeName(chemin).toStdString(), entiere)) return false;
    CoinBasGauche(entiere.largeur, entiere.hauteur, image, [&](int x, int y) { return entiere.At(x, y); });
    return true;
}

bool LireUneImagePourLeDessin(const QString& chemin, ImageRGB& image) {
    const QString fin = chemin.section(QLatin1Char('.'), -1).toLower();
    if (fin == QStringLiteral("png")) return LireUnPng(chemin, image);
    if (fin == QStringLiteral("gif")) return LireUnGif(chemin, image);
    // Un BMP, ou un fichier d'un autre nom : son contenu décide.
    return LireUnBmp(chemin, image) || LireUnPng(chemin, image) || LireUnGif(chemin, image);
}

}  // namespace gelim
