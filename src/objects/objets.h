// Les objets de l'interprète : tout est un objet « lisp » dont le premier champ
// est une étiquette de type. Pas de fonctions virtuelles : on aiguille sur l'étiquette.
#pragma once

#include <cstdint>
#include <string>

#include "objects/lexique.h"

namespace gelim {

// Étiquettes : les 16 premiers bits de tout objet suffisent à le classer.
enum : uint16_t {
    kTagCellule = 0x8000,
    kTagMyString = 0x4000,
    kTagNom = 0x4800,
    kTagParamDeFDU = 0x4801,
    kTagSeparateur = 0x5000,
    kTagFlottant = 0x6000,
    // Mode d'épreuve : un objet repris, qu'aucune étiquette valide ne reconnaît.
    kTagEmpoisonne = 0x0BAD,
};

// Durée de vie des nombres : les états ont des effets visibles (texte « %f »
// d'un temporaire réutilisé, compte des nombres vivants).
enum Etat : int32_t {
    EtatConstant = 0,
    EtatTemporaire = 1,
    EtatPartage = 2,
    EtatPossede = 3,
    EtatPrete = 5,
};

struct Objet {
    uint16_t tag;
};

// NoeudBinaire : la cellule de liste. Les cellules de la réserve sont fixes ;
// « horsReserve » marque les cellules des marqueurs de « return », qui ne
// coûtent aucune cellule de la réserve.
struct Cellule : Objet {
    uint8_t marque = 0;
    uint8_t horsReserve = 0;
    Objet* car = nullptr;
    Objet* cdr = nullptr;
};

struct MyString : Objet {
    std::string nom;
};

struct Decodage;
struct Noeud;

struct Nom : MyString {
    Objet* valeur = nullptr;
    Objet* definition = nullptr;
    int32_t nbParamsFDU = -1;
    uint8_t trace = 0;
};

struct ParamDeFDU : Nom {
    int32_t indice = 0;
    Objet* lien = nullptr;
};

struct Separateur : MyString {};

// Le nom d'un nombre est calculé à la demande (voir TexteDe) : « %d » pour une
// valeur entière qui tient sur 32 bits, « %f » sinon ou pour un temporaire réutilisé.
struct Flottant : MyString {
    float valeur = 0;
    int32_t etat = EtatConstant;
    uint8_t formatF = 0;   // 1 : texte « %f » imposé (temporaire réutilisé)
    uint8_t nomAJour = 0;  // 1 : « nom » reflète valeur et format
    uint8_t libere = 0;    // 1 : détruit au sens de l'interprète, en quarantaine
    uint8_t marqueNb = 0;  // marque de la collecte des nombres
    // 1 : rendu par un return alors que rien d'autre ne le désignait (un
    // temporaire, ou le nombre possédé par un paramètre de l'appel qui finit).
    // Posé ou effacé à chaque return ; lu seulement là où la valeur d'un appel
    // est consommée sur-le-champ (eval/coeur.cpp).
    uint8_t retourFrais = 0;
    Flottant* suivantLibre = nullptr;
};

// Une primitive : son étiquette est son code ; l'objet sert aussi de cadre
// d'arguments à son propre appel (cases d'expressions puis de valeurs).
struct Fonc : MyString {
    uint8_t nbArgs = 0;
    Objet* expr[4] = {nullptr, nullptr, nullptr, nullptr};
    Objet* val[4] = {nullptr, nullptr, nullptr, nullptr};
};

// Enregistrement d'activation d'un appel de FDU, d'un « let » ou d'une
// famille à plusieurs arguments.
struct Env {
    int32_t nbParams = 0;
    int32_t nbLocales = 0;
    int32_t nbCasesEcrites = 0;  // les cases au-delà sont restées vides ([])
    Objet* cases[8];
};

// --- Prédicats (sur l'étiquette seule) ---
// clang-format off
inline bool EstCellule(const Objet* x) { return x->tag == kTagCellule; }
inline bool EstAtome(const Objet* x) { return (x->tag & 0x4000) != 0; }
inline bool EstMyStringPur(const Objet* x) { return x->tag == kTagMyString; }
inline bool EstNom(const Objet* x) { return x->tag == kTagNom; }
inline bool EstParam(const Objet* x) { return x->tag == kTagParamDeFDU; }
inline bool EstNomOuParam(const Objet* x) { return (x->tag & 0x4800) == 0x4800 && x->tag < 0x5000; }
inline bool EstSeparateur(const Objet* x) { return x->tag == kTagSeparateur; }
inline bool EstFlottant(const Objet* x) { return x->tag == kTagFlottant; }
inline bool EstPrimitive(const Objet* x) { return x->tag < kFinFoncEvNS && (x->tag & kFamilleNENS) == kFamilleNENS; }
inline uint16_t FamilleDe(const Objet* x) { return x->tag & kMasqueFamille; }

inline Cellule* CEL(Objet* x) { return static_cast<Cellule*>(x); }
inline MyString* MS(Objet* x) { return static_cast<MyString*>(x); }
inline Nom* NOM(Objet* x) { return static_cast<Nom*>(x); }
inline ParamDeFDU* PARAM(Objet* x) { return static_cast<ParamDeFDU*>(x); }
inline Flottant* FLO(Objet* x) { return static_cast<Flottant*>(x); }
inline Fonc* FONC(Objet* x) { return static_cast<Fonc*>(x); }
// clang-format on

// Texte « %d » ou « %f » d'une valeur, comme le constructeur d'un nombre.
std::string TexteCanonique(float v);
std::string TexteF(float v);

}  // namespace gelim
