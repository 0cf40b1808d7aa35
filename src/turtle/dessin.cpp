// Les primitives de dessin : couleurs et largeur du crayon, fond, figures aux
// coordonnées du champ, points, remplissage, lecture d'un point, souris.
#include "turtle/tortue_interne.h"

namespace gelim {

void FixerCouleurCrayon(Interp& I, float n) {
    int32_t c = NumeroDeCouleur(n);
    I.tortue.numeroCouleur = c;
    I.tortue.couleurCrayon = I.tableCouleurs[size_t(c)];
    AppliquerLeCrayon(I);
}

void FixerEpaisseurCrayon(Interp& I, float n) {
    int32_t l = Tronque(n);
    I.tortue.largeurCrayon = l < 1 ? 1 : l;
    AppliquerLeCrayon(I);
}

// Tout l'intérieur du cadre ; la ligne du cadre (à ±500) est épargnée.
void FixerCouleurDuFond(Interp& I, float n) {
    Couleur c = I.tableCouleurs[size_t(NumeroDeCouleur(n))];
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point a = pixel(-499, -499), b = pixel(499, 499);
        s.Brosse(c);
        s.RemplirRectangle(a.x, a.y, b.x, b.y, c);
        s.BrosseCreuse();
    });
}

void Cercle(Interp& I, float X, float Y, float r) {
    int32_t g = CoordonneeDuChamp(double(X) - double(r)), h = CoordonneeDuChamp(double(Y) - double(r));
    int32_t d = CoordonneeDuChamp(double(X) + double(r)), b = CoordonneeDuChamp(double(Y) + double(r));
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point p = pixel(g, h), q = pixel(d, b);
        s.BrosseCreuse();
        s.Ellipse(p.x, p.y, q.x, q.y);
    });
}

void Ligne(Interp& I, float x1, float y1, float x2, float y2) {
    int32_t X1 = CoordonneeDuChamp(x1), Y1 = CoordonneeDuChamp(y1);
    int32_t X2 = CoordonneeDuChamp(x2), Y2 = CoordonneeDuChamp(y2);
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point p = pixel(X1, Y1), q = pixel(X2, Y2);
        s.DeplacerVers(p.x, p.y);
        s.LigneVers(q.x, q.y);
    });
}

void RectangleCreux(Interp& I, float x1, float y1, float x2, float y2) {
    int32_t X1 = CoordonneeDuChamp(x1), Y1 = CoordonneeDuChamp(y1);
    int32_t X2 = CoordonneeDuChamp(x2), Y2 = CoordonneeDuChamp(y2);
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point p = pixel(X1, Y1), q = pixel(X2, Y2);
        s.BrosseCreuse();
        s.Rectangle(p.x, p.y, q.x, q.y);
    });
}

void Bloc(Interp& I, float x1, float y1, float x2, float y2) {
    int32_t X1 = CoordonneeDuChamp(x1), Y1 = CoordonneeDuChamp(y1);
    int32_t X2 = CoordonneeDuChamp(x2), Y2 = CoordonneeDuChamp(y2);
    Couleur c = I.tortue.couleurCrayon;
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point p = pixel(X1, Y1), q = pixel(X2, Y2);
        s.Brosse(c);
        s.RemplirRectangle(p.x, p.y, q.x, q.y, c);
        s.BrosseCreuse();
    });
}

void Pixel(Interp& I, float X, float Y) {
    int32_t x = CoordonneeDuChamp(X), y = CoordonneeDuChamp(Y);
    Couleur c = I.tortue.couleurCrayon;
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point p = pixel(x, y);
        s.EcrirePixel(p.x, p.y, c);
    });
}

// Le remplissage de surface du blanc, depuis le pixel de la tortue : la vue
// d'abord, puis le dessin. Une tortue sur un point non blanc ne remplit rien.
void Remplis(Interp& I) {
    const EtatTortue& t = I.tortue;
    int32_t x = CoordonneeDuChamp(t.x), y = CoordonneeDuChamp(t.y);
    const Couleur blanc{255, 255, 255};
    auto remplir = [&](Surface& s, Point p) {
        s.Brosse(t.couleurCrayon);
        s.RemplissageSurface(p.x, p.y, blanc);
        s.BrosseCreuse();
    };
    if (I.vue) remplir(*I.vue, PixelDeLaVue(I, x, y));
    if (I.dessin) remplir(*I.dessin, PixelDuDessin(x, y));
}

// Le numéro de la première entrée de la table dont chaque composante diffère
// de moins de 2 de celle du point lu sur la vue ; 0 si aucune.
float PrimCpixel(Interp& I, float X, float Y) {
    Surface* s = I.vue ? I.vue : I.dessin;
    if (!s) return 0;
    int32_t x = CoordonneeDuChamp(X), y = CoordonneeDuChamp(Y);
    Point p = s == I.vue ? PixelDeLaVue(I, x, y) : PixelDuDessin(x, y);
    Couleur c = s->LirePixel(p.x, p.y);
    auto proche = [](uint8_t a, uint8_t b) { return (a > b ? a - b : b - a) < 2; };
    for (int i = 0; i < 256; ++i) {
        const Couleur& e = I.tableCouleurs[size_t(i)];
        if (proche(e.r, c.r) && proche(e.g, c.g) && proche(e.b, c.b)) return float(i);
    }
    return 0;
}

// Le dernier mouvement de souris en attente, en unités du champ.
void MettreAJourLaSouris(Interp& I) {
    int px = 0, py = 0;
    if (!I.hote.MouvementSouris(px, py)) return;
    int w = 1000, h = 1000;
    I.hote.TailleFenetreGraphique(w, h);
    I.sourisX = px + 12 - w / 2;
    I.sourisY = h / 2 - (py + 21);
}

}  // namespace gelim
