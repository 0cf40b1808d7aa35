// Les corps compilés des FDU : la définition pré-décodée une fois, pour que
// chaque appel ne refasse pas le tri des étiquettes ni la marche des listes.
// Chaque nœud garde son expression d'origine et fait exactement ce que
// l'évaluation de celle-ci ferait (mêmes cases des primitives, mêmes
// temporaires, mêmes rapports, même profondeur) ; dès que le pas à pas ou un
// arrêt demandé s'en mêle, il la lui laisse.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "objects/objets.h"

namespace gelim {

struct Noeud;

// Une suite de nœuds (instructions d'un bloc, arguments d'un appel).
struct SuiteDeNoeuds {
    Noeud* const* d = nullptr;
    int32_t n = 0;
};

enum class Op : uint8_t {
    // expressions
    Nombre,     // un nombre : lui-même
    Global,     // un nom : sa valeur
    Parametre,  // un paramètre : la case de l'Env courant
    Citation,   // (quote x)
    Num2,       // + - * et les comparaisons, sur deux nombres
    Primitive,  // toute autre primitive : son aiguillage
    Appel,      // l'appel d'une FDU par son nom
    Generique,  // le reste : l'évaluation ordinaire
    // instructions d'une suite
    Return,
    Bloc,
    If,
    When,
    InstructionGenerique,  // trop profonde : l'instruction ordinaire
};

struct Interp;
// Ce que fait un nœud, le mode lent déjà écarté par l'appelant.
using Gestionnaire = Objet* (*)(Interp& I, const Noeud* n);

struct Noeud {
    Gestionnaire fn = nullptr;
    Op op = Op::Generique;
    uint16_t code = 0;   // Num2 : le membre
    int32_t indice = 0;  // Parametre : la case ; Appel : le nombre d'arguments
    Objet* src = nullptr;
    Objet* tete = nullptr;  // la primitive ou le nom appelé
    Objet* args = nullptr;  // le reste de l'expression
    Objet* e1 = nullptr;    // Num2, Return, Citation : expressions d'origine
    Objet* e2 = nullptr;
    Noeud* a = nullptr;   // Num2 : premier argument ; If, When : condition
    Noeud* b = nullptr;   // Num2 : second argument ; If : l'instruction du oui
    SuiteDeNoeuds suite;  // Bloc, When : le bloc ; If : le sinon ; Appel : les arguments
};

struct CorpsCompile {
    Objet* source = nullptr;  // la définition d'après laquelle il est fait
    SuiteDeNoeuds suite;
    std::deque<Noeud> noeuds;
    std::vector<std::unique_ptr<Noeud*[]>> tableaux;
};

}  // namespace gelim
