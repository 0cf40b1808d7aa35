// Saisie au clavier, getchar, sortie vers les fenêtres, texte d'une fonction,
// lecture des fichiers programmes (charge est rejoué par les transcriptions).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "hote_enregistreur.h"
#include "objects/imprime.h"
#include "primitives/primitives.h"

using namespace gelim;

namespace {

// Un fichier temporaire effacé à la fin du test.
struct FichierTemporaire {
    std::string chemin;
    FichierTemporaire(const std::string& nom, const std::string& octets)
        : chemin((std::filesystem::temp_directory_path() / nom).string()) {
        std::ofstream f(chemin, std::ios::binary);
        f << octets;
    }
    ~FichierTemporaire() { std::remove(chemin.c_str()); }
};

}  // namespace

// Les réponses et les touches ordinaires sont rejouées par prim_saisie_clavier
// et prim_saisie_touches ; ici, ce que la fenêtre des messages ne montre pas.
TEST(Saisie, EtatDeLAnalyseEtTouchesLimites) {
    Banc b;
    Interp& I = *b.I;
    Objet* bonjour = I.TrouveOuCreeNom("bonjour");
    b.hote.reponses = {"bonjour", "12", "a"};
    EXPECT_EQ(PrimLisMot(I), bonjour);  // le même objet que toute autre occurrence
    ASSERT_FALSE(I.ChaineBrute.empty());
    EXPECT_EQ(I.ChaineBrute.front(), bonjour);  // le texte tapé est devenu le texte analysé
    EXPECT_EQ(PrimLisMot(I), I.pgCestFaux);
    EXPECT_TRUE(I.gErreurAnalyse);
    EXPECT_EQ(PrimLisMot(I), I.lettres[int('a')]);
    EXPECT_FALSE(I.gErreurAnalyse);  // la lecture suivante repart d'une analyse propre

    VideLesMessages(I);
    auto& t = b.hote.touches;
    t.push_back({Touche::Clavier, 0x1BB, false});  // seul l'octet faible compte
    t.push_back({Touche::Aucune, 0, false});       // l'arrêt demandé pendant l'attente
    EXPECT_EQ(PrimGetchar(I), I.lettres[int('a')]);
    EXPECT_EQ(PrimGetchar(I), I.pgNil);
    EXPECT_EQ(b.Messages(), "Carac inconnu !187\n");
}

TEST(Saisie, AnnulationEtTexteQuelconque) {
    Banc b;
    Interp& I = *b.I;
    // Sans réponse, l'hôte d'essai annule.
    EXPECT_EQ(PrimLisMot(I), I.pgFalse);
    EXPECT_EQ(PrimLisNombre(I), I.pgFalse);
    EXPECT_EQ(PrimLisListe(I), I.pgFalse);
    EXPECT_EQ(b.Messages(),
              "Erreur dans la lecture du mot\nErreur dans la lecture du mot\nErreur dans la lecture de la liste\n");
    EXPECT_TRUE(b.hote.boites.empty());

    // N'importe quoi : jamais de plantage, toujours un objet.
    const char* bizarres[] = {"",           "   ",    "}}}((", "[a [b",   "]",
                              "[[[[[[[[[[", "-",      "'",     "1e99999", "\xc3\xbf\xc3\xbf",
                              "[a b] c d",  "// rien"};
    for (const char* t : bizarres) {
        for (auto* lire : {PrimLisMot, PrimLisNombre, PrimLisListe}) {
            b.hote.reponses = {t};
            Objet* r = lire(I);
            ASSERT_NE(r, nullptr) << t;
            EXPECT_EQ(I.gArbreDuProgramme, r) << t;
        }
    }
    std::string tresLong(100000, 'x');
    b.hote.reponses = {tresLong};
    EXPECT_TRUE(EstNom(PrimLisMot(I)));
}

TEST(Sortie, VideTexteEtRecycle) {
    Banc b;
    Interp& I = *b.I;
    EcritLigne(I, "avant");
    Ecrit(I, "encore");
    EXPECT_EQ(PrimVideTexte(I), I.pgNil);
    EXPECT_EQ(b.Messages(), "OK !\n");
    EXPECT_EQ(I.messages.lignes.size(), 2u);

    EXPECT_FALSE(I.DemandeDeRecuperation);
    int libres = I.NbCellulesLibres;
    EXPECT_EQ(PrimRecycle(I), I.pgNil);
    EXPECT_TRUE(I.DemandeDeRecuperation);
    EXPECT_EQ(I.NbCellulesLibres, libres);  // rien n'est collecté tout de suite
}

TEST(Sortie, Montre) {
    Banc b;
    Interp& I = *b.I;
    auto encre = [](const SurfaceQImage& s, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += !(s.LirePixel(x, y) == Couleur{255, 255, 255});
        return n;
    };
    I.tortue.curseurX = -200;
    I.tortue.curseurY = 100;  // pixel (300, 400)
    Objet* l = I.mp(I.lettres[int('a')], I.mp(I.lettres[int('b')], I.pgNil));
    EXPECT_EQ(PrimMontre(I, l), I.pgNil);
    EXPECT_EQ(b.Messages(), "[a b ]");  // avec crochets, sans fin de ligne
    EXPECT_FALSE(I.modeTexteGraphique);
    // Le texte est sur les deux surfaces, au-dessus de la ligne de base du curseur.
    int dansDessin = encre(b.dessin, 300, 380, 400, 405);
    EXPECT_GT(dansDessin, 20);
    EXPECT_EQ(encre(b.vue, 300, 380, 400, 405), dansDessin);
    EXPECT_EQ(encre(b.dessin, 0, 0, 1000, 1000), dansDessin);
    // Une seconde fois au même endroit : le curseur n'a pas avancé.
    QImage avant = b.dessin.Image().copy();
    PrimMontre(I, l);
    EXPECT_TRUE(b.dessin.Image() == avant);
    // Un autre curseur, un autre endroit.
    I.tortue.curseurX = 100.7f;
    I.tortue.curseurY = -100.7f;
    PrimMontre(I, I.lettres[int('z')]);
    EXPECT_GT(encre(b.dessin, 600, 580, 640, 605), 5);
    // Le curseur hors du champ ne plante pas.
    I.tortue.curseurX = 1e30f;
    EXPECT_EQ(PrimMontre(I, l), I.pgNil);

    // Un « return » dans une impression : la valeur portée, et la remarque.
    VideLesMessages(I);
    PrimMontre(I, I.Marqueur(I.lettres[int('q')]));
    EXPECT_EQ(b.Messages(), "Le 'return' ne doit pas être utilisé à l'intérieur d'une impression.\nq ");
    // À l'intérieur d'une impression déjà en cours, l'écho reste allumé.
    I.modeTexteGraphique = true;
    PrimMontre(I, l);
    EXPECT_TRUE(I.modeTexteGraphique);
    I.modeTexteGraphique = false;
}

TEST(Sortie, TexteDUneFonction) {
    Banc b;
    Interp& I = *b.I;
    Nom* carre = NOM(I.TrouveOuCreeNom("carre"));
    carre->nbParamsFDU = 2;
    Objet* corps = I.mp(I.mp(I.Cherche("av"), I.mp(I.params[0], I.pgNil)), I.pgNil);
    carre->definition = corps;
    Objet* r = PrimTexte(I, carre);
    ASSERT_TRUE(EstCellule(r) && r != I.pgNil);
    EXPECT_EQ(CEL(r)->car, carre);
    EXPECT_EQ(CEL(r)->cdr, corps);
}

TEST(Fichiers, LireFichierProgramme) {
    std::string texte;
    bool utf8 = false;
    {
        FichierTemporaire f("gelim_prim_utf8.c",
                            "\xEF\xBB\xBF"
                            "ec(\xC3\xA9l\xC3\xA8ve);\n// \xE2\x82\xAC \xE2\x86\x92\n");
        ASSERT_EQ(LireFichierProgramme(f.chemin, texte, utf8), LectureProgramme::Lu);
        EXPECT_TRUE(utf8);
        EXPECT_EQ(texte, "ec(\xE9l\xE8ve);\n// \x80 ?\n");  // sans la marque d'ordre des octets
    }
    {
        FichierTemporaire f("gelim_prim_1252.c", "ec(\xE9l\xE8ve);\r\n");
        ASSERT_EQ(LireFichierProgramme(f.chemin, texte, utf8), LectureProgramme::Lu);
        EXPECT_FALSE(utf8);
        EXPECT_EQ(texte, "ec(\xE9l\xE8ve);\r\n");
    }
    {
        FichierTemporaire f("gelim_prim_nul.c", std::string("a\0b\xC3\xA9", 5));
        ASSERT_EQ(LireFichierProgramme(f.chemin, texte, utf8), LectureProgramme::Lu);
        EXPECT_EQ(texte, std::string("a\0b\xE9", 4));
    }
    {
        FichierTemporaire f("gelim_prim_vide.c", "");
        ASSERT_EQ(LireFichierProgramme(f.chemin, texte, utf8), LectureProgramme::Lu);
        EXPECT_EQ(texte, "");
    }
    {
        // Un très gros fichier n'est lu que jusqu'à ce qui dépasse l'analyse ; la
        // coupe ne laisse pas de séquence UTF-8 à moitié (le texte reste de l'UTF-8).
        // La coupe tombe entre les deux octets d'un « é ».
        std::string grand = std::string(4 * 64999 + 2, 'x');
        for (int i = 0; i < 10; ++i) grand += "\xC3\xA9";
        FichierTemporaire f("gelim_prim_grand.c", grand);
        ASSERT_EQ(LireFichierProgramme(f.chemin, texte, utf8), LectureProgramme::Lu);
        EXPECT_TRUE(utf8);
        EXPECT_EQ(texte, std::string(4 * 64999 + 2, 'x'));
    }
    EXPECT_EQ(LireFichierProgramme("/nexiste/pas/du/tout.c", texte, utf8), LectureProgramme::Introuvable);
    EXPECT_EQ(LireFichierProgramme(std::filesystem::temp_directory_path().string(), texte, utf8),
              LectureProgramme::Introuvable);
    // Un périphérique n'est pas lu du tout (sa lecture n'aurait pas de fin).
    EXPECT_EQ(LireFichierProgramme("/dev/zero", texte, utf8), LectureProgramme::PasUnFichier);
}
