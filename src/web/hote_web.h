// L'hôte de la page web : chaque demande du cœur (boîte, saisie, touche, son)
// est faite à la page, et le cœur attend sa réponse sans bloquer le
// navigateur (ASYNCIFY) : il voit toujours des appels synchrones.
#pragma once

#include <cstdint>
#include <string>

#include "objects/hote.h"
#include "turtle/surface_memoire.h"

namespace gelim {

struct Interp;

// La surface de la page : le tracé du cœur, le texte dessiné par la page
// (DejaVu Sans de 13 pixels, la police livrée avec elle).
class SurfaceWeb : public SurfaceMemoire {
public:
    using SurfaceMemoire::SurfaceMemoire;
    void TexteALaPosition(const std::string& texteCp1252) override;
};

class HoteWeb : public Hote {
public:
    Interp* I = nullptr;
    SurfaceWeb* vue = nullptr;

    void MontrerBoiteErreur(const BoiteErreur& b) override;
    int AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) override;
    int QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) override;
    void BoiteMessage(const std::string& titre, const std::string& texte) override;
    ReponsePasAPas BoitePasAPas(const std::string& titre, const std::string& texte) override;
    bool Saisie(const std::string& titre, const std::string& invite, std::string& texte) override;
    void Beep(Bip b) override;
    void BipFD(int frequence, int duree) override;
    void JoueSon(const std::string& nomFichier) override;
    void TitreFenetre(Fenetre f, const std::string& titre) override;
    Touche AttendreTouche() override;
    bool MouvementSouris(int& px, int& py) override;
    void TailleFenetreGraphique(int& largeur, int& hauteur) override;
    bool ArretDemande() override;

    // Montre à la page le dessin et les messages s'ils ont changé.
    void Rafraichir();

private:
    uint64_t versionVue_ = ~0ull, versionMessages_ = ~0ull;
    double dernierePause_ = 0;
    int64_t dernierCompte_ = -1;
};

}  // namespace gelim
