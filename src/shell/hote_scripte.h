// L'hôte scripté : l'élève a écrit ses réponses d'avance. Chaque boîte, bip ou
// son devient une ligne du journal (« DIALOGUE titre | ligne | ... », « BIP »,
// « BIPFD f d », « SON nom ») ; chaque demande prend la réponse suivante.
// Le lanceur sans écran, les tests et le fuzzing partagent ce seul hôte ; le
// mode automatique du bureau suit les mêmes règles (fonctions statiques).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "objects/hote.h"

namespace gelim {

class HoteScripte : public Hote {
public:
    HoteScripte();

    // Les réponses (page 1252) : « oui », « non », « abandonner », « ignorer »,
    // « reessayer », « <annuler> », un texte à saisir ou une touche (ToucheDe).
    std::deque<std::string> reponses;
    // Des touches données telles quelles passent avant les réponses (les tests
    // y mettent l'état du verrouillage des majuscules).
    std::deque<Touche> touches;

    // Chaque ligne du journal, en UTF-8 ; par défaut gardée dans « journal ».
    std::function<void(const std::string&)> ecrireJournal;
    std::vector<std::string> journal;
    // La ligne la plus ancienne quitte la fenêtre des messages pleine (page 1252).
    std::function<void(const std::string&)> ligneQuitteLesMessages;
    // Un arrêt venu du dehors (signal, délai dépassé...) : le programme
    // s'arrête alors comme sur la demande de l'élève.
    std::function<bool()> arretExterieur;

    // Les options qui distinguent les usages.
    bool bipsDistincts = false;  // « BIP EXCLAMATION » au lieu de « BIP » pour l'exclamation
    bool garderBoites = false;   // les boîtes d'erreur gardées entières dans « boites »

    std::vector<BoiteErreur> boites;
    std::string titres[4];  // par Fenetre

    void LigneQuitteLesMessages(const std::string& ligne) override;
    void MontrerBoiteErreur(const BoiteErreur& b) override;
    int AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) override;
    int QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) override;
    void BoiteMessage(const std::string& titre, const std::string& texte) override;
    ReponsePasAPas BoitePasAPas(const std::string& titre, const std::string& texte) override;
    bool Saisie(const std::string& titre, const std::string& invite, std::string& texte) override;
    void Beep(Bip b) override;
    void BipFD(int f, int d) override;
    void JoueSon(const std::string& nom) override;
    void TitreFenetre(Fenetre f, const std::string& titre) override;
    Touche AttendreTouche() override;
    bool ArretDemande() override { return arretExterieur && arretExterieur(); }

    // Les lignes du journal qui commencent par ce préfixe.
    int Compter(const std::string& prefixe) const;

    // ---- Les règles, partagées avec le mode automatique du bureau ----
    // Le champ de saisie prend 60 caractères.
    static constexpr size_t kSaisieMax = 60;
    // « DIALOGUE titre | ligne | ... » (page 1252).
    static std::string LigneDialogue(const std::string& titre, const std::vector<std::string>& lignes);
    static std::string LigneBoite(const BoiteErreur& b);
    static std::string LigneBip(Bip b, bool distincts);
    // Sans réponse : OUI, Réessayer, annuler, Échap.
    static bool OuiDe(const std::string& r) { return r != "non"; }
    static ReponsePasAPas PasAPasDe(const std::string& r);
    // La touche d'une réponse (« a », « A », « gauche », « clic-droit », « touche:N »...).
    static Touche ToucheDe(const std::string& r);

private:
    void Noter(const std::string& ligneCp1252);
    std::string Reponse(const char* parDefaut);
};

}  // namespace gelim
