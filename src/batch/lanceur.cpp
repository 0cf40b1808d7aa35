// Le lanceur sans écran : les mêmes entrées que l'élève donnerait, une seule
// session d'interprète, la fenêtre des messages sur la sortie standard et tout
// ce que l'élève verrait ou entendrait d'autre sur la sortie d'erreur.
#include "batch/lanceur.h"

#include <QGuiApplication>
#include <QImage>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "objects/interp.h"
#include "primitives/primitives.h"
#include "rendu/chemins.h"
#include "rendu/surface_qimage.h"
#include "shell/pilote.h"
#include "text/messages.h"
#include "turtle/tortue.h"

namespace gelim {

namespace {

// Les réponses de l'élève, une ligne par demande, en page 1252.
class HoteSansEcran : public Hote {
public:
    std::deque<std::string> reponses;

    void MontrerBoiteErreur(const BoiteErreur& b) override {
        std::string l = "DIALOGUE " + b.titre;
        for (const RangeeBoite& r : b.rangees)
            l += " | " + (r.etiquette.empty() ? r.texte : r.etiquette + " " + r.texte);
        Journal(l);
    }
    int AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) override {
        Dialogue(titre, lignes);
        return 1;
    }
    int QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) override {
        Dialogue(titre, lignes);
        return Reponse("oui") == "non" ? 2 : 1;
    }
    void BoiteMessage(const std::string& titre, const std::string& texte) override { Dialogue(titre, {texte}); }
    ReponsePasAPas BoitePasAPas(const std::string& titre, const std::string& texte) override {
        Dialogue(titre, {texte});
        std::string r = Reponse("reessayer");
        if (r == "abandonner") return ReponsePasAPas::Abandonner;
        if (r == "ignorer") return ReponsePasAPas::Ignorer;
        return ReponsePasAPas::Reessayer;
    }
    bool Saisie(const std::string& titre, const std::string& invite, std::string& texte) override {
        Dialogue(titre, {invite});
        std::string r = Reponse("<annuler>");
        if (r == "<annuler>") return false;
        texte = r.substr(0, 60);  // le champ de saisie prend 60 caractères
        return true;
    }
    // Un bip, quel qu'il soit (défaut ou exclamation), est une ligne « BIP » du journal.
    void Beep(Bip) override { Journal("BIP"); }
    void BipFD(int f, int d) override { Journal("BIPFD " + std::to_string(f) + " " + std::to_string(d)); }
    void JoueSon(const std::string& nom) override { Journal("SON " + nom); }
    void TitreFenetre(Fenetre, const std::string&) override {}
    Touche AttendreTouche() override { return ToucheDe(Reponse("echap")); }

    static Touche ToucheDe(const std::string& r) {
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

private:
    std::string Reponse(const char* parDefaut) {
        if (reponses.empty()) return parDefaut;
        std::string r = reponses.front();
        reponses.pop_front();
        return r;
    }
    static void Journal(const std::string& ligneCp1252) {
        std::string l = Cp1252VersUtf8(ligneCp1252) + "\n";
        std::fwrite(l.data(), 1, l.size(), stderr);
        std::fflush(stderr);
    }
    static void Dialogue(const std::string& titre, const std::vector<std::string>& lignes) {
        std::string l = "DIALOGUE " + titre;
        for (const std::string& t : lignes) l += " | " + t;
        Journal(l);
    }
};

struct Entree {
    enum Genre { Programme, Commandes, Texte } genre;
    std::string valeur;
};

struct Options {
    std::vector<Entree> entrees;
    std::string reponses, image, vue;
    bool analyse = false, pasAPas = false;
    int profondeur = -1;
};

void Usage() {
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

bool LireOptions(int argc, char** argv, Options& o) {
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
            o.entrees.push_back({Entree::Commandes, v});
        } else if (a == "-e") {
            if (!suivant(v)) return false;
            o.entrees.push_back({Entree::Texte, v});
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
            o.entrees.push_back({Entree::Programme, a});
        }
    }
    return true;
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

bool EnregistrerImage(const SurfaceQImage& s, const std::string& nom) {
    QImage copie;
    {
        QMutexLocker verrou(&s.Verrou());
        copie = s.Image().copy();
    }
    return copie.save(QString::fromLocal8Bit(nom.c_str()));
}

// La session entière ; rend le code de sortie.
int Session(const Options& o) {
    HoteSansEcran hote;
    int code = 0;
    if (!o.reponses.empty()) {
        std::string brut;
        if (!LireFlux(o.reponses, brut)) {
            std::fprintf(stderr, "gelim : impossible de lire les réponses « %s »\n", o.reponses.c_str());
            return 2;
        }
        for (const std::string& l : Lignes(VersCp1252(brut))) hote.reponses.push_back(l);
    }
    SurfaceQImage dessin, vue, precedent;
    // Les polices se chargent au démarrage, comme dans l'application : le
    // premier texte imprimé (dessiné aussi) n'en paie pas le prix.
    SurfaceQImage::PrechargerLaPolice();
    auto I = std::make_unique<Interp>(hote);
    I->dessin = &dessin;
    I->vue = &vue;
    I->precedent = &precedent;
    I->profondeurNativeMax = 500000;  // la pile de ce fil fait 1 Gio
    I->dossiersCharge.push_back(".");
    if (std::string exemples = DossierDesExemples(); !exemples.empty()) I->dossiersCharge.push_back(exemples);
    // La boîte d'information du démarrage.
    hote.AlerteOk(TitreDemarrage(), LignesDemarrage());
    DemarrerInterprete(*I);
    I->affichageAnalyse = o.analyse;
    if (o.pasAPas) I->pasapas->valeur = I->pgTrue;
    if (o.profondeur > 0) I->gProfondeurArbres = o.profondeur;
    InitialiserLaTortue(*I);
    ExecuterLaCommandeEnAttente(*I);  // premier affichage : cadre et tortue

    for (const Entree& e : o.entrees) {
        std::string brut;
        switch (e.genre) {
            case Entree::Programme:
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
            case Entree::Commandes:
                if (!LireFlux(e.valeur, brut)) {
                    std::fprintf(stderr, "gelim : impossible de lire « %s »\n", e.valeur.c_str());
                    code = 2;
                    break;
                }
                I->mode = 0;
                for (const std::string& l : Lignes(VersCp1252(brut))) ExecuterEtAttendre(*I, l);
                break;
            case Entree::Texte:
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
        bool ok = bmp ? SauverLeDessin(*I, o.image) : EnregistrerImage(dessin, o.image);
        if (!ok) {
            std::fprintf(stderr, "gelim : impossible d'enregistrer « %s »\n", o.image.c_str());
            code = 2;
        }
    }
    if (!o.vue.empty() && !EnregistrerImage(vue, o.vue)) {
        std::fprintf(stderr, "gelim : impossible d'enregistrer « %s »\n", o.vue.c_str());
        code = 2;
    }
    return code;
}

}  // namespace

int LancerSansEcran(int argc, char** argv) {
    Options o;
    if (!LireOptions(argc, argv, o)) {
        Usage();
        return 2;
    }
    // Pas d'écran : la plate-forme hors écran suffit aux polices et au dessin.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // La sortie d'erreur est le journal de ce que l'élève voit et entend : les
    // remarques de Qt n'y ont pas leur place.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    int code = 0;
    // L'interprète tourne sur un fil à grande pile : la récursion du programme de
    // l'élève est bornée par l'interprète, pas par la pile du système.
    std::unique_ptr<QThread> fil(QThread::create([&] { code = Session(o); }));
    fil->setStackSize(1024u * 1024u * 1024u);
    fil->start();
    fil->wait();
    return code;
}

}  // namespace gelim
