// Les corps compilés des FDU ne changent rien à ce que l'élève voit : chaque
// programme tourne deux fois, corps compilés permis puis interdits, dans deux
// interprètes neufs ; messages, boîtes, état des nombres et de la tortue
// doivent être les mêmes.
#include <gtest/gtest.h>

#include <string>

#include "eval/appel.h"
#include "test_eval_lecteur.h"

using namespace gelim;

namespace {

struct Trace {
    std::string messages;
    std::vector<std::string> journal;
    int64_t vivants = 0;
    std::string valeurs;
    float x = 0, y = 0;
    double cap = 0;
};

// Le programme (des commandes successives), puis les valeurs des noms donnés.
Trace Executer(bool compilation, const std::vector<std::string>& commandes, const std::vector<std::string>& reponses,
               const std::vector<const char*>& noms) {
    BancEval b;
    Interp& I = *b.I;
    I.compilationPermise = compilation;
    for (const auto& r : reponses) b.hote.reponses.push_back(r);
    for (const auto& c : commandes) b.Commande(c);
    Trace t;
    t.messages = Cp1252VersUtf8(I.messages.Texte());
    t.journal = b.hote.journal;
    t.vivants = I.nbNombresVivants;
    for (const char* n : noms) {
        Objet* v = b.N(n)->valeur;
        t.valeurs +=
            std::string(n) + "=" + (EstFlottant(v) ? b.Texte(v) + "/" + std::to_string(FLO(v)->etat) : "?") + " ";
    }
    t.x = I.tortue.x;
    t.y = I.tortue.y;
    t.cap = I.tortue.cap;
    return t;
}

void Comparer(const std::vector<std::string>& commandes, const std::vector<std::string>& reponses = {},
              const std::vector<const char*>& noms = {}) {
    Trace a = Executer(true, commandes, reponses, noms);
    Trace b = Executer(false, commandes, reponses, noms);
    EXPECT_EQ(a.messages, b.messages);
    EXPECT_EQ(a.journal, b.journal);
    EXPECT_EQ(a.vivants, b.vivants);
    EXPECT_EQ(a.valeurs, b.valeurs);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.cap, b.cap);
}

}  // namespace

TEST(EvalCompile, CalculsRetoursEtTemporaires) {
    // Résultats partagés (120 et non 120.000000), temporaires « %f » réutilisés,
    // return dans des blocs, des if/else, des boucles ; comparaisons qui rendent
    // leur premier argument.
    Comparer(
        {"int fact(n) { if (n < 2) return 1; return n * fact(n - 1); }",
         "int fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }", "ecris(fact(5), fib(15), 1.5 + 2 + 3);",
         "int f(a, b) { { if (a > b) { return a - b; } else { x = a + 1; } } repete 3 { if (a == 2) return 9; } "
         "while (a < 5) { a = a + 1; if (a == b) return a * 10; } return a < b; }",
         "ecris(f(5, 1), f(2, 0), f(1, 3), f(0, 9), f(7, 9)); ecris(f(2.5, 1) + 0.25);",
         "int g(n) { return n; } int h(n) { return g(n) + g(n + 1); } ecris(h(3), h(3 + 4), g(2 + 2) * 2);",
         "y = 3 + 4; int k() { return y; } int k2() { ecris(k() + 1, y, k() + k(), y); return k() * k(); } "
         "ecris(k2(), y);",
         "int cmp(a) { return (a + 1) > 0; } int c2(a) { return cmp(a) + cmp(a - 5); } ecris(c2(2), c2(7));"},
        {}, {"x", "y"});
}

TEST(EvalCompile, ValeursGardeesEtMarqueurs) {
    // Une valeur rendue puis gardée dans une liste, une variable, un let ; un
    // marqueur de return mis dans une liste ; une affectation de paramètre.
    Comparer({"int r(n) { return n + 1; } int r2() { l = liste(r(1), r(2) + r(3)); x = r(4); return x + r(5); } "
              "ecris(r2(), l, x);",
              "int m() { l2 = liste(exec([return_ [+ 7 1]]), 3); return 5 + 5; } int m2() { return m() + m(); } "
              "ecris(m2(), l2);",
              "int p(n) { n = n * 2; return n; } int p2() { return p(3) + p(p(1) + 1); } ecris(p2(), p2() + p2());",
              "int q(a) { return exec([let [[b [+ a 1]]] [return_ [+ [* a b] b]]]); } int q2() { return q(2) + q(3); } "
              "ecris(q2());",
              "int s(n) { z = n; return z; } int s2() { return s(2 + 3) + s(4); } ecris(s2(), z);",
              "int u(n) { recyclevaleur('v'); return n; } v = 5 + 5; int u2() { return u(v) + u(1 + 1); } "
              "ecris(u2(), v, u2() + v);",
              // recyclevaleur d'un nombre prêté à un paramètre : le nom garde sa valeur.
              "int t() { v = 5 + 5; u(v); w = 1 + 1; return v + 0; } ecris(t(), v, w);"},
             {}, {"x", "z", "v", "w"});
    EXPECT_NE(Executer(true,
                       {"int u(n) { recyclevaleur('v'); return 0; } int t() { v = 5 + 5; u(v); w = 1 + 1; "
                        "return v + 0; } ecris(t(), v, w);"},
                       {}, {})
                  .messages.find("10 10 2"),
              std::string::npos);
}

TEST(EvalCompile, ErreursEtLimites) {
    // Rapports de genre, nombre d'arguments, fonction inconnue, trop d'arguments,
    // la limite des 800 appels, une redéfinition pendant l'appel.
    Comparer(
        {"int e(n) { return liste(n) + 1; } ecris(e(2));",
         "int d(a, b) { return a - b; } exec([lisp_de c [x] [progn [return_ [+ [+ [d x] [d 1 2 3]] [inconnue 2]]]]]);",
         "ecris(exec([c 1]));",
         "int huit(a, b, c, d, e, f, g, h) { return a + h; } "
         "exec([lisp_de neuf [x] [progn [return_ [+ x [huit 1 2 3 4 5 6 7 8 9]]]]]);",
         "ecris(exec([neuf 1]), huit(1, 2, 3, 4, 5, 6, 7, 8));",
         "int sansfin(n) { return sansfin(n + 1) + 1; } ecris(sansfin(1));",
         "int w(n) { if (n > 0) return w(n - 1) + 1; return 0; } ecris(w(500));",
         "int rd(n) { exec([lisp_de rd [a] [progn [return_ [* a 100]]]]); return n + 1; } ecris(rd(1) + rd(2), rd(3));",
         "int t(n) { av(n); td(30); return n < 3; } ecris(t(1) + t(10));"});
}

TEST(EvalCompile, PasAPasTracesEtArret) {
    // Le pas à pas posé au milieu d'un appel compilé, les traces d'appels.
    Comparer(
        {"int fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }", "trace('fib'); ecris(fib(4));",
         "untrace('fib'); int pas(n) { if (n == 2) pasapas = vrai; return n + 1; } ecris(pas(1) + pas(2) + pas(3));",
         "pasapas = faux;"},
        {"reessayer", "ignorer", "reessayer", "reessayer", "abandonner"});
}

TEST(EvalCompile, ImbricationProfonde) {
    // Une définition bâtie par un programme, imbriquée plus loin que ce que les
    // corps compilés décodent : la suite passe à l'évaluation ordinaire.
    std::string e = "n";
    for (int i = 0; i < 300; ++i) e = "(+ " + e + " 1)";
    std::string i = "(return_ " + e + ")";
    for (int k = 0; k < 260; ++k) i = "(progn " + i + ")";
    for (bool compilation : {true, false}) {
        BancEval b;
        b.I->compilationPermise = compilation;
        b.Eval("(lisp_de prof (n) (progn " + i + "))");
        b.Eval("(lisp_de appel (n) (progn (return_ (+ (prof n) 1))))");
        Objet* r = b.Eval("(appel 2)");
        ASSERT_TRUE(EstFlottant(r));
        EXPECT_EQ(FLO(r)->valeur, 303.0f);
    }
}

TEST(EvalCompile, LesValeursRenduesResserventAussitot) {
    // fib(22) : 57313 returns ; chaque somme consommée par l'appelant reprend
    // sa place, sans collecte : un seul bloc de nombres.
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }");
    const size_t blocs = I.blocsNombres.size();
    Objet* r = b.Calcul("fib(22);");
    ASSERT_TRUE(EstFlottant(r));
    EXPECT_EQ(FLO(r)->valeur, 17711.0f);
    EXPECT_EQ(FLO(r)->etat, EtatPartage);
    EXPECT_LE(I.blocsNombres.size(), blocs + 1);
    EXPECT_LT(I.nombresDepuisCollecte, 1000u);
}

TEST(EvalCompile, DefinitionAuxSousListesPartagees) {
    // Une définition bâtie par un programme, dont les sous-listes se partagent :
    // 2^40 chemins. Le décodage s'arrête à sa borne (la suite reste à
    // l'évaluation ordinaire) au lieu d'épuiser la mémoire.
    BancEval b;
    Interp& I = *b.I;
    Objet* plus = b.Arbre("(+ 1 1)");
    Objet* x = plus;
    for (int k = 0; k < 40; ++k) x = I.mp(CEL(plus)->car, I.mp(x, I.mp(x, I.pgNil)));
    b.Eval("(lisp_de partage () (progn (return_ 0)))");
    Nom* nom = b.N("partage");
    nom->definition = I.mp(I.mp(I.Cherche("return_"), I.mp(x, I.pgNil)), I.pgNil);
    ASSERT_NE(CompilerLeCorps(I, nom), nullptr);
    EXPECT_LE(I.noeudsCompiles, size_t(1) << 17);
    // Le petit corps d'à côté se décode encore, en entier.
    b.Executer("int petit(n) { return n + 1; }");
    Objet* r = b.Calcul("petit(2);");
    ASSERT_TRUE(EstFlottant(r));
    EXPECT_EQ(FLO(r)->valeur, 3.0f);
}
