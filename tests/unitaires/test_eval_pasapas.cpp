// Le pas à pas (chaque réponse de la boîte) et la trace des appels.
#include <gtest/gtest.h>

#include "test_eval_lecteur.h"

using namespace gelim;

namespace {
const char* kBoitePas =
    "DIALOGUE Faut-il ABANDONNER définitivement le pas à pas? | REESSAYER le pas à pas dans cette instruction ou "
    "l'IGNORER ?";
const char* kApres = "DIALOGUE Interpréteur graphique Dravo | Après";

float Val(Objet* x) {
    return EstFlottant(x) ? FLO(x)->valeur : -999999.0f;
}
}  // namespace

TEST(EvalPas, ReessayerEntreDansChaqueSousForme) {
    BancEval b;
    Interp& I = *b.I;
    I.pasapas->valeur = I.pgTrue;
    Objet* r = b.Eval("(+ 1 2)");
    EXPECT_EQ(Val(r), 3.0f);
    EXPECT_EQ(b.Messages(), ": [+ 1 2 ] \n: : 1  \n: : 1  \n: : 2  \n: : 2  \n: 3  \n");
    EXPECT_EQ(b.Boites(kBoitePas), 3);
    EXPECT_EQ(b.Boites(kApres), 3);
    EXPECT_EQ(I.gProfondeurPasAPas, 0);
    EXPECT_EQ(I.pasapas->valeur, I.pgTrue);  // le pas à pas reste pour les commandes suivantes
}

TEST(EvalPas, IgnorerExecuteLaFormeSansBoite) {
    BancEval b;
    Interp& I = *b.I;
    I.pasapas->valeur = I.pgTrue;
    b.hote.reponses = {"ignorer"};
    EXPECT_EQ(b.Eval("(repete 3 (progn (setq n 1) (av 10)))"), I.pgNil);
    EXPECT_FLOAT_EQ(I.tortue.y, 30.0f);
    EXPECT_EQ(b.Messages(), ": [repete 3 [progn [setq n 1 ][av 10 ]]] \n: []  \n");
    EXPECT_EQ(b.Boites(kBoitePas), 1);
    EXPECT_EQ(b.Boites(kApres), 1);
    EXPECT_EQ(I.pasapas->valeur, I.pgTrue);
}

TEST(EvalPas, AbandonnerCoupeLePasAPasPourDeBon) {
    BancEval b;
    Interp& I = *b.I;
    I.pasapas->valeur = I.pgTrue;
    b.hote.reponses = {"reessayer", "abandonner"};
    EXPECT_EQ(Val(b.Eval("(+ 1 (+ 2 3))")), 6.0f);
    // La forme interrompue finit son travail ; plus aucune ligne ni boîte.
    EXPECT_EQ(b.Messages(), ": [+ 1 [+ 2 3 ]] \n: : 1  \n");
    EXPECT_EQ(b.Boites(kBoitePas), 2);
    EXPECT_EQ(b.Boites(kApres), 0);
    EXPECT_EQ(I.pasapas->valeur, I.pgFalse);
    EXPECT_EQ(I.gProfondeurPasAPas, 0);
    b.Eval("(+ 4 5)");
    EXPECT_EQ(b.Boites(kBoitePas), 2);
}

TEST(EvalPas, LesArgumentsDUneFDUAvantSonCorps) {
    BancEval b;
    Interp& I = *b.I;
    b.Eval("(lisp_de f (x) (progn (return_ x)))");
    VideLesMessages(I);
    I.pasapas->valeur = I.pgTrue;
    EXPECT_EQ(Val(b.Eval("(f 5)")), 5.0f);
    const std::string m = b.Messages();
    EXPECT_EQ(m.rfind(": [f 5 ] \n: : 5  \n: : 5  \n: : [progn [return_ Param1DeFDU ]] \n", 0), 0u);
    EXPECT_NE(m.find(": : [returned 5 ] \n: 5  \n"), std::string::npos);
}

TEST(EvalPas, LeProgrammePeutAllumerLePasAPas) {
    BancEval b;
    b.hote.reponses = {"ignorer"};
    b.Eval("(progn (setq pasapas true) (setq z 4))");
    EXPECT_EQ(b.Messages(), ": [setq z 4 ] \n: 4  \n");
    b.Eval("(setq pasapas false)");  // une boîte pour la forme, une pour false
    EXPECT_EQ(b.Boites(kBoitePas), 3);
    b.Eval("(setq z 5)");
    EXPECT_EQ(b.Boites(kBoitePas), 3);
}

namespace {
// Un hôte dont la boîte du pas à pas ne peut pas s'ouvrir.
class HoteSansBoite : public HoteEnregistreur {
public:
    ReponsePasAPas BoitePasAPas(const std::string&, const std::string&) override { return ReponsePasAPas::Echec; }
};
}  // namespace

TEST(EvalPas, BoiteImpossibleSauteLaForme) {
    HoteSansBoite hote;
    Interp I(hote);
    InstallerEnvironnementDeBase(I);
    I.pasapas->valeur = I.pgTrue;
    EXPECT_EQ(EvalPasAPas(I, Lecteur(I, "(setq z 4)").Lire()), I.pgNil);
    EXPECT_EQ(NOM(I.TrouveOuCreeNom("z"))->valeur, I.pgValeurIndefinie);
    EXPECT_EQ(I.gProfondeurPasAPas, 0);
}

TEST(EvalTrace, TraceEtUntrace) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int fact(n) { if (n < 2) return 1; return n * fact(n - 1); }");
    VideLesMessages(I);
    b.Executer("trace('fact'); trace('fact');");
    EXPECT_EQ(b.Messages(),
              "Maintenant, je trace les appels à cette fonction : fact \n"
              "J'ai déjà noté qu'il fallait tracer cette fonction : \nfact \n");
    EXPECT_EQ(b.N("fact")->trace, 1);
    VideLesMessages(I);
    b.Executer("ecris(fact(2));");
    EXPECT_EQ(b.Messages(),
              ": fact =>\n: : 2  \n: : fact =>\n: : : 1  \n: : <= returned 1  \n: <= returned 2  \n2  \n");
    VideLesMessages(I);
    b.Executer("untrace('fact'); untrace('fact'); fact(2);");
    EXPECT_EQ(b.Messages(),
              "Maintenant, je ne trace plus les appels à cette fonction : fact \n"
              "J'ai déjà noté qu'il ne fallait pas (plus) tracer cette fonction : fact \n");
    VideLesMessages(I);
    // Sans apostrophes, le nom est évalué : sa valeur n'est pas un nom.
    b.Executer("trace(fact); untrace(3);");
    EXPECT_EQ(b.Messages(),
              "Trace\nLe param 1 n'est pas un Nom\nValeur_Indéfinie \nUntrace\nLe param 1 n'est pas un Nom\n3 \n");
    // La trace d'une fonction sans paramètre et d'un appel sans return.
    b.Executer("int rien() { } trace('rien');");
    VideLesMessages(I);
    b.Executer("rien();");
    EXPECT_EQ(b.Messages(), ": rien =>\nErreur dans LanceEval : Mauvais Type ValeurFDUProtoIndefinie \n: <= []  \n");
}
