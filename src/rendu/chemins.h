// Où trouver ce qui accompagne le programme (exemples), où qu'il soit installé.
#pragma once

#include <string>

namespace gelim {

// Le dossier des exemples (vide s'il est introuvable) : variable GELIM_EXEMPLES,
// puis à côté du programme installé (../share/gelim/examples), puis l'arbre des sources.
std::string DossierDesExemples();

} // namespace gelim
