// Le tracé logiciel de la surface en mémoire : les règles de géométrie d'un
// contexte graphique (rectangle englobant sans ses bords droit et bas, dernier
// point d'un trait exclu), les crayons larges, la symétrie et les coordonnées démesurées.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <random>
#include <vector>

#include "durees.h"
#include "turtle/surface_memoire.h"

namespace gelim {
namespace {

const Couleur kNoir{0, 0, 0}, kBlanc{255, 255, 255}, kVert{0, 200, 0};

bool Encre(const SurfaceMemoire& s, int x, int y) {
    return s.LirePixel(x, y) != kBlanc;
}

// La boîte des pixels non blancs : gauche, haut, droite, bas (compris).
std::array<int, 4> Boite(const SurfaceMemoire& s) {
    std::array<int, 4> b{s.Largeur(), s.Hauteur(), -1, -1};
    for (int y = 0; y < s.Hauteur(); ++y)
        for (int x = 0; x < s.Largeur(); ++x)
            if (Encre(s, x, y)) b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
    return b;
}

TEST(SurfaceMemoire, TraitFinSansSonDernierPointEtTraitsLargesAuxBoutsRonds) {
    SurfaceMemoire s(100, 100);
    s.DeplacerVers(10, 10);
    s.LigneVers(20, 15);
    EXPECT_TRUE(Encre(s, 10, 10));
    EXPECT_FALSE(Encre(s, 20, 15));
    EXPECT_EQ(Boite(s), (std::array<int, 4>{10, 10, 19, 15}));

    // Un trait horizontal a l'épaisseur du crayon, paire comme impaire.
    for (int largeur : {2, 3, 4, 7}) {
        SurfaceMemoire t(100, 100);
        t.Crayon(kNoir, largeur);
        t.DeplacerVers(20, 50);
        t.LigneVers(80, 50);
        const auto b = Boite(t);
        EXPECT_EQ(b[3] - b[1] + 1, largeur) << largeur;
        // Les bouts sont ronds : le coin du carré qui les engloberait reste blanc.
        if (largeur >= 4) {
            EXPECT_FALSE(Encre(t, b[0], b[1])) << largeur;
        }
        EXPECT_TRUE(Encre(t, b[0] + largeur / 2, 50)) << largeur;
    }
}

// Le trait fin pas à pas, point par point : la référence du tracé rapide.
std::vector<uint32_t> TraitDeReference(int w, int h, int x0, int y0, int x1, int y1) {
    std::vector<uint32_t> px(size_t(w) * size_t(h), SurfaceMemoire::Pixel(kBlanc));
    long long dx = std::llabs((long long)x1 - x0), dy = -std::llabs((long long)y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    long long err = dx + dy, cx = x0, cy = y0;
    while (!(cx == x1 && cy == y1)) {
        if (cx >= 0 && cy >= 0 && cx < w && cy < h)
            px[size_t(cy) * size_t(w) + size_t(cx)] = SurfaceMemoire::Pixel(kNoir);
        long long e2 = 2 * err;
        if (e2 >= dy) err += dy, cx += sx;
        if (e2 <= dx) err += dx, cy += sy;
    }
    return px;
}

// Le tracé sans test par point (bouts sur la surface) et le tracé général
// (un bout dehors, ou trop long pour la virgule fixe) donnent les pixels de la
// référence, pente par pente.
TEST(SurfaceMemoire, TraitFinPointPourPointCommeLaReference) {
    auto verifier = [](int w, int h, int x0, int y0, int x1, int y1) {
        SurfaceMemoire s(w, h);
        s.DeplacerVers(x0, y0);
        s.LigneVers(x1, y1);
        const auto attendu = TraitDeReference(w, h, x0, y0, x1, y1);
        ASSERT_TRUE(std::equal(attendu.begin(), attendu.end(), s.Donnees()))
            << w << "x" << h << " : " << x0 << "," << y0 << " -> " << x1 << "," << y1;
    };
    std::mt19937 hasard(12345);
    for (auto [w, h] : {std::pair{1000, 1000}, std::pair{37, 600}, std::pair{4096, 3}}) {
        std::uniform_int_distribution<int> x(-w / 4, w + w / 4), y(-h / 4, h + h / 4);
        for (int essai = 0; essai < 300; ++essai) verifier(w, h, x(hasard), y(hasard), x(hasard), y(hasard));
    }
    // Les cas à part : horizontaux et verticaux, diagonales, un seul pas, et
    // des traits de plus de 4096 points dans les deux sens.
    for (auto [dx, dy] : {std::pair{37, 0}, {0, 37}, {25, 25}, {1, 0}, {0, 1}, {1, 1}, {2, 1}, {40, 1}, {1, 40}})
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) verifier(100, 100, 50, 50, 50 + sx * dx, 50 + sy * dy);
    // Arrêté au bord droit ou bas, le trait finit juste dehors, son dernier point exclu.
    for (auto [x1, y1] : {std::pair{100, 70}, {100, 30}, {80, 100}, {20, 100}, {100, 100}, {100, 99}})
        verifier(100, 100, 50, 50, x1, y1);
    verifier(5000, 3, 1, 0, 4999, 2);
    verifier(5000, 3, 4999, 2, 1, 1);
    verifier(5000, 3, 0, 1, 4200, 1);
}

TEST(SurfaceMemoire, EllipsesDansLeurRectangleEtSymetriques) {
    for (int taille = 1; taille <= 40; ++taille) {
        SurfaceMemoire s(100, 100);
        s.Ellipse(10, 20, 10 + taille, 20 + taille + 3);
        // Les bords droit et bas du rectangle sont exclus.
        EXPECT_EQ(Boite(s), (std::array<int, 4>{10, 20, 9 + taille, 22 + taille})) << taille;
        for (int y = 20; y < 23 + taille; ++y)
            for (int x = 10; x < 10 + taille; ++x) {
                ASSERT_EQ(Encre(s, x, y), Encre(s, 19 + taille - x, y)) << taille << " " << x << "," << y;
                ASSERT_EQ(Encre(s, x, y), Encre(s, x, 42 + taille - y)) << taille << " " << x << "," << y;
            }
    }
    // Creuse sans brosse ; pleine avec, son contour du crayon par-dessus.
    SurfaceMemoire s(100, 100);
    s.Ellipse(20, 20, 80, 80);
    EXPECT_FALSE(Encre(s, 50, 50));
    s.Brosse(kVert);
    s.Ellipse(20, 20, 80, 80);
    EXPECT_EQ(s.LirePixel(50, 50), kVert);
    EXPECT_EQ(s.LirePixel(20, 50), kNoir);
    // Un crayon large est centré sur le contour d'un pixel : un anneau de sa largeur.
    SurfaceMemoire l(100, 100);
    l.Crayon(kNoir, 6);
    l.Ellipse(20, 20, 80, 80);
    EXPECT_EQ(Boite(l), (std::array<int, 4>{18, 18, 81, 81}));
    for (int x = 18; x <= 23; ++x) EXPECT_TRUE(Encre(l, x, 50)) << x;
    EXPECT_FALSE(Encre(l, 24, 50));
}

TEST(SurfaceMemoire, RectanglesEtPolygones) {
    SurfaceMemoire s(100, 100);
    s.Rectangle(40, 30, 10, 20);  // coins dans n'importe quel ordre
    EXPECT_EQ(Boite(s), (std::array<int, 4>{10, 20, 39, 29}));
    EXPECT_FALSE(Encre(s, 20, 25));
    SurfaceMemoire p(100, 100);
    p.Brosse(kVert);
    p.Polygone({{50, 10}, {90, 50}, {50, 90}, {10, 50}});
    EXPECT_EQ(p.LirePixel(50, 50), kVert);
    EXPECT_EQ(p.LirePixel(50, 10), kNoir);
    EXPECT_EQ(Boite(p), (std::array<int, 4>{10, 10, 90, 90}));
}

TEST(SurfaceMemoire, CoordonneesDemesureesTraceesSansTarder) {
    const auto debut = std::chrono::steady_clock::now();
    SurfaceMemoire s(200, 200);
    s.Crayon(kNoir, 9);
    s.DeplacerVers(-(1 << 28), 100);
    s.LigneVers(1 << 28, 100);
    s.Crayon(kNoir, 1);
    s.Ellipse(100 - (1 << 28), 100 - (1 << 28), 100 + (1 << 28), 100 + (1 << 28));
    s.Rectangle(-(1 << 28), -(1 << 28), 1 << 28, 1 << 28);
    EXPECT_TRUE(Encre(s, 0, 100) && Encre(s, 199, 104));
    EXPECT_FALSE(Encre(s, 100, 50));
    if (kDureesVerifiees) {
        EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(2));
    }
}

// Une surface qui diffère ses figures donne, à la lecture, les pixels d'une
// surface qui trace tout de suite ; recouverte par une copie, elle ne trace
// plus ce qui attendait.
TEST(SurfaceMemoire, FiguresDiffereesRenduesALaLectureOublieesSousUneCopie) {
    SurfaceMemoire directe(200, 200), differee(200, 200), source(200, 200);
    differee.DiffererLesFigures(true);
    for (SurfaceMemoire* s : {&directe, &differee}) {
        s->Crayon(Couleur{200, 0, 0}, 1);
        s->DeplacerVers(10, 10);
        s->LigneVers(150, 90);
        s->Crayon(Couleur{0, 0, 200}, 3);
        s->LigneVers(20, 180);
        s->Crayon(Couleur{0, 120, 0}, 1);
        s->Trait(-50, 30, 190, 170);
        s->Ellipse(40, 120, 90, 160);
        s->Brosse(Couleur{0, 150, 0});
        s->Rectangle(30, 30, 60, 60);
        s->EcrirePixel(100, 100, Couleur{1, 2, 3});
    }
    EXPECT_TRUE(std::equal(directe.Donnees(), directe.Donnees() + 200 * 200, differee.Donnees()));

    differee.LigneVers(190, 190);
    source.RemplirRectangle(0, 0, 200, 200, Couleur{9, 9, 9});
    differee.CopierDepuis(source);
    EXPECT_EQ(differee.LirePixel(180, 180).r, 9);
    EXPECT_TRUE(std::equal(source.Donnees(), source.Donnees() + 200 * 200, differee.Donnees()));
}

}  // namespace
}  // namespace gelim
