// Surfaces sur QImage : les traits d'un pixel sont tracés à la main (comme
// un contexte graphique classique, le dernier point exclu), le reste par QPainter.
#include "rendu/surface_qimage.h"

#include <QFont>
#include <QFontMetrics>
#include <QMutexLocker>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "objects/interp.h"

namespace gelim {

static QColor Qc(Couleur c) {
    return QColor(c.r, c.g, c.b);
}

SurfaceQImage::SurfaceQImage(int largeur, int hauteur) : image_(largeur, hauteur, QImage::Format_RGB32) {
    image_.fill(Qt::white);
}

void SurfaceQImage::Crayon(Couleur c, int largeur) {
    crayon_ = c;
    largeurCrayon_ = std::clamp(largeur, 1, 1 << 16);
}

void SurfaceQImage::Brosse(Couleur c) {
    brosse_ = c;
    brossePleine_ = true;
}

void SurfaceQImage::BrosseCreuse() {
    brossePleine_ = false;
}

void SurfaceQImage::DeplacerVers(int x, int y) {
    posX_ = x;
    posY_ = y;
}

static void Preparer(QPainter& p, Couleur crayon, int largeur, bool plein, Couleur brosse) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qc(crayon));
    pen.setWidth(largeur);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    if (plein)
        p.setBrush(Qc(brosse));
    else
        p.setBrush(Qt::NoBrush);
}

// Rogne le segment au carré [bas, haut]² (Liang et Barsky) ; faux s'il est tout dehors.
static bool RognerSegment(double& x0, double& y0, double& x1, double& y1, double bas, double haut) {
    double t0 = 0, t1 = 1, dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x0 - bas, haut - x0, y0 - bas, haut - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) return false;
            if (r > t0) t0 = r;
        } else {
            if (r < t0) return false;
            if (r < t1) t1 = r;
        }
    }
    double ax = x0 + t0 * dx, ay = y0 + t0 * dy, bx = x0 + t1 * dx, by = y0 + t1 * dy;
    x0 = ax, y0 = ay, x1 = bx, y1 = by;
    return true;
}

void SurfaceQImage::LigneVers(int x, int y) {
    QMutexLocker verrou(&verrou_);
    int x0 = posX_, y0 = posY_;
    posX_ = x;
    posY_ = y;
    // Un segment qui sort loin de l'image est d'abord rogné à un carré élargi :
    // le tracé reste exact sur l'image et ne parcourt jamais des millions de points.
    const int marge = 2048 + largeurCrayon_;
    const int bas = -marge, haut = std::max(image_.width(), image_.height()) + marge;
    auto dedans = [&](int a, int b) { return a >= bas && a <= haut && b >= bas && b <= haut; };
    if (!dedans(x0, y0) || !dedans(x, y)) {
        double ax = x0, ay = y0, bx = x, by = y;
        if (!RognerSegment(ax, ay, bx, by, bas, haut)) return;
        x0 = int(std::lround(ax)), y0 = int(std::lround(ay)), x = int(std::lround(bx)), y = int(std::lround(by));
    }
    if (largeurCrayon_ > 1) {
        QPainter p(&image_);
        Preparer(p, crayon_, largeurCrayon_, false, brosse_);
        p.drawLine(x0, y0, x, y);
        return;
    }
    // Bresenham, dernier point exclu ; les points hors de l'image sont ignorés.
    long long dx = std::llabs((long long)x - x0), dy = -std::llabs((long long)y - y0);
    int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
    long long err = dx + dy;
    const QRgb couleur = qRgb(crayon_.r, crayon_.g, crayon_.b);
    const int w = image_.width(), h = image_.height();
    long long cx = x0, cy = y0;
    while (!(cx == x && cy == y)) {
        if (cx >= 0 && cy >= 0 && cx < w && cy < h) reinterpret_cast<QRgb*>(image_.scanLine(int(cy)))[cx] = couleur;
        long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
}

static void Normaliser(int& g, int& h, int& d, int& b) {
    if (g > d) std::swap(g, d);
    if (h > b) std::swap(h, b);
}

void SurfaceQImage::Ellipse(int g, int h, int d, int b) {
    QMutexLocker verrou(&verrou_);
    Normaliser(g, h, d, b);
    if (d - g < 1 || b - h < 1) return;
    QPainter p(&image_);
    Preparer(p, crayon_, largeurCrayon_, brossePleine_, brosse_);
    p.drawEllipse(QRect(g, h, d - g - 1, b - h - 1));
}

void SurfaceQImage::Rectangle(int g, int h, int d, int b) {
    QMutexLocker verrou(&verrou_);
    Normaliser(g, h, d, b);
    if (d - g < 1 || b - h < 1) return;
    QPainter p(&image_);
    Preparer(p, crayon_, largeurCrayon_, brossePleine_, brosse_);
    p.drawRect(QRect(g, h, d - g - 1, b - h - 1));
}

void SurfaceQImage::Polygone(const std::vector<Point>& pts) {
    QMutexLocker verrou(&verrou_);
    QPolygon poly;
    for (const Point& pt : pts) poly << QPoint(pt.x, pt.y);
    QPainter p(&image_);
    Preparer(p, crayon_, largeurCrayon_, brossePleine_, brosse_);
    p.drawPolygon(poly);
}

void SurfaceQImage::RemplirRectangle(int g, int h, int d, int b, Couleur c) {
    QMutexLocker verrou(&verrou_);
    Normaliser(g, h, d, b);
    QRect r = QRect(g, h, d - g, b - h).intersected(image_.rect());
    if (r.isEmpty()) return;
    const QRgb couleur = qRgb(c.r, c.g, c.b);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* ligne = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) ligne[x] = couleur;
    }
}

// Remplissage par segments de ligne, avec une pile explicite : jamais de récursion.
void SurfaceQImage::RemplissageSurface(int x, int y, Couleur cible) {
    QMutexLocker verrou(&verrou_);
    const int w = image_.width(), h = image_.height();
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    const QRgb avant = qRgb(cible.r, cible.g, cible.b) & 0xFFFFFF;
    const QRgb apres = qRgb(brosse_.r, brosse_.g, brosse_.b);
    auto lire = [&](int px, int py) { return reinterpret_cast<QRgb*>(image_.scanLine(py))[px] & 0xFFFFFF; };
    if (lire(x, y) != avant || (apres & 0xFFFFFF) == avant) return;
    std::vector<std::pair<int, int>> pile{{x, y}};
    while (!pile.empty()) {
        auto [px, py] = pile.back();
        pile.pop_back();
        if (lire(px, py) != avant) continue;
        int g = px, d = px;
        while (g > 0 && lire(g - 1, py) == avant) --g;
        while (d < w - 1 && lire(d + 1, py) == avant) ++d;
        QRgb* ligne = reinterpret_cast<QRgb*>(image_.scanLine(py));
        for (int i = g; i <= d; ++i) ligne[i] = apres;
        for (int ny : {py - 1, py + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool dansSegment = false;
            for (int i = g; i <= d; ++i) {
                bool a = lire(i, ny) == avant;
                if (a && !dansSegment) pile.push_back({i, ny});
                dansSegment = a;
            }
        }
    }
}

Couleur SurfaceQImage::LirePixel(int x, int y) const {
    QMutexLocker verrou(&verrou_);
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return Couleur{255, 255, 255};
    QRgb p = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
    return Couleur{uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))};
}

void SurfaceQImage::EcrirePixel(int x, int y, Couleur c) {
    QMutexLocker verrou(&verrou_);
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = qRgb(c.r, c.g, c.b);
}

static QFont PoliceDuTexte() {
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPixelSize(13);
    return police;
}

void SurfaceQImage::PrechargerLaPolice() {
    QFontMetrics(PoliceDuTexte()).horizontalAdvance(QStringLiteral("0"));
}

void SurfaceQImage::TexteALaPosition(const std::string& texteCp1252) {
    QMutexLocker verrou(&verrou_);
    QString texte = QString::fromUtf8(Cp1252VersUtf8(texteCp1252).c_str());
    const QFont police = PoliceDuTexte();
    QFontMetrics mesures(police);
    int largeur = mesures.horizontalAdvance(texte);
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(police);
    // Fond opaque blanc derrière le texte, texte noir, comme un contexte par défaut.
    p.fillRect(QRect(posX_, posY_ - mesures.ascent(), largeur, mesures.height()), Qt::white);
    p.setPen(Qt::black);
    p.drawText(QPoint(posX_, posY_), texte);
    posX_ += largeur;
}

void SurfaceQImage::CopierDepuis(const Surface& source) {
    const auto* s = dynamic_cast<const SurfaceQImage*>(&source);
    if (!s) return;
    QImage copie;
    {
        QMutexLocker verrouSource(&s->verrou_);
        copie = s->image_.copy();
    }
    QMutexLocker verrou(&verrou_);
    image_ = copie;
}

void SurfaceQImage::CollerImage(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels) {
    QMutexLocker verrou(&verrou_);
    if (largeur <= 0 || hauteur <= 0 || pixels.size() < size_t(largeur) * size_t(hauteur)) return;
    const int w = image_.width(), h = image_.height();
    for (int j = 0; j < hauteur; ++j) {
        int py = y + j;
        if (py < 0 || py >= h) continue;
        QRgb* ligne = reinterpret_cast<QRgb*>(image_.scanLine(py));
        for (int i = 0; i < largeur; ++i) {
            int px = x + i;
            if (px < 0 || px >= w) continue;
            const Couleur& c = pixels[size_t(j) * size_t(largeur) + size_t(i)];
            ligne[px] = qRgb(c.r, c.g, c.b);
        }
    }
}

}  // namespace gelim
