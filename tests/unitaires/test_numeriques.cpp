// Les primitives numériques : calculs, domaines refusés, comparaisons et leurs
// libérations, hasard reproductible.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "primitives/numeriques.h"
#include "test_eval_lecteur.h"

using namespace gelim;

namespace {
const char* kTitreErreur = "DIALOGUE A T T E N T I O N   E R R E U R   A   L ' E X E C U T I O N  :";
}  // namespace

TEST(Numeriques, DomainesRefuses) {
    BancEval b;
    Interp& I = *b.I;
    // racine, ln, log, div et % refusés sont rejoués par prim_numeriques.test.
    EXPECT_EQ(Val(b.Eval("(/ 5 0)")), 1.0f);
    EXPECT_EQ(Val(b.Eval("(reste 7 0)")), 1.0f);
    EXPECT_EQ(b.Messages(),
              "Division\nEvaluation d'une division, dont le second terme est 0.\n5 \n"
              "Reste\nEvaluation d'une division, dont le second terme est 0.\n7 \n");
    EXPECT_EQ(b.Boites(kTitreErreur), 2);
    // 0 est accepté : ln et log donnent moins l'infini, sans rapport.
    VideLesMessages(I);
    EXPECT_TRUE(std::isinf(Val(b.Eval("(ln 0)"))));
    EXPECT_LT(Val(b.Eval("(log 0)")), 0.0f);
    EXPECT_EQ(b.Messages(), "");
}

TEST(Numeriques, ComparaisonsEtSelections) {
    BancEval b;
    Interp& I = *b.I;
    Objet* cinq = b.Arbre("5");
    Objet* forme = I.mp(I.Cherche("=="), I.mp(cinq, I.mp(b.Arbre("5"), I.pgNil)));
    EXPECT_EQ(EvalPasAPas(I, forme), cinq);  // le premier argument lui-même
    // Les bornes de <=, >, >= et != sont rejouées par prim_numeriques.
    // max et min rendent un des objets, le second à égalité.
    Objet* a = b.Arbre("3");
    Objet* c = b.Arbre("3");
    Objet* sel = I.mp(I.Cherche("min"), I.mp(a, I.mp(c, I.pgNil)));
    EXPECT_EQ(EvalPasAPas(I, sel), c);
}

TEST(Numeriques, LesComparaisonsLiberentCeQuEllesNeRendentPas) {
    BancEval b;
    Interp& I = *b.I;
    const int64_t vivants = I.nbNombresVivants;
    b.Eval("(< (+ 1 1) (+ 2 2))");  // vraie : le premier est rendu, le second libéré
    EXPECT_EQ(I.nbNombresVivants, vivants + 1);
    b.Eval("(> (+ 1 1) (+ 2 2))");  // fausse : les deux libérés
    EXPECT_EQ(I.nbNombresVivants, vivants + 1);
    b.Eval("(== (- 1 1) (- 2 2))");  // vraie sur 0 : true, les deux libérés
    EXPECT_EQ(I.nbNombresVivants, vivants + 1);
    b.Eval("(max (+ 1 1) (+ 2 2))");
    EXPECT_EQ(I.nbNombresVivants, vivants + 2);
}

TEST(Numeriques, HasardReproductible) {
    BancEval b;
    EXPECT_EQ(Val(b.Eval("(srand 7)")), 7.0f);
    float a1 = Val(b.Eval("(random 100)"));
    float a2 = Val(b.Eval("(random 100)"));
    b.Eval("(srand 7)");
    EXPECT_EQ(Val(b.Eval("(random 0)")), 0.0f);  // sans toucher au générateur
    EXPECT_EQ(Val(b.Eval("(random 100)")), a1);
    EXPECT_EQ(Val(b.Eval("(random 100)")), a2);
    std::set<float> vus, negatifs;
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(Val(b.Eval("(random 1)")), 0.0f);
        vus.insert(Val(b.Eval("(random 2.9)")));
        negatifs.insert(Val(b.Eval("(random -3)")));
    }
    EXPECT_EQ(vus, (std::set<float>{0, 1}));
    EXPECT_EQ(negatifs, (std::set<float>{0, 1, 2}));
    // Une valeur hors de tout entier ne pose aucun problème.
    EXPECT_GE(Val(b.Eval("(random 1e30)")), 0.0f);
    // Le générateur tire de 0 à 32767 : au-delà, random rend le tirage lui-même.
    float plusGrand = 0;
    for (int i = 0; i < 2000; ++i) {
        float v = Val(b.Eval("(random 1000000)"));
        EXPECT_EQ(v, std::trunc(v));
        EXPECT_LT(v, 32768.0f);
        plusGrand = std::max(plusGrand, v);
    }
    EXPECT_GT(plusGrand, 30000.0f);
}

TEST(Numeriques, TroncatureBornee) {
    EXPECT_EQ(TronqueBorne(2.9f, -10, 10), 2);
    EXPECT_EQ(TronqueBorne(-2.9f, -10, 10), -2);
    EXPECT_EQ(TronqueBorne(1e30f, -10, 10), 10);
    EXPECT_EQ(TronqueBorne(-1e30f, -10, 10), -10);
    EXPECT_EQ(TronqueBorne(std::nanf(""), -10, 10), 0);
    EXPECT_EQ(TronqueBorne(INFINITY, 0, INT64_MAX), INT64_MAX);
}
