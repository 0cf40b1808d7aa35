// Regarder le programme tourner : la vitesse, la forme en cours et sa place
// dans le texte, le relevé des variables. Une face ne lit l'état de
// l'interprète que quand il attend (dans un appel à l'hôte) ou ne fait rien ;
// seule la vitesse se change d'un autre fil, à tout moment.
#pragma once

#include <string>
#include <vector>

#include "objects/interp.h"

namespace gelim {

void DefinirLaVitesse(Interp& I, Vitesse v);
Vitesse VitesseDe(const Interp& I);

// La forme que le programme va exécuter ou qui vient d'échouer : celle d'une
// pause ou d'une boîte du pas à pas, sinon l'instruction en cours ; nullptr
// hors d'une commande.
Objet* FormeEnCours(const Interp& I);
// Sa place dans son texte ; à défaut, celle de l'instruction qui la contient.
const Lieu* LieuEnCours(const Interp& I);

// Un nom et sa valeur imprimée sur une ligne (page 1252).
struct ValeurVue {
    std::string nom;
    std::string valeur;
};

struct AppelVu {
    std::string fonction;
    int32_t profondeur = 0;  // 1 pour le premier appel
    std::vector<ValeurVue> parametres;
};

struct ReleveDesVariables {
    std::vector<ValeurVue> globales;  // dans l'ordre de création des noms
    size_t globalesOmises = 0;        // au-delà de la borne
    std::vector<AppelVu> appels;      // du plus ancien au plus récent
    size_t appelsOmis = 0;            // les plus anciens, au-delà de la borne
};

// Les noms de l'élève qui ont une valeur et, pendant un appel, la pile des
// appels avec leurs paramètres.
ReleveDesVariables ReleverLesVariables(Interp& I, size_t maxGlobales = 500, size_t maxAppels = 100);
// Un objet imprimé à plat, les listes entre crochets, coupé à max caractères.
std::string TexteSurUneLigne(Interp& I, Objet* x, size_t max = 120);

}  // namespace gelim
