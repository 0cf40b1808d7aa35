// Les primitives de dessin, ce que les transcriptions ne voient pas : table
// des couleurs, lecture d'un point sur la vue, remplissage du cadre entier,
// curseur, titre des messages ; les valeurs extrêmes.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "durees.h"
#include "outils_tortue.h"

using namespace gelim;
using namespace gelim::essais;

namespace {

void Logo4(Interp& I, const char* nom, float a, float b, float c, float d) {
    ASSERT_TRUE(ExecuterLogo4(I, P(I, nom), a, b, c, d)) << nom;
}

}  // namespace

TEST(Dessin, LaTableDesCouleursDuDemarrage) {
    Banc b;
    const auto& t = b.I->tableCouleurs;
    EXPECT_EQ(t[0], (Couleur{255, 255, 255}));
    EXPECT_EQ(t[35], (Couleur{255, 95, 95}));
    EXPECT_EQ(t[36], (Couleur{223, 255, 255}));
    EXPECT_EQ(t[80], (Couleur{191, 223, 191}));
    EXPECT_EQ(t[112], (Couleur{159, 255, 127}));
    EXPECT_EQ(t[215], (Couleur{95, 95, 95}));
    EXPECT_EQ(t[216], (Couleur{63, 255, 255}));
    EXPECT_EQ(t[235], (Couleur{63, 159, 223}));
    const Couleur fixes[20] = {{255, 255, 255}, {255, 255, 0}, {255, 0, 255},   {0, 255, 255}, {255, 0, 0},
                               {0, 255, 0},     {0, 0, 255},   {192, 192, 192}, {192, 192, 0}, {192, 0, 192},
                               {0, 192, 192},   {192, 0, 0},   {128, 128, 128}, {128, 128, 0}, {128, 0, 128},
                               {0, 128, 128},   {128, 0, 0},   {0, 128, 0},     {0, 0, 128},   {0, 0, 0}};
    for (int i = 0; i < 20; ++i) EXPECT_EQ(t[size_t(236 + i)], fixes[i]) << 236 + i;
    // Le cube : rouge de 255 à 63, vert et bleu de 255 à 95, par pas de 32.
    for (int i = 0; i < 236; ++i) {
        EXPECT_EQ(t[size_t(i)].r, 255 - 32 * (i / 36)) << i;
        EXPECT_EQ(t[size_t(i)].g, 255 - 32 * (i / 6 % 6)) << i;
        EXPECT_EQ(t[size_t(i)].b, 255 - 32 * (i % 6)) << i;
    }
}

// pixel, point et cpixel sont rejoués par dessin_points ; ici la lecture au plus proche.
TEST(Dessin, CpixelLitLaVueAuPlusProche) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fcc", 240);
    Logo2(I, "pixel", 10, 10);
    // La lecture se fait sur la vue, au plus proche à moins de 2 près, sinon 0.
    b.vue.EcrirePixel(600, 600, Couleur{254, 1, 1});
    EXPECT_EQ(PrimCpixel(I, 100, -100), 240);
    b.vue.EcrirePixel(600, 600, Couleur{254, 3, 1});
    EXPECT_EQ(PrimCpixel(I, 100, -100), 0);
    b.dessin.EcrirePixel(700, 700, kNoir);
    EXPECT_EQ(PrimCpixel(I, 200, -200), 0);
    EXPECT_EQ(PrimCpixel(I, 5000, 5000), 0);  // hors du champ : le blanc
}

TEST(Dessin, RemplisSurUnChampVideRemplitToutLeCadre) {
    Banc b;
    Interp& I = *b.I;
    DessinerLeCadre(I);
    b.vue.CopierDepuis(b.dessin);
    Logo1(I, "fcc", 242);
    Logo0(I, "remplis");
    for (Surface* s : {&b.dessin, &b.vue}) {
        EXPECT_EQ(s->LirePixel(1, 1), kBleu);
        EXPECT_EQ(s->LirePixel(998, 998), kBleu);
        EXPECT_EQ(s->LirePixel(500, 500), kBleu);
        EXPECT_EQ(s->LirePixel(0, 0), kNoir);
        EXPECT_EQ(s->LirePixel(999, 400), kNoir);
    }
    // fcc(0) sur du blanc ne peut rien remplir, et ne boucle pas.
    Logo0(I, "ve");
    Logo1(I, "fcc", 0);
    Logo0(I, "remplis");
    EXPECT_EQ(b.dessin.LirePixel(500, 500), kBlanc);
}

TEST(Dessin, FixecurseurGardeLesFlottants) {
    Banc b;
    Interp& I = *b.I;
    Logo2(I, "fixecurseur", 12.75f, -3.5f);
    EXPECT_FLOAT_EQ(I.tortue.curseurX, 12.75f);
    EXPECT_FLOAT_EQ(I.tortue.curseurY, -3.5f);
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
}

// Les notes et les sons au journal sont vérifiés par les transcriptions ; ici,
// ce qu'elles ne voient pas : le titre des messages et une fréquence non finie.
TEST(Dessin, BipfdRenommeLesMessages) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(PrimBipfd(I, NAN, 100), 0);
    EXPECT_EQ(b.hote.titres[int(Fenetre::Messages)], "Linux");
    EXPECT_EQ(b.hote.Compter("BIPFD"), 0);
}

TEST(Dessin, LesValeursExtremesNeCassentRienEtVontVite) {
    Banc b;
    Interp& I = *b.I;
    auto debut = std::chrono::steady_clock::now();
    Logo0(I, "ouvre");
    for (float v : {1e9f, -1e9f, 3e38f, -3e38f, INFINITY, -INFINITY, NAN}) {
        Logo1(I, "fcc", v);
        Logo1(I, "fcf", v);
        Logo1(I, "fec", v);
        Logo1(I, "cercle", v);
        ASSERT_TRUE(ExecuterLogo3(I, P(I, "circle"), v, v, v));
        Logo4(I, "ligne", v, 0, -v, 1);
        Logo4(I, "rectangle", v, v, -v, 3);
        Logo4(I, "bloc", v, -v, 5, v);
        Logo2(I, "pixel", v, v);
        Logo2(I, "fpos", v, 1);
        Logo1(I, "av", v);
        Logo1(I, "td", v);
        Logo0(I, "remplis");
        Logo0(I, "dessinetortue");
        PrimCpixel(I, v, v);
        Logo0(I, "origine");
        Logo1(I, "fec", 1);
    }
    double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    if (kDureesVerifiees) {
        EXPECT_LT(secondes, 20.0);
    }
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
}
