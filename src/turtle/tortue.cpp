// La tortue : état, instantané, crayon, déplacements dans le champ clos ou
// ouvert, figure sur la vue, contrôle du bord et cadre.
#include <algorithm>
#include <cmath>

#include "text/messages.h"
#include "turtle/tortue_interne.h"

namespace gelim {

void AppliquerLeCrayon(Interp& I) {
    const EtatTortue& t = I.tortue;
    int largeur = t.largeurCrayon < 1 ? 1 : (t.largeurCrayon > kLargeurCrayonMax ? kLargeurCrayonMax : t.largeurCrayon);
    if (I.vue) I.vue->Crayon(t.couleurCrayon, largeur);
    if (I.dessin) I.dessin->Crayon(t.couleurCrayon, largeur);
}

void InitialiserLaTortue(Interp& I) {
    I.tortue = EtatTortue{};  // le champ clos garde sa valeur : il n'est pas dans l'état
    AppliquerLeCrayon(I);
}

void SauverLaTortue(Interp& I) {
    I.instantane = I.tortue;
}

void RestaurerLaTortue(Interp& I) {
    I.tortue = I.instantane;
    AppliquerLeCrayon(I);
}

// Un trait de (x0, y0) à (x1, y1) du champ, sur les deux surfaces, avec le
// crayon courant ; les extrémités sont arrondies à trunc(v + 0,1).
static void TraitDeDeplacement(Interp& I, float x0, float y0, float x1, float y1) {
    int32_t X0 = CoordonneeDuChamp(double(x0) + 0.1), Y0 = CoordonneeDuChamp(double(y0) + 0.1);
    int32_t X1 = CoordonneeDuChamp(double(x1) + 0.1), Y1 = CoordonneeDuChamp(double(y1) + 0.1);
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point a = pixel(X0, Y0), b = pixel(X1, Y1);
        s.Trait(a.x, a.y, b.x, b.y);
    });
}

// Le champ clos : raccourcit le déplacement de (x, y) vers (nx, ny) au premier
// mur franchi, celui dont la distance est la plus proche de zéro (une distance
// négative, « av(-600) », s'arrête donc aussi au premier mur). Un mur que la
// tortue a déjà dépassé (champ rouvert puis clos) ne l'arrête pas : elle peut
// revenir, et aucun calcul ne divise par zéro.
static bool RaccourcirAuCadre(float x, float y, float s, float c, float& nx, float& ny) {
    float tx = 99999.0f, ty = 99999.0f;
    bool coupe = false;
    if (nx > 500.0f && x <= 500.0f && s != 0.0f) tx = (500.0f - x) / s, coupe = true;
    if (ny > 500.0f && y <= 500.0f && c != 0.0f) ty = (500.0f - y) / c, coupe = true;
    if (nx < -500.0f && x >= -500.0f && s != 0.0f) tx = (-500.0f - x) / s, coupe = true;
    if (ny < -500.0f && y >= -500.0f && c != 0.0f) ty = (-500.0f - y) / c, coupe = true;
    if (!coupe) return false;
    float d = std::fabs(tx) < std::fabs(ty) ? tx : ty;
    nx = x + d * s;
    ny = y + d * c;
    return true;
}

void Avance(Interp& I, float distance) {
    EtatTortue& t = I.tortue;
    float s = static_cast<float>(std::sin(t.cap)), c = static_cast<float>(std::cos(t.cap));
    float nx = t.x + distance * s, ny = t.y + distance * c;
    if (I.champClos && RaccourcirAuCadre(t.x, t.y, s, c, nx, ny)) {
        I.hote.Beep(Bip::Exclamation);
        EcritLigne(I, "Aïe, la tortue s'est cognée contre le cadre !");
    }
    // Une distance infinie ou indéterminée ne mène nulle part : la tortue reste.
    if (!std::isfinite(nx) || !std::isfinite(ny)) return;
    float x0 = t.x, y0 = t.y;
    t.x = nx;
    t.y = ny;
    if (t.crayonBaisse) TraitDeDeplacement(I, x0, y0, t.x, t.y);
}

void Recule(Interp& I, float distance) {
    double cap = I.tortue.cap;
    I.tortue.cap += 180.0 * static_cast<double>(kDegreEnRadian);
    Avance(I, distance);
    I.tortue.cap = cap;
}

void AllerA(Interp& I, float X, float Y) {
    EtatTortue& t = I.tortue;
    if (!std::isfinite(X) || !std::isfinite(Y)) return;
    float x0 = t.x, y0 = t.y;
    t.x = X;
    t.y = Y;
    if (t.crayonBaisse) TraitDeDeplacement(I, x0, y0, X, Y);
}

// ---- La figure de la tortue (sur la vue seulement) ----

namespace {

struct Vecteur {
    float x, y;
};
Vecteur operator+(Vecteur a, Vecteur b) {
    return {a.x + b.x, a.y + b.y};
}
Vecteur operator-(Vecteur a, Vecteur b) {
    return {a.x - b.x, a.y - b.y};
}
Vecteur operator*(float k, Vecteur a) {
    return {k * a.x, k * a.y};
}

// Le vecteur unité de la direction a (0 vers le haut, sens des aiguilles d'une montre).
Vecteur U(double a) {
    return {static_cast<float>(std::sin(a)), static_cast<float>(std::cos(a))};
}

struct Figure {
    Surface& s;
    int dx, dy;
    Point P(Vecteur v) const { return Point{500 + CoordonneeDuChamp(v.x) + dx, 500 - CoordonneeDuChamp(v.y) + dy}; }
    void Ellipse(Vecteur a, Vecteur b) const {
        Point p = P(a), q = P(b);
        s.Ellipse(p.x, p.y, q.x, q.y);
    }
    void DeplacerVers(Vecteur v) const {
        Point p = P(v);
        s.DeplacerVers(p.x, p.y);
    }
    void LigneVers(Vecteur v) const {
        Point p = P(v);
        s.LigneVers(p.x, p.y);
    }
};

}  // namespace

void DessinerLaFigure(Surface& s, const EtatTortue& t, const std::array<Couleur, 256>& couleurs, int dx, int dy) {
    if (!t.montree || !std::isfinite(t.x) || !std::isfinite(t.y)) return;
    const int largeur = std::clamp(t.largeurCrayon, 1, kLargeurCrayonMax);
    Figure f{s, dx, dy};
    const double h = t.cap, q = 45.0 * static_cast<double>(kDegreEnRadian);
    const Vecteur P{t.x, t.y};
    const Vecteur P0{std::trunc(t.x), std::trunc(t.y)};
    const Vecteur uh = U(h), up = U(h + q), um = U(h - q);

    // La tête, du vert de l'entrée 112, avec le crayon courant.
    s.Crayon(t.couleurCrayon, largeur);
    s.Brosse(couleurs[112]);
    Vecteur k = P0 + 19.0f * uh;
    k = {std::trunc(k.x), std::trunc(k.y)};
    f.Ellipse(k - Vecteur{5, 5}, k + Vecteur{5, 5});

    // Les quatre pattes : des losanges noirs.
    s.Brosse(Couleur{0, 0, 0});
    s.Crayon(Couleur{0, 0, 0}, 2);
    const float bras = 1.3f;
    for (Vecteur centre :
         {P + bras * (15.0f * up), P + bras * (15.0f * um), P - bras * (15.0f * up), P - bras * (15.0f * um)}) {
        Vecteur F0{std::trunc(centre.x), std::trunc(centre.y)};
        std::vector<Point> coins;
        for (Vecteur v : {F0 + 4.0f * um, F0 + 4.0f * up, F0 - 4.0f * um, F0 - 4.0f * up}) coins.push_back(f.P(v));
        s.Polygone(coins);
    }
    s.BrosseCreuse();

    // L'anneau montre la couleur et la largeur du crayon baissé.
    if (t.crayonBaisse) {
        s.Crayon(t.couleurCrayon, largeur);
        f.Ellipse(P - Vecteur{6, 6}, P + Vecteur{6, 6});
    }

    // La queue.
    s.Crayon(couleurs[253], 2);
    const Vecteur T2 = P0 - 15.0f * uh + 4.0f * up, T3 = P0 - 23.0f * uh, T1 = P0 - 15.0f * uh + 4.0f * um;
    f.DeplacerVers(T2);
    f.LigneVers(T3);
    f.LigneVers(T1);

    // La carapace, depuis T1.
    s.Crayon(couleurs[80], 3);
    for (Vecteur v : {P - 15.0f * up, P + 15.0f * um, P0 + 15.0f * uh, P + 15.0f * up, P - 15.0f * um, T2})
        f.LigneVers(v);
    s.BrosseCreuse();
}

void DessinerLaTortue(Interp& I) {
    const EtatTortue& t = I.tortue;
    if (!I.vue || !t.montree || !std::isfinite(t.x) || !std::isfinite(t.y)) return;
    DessinerLaFigure(*I.vue, I.tortue, I.tableCouleurs, I.vueDecalageX, I.vueDecalageY);
    AppliquerLeCrayon(I);
}

// ---- Le cadre ----

// Le rectangle du cadre par les coins (-500, -500) et (500, 500), crayon noir d'un pixel.
static void TracerLeCadre(Surface& s, Point a, Point b) {
    s.BrosseCreuse();
    s.Crayon(Couleur{0, 0, 0}, 1);
    s.Rectangle(a.x, a.y, b.x, b.y);
}

void DessinerLeCadre(Interp& I) {
    if (!I.dessin) return;
    TracerLeCadre(*I.dessin, PixelDuDessin(-500, -500), PixelDuDessin(500, 500));
    AppliquerLeCrayon(I);
}

void VerifierLeBordDuCadre(Interp& I) {
    const EtatTortue& t = I.tortue;
    if (!I.champClos) return;
    if (!(t.x > 498.0f || t.x < -498.0f || t.y > 498.0f || t.y < -498.0f)) return;
    DessinerLaTortue(I);
    if (I.vue) TracerLeCadre(*I.vue, PixelDeLaVue(I, -500, -500), PixelDeLaVue(I, 500, 500));
    I.hote.AlerteOk(TXT("A  T  T  E  N  T  I  O  N"),
                    {TXT("La tortue est arrivée au bord du cadre."), TXT("La taille du cadre est de 1000x1000 pixels."),
                     TXT("Ses coordonnées vont de -499 à + 500.")});
    AppliquerLeCrayon(I);
}

void BlanchirLesSurfaces(Interp& I) {
    const Couleur blanc{255, 255, 255};
    if (I.vue) I.vue->RemplirRectangle(0, 0, 2000, 2000, blanc);
    if (I.dessin) I.dessin->RemplirRectangle(0, 0, 2000, 2000, blanc);
}

}  // namespace gelim
