// Les nœuds de l'évaluateur : chaque liste évaluée est décodée une fois en un
// nœud qui garde son expression d'origine et les gestionnaires de ce qu'elle
// fait, comme expression et comme instruction d'une suite. Une cellule de la
// réserve ne change pas tant qu'elle est prise (les listes se bâtissent sur
// des cellules fraîches) et ne se libère qu'entre deux commandes : les nœuds
// vivent jusqu'à la prochaine collecte des cellules.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <vector>

#include "objects/objets.h"

namespace gelim {

struct Interp;
struct Noeud;
using Gestionnaire = Objet* (*)(Interp& I, const Noeud* n);

enum class Op : uint8_t {
    // Les feuilles : un atome d'argument, lu sur place.
    Nombre,
    Global,     // un nom : sa valeur
    Parametre,  // un paramètre : la case de l'Env courant
    // Le reste, une fois décodé.
    AutreAtome,  // vrai, faux, un texte... : l'évaluation d'un atome
    ADecoder,    // pas encore décodé : le sera à sa première évaluation
    Vide,        // ([] ...) : []
    Citation,    // (quote x)
    Num2,        // + - * et les comparaisons, sur deux nombres
    Donne,       // l'affectation
    Primitive,   // toute autre primitive : son aiguillage
    Appel,       // l'appel d'une FDU
    Bizarre,     // une tête qui ne s'évalue pas : le rapport
};

struct Noeud {
    Gestionnaire fn = nullptr;     // comme expression
    Gestionnaire instr = nullptr;  // comme instruction d'une suite
    Objet* src = nullptr;
    Objet* tete = nullptr;  // la primitive ou le nom appelé
    Objet* args = nullptr;  // le reste de l'expression
    Objet* e1 = nullptr;    // Num2, Citation, return : les arguments d'origine
    Objet* e2 = nullptr;
    Noeud* a = nullptr;               // Num2 : premier argument ; if, when, return : condition ou valeur
    Noeud* b = nullptr;               // Num2 : second argument ; if : l'instruction du oui
    Noeud* const* enfants = nullptr;  // Appel : les arguments
    // La cellule vue comme une suite d'instructions (un bloc, un corps) : les
    // nœuds de ses éléments, faits à sa première exécution (nbSuite < 0 avant).
    Noeud* const* suite = nullptr;
    int32_t nbSuite = -1;
    // Appel : la définition vue au dernier appel et le nœud de la suite de son
    // corps (une définition prise ne change pas ; une redéfinition en est une autre).
    Objet* corpsVu = nullptr;
    const Noeud* suiteDuCorps = nullptr;
    // Bloc, when, if : le nœud de la suite qu'ils exécutent, retenu au premier
    // passage (une liste de la réserve ; hors réserve, rien n'est retenu).
    const Noeud* suiteRetenue = nullptr;
    int32_t indice = 0;  // Parametre : la case ; Appel : le nombre d'arguments
    uint16_t code = 0;   // Num2 : le membre ; while : 1 si le corps est un bloc
    Op op = Op::ADecoder;
    // Son évaluation ne prend ni nombre ni marqueur (une feuille, prem d'une
    // feuille...) : aucune collecte ne peut s'y faire.
    bool sansCollecte = false;
    // Où décoder les enfants : la mémoire des nœuds de l'interprète, ou celle,
    // locale, d'une évaluation hors réserve.
    struct Memoire* memoire = nullptr;
};

// Les nœuds et leurs tableaux d'enfants, rendus tous ensemble.
struct Memoire {
    std::deque<Noeud> noeuds;
    std::vector<std::unique_ptr<Noeud*[]>> tableaux;
};

// Ce que l'interprète garde entre deux collectes des cellules : la mémoire
// des nœuds et, pour chaque cellule de la réserve, son nœud.
struct Decodage {
    explicit Decodage(size_t nbCellules)
        : parCellule(static_cast<Noeud**>(std::calloc(nbCellules, sizeof(Noeud*)))) {}  // pages nulles à la demande
    ~Decodage() { std::free(parCellule); }
    Decodage(const Decodage&) = delete;
    Decodage& operator=(const Decodage&) = delete;
    Memoire memoire;
    Noeud** parCellule;
};

}  // namespace gelim
