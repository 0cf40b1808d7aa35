// Les nœuds de l'évaluateur : décodés une fois par cellule, ils doivent suivre
// ce que contiennent les cellules (une liste rebâtie au même endroit après
// une collecte), supporter les formes aussi profondes qu'on veut et ne rien
// garder de faux d'une commande à l'autre.
#include <gtest/gtest.h>

#include <string>

#include "eval/noeuds.h"
#include "test_eval_lecteur.h"

using namespace gelim;

TEST(EvalNoeuds, LesCellulesReprisesSontDecodeesANouveau) {
    // Même texte évalué, collecte des cellules, puis une autre liste bâtie
    // dans les cellules rendues : le nœud d'avant ne doit pas resservir.
    BancEval b;
    Interp& I = *b.I;
    for (int k = 0; k < 3; ++k) {
        const std::string n = std::to_string(k);
        EXPECT_EQ(Val(b.Eval("(+ " + n + " 1)")), float(k + 1));
        EXPECT_EQ(Val(b.Eval("(exec (mp (quote *) (mp " + n + " (mp 10 ()))))")), float(k * 10));
        I.gArbreDuProgramme = I.pgNil;
        I.Recuperation(false);
    }
    // Une FDU redéfinie au milieu d'une commande : l'appel suivant prend le
    // nouveau corps, l'ancien (qui s'exécute peut-être encore) reste valable.
    b.Eval("(lisp_de f (x) (progn (return_ (+ x 1))))");
    b.Eval("(lisp_de g (x) (progn (setq y (f x)) (lisp_de f (x) (progn (return_ (* x 100)))) (return_ (+ y (f x)))))");
    EXPECT_EQ(Val(b.Eval("(g 2)")), 203.0f);
    // Le même appel, avant puis après la redéfinition : le corps retenu par
    // son nœud ne doit pas resservir.
    b.Eval("(setq y 0)");
    b.Eval("(repete 2 (progn (setq y (+ y (f 1))) (lisp_de f (x) (progn (return_ (+ x 1))))))");
    EXPECT_EQ(Val(b.N("y")->valeur), 102.0f);
}

TEST(EvalNoeuds, FormesProfondesEtPartagees) {
    // Une définition bâtie par un programme, imbriquée sur des centaines de
    // niveaux : le décodage va un niveau à la fois, sans récursion.
    {
        BancEval b;
        std::string e = "n";
        for (int i = 0; i < 300; ++i) e = "(+ " + e + " 1)";
        std::string i = "(return_ " + e + ")";
        for (int k = 0; k < 260; ++k) i = "(progn " + i + ")";
        b.Eval("(lisp_de prof (n) (progn " + i + "))");
        b.Eval("(lisp_de appel (n) (progn (return_ (+ (prof n) 1))))");
        EXPECT_EQ(Val(b.Eval("(appel 2)")), 303.0f);
    }
    // Des sous-listes partagées (2^40 chemins, 121 cellules) : un nœud par
    // cellule, la mémoire reste celle de la liste.
    BancEval b;
    Interp& I = *b.I;
    Objet* plus = b.Arbre("(+ 1 1)");
    Objet* x = plus;
    for (int k = 0; k < 40; ++k) x = I.mp(I.Cherche("or"), I.mp(x, I.mp(x, I.pgNil)));
    EXPECT_EQ(EvalPasAPas(I, x), I.pgTrue);
    ASSERT_TRUE(I.decodage);
    EXPECT_LT(I.decodage->memoire.noeuds.size(), 400u);
}

TEST(EvalNoeuds, LesValeursRenduesResserventAussitot) {
    // fib(22) : 57313 returns ; chaque somme consommée par l'appelant reprend
    // sa place, sans collecte : un seul bloc de nombres.
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }");
    const size_t blocs = I.blocsNombres.size();
    Objet* r = b.Calcul("fib(22);");
    EXPECT_EQ(Val(r), 17711.0f);
    EXPECT_EQ(FLO(r)->etat, EtatPartage);
    EXPECT_LE(I.blocsNombres.size(), blocs + 1);
    EXPECT_LT(I.nombresDepuisCollecte, 1000u);
}
