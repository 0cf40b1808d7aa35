// Les rapports d'erreur de syntaxe (messages, bips, boîtes) et la trace de l'analyse.
#include <gtest/gtest.h>

#include "hote_enregistreur.h"
#include "objects/imprime.h"
#include "syntax/analyse.h"

using namespace gelim;

namespace {

const char* kTitreSyntaxe = "J E   N E   C O M P R E N D S   P A S   C E   Q U E   T U   M E   D I S  !";

void Analyse(Banc& b, const std::string& texteUtf8, bool trace = false) {
    b.I->affichageAnalyse = trace;
    RemplirTexteAAnalyser(*b.I, Utf8VersCp1252(texteUtf8.c_str()));
    AnalyseLeTexte(*b.I);
}

void Lexe(Interp& I, const std::string& texteUtf8) {
    I.ChaineBrute.clear();
    RemplirTexteAAnalyser(I, Utf8VersCp1252(texteUtf8.c_str()));
    AnaLexTexte(I);
    I.gErreurAnalyse = false;
    I.gPosAnalyse = 0;
}

std::vector<std::string> TextesUtf8(const BoiteErreur& b) {
    std::vector<std::string> t;
    for (const auto& s : b.textes) t.push_back(Cp1252VersUtf8(s));
    while (!t.empty() && t.back().empty()) t.pop_back();
    return t;
}

}  // namespace

// Les messages et le journal de ces erreurs sont rejoués par les transcriptions ;
// ici ce que le journal ne montre pas : genre, image, disposition et rangées des boîtes.
TEST(RapportsSyntaxe, FormeDesBoites) {
    struct Cas {
        const char* texte;
        int genre, image, disposition;
        const char* titre;
    };
    const Cas cas[] = {
        {"av(10)", 0, 3, 2, kTitreSyntaxe},
        {"int f(int a) { }", 2, 3, 10, "A T T E N T I O N   E R R E U R   A   L ' A N A L Y S E  :"},
        {"int f(a, b c) { }", 0, 3, 4, kTitreSyntaxe},
    };
    for (const Cas& c : cas) {
        Banc b;
        Analyse(b, c.texte);
        EXPECT_EQ(b.I->gArbreDuProgramme, b.I->pgCestFaux) << c.texte;
        ASSERT_EQ(b.hote.boites.size(), 1u) << c.texte;  // l'analyse principale se tait après la première
        const BoiteErreur& boite = b.hote.boites[0];
        EXPECT_EQ(int(boite.genre), c.genre) << c.texte;
        EXPECT_EQ(boite.image, c.image) << c.texte;
        EXPECT_EQ(boite.disposition, c.disposition) << c.texte;
        EXPECT_EQ(Cp1252VersUtf8(boite.titre), c.titre) << c.texte;
        if (c.disposition == 10) {
            ASSERT_EQ(boite.rangees.size(), 6u);
            EXPECT_EQ(boite.rangees[0].etiquette, "");
        }
    }
}

TEST(RapportsSyntaxe, LesTroisFormesEtLeSilenceEnsuite) {
    Banc b;
    Interp& I = *b.I;
    Lexe(I, "a b c");
    I.gPosAnalyse = 1;
    EXPECT_EQ(ErreurSyntaxe(I, "S", "F", "W"), I.pgCestFaux);
    ASSERT_EQ(b.hote.boites.size(), 1u);
    EXPECT_EQ(b.hote.boites[0].disposition, 1);
    EXPECT_EQ(TextesUtf8(b.hote.boites[0]), (std::vector<std::string>{"S", "F", "W", "b"}));
    EXPECT_EQ(I.gPosAnalyse, 3);  // sur la marque de fin
    // Une seconde erreur de la même analyse : ni message, ni boîte, ni bip.
    std::string avant = b.Messages();
    size_t journal = b.hote.journal.size();
    EXPECT_EQ(ErreurSyntaxe(I, "S2", "F2", I.pgTrue, "W2"), I.pgCestFaux);
    EXPECT_EQ(ErreurAnalyseParam(I, "m", I.pgTrue, "m", I.pgTrue, "m", I.pgTrue), I.pgCestFaux);
    EXPECT_EQ(b.Messages(), avant);
    EXPECT_EQ(b.hote.journal.size(), journal);

    // Forme à une pièce : le texte d'une liste est celui de son premier élément.
    Lexe(I, "a b c");
    Objet* liste = I.mp(I.mp(I.lettres[int('q')], I.pgNil), I.mp(I.lettres[int('r')], I.pgNil));
    ErreurSyntaxe(I, " S ", " F ", liste, " W ");
    ASSERT_EQ(b.hote.boites.size(), 2u);
    EXPECT_EQ(b.hote.boites[1].disposition, 2);
    EXPECT_EQ(TextesUtf8(b.hote.boites[1]), (std::vector<std::string>{" S ", " F ", "q", " W ", "a"}));
    // Forme à deux pièces ; la liste vide montre sa forme imprimée, à la suite du texte.
    Lexe(I, "a b c");
    ErreurSyntaxe(I, "S", "F1", I.pgNil, "F2", I.lettres[int('z')], "W");
    ASSERT_EQ(b.hote.boites.size(), 3u);
    EXPECT_EQ(b.hote.boites[2].disposition, 4);
    EXPECT_EQ(TextesUtf8(b.hote.boites[2]), (std::vector<std::string>{"S", "F1", "[] ", "F2", "z", "W", "a"}));
    EXPECT_NE(b.Messages().find("J'ai trouvé d'abord : F1[]\nEt ensuite j'ai bien trouvé : F2z \n"), std::string::npos);
}

TEST(RapportsSyntaxe, AvecLAffichageDeLAnalyse) {
    // Une erreur, trace allumée : pas de bip, pas de « Je ne comprends pas », mais la trace.
    Banc b;
    Analyse(b, "av(10)", true);
    EXPECT_EQ(b.hote.Compter("BIP"), 0);
    std::string m = b.Messages();
    EXPECT_EQ(m.find("Je ne comprends pas"), std::string::npos);
    EXPECT_NE(m.find("ExpressionPuisPointVirgule ::= expression ; , trouvé l'expression"), std::string::npos);
    EXPECT_NE(m.find("Globalement je recherche :  une expression suivie d'un point-virgule. "), std::string::npos);
    EXPECT_EQ(b.hote.boites.size(), 1u);
}
