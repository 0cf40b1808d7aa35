// Regarder le programme tourner : d'où vient chaque instruction, les pauses
// des vitesses lentes dans l'ordre, l'arrêt pendant une pause, le relevé des
// variables.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "eval/regard.h"
#include "hote_enregistreur.h"
#include "objects/imprime.h"
#include "shell/pilote.h"

using namespace gelim;

namespace {

// Chaque pause : « ligne:colonne-ligneFin:colonneFin » de l'instruction, ou
// « ? » quand elle n'a pas de place.
class HoteRegard : public HoteEnregistreur {
public:
    Interp* I = nullptr;
    std::vector<std::string> pauses;
    std::function<void()> pendantLaPause;
    bool arret = false;

    void PauseAvantInstruction(Vitesse, Objet* x) override {
        EXPECT_EQ(FormeEnCours(*I), x);
        const Lieu* l = LieuDe(*I, x);
        pauses.push_back(l ? std::to_string(l->ligne) + ":" + std::to_string(l->colonne) + "-" +
                                 std::to_string(l->ligneFin) + ":" + std::to_string(l->colonneFin)
                           : "?");
        if (pendantLaPause) pendantLaPause();
    }
    bool ArretDemande() override { return arret; }
};

struct BancRegard {
    HoteRegard hote;
    SurfaceQImage dessin, vue, precedent;
    std::unique_ptr<Interp> I;
    BancRegard() : I(std::make_unique<Interp>(hote)) {
        hote.I = I.get();
        I->dessin = &dessin;
        I->vue = &vue;
        I->precedent = &precedent;
        DemarrerInterprete(*I);
    }
    void Editeur(const std::string& texte) { Commande(texte, 1); }
    void Commande(const std::string& texte, int mode = 0) {
        I->mode = mode ? Interp::Mode::Editeur : Interp::Mode::LigneDeCommande;
        ExecuterEtAttendre(*I, Utf8VersCp1252(texte.c_str()));
    }
    std::string Messages() const { return Cp1252VersUtf8(I->messages.Texte()); }
};

using Pauses = std::vector<std::string>;

}  // namespace

TEST(Regard, LentSArreteAvantChaqueInstructionDansLOrdre) {
    BancRegard b;
    DefinirLaVitesse(*b.I, Vitesse::Lent);
    b.Editeur(
        "repete 2 {\n"      // 0
        "  av(10);\n"       // 1
        "  td(90 +\n"       // 2
        "     0);\n"        // 3
        "}\n"               // 4
        "int f(n) {\n"      // 5
        "  if (n > 0) {\n"  // 6
        "    f(n - 1);\n"   // 7
        "  }\n"             // 8
        "}\n"               // 9
        "f(2); a = [1 2];");
    // La boucle, puis ses deux instructions à chaque tour (l'expression sur deux
    // lignes va de son premier à son dernier caractère) ; la déclaration ne
    // s'arrête pas ; puis chaque appel, son if et le corps du if, deux fois la
    // même place dans le texte (les corps copiés gardent leur place).
    EXPECT_EQ(b.hote.pauses, (Pauses{"0:0-4:0", "1:2-1:8", "2:2-3:7", "1:2-1:8", "2:2-3:7", "10:0-10:4", "6:2-8:2",
                                     "7:4-7:12", "6:2-8:2", "7:4-7:12", "6:2-8:2", "10:6-10:15"}));
    EXPECT_FLOAT_EQ(b.I->tortue.x, 10.0f);
    EXPECT_EQ(FormeEnCours(*b.I), nullptr);  // hors d'une commande, rien n'est en cours

    // Les formes bâties pendant que le programme tourne n'ont pas de place.
    b.hote.pauses.clear();
    b.Commande("exec([progn [av 1] [td 1]]);");
    EXPECT_EQ(b.hote.pauses, (Pauses{"0:0-0:27", "?", "?"}));

    // « Rapide » ne s'arrête jamais, le mode pas à pas (pasapas) à part.
    b.hote.pauses.clear();
    DefinirLaVitesse(*b.I, Vitesse::Rapide);
    b.Editeur("repete 3 { av(1); }\nf(3);");
    EXPECT_TRUE(b.hote.pauses.empty());
}

TEST(Regard, LesLieuxDUneAnalyseRateeEtDUnFichierCharge) {
    BancRegard b;
    DefinirLaVitesse(*b.I, Vitesse::TresLent);
    // Une erreur de syntaxe : rien ne s'exécute, la commande suivante a ses places.
    b.Editeur("av(1);\nrepete 2 { av(2) }\n");
    EXPECT_TRUE(b.hote.pauses.empty());
    b.Commande("  td(1);   av(2);");
    EXPECT_EQ(b.hote.pauses, (Pauses{"0:2-0:7", "0:11-0:16"}));

    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    QFile f(dossier.filePath("deux.c"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("// un commentaire\nav(3);\n");
    f.close();
    b.I->dossiersCharge = {QDir::toNativeSeparators(dossier.path()).toStdString()};
    b.hote.pauses.clear();
    const Lieu* vu = nullptr;
    std::string nom;
    b.hote.pendantLaPause = [&] {
        vu = LieuEnCours(*b.I);
        if (const TexteAnalyse* t = vu ? TexteDuLieu(*b.I, *vu) : nullptr)
            nom = t->genre == GenreDeTexte::Fichier ? t->nom : "?";
    };
    b.Commande("charge('deux.c');");
    EXPECT_EQ(b.hote.pauses, (Pauses{"0:0-0:16", "1:0-1:5"}));
    EXPECT_EQ(nom, "deux.c");
}

TEST(Regard, LArretPendantUnePauseArreteAussitot) {
    BancRegard b;
    DefinirLaVitesse(*b.I, Vitesse::PasAPas);
    int n = 0;
    b.hote.pendantLaPause = [&] { b.hote.arret = ++n == 2; };
    b.Editeur("av(10);\nav(20);\nav(30);\nrepete 1000 { td(1); }");
    EXPECT_EQ(b.hote.pauses.size(), 2u);
    EXPECT_FLOAT_EQ(b.I->tortue.y, 10.0f);  // la deuxième instruction n'a pas tourné
    EXPECT_NE(b.Messages().find("Tu as demandé l'arrêt"), std::string::npos);

    // La commande suivante repart normalement.
    b.hote.arret = false;
    b.hote.pendantLaPause = nullptr;
    b.hote.pauses.clear();
    b.Commande("av(5);");
    EXPECT_EQ(b.hote.pauses.size(), 1u);
    EXPECT_FLOAT_EQ(b.I->tortue.y, 15.0f);
}

TEST(Regard, LeReleveMontreLesNomsEtLaPileDesAppels) {
    BancRegard b;
    DefinirLaVitesse(*b.I, Vitesse::Lent);
    ReleveDesVariables auFond;
    b.hote.pendantLaPause = [&] {
        ReleveDesVariables r = ReleverLesVariables(*b.I);
        if (r.appels.size() == 3) auFond = r;
    };
    b.Editeur(
        "zed = 7; alpha = [1 [2 3] mot];\n"
        "int f(n, m) {\n"
        "  if (n > 1) { f(n - 1, m); }\n"
        "}\n"
        "f(3, 'x');");
    ASSERT_EQ(auFond.appels.size(), 3u);
    EXPECT_EQ(auFond.appels[0].fonction, "f");
    EXPECT_EQ(auFond.appels[2].profondeur, 3);
    ASSERT_EQ(auFond.appels[2].parametres.size(), 2u);
    EXPECT_EQ(auFond.appels[2].parametres[0].nom, "n");
    EXPECT_EQ(auFond.appels[2].parametres[0].valeur, "1");
    EXPECT_EQ(auFond.appels[2].parametres[1].valeur, "x");
    EXPECT_EQ(auFond.appels[0].parametres[0].valeur, "3");

    // Après la commande : plus d'appel, les noms dans l'ordre de leur création.
    const ReleveDesVariables fin = ReleverLesVariables(*b.I);
    EXPECT_TRUE(fin.appels.empty());
    std::string noms;
    for (const ValeurVue& v : fin.globales) noms += v.nom + "=" + v.valeur + " ";
    EXPECT_EQ(noms, "zed=7 alpha=[1 [2 3] mot] ");

    // Une liste longue ou circulaire s'imprime coupée, sur une ligne.
    Objet* boucle = b.I->mp(b.I->pgUn, b.I->pgNil);
    CEL(boucle)->cdr = boucle;
    const std::string t = TexteSurUneLigne(*b.I, boucle, 20);
    EXPECT_EQ(t, std::string("[1 1 1 1 1 1 1 1 1 1") + '\x85');
}
