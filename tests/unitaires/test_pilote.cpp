// Le pilote tient la session debout : la réserve épuisée pendant l'analyse est
// collectée puis l'analyse reprise, et une commande qui manque de mémoire
// s'arrête sans finir le programme. (Les analyses manquées qui rendent leurs
// cellules : l'épreuve d'endurance du lanceur.)
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "hote_enregistreur.h"
#include "shell/pilote.h"

using namespace gelim;

namespace {

const char* kLigneEpuisement = "Il n'y a plus assez de cellules pour analyser ce programme";
const char* kBoiteDanger = "DIALOGUE A T T E N T I O N   DANGER";

struct BancPilote : Banc {
    BancPilote() { DemarrerInterprete(*I); }
    void Commande(const std::string& texte, int mode = 0) {
        I->mode = Interp::Mode(mode);
        ExecuterEtAttendre(*I, Utf8VersCp1252(texte.c_str()));
    }
    size_t Compter(const std::string& morceau) const {
        const std::string m = Messages();
        size_t n = 0;
        for (size_t p = m.find(morceau); p != std::string::npos; p = m.find(morceau, p + 1)) ++n;
        return n;
    }
    // Prend des cellules que rien ne tient (il en reste libres).
    void Dechets(int libres) {
        while (I->NbCellulesLibres > libres) I->mp(I->pgUn, I->pgNil);
    }
};

// Une liste citée de n mots : un peu plus de n cellules à l'analyse.
std::string ListeDe(int n) {
    std::string t = "x = [";
    for (int i = 0; i < n; ++i) t += "a ";
    return t + "]; ecris(longueur(x));";
}

}  // namespace

TEST(Pilote, ReserveEpuiseePendantLAnalyseCollecteePuisReprise) {
    BancPilote b;
    b.Commande("int f(n) { return n; }");
    // Des cellules perdues par une commande passée, plus qu'il n'en reste.
    b.Dechets(20000);
    b.Commande(ListeDe(30000) + " int g(n) { return f(n); } ecris(g(7));");
    std::string m = b.Messages();
    EXPECT_NE(m.find("\n30000  \nTu m'as enseigné comment faire pour la fonction : 'g' !\n7  \n"), std::string::npos)
        << m.substr(m.size() - 300);
    // Le premier essai n'a rien dit ; la fonction déclarée l'est une seule fois.
    EXPECT_EQ(b.Compter(kLigneEpuisement), 0u);
    EXPECT_EQ(b.hote.Compter(kBoiteDanger), 0);
    EXPECT_EQ(b.Compter("La fonction : 'g' qui m'était inconnue"), 1u);

    // Quand tout est tenu par une variable, la reprise ne sert à rien : une
    // seule boîte, une seule ligne, et la session continue.
    b.Commande("y = 0;");
    Objet* tenu = b.I->pgNil;
    while (b.I->NbCellulesLibres > 20000) tenu = b.I->mp(b.I->pgUn, tenu);
    NOM(b.I->Cherche("y"))->valeur = tenu;
    b.Commande(ListeDe(30000));
    EXPECT_EQ(b.Compter(kLigneEpuisement), 1u);
    EXPECT_EQ(b.hote.Compter(kBoiteDanger), 1);
    b.Commande("ecris(3);");
    EXPECT_NE(b.Messages().find("ecris(3);\n3  \n"), std::string::npos);
}

namespace {

// Un hôte dont une demande échoue faute de mémoire, une fois.
class HoteSansMemoire : public HoteEnregistreur {
public:
    bool panne = false;
    void Beep(Bip b) override {
        if (panne) {
            panne = false;
            throw std::bad_alloc();
        }
        HoteEnregistreur::Beep(b);
    }
    void MontrerBoiteErreur(const BoiteErreur& b) override {
        if (panne) {
            panne = false;
            throw std::bad_alloc();
        }
        HoteEnregistreur::MontrerBoiteErreur(b);
    }
};

}  // namespace

TEST(Pilote, UneCommandeSansMemoireSArreteEtLaSessionContinue) {
    HoteSansMemoire hote;
    SurfaceQImage dessin, vue, precedent;
    Interp I(hote);
    I.dessin = &dessin;
    I.vue = &vue;
    I.precedent = &precedent;
    DemarrerInterprete(I);
    const std::string message = "Il n'y a plus assez de mémoire pour cette commande : elle s'arrête ici.";
    // Pendant l'exécution (le bip du cadre), au fond d'un appel de fonction.
    ExecuterEtAttendre(I, "int f(n) { ecris(n); av(600); ecris(n + 1); } f(1);");
    hote.panne = true;
    ExecuterEtAttendre(I, "f(5);");
    EXPECT_FALSE(I.commandeEnAttente);
    ExecuterEtAttendre(I, "f(8);");
    // Pendant l'analyse (la boîte de l'erreur de syntaxe).
    hote.panne = true;
    ExecuterEtAttendre(I, "av(;");
    ExecuterEtAttendre(I, "ecris(2+2);");
    const std::string m = Cp1252VersUtf8(I.messages.Texte());
    EXPECT_NE(m.find("f(5);\n5  \n" + message + "\n"), std::string::npos) << m;
    EXPECT_EQ(m.find("6  "), std::string::npos);
    EXPECT_NE(m.find("f(8);\n8  \nAïe, la tortue s'est cognée contre le cadre !\n9  \n"), std::string::npos) << m;
    EXPECT_NE(m.find("av(;\n"), std::string::npos);
    EXPECT_NE(m.find(message + "\necris(2+2);\n4  \n"), std::string::npos) << m;
    EXPECT_EQ(I.gProfondeurEnv, 0);
}
