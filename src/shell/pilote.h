// Le pilote des commandes : analyse, exécution, messages d'après, cadre,
// collecte ; démarrage de l'interprète. Partagé par le bureau et le lanceur.
#pragma once

#include <string>
#include <vector>

#include "objects/interp.h"

namespace gelim {

// Fin du démarrage (les fenêtres existent, environnement de base).
void DemarrerInterprete(Interp& I);

// Copie le texte (page 1252), l'écrit, l'analyse et demande l'exécution.
void ExecuterLaCommande(Interp& I, const std::string& texte);
// La première moitié du rafraîchissement de la fenêtre graphique.
void ExecuterLaCommandeEnAttente(Interp& I);
// Les deux à la suite, comme le fait la fenêtre graphique.
void ExecuterEtAttendre(Interp& I, const std::string& texte);

// Charge un fichier programme et l'exécute tout de suite (charge).
void ChargerEtExecuter(Interp& I, const std::string& nom);

// Gomme la dernière instruction (avec les refus de l'hôte).
void GommerLaDerniereInstruction(Interp& I);

// La boîte d'information du démarrage : titre et lignes, en page 1252.
std::string TitreDemarrage();
std::vector<std::string> LignesDemarrage();

}  // namespace gelim
