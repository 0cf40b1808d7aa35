// Cible de fuzzing de l'analyse : lexer, pré-déclaration et grammaire sur des
// octets quelconques. Rien d'autre n'est évalué que la pré-déclaration.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "objects/interp.h"
#include "syntax/analyse.h"

namespace {

// Un hôte muet : aucune boîte ne s'ouvre, aucune réponse n'est attendue.
class HoteMuet : public gelim::Hote {
public:
    void MontrerBoiteErreur(const gelim::BoiteErreur&) override {}
    int AlerteOk(const std::string&, const std::vector<std::string>&) override { return 1; }
    int QuestionOuiNon(const std::string&, const std::vector<std::string>&) override { return 2; }
    void BoiteMessage(const std::string&, const std::string&) override {}
    gelim::ReponsePasAPas BoitePasAPas(const std::string&, const std::string&) override {
        return gelim::ReponsePasAPas::Abandonner;
    }
    bool Saisie(const std::string&, const std::string&, std::string&) override { return false; }
    void Beep(gelim::Bip) override {}
    void BipFD(int, int) override {}
    void JoueSon(const std::string&) override {}
    void TitreFenetre(gelim::Fenetre, const std::string&) override {}
    gelim::Touche AttendreTouche() override { return gelim::Touche{}; }
};

}  // namespace

// Les programmes vont jusqu'à des dizaines de kilo-octets (le tampon d'analyse
// en prend 64998) : sans l'option, libFuzzer s'en tiendrait à la taille du corpus.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0) return 0;
    static std::vector<char*> arguments((*argv), (*argv) + *argc);
    static char longueur[] = "-max_len=70000";
    arguments.push_back(longueur);
    arguments.push_back(nullptr);
    *argc = int(arguments.size()) - 1;
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    // Un interprète neuf par entrée : rien ne passe d'une entrée à l'autre, et
    // le lexique (qui garde chaque mot lu) ne grossit pas d'une entrée à l'autre.
    static HoteMuet hote;
    gelim::Interp I(hote);
    // La trace n'est allumée que pour les petites entrées de taille impaire : elle
    // écrit beaucoup, et doit elle aussi tout supporter.
    I.affichageAnalyse = taille <= 256 && taille % 2 == 1;
    gelim::RemplirTexteAAnalyser(I, std::string(reinterpret_cast<const char*>(donnees), taille));
    gelim::AnalyseLeTexte(I);
    // Le contrat de l'analyse : un arbre, ou pgCestFaux avec le drapeau d'erreur.
    if ((I.gArbreDuProgramme == I.pgCestFaux) != I.gErreurAnalyse) __builtin_trap();
    if (I.profondeurAnalyse != 0) __builtin_trap();
    return 0;
}
