// Le vocabulaire de démarrage : une seule table déclarative (nom, classe,
// code, nombre d'arguments) d'où sont tirés le lexique, la coloration de
// l'éditeur et l'index de l'aide.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/objets.h"

namespace gelim {

struct EntreePrimitive {
    const char* nom;  // en page 1252 (tous les noms sont en ASCII)
    Classe classe;
    uint16_t code;
    uint8_t nbArgs;
};

const std::vector<EntreePrimitive>& TableDesPrimitives();
// Les 93 objets nommés de démarrage (constantes, lettres, touches, séparateurs, paramètres).
const std::vector<const char*>& NomsDeDemarrage();

}  // namespace gelim
