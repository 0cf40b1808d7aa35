// La tortue, ce que les transcriptions ne voient pas : paramètres non finis,
// instantané, figure, cadre, aiguillage des familles, surfaces absentes, souris.
#include <gtest/gtest.h>

#include <cmath>

#include "outils_tortue.h"

using namespace gelim;
using namespace gelim::essais;

namespace {

float Valeur(Objet* x) {
    return FLO(x)->valeur;
}

}  // namespace

// Un angle, une distance ou une coordonnée non finis sont refusés (un cap
// infini figeait la tortue pour de bon) ; la couleur se ramène à un entier.
TEST(Tortue, UnParametreNonFiniEstRefuse) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "td", 30);
    for (bool clos : {false, true}) {
        I.NbErreursExecution = 0;  // dix rapports au plus par commande
        Logo0(I, clos ? "clos" : "ouvre");
        Logo1(I, "av", INFINITY);
        Logo1(I, "av", NAN);
        Logo1(I, "td", INFINITY);
        Logo1(I, "fcap", -INFINITY);
        Logo2(I, "fpos", NAN, 3);
        ASSERT_TRUE(ExecuterLogo4(I, P(I, "ligne"), 0, 0, 10, INFINITY));
        EXPECT_FLOAT_EQ(I.tortue.x, 0);
        EXPECT_FLOAT_EQ(I.tortue.y, 0);
        EXPECT_NEAR(I.tortue.cap * 180 / M_PI, 30, 1e-4);
    }
    EXPECT_EQ(b.hote.boites.size(), 12u);
    EXPECT_EQ(b.hote.boites[0].textes[2], Utf8VersCp1252("ce paramètre n'est pas un nombre fini"));
    EXPECT_EQ(b.hote.boites[0].textes[3].substr(0, 3), "inf");
    EXPECT_EQ(b.hote.boites[5].textes[2], Utf8VersCp1252("le quatrième paramètre n'est pas un nombre fini"));
    EXPECT_EQ(Px(b.dessin, 0, 5), kBlanc);
    Logo1(I, "fcc", INFINITY);
    Logo1(I, "av", 10);  // et la tortue avance encore
    EXPECT_FLOAT_EQ(I.tortue.y, float(10 * std::cos(30 * M_PI / 180)));
    EXPECT_EQ(b.hote.boites.size(), 12u);
}

TEST(Tortue, InstantaneSauveEtRestaure) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fcc", 240);
    Logo1(I, "td", 90);
    Logo1(I, "av", 20);
    Logo2(I, "fcurs", 3, 4);
    SauverLaTortue(I);
    Logo1(I, "fcc", 242);
    Logo1(I, "fec", 7);
    Logo0(I, "lc");
    Logo0(I, "ct");
    Logo2(I, "fpos", -100, -100);
    Logo2(I, "fcurs", 0, 0);
    RestaurerLaTortue(I);
    EXPECT_NEAR(I.tortue.x, 20, 1e-4);
    EXPECT_EQ(I.tortue.numeroCouleur, 240);
    EXPECT_EQ(I.tortue.largeurCrayon, 1);
    EXPECT_TRUE(I.tortue.crayonBaisse);
    EXPECT_TRUE(I.tortue.montree);
    EXPECT_FLOAT_EQ(I.tortue.curseurX, 3);
    EXPECT_FLOAT_EQ(I.tortue.curseurY, 4);
    // Le crayon restauré est appliqué aux surfaces : rouge, un pixel.
    Logo1(I, "av", 10);
    EXPECT_EQ(Px(b.dessin, 25, 0), kRouge);
    EXPECT_EQ(Px(b.dessin, 25, 1), kBlanc);
}

TEST(Tortue, LAnneauMontreLaCouleurDuCrayonBaisse) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fcc", 242);  // bleu
    Logo1(I, "td", 90);    // l'anneau à gauche (-6, 0) ne croise alors ni queue ni carapace
    Logo0(I, "dessinetortue");
    bool bleu = false;
    for (int x = -8; x <= -4; ++x) bleu = bleu || Px(b.vue, x, 0) == I.tableCouleurs[242];
    EXPECT_TRUE(bleu);
    Logo0(I, "effacetortue");
    Logo0(I, "lc");
    Logo0(I, "dessinetortue");
    for (int x = -8; x <= -4; ++x) EXPECT_NE(Px(b.vue, x, 0), I.tableCouleurs[242]) << x;
}

TEST(Tortue, LeCadreSurLeDessinEtLeCrayonRendu) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fcc", 240);
    DessinerLeCadre(I);
    for (int i = 0; i < 1000; i += 37) {
        EXPECT_EQ(b.dessin.LirePixel(i, 0), kNoir);
        EXPECT_EQ(b.dessin.LirePixel(i, 999), kNoir);
        EXPECT_EQ(b.dessin.LirePixel(0, i), kNoir);
        EXPECT_EQ(b.dessin.LirePixel(999, i), kNoir);
    }
    EXPECT_EQ(b.dessin.LirePixel(1, 1), kBlanc);
    EXPECT_EQ(b.dessin.LirePixel(998, 998), kBlanc);
    EXPECT_EQ(b.vue.LirePixel(0, 0), kBlanc);
    Logo1(I, "av", 10);  // le crayon rouge est resté celui du dessin
    EXPECT_EQ(Px(b.dessin, 0, 5), kRouge);
}

TEST(Tortue, LesFamillesRefusentUnCodeSansMembre) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(ExecuterLogo0(I, P(I, "av")), nullptr);
    EXPECT_EQ(ExecuterLogo0(I, P(I, "car")), nullptr);
    EXPECT_FALSE(ExecuterLogo1(I, P(I, "lc"), 1));
    EXPECT_FALSE(ExecuterLogo1(I, P(I, "pixel"), 1));
    EXPECT_FALSE(ExecuterLogo2(I, P(I, "av"), 1, 2));
    EXPECT_FALSE(ExecuterLogo3(I, P(I, "ligne"), 1, 2, 3));
    EXPECT_FALSE(ExecuterLogo4(I, P(I, "circle"), 1, 2, 3, 4));
    EXPECT_TRUE(ExecuterLogo3(I, P(I, "circle"), 1, 2, 3));
    // Rien n'a bougé ni n'a été écrit par les refus.
    EXPECT_FLOAT_EQ(I.tortue.y, 0);
    EXPECT_EQ(b.Messages(), "");
}

TEST(Tortue, SansSurfacesRienNeCasse) {
    Banc b;
    Interp& I = *b.I;
    I.dessin = I.vue = I.precedent = nullptr;
    for (const char* n : {"lc", "bc", "ct", "mt", "ve", "nettoie", "origine", "remplis", "dessinetortue",
                          "effacetortue", "ouvre", "clos"})
        Logo0(I, n);
    for (const char* n : {"av", "re", "td", "tg", "fcap", "cercle", "fcc", "fec", "fcf"}) Logo1(I, n, 30);
    for (const char* n : {"pixel", "fpos", "fcurs"}) Logo2(I, n, 10, 20);
    EXPECT_TRUE(ExecuterLogo3(I, P(I, "circle"), 1, 2, 3));
    for (const char* n : {"ligne", "rectangle", "bloc"}) EXPECT_TRUE(ExecuterLogo4(I, P(I, n), 1, 2, 3, 4));
    InitialiserLaTortue(I);
    SauverLaTortue(I);
    RestaurerLaTortue(I);
    DessinerLaTortue(I);
    DessinerLeCadre(I);
    BlanchirLesSurfaces(I);
    Logo2(I, "fpos", 800, 0);
    VerifierLeBordDuCadre(I);
    EXPECT_EQ(PrimCpixel(I, 0, 0), 0);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A  T  T  E  N  T  I  O  N | La tortue est arrivée"), 1);
}

namespace {

// Un hôte dont la fenêtre graphique fait 800 x 600 et qui a deux mouvements en attente.
class HoteSouris : public HoteEnregistreur {
public:
    std::deque<std::pair<int, int>> mouvements{{100, 50}, {420, 279}};
    bool MouvementSouris(int& px, int& py) override {
        if (mouvements.empty()) return false;
        std::tie(px, py) = mouvements.front();
        mouvements.pop_front();
        return true;
    }
    void TailleFenetreGraphique(int& l, int& h) override {
        l = 800;
        h = 600;
    }
};

}  // namespace

TEST(Tortue, LaSourisEnUnitesDuChamp) {
    HoteSouris hote;
    Interp I(hote);
    // Chaque requête prend un mouvement : x du premier, y du second.
    EXPECT_FLOAT_EQ(Valeur(ExecuterLogo0(I, P(I, "abscissesouris"))), 100 + 12 - 400);
    EXPECT_FLOAT_EQ(Valeur(ExecuterLogo0(I, P(I, "ordonneesouris"))), 300 - (279 + 21));
    EXPECT_EQ(I.sourisX, 420 + 12 - 400);
    // Plus rien en attente : les dernières valeurs restent.
    EXPECT_FLOAT_EQ(Valeur(ExecuterLogo0(I, P(I, "abscissesouris"))), 32);
    EXPECT_FLOAT_EQ(Valeur(ExecuterLogo0(I, P(I, "ordonneesouris"))), 0);
}
