// Où trouver ce qui accompagne le programme (exemples, aide), où qu'il soit installé.
#pragma once

#include <string>

namespace gelim {

// Le dossier où se trouve le programme en cours (vide s'il est introuvable).
std::string DossierDuProgramme();

// Le dossier des exemples (vide s'il est introuvable) : variable GELIM_EXEMPLES,
// puis à côté du programme installé (../share/gelim/examples), puis l'arbre des sources.
std::string DossierDesExemples();

// Le dossier de l'aide en HTML (vide s'il est introuvable) : variable GELIM_AIDE,
// puis ../share/gelim/aide à côté du programme installé, puis l'arbre des sources.
std::string DossierDeLAide();

}  // namespace gelim
