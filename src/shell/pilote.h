// Le pilote des commandes : analyse, exécution, messages d'après, cadre,
// collecte ; démarrage de l'interprète. Partagé par toutes les faces.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "objects/interp.h"

namespace gelim {

struct ImageRGB;

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

// ---- Ce que les faces demandent ----

// Le texte que l'élève lance, dans le mode où il travaille : une commande de la
// ligne de commande, ou le programme de l'éditeur (qui repart d'un dessin
// blanc). Analyse puis exécution ; rend la ligne (comptée depuis 0) où
// l'analyse a trouvé une erreur de syntaxe, -1 sinon : l'éditeur la montre.
int ExecuterDansLeMode(Interp& I, Interp::Mode mode, const std::string& texte);

// Gomme la dernière instruction (avec les refus de l'hôte : rien à gommer
// dans l'éditeur, ni deux fois de suite).
void GommerLaDerniereInstruction(Interp& I, Interp::Mode mode);

// Depuis n'importe quel fil : le programme en cours doit s'arrêter.
void DemanderLArret(Interp& I);
// Le même arrêt, levé par un gestionnaire de signal : une écriture atomique, rien d'autre.
std::atomic<bool>& DrapeauDArret(Interp& I);

// « Retrouver une image » : posée au coin bas-gauche du dessin et de la vue.
void PoserEnBasAGauche(Interp& I, const ImageRGB& image);

// ---- Ce que les faces lisent (sur le fil de l'interprète, sauf mention) ----

const FenetreMessages& MessagesDe(const Interp& I);
int64_t NombresVivants(const Interp& I);
// Le même compte, lisible depuis un autre fil pendant l'évaluation.
int64_t NombresVivantsAffiches(const Interp& I);
bool InstructionEffacable(const Interp& I);
const EtatTortue& TortueDe(const Interp& I);
const std::array<Couleur, 256>& CouleursDe(const Interp& I);
// Vrai si le lieu est dans la commande qui s'exécute (et non dans un fichier chargé).
bool DansLaCommandeEnCours(const Interp& I, const Lieu& l);

// La boîte d'information du démarrage : titre et lignes, en page 1252.
std::string TitreDemarrage();
std::vector<std::string> LignesDemarrage();

}  // namespace gelim
