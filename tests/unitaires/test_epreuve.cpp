// Le mode d'épreuve attrape bien ce pour quoi il existe : un nombre rendu trop
// tôt alors qu'une racine le désigne encore, et un nombre gardé par le code
// sans être enraciné. Seulement dans une construction avec GELIM_STRESS.
#include <gtest/gtest.h>

#include "eval/appel.h"
#include "test_eval_lecteur.h"

using namespace gelim;

#ifdef GELIM_STRESS

TEST(EpreuveDeath, NombreRenduTropTotEncoreDesigne) {
    BancEval b;
    Interp& I = *b.I;
    I.epreuve = true;
    Flottant* n = I.NouveauNombre(3);
    n->etat = EtatPossede;
    b.N("x")->valeur = n;
    // La faute qu'on simule : la place rendue alors que x la désigne encore.
    RendreALaReserve(I, n);
    EXPECT_DEATH(I.NouveauNombre(4), "encore désigné par la valeur ou la définition d'un nom");
}

TEST(EpreuveDeath, NombreNonEnracineReprisAuNombreSuivant) {
    BancEval b;
    Interp& I = *b.I;
    I.epreuve = true;
    Flottant* garde = I.NouveauNombreTemporaire(5);  // tenu seulement par une variable C++
    I.NouveauNombre(6);
    EXPECT_EQ(garde->tag, kTagEmpoisonne);
}

TEST(Epreuve, UnProgrammeJusteNeChangeRien) {
    const char* programme =
        "int fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }\n"
        "l = []; repete 5 { l = mp(fib(7) + 1, l); } ecris(l, (3 + 4) * 2);";
    std::string attendu;
    for (bool epreuve : {false, true}) {
        BancEval b;
        b.I->epreuve = epreuve;
        b.Commande(programme);
        if (!epreuve)
            attendu = b.Messages();
        else
            EXPECT_EQ(b.Messages(), attendu);
    }
    EXPECT_NE(attendu.find("14 14 14 14 14 14.000000"), std::string::npos);
}

#endif
