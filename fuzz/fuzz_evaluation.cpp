// Cible de fuzzing de l'évaluateur : les octets choisissent un programme bâti
// d'après la grammaire (fonctions, récursion, return partout, listes,
// affectations, exec, let, tortue), qui s'exécute comme l'éclair de l'éditeur
// avec un budget de pas. Tout programme doit finir sans plantage, la pile des
// environnements revenue à sa base.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "objects/interp.h"
#include "shell/configuration.h"
#include "shell/pilote.h"
#include "turtle/surface_memoire.h"

namespace {

// ---------------------------------------------------------------- le programme

// Chaque choix prend un octet ; quand il n'y en a plus, le premier choix (le
// plus simple, jamais récursif) est pris : tout programme est fini.
class Generateur {
public:
    Generateur(const uint8_t* d, size_t n) : d_(d), n_(n) {}

    std::string Programme() {
        const int nbFonctions = 1 + Choix(3);
        for (int k = 0; k < nbFonctions; ++k) arites_.push_back(Choix(3));
        for (int k = 0; k < nbFonctions; ++k) {
            parametres_ = arites_[size_t(k)];
            texte_ += "int " + NomFonction(k) + "(";
            for (int p = 0; p < parametres_; ++p) texte_ += std::string(p ? ", " : "") + kParametres[p];
            texte_ += ") {\n";
            Instructions(2, 1 + Choix(4));
            texte_ += "}\n";
        }
        parametres_ = 0;
        Instructions(2, 1 + Choix(6));
        return texte_;
    }

private:
    static constexpr const char* kVariables[] = {"x", "y", "l", "m"};
    static constexpr const char* kParametres[] = {"pa", "pb", "pc"};

    int Choix(int k) {
        if (i_ >= n_) return 0;
        return d_[i_++] % k;
    }
    static std::string NomFonction(int k) { return "fonc" + std::to_string(k + 1); }
    std::string Variable() {
        if (parametres_ && Choix(2)) return kParametres[Choix(parametres_)];
        return kVariables[Choix(4)];
    }

    void Instructions(int profondeur, int nombre) {
        for (int k = 0; k < nombre; ++k) Instruction(profondeur);
    }

    void Instruction(int profondeur) {
        const int genre = profondeur > 0 ? Choix(14) : Choix(5);
        switch (genre) {
            case 0: texte_ += Variable() + " = " + Expression(3) + ";\n"; break;
            case 1: texte_ += "return " + Expression(3) + ";\n"; break;
            case 2: texte_ += "ecris(" + Expression(2) + ");\n"; break;
            case 3: texte_ += std::string(kTortue[Choix(4)]) + "(" + Expression(2) + ");\n"; break;
            case 4: texte_ += "exec(" + ListeExec(3) + ");\n"; break;
            case 5:
                texte_ += "if (" + Expression(2) + ") {\n";
                Instructions(profondeur - 1, 1 + Choix(2));
                texte_ += "} else {\n";
                Instructions(profondeur - 1, Choix(2));
                texte_ += "}\n";
                break;
            case 6:
                texte_ += "while (" + Expression(2) + ") {\n";
                Instructions(profondeur - 1, 1 + Choix(3));
                texte_ += "}\n";
                break;
            case 7:
                texte_ += "repete (" + Expression(1) + ") {\n";
                Instructions(profondeur - 1, 1 + Choix(3));
                texte_ += "}\n";
                break;
            case 8: {
                const std::string v = Variable();
                texte_ += "for (" + v + " = 0; " + v + " < " + Expression(1) + "; " + v + " = " + v + " + 1) {\n";
                Instructions(profondeur - 1, 1 + Choix(2));
                texte_ += "}\n";
                break;
            }
            case 9:
                texte_ += "{\n";
                Instructions(profondeur - 1, 1 + Choix(3));
                texte_ += "}\n";
                break;
            case 10: texte_ += Appel(2) + ";\n"; break;
            case 11:
                texte_ += "do {\n";
                Instructions(profondeur - 1, 1);
                texte_ += "} while (" + Expression(1) + ");\n";
                break;
            case 12:
                texte_ += std::string(Choix(2) ? "trace" : "untrace") + "('" + NomFonction(Choix(int(arites_.size()))) +
                          "');\n";
                break;
            default: texte_ += "recyclevaleur('" + std::string(kVariables[Choix(4)]) + "');\n"; break;
        }
    }

    std::string Appel(int profondeur) {
        const int k = Choix(int(arites_.size()));
        // L'analyse refuse un nombre d'arguments faux : seules les formes d'exec
        // (fonc a b, quelle que soit l'arité) en font l'essai à l'exécution.
        const int n = arites_[size_t(k)];
        std::string t = NomFonction(k) + "(";
        for (int a = 0; a < n; ++a) t += (a ? ", " : "") + Expression(profondeur - 1);
        return t + ")";
    }

    std::string Expression(int profondeur) {
        const int genre = profondeur > 0 ? Choix(16) : Choix(4);
        switch (genre) {
            case 0: return std::to_string(Choix(10));
            case 1: return Variable();
            case 2: return kLitteraux[Choix(6)];
            case 3: return "[" + std::string(kVariables[Choix(4)]) + " " + std::to_string(Choix(5)) + "]";
            case 4:
            case 5:
                return "(" + Expression(profondeur - 1) + " " + kOperateurs[Choix(12)] + " " +
                       Expression(profondeur - 1) + ")";
            case 6:
            case 7: return Appel(profondeur);
            case 8: return "mp(" + Expression(profondeur - 1) + ", " + Expression(profondeur - 1) + ")";
            case 9: return std::string(kListes1[Choix(6)]) + "(" + Expression(profondeur - 1) + ")";
            case 10: return "phrase(" + Expression(profondeur - 1) + ", " + Expression(profondeur - 1) + ")";
            case 11: return "reste(" + Expression(profondeur - 1) + ", " + Expression(profondeur - 1) + ")";
            case 12: return "exec(" + ListeExec(profondeur) + ")";
            case 13: return std::string(kNumeriques1[Choix(4)]) + "(" + Expression(profondeur - 1) + ")";
            case 14:
                return "max(" + Expression(profondeur - 1) + ", max(" + Expression(profondeur - 1) + ", " +
                       Expression(profondeur - 1) + "))";
            default: return "!(" + Expression(profondeur - 1) + ")";
        }
    }

    // Une liste à exécuter, en formes préfixées : celles que l'analyse ne
    // bâtit pas (let, setq, when, progn...).
    std::string ListeExec(int profondeur) { return "[" + Forme(profondeur) + "]"; }

    std::string Forme(int profondeur) {
        const int genre = profondeur > 0 ? Choix(10) : Choix(3);
        switch (genre) {
            case 0: return "+ " + Atome() + " " + Atome();
            case 1: return "setq " + std::string(kVariables[Choix(4)]) + " " + Atome();
            case 2: return "ecris " + Atome();
            case 3:
                return "let [[" + std::string(kVariables[Choix(4)]) + " " + Atome() + "]] " +
                       ListeExec(profondeur - 1) + " " + ListeExec(profondeur - 1);
            case 4: return "when " + Atome() + " " + ListeExec(profondeur - 1);
            case 5: return "progn " + ListeExec(profondeur - 1) + " " + ListeExec(profondeur - 1);
            case 6: return NomFonction(Choix(int(arites_.size()))) + " " + Atome() + " " + Atome();
            case 7: return "repete " + std::to_string(Choix(4)) + " " + ListeExec(profondeur - 1);
            case 8:
                return "cond [" + ListeExec(profondeur - 1) + " " + Atome() + "] [1 " + ListeExec(profondeur - 1) + "]";
            default: return std::string(kTortueLisp[Choix(3)]) + " " + Atome();
        }
    }

    std::string Atome() {
        switch (Choix(5)) {
            case 0: return std::to_string(Choix(10));
            case 1: return kVariables[Choix(4)];
            case 2: return "[]";
            case 3: return "[+ " + std::to_string(Choix(10)) + " " + kVariables[Choix(4)] + "]";
            default: return "[mp 1 " + std::string(kVariables[Choix(4)]) + "]";
        }
    }

    static constexpr const char* kTortue[] = {"av", "td", "tg", "re"};
    static constexpr const char* kTortueLisp[] = {"av", "td", "lc"};
    static constexpr const char* kOperateurs[] = {"+", "-", "*", "/", "<", ">", "==", "!=", "&&", "||", "<=", ">="};
    static constexpr const char* kLitteraux[] = {"[]", "2.5", "-3", "[mot]", "true", "100000"};
    static constexpr const char* kListes1[] = {"prem", "sp", "consp", "longueur", "der", "vide?"};
    static constexpr const char* kNumeriques1[] = {"abs", "racine", "arrondis", "inc"};

    const uint8_t* d_;
    size_t n_;
    size_t i_ = 0;
    std::string texte_;
    std::vector<int> arites_;
    int parametres_ = 0;
};

// ---------------------------------------------------------------- l'hôte

// Un hôte muet, qui arrête le programme au bout de son budget : la sonde de
// l'arrêt passe tous les 1024 pas, et une horloge borne les pas très lents.
class HoteBudget : public gelim::Hote {
public:
    void Armer() {
        sondes_ = 0;
        pasAPas_ = 0;
        debut_ = std::chrono::steady_clock::now();
    }
    bool ArretDemande() override {
        if (++sondes_ > kSondesMax) return true;
        return std::chrono::steady_clock::now() - debut_ > std::chrono::milliseconds(500);
    }
    void MontrerBoiteErreur(const gelim::BoiteErreur&) override {}
    int AlerteOk(const std::string&, const std::vector<std::string>&) override { return 1; }
    int QuestionOuiNon(const std::string&, const std::vector<std::string>&) override { return 2; }
    void BoiteMessage(const std::string&, const std::string&) override {}
    // Le pas à pas entre dans quelques formes, en ignore une, puis l'abandonne.
    gelim::ReponsePasAPas BoitePasAPas(const std::string&, const std::string&) override {
        ++pasAPas_;
        if (pasAPas_ < 6) return gelim::ReponsePasAPas::Reessayer;
        if (pasAPas_ == 6) return gelim::ReponsePasAPas::Ignorer;
        return gelim::ReponsePasAPas::Abandonner;
    }
    bool Saisie(const std::string&, const std::string&, std::string&) override { return false; }
    void Beep(gelim::Bip) override {}
    void BipFD(int, int) override {}
    void JoueSon(const std::string&) override {}
    void TitreFenetre(gelim::Fenetre, const std::string&) override {}
    gelim::Touche AttendreTouche() override { return gelim::Touche{}; }

private:
    static constexpr int kSondesMax = 64;  // environ 65000 pas
    int sondes_ = 0;
    int pasAPas_ = 0;
    std::chrono::steady_clock::time_point debut_;
};

struct Banc {
    HoteBudget hote;
    gelim::SurfaceMemoire dessin, vue, precedent;
    std::unique_ptr<gelim::Interp> I;
    int entrees = 0;

    void Neuf() {
        I.reset();
        gelim::Configuration c;
        c.dessin = &dessin;
        c.vue = &vue;
        c.precedent = &precedent;
        I = gelim::CreerInterprete(hote, c);
        I->mode = gelim::Interp::Mode::Editeur;  // l'éditeur : dessin effacé et tortue remise à chaque programme
        gelim::DemarrerInterprete(*I);
        entrees = 0;
    }

    // Ce qu'un programme a laissé et qui change le suivant : valeurs,
    // définitions, traces, pas à pas. Les cellules reviennent par la collecte
    // du pilote entre deux commandes.
    void RemettreANeuf() {
        for (gelim::MyString* o : I->Lexique) {
            if (o->tag != gelim::kTagNom) continue;
            auto* n = static_cast<gelim::Nom*>(o);
            n->valeur = I->pgValeurIndefinie;
            n->definition = I->pgValeurFDUProtoIndefinie;
            n->nbParamsFDU = -1;
            n->trace = 0;
        }
        I->pasapas->valeur = I->pgFalse;
        I->messages = gelim::FenetreMessages{};
        // Les arbres des programmes passés rendus à la réserve, sans message :
        // chaque programme part des mêmes cellules (et le mode d'épreuve n'a
        // que les siennes à parcourir).
        I->Recuperation(false);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    static Banc banc;
    // Un interprète neuf de temps en temps : le lexique garde chaque mot bâti.
    if (!banc.I || ++banc.entrees > 2000) banc.Neuf();
    banc.RemettreANeuf();
    gelim::Interp& I = *banc.I;
    const std::string programme = Generateur(donnees, taille).Programme();
    if (std::getenv("GELIM_MONTRER_PROGRAMME")) std::fprintf(stderr, "%s\n", programme.c_str());
    banc.hote.Armer();
    gelim::ExecuterEtAttendre(I, programme);
    if (std::getenv("GELIM_MONTRER_PROGRAMME")) std::fprintf(stderr, "%s\n", I.messages.Texte().c_str());
    // Le contrat de fin de commande : la pile revenue à l'environnement de base.
    if (I.gProfondeurEnv != 0 || I.hautPileEnv != 1 || I.profondeurNative != 0) {
        std::fprintf(stderr, "Pile non rendue : profondeur %d, %zu environnements, profondeur native %d\n",
                     I.gProfondeurEnv, I.hautPileEnv, I.profondeurNative);
        __builtin_trap();
    }
    return 0;
}
