// La carte des lieux : d'où vient, dans son texte, chaque forme que l'analyse
// a lue. Une table à côté de l'arbre, qui ne le change jamais et ne se voit
// pas quand rien ne la consulte. Les formes bâties par un programme pendant
// qu'il tourne (listes données à exec, corps réécrits) n'y sont pas.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace gelim {

struct Interp;
struct Objet;

// D'où vient un texte analysé.
enum class GenreDeTexte : uint8_t { Editeur, LigneDeCommande, Fichier };

struct TexteAnalyse {
    GenreDeTexte genre = GenreDeTexte::LigneDeCommande;
    std::string nom;  // le fichier lu par charge (page 1252)
};

// Le premier et le dernier caractère d'une forme : lignes comptées depuis 0
// comme dans les rapports d'erreur, colonnes en caractères depuis le début
// de la ligne.
struct Lieu {
    uint32_t texte = 0;  // l'analyse qui l'a lue (clé de CarteDesLieux::textes)
    int32_t ligne = 0, colonne = 0;
    int32_t ligneFin = 0, colonneFin = 0;
};

struct CarteDesLieux {
    std::unordered_map<const Objet*, Lieu> lieux;  // clés : cellules de la réserve
    std::unordered_map<uint32_t, TexteAnalyse> textes;
    uint32_t texteCourant = 0;       // le dernier texte analysé (0 : aucun)
    uint32_t dernierTexte = 0;       // chaque analyse prend le numéro suivant
    uint32_t texteDeLaCommande = 0;  // le texte de la commande qui s'exécute
    size_t notesDuTexte = 0;         // formes notées pendant l'analyse en cours
    bool enregistrer = false;        // vrai le temps d'AnalyseLeTexte
    bool annonce = false;            // le prochain texte a été annoncé (charge)
    TexteAnalyse prochain;
    // Premier et dernier caractère (dans gTexteAAnalyser) de chaque jeton de
    // ChaineBrute, remplis par le lexer.
    std::vector<int32_t> debutJeton, finJeton;
};

// Le prochain texte analysé vient de ce fichier (sinon : l'éditeur ou la ligne
// de commande, selon le mode).
void AnnoncerUnFichier(Interp& I, const std::string& nom);
// Début et fin de l'analyse d'un texte de l'élève (AnalyseLeTexte).
void CommencerLesLieux(Interp& I);
void FinirLesLieux(Interp& I);
// La forme lue des jetons premier à dernier (indices dans ChaineBrute).
void NoterLeLieu(Interp& I, Objet* forme, int32_t premier, int32_t dernier);
// La copie d'une forme (réécriture d'un corps) vient du même endroit.
void CopierLeLieu(Interp& I, const Objet* forme, const Objet* copie);
// nullptr : la forme n'a pas de place dans un texte (un atome, ou bâtie par le programme).
const Lieu* LieuDe(const Interp& I, const Objet* forme);
const TexteAnalyse* TexteDuLieu(const Interp& I, const Lieu& lieu);
// Le balayage va reprendre les cellules non marquées : leurs lieux sont oubliés.
void OublierLesLieuxLibres(Interp& I);

}  // namespace gelim
