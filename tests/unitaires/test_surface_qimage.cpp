// Le texte de la surface QImage n'est rendu qu'au moment où il peut être vu :
// chaque lecture doit trouver les mêmes pixels et la même position qu'un
// rendu immédiat, et les figures tracées après lui restent par-dessus.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>
#include <utility>

#include "rendu/surface_qimage.h"

namespace gelim {
namespace {

const Couleur kBlanc{255, 255, 255}, kRouge{255, 0, 0}, kBleu{0, 0, 255};

// Rendu immédiat de référence : une lecture de pixel après chaque texte.
void Ecrire(SurfaceQImage& s, const char* texte, bool immediat) {
    s.TexteALaPosition(texte);
    if (immediat) s.LirePixel(0, 0);
}

int Encre(const SurfaceQImage& s, int g, int h, int d, int b) {
    int n = 0;
    for (int y = h; y < b; ++y)
        for (int x = g; x < d; ++x) n += !(s.LirePixel(x, y) == kBlanc);
    return n;
}

TEST(TexteDiffere, VisibleAPremiereLectureEtAbscisseAuBoutDuTexte) {
    SurfaceQImage s(200, 100);
    s.DeplacerVers(10, 50);
    s.TexteALaPosition("Bonjour");
    s.TexteALaPosition(" les amis");
    EXPECT_GT(Encre(s, 10, 30, 200, 60), 40);
    SurfaceQImage r(200, 100);
    r.DeplacerVers(10, 50);
    Ecrire(r, "Bonjour", true);
    Ecrire(r, " les amis", true);
    EXPECT_GT(r.PositionX(), 60);
    EXPECT_EQ(s.PositionX(), r.PositionX());
    EXPECT_TRUE(s.Image() == r.Image());
}

// Les figures après le texte le recouvrent, les lectures le voient : chaque
// chemin de lecture donne les pixels du rendu immédiat.
TEST(TexteDiffere, MemesPixelsQuUnRenduImmediat) {
    const std::function<void(SurfaceQImage&, bool)> scenarios[] = {
        [](SurfaceQImage& s, bool imm) {  // figures qui traversent le texte, trait parti de son bout
            s.DeplacerVers(20, 40);
            Ecrire(s, "Texte et figures", imm);
            s.Crayon(kBleu, 3);
            s.Brosse(kRouge);
            s.Rectangle(40, 25, 70, 60);
            s.Ellipse(80, 30, 100, 50);
            s.EcrirePixel(25, 35, kBleu);
            s.Crayon(kRouge, 1);
            s.Polygone({{0, 33}, {190, 36}});
            Ecrire(s, "!", imm);
            s.LigneVers(190, 90);
        },
        [](SurfaceQImage& s, bool imm) {  // le remplissage lit le texte
            s.DeplacerVers(20, 40);
            Ecrire(s, "Remplir autour", imm);
            s.Brosse(kRouge);
            s.RemplissageSurface(150, 90, Couleur{255, 255, 255});
        },
    };
    for (const auto& scenario : scenarios) {
        SurfaceQImage differe(200, 100), immediat(200, 100);
        scenario(differe, false);
        scenario(immediat, true);
        const uint32_t* a = differe.Donnees();
        EXPECT_TRUE(std::equal(a, a + 200 * 100, immediat.Donnees()));
        EXPECT_EQ(differe.PositionX(), immediat.PositionX());
    }
}

// La vue recopie le dessin dont le texte attend encore, puis reçoit la tortue ;
// elle garde l'abscisse de son propre texte.
TEST(TexteDiffere, CopieDUneSurfaceDontLeTexteAttend) {
    SurfaceQImage dessin(200, 100), vue(200, 100), vue2(200, 100), refDessin(200, 100), refVue(200, 100);
    const std::pair<SurfaceQImage*, bool> toutes[] = {
        {&dessin, false}, {&vue, false}, {&vue2, false}, {&refDessin, true}, {&refVue, true}};
    for (auto [s, imm] : toutes) {
        s->DeplacerVers(30, 40);
        Ecrire(*s, "Dessin", imm);
        if (s == &vue2 || s == &refVue) Ecrire(*s, " et vue", imm);
    }
    for (SurfaceQImage* s : {&dessin, &refDessin}) {
        s->Brosse(kRouge);
        s->Rectangle(35, 20, 50, 45);
    }
    vue.CopierDepuis(dessin);
    vue2.CopierDepuis(dessin);
    refVue.CopierDepuis(refDessin);
    EXPECT_EQ(vue2.PositionX(), refVue.PositionX());
    for (SurfaceQImage* s : {&vue, &refVue}) {
        s->Crayon(kBleu, 1);
        s->DeplacerVers(0, 30);
        s->LigneVers(200, 30);
    }
    EXPECT_TRUE(vue.Image() == refVue.Image());
    EXPECT_TRUE(dessin.Image() == refDessin.Image());
    EXPECT_EQ(dessin.PositionX(), refDessin.PositionX());
    EXPECT_GT(dessin.PositionX(), 60);
}

}  // namespace
}  // namespace gelim
