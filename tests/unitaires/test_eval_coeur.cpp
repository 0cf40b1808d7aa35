// Le cœur de l'évaluation : atomes, formes mal faites, appels des FDU,
// protocole du return, durée de vie des nombres, bornes, arrêt demandé et
// boîte du pas à pas impossible.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "objects/imprime.h"
#include "test_eval_lecteur.h"
#include "turtle/tortue.h"

using namespace gelim;

namespace {
const char* kTitreErreur = "DIALOGUE A T T E N T I O N   E R R E U R   A   L ' E X E C U T I O N  :";
}

TEST(EvalCoeur, AtomesEtMauvaisTypes) {
    BancEval b;
    Interp& I = *b.I;
    EXPECT_EQ(EvalPasAPas(I, I.pgNil), I.pgNil);
    EXPECT_EQ(b.Eval("([] (av 100) 2)"), I.pgNil);  // rien n'est évalué derrière []
    Objet* n = b.Arbre("42");
    EXPECT_EQ(EvalPasAPas(I, n), n);
    EXPECT_EQ(EvalPasAPas(I, b.N("jamaisvu")), I.pgValeurIndefinie);
    EXPECT_EQ(EvalPasAPas(I, I.pgTrue), I.pgTrue);
    EXPECT_EQ(EvalPasAPas(I, I.pgFalse), I.pgFalse);
    EXPECT_EQ(I.tortue.y, 0.0f);
    EXPECT_EQ(b.Messages(), "");

    // Les objets sans valeur : une ligne dans les messages, ni boîte ni compte.
    EXPECT_EQ(EvalPasAPas(I, I.pgCestFaux), I.pgCestFaux);
    EXPECT_EQ(EvalPasAPas(I, I.sepElse), I.pgCestFaux);
    EXPECT_EQ(EvalPasAPas(I, I.Cherche("av")), I.pgCestFaux);
    EXPECT_EQ(b.Messages(),
              "Erreur dans LanceEval : Mauvais Type C'est faux \n"
              "Erreur dans LanceEval : Mauvais Type else \n"
              "Erreur dans LanceEval : Mauvais Type dans le switch av \n");
    EXPECT_EQ(I.NbErreursExecution, 0);
    EXPECT_TRUE(b.hote.journal.empty());
}

TEST(EvalCoeur, FormesMalFaitesEtParametreSansEnvironnement) {
    BancEval b;
    Interp& I = *b.I;
    EXPECT_EQ(b.Eval("((a) b)"), I.pgCestFaux);
    EXPECT_EQ(b.Eval("(3 4)"), I.pgCestFaux);
    EXPECT_EQ(b.Eval("(else 1)"), I.pgCestFaux);
    EXPECT_EQ(b.Messages(),
              "pNB_EvalSExp\nEvaluation de la forme ((...)...)\na b \n"
              "pNB_EvalSExp\nEvaluation d'une liste de nombres\n3 \n"
              "pNB_EvalSExp\nEvaluation d'une liste bizarre\nelse \n");
    EXPECT_EQ(b.Boites(kTitreErreur), 3);
    EXPECT_EQ(I.NbErreursExecution, 3);

    // Avant l'installation de l'environnement de base, un paramètre n'a pas de case.
    Banc nu;
    EXPECT_EQ(EvalPasAPas(*nu.I, nu.I->params[2]), nu.I->pgCestFaux);
    EXPECT_EQ(nu.Messages(), "pNB_EvalSExp\nEvaluation d'une variable locale non-instanciée\nParam3DeFDU \n");
    // Au niveau de base, il lit la case de l'environnement de base.
    I.pgTabpEnv[0]->cases[2] = I.pgUn;
    EXPECT_EQ(EvalPasAPas(I, I.params[2]), I.pgUn);
}

TEST(EvalCoeur, UnReturnNeCouteAucuneCellule) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int g(x) { if (x > 0) return x; return 0; }");
    RemplirTexteAAnalyser(I, "g(3);");
    AnalyseLeTexte(I);
    Objet* arbre = I.gArbreDuProgramme;
    const int libres = I.NbCellulesLibres;
    for (int i = 0; i < 1000; ++i) EvalPasAPas(I, arbre);
    EXPECT_EQ(I.NbCellulesLibres, libres);
}

TEST(EvalCoeur, VieDesNombresAuxAppels) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int rien(y) { return 0; } int garde(x) { z = x; } int deux(x) { rien(x); w = x; return 1; }");
    // L'argument temporaire meurt au retour ; la valeur gardée par z survit.
    Flottant* t = I.NouveauNombreTemporaire(7);
    const int64_t vivants = I.nbNombresVivants;
    Objet* args = I.mp(t, I.pgNil);
    t->etat = EtatTemporaire;  // (mp l'a rendu partagé)
    EvalSExp(I, I.mp(b.N("rien"), args));
    EXPECT_EQ(t->libere, 1);
    EXPECT_EQ(I.nbNombresVivants, vivants - 1);
    t = I.NouveauNombreTemporaire(8);
    args = I.mp(t, I.pgNil);
    t->etat = EtatTemporaire;
    EvalSExp(I, I.mp(b.N("garde"), args));
    EXPECT_EQ(b.N("z")->valeur, t);
    EXPECT_EQ(t->libere, 0);
    EXPECT_EQ(t->etat, EtatPartage);
    // Prêté à l'appel intérieur, rendu à son propriétaire, puis détruit au retour extérieur.
    t = I.NouveauNombreTemporaire(9);
    args = I.mp(t, I.pgNil);
    t->etat = EtatTemporaire;
    EvalSExp(I, I.mp(b.N("deux"), args));
    EXPECT_EQ(b.N("w")->valeur, t);
    EXPECT_EQ(t->libere, 0);
    // Un nombre possédé par une variable et prêté revient à l'état possédé.
    Flottant* p = I.NouveauNombreTemporaire(10);
    p->etat = EtatPossede;
    b.N("v")->valeur = p;
    b.Eval("(rien v)");
    EXPECT_EQ(p->etat, EtatPossede);
    EXPECT_EQ(p->libere, 0);
}

TEST(EvalCoeur, NombresDesParametresRecyclesAuRetour) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer(
        "int garde(a) { x = a; l = liste(a); return 0; } int rend(a) { return a; }"
        "int passe(a) { rend(a); return a; } int bidon(a) { return 0; }");
    b.Calcul("garde(2 + 3); r = rend(4 + 4); p = passe(1 + 1);");
    // Un appel dont l'argument est un temporaire ne consomme aucun nombre.
    Objet* arbre = b.Arbre("(bidon (+ 7 1))");
    Flottant* libre = I.nombresLibres;
    EvalPasAPas(I, arbre);
    EXPECT_EQ(I.nombresLibres, libre);
    // Ce qu'une affectation, une liste ou un return a gardé n'est jamais repris.
    b.Calcul("i = 0; while (i < 3000) { bidon(i * 2); i = i + 1; }");
    EXPECT_EQ(b.Valeur("x"), 5.0f);
    EXPECT_EQ(b.Valeur("r"), 8.0f);
    EXPECT_EQ(b.Valeur("p"), 2.0f);
    VideLesMessages(I);
    Imprime(I, b.N("l")->valeur);
    EXPECT_EQ(b.Messages(), "5 ");
}

TEST(EvalCoeur, ImbricationsSansFinArreteesParUnRapport) {
    BancEval b;
    Interp& I = *b.I;
    // Une forme imbriquée à 100000 niveaux, bâtie par le programme.
    I.profondeurNativeMax = 3000;
    Objet* x = I.pgUn;
    for (int i = 0; i < 100000; ++i) x = I.mp(I.Cherche("abs"), I.mp(x, I.pgNil));
    PreparerCommande(I);
    Objet* r = EvalPasAPas(I, x);  // 1 remplace la valeur refusée, puis abs(1) remonte
    ASSERT_TRUE(EstFlottant(r));
    EXPECT_EQ(FLO(r)->valeur, 1.0f);
    EXPECT_EQ(I.profondeurNative, 0);
    EXPECT_NE(b.Messages().find("Evaluation trop profonde\n"), std::string::npos);
    // Avec la borne par défaut, assez profond pour une récursion légitime de 800 appels.
    I.profondeurNativeMax = Interp(b.hote).profondeurNativeMax;
    b.Executer("int p(n) { if (n > 0) { { return 1 + p(n - 1); } } return 0; }");
    EXPECT_EQ(FLO(b.Calcul("p(790);"))->valeur, 790.0f);
}

TEST(EvalCoeur, ArretDemandeParUnAutreFil) {
    BancEval b;
    Interp& I = *b.I;
    std::atomic<bool> fini{false};
    std::thread fil([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        I.arretDemande = true;
        fini = true;
    });
    b.Executer("i = 0; while (1) { i = i + 1; } av(100); ecris(999);");
    fil.join();
    EXPECT_TRUE(fini);
    EXPECT_EQ(I.tortue.y, 0.0f);
    EXPECT_EQ(b.Messages(), "Tu as demandé l'arrêt : le programme s'arrête ici.\n");
    // La commande suivante repart normalement.
    EXPECT_EQ(FLO(b.Calcul("2 + 3;"))->valeur, 5.0f);
}

namespace {
// Un hôte qui demande l'arrêt à la dixième question.
class HoteQuiArrete : public HoteEnregistreur {
public:
    int questions = 0;
    bool ArretDemande() override { return ++questions >= 10; }
};
}  // namespace

TEST(EvalCoeur, ArretDemandeParLHote) {
    HoteQuiArrete hote;
    Interp I(hote);
    InstallerEnvironnementDeBase(I);
    RemplirTexteAAnalyser(I, "int f(n) { return f(n) + f(n); } f(1);");
    AnalyseLeTexte(I);
    PreparerCommande(I);
    EvalPasAPas(I, I.gArbreDuProgramme);
    EXPECT_GE(hote.questions, 10);
    EXPECT_NE(Cp1252VersUtf8(I.messages.Texte()).find("Tu as demandé l'arrêt"), std::string::npos);
    EXPECT_EQ(I.gProfondeurEnv, 0);
}

namespace {
// Un hôte dont la boîte du pas à pas ne peut pas s'ouvrir.
class HoteSansBoite : public HoteEnregistreur {
public:
    ReponsePasAPas BoitePasAPas(const std::string&, const std::string&) override { return ReponsePasAPas::Echec; }
};
}  // namespace

// Les réponses de la boîte du pas à pas et la trace des appels sont rejouées par
// les transcriptions ; ici la boîte qui ne peut pas s'ouvrir.
TEST(EvalPas, BoiteImpossibleSauteLaForme) {
    HoteSansBoite hote;
    Interp I(hote);
    InstallerEnvironnementDeBase(I);
    I.pasapas->valeur = I.pgTrue;
    EXPECT_EQ(EvalPasAPas(I, Lecteur(I, "(setq z 4)").Lire()), I.pgNil);
    EXPECT_EQ(NOM(I.TrouveOuCreeNom("z"))->valeur, I.pgValeurIndefinie);
    EXPECT_EQ(I.gProfondeurPasAPas, 0);
}
