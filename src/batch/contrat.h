// Le contrat de « gelim --batch », sans Qt : options, entrées, réponses écrites
// d'avance, journal de ce que l'élève voit et entend sur la sortie d'erreur,
// messages sur la sortie standard. Le lanceur du bureau (Qt) et le lanceur
// pour Node (WebAssembly) le partagent ; chacun fournit ses surfaces.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "shell/hote_scripte.h"
#include "turtle/surface.h"

namespace gelim {

struct EntreeLanceur {
    enum Genre { Programme, Commandes, Texte } genre;
    std::string valeur;
};

struct OptionsLanceur {
    std::vector<EntreeLanceur> entrees;
    std::string reponses, image, vue;
    bool analyse = false, pasAPas = false;
    bool lignes = false;  // --lines : la ligne de l'instruction dans les rapports d'exécution
    int profondeur = -1;
    double delai = 0;  // --timeout, en secondes (0 : pas de limite)
};

bool LireOptionsLanceur(int argc, char** argv, OptionsLanceur& o);
void UsageLanceur();

// Le motif d'arrêt d'un délai (--timeout) dépassé ; un signal donne son numéro.
constexpr int kArretTempsEcoule = -1;

// Ce que chaque face donne à la session : ses trois surfaces (dessin, vue,
// précédent), la pile du fil qui évalue, le dossier des exemples, et
// l'enregistrement d'une image dans un autre format que le BMP du dessin.
struct FaceLanceur {
    Surface *dessin = nullptr, *vue = nullptr, *precedent = nullptr;
    size_t octetsDePile = size_t(8) << 20;
    std::string dossierExemples;
    std::function<bool(const Surface&, const std::string&)> enregistrerImage;
    // Facultatif : un arrêt venu du dehors. 0 tant que rien n'est demandé, sinon
    // kArretTempsEcoule ou le numéro du signal reçu ; le programme en cours
    // s'arrête comme sur la demande de l'élève, les entrées suivantes ne sont
    // pas lues, et tout ce qui a été produit est écrit.
    std::function<int()> arretExterieur;
    // Facultatif : le drapeau d'arrêt de l'interprète, donné pendant les entrées
    // pour qu'un arrêt le lève sans attendre que l'interprète sonde l'hôte ;
    // nul quand elles sont finies (plus rien n'est alors arrêté).
    std::function<void(std::atomic<bool>*)> drapeauDArret;
};

// La session entière (toutes les entrées dans un seul interprète) ; rend le code
// de sortie : 0, 2 (entrée illisible, programme trop long, image non écrite,
// mémoire épuisée), 124 (délai dépassé) ou 128 + N (signal N).
int SessionLanceur(const OptionsLanceur& o, FaceLanceur& face);

}  // namespace gelim
