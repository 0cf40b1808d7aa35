// La tortue : déplacements, champ clos ou ouvert, cap, position, crayon,
// instantané, figure, contrôle du bord, cadre et aiguillage des familles.
#include <gtest/gtest.h>

#include <cmath>

#include "outils_tortue.h"

using namespace gelim;
using namespace gelim::essais;

namespace {

float Valeur(Objet* x) {
    return FLO(x)->valeur;
}

const char* kCogne = "Aïe, la tortue s'est cognée contre le cadre !\n";
const char* kAlerteBord =
    "DIALOGUE A  T  T  E  N  T  I  O  N | La tortue est arrivée au bord du cadre. | La taille du cadre est de "
    "1000x1000 pixels. | Ses coordonnées vont de -499 à + 500.";

}  // namespace

TEST(Tortue, AvanceTraceUnTraitVerticalSurLesDeuxSurfaces) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "av", 100);
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
    EXPECT_FLOAT_EQ(I.tortue.y, 100);
    for (Surface* s : {&b.dessin, &b.vue}) {
        for (int y = 0; y < 100; ++y) EXPECT_EQ(Px(*s, 0, y), kNoir) << y;
        EXPECT_EQ(Px(*s, 0, 100), kBlanc);  // le dernier point n'est pas tracé
        EXPECT_EQ(Px(*s, 0, -1), kBlanc);
        EXPECT_EQ(Px(*s, 1, 50), kBlanc);
        EXPECT_EQ(Px(*s, -1, 50), kBlanc);
    }
    // Puis td(90) ; av(100) : de (0, 100) à (100, 100).
    Logo1(I, "td", 90);
    Logo1(I, "avance", 100);
    EXPECT_NEAR(I.tortue.x, 100, 1e-4);
    EXPECT_NEAR(I.tortue.y, 100, 1e-4);
    for (int x = 0; x < 100; ++x) EXPECT_EQ(Px(b.dessin, x, 100), kNoir) << x;
    EXPECT_EQ(Px(b.dessin, 50, 101), kBlanc);
    EXPECT_EQ(Px(b.dessin, 50, 99), kBlanc);
    EXPECT_EQ(b.Messages(), "");
    EXPECT_TRUE(b.hote.journal.empty());
}

TEST(Tortue, ArrondiDesExtremitesAuDixieme) {
    Banc b;
    Interp& I = *b.I;
    // 49,95 s'arrondit à 50 (trunc(y + 0,1)) : le trait va jusqu'au pixel 49 compris.
    Logo2(I, "fpos", 0, 49.95f);
    EXPECT_EQ(Px(b.dessin, 0, 49), kNoir);
    EXPECT_EQ(Px(b.dessin, 0, 50), kBlanc);
    // 49,85 reste sur 49 : le trait s'arrête au pixel 48.
    Logo0(I, "lc");
    Logo2(I, "fpos", 10, 0);
    Logo0(I, "bc");
    Logo2(I, "fpos", 10, 49.85f);
    EXPECT_EQ(Px(b.dessin, 10, 48), kNoir);
    EXPECT_EQ(Px(b.dessin, 10, 49), kBlanc);
}

TEST(Tortue, LeChampClosArreteLaTortueAuCadre) {
    Banc b;
    Interp& I = *b.I;
    ASSERT_EQ(I.champClos, 1);
    Logo1(I, "av", 600);
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
    EXPECT_FLOAT_EQ(I.tortue.y, 500);
    EXPECT_EQ(b.hote.Compter("BIP EXCLAMATION"), 1);
    EXPECT_EQ(b.Messages(), kCogne);
    EXPECT_EQ(Px(b.dessin, 0, 499), kNoir);
    // Le contrôle d'après la commande : la figure, le cadre sur la vue, l'alerte.
    VerifierLeBordDuCadre(I);
    ASSERT_EQ(b.hote.journal.size(), 2u);
    EXPECT_EQ(b.hote.journal[1], kAlerteBord);
    EXPECT_EQ(b.vue.LirePixel(0, 500), kNoir);
    EXPECT_EQ(b.vue.LirePixel(999, 500), kNoir);
    EXPECT_EQ(b.dessin.LirePixel(999, 500), kBlanc);  // le contrôle ne touche pas le dessin
    // Sur le bord, la tortue se cogne encore et ne sort pas.
    Logo1(I, "av", 1);
    EXPECT_FLOAT_EQ(I.tortue.y, 500);
    EXPECT_EQ(b.hote.Compter("BIP EXCLAMATION"), 2);
}

TEST(Tortue, ReculeSeCogneAussiEtRendLeCapExact) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "re", 600);
    EXPECT_NEAR(I.tortue.x, 0, 1e-3);
    EXPECT_FLOAT_EQ(I.tortue.y, -500);
    EXPECT_EQ(I.tortue.cap, 0.0);
    EXPECT_EQ(b.Messages(), kCogne);
    // trunc(-500 + 0,1) = -499 : le trait s'arrête au pixel -498 (le dernier point est exclu).
    EXPECT_EQ(Px(b.dessin, 0, -498), kNoir);
    EXPECT_EQ(Px(b.dessin, 0, -499), kBlanc);
    // Avec un cap quelconque, recule le rend à l'identique.
    Logo1(I, "td", 33.3f);
    double cap = I.tortue.cap;
    Logo1(I, "recule", 10);
    EXPECT_EQ(I.tortue.cap, cap);
}

TEST(Tortue, EnDiagonaleLaPlusCourteDesDeuxCoupesGagne) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "td", 45);
    Logo1(I, "av", 1000);
    EXPECT_NEAR(I.tortue.x, 500, 0.01);
    EXPECT_NEAR(I.tortue.y, 500, 0.01);
    // À 30 degrés, le mur du haut est atteint avant celui de droite.
    Logo0(I, "origine");
    Logo1(I, "td", 30);
    Logo1(I, "av", 2000);
    EXPECT_NEAR(I.tortue.x, 500 * std::tan(30 * M_PI / 180), 0.01);
    EXPECT_FLOAT_EQ(I.tortue.y, 500);
    // Une distance négative s'arrête au premier mur, pas au second.
    Logo0(I, "origine");
    Logo1(I, "td", 30);
    Logo1(I, "av", -1200);
    EXPECT_NEAR(I.tortue.x, -500 * std::tan(30 * M_PI / 180), 0.01);
    EXPECT_FLOAT_EQ(I.tortue.y, -500);
    EXPECT_EQ(b.hote.Compter("BIP EXCLAMATION"), 3);
}

TEST(Tortue, LeChampOuvertLaisseAllerPartout) {
    Banc b;
    Interp& I = *b.I;
    Logo0(I, "ouvre");
    EXPECT_EQ(I.champClos, 0);
    Logo1(I, "av", 600);
    EXPECT_FLOAT_EQ(I.tortue.y, 600);
    VerifierLeBordDuCadre(I);
    EXPECT_TRUE(b.hote.journal.empty());
    EXPECT_EQ(b.Messages(), "Maintenant le champ de la tortue est ouvert.\n");
    // Le trait sort du dessin sans rien casser ; son début est là.
    EXPECT_EQ(Px(b.dessin, 0, 499), kNoir);
    Logo0(I, "clos");
    EXPECT_EQ(I.champClos, 1);
    EXPECT_EQ(b.Messages(),
              "Maintenant le champ de la tortue est ouvert.\nMaintenant le champ de la tortue est clos.\n");
    // Fermé alors que la tortue est dehors : pas de NaN, elle peut bouger et revenir.
    Logo1(I, "td", 90);
    Logo1(I, "av", 10);
    EXPECT_NEAR(I.tortue.x, 10, 1e-3);
    EXPECT_NEAR(I.tortue.y, 600, 1e-3);
    Logo1(I, "td", 90);
    Logo1(I, "av", 300);
    EXPECT_NEAR(I.tortue.y, 300, 1e-3);
    EXPECT_TRUE(std::isfinite(I.tortue.x));
    EXPECT_EQ(b.hote.Compter("BIP"), 0);
}

TEST(Tortue, DehorsEtClosLesAutresMursArretentToujours) {
    Banc b;
    Interp& I = *b.I;
    Logo0(I, "ouvre");
    Logo2(I, "fpos", 700, 0);
    Logo0(I, "clos");
    Logo1(I, "av", 1000);  // vers le haut : le mur du haut l'arrête, x reste 700
    EXPECT_FLOAT_EQ(I.tortue.x, 700);
    EXPECT_FLOAT_EQ(I.tortue.y, 500);
    EXPECT_EQ(b.hote.Compter("BIP EXCLAMATION"), 1);
}

TEST(Tortue, FixepositionNEstPasCoupeeMaisLeBordAlerte) {
    Banc b;
    Interp& I = *b.I;
    Logo2(I, "fpos", 700, 0);
    EXPECT_FLOAT_EQ(I.tortue.x, 700);
    EXPECT_FLOAT_EQ(I.tortue.y, 0);
    EXPECT_EQ(b.hote.Compter("BIP"), 0);
    EXPECT_EQ(Px(b.dessin, 499, 0), kNoir);
    VerifierLeBordDuCadre(I);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A  T  T  E  N  T  I  O  N | La tortue est arrivée au bord"), 1);
    // Juste en deçà de 498, aucune alerte.
    Logo2(I, "fixeposition", -498, 498);
    VerifierLeBordDuCadre(I);
    EXPECT_EQ(b.hote.Compter("DIALOGUE"), 1);
}

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

TEST(Tortue, CapAbscisseOrdonneeEtPosition) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "td", 90);
    Objet* c = ExecuterLogo0(I, P(I, "cap"));
    ASSERT_TRUE(EstFlottant(c));
    EXPECT_NEAR(Valeur(c), 90, 1e-4);
    EXPECT_EQ(FLO(c)->etat, EtatTemporaire);
    Logo1(I, "tg", 180);
    EXPECT_NEAR(Valeur(ExecuterLogo0(I, P(I, "cap"))), -90, 1e-4);
    Logo1(I, "fcap", 400);  // jamais ramené à un tour
    EXPECT_NEAR(Valeur(ExecuterLogo0(I, P(I, "cap"))), 400, 1e-3);
    Logo1(I, "fixecap", 0);
    Logo0(I, "lc");
    Logo2(I, "fpos", 12.5f, -7);
    EXPECT_FLOAT_EQ(Valeur(ExecuterLogo0(I, P(I, "abscisse"))), 12.5f);
    EXPECT_FLOAT_EQ(Valeur(ExecuterLogo0(I, P(I, "ordonnee"))), -7);
    Objet* l = ExecuterLogo0(I, P(I, "pos"));
    ASSERT_TRUE(EstCellule(l) && l != I.pgNil);
    Objet* x = CEL(l)->car;
    Objet* reste = CEL(l)->cdr;
    ASSERT_TRUE(EstCellule(reste) && reste != I.pgNil);
    EXPECT_FLOAT_EQ(Valeur(x), 12.5f);
    EXPECT_FLOAT_EQ(Valeur(CEL(reste)->car), -7);
    EXPECT_EQ(CEL(reste)->cdr, I.pgNil);
    EXPECT_NE(x, CEL(reste)->car);
    EXPECT_TRUE(I.racines.empty());
}

TEST(Tortue, CrayonLeveOrigineEtVideecran) {
    Banc b;
    Interp& I = *b.I;
    Logo0(I, "lc");
    Logo1(I, "av", 50);
    Logo0(I, "bc");
    for (int y = 0; y < 50; ++y) EXPECT_EQ(Px(b.dessin, 0, y), kBlanc);
    Logo1(I, "td", 90);
    Logo1(I, "av", 50);   // de (0, 50) à (50, 50)
    Logo0(I, "origine");  // retour au centre en traçant, cap 0
    EXPECT_EQ(I.tortue.cap, 0.0);
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
    EXPECT_FLOAT_EQ(I.tortue.y, 0);
    EXPECT_EQ(Px(b.dessin, 50, 50), kNoir);
    EXPECT_EQ(Px(b.dessin, 25, 25), kNoir);  // la diagonale du retour
    // ve remet tout à l'état de départ, mais le champ ouvert le reste.
    Logo0(I, "ouvre");
    Logo1(I, "fcc", 240);
    Logo1(I, "fec", 4);
    Logo1(I, "td", 10);
    Logo2(I, "fpos", 30, 40);
    Logo0(I, "ct");
    Logo0(I, "lc");
    Logo0(I, "ve");
    EXPECT_EQ(I.tortue.numeroCouleur, 0);
    EXPECT_EQ(I.tortue.couleurCrayon, kNoir);
    EXPECT_EQ(I.tortue.largeurCrayon, 1);
    EXPECT_EQ(I.tortue.cap, 0.0);
    EXPECT_FLOAT_EQ(I.tortue.x, 0);
    EXPECT_FLOAT_EQ(I.tortue.y, 0);
    EXPECT_TRUE(I.tortue.crayonBaisse);
    EXPECT_TRUE(I.tortue.montree);
    EXPECT_EQ(I.champClos, 0);
    EXPECT_EQ(Px(b.dessin, 50, 50), kBlanc);
    EXPECT_EQ(Px(b.vue, 25, 25), kBlanc);
    // Le crayon noir d'un pixel est bien celui des surfaces.
    Logo1(I, "av", 10);
    EXPECT_EQ(Px(b.dessin, 0, 5), kNoir);
    EXPECT_EQ(Px(b.dessin, 1, 5), kBlanc);
}

TEST(Tortue, NettoieGardeLaTortue) {
    Banc b;
    Interp& I = *b.I;
    Logo1(I, "fcc", 240);
    Logo1(I, "av", 40);
    Logo0(I, "nettoie");
    EXPECT_EQ(Px(b.dessin, 0, 20), kBlanc);
    EXPECT_EQ(Px(b.vue, 0, 20), kBlanc);
    EXPECT_FLOAT_EQ(I.tortue.y, 40);
    EXPECT_EQ(I.tortue.numeroCouleur, 240);
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

TEST(Tortue, LaFigureNeVaQueSurLaVue) {
    Banc b;
    Interp& I = *b.I;
    DessinerLaTortue(I);
    // La tête, remplie du vert de l'entrée 112, 19 unités devant.
    EXPECT_EQ(Px(b.vue, 0, 19), I.tableCouleurs[112]);
    // Les pattes noires, à 1,3 x 15 unités en diagonale.
    EXPECT_EQ(Px(b.vue, 13, 13), kNoir);
    EXPECT_EQ(Px(b.vue, -13, -13), kNoir);
    // La carapace, vers l'avant.
    EXPECT_EQ(Px(b.vue, 0, 15), I.tableCouleurs[80]);
    for (int y = 480; y <= 530; ++y)
        for (int x = 470; x <= 530; ++x) ASSERT_EQ(b.dessin.LirePixel(x, y), kBlanc);
    // effacetortue recopie le dessin sur la vue.
    Logo0(I, "effacetortue");
    EXPECT_EQ(Px(b.vue, 0, 19), kBlanc);
    // Cachée, dessinetortue ne dessine rien.
    Logo0(I, "ct");
    Logo0(I, "dessinetortue");
    EXPECT_EQ(Px(b.vue, 0, 19), kBlanc);
    EXPECT_EQ(Px(b.vue, 13, 13), kBlanc);
    // Tournée de 90 degrés, la tête est à droite ; le crayon d'après est celui de la tortue.
    Logo0(I, "mt");
    Logo1(I, "td", 90);
    Logo0(I, "dessinetortue");
    EXPECT_EQ(Px(b.vue, 19, 0), I.tableCouleurs[112]);
    Logo0(I, "effacetortue");
    Logo1(I, "av", 10);
    EXPECT_EQ(Px(b.vue, 5, 0), kNoir);
    EXPECT_EQ(Px(b.vue, 5, 1), kBlanc);
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
