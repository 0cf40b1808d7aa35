// Le contrat de « gelim --batch », partagé par le lanceur du bureau et celui
// pour Node : les mêmes entrées que l'élève donnerait, une seule session
// d'interprète, la fenêtre des messages sur la sortie standard et tout ce que
// l'élève verrait ou entendrait d'autre sur la sortie d'erreur.
#include "batch/contrat.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "objects/interp.h"
#include "shell/pilote.h"
#include "turtle/tortue.h"

namespace gelim {

namespace {

void Journal(const std::string& ligneCp1252) {
    std::string l = Cp1252VersUtf8(ligneCp1252) + "\n";
    std::fwrite(l.data(), 1, l.size(), stderr);
    std::fflush(stderr);
}

void Dialogue(const std::string& titre, const std::vector<std::string>& lignes) {
    std::string l = "DIALOGUE " + titre;
    for (const std::string& t : lignes) l += " | " + t;
    Journal(l);
}

// Un texte lu (fichier ou argument) : UTF-8 s'il est valide, page 1252 sinon.
std::string VersCp1252(const std::string& brut) {
    return EstUtf8Valide(brut) ? Utf8VersCp1252(brut.c_str()) : brut;
}

bool LireFlux(const std::string& nom, std::string& contenu) {
    if (nom == "-") {
        std::ostringstream ss;
        ss << std::cin.rdbuf();
        contenu = ss.str();
        return true;
    }
    std::ifstream f(nom, std::ios::binary);
    if (!f) return false;
    std::ostringstream ss;
    ss << f.rdbuf();
    contenu = ss.str();
    return true;
}

std::vector<std::string> Lignes(const std::string& texte) {
    std::vector<std::string> l;
    size_t debut = 0;
    while (debut < texte.size()) {
        size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos) fin = texte.size();
        std::string ligne = texte.substr(debut, fin - debut);
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        l.push_back(ligne);
        debut = fin + 1;
    }
    return l;
}

}  // namespace

// ------------------------------------------------------------ l'hôte

void HoteScripte::MontrerBoiteErreur(const BoiteErreur& b) {
    std::string l = "DIALOGUE " + b.titre;
    for (const RangeeBoite& r : b.rangees) l += " | " + (r.etiquette.empty() ? r.texte : r.etiquette + " " + r.texte);
    Journal(l);
}

int HoteScripte::AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) {
    Dialogue(titre, lignes);
    return 1;
}

int HoteScripte::QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) {
    Dialogue(titre, lignes);
    return Reponse("oui") == "non" ? 2 : 1;
}

void HoteScripte::BoiteMessage(const std::string& titre, const std::string& texte) {
    Dialogue(titre, {texte});
}

ReponsePasAPas HoteScripte::BoitePasAPas(const std::string& titre, const std::string& texte) {
    Dialogue(titre, {texte});
    std::string r = Reponse("reessayer");
    if (r == "abandonner") return ReponsePasAPas::Abandonner;
    if (r == "ignorer") return ReponsePasAPas::Ignorer;
    return ReponsePasAPas::Reessayer;
}

bool HoteScripte::Saisie(const std::string& titre, const std::string& invite, std::string& texte) {
    if (ArretDemande()) return false;  // le programme s'arrête : la boîte ne s'ouvre pas
    Dialogue(titre, {invite});
    std::string r = Reponse("<annuler>");
    if (r == "<annuler>") return false;
    texte = r.substr(0, 60);  // le champ de saisie prend 60 caractères
    return true;
}

// Un bip, quel qu'il soit (défaut ou exclamation), est une ligne « BIP » du journal.
void HoteScripte::Beep(Bip) {
    Journal("BIP");
}

void HoteScripte::BipFD(int f, int d) {
    Journal("BIPFD " + std::to_string(f) + " " + std::to_string(d));
}

void HoteScripte::JoueSon(const std::string& nom) {
    Journal("SON " + nom);
}

Touche HoteScripte::AttendreTouche() {
    if (ArretDemande()) return Touche{};  // Aucune : le programme s'arrête
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

std::string HoteScripte::Reponse(const char* parDefaut) {
    if (reponses.empty()) return parDefaut;
    std::string r = reponses.front();
    reponses.pop_front();
    return r;
}

// ------------------------------------------------------------ les options

void UsageLanceur() {
    std::fputs(
        "Usage : gelim --batch [OPTIONS] [ENTRÉE ...]\n"
        "Entrées, exécutées dans l'ordre, dans une seule session :\n"
        "  FICHIER              un programme, exécuté comme par l'éclair de l'éditeur\n"
        "  --commands FICHIER   chaque ligne tapée dans la ligne de commande (- : entrée standard)\n"
        "  -e TEXTE             TEXTE tapé dans la ligne de commande\n"
        "Options :\n"
        "  --answers FICHIER    les réponses de l'élève, une ligne par demande\n"
        "  --image SORTIE       enregistre le dessin (.bmp ou .png), 1000 x 1000, sans la tortue\n"
        "  --view SORTIE.png    enregistre la vue, avec la tortue\n"
        "  --analysis           affichage de l'analyse syntaxique\n"
        "  --step               mode pas à pas dès le départ\n"
        "  --depth N            profondeur d'impression des arbres\n",
        stderr);
}

bool LireOptionsLanceur(int argc, char** argv, OptionsLanceur& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto suivant = [&](std::string& dest) {
            if (i + 1 >= argc) return false;
            dest = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--batch") continue;
        if (a == "--commands") {
            if (!suivant(v)) return false;
            o.entrees.push_back({EntreeLanceur::Commandes, v});
        } else if (a == "-e") {
            if (!suivant(v)) return false;
            o.entrees.push_back({EntreeLanceur::Texte, v});
        } else if (a == "--answers") {
            if (!suivant(o.reponses)) return false;
        } else if (a == "--image") {
            if (!suivant(o.image)) return false;
        } else if (a == "--view") {
            if (!suivant(o.vue)) return false;
        } else if (a == "--analysis") {
            o.analyse = true;
        } else if (a == "--step") {
            o.pasAPas = true;
        } else if (a == "--depth") {
            if (!suivant(v)) return false;
            char* fin = nullptr;
            long n = std::strtol(v.c_str(), &fin, 10);
            if (!fin || *fin) return false;
            o.profondeur = int(n < 3 ? 3 : (n > 100000 ? 100000 : n));
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return false;
        } else {
            o.entrees.push_back({EntreeLanceur::Programme, a});
        }
    }
    return true;
}

// ------------------------------------------------------------ la session

int SessionLanceur(const OptionsLanceur& o, FaceLanceur& face) {
    HoteScripte hote;
    hote.arretExterieur = face.arretExterieur;
    int code = 0;
    if (!o.reponses.empty()) {
        std::string brut;
        if (!LireFlux(o.reponses, brut)) {
            std::fprintf(stderr, "gelim : impossible de lire les réponses « %s »\n", o.reponses.c_str());
            return 2;
        }
        for (const std::string& l : Lignes(VersCp1252(brut))) hote.reponses.push_back(l);
    }
    auto I = std::make_unique<Interp>(hote);
    I->dessin = face.dessin;
    I->vue = face.vue;
    I->precedent = face.precedent;
    I->profondeurNativeMax = face.profondeurNativeMax;
    I->dossiersCharge.push_back(".");
    if (!face.dossierExemples.empty()) I->dossiersCharge.push_back(face.dossierExemples);
    // La boîte d'information du démarrage.
    hote.AlerteOk(TitreDemarrage(), LignesDemarrage());
    DemarrerInterprete(*I);
    I->affichageAnalyse = o.analyse;
    if (o.pasAPas) I->pasapas->valeur = I->pgTrue;
    if (o.profondeur > 0) I->gProfondeurArbres = o.profondeur;
    InitialiserLaTortue(*I);
    ExecuterLaCommandeEnAttente(*I);  // premier affichage : cadre et tortue

    for (const EntreeLanceur& e : o.entrees) {
        std::string brut;
        switch (e.genre) {
            case EntreeLanceur::Programme:
                if (!LireFlux(e.valeur, brut)) {
                    std::fprintf(stderr, "gelim : impossible de lire « %s »\n", e.valeur.c_str());
                    code = 2;
                    break;
                }
                {
                    // Le dossier du programme sert aussi à « charge ».
                    std::string dossier =
                        e.valeur.find('/') == std::string::npos ? "." : e.valeur.substr(0, e.valeur.rfind('/'));
                    I->dossiersCharge.insert(I->dossiersCharge.begin() + 1, dossier);
                }
                I->mode = 1;
                ExecuterEtAttendre(*I, VersCp1252(brut));
                break;
            case EntreeLanceur::Commandes:
                if (!LireFlux(e.valeur, brut)) {
                    std::fprintf(stderr, "gelim : impossible de lire « %s »\n", e.valeur.c_str());
                    code = 2;
                    break;
                }
                I->mode = 0;
                for (const std::string& l : Lignes(VersCp1252(brut))) ExecuterEtAttendre(*I, l);
                break;
            case EntreeLanceur::Texte:
                I->mode = 0;
                ExecuterEtAttendre(*I, VersCp1252(e.valeur));
                break;
        }
    }

    std::string sortie = Cp1252VersUtf8(I->messages.Texte());
    std::fwrite(sortie.data(), 1, sortie.size(), stdout);
    std::fflush(stdout);
    if (!o.image.empty()) {
        bool bmp = o.image.size() >= 4 && (o.image.compare(o.image.size() - 4, 4, ".bmp") == 0 ||
                                           o.image.compare(o.image.size() - 4, 4, ".BMP") == 0);
        bool ok = bmp ? SauverLeDessin(*I, o.image) : face.enregistrerImage(*face.dessin, o.image);
        if (!ok) {
            std::fprintf(stderr, "gelim : impossible d'enregistrer « %s »\n", o.image.c_str());
            code = 2;
        }
    }
    if (!o.vue.empty() && !face.enregistrerImage(*face.vue, o.vue)) {
        std::fprintf(stderr, "gelim : impossible d'enregistrer « %s »\n", o.vue.c_str());
        code = 2;
    }
    return code;
}

}  // namespace gelim
