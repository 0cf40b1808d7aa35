// La configuration de l'interprète : la seule porte par laquelle une face
// (bureau, lanceur sans écran, page web, lanceur pour Node) le prépare et
// change ses réglages. Les faces partagent les mêmes valeurs ; seule la pile
// qu'elles donnent au fil de l'évaluation fixe la borne des imbrications.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "objects/interp.h"

namespace gelim {

// La pile du fil qui évalue, sur le bureau comme pour « gelim --batch » : les
// deux faces arrêtent une récursion sans fin à la même profondeur.
constexpr size_t kPileDeLEvaluation = size_t(256) << 20;

struct Configuration {
    Surface *dessin = nullptr, *vue = nullptr, *precedent = nullptr;
    int profondeurNativeMax = ProfondeurPourLaPile(size_t(8) << 20);
    // Où « charge » cherche un fichier introuvable tel quel, dans l'ordre.
    std::vector<std::string> dossiersCharge{"."};
    std::string nomSysteme = "Linux";
    // « à la ligne : N » dans les rapports d'exécution (bureau, et lanceur avec --lines).
    bool lignesDesErreurs = false;
};

// Un interprète neuf et configuré ; chaque face le démarre (DemarrerInterprete)
// au moment où sa boîte de démarrage le veut.
std::unique_ptr<Interp> CreerInterprete(Hote& hote, const Configuration& c);

// Le bureau refixe les dossiers de « charge » à chaque lancement : celui du
// programme de l'éditeur change quand l'élève en ouvre un autre.
void FixerLesDossiersDeCharge(Interp& I, std::vector<std::string> dossiers);
// Le dossier d'un programme lancé par le lanceur : cherché juste après le
// premier (le dossier courant), avant ceux des programmes lancés plus tôt.
void AjouterLeDossierDuProgramme(Interp& I, const std::string& dossier);

// Les réglages que l'élève change par les menus (ou le lanceur par ses options).
enum class Reglage { AffichageAnalyse, PasAPas, ChampClos, ProfondeurArbres };
int LireReglage(const Interp& I, Reglage r);
void Regler(Interp& I, Reglage r, int valeur);

}  // namespace gelim
