// Cible de fuzzing de l'analyse : lexer, pré-déclaration et grammaire sur des
// octets quelconques. Rien d'autre n'est évalué que la pré-déclaration.
#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/interp.h"
#include "syntax/analyse.h"
#include "text/messages.h"

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

// Un seul interprète pour toutes les entrées (en construire un par entrée coûte
// cher) ; avant chaque entrée, on efface ce que la précédente a pu changer et
// qui compte pour l'analyse : les fonctions déclarées et les cellules prises.
void RemettreANeuf(gelim::Interp& I) {
    for (gelim::MyString* o : I.Lexique) {
        if (o->tag != gelim::kTagNom) continue;
        auto* n = static_cast<gelim::Nom*>(o);
        n->nbParamsFDU = -1;
        n->definition = I.pgValeurFDUProtoIndefinie;
    }
    // La collecte des cellules coûte cher : seulement quand la réserve baisse
    // (une entrée de 64998 octets prend au plus trois cellules par jeton).
    I.gArbreDuProgramme = I.pgNil;
    if (I.NbCellulesLibres < 150000) I.Recuperation();
    gelim::VideLesMessages(I);
    I.NbErreursExecution = 0;
    I.epuisementSignale = false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    static HoteMuet hote;
    static gelim::Interp I(hote);
    RemettreANeuf(I);
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
