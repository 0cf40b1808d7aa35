// Un hôte pour les tests : il note tout ce que l'élève verrait ou entendrait
// hors de la fenêtre des messages, et répond selon une file de réponses.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "objects/interp.h"
#include "rendu/surface_qimage.h"
#include "text/messages.h"

namespace gelim {

class HoteEnregistreur : public Hote {
public:
    std::vector<std::string> journal;  // une ligne par boîte, bip, son (UTF-8)
    std::vector<BoiteErreur> boites;
    std::deque<std::string> reponses;  // « oui », « non », « abandonner »... ou texte saisi
    std::deque<Touche> touches;
    std::string titreGraphique, titreMessages;

    void MontrerBoiteErreur(const BoiteErreur& b) override {
        boites.push_back(b);
        std::string l = "DIALOGUE " + b.titre;
        for (const auto& r : b.rangees) l += " | " + (r.etiquette.empty() ? r.texte : r.etiquette + " " + r.texte);
        journal.push_back(Cp1252VersUtf8(l));
    }
    int AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) override {
        Noter(titre, lignes);
        return 1;
    }
    int QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) override {
        Noter(titre, lignes);
        std::string r = Suivante("oui");
        return r == "non" ? 2 : 1;
    }
    void BoiteMessage(const std::string& titre, const std::string& texte) override { Noter(titre, {texte}); }
    ReponsePasAPas BoitePasAPas(const std::string& titre, const std::string& texte) override {
        Noter(titre, {texte});
        std::string r = Suivante("reessayer");
        if (r == "abandonner") return ReponsePasAPas::Abandonner;
        if (r == "ignorer") return ReponsePasAPas::Ignorer;
        return ReponsePasAPas::Reessayer;
    }
    bool Saisie(const std::string& titre, const std::string& invite, std::string& texte) override {
        Noter(titre, {invite});
        std::string r = Suivante("<annuler>");
        if (r == "<annuler>") return false;
        texte = Utf8VersCp1252(r.c_str());
        return true;
    }
    void Beep(Bip b) override { journal.push_back(b == Bip::Defaut ? "BIP" : "BIP EXCLAMATION"); }
    void BipFD(int f, int d) override { journal.push_back("BIPFD " + std::to_string(f) + " " + std::to_string(d)); }
    void JoueSon(const std::string& nom) override { journal.push_back("SON " + Cp1252VersUtf8(nom)); }
    void TitreFenetre(Fenetre f, const std::string& titre) override {
        if (f == Fenetre::Graphique) titreGraphique = titre;
        if (f == Fenetre::Messages) titreMessages = titre;
    }
    Touche AttendreTouche() override {
        if (touches.empty()) return Touche{Touche::Clavier, 27, false};
        Touche t = touches.front();
        touches.pop_front();
        return t;
    }

    // Les lignes du journal qui commencent par ce préfixe.
    int Compter(const std::string& prefixe) const {
        int n = 0;
        for (const auto& l : journal) n += l.rfind(prefixe, 0) == 0;
        return n;
    }

private:
    void Noter(const std::string& titre, const std::vector<std::string>& lignes) {
        std::string l = "DIALOGUE " + titre;
        for (const auto& t : lignes) l += " | " + t;
        journal.push_back(Cp1252VersUtf8(l));
    }
    std::string Suivante(const char* parDefaut) {
        if (reponses.empty()) return parDefaut;
        std::string r = reponses.front();
        reponses.pop_front();
        return r;
    }
};

// Un interprète neuf avec ses trois surfaces, prêt comme au démarrage.
struct Banc {
    HoteEnregistreur hote;
    SurfaceQImage dessin, vue, precedent;
    std::unique_ptr<Interp> I;
    Banc() : I(std::make_unique<Interp>(hote)) {
        I->dessin = &dessin;
        I->vue = &vue;
        I->precedent = &precedent;
    }
    // Le texte de la fenêtre des messages, en UTF-8.
    std::string Messages() const { return Cp1252VersUtf8(I->messages.Texte()); }
};

}  // namespace gelim
