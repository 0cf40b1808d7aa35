// Cible de fuzzing de l'analyse : lexer, pré-déclaration et grammaire sur des
// octets quelconques. Rien d'autre n'est évalué que la pré-déclaration.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "objects/interp.h"
#include "shell/hote_scripte.h"
#include "syntax/analyse.h"
#include "text/messages.h"

namespace {

// L'hôte du lanceur, sans journal : la mémoire reste plate quel que soit le nombre d'entrées.
gelim::HoteScripte& HoteSansJournal() {
    static gelim::HoteScripte hote;
    hote.ecrireJournal = nullptr;
    return hote;
}

// Un interprète sert plusieurs entrées (en construire un coûte cher, surtout
// sous les assainisseurs) ; avant chaque entrée, on efface ce que la précédente
// a pu changer et qui compte pour l'analyse : les fonctions déclarées et les
// cellules prises.
void RemettreANeuf(gelim::Interp& I) {
    for (gelim::MyString* o : I.Lexique) {
        if (o->tag != gelim::kTagNom) continue;
        auto* n = static_cast<gelim::Nom*>(o);
        n->nbParamsFDU = -1;
        n->definition = I.pgValeurFDUProtoIndefinie;
    }
    // La collecte des cellules coûte cher : seulement quand la réserve baisse
    // (une entrée de 64998 octets en prend moins de 100000, même en échouant).
    I.gArbreDuProgramme = I.pgNil;
    if (I.NbCellulesLibres < 150000) I.Recuperation();
    gelim::VideLesMessages(I);
    I.NbErreursExecution = 0;
    I.epuisementsMontres = 0;
}

// Le lexique garde chaque mot et chaque nombre lus : au-delà de ce nombre
// d'objets ajoutés, un interprète neuf prend la place, et la mémoire reste plate.
constexpr size_t kObjetsAjoutesMax = 20000;

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
    static gelim::HoteScripte& hote = HoteSansJournal();
    static std::unique_ptr<gelim::Interp> interprete;
    if (!interprete || interprete->Lexique.size() > interprete->nbObjetsDemarrage + kObjetsAjoutesMax) {
        interprete.reset();
        interprete = std::make_unique<gelim::Interp>(hote);
    } else {
        RemettreANeuf(*interprete);
    }
    gelim::Interp& I = *interprete;
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
