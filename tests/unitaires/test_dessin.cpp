// Les primitives de dessin : table des couleurs, crayon, fond, figures,
// points, lecture d'un point, remplissage, sons ; les valeurs extrêmes.
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

// Le nombre de pixels de cette couleur dans un rectangle du champ (bords compris).
int Compter(Surface& s, Couleur c, int X1, int Y1, int X2, int Y2) {
    int n = 0;
    for (int Y = Y1; Y <= Y2; ++Y)
        for (int X = X1; X <= X2; ++X) n += Px(s, X, Y) == c;
    return n;
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

TEST(Dessin, CouleurDuCrayonEnrouleeSurHuitBits) {
    Banc b;
    Interp& I = *b.I;
    // Au départ : numéro 0 mais crayon noir.
    EXPECT_FLOAT_EQ(FLO(ExecuterLogo0(I, P(I, "couleurcrayon")))->valeur, 0);
    EXPECT_EQ(I.tortue.couleurCrayon, kNoir);
    Logo1(I, "fcc", 240);
    Logo1(I, "av", 100);
    EXPECT_EQ(Px(b.dessin, 0, 50), kRouge);
    EXPECT_EQ(Px(b.vue, 0, 50), kRouge);
    Objet* cc = ExecuterLogo0(I, P(I, "cc"));
    EXPECT_FLOAT_EQ(FLO(cc)->valeur, 240);
    EXPECT_EQ(FLO(cc)->etat, EtatTemporaire);
    // 496 ET 255 = 240 : le même rouge pur.
    Logo0(I, "ve");
    Logo1(I, "fcc", 496);
    Logo1(I, "av", 100);
    EXPECT_EQ(Px(b.dessin, 0, 50), kRouge);
    EXPECT_EQ(I.tortue.numeroCouleur, 240);
    Logo1(I, "fcc", -1);  // 255 : noir
    EXPECT_EQ(I.tortue.numeroCouleur, 255);
    EXPECT_EQ(I.tortue.couleurCrayon, kNoir);
    Logo1(I, "fcc", 242.9f);  // tronqué
    EXPECT_EQ(I.tortue.couleurCrayon, kBleu);
    Logo1(I, "fcc", 0);  // le blanc de l'entrée 0
    EXPECT_EQ(I.tortue.couleurCrayon, kBlanc);
    Logo1(I, "fcc", 35);  // une entrée du cube, par la palette
    EXPECT_EQ(I.tortue.couleurCrayon, (Couleur{255, 95, 95}));
}

TEST(Dessin, LargeurDuCrayon) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fec", 0);
    EXPECT_EQ(I.tortue.largeurCrayon, 1);
    Logo1(I, "fec", -3);
    EXPECT_EQ(I.tortue.largeurCrayon, 1);
    Logo1(I, "fec", 2.9f);
    EXPECT_EQ(I.tortue.largeurCrayon, 2);
    Logo1(I, "fec", 9);
    Logo1(I, "av", 100);
    // Un trait de 9 pixels : de -4 à +4 autour de l'axe, pas plus.
    for (int X = -4; X <= 4; ++X) EXPECT_EQ(Px(b.dessin, X, 50), kNoir) << X;
    EXPECT_EQ(Px(b.dessin, 6, 50), kBlanc);
    EXPECT_EQ(Px(b.dessin, -6, 50), kBlanc);
    EXPECT_EQ(Px(b.vue, 4, 50), kNoir);
}

TEST(Dessin, FcfRemplitLeChampEtEpargneLeCadre) {
    Banc b;
    Interp& I = *b.I;
    DessinerLeCadre(I);
    Logo1(I, "td", 30);
    Logo1(I, "fcf", 240);
    for (Surface* s : {&b.dessin, &b.vue}) {
        EXPECT_EQ(Px(*s, 0, 0), kRouge);
        EXPECT_EQ(s->LirePixel(1, 1), kRouge);
        EXPECT_EQ(s->LirePixel(998, 998), kRouge);
    }
    // Le cadre du dessin est resté ; la vue n'avait pas de cadre : la bordure y est blanche.
    EXPECT_EQ(b.dessin.LirePixel(0, 500), kNoir);
    EXPECT_EQ(b.dessin.LirePixel(999, 500), kNoir);
    EXPECT_EQ(b.dessin.LirePixel(500, 0), kNoir);
    EXPECT_EQ(b.dessin.LirePixel(500, 999), kNoir);
    EXPECT_EQ(b.vue.LirePixel(999, 500), kBlanc);
    // La tortue n'a pas changé ; ses traits suivants ont encore son crayon.
    EXPECT_EQ(I.tortue.numeroCouleur, 0);
    EXPECT_NEAR(I.tortue.cap, 30 * 0.017453292, 1e-6);
    Logo1(I, "fcf", 255);
    EXPECT_EQ(Px(b.dessin, 100, -100), kNoir);
    Logo1(I, "fcc", 0);
    Logo1(I, "fcap", 0);
    Logo1(I, "av", 50);
    EXPECT_EQ(Px(b.dessin, 0, 20), kBlanc);
}

TEST(Dessin, CerclesCreux) {
    Banc b;
    Interp& I = *b.I;
    Logo2(I, "fpos", 0, 0);
    Logo1(I, "cercle", 50);
    for (Surface* s : {&b.dessin, &b.vue}) {
        // Le contour passe aux quatre points cardinaux, à un pixel près.
        EXPECT_GT(Compter(*s, kNoir, -1, 48, 1, 51), 0);
        EXPECT_GT(Compter(*s, kNoir, -1, -51, 1, -48), 0);
        EXPECT_GT(Compter(*s, kNoir, 48, -1, 51, 1), 0);
        EXPECT_GT(Compter(*s, kNoir, -51, -1, -48, 1), 0);
        // L'intérieur et l'extérieur restent blancs.
        EXPECT_EQ(Compter(*s, kNoir, -30, -30, 30, 30), 0);
        EXPECT_EQ(Px(*s, 0, 55), kBlanc);
        EXPECT_EQ(Px(*s, 40, 40), kBlanc);
    }
    // circle autour d'un point donné, avec la couleur du crayon.
    Logo1(I, "fcc", 242);
    ASSERT_TRUE(ExecuterLogo3(I, P(I, "circle"), 200, -100, 20));
    EXPECT_GT(Compter(b.dessin, kBleu, 199, -82, 201, -79), 0);
    EXPECT_EQ(Compter(b.dessin, kBleu, 190, -110, 210, -90), 0);
    // La tortue n'a pas bougé.
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
}

TEST(Dessin, LigneEtRectangle) {
    Banc b;
    Interp& I = *b.I;
    Logo4(I, "ligne", -100, -100, 100, -100);
    for (int X = -100; X < 100; ++X) EXPECT_EQ(Px(b.dessin, X, -100), kNoir) << X;
    EXPECT_EQ(Px(b.dessin, 100, -100), kBlanc);  // le dernier point est exclu
    EXPECT_EQ(Px(b.vue, 0, -100), kNoir);
    EXPECT_EQ(Px(b.dessin, 0, -99), kBlanc);
    // Le rectangle (-50, -50)-(50, 50) : colonnes -50 et 49, lignes 50 et -49 ; creux.
    Logo1(I, "fcc", 240);
    Logo4(I, "rectangle", -50, -50, 50, 50);
    for (Surface* s : {&b.dessin, &b.vue}) {
        EXPECT_EQ(Px(*s, -50, 0), kRouge);
        EXPECT_EQ(Px(*s, 49, 0), kRouge);
        EXPECT_EQ(Px(*s, 0, 50), kRouge);
        EXPECT_EQ(Px(*s, 0, -49), kRouge);
        EXPECT_EQ(Px(*s, 50, 0), kBlanc);
        EXPECT_EQ(Px(*s, 0, -50), kBlanc);
        EXPECT_EQ(Px(*s, 0, 0), kBlanc);
        EXPECT_EQ(Compter(*s, kRouge, -48, -48, 48, 48), 0);
    }
}

TEST(Dessin, BlocPleinQuelQueSoitLOrdreDesCoins) {
    for (int ordre = 0; ordre < 2; ++ordre) {
        Banc b;
        Interp& I = *b.I;
        Logo1(I, "fcc", 240);
        if (ordre == 0)
            Logo4(I, "bloc", 0, 0, 100, 100);
        else
            Logo4(I, "bloc", 100, 100, 0, 0);
        for (Surface* s : {&b.dessin, &b.vue}) {
            // Colonnes 0 à 99, lignes 1 à 100 du champ : les bords droit et bas sont exclus.
            EXPECT_EQ(Compter(*s, kRouge, 0, 1, 99, 100), 100 * 100) << ordre;
            EXPECT_EQ(Compter(*s, kRouge, -1, -1, 101, 101), 100 * 100) << ordre;
        }
        // Le bloc ne change pas la brosse des figures suivantes : un cercle reste creux.
        Logo2(I, "fpos", -200, -200);
        Logo1(I, "cercle", 30);
        EXPECT_EQ(Px(b.dessin, -200, -200), kBlanc);
    }
}

TEST(Dessin, PixelEtCpixel) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fcc", 240);
    Logo2(I, "pixel", 10, 10);
    EXPECT_EQ(Px(b.dessin, 10, 10), kRouge);
    EXPECT_EQ(Px(b.vue, 10, 10), kRouge);
    EXPECT_EQ(Px(b.dessin, 11, 10), kBlanc);
    EXPECT_EQ(PrimCpixel(I, 10, 10), 240);
    EXPECT_EQ(PrimCpixel(I, 10.7f, 10.9f), 240);  // tronqué
    EXPECT_EQ(PrimCpixel(I, 11, 10), 0);          // le blanc est 0, jamais 236
    Logo1(I, "fcc", 255);
    Logo2(I, "point", -3, 4);
    EXPECT_EQ(PrimCpixel(I, -3, 4), 255);
    Logo1(I, "fcc", 80);
    Logo2(I, "pixel", 0, 0);
    EXPECT_EQ(PrimCpixel(I, 0, 0), 80);
    // La lecture se fait sur la vue, au plus proche à moins de 2 près, sinon 0.
    b.vue.EcrirePixel(600, 600, Couleur{254, 1, 1});
    EXPECT_EQ(PrimCpixel(I, 100, -100), 240);
    b.vue.EcrirePixel(600, 600, Couleur{254, 3, 1});
    EXPECT_EQ(PrimCpixel(I, 100, -100), 0);
    b.dessin.EcrirePixel(700, 700, kNoir);
    EXPECT_EQ(PrimCpixel(I, 200, -200), 0);
    EXPECT_EQ(PrimCpixel(I, 5000, 5000), 0);  // hors du champ : le blanc
}

TEST(Dessin, RemplisDansUnContourFerme) {
    Banc b;
    Interp& I = *b.I;
    for (int i = 0; i < 4; ++i) {
        Logo1(I, "av", 100);
        Logo1(I, "td", 90);
    }
    Logo0(I, "lc");
    Logo2(I, "fpos", 50, 50);
    Logo0(I, "bc");
    Logo1(I, "fcc", 240);
    Logo0(I, "remplis");
    for (Surface* s : {&b.dessin, &b.vue}) {
        EXPECT_EQ(Compter(*s, kRouge, 1, 1, 99, 99), 99 * 99);
        EXPECT_EQ(Px(*s, 0, 50), kNoir);  // le contour reste
        EXPECT_EQ(Px(*s, -1, 50), kBlanc);
        EXPECT_EQ(Px(*s, 150, 50), kBlanc);
        EXPECT_EQ(Px(*s, 50, -10), kBlanc);
    }
    // Sur un point déjà coloré, rien.
    Logo1(I, "fcc", 242);
    Logo0(I, "remplis");
    EXPECT_EQ(Px(b.dessin, 50, 50), kRouge);
    Logo0(I, "lc");
    Logo2(I, "fpos", 0, 50);  // sur le contour noir
    Logo0(I, "remplis");
    EXPECT_EQ(Px(b.dessin, 50, 50), kRouge);
    EXPECT_EQ(Px(b.dessin, -50, 50), kBlanc);
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

TEST(Dessin, LesLonguesLignesRogneesRestentExactes) {
    Banc b;
    Interp& I = *b.I;
    Logo4(I, "ligne", -1e7f, 0, 1e7f, 0);
    EXPECT_EQ(Compter(b.dessin, kNoir, -500, 0, 499, 0), 1000);
    EXPECT_EQ(Px(b.dessin, 0, 1), kBlanc);
    Logo4(I, "ligne", -1e6f, -1e6f, 1e6f, 1e6f);
    for (int k = -400; k <= 400; k += 50) EXPECT_EQ(Px(b.dessin, k, k), kNoir) << k;
    // Un champ ouvert et une tortue très loin : le retour trace jusqu'au centre.
    Logo0(I, "ouvre");
    Logo1(I, "fcc", 240);
    Logo1(I, "td", 90);
    Logo1(I, "av", 3e9f);
    Logo1(I, "re", 3e9f);
    EXPECT_EQ(Px(b.dessin, 200, 0), kRouge);
    EXPECT_EQ(Px(b.dessin, -200, 0), kNoir);
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
