// Mémoire des objets, lexique, imprimeurs et messages.
#include <gtest/gtest.h>

#include "hote_enregistreur.h"
#include "objects/imprime.h"
#include "objects/lexique.h"
#include "syntax/analyse.h"
#include "text/messages.h"

using namespace gelim;

TEST(Lexique, TrouveOuCreeNomEtCarteDesCaracteres) {
    Banc b;
    Interp& I = *b.I;
    Objet* av = I.TrouveOuCreeNom("av");
    EXPECT_TRUE(EstPrimitive(av));
    Objet* AV = I.TrouveOuCreeNom("AV");  // la casse compte
    EXPECT_EQ(AV->tag, kTagNom);
    EXPECT_EQ(I.TrouveOuCreeNom("AV"), AV);
    EXPECT_EQ(I.Lexique.back(), AV);
    EXPECT_EQ(I.CarteCaractere('q'), I.lettres[int('q')]);
    EXPECT_EQ(I.CarteCaractere(37)->nom, "touchegauche");
    EXPECT_EQ(I.CarteCaractere(46)->nom, "touchesuppr");
    EXPECT_EQ(I.CarteCaractere('5'), I.lettres[int('a')]);
    EXPECT_EQ(b.Messages(), "Carac inconnu !53\n");
}

TEST(Cellules, ToutesSaufUneAvantLEpuisement) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(I.NbCellulesLibres, kNbCellules);
    Objet* l = I.pgNil;
    int pris = 0;
    for (;;) {
        Objet* n = I.mp(I.pgUn, l);
        if (n == I.pgNil) break;
        l = n;
        ++pris;
    }
    EXPECT_EQ(pris, kNbCellules - 1);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A T T E N T I O N   DANGER | Dépassement de capacité dans les cellulles"), 1);
    // Une boîte à chaque refus, dix au plus dans une commande.
    I.mp(I.pgUn, I.pgNil);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A T T E N T I O N   DANGER"), 2);
    for (int i = 0; i < 20; ++i) I.mp(I.pgUn, I.pgNil);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A T T E N T I O N   DANGER"), Interp::kBoitesDEpuisementMax);
    EXPECT_EQ(I.mp(I.pgUn, I.pgUn), I.pgCestFaux);  // le second paramètre doit être une liste
}

TEST(Cellules, LaCollecteGardeCeQuUneVariableTient) {
    Banc b;
    Interp& I = *b.I;
    Nom* x = NOM(I.TrouveOuCreeNom("x"));
    x->valeur = I.mp(I.pgUn, I.mp(I.pgZero, I.pgNil));
    Objet* intermediaire = I.mp(I.pgUn, I.mp(I.pgUn, I.mp(I.pgUn, I.pgNil)));
    I.fenetresExistent = true;
    I.Recuperation();
    EXPECT_EQ(I.NbCellulesLibres, kNbCellules - 2);
    EXPECT_EQ(CEL(intermediaire)->car, I.pgNil);  // rendue à la liste libre
    EXPECT_EQ(CEL(x->valeur)->car, I.pgUn);
    EXPECT_EQ(b.Messages(), "Voici le nombre de cellules encore disponibles : 299998\n");
}

TEST(Nombres, LeCompteDesVivants) {
    Banc b;
    Interp& I = *b.I;
    // Le compte des nombres vivants, que l'interface affiche dans le titre de la fenêtre graphique.
    int64_t avant = I.nbNombresVivants;
    Flottant* f = I.NouveauNombreTemporaire(4);
    EXPECT_EQ(I.nbNombresVivantsAffiche.load(), avant + 1);
    I.LibereSiTemporaire(f);
    I.LibereSiTemporaire(f);  // une seconde libération ne décompte rien
    EXPECT_EQ(I.nbNombresVivantsAffiche.load(), avant);
}

TEST(Nombres, UnNombreDetruitNEstReprisQueSiPlusRienNeLeDesigne) {
    Banc b;
    Interp& I = *b.I;
    Nom* x = NOM(I.TrouveOuCreeNom("x"));
    Flottant* garde = I.NouveauNombre(42);
    x->valeur = garde;
    I.DetruireNombre(garde);  // détruit au sens de l'interprète, mais encore désigné
    Flottant* libre = I.NouveauNombre(7);
    I.DetruireNombre(libre);
    I.CollecteHorsReserve();
    EXPECT_EQ(garde->tag, kTagFlottant);
    EXPECT_EQ(garde->valeur, 42);
    EXPECT_EQ(libre->tag, 0);  // repris
    Flottant* neuf = I.NouveauNombre(9);
    EXPECT_EQ(neuf, libre);
}

TEST(Nombres, LesMarqueursNeCoutentAucuneCellule) {
    Banc b;
    Interp& I = *b.I;
    Flottant* v = I.NouveauNombreTemporaire(5);
    for (int i = 0; i < 1000000; ++i) I.Marqueur(v);
    EXPECT_EQ(I.NbCellulesLibres, kNbCellules);
    Objet* m = I.Marqueur(v);
    EXPECT_TRUE(I.EstMarqueur(m));
    EXPECT_EQ(v->etat, EtatPartage);
    EXPECT_LT(I.nbMarqueursPris, 3000000u);  // les marqueurs perdus sont repris
}

TEST(Imprimeurs, EnColonne) {
    Banc b;
    Interp& I = *b.I;
    Objet* a = I.lettres[int('a')];
    ImprimeEnColonne(I, I.mp(a, I.mp(I.mp(a, I.pgNil), I.mp(I.pgNil, I.pgNil))), 0);
    EXPECT_EQ(b.Messages(), ": a \n+\n: [\n: : : a \n: ]\n+\n: []\n");
}

TEST(Imprimeurs, ListesGeantesSansDebordement) {
    for (bool profonde : {false, true}) {
        Banc b;
        Interp& I = *b.I;
        Objet* l = I.pgNil;
        int n = profonde ? 100000 : 200000;
        for (int i = 0; i < n; ++i) l = profonde ? I.mp(l, I.pgNil) : I.mp(I.pgUn, l);
        ImprimeLigne(I, l);
        // Le texte est celui de la définition récursive : des lignes coupées à 100 caractères.
        std::string premiere = I.messages.lignes[0];
        // Sans crochets, une liste de listes vides n'écrit que le « [] » le plus profond.
        EXPECT_EQ(premiere, profonde ? "[]  " : std::string(100, ' ').replace(0, 100, [] {
            std::string t;
            while (t.size() < 100) t += "1 ";
            return t;
        }()));
        ImprimeArbre(I, l, 0, 0);
        ImprimeEnColonne(I, l, 0);
        Nom* x = NOM(I.TrouveOuCreeNom("x"));
        x->valeur = l;
        I.Recuperation();
        EXPECT_EQ(I.NbCellulesLibres, kNbCellules - n);
    }
    Banc b;
    Interp& I = *b.I;
    Objet* l = I.pgNil;
    for (int i = 0; i < 100000; ++i) l = I.mp(l, I.pgNil);
    ImprimeAvecCrochets(I, l);
    EXPECT_EQ(I.messages.lignes[0].substr(0, 4), "[[[[");
}

TEST(Messages, RegleDesCentCaracteres) {
    Banc b;
    Interp& I = *b.I;
    Ecrit(I, std::string(150, 'x'));
    EXPECT_EQ(I.messages.lignes.back().size(), 150u);
    Ecrit(I, "perdu");
    EXPECT_EQ(I.messages.lignes.back().size(), 150u);
    FinDeLigne(I);
    Ecrit(I, "ok");
    EXPECT_EQ(I.pStrLast, "ok");
    Ecrit(I, std::string(2000, 'y'));
    EXPECT_EQ(I.messages.lignes.back().size(), 998u);  // 996 au plus par écriture
    EXPECT_EQ(I.pStrLast, "Error In pStrLast_InsertSiYALaPlace_Line");
}

TEST(Messages, DixBoitesPourDouzeErreurs) {
    Banc b;
    Interp& I = *b.I;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(ErreurExecution(I, "Racine", "Evaluation de la racine d'un nombre négatif.", I.pgUn), I.pgCestFaux);
    EXPECT_EQ(b.hote.boites.size(), 10u);
    const BoiteErreur& e = b.hote.boites[0];
    EXPECT_EQ(e.disposition, 5);
    EXPECT_EQ(e.genre, GenreBoite::Execution);
    EXPECT_EQ(Cp1252VersUtf8(e.titre), "A T T E N T I O N   E R R E U R   A   L ' E X E C U T I O N  :");
    ASSERT_EQ(e.rangees.size(), 3u);
    EXPECT_EQ(Cp1252VersUtf8(e.rangees[0].etiquette), "Aïe erreur dans :");
    EXPECT_EQ(e.rangees[2].texte, "1 ");
    EXPECT_EQ(b.Messages().rfind("Racine\nEvaluation de la racine d'un nombre négatif.\n1 \nRacine\n", 0), 0u);
    ErreurExecution2(I, "t1", I.pgUn, "t2", I.pgZero);
    I.NbErreursExecution = 0;
    ErreurExecution2(I, "t1", I.pgUn, "t2", I.pgZero);
    EXPECT_EQ(b.hote.boites.back().disposition, 6);
    ErreurExecution3(I, "a ", I.pgUn, "b ", I.pgUn, "c ", I.pgZero);
    EXPECT_EQ(b.hote.boites.back().disposition, 10);
    EXPECT_EQ(b.hote.boites.back().rangees[5].texte, "c 0 ");
}

TEST(Messages, LigneFautiveDUnTexteEnCRLF) {
    // Un programme écrit avec des fins de ligne CR LF : le CR ne passe pas
    // dans la fenêtre des messages, ni au milieu ni à la fin d'une ligne.
    Banc b;
    Interp& I = *b.I;
    RemplirTexteAAnalyser(I, "av(10);\r\nav(20)\r\n");
    AnalyseLeTexte(I);
    std::string m = b.Messages();
    EXPECT_EQ(m.find('\r'), std::string::npos);
    EXPECT_NE(m.find("\n0 av(10);\n1 av(20)\n2 la_marque_de_fin_du_programme \n"), std::string::npos);
}
