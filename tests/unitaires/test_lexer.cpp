// Le lexer : jetons, nombres partagés, table des lignes, tampons sans limite fixe.
#include <gtest/gtest.h>

#include "hote_enregistreur.h"
#include "syntax/analyse.h"

using namespace gelim;

namespace {

// Les jetons du texte (UTF-8 converti en page 1252), séparés par un blanc, sans
// la marque de fin, dont on vérifie qu'elle termine toujours la liste.
std::string Jetons(Interp& I, const std::string& texteUtf8) {
    I.ChaineBrute.clear();
    RemplirTexteAAnalyser(I, Utf8VersCp1252(texteUtf8.c_str()));
    AnaLexTexte(I);
    EXPECT_FALSE(I.ChaineBrute.empty());
    EXPECT_EQ(I.ChaineBrute.back(), I.marqueFin);
    std::string s;
    for (size_t k = 0; k + 1 < I.ChaineBrute.size(); ++k) {
        if (k) s += " ";
        s += Cp1252VersUtf8(I.TexteDe(I.ChaineBrute[k]));
    }
    return s;
}

// Lexe un texte déjà en page 1252 (octets quelconques).
void LexeBrut(Interp& I, const std::string& texte) {
    I.ChaineBrute.clear();
    RemplirTexteAAnalyser(I, texte);
    AnaLexTexte(I);
}

}  // namespace

TEST(Lexer, TexteVideEtCommandeSimple) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(Jetons(I, ""), "");
    ASSERT_EQ(I.ChaineBrute.size(), 1u);
    ASSERT_EQ(I.InxFreeNextTabMemoEditLigInfo, 1u);
    EXPECT_EQ(I.TabMemoEditLigInfo[0].premier, 0);
    EXPECT_EQ(I.TabMemoEditLigInfo[0].fin, 0);

    EXPECT_EQ(Jetons(I, "av(10);"), "av ( 10 ) ;");
    EXPECT_EQ(I.ChaineBrute[0], I.Cherche("av"));
    EXPECT_EQ(I.ChaineBrute[1], I.sepParOuvrante);
    ASSERT_TRUE(EstFlottant(I.ChaineBrute[2]));
    EXPECT_EQ(FLO(I.ChaineBrute[2])->valeur, 10.0f);
    EXPECT_EQ(FLO(I.ChaineBrute[2])->etat, EtatPartage);
    EXPECT_EQ(I.ChaineBrute[3], I.sepParFermante);
    EXPECT_EQ(I.ChaineBrute[4], I.sepPointVirgule);
    EXPECT_EQ(b.Messages(), "");  // le lexer n'écrit jamais rien
}

TEST(Lexer, OperateursDeUnOuDeuxCaracteres) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(Jetons(I, "a<=b"), "a <= b");
    EXPECT_EQ(Jetons(I, "a=<b"), "a = < b");
    EXPECT_EQ(Jetons(I, "x===y"), "x == = y");
    EXPECT_EQ(Jetons(I, "a>=b>c!=d!e"), "a >= b > c != d ! e");
    EXPECT_EQ(Jetons(I, "a&&b||c"), "a && b || c");
    EXPECT_EQ(Jetons(I, "a&b a|b a%b"), "a&b a|b a%b");  // & et | seuls restent dans le mot
    EXPECT_EQ(Jetons(I, "(a*b+c,d)'e;[f]{g}/h"), "( a * b + c , d ) quote e ; [ f ] { g } / h");
    EXPECT_EQ(Jetons(I, "\"x\" a.b:c?@#$^_`~\\"), "\"x\" a.b:c?@#$^_`~\\");
    // Les objets reconnus par le lexique.
    Jetons(I, "a<=b && c");
    EXPECT_EQ(I.ChaineBrute[1]->tag, kInfEgal);
    EXPECT_EQ(I.ChaineBrute[3]->tag, kEtEt);
    EXPECT_EQ(I.ChaineBrute[4], I.lettres[int('c')]);
    Jetons(I, "'x' quote");
    EXPECT_EQ(I.ChaineBrute[0]->tag, kQuote);
    EXPECT_EQ(I.ChaineBrute[2], I.ChaineBrute[0]);
    EXPECT_EQ(I.ChaineBrute[3], I.ChaineBrute[0]);  // le mot quote et l'apostrophe : un seul objet
}

TEST(Lexer, SigneMoins) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(Jetons(I, "-5"), "-5");
    EXPECT_TRUE(EstFlottant(I.ChaineBrute[0]));
    EXPECT_EQ(FLO(I.ChaineBrute[0])->valeur, -5.0f);
    EXPECT_EQ(Jetons(I, "- 5"), "- 5");
    EXPECT_EQ(I.ChaineBrute[0]->tag, kMoins);
    EXPECT_EQ(Jetons(I, "-x"), "-: x");
    EXPECT_EQ(I.ChaineBrute[0]->tag, kMoinsUnaire);
    EXPECT_EQ(Jetons(I, "a-b"), "a -: b");
    EXPECT_EQ(Jetons(I, "a - b"), "a - b");
    EXPECT_EQ(Jetons(I, "x-1 -é"), "x-1 -e");  // é n'est pas une lettre ASCII
    EXPECT_EQ(I.ChaineBrute[0]->tag, kTagNom);
    EXPECT_EQ(Jetons(I, "2-3 3abc -.5"), "2 3 -.5");
    EXPECT_EQ(FLO(I.ChaineBrute[0])->valeur, 2.0f);
    EXPECT_EQ(FLO(I.ChaineBrute[1])->valeur, 3.0f);
    EXPECT_EQ(I.ChaineBrute[2]->tag, kTagNom);
}

TEST(Lexer, NombresPartagesEtEnregistres) {
    Banc b;
    Interp& I = *b.I;
    Jetons(I, "0 0.0 -0 1 1.0 2.5 7 7");
    ASSERT_EQ(I.ChaineBrute.size(), 9u);
    for (int k : {0, 1, 2}) EXPECT_EQ(I.ChaineBrute[size_t(k)], I.pgZero);
    for (int k : {3, 4}) EXPECT_EQ(I.ChaineBrute[size_t(k)], I.pgUn);
    EXPECT_EQ(I.TexteDe(I.ChaineBrute[5]), "2.500000");
    // Le même nombre écrit deux fois : deux objets de même valeur ; le premier est au lexique.
    Objet* sept1 = I.ChaineBrute[6];
    Objet* sept2 = I.ChaineBrute[7];
    EXPECT_NE(sept1, sept2);
    EXPECT_EQ(FLO(sept2)->valeur, 7.0f);
    EXPECT_EQ(I.Cherche("7"), sept1);
    EXPECT_EQ(FLO(sept2)->etat, EtatPartage);
    size_t avant = I.Lexique.size();
    Jetons(I, "7 8");
    EXPECT_EQ(I.Lexique.size(), avant + 1);  // seul 8 est nouveau
}

TEST(Lexer, AccentsNomsEtLettres) {
    Banc b;
    Interp& I = *b.I;
    Jetons(I, "élève eleve Élève è répète là");
    EXPECT_EQ(I.ChaineBrute[0], I.ChaineBrute[1]);
    EXPECT_NE(I.ChaineBrute[2], I.ChaineBrute[0]);
    EXPECT_EQ(I.ChaineBrute[3], I.lettres[int('e')]);  // è seul devient la lettre e pré-faite
    EXPECT_EQ(I.ChaineBrute[4]->tag, kRepete);         // repete
    EXPECT_EQ(I.TexteDe(I.ChaineBrute[5]), "l\xe0");
    // Un nom nouveau est enregistré et retrouvé par l'analyse suivante ; la casse compte.
    Jetons(I, "tortue Tortue");
    Objet* t = I.ChaineBrute[0];
    EXPECT_EQ(t->tag, kTagNom);
    EXPECT_NE(I.ChaineBrute[1], t);
    Jetons(I, "tortue la_marque_de_fin_du_programme else int return");
    EXPECT_EQ(I.ChaineBrute[0], t);
    EXPECT_EQ(I.ChaineBrute[1], I.marqueFin);
    EXPECT_EQ(I.ChaineBrute[2], I.sepElse);
    EXPECT_EQ(I.ChaineBrute[3], I.sepInt);
    EXPECT_EQ(I.ChaineBrute[4], I.sepReturn);
}

TEST(Lexer, BlancsCommentairesEtCrochets) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(Jetons(I, "a; // b; c;"), "a ;");
    EXPECT_EQ(Jetons(I, "a;//x\nb;"), "a ; b ;");
    EXPECT_EQ(Jetons(I, "a//x\r\nb"), "a b");
    EXPECT_EQ(Jetons(I, "[a b]"), "[ a b ]");
    EXPECT_EQ(Jetons(I, "a\tb\rc"), "a b c");
    LexeBrut(I, std::string("a\xff"
                            "b"));
    EXPECT_EQ(I.ChaineBrute.size(), 3u);  // ÿ est un blanc
    // L'octet 0xF0 termine le texte : la suite est ignorée.
    LexeBrut(I, std::string("a;\n\xf0 b;\nc;"));
    EXPECT_EQ(I.ChaineBrute.size(), 3u);
    EXPECT_EQ(I.InxFreeNextTabMemoEditLigInfo, 2u);
}

TEST(Lexer, TableDesLignes) {
    Banc b;
    Interp& I = *b.I;
    Jetons(I, "a;\n\nb c;\n");
    ASSERT_EQ(I.InxFreeNextTabMemoEditLigInfo, 4u);  // la dernière ligne, vide, compte
    const auto& t = I.TabMemoEditLigInfo;
    EXPECT_EQ(t[0].debut, 0);
    EXPECT_EQ(t[0].premier, 0);
    EXPECT_EQ(t[0].fin, 2);
    EXPECT_EQ(t[1].debut, 3);
    EXPECT_EQ(t[1].premier, 2);
    EXPECT_EQ(t[1].fin, 2);
    EXPECT_EQ(t[2].debut, 4);
    EXPECT_EQ(t[2].premier, 2);
    EXPECT_EQ(t[2].fin, 5);
    EXPECT_EQ(t[3].debut, 9);
    EXPECT_EQ(t[3].premier, 5);
    EXPECT_EQ(t[3].fin, 5);
    EXPECT_EQ(I.ChaineBrute.size(), 6u);
    // Plus de 1000 lignes : la table grandit avec le texte.
    std::string texte;
    for (int i = 0; i < 5000; ++i) texte += "x;\n";
    Jetons(I, texte);
    ASSERT_EQ(I.InxFreeNextTabMemoEditLigInfo, 5001u);
    ASSERT_GE(I.TabMemoEditLigInfo.size(), 5001u);
    EXPECT_EQ(I.TabMemoEditLigInfo[4321].debut, 4321 * 3);
    EXPECT_EQ(I.TabMemoEditLigInfo[4321].premier, 4321 * 2);
    EXPECT_EQ(I.TabMemoEditLigInfo[4321].fin, 4321 * 2 + 2);
}

TEST(Lexer, TamponsEtLongueurs) {
    Banc b;
    Interp& I = *b.I;
    // Copie coupée à 64998 caractères, terminée par NUL.
    RemplirTexteAAnalyser(I, std::string(70000, 'z'));
    EXPECT_EQ(I.gTexteAAnalyser[64997], 'z');
    EXPECT_EQ(I.gTexteAAnalyser[64998], '\0');
    I.ChaineBrute.clear();
    AnaLexTexte(I);
    ASSERT_EQ(I.ChaineBrute.size(), 2u);
    EXPECT_EQ(I.TexteDe(I.ChaineBrute[0]).size(), 64998u);
    EXPECT_EQ(static_cast<unsigned char>(I.gTexteAAnalyser[64998]), 0xF0);
    EXPECT_EQ(I.gTexteAAnalyser[64999], '\0');
    // Une ligne dont le tampon des mots ferait plus de 65000 octets (trois par « ( »).
    LexeBrut(I, std::string(64998, '('));
    EXPECT_EQ(I.ChaineBrute.size(), 64999u);
    // Un tampon rempli sans NUL par un autre chemin est coupé, jamais lu au-delà.
    std::fill(I.gTexteAAnalyser.begin(), I.gTexteAAnalyser.end(), 'q');
    I.ChaineBrute.clear();
    AnaLexTexte(I);
    EXPECT_EQ(I.ChaineBrute.size(), 2u);
    EXPECT_EQ(I.TexteDe(I.ChaineBrute[0]).size(), 64998u);
}
