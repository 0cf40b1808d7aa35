// La face Qt du programme, chargée à la demande : le bureau, et pour le
// lanceur sans écran la police du texte dessiné et l'enregistrement des
// images. Tout le reste (l'interprète, la tortue, le BMP, le journal) se passe
// de Qt : un programme qui n'en a pas besoin démarre sans charger ses
// bibliothèques, l'essentiel du démarrage.
#pragma once

#include <cstdint>
#include <string>

namespace gelim {

// Ce que la bibliothèque de la face Qt offre (des données simples : elle a
// son propre exemplaire de l'interprète, qui ne voit jamais celui du programme).
struct ServicesQt {
    // Le bureau entier ; rend le code de sortie.
    int (*lancerLeBureau)(int argc, char** argv);
    // L'application sans écran (plate-forme hors écran, remarques de Qt
    // tues), à créer sur le fil principal avant tout texte ou image.
    void (*preparerSansEcran)(int argc, char** argv);
    // La police du texte dessiné : largeur d'un texte, et son rendu dans un
    // tampon de pixels 0xFFRRGGBB (largeur x hauteur, ligne 0 en haut).
    int (*largeurDuTexte)(const std::string& texteCp1252);
    void (*dessinerTexte)(uint32_t* pixels, int largeur, int hauteur, const std::string& texteCp1252, int x, int y);
    // L'image dans le format de l'extension du chemin, sans abîmer l'ancien
    // fichier en cas d'échec ; faux si elle n'a pas été écrite.
    bool (*enregistrerImage)(const uint32_t* pixels, int largeur, int hauteur, const std::string& chemin);
};

// Le point d'entrée de la bibliothèque.
using EntreeFaceQt = const ServicesQt* (*)();
constexpr const char* kEntreeFaceQt = "gelim_services_qt";

// Charge la bibliothèque (à côté du programme, ou là où l'installation la met)
// une fois pour toutes ; nullptr et la raison dans erreur si elle manque.
const ServicesQt* ChargerLaFaceQt(std::string& erreur);

}  // namespace gelim
