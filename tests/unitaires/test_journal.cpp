// Le journal du lanceur : rien de perdu ni de déplacé, même quand un signal
// fait quitter le programme avec des lignes encore en attente.
#include "batch/journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace gelim {
namespace {

// La sortie d'erreur détournée vers un fichier le temps d'un essai.
class SortieDErreur {
public:
    SortieDErreur() : fichier_(std::tmpfile()), avant_(dup(2)) { dup2(fileno(fichier_), 2); }
    ~SortieDErreur() {
        Rendre();
        std::fclose(fichier_);
    }
    std::string Contenu() {
        Rendre();
        std::string s;
        std::rewind(fichier_);
        for (int c; (c = std::fgetc(fichier_)) != EOF;) s += char(c);
        return s;
    }

private:
    void Rendre() {
        if (avant_ < 0) return;
        dup2(avant_, 2);
        close(avant_);
        avant_ = -1;
    }
    FILE* fichier_;
    int avant_;
};

TEST(Journal, LignesEnAttenteEcritesAvantDeQuitterPuisDansLOrdre) {
    {
        // La première ligne part aussitôt ; les suivantes, moins de 50 ms
        // après, attendent : seul le gestionnaire d'un second signal les écrit.
        SortieDErreur e;
        AjouterAuJournal("BIP");
        AjouterAuJournal("BIPFD 440 1");
        AjouterAuJournal("SON tambour");
        EcrireLeJournalAvantDeQuitter();
        EXPECT_EQ(e.Contenu(), "BIP\nBIPFD 440 1\nSON tambour\n");
    }
    {
        SortieDErreur poubelle;
        ViderLeJournal();
    }
    // Plus que le tampon n'en tient, puis une ligne plus longue que lui : tout
    // sort, dans l'ordre, une fois le journal vidé.
    SortieDErreur e;
    std::string attendu;
    for (int i = 0; i < 5000; ++i) {
        const std::string l = "DIALOGUE ligne " + std::to_string(i);
        AjouterAuJournal(l);
        attendu += l + "\n";
    }
    const std::string longue(100000, 'x');
    AjouterAuJournal(longue);
    AjouterAuJournal("fin");
    ViderLeJournal();
    EXPECT_EQ(e.Contenu(), attendu + longue + "\nfin\n");
}

}  // namespace
}  // namespace gelim
