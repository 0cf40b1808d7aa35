// Les règles des instructions et des déclarations de fonctions, la
// pré-déclaration et l'entrée de l'analyse.
#include <algorithm>
#include <vector>

#include "eval/eval.h"
#include "objects/imprime.h"
#include "syntax/analyse.h"
#include "syntax/lieux.h"
#include "syntax/regles.h"
#include "text/messages.h"

namespace gelim {

namespace {

// ---------------------------------------------------------------- déclarations

enum class Entete { Lue, NomRefuse, Echec };

// Étapes communes à la pré-déclaration et à la règle : « int nom ( params ) ».
// La pré-déclaration laisse la ')' pour son pas en avant.
Entete LisEnteteDeDeclaration(Interp& I, long L, bool consommeFermante, Objet*& nom, Objet*& params) {
    Etape(I, L, "DeclarationDeFonction, trouvé le 'int'");
    Consomme(I);
    nom = Courant(I);
    if (!EstNom(nom)) {
        // Ni rapport ni drapeau d'erreur : seulement ce message, trace ou pas.
        Ecrit(I,
              "Dans cette déclaration de fonction, je ne puis accepter ce symbole comme nom d'une nouvelle "
              "fonction : ");
        EcritNom(I, nom);
        FinDeLigne(I);
        return Entete::NomRefuse;
    }
    Etape(I, L, "DeclarationDeFonction, trouvé le nom de fonc° : ", nom);
    Consomme(I);
    if (Courant(I) != I.sepParOuvrante) {
        Rapport(I, " une déclaration de fonction. ", " le nom de la fonction à définir : ", nom,
                " une parenthèse ouvrante.");
        return Entete::Echec;
    }
    Etape(I, L, "DeclarationDeFonction, trouvé la '(' ");
    Consomme(I);
    params = ListeDeVariablesFDU(I);
    Etape(I, L, "DeclarationDeFonction, trouvé la liste de var de la FDU : ", params);
    if (Courant(I) != I.sepParFermante || I.gErreurAnalyse) {
        Rapport(I, " une déclaration de fonction. ", " le nom de la fonction et sa liste de param : ", params,
                " une parenthèse fermante.");
        return Entete::Echec;
    }
    Etape(I, L, "DeclarationDeFonction, trouvé la ')' ");
    if (consommeFermante) Consomme(I);
    return Entete::Lue;
}

Objet* InstructionComposee(Interp& I, long L, Objet* = nullptr);

Objet* DeclarationDeFonction(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || Courant(I) != I.sepInt) return I.pgCestFaux;
    Objet* nom = nullptr;
    Objet* params = nullptr;
    // Un nom refusé : échec discret, le « int » reste lu.
    if (LisEnteteDeDeclaration(I, L, true, nom, params) != Entete::Lue) return I.pgCestFaux;
    Objet* corps = InstructionComposee(I, L + 1);
    if (corps == I.pgCestFaux)
        return Rapport(I, " une déclaration de fonction. ", " le nom de la fonction à définir : ", nom,
                       " sa liste de param encadrée par des parenthèses :", params,
                       " le corps de la fonction, c'est à dire une liste d'instructions.");
    Etape(I, L, "DeclarationDeFonction, trouvé le corps de la fonction : ", corps);
    return Liste(I, {I.Prim(kLispDe), nom, params, corps});
}

// ---------------------------------------------------------------- listes d'instructions

Objet* FinDeListe(Interp& I, long L, Objet* fermant) {
    if (I.gErreurAnalyse || Courant(I) != fermant) return I.pgCestFaux;
    if (fermant == I.sepAccFermante) {
        Etape(I, L, "Fin d'une ListeDInstructions, trouvé la fin : '}'");
        Consomme(I);
    } else {
        // La marque de fin n'est pas lue : l'analyse s'arrête dessus.
        Etape(I, L, "Fin d'une ListeDInstructions, trouvé la_marque_de_fin_du_programme !");
    }
    return fermant;
}

// ListeDIns, en boucle : au niveau l, le fermant ou une instruction puis la suite.
// Chaque alternative est une règle du niveau l+1 : AnaSynListeDInstructions lit
// son instruction et la liste suivante au niveau l+2.
// Rend le fermant (liste vide), la liste des instructions, ou pgCestFaux.
Objet* ListeDIns(Interp& I, long L, Objet* fermant) {
    std::vector<Objet*> lues;
    Objet* trouve = nullptr;
    for (long l = L; !I.gErreurAnalyse; l += 2) {
        Objet* r;
        if (Essaie(
                I, 0, "ListeDIns::=Fin", [&] { return FinDeListe(I, l + 1, fermant); }, r)) {
            trouve = r;
            break;
        }
        if (Trace(I)) EnTete(I, 0, "ListeDIns::=Ins ListeDIns");
        Objet* i = AnaSynInstruction(I, l + 2);
        if (i == I.pgCestFaux) {
            if (Trace(I)) Resultat(I, 0, i);
            break;
        }
        Etape(I, l + 1, "AnaSynListeDInstructions InsCallRecu, ai trouvé une instruction", i);
        lues.push_back(i);
    }
    // Remontée : les résultats des niveaux, du plus profond au premier.
    if (!trouve) {
        for (size_t k = lues.size(); k-- > 0;) {
            if (fermant == I.sepAccFermante)
                Rapport(I, " une liste d'instructions ",
                        " une liste d'instructions dont la dernière valide : ", lues[k],
                        " un marqueur fermant cette liste d'instruction : '}'");
            else
                Rapport(I, " une liste d'instructions ",
                        " une liste d'instructions dont la dernière valide : ", lues[k],
                        " la_marque_de_fin_du_programme fermant ce programme");
            if (Trace(I)) Resultat(I, 0, I.pgCestFaux);
        }
        return I.pgCestFaux;
    }
    Objet* liste = trouve;
    for (size_t k = lues.size(); k-- > 0;) {
        liste = Cons(I, lues[k], liste == trouve ? I.pgNil : liste);
        if (Trace(I)) Resultat(I, 0, liste);
    }
    return I.gErreurAnalyse ? I.pgCestFaux : liste;
}

// La règle du bloc : « { » puis la liste jusqu'à « } ».
Objet* InstructionComposee(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || Courant(I) != I.sepAccOuvrante) return I.pgCestFaux;
    Etape(I, L, "AnaSynInstructionComposee, trouve '{'");
    Consomme(I);
    return AnaSynInstructionComposee(I, int(L), I.sepAccFermante);
}

// ---------------------------------------------------------------- instructions

// « ( exp ) » des if, while et do ; rend l'expression ou pgCestFaux (rapport fait).
struct TextesCondition {
    const char* SOuvrante;
    const char* FOuvrante;
    const char* SExpression;
    const char* FExpression;
    const char* SFermante;
    const char* FFermante;
    const char* etapeOuvrante;
    const char* etapeExpression;
    const char* etapeFermante;
};

Objet* LisCondition(Interp& I, long L, const TextesCondition& t) {
    if (Courant(I) != I.sepParOuvrante) return Rapport(I, t.SOuvrante, t.FOuvrante, " une parenthèse ouvrante.");
    Etape(I, L, t.etapeOuvrante);
    Consomme(I);
    Objet* e = AnaSynExpression(I, int(L + 1));
    if (e == I.pgCestFaux) return Rapport(I, t.SExpression, t.FExpression, " une expression ");
    Etape(I, L, t.etapeExpression, e);
    if (Courant(I) != I.sepParFermante) return Rapport(I, t.SFermante, t.FFermante, e, " une parenthèse fermante.");
    Etape(I, L, t.etapeFermante);
    Consomme(I);
    return e;
}

Objet* InstructionSelection(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kIf)) return I.pgCestFaux;
    Objet* si = Courant(I);
    Etape(I, L, "AnaSynInstruction InstructionSelection, trouvé if ");
    Consomme(I);
    static const TextesCondition t{" une instruction de sélection. ",
                                   " le marqueur 'if', ",
                                   " une instruction de sélection.",
                                   " la parenthèse ouvrante, ",
                                   " l'instruction de sélection : if (exp) ins. ",
                                   " la forme 'if (' suivie d'une expression : ",
                                   "InstructionSelection, trouvé la '(' ",
                                   "instruction de sélection, trouvé l'expression : ",
                                   "instruction de sélection, trouvé la ')' "};
    Objet* e = LisCondition(I, L, t);
    if (e == I.pgCestFaux) return e;
    Objet* oui = AnaSynInstruction(I, L + 1);
    if (oui == I.pgCestFaux)
        return Rapport(I, " une instruction de sélection. ",
                       " le marqueur 'if', puis deux parenthèses entourant l'expression à tester : ", e,
                       " l'instruction à exécuter si le test est vrai.");
    Etape(I, L, "InstructionSelection, trouvé l'instruction sioui", oui);
    if (Courant(I) != I.sepElse) return Liste(I, {I.Prim(kWhen), e, oui});
    Etape(I, L, "InstructionSelection : J'ai trouvé le marqueur else");
    Consomme(I);
    Objet* non = AnaSynInstruction(I, L + 1);
    if (non == I.pgCestFaux)
        return Rapport(I, " une instruction de sélection. ", " toute la structure 'if (exp) InsSiOui else'.",
                       " l'instruction à exécuter si le test est faux.");
    return Liste(I, {si, e, oui, non});
}

Objet* Repete(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kRepete)) return I.pgCestFaux;
    Objet* repete = Courant(I);
    Etape(I, L, "AnaSynInstruction ::= trouvé le repete");
    Consomme(I);
    Objet* e = AnaSynExpression(I, int(L + 1));
    if (e == I.pgCestFaux)
        return Rapport(I, " un répète expression instruction ", " le marqueur 'répète', ", " une expression ");
    Etape(I, L, "AnaSynInstruction ::= repete trouvé l'expression", e);
    Objet* s = AnaSynInstruction(I, L + 1);
    if (s == I.pgCestFaux)
        return Rapport(I, " un répète expression instruction ", " le marqueur 'répète', puis une expression ",
                       " une instruction ");
    Etape(I, L, "AnaSynInstruction ::= repete trouvé l'instruction", s);
    return Liste(I, {repete, e, s});
}

Objet* InstructionIterationWhile(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kWhile)) return I.pgCestFaux;
    Objet* tantque = Courant(I);
    Etape(I, L, "AnaSynInstruction ::= InstructionIterationWhile, trouvé while ");
    Consomme(I);
    static const TextesCondition t{
        " l'instruction 'while (exp) ins'. ",        " le marqueur 'while', ",
        " l'instruction 'while (exp) ins'. ",        " la structure 'while (' ",
        " l'instruction 'while (exp) ins'. ",        " la forme 'while (' suivie d'une expression : ",
        "InstructionIterationWhile, trouvé la '(' ", "InstructionIterationWhile, trouvé l'expression : ",
        "InstructionIterationWhile, trouvé la ')' "};
    Objet* e = LisCondition(I, L, t);
    if (e == I.pgCestFaux) return e;
    Objet* s = AnaSynInstruction(I, L + 1);
    if (s == I.pgCestFaux)
        return Rapport(I, " l'instruction 'while (exp) ins'. ", " la séquence 'while (exp)', ", " une instruction. ");
    Etape(I, L, "InstructionIterationWhile, trouvé l'instruction", s);
    return Liste(I, {tantque, e, s});
}

Objet* InstructionIterationDoWhile(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kDo)) return I.pgCestFaux;
    Objet* faire = Courant(I);
    static constexpr const char* S = " l'instruction 'do ins while (exp);'. ";
    Etape(I, L, "InstructionIterationDoWhile, trouvé do ");
    Consomme(I);
    Objet* s = AnaSynInstruction(I, L + 1);
    if (s == I.pgCestFaux) return Rapport(I, S, " le marqueur 'while'.", " une instruction. ");
    Etape(I, L, "InstructionIterationDoWhile, trouvé l'instruction", s);
    if (!EstCode(Courant(I), kWhile))
        return Rapport(I, S, " le marqueur 'do', et l'instruction : ", s, " le marqueur 'while'.");
    Etape(I, L, "InstructionIterationDoWhile, trouvé le 'while'. ");
    Consomme(I);
    static const TextesCondition t{S,
                                   " la structure 'do ins while'. ",
                                   S,
                                   " la structure 'do ins while (' ",
                                   S,
                                   " la structure 'do ins while (' suivie d'une expression : ",
                                   "InstructionIterationDoWhile, trouvé la '(' ",
                                   "InstructionIterationDoWhile, trouvé l'expression : ",
                                   "InstructionIterationDoWhile, trouvé la ')' "};
    Objet* e = LisCondition(I, L, t);
    if (e == I.pgCestFaux) return e;
    if (Courant(I) != I.sepPointVirgule)
        return Rapport(I, S, " la structure 'do ins while (exp)', où exp est : ", e, " un point-virgule. ");
    Etape(I, L, "InstructionIterationDoWhile, trouvé la ';' ");
    Consomme(I);
    return Liste(I, {faire, s, e});
}

Objet* InstructionIterationFor(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kFor)) return I.pgCestFaux;
    Objet* pour = Courant(I);
    static constexpr const char* S = " l'instruction 'for (ins1 ins2 exp) ins3'. ";
    Etape(I, L, "InstructionIterationFor, trouvé For ");
    Consomme(I);
    if (Courant(I) != I.sepParOuvrante) return Rapport(I, S, " le marqueur 'for'. ", " une parenthèse ouvrante.");
    Etape(I, L, "InstructionIterationFor, trouvé la '(' ");
    Consomme(I);
    Objet* s1 = AnaSynInstruction(I, L + 1);
    if (s1 == I.pgCestFaux) return Rapport(I, S, " la structure 'for ('.", " l'instruction1. ");
    Etape(I, L, "InstructionIterationFor, trouvé l'ins1", s1);
    Objet* s2 = AnaSynInstruction(I, L + 1);
    if (s2 == I.pgCestFaux)
        return Rapport(I, S, " la structure 'for (' suivie de l'instruction1 : ", s1, " l'instruction2. ");
    Etape(I, L, "InstructionIterationFor, trouvé l'instruction2", s2);
    Objet* e = AnaSynExpression(I, int(L + 1));
    if (e == I.pgCestFaux)
        return Rapport(I, S, " la structure 'for (ins1' suivie de l'instruction2 : ", s2, " l'expression. ");
    Etape(I, L, "InstructionIterationFor, trouvé l'expression", e);
    if (Courant(I) != I.sepParFermante)
        return Rapport(I, S, " la structure 'for (ins1 ins2' suivie de l'expression : ", e,
                       " une parenthèse fermante. ");
    Etape(I, L, "InstructionIterationFor, trouvé la ')'. ");
    Consomme(I);
    Objet* s3 = AnaSynInstruction(I, L + 1);
    if (s3 == I.pgCestFaux) return Rapport(I, S, " la structure 'for (ins1 ins2 exp)'. ", " l'instruction3. ");
    Etape(I, L, "InstructionIterationFor, trouvé l'instruction3", s3);
    return Liste(I, {pour, s1, s2, e, s3});
}

Objet* AnaSynInstructionReturnPointVirgule(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || Courant(I) != I.sepReturn) return I.pgCestFaux;
    Etape(I, L, "AnaSynInstructionReturnPointVirgule, trouvé le return");
    if (Suivant(I) != I.sepPointVirgule) return I.pgCestFaux;  // rien n'est lu
    Etape(I, L, "AnaSynInstructionReturnPointVirgule, trouvé le point-virgule");
    Consomme(I);
    Consomme(I);
    return Liste(I, {I.Prim(kReturn), I.pgNil});
}

Objet* AnaSynInstructionReturnExpPointVirgule(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || Courant(I) != I.sepReturn) return I.pgCestFaux;
    Etape(I, L, "AnaSynInstructionReturnExpPointVirgule, trouvé le return");
    Consomme(I);
    Objet* e = AnaSynExpression(I, int(L + 1));
    if (e == I.pgCestFaux) return Rapport(I, " un return expression ; ", " le marqueur 'return'", " une expression ");
    Etape(I, L, "AnaSynInstructionReturnExpPointVirgule, trouvé l'expression", e);
    if (Courant(I) != I.sepPointVirgule)
        return Rapport(I, " un return expression suivie d'un point-virgule. ", " un return suivi de l'expression ", e,
                       " un point-virgule. ");
    Etape(I, L, "AnaSynInstructionReturnExpPointVirgule, trouvé le point-virgule");
    Consomme(I);
    return Liste(I, {I.Prim(kReturn), e});
}

Objet* ExpressionPuisPointVirgule(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Objet* e = AnaSynExpression(I, int(L + 1));
    if (e == I.pgCestFaux) return e;
    Etape(I, L, "ExpressionPuisPointVirgule ::= expression ; , trouvé l'expression", e);
    if (Courant(I) != I.sepPointVirgule)
        return Rapport(I, " une expression suivie d'un point-virgule. ", " l'expression ", e, " un point-virgule. ");
    Etape(I, L, "ExpressionPuisPointVirgule ::= expression ; , trouvé le point-virgule");
    Consomme(I);
    return e;
}

}  // namespace

Objet* AnaSynInstruction(Interp& I, long L) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Niveau niveau(I);  // les blocs et boucles imbriqués sont bornés comme les expressions
    if (niveau.trop) return I.pgCestFaux;
    static const Alternative alternatives[] = {
        {"Ins::=InsSelection", InstructionSelection},
        {"Ins::=Repete", Repete},
        {"Ins::=TantQue", InstructionIterationWhile},
        {"Ins::=DoWhile", InstructionIterationDoWhile},
        {"Ins::=for", InstructionIterationFor},
        {"Ins::=InstructionComposée", InstructionComposee},
        {"Ins::=Pour", DeclarationDeFonction},
        {"Ins::=return ;", AnaSynInstructionReturnPointVirgule},
        {"Ins::=return exp ;", AnaSynInstructionReturnExpPointVirgule},
        {"Ins::=Exp", ExpressionPuisPointVirgule},
    };
    const int32_t premier = I.gPosAnalyse;
    Objet* r = EssaieLesAlternatives(I, L, alternatives);
    if (r != I.pgCestFaux) {
        NoterLeLieu(I, r, premier, I.gPosAnalyse - 1);
        return r;
    }
    EtapeEchec(I, L, "Instruction échec avec : ");
    return I.pgCestFaux;
}

Objet* ListeDeVariablesFDU(Interp& I) {
    if (Courant(I) == I.sepParFermante) return I.pgNil;  // la ')' reste pour l'appelant
    std::vector<Objet*> lus;
    const long dernier = long(I.ChaineBrute.size()) - 1;
    long p = I.gPosAnalyse;
    while (Jeton(I, p + 1) == I.sepVirgule) {
        lus.push_back(Jeton(I, p));
        p = std::min(p + 2, dernier);  // jamais au-delà de la marque de fin
        I.gPosAnalyse = int32_t(p);
    }
    if (Jeton(I, p + 1) == I.sepParFermante) {
        lus.push_back(Jeton(I, p));
        I.gPosAnalyse = int32_t(p + 1);
        return ListeDe(I, lus);
    }
    Objet* fautif = Jeton(I, p);
    Objet* apres = Jeton(I, p + 1);
    Consomme(I);
    if (fautif == I.sepInt) {
        // Un objet fait pour le rapport, qui n'entre pas au lexique.
        MyString fin;
        fin.tag = kTagMyString;
        fin.nom = Utf8VersCp1252("en les séparant par des virgules ! ");
        if (lus.empty())
            ErreurAnalyseParam(I, Utf8VersCp1252("Dans cet interprète, devant la déclaration d'un paramètre de FDU : "),
                               apres, Utf8VersCp1252("on ne met pas cette déclaration de type : "), fautif,
                               Utf8VersCp1252("On ne met rien, on déclare seulement les paramètres "), &fin);
        else
            ErreurAnalyseParam(
                I, Utf8VersCp1252("J'ai déja trouvé cette liste de paramètres pour une FDU : "), ListeDe(I, lus),
                Utf8VersCp1252("Ici je trouve une déclaration de type 'int' devant le paramètre : "), apres,
                Utf8VersCp1252("mais dans cet interprète on déclare seulement les paramètres"), &fin);
    } else if (!lus.empty()) {
        Rapport(I, " une liste de variables pour une FDU. ", " le début d'une liste de variables : ", ListeDe(I, lus),
                " le nom du paramètre : ", fautif, " une parenthèse fermant cette liste.");
    } else {
        Rapport(I, " une liste de variables pour une FDU. ",
                " une parenthèse ouvrante suivie de ce nom de paramètre : ", fautif,
                " une parenthèse fermant cette liste.");
    }
    return I.pgNil;
}

Objet* AnaSynInstructionComposee(Interp& I, int L, Objet* fermant) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Niveau niveau(I);
    if (niveau.trop) return I.pgCestFaux;
    Objet* r = ListeDIns(I, L + 1, fermant);
    if (r == I.sepAccFermante) {
        Etape(I, L, "AnaSynInstructionComposee, trouve '}'");
        return I.pgNil;
    }
    if (r == I.marqueFin) {
        Etape(I, L, "AnaSynInstructionComposee, trouvé la fin du programme !");
        return I.pgNil;
    }
    if (r != I.pgCestFaux) return Cons(I, I.Prim(kProgn), r);
    if (fermant == I.sepAccFermante)
        return Rapport(I, " une liste d'instructions ", " le marqueur '{', ", " un reste de liste d'instruction ");
    return Rapport(I, " un programme, une liste d'instructions ", " peut-être une ou des instructions, mais",
                   " un reste de liste d'instruction ");
}

void PreDeclareLesFonctions(Interp& I) {
    I.gPosAnalyse = 0;
    const long dernier = long(I.ChaineBrute.size()) - 1;
    while (!I.gErreurAnalyse) {
        while (I.gPosAnalyse < dernier && Courant(I) != I.sepInt && Courant(I) != I.marqueFin) ++I.gPosAnalyse;
        if (Courant(I) != I.sepInt) break;  // la marque de fin (ou le bout de la liste)
        Objet* nom = nullptr;
        Objet* params = nullptr;
        if (LisEnteteDeDeclaration(I, 0, false, nom, params) == Entete::Lue && !I.gErreurAnalyse) {
            // (lisp_de nom params pgNil), évaluée par l'entrée commune (le pas à
            // pas la montre aussi) : la fonction est connue avant l'analyse.
            Objet* forme = Liste(I, {I.Prim(kLispDe), nom, params, I.pgNil});
            if (!I.gErreurAnalyse) EvalPasAPas(I, forme);
        }
        if (I.gPosAnalyse >= dernier) break;
        ++I.gPosAnalyse;
    }
}

void AnalyseLeTexte(Interp& I) {
    I.ChaineBrute.clear();
    I.gPosAnalyse = 0;
    AnaLexTexte(I);
    I.gErreurAnalyse = false;
    I.gPosAnalyse = 0;
    PreDeclareLesFonctions(I);
    I.gPosAnalyse = 0;
    CommencerLesLieux(I);
    I.gArbreDuProgramme = AnaSynInstructionComposee(I, 0, I.marqueFin);
    FinirLesLieux(I);
    if (I.analyseSansCellules) I.gArbreDuProgramme = I.pgCestFaux;
}

}  // namespace gelim
