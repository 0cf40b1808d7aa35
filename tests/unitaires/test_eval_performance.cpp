// Tenue en charge : une récursion et une longue boucle tournent vite, sans
// allocation par appel ni par opération (les réserves restent bornées).
#include <gtest/gtest.h>

#include <ctime>

#include "durees.h"
#include "test_eval_lecteur.h"

using namespace gelim;

namespace {
double TempsCpuMs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
}  // namespace

TEST(EvalPerformance, FibonacciEtBoucle) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }");
    double t0 = TempsCpuMs();
    Objet* r = b.Calcul("fib(25);");
    double t1 = TempsCpuMs();
    ASSERT_TRUE(EstFlottant(r));
    EXPECT_EQ(FLO(r)->valeur, 75025.0f);
    b.Executer("i = 0; s = 0; while (i < 1000000) { s = s + i; i = i + 1; }");
    double t2 = TempsCpuMs();
    EXPECT_EQ(b.Valeur("i"), 1000000.0f);
    RecordProperty("fib25_ms", int(t1 - t0));
    RecordProperty("boucle_ms", int(t2 - t1));
    std::printf("fib(25) : %.1f ms, boucle d'un million de tours : %.1f ms (temps du processeur)\n", t1 - t0, t2 - t1);
    // Des bornes larges (la machine peut être chargée) : elles ne prennent
    // qu'un ralentissement d'un autre ordre (allocation, collecte à chaque pas...).
    if (kDureesVerifiees) {
        EXPECT_LT(t1 - t0, 1500.0);
        EXPECT_LT(t2 - t1, 3000.0);
    }
    // Ni cellule de la réserve, ni Env, ni nombre par appel ou par tour : les
    // réserves reviennent à leur état ou restent bornées.
    EXPECT_EQ(I.hautPileEnv, 1u);
    EXPECT_EQ(I.gProfondeurEnv, 0);
    EXPECT_LE(I.blocsNombres.size(), 100u);    // 2 millions de nombres faits, 400000 places au plus
    EXPECT_LE(I.blocsMarqueurs.size(), 130u);  // 242785 returns, 2 cellules chacun, recyclées
}

TEST(EvalPerformance, LesCellulesDeLaReserveNeServentPasAuxCalculs) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int f(n) { if (n < 1) return 0; return 1 + f(n - 1); }");
    RemplirTexteAAnalyser(I, "x = 0; repete (2000) { x = x + f(20); }");
    AnalyseLeTexte(I);
    const int libres = I.NbCellulesLibres;
    PreparerCommande(I);
    EvalPasAPas(I, I.gArbreDuProgramme);
    EXPECT_EQ(b.Valeur("x"), 40000.0f);
    EXPECT_EQ(I.NbCellulesLibres, libres);
}
