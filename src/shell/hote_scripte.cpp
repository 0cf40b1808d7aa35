#include "shell/hote_scripte.h"

#include <cstdlib>

#include "objects/interp.h"

namespace gelim {

HoteScripte::HoteScripte() : ecrireJournal([this](const std::string& l) { journal.push_back(l); }) {}

void HoteScripte::Noter(const std::string& ligneCp1252) {
    if (ecrireJournal) ecrireJournal(Cp1252VersUtf8(ligneCp1252));
}

std::string HoteScripte::LigneDialogue(const std::string& titre, const std::vector<std::string>& lignes) {
    std::string l = "DIALOGUE " + titre;
    for (const std::string& t : lignes) l += " | " + t;
    return l;
}

std::string HoteScripte::LigneBoite(const BoiteErreur& b) {
    std::string l = "DIALOGUE " + b.titre;
    for (const RangeeBoite& r : b.rangees) l += " | " + (r.etiquette.empty() ? r.texte : r.etiquette + " " + r.texte);
    return l;
}

std::string HoteScripte::LigneBip(Bip b, bool distincts) {
    return distincts && b == Bip::Exclamation ? "BIP EXCLAMATION" : "BIP";
}

ReponsePasAPas HoteScripte::PasAPasDe(const std::string& r) {
    if (r == "abandonner") return ReponsePasAPas::Abandonner;
    if (r == "ignorer") return ReponsePasAPas::Ignorer;
    return ReponsePasAPas::Reessayer;
}

void HoteScripte::LigneQuitteLesMessages(const std::string& ligne) {
    if (ligneQuitteLesMessages) ligneQuitteLesMessages(ligne);
}

void HoteScripte::MontrerBoiteErreur(const BoiteErreur& b) {
    if (garderBoites) boites.push_back(b);
    Noter(LigneBoite(b));
}

int HoteScripte::AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) {
    Noter(LigneDialogue(titre, lignes));
    return 1;
}

int HoteScripte::QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) {
    Noter(LigneDialogue(titre, lignes));
    return OuiDe(Reponse("oui")) ? 1 : 2;
}

void HoteScripte::BoiteMessage(const std::string& titre, const std::string& texte) {
    Noter(LigneDialogue(titre, {texte}));
}

ReponsePasAPas HoteScripte::BoitePasAPas(const std::string& titre, const std::string& texte) {
    Noter(LigneDialogue(titre, {texte}));
    return PasAPasDe(Reponse("reessayer"));
}

bool HoteScripte::Saisie(const std::string& titre, const std::string& invite, std::string& texte) {
    if (ArretDemande()) return false;  // le programme s'arrête : la boîte ne s'ouvre pas
    Noter(LigneDialogue(titre, {invite}));
    std::string r = Reponse("<annuler>");
    if (r == "<annuler>") return false;
    texte = r.substr(0, kSaisieMax);
    return true;
}

void HoteScripte::Beep(Bip b) {
    Noter(LigneBip(b, bipsDistincts));
}

void HoteScripte::BipFD(int f, int d) {
    Noter("BIPFD " + std::to_string(f) + " " + std::to_string(d));
}

void HoteScripte::JoueSon(const std::string& nom) {
    Noter("SON " + nom);
}

void HoteScripte::TitreFenetre(Fenetre f, const std::string& titre) {
    titres[int(f)] = titre;
}

Touche HoteScripte::AttendreTouche() {
    if (ArretDemande()) return Touche{};  // Aucune : le programme s'arrête
    if (!touches.empty()) {
        Touche t = touches.front();
        touches.pop_front();
        return t;
    }
    return ToucheDe(Reponse("echap"));
}

Touche HoteScripte::ToucheDe(const std::string& r) {
    static const struct {
        const char* nom;
        int code;
    } noms[] = {{"gauche", 37}, {"droite", 39},    {"haut", 38},    {"bas", 40},   {"debut", 36},
                {"fin", 35},    {"precedent", 33}, {"suivant", 34}, {"retour", 8}, {"inser", 45},
                {"suppr", 46},  {"espace", 32},    {"entree", 13},  {"echap", 27}};
    for (const auto& n : noms)
        if (r == n.nom) return Touche{Touche::Clavier, n.code, false};
    if (r == "clic-gauche") return Touche{Touche::ClicGauche, 1, false};
    if (r == "clic-droit") return Touche{Touche::ClicDroit, 2, false};
    if (r.rfind("touche:", 0) == 0) return Touche{Touche::Clavier, std::atoi(r.c_str() + 7) & 0xFF, false};
    if (r.size() == 1) {
        unsigned char c = static_cast<unsigned char>(r[0]);
        if (c >= 'a' && c <= 'z') return Touche{Touche::Clavier, c - 'a' + 'A', false};
        if (c >= 'A' && c <= 'Z') return Touche{Touche::Clavier, c, true};
        return Touche{Touche::Clavier, c, false};
    }
    return Touche{Touche::Clavier, 27, false};
}

int HoteScripte::Compter(const std::string& prefixe) const {
    int n = 0;
    for (const std::string& l : journal) n += l.rfind(prefixe, 0) == 0;
    return n;
}

std::string HoteScripte::Reponse(const char* parDefaut) {
    if (reponses.empty()) return parDefaut;
    std::string r = reponses.front();
    reponses.pop_front();
    return r;
}

}  // namespace gelim
