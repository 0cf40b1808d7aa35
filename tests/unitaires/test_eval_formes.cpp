// Les formes spéciales : conditionnelles, boucles, let, affectations,
// définitions de fonctions, listes, exec et impressions.
#include <gtest/gtest.h>

#include "objects/imprime.h"
#include "test_eval_lecteur.h"

using namespace gelim;

// Les valeurs des conditionnelles sont rejouées par les transcriptions ; ici le
// marqueur du return et l'objet C'est faux, que le langage ne montre pas.
TEST(EvalFormes, Conditionnelles) {
    BancEval b;
    Interp& I = *b.I;
    // Le marqueur d'un return traverse les conditionnelles.
    EXPECT_TRUE(I.EstMarqueur(b.Eval("(if false 1 (return_ 2))")));
    EXPECT_TRUE(I.EstMarqueur(b.Eval("(when true (return_ 2) (setq u 9))")));
    EXPECT_EQ(b.N("u")->valeur, I.pgValeurIndefinie);
    // C'est faux compte pour vrai.
    b.N("panne")->valeur = I.pgCestFaux;
    EXPECT_EQ(Val(b.Eval("(if panne 8 9)")), 8.0f);
    EXPECT_EQ(b.Messages(), "");
}

TEST(EvalFormes, LetAuNiveauDeBase) {
    BancEval b;
    Interp& I = *b.I;
    Env* base = I.pgTabpEnv[0];
    Objet* r = b.Eval("(let ((a 5) (b (+ 3 4))) (return_ (* a b)))");
    ASSERT_TRUE(I.EstMarqueur(r));
    EXPECT_EQ(Val(CEL(CEL(r)->cdr)->car), 35.0f);
    // Les noms globaux ne sont pas touchés ; les cases gardent leurs valeurs, le compte revient.
    EXPECT_EQ(b.N("a")->valeur, I.pgValeurIndefinie);
    EXPECT_EQ(Val(base->cases[0]), 5.0f);
    EXPECT_EQ(Val(base->cases[1]), 7.0f);
    EXPECT_EQ(FLO(base->cases[1])->etat, EtatPartage);
    EXPECT_EQ(base->nbLocales, 0);
    // Une liaison réduite à un nom vaut [].
    r = b.Eval("(let ((a 1) b) (return_ b))");
    EXPECT_EQ(CEL(CEL(r)->cdr)->car, I.pgNil);
    EXPECT_EQ(b.Messages(), "");
}

TEST(EvalFormes, Affectations) {
    BancEval b;
    Interp& I = *b.I;
    // Les valeurs de donne et de setq sont rejouées par eval_affectations_et_repete.
    // Un temporaire affecté devient possédé ; remplacé, il est détruit.
    Objet* t = b.Eval("(setq p (+ 1 2))");
    EXPECT_EQ(FLO(t)->etat, EtatPossede);
    b.Eval("(donne (quote q) p)");
    EXPECT_EQ(FLO(t)->etat, EtatPartage);  // partagé entre p et q
    b.Eval("(setq p 7)");
    EXPECT_EQ(FLO(t)->libere, 0);
    Objet* u = b.Eval("(setq r (+ 1 1))");
    b.Eval("(donne (quote r) 0)");
    EXPECT_EQ(FLO(u)->libere, 1);
    EXPECT_EQ(b.Eval("(setq Param1DeFDU 4)"), I.pgCestFaux);
    EXPECT_EQ(b.Messages(), "Setq\nLe param 1 n'est pas un Nom\nParam1DeFDU \n");
}

namespace {
// Compte les pixels non blancs d'un rectangle.
int Encre(const Surface& s, int g, int h, int d, int bas) {
    int n = 0;
    for (int y = h; y < bas; ++y)
        for (int x = g; x < d; ++x) n += !(s.LirePixel(x, y) == Couleur{255, 255, 255});
    return n;
}

// Un hôte qui note si l'écho graphique est allumé à chaque écriture.
class HoteEcho : public HoteEnregistreur {
public:
    Interp* I = nullptr;
    std::string echos;
    void MessagesModifies() override {
        if (I) echos += I->modeTexteGraphique ? 'G' : '-';
    }
};
}  // namespace

TEST(EvalFormes, LeTexteImpriméVaAussiDansLaFenetreGraphique) {
    BancEval b;
    Interp& I = *b.I;
    b.dessin.RemplirRectangle(0, 0, 1000, 1000, Couleur{255, 255, 255});
    b.vue.RemplirRectangle(0, 0, 1000, 1000, Couleur{255, 255, 255});
    I.tortue.x = 100.7f;
    I.tortue.y = 200.9f;
    b.Executer("ecris(123456);");
    // Le texte part de la tortue (colonne 600, ligne 300), ligne de base en bas.
    EXPECT_GT(Encre(b.dessin, 600, 280, 680, 302), 20);
    EXPECT_GT(Encre(b.vue, 600, 280, 680, 302), 20);
    EXPECT_EQ(Encre(b.dessin, 500, 480, 600, 520), 0);
    // pprint n'écrit que dans la fenêtre des messages.
    I.tortue.y = -200;
    b.Executer("pprint(123456);");
    EXPECT_EQ(Encre(b.dessin, 600, 680, 700, 702), 0);

    // Une impression faite pendant l'évaluation d'un argument ne coupe pas l'écho de l'autre.
    HoteEcho hote;
    Interp J(hote);
    hote.I = &J;
    InstallerEnvironnementDeBase(J);
    Objet* forme = Lecteur(J, "(ecris (progn (tape 1)) 2)").Lire();
    PreparerCommande(J);
    EvalPasAPas(J, forme);
    EXPECT_EQ(hote.echos, "GGG--");  // 1, [] et 2 dans l'écho ; puis la fin de ligne
    EXPECT_FALSE(J.modeTexteGraphique);
}
