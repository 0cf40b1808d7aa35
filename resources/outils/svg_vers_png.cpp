// Rend des dessins SVG en PNG (les icônes et images du bureau sont dessinées
// en SVG ici, puis figées en PNG pour ne dépendre d'aucun greffon à l'exécution).
// Usage : svg_vers_png entree.svg sortie.png taille
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage : %s entree.svg sortie.png taille\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    QSvgRenderer rendu(QString::fromLocal8Bit(argv[1]));
    if (!rendu.isValid()) {
        std::fprintf(stderr, "SVG illisible : %s\n", argv[1]);
        return 1;
    }
    const int taille = std::atoi(argv[3]);
    QSize dimensions = rendu.defaultSize().scaled(taille, taille, Qt::KeepAspectRatio);
    QImage image(dimensions, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    rendu.render(&p);
    p.end();
    return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
