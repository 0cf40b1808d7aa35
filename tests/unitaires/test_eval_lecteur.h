// Outils des tests de l'évaluateur : un petit lecteur d'expressions
// parenthésées qui bâtit les arbres avec I.mp (comme l'analyse les bâtirait),
// et l'exécution d'un texte du langage par le pilote.
#pragma once

#include <cctype>
#include <string>
#include <vector>

#include "eval/eval.h"
#include "hote_enregistreur.h"
#include "shell/pilote.h"
#include "syntax/analyse.h"

namespace gelim {

// « (f a (g 2)) » : les mots sont résolus par le lexique (primitives,
// séparateurs, noms) ; 0 et 1 sont les nombres partagés, les autres nombres
// sont des littéraux partagés ; « [] » est la liste vide.
class Lecteur {
public:
    Lecteur(Interp& I, const std::string& texte) : I(I), t(Utf8VersCp1252(texte.c_str())) {}

    Objet* Lire() {
        Blancs();
        if (p < t.size() && t[p] == '(') {
            ++p;
            std::vector<Objet*> elements;
            for (;;) {
                Blancs();
                if (p >= t.size() || t[p] == ')') break;
                elements.push_back(Lire());
            }
            ++p;
            Objet* l = I.pgNil;
            for (size_t i = elements.size(); i-- > 0;) l = I.mp(elements[i], l);
            return l;
        }
        size_t debut = p;
        while (p < t.size() && !std::isspace(static_cast<unsigned char>(t[p])) && t[p] != '(' && t[p] != ')') ++p;
        std::string mot = t.substr(debut, p - debut);
        if (mot == "[]") return I.pgNil;
        bool nombre = std::isdigit(static_cast<unsigned char>(mot[0])) ||
                      (mot.size() > 1 && mot[0] == '-' && std::isdigit(static_cast<unsigned char>(mot[1])));
        if (!nombre) return I.TrouveOuCreeNom(mot);
        if (mot == "0") return I.pgZero;
        if (mot == "1") return I.pgUn;
        Flottant* f = I.NombreDuTexte(mot);
        f->etat = EtatPartage;
        return f;
    }

private:
    void Blancs() {
        while (p < t.size() && std::isspace(static_cast<unsigned char>(t[p]))) ++p;
    }
    Interp& I;
    std::string t;
    size_t p = 0;
};

// La valeur d'un nombre ; une valeur impossible pour tout autre objet.
inline float Val(Objet* x) {
    return EstFlottant(x) ? FLO(x)->valeur : -999999.0f;
}

// Un interprète prêt à exécuter : environnement de base, commande préparée.
struct BancEval : Banc {
    BancEval() {
        InstallerEnvironnementDeBase(*I);
        PreparerCommande(*I);
    }
    Objet* Arbre(const std::string& texte) { return Lecteur(*I, texte).Lire(); }
    // Lit et évalue une expression parenthésée.
    Objet* Eval(const std::string& texte) { return EvalPasAPas(*I, Arbre(texte)); }
    // Le texte d'un objet tel que l'imprimeur l'écrit (UTF-8).
    std::string Texte(Objet* x) { return Cp1252VersUtf8(I->TexteDe(x)); }
    Nom* N(const char* nom) { return NOM(I->TrouveOuCreeNom(Utf8VersCp1252(nom))); }
    float Valeur(const char* nom) { return Val(N(nom)->valeur); }
    // Une commande du langage, analysée et exécutée par le pilote (mode ligne de commande).
    void Commande(const std::string& texte) { ExecuterEtAttendre(*I, Utf8VersCp1252(texte.c_str())); }
    // Un texte du langage analysé puis évalué ; rend la valeur du programme
    // (nullptr si l'analyse échoue).
    Objet* Executer(const std::string& texte) {
        RemplirTexteAAnalyser(*I, Utf8VersCp1252(texte.c_str()));
        AnalyseLeTexte(*I);
        if (I->gArbreDuProgramme == I->pgCestFaux) return nullptr;
        PreparerCommande(*I);
        return EvalPasAPas(*I, I->gArbreDuProgramme);
    }
    // Comme Executer, mais rend la valeur de la dernière instruction du programme.
    Objet* Calcul(const std::string& texte) {
        RemplirTexteAAnalyser(*I, Utf8VersCp1252(texte.c_str()));
        AnalyseLeTexte(*I);
        Objet* arbre = I->gArbreDuProgramme;
        if (arbre == I->pgCestFaux) return nullptr;
        PreparerCommande(*I);
        if (!EstCellule(arbre) || CEL(arbre)->car != I->Cherche("progn")) return EvalPasAPas(*I, arbre);
        Objet* v = I->pgNil;
        for (Objet* l = CEL(arbre)->cdr; l != I->pgNil; l = CEL(l)->cdr) v = EvalPasAPas(*I, CEL(l)->car);
        return v;
    }
    // Le nombre de lignes du journal de l'hôte qui commencent par ce texte.
    int Boites(const std::string& debut) const { return hote.Compter(debut); }
};

}  // namespace gelim
