// Les images : affichebitmap (GIF et BMP centrés, chaque alerte), le décodeur
// GIF sur des flux faits à la main, la lecture BMP, le chargement d'un BMP sur
// le dessin et l'aller-retour par la sauvegarde.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "hote_enregistreur.h"
#include "rendu/enregistrer_image.h"
#include "turtle/images.h"
#include "turtle/tortue.h"

using namespace gelim;

namespace {

const Couleur kNoir{0, 0, 0}, kBlanc{255, 255, 255}, kRouge{255, 0, 0};

std::string Donnees(const std::string& nom) {
    return std::string(GELIM_SOURCES) + "/tests/donnees/" + nom;
}

std::string Provisoire(const std::string& nom) {
    // Propre au processus : deux suites lancées en même temps ne se marchent pas dessus.
    return testing::TempDir() + "gelim_tortue_" + std::to_string(getpid()) + "_" + nom;
}

void Ecrire(const std::string& chemin, const std::vector<uint8_t>& octets) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(octets.data(), 1, octets.size(), f);
    std::fclose(f);
}

Objet* Affiche(Interp& I, const std::string& nom, float x, float y) {
    return PrimAfficheBitmap(I, I.TrouveOuCreeNom(nom), I.NouveauNombre(x), I.NouveauNombre(y));
}

using Formule = std::function<Couleur(int i, int j)>;

// Chaque pixel (i, j) de l'image (ligne 0 en haut) est au pixel (x0 + i, y0 + j) des
// deux surfaces (du dessin seul pour un BMP : la vue attend d'être recopiée).
void VerifierImage(Banc& b, int x0, int y0, int largeur, int hauteur, const Formule& f, bool dessinSeul = false) {
    for (Surface* s : {&b.dessin, &b.vue}) {
        if (dessinSeul && s == &b.vue) continue;
        for (int j = 0; j < hauteur; ++j)
            for (int i = 0; i < largeur; ++i) ASSERT_EQ(s->LirePixel(x0 + i, y0 + j), f(i, j)) << i << "," << j;
    }
}

uint8_t U8(int v) {
    return uint8_t(v);
}

// Les formules de fabriquer.sh.
Couleur F256(int i, int j) {
    return {U8(i * 17), U8(j * 17), 128};
}
Couleur F16(int i, int j) {
    int k = (i + j) % 16;
    return {U8(k * 16), U8(255 - k * 16), U8(k * 37 % 256)};
}
Couleur F8(int i, int j) {
    int k = (i * 3 + j) % 8;
    return {U8(k % 2 * 255), U8(k / 2 % 2 * 255), U8(k / 4 % 2 * 255)};
}
Couleur FEntrelace(int i, int j) {
    return {U8(j * 12), U8(i % 8 * 30), 77};
}
Couleur F101(int i, int j) {
    return {U8(i % 16 * 16), U8(j % 16 * 16), 200};
}
Couleur FDamier(int i, int j) {
    return (i + j) % 2 ? kBlanc : kNoir;
}
Couleur FB4(int i, int j) {
    int k = (i + 2 * j) % 16;
    return {U8(k * 16), U8(255 - k * 16), U8(k * 37 % 256)};
}
Couleur FB24(int i, int j) {
    return {U8(i * 19), U8(j * 50), U8(255 - i * 19)};
}
Couleur FB200(int i, int j) {
    return {U8(i * 7 % 256), U8(j * 5 % 256), U8((i + j) % 256)};
}

// Un flux de codes LZW de tailles données, empaqueté bits de poids faible d'abord.
std::vector<uint8_t> Empaqueter(const std::vector<std::pair<int, int>>& codes) {
    std::vector<uint8_t> octets;
    uint32_t acc = 0;
    int n = 0;
    for (auto [code, taille] : codes) {
        acc |= uint32_t(code) << n;
        n += taille;
        while (n >= 8) {
            octets.push_back(uint8_t(acc));
            acc >>= 8;
            n -= 8;
        }
    }
    if (n) octets.push_back(uint8_t(acc));
    return octets;
}

// Un GIF : table globale de 2^bits entrées (entrée k = (k, 255 - k, k / 2) ; aucune
// si bits = 0), une image largeur x hauteur, taille minimale m, les données en sous-blocs.
std::vector<uint8_t> FaireGif(int bits, int largeur, int hauteur, int m, const std::vector<uint8_t>& donnees,
                              uint8_t drapeauxImage = 0) {
    std::vector<uint8_t> g = {'G',
                              'I',
                              'F',
                              '8',
                              '9',
                              'a',
                              U8(largeur),
                              U8(largeur >> 8),
                              U8(hauteur),
                              U8(hauteur >> 8),
                              U8(bits ? 0x80 | (bits - 1) : 0),
                              0,
                              0};
    for (int k = 0; bits && k < (1 << bits); ++k) g.insert(g.end(), {U8(k), U8(255 - k), U8(k / 2)});
    g.insert(g.end(),
             {0x2C, 0, 0, 0, 0, U8(largeur), U8(largeur >> 8), U8(hauteur), U8(hauteur >> 8), drapeauxImage, U8(m)});
    for (size_t p = 0; p < donnees.size(); p += 255) {
        size_t n = std::min<size_t>(255, donnees.size() - p);
        g.push_back(U8(int(n)));
        g.insert(g.end(), donnees.begin() + long(p), donnees.begin() + long(p + n));
    }
    g.push_back(0);
    g.push_back(0x3B);
    return g;
}

Couleur Entree(int k) {
    return {U8(k), U8(255 - k), U8(k / 2)};
}

// Fait tourner f sous une taille de fichier bornée à 4 Kio pour le processus (un disque « plein »).
bool SousUnDisquePlein(const std::function<bool()>& f) {
    rlimit avant{};
    getrlimit(RLIMIT_FSIZE, &avant);
    auto ancien = std::signal(SIGXFSZ, SIG_IGN);
    rlimit borne = avant;
    borne.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &borne);
    const bool r = f();
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, ancien);
    return r;
}

const char* kAttention = "DIALOGUE A  T  T  E  N  T  I  O  N | ";

}  // namespace

// ---- GIF affichés ----

// Chaque GIF est centré sur le point donné, à ses couleurs (la transparence est
// peinte opaque, un GIF animé montre sa dernière image), et rien autour.
TEST(Images, GifAffichesALeurPlace) {
    struct Cas {
        const char* fichier;
        float x, y;
        int x0, y0, largeur, hauteur;
        Formule f;
    };
    const Cas cas[] = {
        {"gif256.gif", 0, 0, 492, 492, 16, 16, F256},  // par son seul nom, dans les dossiers de charge
        {"gif16.gif", 0, 0, 490, 495, 20, 10, F16},
        {"gif8.gif", -200, 100, 294, 396, 12, 9, F8},
        {"entrelace.gif", 0, 0, 488, 490, 24, 20, FEntrelace},
        {"gif101x51.gif", 0, 0, 450, 475, 101, 51, F101},
        {"anime.gif", 0, 0, 492, 492, 16, 16, [](int i, int j) { return F256(j, i); }},
        {"transparent.gif", 0, 0, 490, 495, 20, 10, [](int i, int j) { return (i + j) % 16 ? F16(i, j) : kNoir; }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichier);
        Banc b;
        ExecuterLogo1(*b.I, FONC(b.I->Cherche("fcf")), 240);
        b.I->dossiersCharge.push_back(Donnees(""));
        EXPECT_EQ(Affiche(*b.I, c.fichier == cas[0].fichier ? c.fichier : Donnees(c.fichier), c.x, c.y), b.I->pgNil);
        EXPECT_TRUE(b.hote.journal.empty());
        VerifierImage(b, c.x0, c.y0, c.largeur, c.hauteur, c.f);
        EXPECT_EQ(b.dessin.LirePixel(c.x0 - 1, c.y0), kRouge);
        EXPECT_EQ(b.dessin.LirePixel(c.x0 + c.largeur, c.y0 + c.hauteur - 1), kRouge);
        EXPECT_EQ(b.dessin.LirePixel(c.x0, c.y0 - 1), kRouge);
        EXPECT_EQ(b.dessin.LirePixel(c.x0 + c.largeur - 1, c.y0 + c.hauteur), kRouge);
    }
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGif(Donnees("entrelace.gif"), gif));
    EXPECT_TRUE(gif.entrelace);
    // Les coordonnées sont tronquées ; l'image peut déborder du champ.
    Banc b;
    Affiche(*b.I, Donnees("gif101x51.gif"), 480.9f, -490.7f);
    EXPECT_EQ(b.dessin.LirePixel(500 + 480 - 50, 500 + 490 - 25), F101(0, 0));
    EXPECT_EQ(b.dessin.LirePixel(999, 999), F101(69, 34));
}

TEST(Images, GifRefusesAvecLeursAlertes) {
    Banc b;
    Interp& I = *b.I;
    std::string deux = Donnees("gif2.gif");
    Affiche(I, deux, 0, 0);
    EXPECT_EQ(b.hote.journal.back(), std::string(kAttention) +
                                         "Erreur OurBigGifDataStructDescriptor. | cBitByPixelIndexInColorTable != "
                                         "8,4,3 | " +
                                         deux);
    // Sans table globale, ou de 32 couleurs : même refus.
    std::string sansTable = Provisoire("sans_table.gif"), trente = Provisoire("trente_deux.gif");
    Ecrire(sansTable, FaireGif(0, 2, 1, 2, Empaqueter({{1, 3}, {2, 3}, {5, 3}})));
    Ecrire(trente, FaireGif(5, 2, 1, 5, Empaqueter({{1, 6}, {2, 6}, {33, 6}})));
    Affiche(I, sansTable, 0, 0);
    Affiche(I, trente, 0, 0);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A  T  T  E  N  T  I  O  N | Erreur OurBigGifDataStructDescriptor."), 3);
    // Tronqué, ou pas un GIF : le traitement échoue.
    std::vector<uint8_t> octets = FaireGif(8, 4, 1, 8, Empaqueter({{1, 9}, {2, 9}, {3, 9}, {4, 9}, {257, 9}}));
    std::string tronque = Provisoire("tronque.gif");
    Ecrire(tronque, std::vector<uint8_t>(octets.begin(), octets.end() - 5));
    Affiche(I, tronque, 0, 0);
    EXPECT_EQ(b.hote.journal.back(), std::string(kAttention) + "Erreur lors du traitement de cette image | " + tronque);
    Affiche(I, Donnees("bmp24.bmp").substr(0, Donnees("bmp24.bmp").size() - 4) + ".gif", 0, 0);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A  T  T  E  N  T  I  O  N | Erreur lors du traitement"), 2);
    // Un GIF nommé .bmp n'est pas un BMP (les noms refusés, les fichiers absents et les
    // paramètres refusés sont rejoués par les transcriptions tortue_images*).
    std::string faux = Provisoire("faux.bmp");
    Ecrire(faux, FaireGif(8, 1, 1, 8, Empaqueter({{1, 9}, {257, 9}})));
    Affiche(I, faux, 0, 0);
    EXPECT_EQ(b.hote.journal.back(), std::string(kAttention) + "Erreur lors de la recherche de l'image | " + faux);
    // Rien n'a été dessiné.
    for (int y = 490; y < 510; ++y)
        for (int x = 490; x < 510; ++x) ASSERT_EQ(b.dessin.LirePixel(x, y), kBlanc);
}

// ---- Le décodeur sur des flux faits à la main ----

TEST(DecodeurGif, CodeInconnuIgnoreEtChaineNonEncoreDansLaTable) {
    // m = 2 : effacement 4, fin 5. 1 ; 7 (au-delà du suivant, ignoré) ; 2 (entrée 6 = 1 2) ;
    // 6 (entrée 7 = 2 1, le code passe à 4 bits) ; 8 (= suivant : chaîne 6 + son premier octet) ; fin.
    auto donnees = Empaqueter({{1, 3}, {7, 3}, {2, 3}, {6, 3}, {8, 4}, {5, 4}});
    std::vector<uint8_t> g = FaireGif(4, 7, 1, 2, donnees);
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(gif.pixels, (std::vector<uint8_t>{1, 2, 1, 2, 1, 2, 1}));
    EXPECT_EQ(gif.cBitByPixelIndexInColorTable, 4);
    EXPECT_EQ(gif.largeurImage, 7u);
    EXPECT_EQ(gif.nbImages, 1);
}

TEST(DecodeurGif, EffacementEtFinAuMilieuDUnSousBloc) {
    // 3 ; effacement ; 3 ; 6 (= suivant : 3 3) ; fin, puis des octets quelconques
    // dans le même sous-bloc : ils sont abandonnés.
    auto donnees = Empaqueter({{3, 3}, {4, 3}, {3, 3}, {6, 3}, {5, 3}});
    donnees.insert(donnees.end(), {0xFF, 0x2C, 0x21});
    std::vector<uint8_t> g = FaireGif(3, 4, 1, 2, donnees);
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(gif.pixels, (std::vector<uint8_t>{3, 3, 3, 3}));
}

TEST(DecodeurGif, LeDictionnairePleinSansEffacementGardeDesCodesDe12Bits) {
    // Un flux de racines seules, sans effacement : chaque code ajoute une entrée
    // jusqu'à 4096, puis les codes restent sur 12 bits et n'en ajoutent plus.
    const int L = 64, H = 64;
    std::vector<std::pair<int, int>> codes;
    std::vector<uint8_t> attendu, racines;
    int suivant = 258, taille = 9;
    uint32_t masque = 511;
    bool precedent = false;
    auto emettre = [&](int code) {
        codes.push_back({code, taille});
        if (precedent && suivant < 4096) {
            ++suivant;
            if ((uint32_t(suivant) & masque) == 0 && suivant < 4096) ++taille, masque += uint32_t(suivant);
        }
        precedent = true;
    };
    for (int k = 0; int(attendu.size()) < L * H; ++k) {
        if (suivant == 4096 && k % 100 == 0 && int(attendu.size()) + 2 <= L * H) {
            emettre(300);  // l'entrée 300 : les racines 42 et 43 du flux
            attendu.push_back(racines[42]);
            attendu.push_back(racines[43]);
            continue;
        }
        uint8_t v = uint8_t((k * 7 + k / 13) & 255);
        racines.push_back(v);
        emettre(v);
        attendu.push_back(v);
    }
    EXPECT_EQ(suivant, 4096);
    EXPECT_EQ(taille, 12);
    codes.push_back({257, 12});
    std::vector<uint8_t> g = FaireGif(8, L, H, 8, Empaqueter(codes));
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(gif.pixels, attendu);
    // Et l'image affichée prend les couleurs de la table globale.
    Banc b;
    std::string chemin = Provisoire("plein.gif");
    Ecrire(chemin, g);
    Affiche(*b.I, chemin, 0, 0);
    VerifierImage(b, 468, 468, L, H, [&](int i, int j) { return Entree(attendu[size_t(j * L + i)]); });
}

TEST(DecodeurGif, FluxTropCourtEtSurplusJete) {
    // 6 pixels attendus, 3 donnés, pas de code de fin : l'image se lit quand même.
    std::vector<uint8_t> g = FaireGif(8, 3, 2, 8, Empaqueter({{9, 9}, {8, 9}, {7, 9}}));
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(gif.pixels, (std::vector<uint8_t>{9, 8, 7}));
    std::vector<uint32_t> ordre = OrdreDesLignesGif(gif);
    EXPECT_EQ(CouleurPixelGif(gif, ordre, 2, 1), Entree(0));  // non atteint : l'indice 0
    // Trop de données : le surplus est jeté.
    g = FaireGif(8, 2, 1, 8, Empaqueter({{1, 9}, {2, 9}, {3, 9}, {4, 9}, {257, 9}}));
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(gif.pixels, (std::vector<uint8_t>{1, 2}));
}

TEST(DecodeurGif, TablesDe8Et16EntreesEtIndicesDebordants) {
    // Table de 3 bits, indices 9 et 17 (m = 5) : table de 16 entrées, indice ET 15 ;
    // les entrées 8 à 15 sont noires.
    std::vector<uint8_t> g = FaireGif(3, 3, 1, 5, Empaqueter({{9, 6}, {17, 6}, {7, 6}, {33, 6}}));
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    std::vector<uint32_t> ordre = OrdreDesLignesGif(gif);
    EXPECT_EQ(CouleurPixelGif(gif, ordre, 0, 0), kNoir);
    EXPECT_EQ(CouleurPixelGif(gif, ordre, 1, 0), Entree(1));
    EXPECT_EQ(CouleurPixelGif(gif, ordre, 2, 0), Entree(7));
    // Table de 4 bits : 17 ET 15 = 1.
    g = FaireGif(4, 1, 1, 5, Empaqueter({{17, 6}, {33, 6}}));
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(CouleurPixelGif(gif, OrdreDesLignesGif(gif), 0, 0), Entree(1));
}

TEST(DecodeurGif, OrdreDesLignesEntrelacees) {
    OurBigGifDataStructDescriptor gif;
    gif.hauteurImage = 11;
    gif.entrelace = true;
    // Lignes stockées : 0, 8, puis 4, puis 2, 6, 10, puis 1, 3, 5, 7, 9.
    EXPECT_EQ(OrdreDesLignesGif(gif), (std::vector<uint32_t>{0, 6, 3, 7, 2, 8, 4, 9, 1, 10, 5}));
    gif.entrelace = false;
    EXPECT_EQ(OrdreDesLignesGif(gif)[7], 7u);
}

TEST(DecodeurGif, ExtensionsPlusieursImagesEtFichiersHostiles) {
    std::vector<uint8_t> image1 = FaireGif(8, 1, 1, 8, Empaqueter({{1, 9}, {257, 9}}));
    std::vector<uint8_t> g(image1.begin(), image1.end() - 1);  // sans la fin
    // Une extension (commentaire), des octets 0, une seconde image avec table locale.
    g.insert(g.end(), {0x21, 0xFE, 3, 'a', 'b', 'c', 0, 0, 0});
    g.insert(g.end(), {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x80});  // table locale de 2 entrées
    g.insert(g.end(), {1, 2, 3, 4, 5, 6});
    auto d = Empaqueter({{5, 9}, {6, 9}, {257, 9}});
    g.push_back(8);
    g.push_back(U8(int(d.size())));
    g.insert(g.end(), d.begin(), d.end());
    g.insert(g.end(), {0, 0x3B});
    OurBigGifDataStructDescriptor gif;
    ASSERT_TRUE(LireGifDepuisOctets(g.data(), g.size(), gif));
    EXPECT_EQ(gif.nbImages, 2);
    EXPECT_EQ(gif.largeurImage, 2u);
    EXPECT_EQ(gif.pixels, (std::vector<uint8_t>{5, 6}));
    // Chaque coupure du fichier est refusée sans rien lire hors du tampon.
    for (size_t n = 0; n + 1 < g.size(); ++n) EXPECT_FALSE(LireGifDepuisOctets(g.data(), n, gif)) << n;
    // Un octet de bloc inconnu, une taille minimale de code impossible, des dimensions démesurées.
    std::vector<uint8_t> mauvais = image1;
    mauvais[mauvais.size() - 1] = 0x99;
    EXPECT_FALSE(LireGifDepuisOctets(mauvais.data(), mauvais.size(), gif));
    mauvais = FaireGif(8, 1, 1, 12, Empaqueter({{1, 13}}));
    EXPECT_FALSE(LireGifDepuisOctets(mauvais.data(), mauvais.size(), gif));
    mauvais = FaireGif(8, 1, 1, 0, Empaqueter({{1, 1}}));
    EXPECT_FALSE(LireGifDepuisOctets(mauvais.data(), mauvais.size(), gif));
    mauvais = FaireGif(8, 60000, 60000, 8, Empaqueter({{1, 9}, {257, 9}}));
    EXPECT_FALSE(LireGifDepuisOctets(mauvais.data(), mauvais.size(), gif));
    // 16384 x 4096 : permis, et le tampon ne grandit qu'avec les données.
    mauvais = FaireGif(8, 16384, 4096, 8, Empaqueter({{1, 9}, {257, 9}}));
    ASSERT_TRUE(LireGifDepuisOctets(mauvais.data(), mauvais.size(), gif));
    EXPECT_LE(gif.pixels.capacity(), 4096u);
    const char* pasGif = "GIT89a";
    EXPECT_FALSE(LireGifDepuisOctets(reinterpret_cast<const uint8_t*>(pasGif), 6, gif));
}

TEST(Images, UnGifImmenseNeCollerQueLaPartieVisible) {
    Banc b;
    std::vector<uint8_t> g = FaireGif(8, 16384, 4096, 8, Empaqueter({{9, 9}, {257, 9}}));
    std::string chemin = Provisoire("immense.gif");
    Ecrire(chemin, g);
    Affiche(*b.I, chemin, 0, 0);
    EXPECT_TRUE(b.hote.journal.empty());
    // Le pixel (0, 0) de l'image est loin hors du champ ; le reste vaut l'indice 0.
    EXPECT_EQ(b.dessin.LirePixel(500, 500), Entree(0));
    EXPECT_EQ(b.vue.LirePixel(0, 0), Entree(0));
}

// ---- BMP affichés ----

namespace {

// Un BMP de L x H centré en (0, 0) sur un fond rouge : 2 x (L/2) sur 2 x (H/2)
// pixels, pris en bas à gauche (une hauteur impaire perd la ligne du haut).
void VerifierBmpCentre(const std::string& fichier, int L, int H, const Formule& f) {
    Banc b;
    Interp& I = *b.I;
    ExecuterLogo1(I, FONC(I.Cherche("fcf")), 240);
    EXPECT_EQ(Affiche(I, Donnees(fichier), 0, 0), I.pgNil);
    EXPECT_TRUE(b.hote.journal.empty()) << fichier;
    const int x0 = 500 - L / 2, y0 = 500 - H / 2, saut = H - 2 * (H / 2);
    SCOPED_TRACE(fichier);
    VerifierImage(
        b, x0, y0, 2 * (L / 2), 2 * (H / 2), [&](int i, int j) { return f(i, j + saut); }, true);
    EXPECT_EQ(b.vue.LirePixel(x0, y0), kRouge);  // la vue attend d'être recopiée du dessin
    // Autour : le fond est resté (la colonne et la ligne perdues comprises).
    EXPECT_EQ(b.dessin.LirePixel(x0 + 2 * (L / 2), y0), kRouge);
    EXPECT_EQ(b.dessin.LirePixel(x0 - 1, y0), kRouge);
    EXPECT_EQ(b.dessin.LirePixel(x0, y0 - 1), kRouge);
    EXPECT_EQ(b.dessin.LirePixel(x0, y0 + 2 * (H / 2)), kRouge);
}

}  // namespace

TEST(Images, BmpDeToutesProfondeurs) {
    VerifierBmpCentre("bmp1.bmp", 9, 7, FDamier);
    VerifierBmpCentre("bmp4.bmp", 11, 6, FB4);
    VerifierBmpCentre("bmp8.bmp", 16, 16, F256);
    VerifierBmpCentre("bmp8rle.bmp", 16, 16, F256);
    VerifierBmpCentre("bmp16.bmp", 13, 5, [](int i, int j) {
        // Réduits à 5, 6 et 5 bits par le fabricant, ramenés sur 8 par la lecture
        // en répétant les bits de poids fort.
        Couleur c = FB24(i, j);
        auto etendre = [](int v, int bits) {
            int x = v * ((1 << bits) - 1) / 255;
            return U8((x << (8 - bits)) | (x >> (2 * bits - 8)));
        };
        return Couleur{etendre(c.r, 5), etendre(c.g, 6), etendre(c.b, 5)};
    });
    VerifierBmpCentre("bmp24.bmp", 13, 5, FB24);
    VerifierBmpCentre("bmp24_hautbas.bmp", 13, 5, FB24);
    VerifierBmpCentre("bmp32.bmp", 13, 5, FB24);
    VerifierBmpCentre("bmp200x100.bmp", 200, 100, FB200);
}

// ---- La lecture BMP sur des octets faits à la main ----

namespace {

// Un BMP de L x H : en-tête de fichier, en-tête d'information de « tailleInfo » octets
// (12 ou 40), palette, puis les lignes données telles quelles.
std::vector<uint8_t> FaireBmp(int tailleInfo, int L, int H, int bits, const std::vector<Couleur>& palette,
                              const std::vector<uint8_t>& lignes, uint32_t compression = 0) {
    std::vector<uint8_t> v = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    auto e16 = [&](int x) { v.insert(v.end(), {U8(x), U8(x >> 8)}); };
    auto e32 = [&](int64_t x) { v.insert(v.end(), {U8(int(x)), U8(int(x >> 8)), U8(int(x >> 16)), U8(int(x >> 24))}); };
    e32(tailleInfo);
    if (tailleInfo == 12) {
        e16(L), e16(H), e16(1), e16(bits);
    } else {
        e32(L), e32(H), e16(1), e16(bits), e32(compression), e32(0), e32(0), e32(0), e32(int64_t(palette.size())),
            e32(0);
    }
    for (const Couleur& c : palette) {
        v.insert(v.end(), {c.b, c.g, c.r});
        if (tailleInfo != 12) v.push_back(0);
    }
    uint32_t debut = uint32_t(v.size());
    for (int k = 0; k < 4; ++k) v[10 + size_t(k)] = U8(int(debut >> (8 * k)));
    v.insert(v.end(), lignes.begin(), lignes.end());
    return v;
}

}  // namespace

TEST(LecteurBmp, VariantesFaitesALaMain) {
    ImageRGB image;
    // 32 bits sans champs de bits, de bas en haut : B, G, R, X.
    std::vector<uint8_t> b32 = FaireBmp(40, 2, 2, 32, {}, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0});
    ASSERT_TRUE(LireBmpDepuisOctets(b32.data(), b32.size(), image));
    EXPECT_EQ(image.At(0, 1), (Couleur{3, 2, 1}));  // la première ligne du fichier est en bas
    EXPECT_EQ(image.At(1, 0), (Couleur{12, 11, 10}));
    // En-tête de 12 octets, 24 bits, lignes alignées sur 4 octets.
    std::vector<uint8_t> b12 = FaireBmp(12, 1, 2, 24, {}, {10, 20, 30, 0, 40, 50, 60, 0});
    ASSERT_TRUE(LireBmpDepuisOctets(b12.data(), b12.size(), image));
    EXPECT_EQ(image.At(0, 0), (Couleur{60, 50, 40}));
    // Palette de 3 couleurs en 8 bits : un indice au-delà donne du noir.
    std::vector<uint8_t> b8 = FaireBmp(40, 3, 1, 8, {kRouge, kBlanc, {0, 0, 255}}, {2, 0, 200, 0});
    ASSERT_TRUE(LireBmpDepuisOctets(b8.data(), b8.size(), image));
    EXPECT_EQ(image.At(0, 0), (Couleur{0, 0, 255}));
    EXPECT_EQ(image.At(1, 0), kRouge);
    EXPECT_EQ(image.At(2, 0), kNoir);
    // RLE4 : 5 pixels alternés 1, 2 puis une suite absolue 3, 0, 1 ; fin.
    std::vector<uint8_t> rle4 =
        FaireBmp(40, 8, 1, 4, {kNoir, kRouge, kBlanc, {0, 0, 255}}, {5, 0x12, 0, 3, 0x30, 0x10, 0, 1}, 2);
    ASSERT_TRUE(LireBmpDepuisOctets(rle4.data(), rle4.size(), image));
    const Couleur attendu[8] = {kRouge, kBlanc, kRouge, kBlanc, kRouge, {0, 0, 255}, kNoir, kRouge};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(image.At(x, 0), attendu[x]) << x;
}

TEST(LecteurBmp, FichiersMalformesRefuses) {
    ImageRGB image;
    std::vector<uint8_t> bon = FaireBmp(40, 4, 4, 24, {}, std::vector<uint8_t>(48, 7));
    ASSERT_TRUE(LireBmpDepuisOctets(bon.data(), bon.size(), image));
    // Chaque coupure est refusée (les pixels manquent).
    for (size_t n = 0; n < bon.size(); ++n) EXPECT_FALSE(LireBmpDepuisOctets(bon.data(), n, image)) << n;
    auto modifie = [&](size_t ou, std::vector<uint8_t> octets) {
        std::vector<uint8_t> v = bon;
        for (size_t k = 0; k < octets.size(); ++k) v[ou + k] = octets[k];
        return !LireBmpDepuisOctets(v.data(), v.size(), image);
    };
    EXPECT_TRUE(modifie(0, {'B', 'N'}));
    EXPECT_TRUE(modifie(18, {0xA0, 0x86, 0x01, 0x00}));  // 100000 de large
    EXPECT_TRUE(modifie(22, {0x00, 0x00, 0x00, 0x80}));  // hauteur -2^31
    EXPECT_TRUE(modifie(18, {0, 0, 0, 0}));              // largeur nulle
    EXPECT_TRUE(modifie(28, {7, 0}));                    // 7 bits par pixel
    EXPECT_TRUE(modifie(30, {9, 0, 0, 0}));              // compression inconnue
    EXPECT_TRUE(modifie(10, {0xFF, 0xFF, 0xFF, 0x7F}));  // pixels hors du fichier
    EXPECT_TRUE(modifie(14, {0xFF, 0xFF, 0, 0}));        // en-tête plus long que le fichier
    // 8192 x 8192 annoncés pour 48 octets de pixels : refusé sans allocation démesurée.
    EXPECT_TRUE(modifie(18, {0, 0x20, 0, 0, 0, 0x20, 0, 0}));
    EXPECT_TRUE(image.pixels.empty());
    // En RLE, une image vide de 100 x 100 se lit ; 8192 x 8192 pour deux octets, non.
    std::vector<uint8_t> vide = FaireBmp(40, 100, 100, 8, {kRouge}, {0, 1}, 1);
    ASSERT_TRUE(LireBmpDepuisOctets(vide.data(), vide.size(), image));
    EXPECT_EQ(image.At(99, 99), kRouge);
    std::vector<uint8_t> enorme = FaireBmp(40, 8192, 8192, 8, {kRouge}, {0, 1}, 1);
    EXPECT_FALSE(LireBmpDepuisOctets(enorme.data(), enorme.size(), image));
}

// ---- Le chargement et la sauvegarde du dessin entier ----

TEST(Images, ChargerUnBmpEnBasAGauche) {
    Banc b;
    Interp& I = *b.I;
    ExecuterLogo1(I, FONC(I.Cherche("fcf")), 240);
    ExecuterLogo1(I, FONC(I.Cherche("td")), 45);
    ASSERT_TRUE(ChargerImageDansLeDessin(I, Donnees("bmp200x100.bmp")));
    for (int j = 0; j < 100; ++j)
        for (int i = 0; i < 200; ++i) ASSERT_EQ(b.dessin.LirePixel(i, 900 + j), FB200(i, j)) << i << "," << j;
    EXPECT_EQ(b.dessin.LirePixel(200, 950), kRouge);
    EXPECT_EQ(b.dessin.LirePixel(100, 899), kRouge);
    EXPECT_EQ(b.vue.LirePixel(100, 950), FB200(100, 50));
    EXPECT_NEAR(I.tortue.cap, 45 * 0.017453292, 1e-6);
    EXPECT_TRUE(b.hote.journal.empty());
    // Introuvable : l'alerte, et le dessin ne change pas.
    EXPECT_FALSE(ChargerImageDansLeDessin(I, "/nulle/part/image.bmp"));
    EXPECT_EQ(b.hote.journal.back(),
              std::string(kAttention) + "Erreur lors de la recherche de l'image | /nulle/part/image.bmp");
    EXPECT_EQ(b.dessin.LirePixel(0, 999), FB200(0, 99));
}

TEST(Images, SauverPuisRechargerRendLesMemesPixels) {
    Banc b;
    Interp& I = *b.I;
    ExecuterLogo1(I, FONC(I.Cherche("fcc")), 35);
    ExecuterLogo1(I, FONC(I.Cherche("fec")), 5);
    ExecuterLogo1(I, FONC(I.Cherche("cercle")), 120);
    ExecuterLogo4(I, FONC(I.Cherche("bloc")), -300, -300, -200, 100);
    ExecuterLogo1(I, FONC(I.Cherche("fcc")), 253);
    ExecuterLogo1(I, FONC(I.Cherche("av")), 300);
    DessinerLaTortue(I);  // sur la vue seulement : absente du fichier
    std::string chemin = Provisoire("aller_retour.bmp");
    std::remove(chemin.c_str());
    ASSERT_TRUE(SauverLeDessin(I, chemin));
    std::vector<uint8_t> octets;
    ASSERT_TRUE(LireFichierEntier(chemin, octets));
    EXPECT_EQ(octets.size(), 54u + 3000u * 1000u);
    ImageRGB lue;
    ASSERT_TRUE(LireBmp(chemin, lue));
    EXPECT_EQ(lue.largeur, 1000);
    EXPECT_EQ(lue.hauteur, 1000);
    EXPECT_EQ(lue.At(0, 0), kNoir);  // le cadre est dans le fichier
    // La tête de la tortue, en (0, 319), est sur la vue mais pas dans le fichier.
    EXPECT_EQ(b.vue.LirePixel(500, 500 - 319), I.tableCouleurs[112]);
    EXPECT_EQ(lue.At(500, 500 - 319), kBlanc);
    std::vector<Couleur> avant;
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; ++x) avant.push_back(b.dessin.LirePixel(x, y));
    EXPECT_EQ(lue.pixels, avant);
    BlanchirLesSurfaces(I);
    ASSERT_TRUE(ChargerImageDansLeDessin(I, chemin));
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; ++x)
            ASSERT_EQ(b.dessin.LirePixel(x, y), avant[size_t(y * 1000 + x)]) << x << "," << y;
    std::remove(chemin.c_str());
}

TEST(Images, UneSauvegardeImpossibleAlerteEtNeDetruitRien) {
    Banc b;
    Interp& I = *b.I;
    EXPECT_FALSE(SauverLeDessin(I, "/nulle/part/dessin.bmp"));
    EXPECT_EQ(b.hote.journal.back(),
              std::string(kAttention) + "Erreur lors de la sauvegarde d'une image. | /nulle/part/dessin.bmp");
    // Un dossier ne peut pas être remplacé par le fichier : il reste là.
    std::string dossier = Provisoire("dossier.bmp");
    std::remove(dossier.c_str());
    ASSERT_EQ(std::system(("mkdir -p '" + dossier + "'").c_str()), 0);
    EXPECT_FALSE(SauverLeDessin(I, dossier));
    EXPECT_EQ(std::system(("test -d '" + dossier + "'").c_str()), 0);
    std::vector<uint8_t> reste;
    EXPECT_FALSE(LireFichierEntier(dossier + ".gelim-provisoire", reste));
    EXPECT_FALSE(ChargerImageDansLeDessin(I, dossier));  // un dossier n'est pas une image
    std::system(("rmdir '" + dossier + "'").c_str());
    I.dessin = nullptr;
    EXPECT_FALSE(SauverLeDessin(I, Provisoire("sans_dessin.bmp")));
    EXPECT_EQ(b.hote.Compter("DIALOGUE A  T  T  E  N  T  I  O  N | Erreur lors de la sauvegarde"), 3);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A  T  T  E  N  T  I  O  N | Erreur lors de la recherche"), 1);
}

// Un enregistrement qui échoue (ici le disque « plein » : taille de fichier
// bornée pour le processus) laisse intact le fichier d'avant, sans reste.
TEST(Images, UnPngQuiNePeutSEcrireNAbimePasLAncien) {
    const std::filesystem::path dossier = Provisoire("png");
    std::filesystem::create_directories(dossier);
    const QString chemin = QString::fromStdString((dossier / "dessin.png").string());
    QImage petite(8, 8, QImage::Format_RGB32);
    petite.fill(Qt::red);
    ASSERT_TRUE(EnregistrerImage(petite, chemin));
    const auto taille = std::filesystem::file_size(dossier / "dessin.png");

    QImage bruit(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) bruit.setPixel(x, y, uint(x * 7919 + y * 104729) * 2654435761u);
    const bool ecrit = SousUnDisquePlein([&] { return EnregistrerImage(bruit, chemin); });

    EXPECT_FALSE(ecrit);
    EXPECT_EQ(std::filesystem::file_size(dossier / "dessin.png"), taille);
    EXPECT_EQ(QImage(chemin).pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier), {}), 1);
    EXPECT_FALSE(EnregistrerImage(petite, QString::fromStdString((dossier / "dessin.xyz").string())));
    std::filesystem::remove_all(dossier);
}

// L'écriture du cœur (BMP, et PNG du lanceur pour Node) : de même, un disque
// « plein » laisse le fichier d'avant tel quel, sans fichier provisoire.
TEST(Images, UnFichierQuiNePeutSEcrireNAbimePasLAncien) {
    const std::filesystem::path dossier = Provisoire("entier");
    std::filesystem::create_directories(dossier);
    const std::string chemin = (dossier / "image.png").string();
    const std::vector<uint8_t> petit(100, 1), gros(100000, 2);
    ASSERT_TRUE(EcrireFichierEntier(chemin, petit));

    const bool ecrit = SousUnDisquePlein([&] { return EcrireFichierEntier(chemin, gros); });

    EXPECT_FALSE(ecrit);
    std::vector<uint8_t> lu;
    ASSERT_TRUE(LireFichierEntier(chemin, lu));
    EXPECT_EQ(lu, petit);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier), {}), 1);
    ASSERT_TRUE(EcrireFichierEntier(chemin, gros));
    ASSERT_TRUE(LireFichierEntier(chemin, lu));
    EXPECT_EQ(lu, gros);
    std::filesystem::remove_all(dossier);
}
