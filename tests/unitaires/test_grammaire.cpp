// La grammaire : arbres des expressions et des instructions, échecs discrets,
// restitutions, entrées de la saisie, et entrées énormes ou très imbriquées.
#include <gtest/gtest.h>

#include <chrono>

#include "durees.h"
#include "hote_enregistreur.h"
#include "objects/imprime.h"
#include "syntax/analyse.h"

using namespace gelim;

namespace {

// L'objet imprimé avec crochets (texte UTF-8), sans rien laisser dans les messages.
std::string Crochets(Banc& b, Objet* x) {
    VideLesMessages(*b.I);
    ImprimeAvecCrochets(*b.I, x);
    std::string s = b.Messages();
    VideLesMessages(*b.I);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
}

void Lexe(Interp& I, const std::string& texteUtf8) {
    I.ChaineBrute.clear();
    RemplirTexteAAnalyser(I, Utf8VersCp1252(texteUtf8.c_str()));
    AnaLexTexte(I);
    I.gErreurAnalyse = false;
    I.gPosAnalyse = 0;
}

// Une expression seule ; vérifie qu'elle a tout lu quand elle réussit.
std::string Expression(Banc& b, const std::string& texte) {
    Interp& I = *b.I;
    Lexe(I, texte);
    Objet* r = AnaSynExpression(I, 0);
    if (r == I.pgCestFaux) return "ÉCHEC";
    EXPECT_EQ(I.ChaineBrute[size_t(I.gPosAnalyse)], I.marqueFin) << texte;
    return Crochets(b, r);
}

// Le programme entier : l'arbre imprimé, ou « ÉCHEC ».
std::string Programme(Banc& b, const std::string& texte) {
    Interp& I = *b.I;
    RemplirTexteAAnalyser(I, Utf8VersCp1252(texte.c_str()));
    AnalyseLeTexte(I);
    if (I.gArbreDuProgramme == I.pgCestFaux) {
        EXPECT_TRUE(I.gErreurAnalyse);
        return "ÉCHEC";
    }
    EXPECT_FALSE(I.gErreurAnalyse);
    return Crochets(b, I.gArbreDuProgramme);
}

double Millisecondes(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
}

}  // namespace

// Les arbres des expressions et des instructions sont rejoués par grammaire_arbres ;
// ici les objets mêmes qui les composent.
TEST(Grammaire, LesElementsCitesSontLesJetons) {
    Banc b;
    // Les éléments sont les jetons eux-mêmes : av est la primitive.
    Interp& I = *b.I;
    Lexe(I, "[av]");
    Objet* r = AnaSynExpression(I, 0);
    ASSERT_TRUE(EstCellule(r));
    EXPECT_EQ(CEL(r)->car, I.Cherche("quote"));
    EXPECT_EQ(CEL(CEL(CEL(r)->cdr)->car)->car, I.Cherche("av"));
}

TEST(Grammaire, EchecsDiscretsEtRestitutions) {
    Banc b;
    Interp& I = *b.I;
    // « (a b » : la parenthèse rend ses jetons, aucune erreur n'est signalée.
    EXPECT_EQ(Expression(b, "(a b"), "ÉCHEC");
    EXPECT_EQ(I.gPosAnalyse, 0);
    EXPECT_FALSE(I.gErreurAnalyse);
    // « ( » suivi d'une primitive NESP n'est pas une expression parenthésée.
    EXPECT_EQ(Expression(b, "(if a b)"), "ÉCHEC");
    EXPECT_FALSE(I.gErreurAnalyse);
    // Un opérateur autre que == ne s'appelle pas comme une fonction.
    EXPECT_EQ(Expression(b, "<(1, 2)"), "ÉCHEC");
    EXPECT_FALSE(I.gErreurAnalyse);
    // Une fonction jamais déclarée est un simple nom : la « ( » reste pour l'appelant.
    Lexe(I, "inconnue(1, 2)");
    EXPECT_EQ(AnaSynExpression(I, 0), I.ChaineBrute[0]);
    EXPECT_EQ(I.gPosAnalyse, 1);
    EXPECT_TRUE(b.hote.boites.empty());
    EXPECT_EQ(b.Messages(), "");
}

TEST(Grammaire, ErreursDesExpressions) {
    // Chaque texte fautif : un rapport dont le texte voulu est donné (les autres règles
    // sont rejouées par erreurs_syntaxe_expressions.test et erreurs_syntaxe_instructions.test).
    struct Cas {
        const char* texte;
        const char* voulu;
    };
    const Cas cas[] = {
        {"av(1, 2)", " une ')', car je n'attends plus de paramètre."},
        {"fpos(1)", " une virgule, car j'attends encore un ou des paramètres."},
        {"-false", " un nom"},
        {"[a , b]", " un marqueur fermant cette chaîne : ']' "},
        {"[a b", " un marqueur fermant cette chaîne : ']' "},
        {"liste(,)", " une parenthèse fermante qui marquerait la fin de cette liste de paramètre(s) "},
        {"progn 1", " une parenthèse ouvrante."},
        {"x = ;", " une expression "},
        {"( )", " une expression "},
    };
    for (const Cas& c : cas) {
        Banc b;
        EXPECT_EQ(Expression(b, c.texte), "ÉCHEC") << c.texte;
        ASSERT_EQ(b.hote.boites.size(), 1u) << c.texte;
        const BoiteErreur& boite = b.hote.boites[0];
        EXPECT_EQ(Cp1252VersUtf8(boite.textes[boite.disposition == 1 ? 2 : 3]), c.voulu) << c.texte;
        EXPECT_EQ(b.I->gPosAnalyse, int(b.I->ChaineBrute.size()) - 1);  // la lecture s'arrête
    }
}

TEST(Grammaire, ProgrammesEntiers) {
    Banc b;
    EXPECT_EQ(Programme(b, ""), "[]  ");
    EXPECT_EQ(Programme(b, "  // rien\n"), "[]  ");
    EXPECT_EQ(Programme(b, "av(10); td(90);"), "[progn [av 10 ][td 90 ]] ");
    // La marque de fin écrite dans le texte arrête le programme.
    EXPECT_EQ(Programme(b, "av(1); la_marque_de_fin_du_programme td(("), "[progn [av 1 ]] ");
    // Les objets des arbres : when est la primitive, if et repete sont les jetons.
    Interp& I = *b.I;
    Programme(b, "if (x) a;");
    Objet* when = CEL(CEL(CEL(I.gArbreDuProgramme)->cdr)->car)->car;
    EXPECT_EQ(when->tag, kWhen);
    Programme(b, "return;");
    EXPECT_EQ(CEL(CEL(CEL(I.gArbreDuProgramme)->cdr)->car)->car->tag, kReturn);
}

TEST(Grammaire, ErreursDesInstructions) {
    struct Cas {
        const char* texte;
        const char* voulu;
    };
    const Cas cas[] = {
        {"for (a; b;) c;", " l'expression. "},
        {"for (a; b; c d;", " une parenthèse fermante. "},
        {"repete { a; }", " une expression "},
        {"}", " un reste de liste d'instruction "},
    };
    for (const Cas& c : cas) {
        Banc b;
        EXPECT_EQ(Programme(b, c.texte), "ÉCHEC") << c.texte;
        ASSERT_EQ(b.hote.boites.size(), 1u) << c.texte;
        const BoiteErreur& boite = b.hote.boites[0];
        int w = boite.disposition == 1 ? 2 : boite.disposition == 2 ? 3 : 5;
        EXPECT_EQ(Cp1252VersUtf8(boite.textes[w]), c.voulu) << c.texte;
    }
}

TEST(Grammaire, NomDeFonctionRefuse) {
    Banc b;
    EXPECT_EQ(Programme(b, "int 5(x) { }"), "ÉCHEC");
    // Le message (pré-déclaration puis analyse) n'est pas un rapport ; l'erreur vient ensuite.
    std::string m = b.Messages();
    const std::string message =
        "Dans cette déclaration de fonction, je ne puis accepter ce symbole comme nom d'une nouvelle fonction : ";
    size_t p1 = m.find(message);
    ASSERT_NE(p1, std::string::npos);
    EXPECT_NE(m.find(message, p1 + 1), std::string::npos);
    ASSERT_EQ(b.hote.boites.size(), 1u);
    EXPECT_EQ(Cp1252VersUtf8(b.hote.boites[0].textes[3]), " un point-virgule. ");
    EXPECT_EQ(b.hote.boites[0].textes[2], "5");
}

// La pré-déclaration évalue (lisp_de f params pgNil) : la fonction est appelable
// partout dans le texte, même avant sa déclaration.
TEST(Grammaire, FonctionsPreDeclarees) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_EQ(Programme(b, "int f(a, b) { return a + b; } f(1, 2);"),
              "[progn [lisp_de f [a b ][progn [return_ [+ a b ]]]][f 1 2 ]] ");
    EXPECT_EQ(NOM(I.Cherche("f"))->nbParamsFDU, 2);
    EXPECT_EQ(Programme(b, "h(3); int h(n) { av(n); }"), "[progn [h 3 ][lisp_de h [n ][progn [av n ]]]] ");
    EXPECT_EQ(Programme(b, "int z() { } z();"), "[progn [lisp_de z [] [] ][z ]] ");
    // Une fonction reste connue des analyses suivantes.
    EXPECT_EQ(Programme(b, "av(h(1));"), "[progn [av [h 1 ]]] ");
    // Mauvais nombre de paramètres : erreur de syntaxe.
    EXPECT_EQ(Programme(b, "f(1);"), "ÉCHEC");
    EXPECT_EQ(Programme(b, "z(1);"), "ÉCHEC");
    // Les déclarations dans un corps sont vues aussi.
    EXPECT_EQ(Programme(b, "int e() { int d(x) { } } d(1);"),
              "[progn [lisp_de e [] [progn [lisp_de d [x ][] ]]][d 1 ]] ");
    // Déclarée par une analyse qui échoue ensuite : elle reste déclarée.
    EXPECT_EQ(Programme(b, "int k(p) { } ;;"), "ÉCHEC");
    EXPECT_EQ(NOM(I.Cherche("k"))->nbParamsFDU, 1);
}

TEST(Grammaire, EntreesDeLaSaisie) {
    Banc b;
    Interp& I = *b.I;
    Lexe(I, "bonjour");
    EXPECT_EQ(AnaSynMot(I, 0), I.Cherche("bonjour"));
    Lexe(I, "12");
    EXPECT_EQ(AnaSynMot(I, 0), I.pgCestFaux);
    ASSERT_EQ(b.hote.boites.size(), 1u);
    EXPECT_EQ(Cp1252VersUtf8(b.hote.boites[0].textes[3]), " un symbole qui soit un vrai nom");
    Lexe(I, "-3");
    Objet* n = AnaSynNombreSaisi(I, 0);
    ASSERT_TRUE(EstFlottant(n));
    EXPECT_EQ(FLO(n)->valeur, -3.0f);
    Lexe(I, "abc");
    EXPECT_EQ(AnaSynNombreSaisi(I, 0), I.pgCestFaux);
    EXPECT_FALSE(I.gErreurAnalyse);  // pas de rapport pour un nombre
    Lexe(I, "[a [b] 2]");
    EXPECT_EQ(Crochets(b, AnaSynListeSaisie(I, 0)), "[a [b ]2 ] ");  // non citée
    Lexe(I, "a b");
    EXPECT_EQ(AnaSynListeSaisie(I, 0), I.pgCestFaux);
    ASSERT_EQ(b.hote.boites.size(), 2u);
    EXPECT_EQ(Cp1252VersUtf8(b.hote.boites[1].textes[2]), " un crochet ouvrant");
}

// Des textes énormes ou très imbriqués : analysés ou refusés avec un rapport,
// jamais de plantage, en bien moins d'une seconde.
TEST(Grammaire, GrandsTextes) {
    {
        Banc b;
        Interp& I = *b.I;
        std::string texte;
        while (texte.size() + 6 <= 64998) texte += "av(1);";
        texte.resize(64998, ' ');
        auto t0 = std::chrono::steady_clock::now();
        RemplirTexteAAnalyser(I, texte);
        AnalyseLeTexte(I);
        if (kDureesVerifiees) {
            EXPECT_LT(Millisecondes(t0), 1000.0);
        }
        ASSERT_FALSE(I.gErreurAnalyse);
        size_t n = 0;
        for (Objet* l = I.gArbreDuProgramme; l != I.pgNil; l = CEL(l)->cdr) ++n;
        EXPECT_EQ(n, 1 + 64998 / 6);
    }
    {
        // 30000 additions : l'arbre groupé à gauche, lu sans récursion.
        Banc b;
        Interp& I = *b.I;
        std::string texte = "x = 1";
        for (int i = 0; i < 30000; ++i) texte += i % 2 ? "+1" : "+y";
        texte += ";";
        auto t0 = std::chrono::steady_clock::now();
        RemplirTexteAAnalyser(I, texte);
        AnalyseLeTexte(I);
        if (kDureesVerifiees) {
            EXPECT_LT(Millisecondes(t0), 1000.0);
        }
        ASSERT_FALSE(I.gErreurAnalyse);
        // (progn (donne (quote x) (+ (+ ... 1 y) 1)))
        Objet* e = CEL(CEL(CEL(CEL(CEL(I.gArbreDuProgramme)->cdr)->car)->cdr)->cdr)->car;
        int profondeur = 0;
        while (EstCellule(e)) {
            ASSERT_EQ(CEL(e)->car->tag, kPlus);
            Objet* droite = CEL(CEL(CEL(e)->cdr)->cdr)->car;
            EXPECT_EQ(droite, profondeur % 2 ? I.lettres[int('y')] : static_cast<Objet*>(I.pgUn));
            e = CEL(CEL(e)->cdr)->car;
            ++profondeur;
        }
        EXPECT_EQ(profondeur, 30000);
        EXPECT_EQ(e, I.pgUn);
    }
    {
        // Une longue liste entre crochets et un long appel à nombre variable.
        Banc b;
        Interp& I = *b.I;
        std::string texte = "x = [";
        for (int i = 0; i < 15000; ++i) texte += "a ";
        texte += "]; liste(";
        for (int i = 0; i < 8000; ++i) texte += "b,";
        texte += ");";
        RemplirTexteAAnalyser(I, texte);
        AnalyseLeTexte(I);
        EXPECT_FALSE(I.gErreurAnalyse);
    }
    {
        // Bien plus de 1234 instructions : la longueur d'une suite n'est pas une imbrication.
        Banc b;
        std::string texte;
        for (int i = 0; i < 3000; ++i) texte += "av(x + 1);\n";
        RemplirTexteAAnalyser(*b.I, texte);
        AnalyseLeTexte(*b.I);
        EXPECT_FALSE(b.I->gErreurAnalyse);
        EXPECT_TRUE(b.hote.boites.empty());
    }
}

TEST(Grammaire, ImbricationsProfondes) {
    auto refuse = [](const std::string& texte) {
        Banc b;
        Interp& I = *b.I;
        auto t0 = std::chrono::steady_clock::now();
        RemplirTexteAAnalyser(I, texte);
        AnalyseLeTexte(I);
        if (kDureesVerifiees) {
            EXPECT_LT(Millisecondes(t0), 1000.0) << texte.substr(0, 20);
        }
        EXPECT_EQ(I.gArbreDuProgramme, I.pgCestFaux) << texte.substr(0, 20);
        EXPECT_EQ(b.hote.boites.size(), 1u) << texte.substr(0, 20);
        EXPECT_NE(b.Messages().find("Le programme est imbriqué trop profondément"), std::string::npos);
        EXPECT_EQ(I.profondeurAnalyse, 0);
    };
    refuse(std::string(20000, '{') + std::string(20000, '}'));
    refuse("x = " + std::string(20000, '(') + "1" + std::string(20000, ')') + ";");
    refuse("x = " + std::string(20000, '[') + std::string(20000, ']') + ";");
    std::string affectations, si, appels;
    for (int i = 0; i < 10000; ++i) affectations += "x = ";
    refuse(affectations + "1;");
    for (int i = 0; i < 8000; ++i) si += "if (a) ";
    refuse(si + "b;");
    for (int i = 0; i < 10000; ++i) appels += "abs(";
    refuse("x = " + appels + "1" + std::string(10000, ')') + ";");
    // En deçà de la limite, une imbrication raisonnable s'analyse.
    Banc b;
    RemplirTexteAAnalyser(*b.I, std::string(300, '{') + "av(1);" + std::string(300, '}'));
    AnalyseLeTexte(*b.I);
    EXPECT_FALSE(b.I->gErreurAnalyse);
    RemplirTexteAAnalyser(*b.I, "x = " + std::string(300, '(') + "1" + std::string(300, ')') + ";");
    AnalyseLeTexte(*b.I);
    EXPECT_FALSE(b.I->gErreurAnalyse);
    EXPECT_EQ(Crochets(b, b.I->gArbreDuProgramme), "[progn [donne [quote x ]1 ]] ");
}

TEST(Grammaire, ReserveEpuiseePendantLAnalyse) {
    Banc b;
    Interp& I = *b.I;
    // Il ne reste que quelques cellules : l'arbre ne peut pas être bâti en entier.
    Objet* l = I.pgNil;
    while (I.NbCellulesLibres > 20) l = I.mp(I.pgUn, l);
    I.racines.push_back(l);
    RemplirTexteAAnalyser(I, "av(1); av(2); av(3); av(4); av(5); av(6); av(7); av(8); av(9); av(10);");
    AnalyseLeTexte(I);
    EXPECT_EQ(I.gArbreDuProgramme, I.pgCestFaux);
    EXPECT_TRUE(I.gErreurAnalyse);
    EXPECT_NE(b.Messages().find("Il n'y a plus assez de cellules pour analyser ce programme"), std::string::npos);
    EXPECT_TRUE(b.hote.boites.empty());  // pas de rapport de syntaxe trompeur
}
