// Les familles de primitives : contrôles de genre et remplaçants, défauts des
// aiguillages, temporaires réutilisés, protection des arguments.
#include <gtest/gtest.h>

#include <memory>

#include "objects/imprime.h"
#include "test_eval_lecteur.h"

using namespace gelim;

namespace {

// Une primitive de code et de classe choisis, hors du lexique : pour
// atteindre les défauts des aiguillages, qu'aucun mot du langage n'atteint.
struct Intrus {
    std::unique_ptr<Fonc> f = std::make_unique<Fonc>();
    Intrus(Interp& I, uint16_t code, uint8_t nbArgs, const char* nom) {
        f->tag = code;
        f->nbArgs = nbArgs;
        f->nom = nom;
        for (int k = 0; k < 4; ++k) f->expr[k] = f->val[k] = I.pgNil;
    }
};

// (f a1 ... an) bâtie autour d'un objet quelconque.
Objet* Forme(Interp& I, Objet* f, std::initializer_list<Objet*> args) {
    std::vector<Objet*> v(args);
    Objet* l = I.pgNil;
    for (size_t i = v.size(); i-- > 0;) l = I.mp(v[i], l);
    return I.mp(f, l);
}
}  // namespace

// Les rapports de genre et leurs remplaçants sont rejoués par erreurs_genre_familles ;
// ici la disposition des boîtes, que le journal ne montre pas.
TEST(EvalFamilles, BoitesDesControlesDeGenre) {
    BancEval b;
    b.Eval("(abs truc)");
    b.Eval("(+ truc 2)");
    ASSERT_EQ(b.hote.boites.size(), 2u);
    EXPECT_EQ(b.hote.boites[0].disposition, 10);  // trois paires : la boîte à six rangées
    EXPECT_EQ(b.hote.boites[1].disposition, 6);
}

TEST(EvalFamilles, ControleDeGenreDesFamillesADeuxListes) {
    // Aucun mot du langage n'est dans cette famille : une primitive intruse la visite.
    BancEval b;
    Interp& I = *b.I;
    Intrus f(I, kDebutListe2 + 1, 2, "intrus");
    EXPECT_EQ(EvalPasAPas(I, Forme(I, f.f.get(), {I.pgUn, b.Arbre("(quote (a))")})), I.pgCestFaux);
    EXPECT_EQ(EvalPasAPas(I, Forme(I, f.f.get(), {b.Arbre("(quote (a))"), I.pgUn})), I.pgCestFaux);
    EXPECT_EQ(b.Messages(),
              "l'évaluation des 2 paramètres d'une fonction sur les listes.\nintrus \n"
              "le premier paramètre n'est pas une liste\n1 \n"
              " switch EvalFoncEvNS2Listeparam \nce cas est imprévu \nintrus \n"
              "l'évaluation des 2 paramètres d'une fonction sur les listes.\nintrus \n"
              "le second paramètre n'est pas une liste\n1 \n"
              " switch EvalFoncEvNS2Listeparam \nce cas est imprévu \nintrus \n");
    // Le remplaçant est [] : la primitive voit la liste vide.
    EXPECT_EQ(f.f->val[1], I.pgNil);
}

TEST(EvalFamilles, DefautsDesAiguillages) {
    BancEval b;
    Interp& I = *b.I;
    Objet* un = I.pgUn;
    Objet* liste = b.Arbre("(quote (a))");
    struct Cas {
        uint16_t code;
        uint8_t nbArgs;
        std::vector<Objet*> args;
        const char* attendu;
    };
    const Cas cas[] = {
        {kDebutNum2 - 1, 1, {un}, "switch EvalFoncEvNSNum1param\nce cas est imprévu\n1 \n"},
        {kDifferent + 1, 2, {un, un}, " switch EvalFoncEvNS2Numparam \nce cas est imprévu \nintrus \n"},
        {kDebutListe1, 1, {liste}, "switch EvalFoncEvNSListe1param\nce cas est imprévu\nquote a \n"},
        {kDebutListe2, 2, {liste, liste}, " switch EvalFoncEvNS2Listeparam \nce cas est imprévu \nintrus \n"},
        {kDebutFree1 - 1, 0, {}, " switch EvalFoncEvNSFree0param \nce cas est imprévu \nintrus \n"},
        {kDebutFree1, 1, {un}, " switch EvalFoncEvNSFree1param \nce cas est imprévu \nintrus \n"},
        {kDebutAutres1 - 1, 2, {un, un}, " switch EvalFoncEvNSFree2param \nce cas est imprévu \nintrus \n"},
        {kDebutAutres2 - 1, 1, {un}, " switch EvalFoncEvNSAutre1param \nce cas est imprévu \nintrus \n"},
        {kNieme + 1, 2, {un, un}, " switch EvalFoncEvNSAutre2param \nce cas est imprévu \nintrus \n"},
        {kDebutLogo0 - 1, 3, {un, un, un}, " switch EvalFoncEvNSAutre3param \nce cas est imprévu \nintrus \n"},
        {kDebutLogo1 - 1, 0, {}, " switch EvalFoncEvNSLogo0param \nce cas est imprévu \nintrus \n"},
        {kAvance + 1, 1, {un}, "switch EvalFoncEvNSLogo1param\nce cas est imprévu\n1 \n"},
        {kDebutLogo3 - 1, 2, {un, un}, " switch EvalFoncEvNS2Numparam \nce cas est imprévu \nintrus \n"},
        {kCircle + 1, 3, {un, un, un}, " switch EvalFoncEvNSLogo3Param \nce cas est imprévu \nintrus \n"},
        {kBloc + 1, 4, {un, un, un, un}, " switch EvalFoncEvNSLogo4Param \nce cas est imprévu \nintrus \n"},
        {kCond + 1, 0, {un}, "switch EvalFoncNESP\nce cas est imprévu\nintrus \n"},
        {kNextl + 1, 1, {un}, "switch EvalFoncNENS1param\nce cas est imprévu\n1 \n"},
        {kDo + 1, 2, {un, un}, " switch EvalFoncNENS2param \nce cas est imprévu \nintrus \n"},
        {kFor + 1, 4, {un}, " switch EvalFoncNENS4param \nce cas est imprévu \nintrus \n"},
        {kFamilleNENS + 0x30, 0, {un}, "switch EvalFoncNENS0param\nce cas est imprévu\nC'est faux \n"},
        {kFamilleNENS + 0x50, 3, {un}, "Fonc::EvalFoncNENS\nqu'il y a un défaut dans le switch\nintrus \n"},
        {kFamilleNESP + 0x110, 0, {un}, "Fonc::EvalFonc\nqu'il y a un défaut dans le switch\nintrus \n"},
    };
    std::vector<Intrus> intrus;  // vivants jusqu'au bout : les cellules les désignent
    for (const Cas& c : cas) {
        Intrus& f = intrus.emplace_back(I, c.code, c.nbArgs, "intrus");
        VideLesMessages(I);
        PreparerCommande(I);
        Objet* forme = I.pgNil;
        for (size_t i = c.args.size(); i-- > 0;) forme = I.mp(c.args[i], forme);
        EXPECT_EQ(EvalPasAPas(I, I.mp(f.f.get(), forme)), I.pgCestFaux) << std::hex << c.code;
        EXPECT_EQ(b.Messages(), c.attendu) << std::hex << c.code;
    }
    // Une forme à liste d'arguments dont le reste n'est pas une liste.
    VideLesMessages(I);
    Objet* forme = I.mp(I.Cherche("progn"), I.pgNil);
    CEL(forme)->cdr = I.pgUn;
    EXPECT_EQ(EvalPasAPas(I, forme), I.pgCestFaux);
    EXPECT_EQ(b.Messages(), "progn\nEvalFoncNESP : Le paramètre n'est pas une liste\n1 \n");
}

TEST(EvalFamilles, TemporairesReutilises) {
    BancEval b;
    Interp& I = *b.I;
    Objet* forme = b.Arbre("(* (+ 3 4) 2)");
    Objet* trois = CEL(CEL(CEL(CEL(forme)->cdr)->car)->cdr)->car;
    const int64_t vivants = I.nbNombresVivants;
    Objet* r = EvalPasAPas(I, forme);
    EXPECT_EQ(b.Texte(r), "14.000000");
    EXPECT_EQ(FLO(r)->etat, EtatTemporaire);
    EXPECT_EQ(I.nbNombresVivants, vivants + 1);  // une seule création pour toute la chaîne
    EXPECT_EQ(b.Texte(trois), "3");
    EXPECT_EQ(Val(trois), 3.0f);
    // Dans a + b * c - d, le premier temporaire porte toute la suite.
    b.Eval("(setq a 1)");
    b.Eval("(setq b 2)");
    b.Eval("(setq c 3)");
    b.Eval("(setq d 4)");
    const int64_t avant = I.nbNombresVivants;
    r = b.Eval("(- (+ a (* b c)) d)");
    EXPECT_EQ(Val(r), 3.0f);
    EXPECT_EQ(I.nbNombresVivants, avant + 1);
    // Deux temporaires : le premier porte le résultat, le second est détruit.
    // (mp rend partagé un nombre mis dans une liste : on le refait temporaire.)
    Flottant* t1 = I.NouveauNombre(5);
    Flottant* t2 = I.NouveauNombre(6);
    Objet* somme = Forme(I, I.Cherche("somme"), {t1, t2});
    t1->etat = t2->etat = EtatTemporaire;
    EXPECT_EQ(EvalPasAPas(I, somme), t1);
    EXPECT_EQ(Val(t1), 11.0f);
    EXPECT_EQ(t2->libere, 1);
    // Un seul temporaire, en second : c'est lui qui porte le résultat.
    Flottant* t3 = I.NouveauNombre(7);
    Objet* diff = Forme(I, I.Cherche("diff"), {I.pgUn, t3});
    t3->etat = EtatTemporaire;
    EXPECT_EQ(EvalPasAPas(I, diff), t3);
    EXPECT_EQ(Val(t3), -6.0f);
    // Une fonction à un nombre réutilise aussi son argument temporaire.
    Flottant* t4 = I.NouveauNombre(-2);
    Objet* abs = Forme(I, I.Cherche("abs"), {t4});
    t4->etat = EtatTemporaire;
    EXPECT_EQ(EvalPasAPas(I, abs), t4);
    EXPECT_EQ(b.Texte(t4), "2.000000");
    // Une comparaison rend exactement ce que rend la primitive.
    EXPECT_EQ(b.Eval("(< 1 2)"), I.pgUn);
}

TEST(EvalFamilles, ProtectionDesArgumentsPendantUneCollecte) {
    BancEval b;
    Interp& I = *b.I;
    b.Executer("int f() { return 10; } int g(a, b) { return a - b; }");
    // Chaque return déclenche une collecte hors réserve : les valeurs déjà
    // calculées des formes en cours doivent survivre.
    I.seuilCollecteHors = 0;
    Flottant* t = I.NouveauNombre(3);
    Objet* forme = Forme(I, I.Cherche("*"), {t, b.Arbre("(f)")});
    t->etat = EtatTemporaire;
    PreparerCommande(I);
    EXPECT_EQ(EvalPasAPas(I, forme), t);  // toujours vivant : il porte le résultat
    EXPECT_EQ(t->valeur, 30.0f);
    // Les arguments déjà calculés d'un appel de FDU attendent dans son Env.
    t = I.NouveauNombre(7);
    forme = Forme(I, b.N("g"), {t, b.Arbre("(f)")});
    t->etat = EtatTemporaire;
    Objet* r = EvalPasAPas(I, forme);
    EXPECT_EQ(Val(r), -3.0f);  // pas repris pendant l'appel
    EXPECT_EQ(t->tag, 0);      // possédé par le paramètre : sa place resert dès le retour
    r = b.Calcul("(1 + 2) * (f() + 0);");
    EXPECT_EQ(Val(r), 30.0f);
    r = b.Calcul("max(1 + 4, max(f(), 2 + 1)) + max(9 - 1, max(2 - 1, f()));");
    EXPECT_EQ(Val(r), 20.0f);
    r = b.Eval("(liste (+ 1 2) (f) (+ 3 3))");
    VideLesMessages(I);
    Imprime(I, r);
    EXPECT_EQ(b.Messages(), "3 10 6 ");
    EXPECT_EQ(I.hautPileEnv, 1u);
}

TEST(EvalFamilles, MaxImbriques) {
    BancEval b;
    Interp& I = *b.I;
    EXPECT_EQ(Val(b.Calcul("max(5, max(9, 3));")), 9.0f);
    EXPECT_EQ(Val(b.Calcul("max(7, max(1, 2));")), 7.0f);
    EXPECT_EQ(Val(b.Calcul("min(2 + 2, min(9 - 1, 3 * 2));")), 4.0f);
    Objet* a = b.Arbre("3");
    Objet* c = b.Arbre("3");
    EXPECT_EQ(EvalPasAPas(I, Forme(I, I.Cherche("max"), {a, c})), c);
}

TEST(EvalFamilles, CommandesDeLaTortueEtSynonymes) {
    BancEval b;
    Interp& I = *b.I;
    EXPECT_EQ(b.Eval("(av 10)"), I.pgNil);
    EXPECT_EQ(b.Eval("(fpos 0 0)"), I.pgNil);
    // Le temporaire passé à une commande de la tortue est consommé.
    const int64_t vivants = I.nbNombresVivants;
    b.Eval("(td (+ 45 45))");
    EXPECT_EQ(I.nbNombresVivants, vivants);
    VideLesMessages(I);
    Imprime(I, b.Eval("(append2 (quote (a b)) (quote (c)))"));
    Imprime(I, b.Eval("(phrase (quote (a b)) (quote (c)))"));
    EXPECT_EQ(b.Messages(), "a b c a b c ");
}
