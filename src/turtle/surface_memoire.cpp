// Le tracé logiciel des figures. Conventions d'un contexte graphique classique :
// le pixel (x, y) a son centre en (x + 0,5 ; y + 0,5) ; un trait d'un pixel
// exclut son dernier point ; une figure donnée par son rectangle englobant en
// exclut les bords droit et bas. Les calculs des ellipses se font en entiers
// (coordonnées doublées) pour que les figures restent exactement symétriques.
#include "turtle/surface_memoire.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <typeinfo>
#include <utility>

namespace gelim {

using Entier128 = __int128;

SurfaceMemoire::SurfaceMemoire(int largeur, int hauteur)
    : largeur_(std::max(largeur, 1)),
      hauteur_(std::max(hauteur, 1)),
      pixels_(size_t(largeur_) * size_t(hauteur_), Pixel(Couleur{255, 255, 255})) {}

void SurfaceMemoire::Crayon(Couleur c, int largeur) {
    std::lock_guard verrou(verrou_);
    crayon_ = c;
    largeurCrayon_ = std::clamp(largeur, 1, 1 << 16);
}

void SurfaceMemoire::Brosse(Couleur c) {
    std::lock_guard verrou(verrou_);
    brosse_ = c;
    brossePleine_ = true;
}

void SurfaceMemoire::BrosseCreuse() {
    std::lock_guard verrou(verrou_);
    brossePleine_ = false;
}

void SurfaceMemoire::DeplacerVers(int x, int y) {
    std::lock_guard verrou(verrou_);
    Placer(x, y);
}

void SurfaceMemoire::Placer(int x, int y) {
    posX_ = x;
    posY_ = y;
    // L'abscisse ne dépend plus de la largeur des textes d'avant.
    avance_.clear();
    enAttente_ = !traces_.empty();
}

// ---- Le texte en attente ----

// Au-delà, ce qui attend est rendu : la mémoire reste bornée et la position
// d'un texte ne se calcule jamais sur une trop longue suite de largeurs.
constexpr size_t kTracesEnAttente = 4096, kTextesALaSuite = 32;

// Une surface qui diffère ses figures en garde davantage (32 octets par trait).
constexpr size_t kFiguresDifferees = size_t(1) << 18;

void SurfaceMemoire::MettreEnAttente(uint32_t autre, int x0, int y0, int x1, int y1) {
    ++version_;
    enAttente_ = true;
    // La figure sera tracée avec les outils d'aujourd'hui, pas ceux du moment du rendu.
    traces_.push_back(Trace{x0, y0, x1, y1, Outils{crayon_, largeurCrayon_, brossePleine_, brosse_}, autre});
    if (traces_.size() >= (differer_ ? kFiguresDifferees : kTracesEnAttente)) RendreCeQuiAttend();
}

template <class F>
void SurfaceMemoire::Tracer(F figure) {
    if (!DoitAttendre()) {
        figure(*this);
        return;
    }
    autres_.emplace_back(std::move(figure));
    MettreEnAttente(uint32_t(autres_.size() - 1));
}

void SurfaceMemoire::TracerUnTrait(int x0, int y0, int x1, int y1) {
    if (DoitAttendre())
        MettreEnAttente(kTrait, x0, y0, x1, y1);
    else
        LigneNue(x0, y0, x1, y1);
}

void SurfaceMemoire::DiffererLesFigures(bool oui) {
    std::lock_guard verrou(verrou_);
    differer_ = oui;
    if (!oui) VideLeTexteEnAttente();
}

void SurfaceMemoire::MettreLeTexteEnAttente(const std::string& texteCp1252) {
    if (avance_.size() >= kTextesALaSuite) RendreCeQuiAttend();
    if (avance_.empty()) ancreX_ = posX_;
    // Le texte commence là où finissent ceux qui le précèdent sur la même ligne.
    autres_.emplace_back([x0 = ancreX_, avant = avance_, y = posY_, texte = texteCp1252](SurfaceMemoire& s) {
        int x = x0;
        for (const std::string& t : avant) x += s.LargeurDuTexte(t);
        s.DessinerTexte(texte, x, y);
    });
    avance_.push_back(texteCp1252);
    MettreEnAttente(uint32_t(autres_.size() - 1));
}

void SurfaceMemoire::RendreCeQuiAttend() {
    // Baissé d'abord : les traces rappellent des opérations de la surface.
    enAttente_ = false;
    std::vector<Trace> traces;
    std::vector<std::function<void(SurfaceMemoire&)>> autres;
    traces.swap(traces_);
    autres.swap(autres_);
    const Outils avant{crayon_, largeurCrayon_, brossePleine_, brosse_};
    for (const Trace& t : traces) {
        crayon_ = t.outils.crayon, largeurCrayon_ = t.outils.largeurCrayon, brossePleine_ = t.outils.brossePleine,
        brosse_ = t.outils.brosse;
        if (t.autre == kTrait)
            LigneNue(t.x0, t.y0, t.x1, t.y1);
        else
            autres[t.autre](*this);
    }
    crayon_ = avant.crayon, largeurCrayon_ = avant.largeurCrayon, brossePleine_ = avant.brossePleine,
    brosse_ = avant.brosse;
    if (!avance_.empty()) {
        int x = ancreX_;
        for (const std::string& t : avance_) x += LargeurDuTexte(t);
        posX_ = x;
        avance_.clear();
    }
}

void SurfaceMemoire::Segment(int y, long long g, long long d, uint32_t p) {
    if (y < 0 || y >= hauteur_) return;
    g = std::max(g, 0LL);
    d = std::min(d, (long long)largeur_ - 1);
    if (g > d) return;
    uint32_t* ligne = pixels_.data() + size_t(y) * size_t(largeur_);
    std::fill(ligne + g, ligne + d + 1, p);
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

// Le même trait que la boucle de TraitFin quand son premier et son dernier
// point posé sont sur la surface (tous ses points y sont alors). Cette boucle
// avance toujours d'un pas sur le grand axe ; au pas k, l'écart sur le petit
// axe vaut floor((2 petit k + grand) / (2 grand)), le milieu arrondi vers le
// bout. Ce quotient se tient en virgule fixe (2^-40), exact tant que grand <=
// 4096 ; la partie fractionnaire est rangée en haut d'un mot de 64 bits pour
// que le passage à l'écart suivant soit la retenue de l'addition : par point,
// une écriture et quelques additions, sans multiplication ni test de bord.
bool SurfaceMemoire::TraitFinDedans(int x0, int y0, int x1, int y1, uint32_t p) {
    auto dedans = [&](int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < largeur_ && y < hauteur_; };
    if (!dedans(x0, y0)) return false;
    const int64_t dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const ptrdiff_t pasX = x0 < x1 ? 1 : -1, pasY = (y0 < y1 ? 1 : -1) * ptrdiff_t(largeur_);
    const bool horizontal = dx >= dy;
    const int64_t grand = horizontal ? dx : dy, petit = horizontal ? dy : dx;
    if (grand == 0) return true;     // un seul point, exclu
    if (grand > 4096) return false;  // au-delà, la virgule fixe n'est plus exacte
    // Le dernier point est exclu : un trait arrêté au bord droit ou bas du champ
    // finit juste dehors. Il suffit que le dernier point posé soit dedans, les
    // coordonnées d'un trait allant toujours dans le même sens.
    const int64_t ecartFinal = (2 * petit * (grand - 1) + grand) / (2 * grand);
    const int64_t sensX = x0 < x1 ? 1 : -1, sensY = y0 < y1 ? 1 : -1;
    if (!dedans(x0 + sensX * (horizontal ? grand - 1 : ecartFinal), y0 + sensY * (horizontal ? ecartFinal : grand - 1)))
        return false;
    const ptrdiff_t pasGrand = horizontal ? pasX : pasY, pasPetit = horizontal ? pasY : pasX;
    // Un indice plutôt qu'un pointeur : après le dernier point, il peut sortir du tampon.
    uint32_t* const base = pixels_.data();
    ptrdiff_t q = ptrdiff_t(y0) * largeur_ + x0;
    if (petit == 0) {
        // Le cas le plus courant des figures : d'un seul tenant quand il est horizontal.
        if (pasGrand == 1 || pasGrand == -1) {
            const ptrdiff_t fin = q + ptrdiff_t(grand - 1) * pasGrand;
            std::fill(base + std::min(q, fin), base + std::max(q, fin) + 1, p);
        } else
            for (int64_t k = 0; k < grand; ++k, q += pasGrand) base[q] = p;
        return true;
    }
    if (petit == grand) {  // la diagonale : l'incrément ci-dessous vaudrait 1, hors de la fraction
        for (int64_t k = 0; k < grand; ++k, q += pasGrand + pasPetit) base[q] = p;
        return true;
    }
    // petit < grand <= 4096 : l'incrément reste sous 2^40, une retenue au plus par pas.
    const uint64_t inverse = ((uint64_t(1) << 40) + uint64_t(2 * grand) - 1) / uint64_t(2 * grand);
    unsigned long long t = (uint64_t(grand) * inverse) << 24;
    const unsigned long long pas = (uint64_t(2 * petit) * inverse) << 24;
    for (int64_t k = 0; k < grand; ++k) {
        base[q] = p;
        const bool retenue = __builtin_uaddll_overflow(t, pas, &t);
        q += pasGrand + (retenue ? pasPetit : 0);
    }
    return true;
}

void SurfaceMemoire::TraitFin(int x0, int y0, int x1, int y1, uint32_t p) {
    if (TraitFinDedans(x0, y0, x1, y1, p)) return;
    long long dx = std::llabs((long long)x1 - x0), dy = -std::llabs((long long)y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    long long err = dx + dy, cx = x0, cy = y0;
    while (!(cx == x1 && cy == y1)) {
        Poser(int(cx), int(cy), p);
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

// Trait large à bouts ronds : les pixels dont le centre est à au plus une
// demi-largeur du segment. Un crayon de largeur impaire est centré sur les
// pixels des extrémités, un crayon pair sur leurs coins (autant de pixels de
// part et d'autre) : un trait horizontal a exactement l'épaisseur du crayon.
void SurfaceMemoire::TraitLarge(int x0, int y0, int x1, int y1) {
    const double dec = (largeurCrayon_ & 1) ? 0.5 : 0.0, eps = 1e-9;
    const double ax = x0 + dec, ay = y0 + dec, bx = x1 + dec, by = y1 + dec, r = largeurCrayon_ / 2.0;
    const double dx = bx - ax, dy = by - ay, L2 = dx * dx + dy * dy, rL = r * std::sqrt(L2);
    const double inf = std::numeric_limits<double>::infinity();
    const uint32_t p = Pixel(crayon_);
    const long long premiere = std::max(0LL, (long long)std::floor(std::min(ay, by) - r - 1));
    const long long derniere = std::min((long long)hauteur_ - 1, (long long)std::ceil(std::max(ay, by) + r));
    for (long long y = premiere; y <= derniere; ++y) {
        const double Y = double(y) + 0.5;
        double lo = inf, hi = -inf;
        auto disque = [&](double cx, double cy) {
            const double q = r * r - (Y - cy) * (Y - cy);
            if (q < -eps) return;
            const double s = std::sqrt(std::max(q, 0.0));
            lo = std::min(lo, cx - s);
            hi = std::max(hi, cx + s);
        };
        disque(ax, ay);
        disque(bx, by);
        if (L2 > 0) {
            // Le corps : 0 <= (P - A)·D <= |D|² et |(P - A) x D| <= r |D|, linéaires en x.
            double l = -inf, h = inf;
            auto borne = [&](double coef, double cst, double min, double max) {
                if (std::fabs(coef) < 1e-12) {
                    if (cst < min - eps || cst > max + eps) l = inf, h = -inf;
                    return;
                }
                double u = (min - cst) / coef, v = (max - cst) / coef;
                if (u > v) std::swap(u, v);
                l = std::max(l, u);
                h = std::min(h, v);
            };
            borne(dx, -ax * dx + (Y - ay) * dy, 0, L2);
            borne(dy, -ax * dy - (Y - ay) * dx, -rL, rL);
            if (l <= h) {
                lo = std::min(lo, l);
                hi = std::max(hi, h);
            }
        }
        if (lo > hi) continue;
        Segment(int(y), (long long)std::ceil(lo - 0.5 - eps), (long long)std::floor(hi - 0.5 + eps), p);
    }
}

// Un trait quelconque : d'abord rogné à un carré élargi autour de la surface,
// pour rester exact sur la surface sans jamais parcourir des millions de points.
static bool Rogner(int& x0, int& y0, int& x1, int& y1, int largeurCrayon, int largeur, int hauteur) {
    const int marge = 2048 + largeurCrayon;
    const int bas = -marge, haut = std::max(largeur, hauteur) + marge;
    auto dedans = [&](int a, int b) { return a >= bas && a <= haut && b >= bas && b <= haut; };
    if (dedans(x0, y0) && dedans(x1, y1)) return true;
    double ax = x0, ay = y0, bx = x1, by = y1;
    if (!RognerSegment(ax, ay, bx, by, bas, haut)) return false;
    x0 = int(std::lround(ax)), y0 = int(std::lround(ay)), x1 = int(std::lround(bx)), y1 = int(std::lround(by));
    return true;
}

void SurfaceMemoire::LigneVers(int x, int y) {
    std::lock_guard verrou(verrou_);
    // Le départ après un texte en attente est au bout de ce texte : il faut sa largeur.
    if (!avance_.empty()) RendreCeQuiAttend();
    const int x0 = posX_, y0 = posY_;
    posX_ = x;
    posY_ = y;
    TracerUnTrait(x0, y0, x, y);
}

// DeplacerVers puis LigneVers, sous un seul verrou.
void SurfaceMemoire::Trait(int x0, int y0, int x1, int y1) {
    std::lock_guard verrou(verrou_);
    Placer(x1, y1);
    TracerUnTrait(x0, y0, x1, y1);
}

void SurfaceMemoire::LigneNue(int x0, int y0, int x, int y) {
    if (!Rogner(x0, y0, x, y, largeurCrayon_, largeur_, hauteur_)) return;
    ++version_;
    if (largeurCrayon_ > 1)
        TraitLarge(x0, y0, x, y);
    else
        TraitFin(x0, y0, x, y, Pixel(crayon_));
}

static void Normaliser(int& g, int& h, int& d, int& b) {
    if (g > d) std::swap(g, d);
    if (h > b) std::swap(h, b);
}

namespace {

// L'ellipse de largeur et hauteur totales (lq, hq) centrée comme le rectangle
// englobant : sur la ligne de pixels dont l'écart vertical doublé au centre est
// y2, l'écart horizontal doublé m des pixels strictement intérieurs vérifie
// m² hq² < lq² hq² - y2² lq². Rend le plus grand m de la parité des pixels, ou -1.
long long DemiCorde(long long y2, long long lq, long long hq, int parite) {
    if (lq <= 0 || hq <= 0) return -1;
    const Entier128 L = lq, H = hq, Y = y2;
    const Entier128 reste = L * L * H * H - Y * Y * L * L;
    if (reste <= 0) return -1;
    long long m = (long long)std::sqrt((long double)reste / (long double)(H * H));
    while (Entier128(m + 1) * (m + 1) * H * H < reste) ++m;
    while (m >= 0 && Entier128(m) * m * H * H >= reste) --m;
    if (m >= 0 && ((m - parite) & 1)) --m;
    return m;
}

// La corde d'une ligne en pixels : [g, d], vide si g > d.
struct Corde {
    long long g = 1, d = 0;
    bool Vide() const { return g > d; }
};

struct Ellipse2 {
    long long sommeX, sommeY;  // g + d et h + b : le centre doublé
    long long lq, hq;          // largeur et hauteur totales de l'ellipse
    int parite;                // parité des écarts doublés des pixels
    Corde Ligne(long long y) const {
        long long m = DemiCorde(2 * y + 1 - sommeY, lq, hq, parite);
        if (m < 0) return {};
        return {(-m + sommeX - 1) / 2, (m + sommeX - 1) / 2};
    }
};

}  // namespace

void SurfaceMemoire::ContourEllipse(int g, int h, int d, int b) {
    const long long W = (long long)d - g, H = (long long)b - h;
    const int parite = int((W + 1) & 1);
    const uint32_t p = Pixel(crayon_);
    const long long premiere = std::max<long long>(0, h - largeurCrayon_),
                    derniere = std::min<long long>(hauteur_ - 1, b + largeurCrayon_);
    if (largeurCrayon_ <= 1) {
        // Les pixels intérieurs qui touchent l'extérieur par un côté : une courbe fine et continue.
        const Ellipse2 e{(long long)g + d, (long long)h + b, W, H, parite};
        for (long long y = premiere; y <= derniere; ++y) {
            Corde c = e.Ligne(y);
            if (c.Vide()) continue;
            Corde dessus = e.Ligne(y - 1), dessous = e.Ligne(y + 1);
            long long ig = std::max({c.g + 1, dessus.g, dessous.g}), id = std::min({c.d - 1, dessus.d, dessous.d});
            if (dessus.Vide() || dessous.Vide() || ig > id) {
                Segment(int(y), c.g, c.d, p);
            } else {
                Segment(int(y), c.g, ig - 1, p);
                Segment(int(y), id + 1, c.d, p);
            }
        }
        return;
    }
    // Crayon large : l'anneau entre les ellipses élargie et rétrécie de la
    // largeur du crayon, autour du chemin qui passe par les pixels extrêmes.
    const Ellipse2 dehors{(long long)g + d, (long long)h + b, W - 1 + largeurCrayon_, H - 1 + largeurCrayon_, parite};
    const Ellipse2 dedans{(long long)g + d, (long long)h + b, W - 1 - largeurCrayon_, H - 1 - largeurCrayon_, parite};
    for (long long y = premiere; y <= derniere; ++y) {
        Corde c = dehors.Ligne(y);
        if (c.Vide()) continue;
        Corde trou = dedans.Ligne(y);
        if (trou.Vide()) {
            Segment(int(y), c.g, c.d, p);
        } else {
            Segment(int(y), c.g, trou.g - 1, p);
            Segment(int(y), trou.d + 1, c.d, p);
        }
    }
}

void SurfaceMemoire::Ellipse(int g, int h, int d, int b) {
    std::lock_guard verrou(verrou_);
    Tracer([=](SurfaceMemoire& s) { s.EllipseNue(g, h, d, b); });
}

void SurfaceMemoire::EllipseNue(int g, int h, int d, int b) {
    Normaliser(g, h, d, b);
    if (d - g < 1 || b - h < 1) return;
    ++version_;
    if (brossePleine_) {
        const Ellipse2 e{(long long)g + d, (long long)h + b, (long long)d - g, (long long)b - h, int((d - g + 1) & 1)};
        const uint32_t p = Pixel(brosse_);
        for (long long y = std::max(h, 0); y <= std::min(b - 1, hauteur_ - 1); ++y) {
            Corde c = e.Ligne(y);
            if (!c.Vide()) Segment(int(y), c.g, c.d, p);
        }
    }
    ContourEllipse(g, h, d, b);
}

void SurfaceMemoire::Rectangle(int g, int h, int d, int b) {
    std::lock_guard verrou(verrou_);
    Tracer([=](SurfaceMemoire& s) { s.RectangleNu(g, h, d, b); });
}

void SurfaceMemoire::RectangleNu(int g, int h, int d, int b) {
    Normaliser(g, h, d, b);
    if (d - g < 1 || b - h < 1) return;
    ++version_;
    if (brossePleine_) {
        const uint32_t p = Pixel(brosse_);
        for (int y = std::max(h, 0); y <= std::min(b - 1, hauteur_ - 1); ++y) Segment(y, g, d - 1, p);
    }
    if (largeurCrayon_ > 1) {
        const Point coins[5] = {{g, h}, {d - 1, h}, {d - 1, b - 1}, {g, b - 1}, {g, h}};
        for (int i = 0; i < 4; ++i) {
            int x0 = coins[i].x, y0 = coins[i].y, x1 = coins[i + 1].x, y1 = coins[i + 1].y;
            if (Rogner(x0, y0, x1, y1, largeurCrayon_, largeur_, hauteur_)) TraitLarge(x0, y0, x1, y1);
        }
        return;
    }
    const uint32_t p = Pixel(crayon_);
    Segment(h, g, d - 1, p);
    Segment(b - 1, g, d - 1, p);
    for (int y = std::max(h, 0); y <= std::min(b - 1, hauteur_ - 1); ++y) {
        Poser(g, y, p);
        Poser(d - 1, y, p);
    }
}

// Intérieur par lignes de balayage (règle pair-impair, centres des pixels),
// puis les côtés avec le crayon.
void SurfaceMemoire::Polygone(const std::vector<Point>& pts) {
    std::lock_guard verrou(verrou_);
    // Les sommets ne sont copiés que si le polygone doit attendre.
    if (!DoitAttendre())
        PolygoneNu(pts);
    else
        Tracer([pts](SurfaceMemoire& s) { s.PolygoneNu(pts); });
}

void SurfaceMemoire::PolygoneNu(const std::vector<Point>& pts) {
    if (pts.empty()) return;
    ++version_;
    const size_t n = pts.size();
    if (brossePleine_ && n >= 3) {
        long long haut = pts[0].y, bas = pts[0].y;
        for (const Point& q : pts) haut = std::min<long long>(haut, q.y), bas = std::max<long long>(bas, q.y);
        const uint32_t p = Pixel(brosse_);
        std::vector<double> croisements;
        for (long long y = std::max(haut, 0LL); y <= std::min(bas, (long long)hauteur_ - 1); ++y) {
            croisements.clear();
            for (size_t i = 0; i < n; ++i) {
                const Point &a = pts[i], &c = pts[(i + 1) % n];
                if (a.y == c.y) continue;
                const double ya = a.y, yc = c.y;
                if (!((y >= std::min(ya, yc)) && (y < std::max(ya, yc)))) continue;
                croisements.push_back(a.x + (double(y) - ya) * (double(c.x) - a.x) / (yc - ya));
            }
            std::sort(croisements.begin(), croisements.end());
            for (size_t i = 0; i + 1 < croisements.size(); i += 2)
                Segment(int(y), (long long)std::ceil(croisements[i]), (long long)std::ceil(croisements[i + 1]) - 1, p);
        }
    }
    const uint32_t p = Pixel(crayon_);
    for (size_t i = 0; i < n; ++i) {
        int x0 = pts[i].x, y0 = pts[i].y, x1 = pts[(i + 1) % n].x, y1 = pts[(i + 1) % n].y;
        if (!Rogner(x0, y0, x1, y1, largeurCrayon_, largeur_, hauteur_)) continue;
        if (largeurCrayon_ > 1)
            TraitLarge(x0, y0, x1, y1);
        else if (n == 1)
            Poser(x0, y0, p);
        else
            TraitFin(x0, y0, x1, y1, p);
    }
}

void SurfaceMemoire::RemplirRectangle(int g, int h, int d, int b, Couleur c) {
    std::lock_guard verrou(verrou_);
    Tracer([=](SurfaceMemoire& s) { s.RemplirRectangleNu(g, h, d, b, c); });
}

void SurfaceMemoire::RemplirRectangleNu(int g, int h, int d, int b, Couleur c) {
    Normaliser(g, h, d, b);
    ++version_;
    const uint32_t p = Pixel(c);
    for (int y = std::max(h, 0); y <= std::min(b - 1, hauteur_ - 1); ++y) Segment(y, g, (long long)d - 1, p);
}

// Remplissage par segments de ligne, avec une pile explicite : jamais de récursion.
void SurfaceMemoire::RemplissageSurface(int x, int y, Couleur cible) {
    std::lock_guard verrou(verrou_);
    VideLeTexteEnAttente();  // le remplissage lit les pixels
    const int w = largeur_, h = hauteur_;
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    const uint32_t avant = Pixel(cible), apres = Pixel(brosse_);
    auto lire = [&](int px, int py) { return pixels_[size_t(py) * size_t(w) + size_t(px)]; };
    if (lire(x, y) != avant || apres == avant) return;
    ++version_;
    std::vector<std::pair<int, int>> pile{{x, y}};
    while (!pile.empty()) {
        auto [px, py] = pile.back();
        pile.pop_back();
        if (lire(px, py) != avant) continue;
        int g = px, d = px;
        while (g > 0 && lire(g - 1, py) == avant) --g;
        while (d < w - 1 && lire(d + 1, py) == avant) ++d;
        Segment(py, g, d, apres);
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

Couleur SurfaceMemoire::LirePixel(int x, int y) const {
    std::lock_guard verrou(verrou_);
    VideLeTexteEnAttente();
    if (x < 0 || y < 0 || x >= largeur_ || y >= hauteur_) return Couleur{255, 255, 255};
    uint32_t p = pixels_[size_t(y) * size_t(largeur_) + size_t(x)];
    return Couleur{uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)};
}

void SurfaceMemoire::EcrirePixel(int x, int y, Couleur c) {
    std::lock_guard verrou(verrou_);
    Tracer([=](SurfaceMemoire& s) {
        ++s.version_;
        s.Poser(x, y, Pixel(c));
    });
}

void SurfaceMemoire::TexteALaPosition(const std::string&) {}

void SurfaceMemoire::CopierDepuis(const Surface& source) {
    const auto* s = dynamic_cast<const SurfaceMemoire*>(&source);
    if (!s || s == this) return;
    std::scoped_lock verrous(verrou_, s->verrou_);
    ++version_;
    if (largeur_ == s->largeur_ && hauteur_ == s->hauteur_ && typeid(*this) == typeid(*s)) {
        // Tout le tampon est remplacé : ce qui attendait ici ne se verrait plus,
        // ce qui attend là-bas suit les pixels et sera rendu ici par la même face.
        // L'abscisse d'ici garde ses textes à mesurer (avance_).
        std::copy(s->pixels_.begin(), s->pixels_.end(), pixels_.begin());
        traces_ = s->traces_;
        autres_ = s->autres_;
        enAttente_ = !traces_.empty() || !avance_.empty();
        return;
    }
    s->VideLeTexteEnAttente();
    VideLeTexteEnAttente();
    const int w = std::min(largeur_, s->largeur_), h = std::min(hauteur_, s->hauteur_);
    for (int y = 0; y < h; ++y)
        std::copy_n(s->pixels_.data() + size_t(y) * size_t(s->largeur_), w,
                    pixels_.data() + size_t(y) * size_t(largeur_));
}

void SurfaceMemoire::CollerImage(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels) {
    std::lock_guard verrou(verrou_);
    if (largeur <= 0 || hauteur <= 0 || pixels.size() < size_t(largeur) * size_t(hauteur)) return;
    if (!DoitAttendre())
        CollerImageNue(x, y, largeur, hauteur, pixels);
    else
        Tracer([=](SurfaceMemoire& s) { s.CollerImageNue(x, y, largeur, hauteur, pixels); });
}

void SurfaceMemoire::CollerImageNue(int x, int y, int largeur, int hauteur, const std::vector<Couleur>& pixels) {
    ++version_;
    for (int j = 0; j < hauteur; ++j)
        for (int i = 0; i < largeur; ++i) Poser(x + i, y + j, Pixel(pixels[size_t(j) * size_t(largeur) + size_t(i)]));
}

}  // namespace gelim
