// Le contrat de « gelim --batch », partagé par le lanceur du bureau et celui
// pour Node : les mêmes entrées que l'élève donnerait, une seule session
// d'interprète, la fenêtre des messages sur la sortie standard et tout ce que
// l'élève verrait ou entendrait d'autre sur la sortie d'erreur.
#include "batch/contrat.h"

#include "batch/journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "objects/interp.h"
#include "shell/configuration.h"
#include "shell/pilote.h"
#include "turtle/tortue.h"

namespace gelim {

namespace {

// Un texte lu (fichier ou argument) : UTF-8 s'il est valide, page 1252 sinon.
std::string VersCp1252(const std::string& brut) {
    return EstUtf8Valide(brut) ? Utf8VersCp1252(brut.c_str()) : brut;
}

// Les commandes et les réponses : assez pour des milliers de lignes.
constexpr size_t kOctetsEntreeMax = size_t(64) << 20;

enum class Lecture { Lue, Introuvable, Dossier, TropGrosse, Coupee, Interrompue };

// Lit un fichier, un tube ou l'entrée standard (« - »), sans jamais prendre plus
// de limite octets : au-delà, Coupee (le début est rendu) ou TropGrosse.
// Un signal d'arrêt interrompt une lecture qui attend (arrete le dit).
Lecture LireFlux(const std::string& nom, std::string& contenu, size_t limite, bool couper,
                 const std::function<bool()>& arrete) {
    int fd = nom == "-" ? 0 : ::open(nom.c_str(), O_RDONLY | O_CLOEXEC);  // un tube attend son écrivain
    if (fd < 0) return errno == EINTR ? Lecture::Interrompue : Lecture::Introuvable;
    struct stat etat {};
    if (::fstat(fd, &etat) == 0 && S_ISDIR(etat.st_mode)) {
        if (fd != 0) ::close(fd);
        return Lecture::Dossier;
    }
    contenu.clear();
    Lecture r = Lecture::Lue;
    char tampon[65536];
    for (;;) {
        ssize_t n = ::read(fd, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR && !arrete()) continue;
        if (n < 0 && errno == EINTR) {
            r = Lecture::Interrompue;
            break;
        }
        if (n < 0) {
            r = Lecture::Introuvable;
            break;
        }
        if (n == 0) break;
        if (contenu.size() + size_t(n) > limite) {
            contenu.append(tampon, limite - contenu.size());
            r = couper ? Lecture::Coupee : Lecture::TropGrosse;
            break;
        }
        contenu.append(tampon, size_t(n));
    }
    if (fd != 0) ::close(fd);
    return r;
}

// Ce qui empêche de lire une entrée, dit sur la sortie d'erreur ; rend vrai si
// l'entrée est utilisable (un programme trop long l'est : coupé, il est dit tel).
bool EntreeLisible(Lecture r, const std::string& nom) {
    const char* format = nullptr;
    switch (r) {
        case Lecture::Lue:
        case Lecture::Coupee: return true;
        case Lecture::Introuvable: format = "gelim : impossible de lire « %s »\n"; break;
        case Lecture::Dossier: format = "gelim : « %s » est un dossier, pas un fichier\n"; break;
        case Lecture::TropGrosse: format = "gelim : « %s » est trop gros (plus de 64 Mio)\n"; break;
        case Lecture::Interrompue: format = "gelim : lecture de « %s » interrompue\n"; break;
    }
    ViderLeJournal();
    std::fprintf(stderr, format, nom.c_str());
    return false;
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

}  // namespace

// ------------------------------------------------------------ les options

void UsageLanceur() {
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
        "  --depth N            profondeur d'impression des arbres\n"
        "  --lines              les rapports d'erreur à l'exécution disent à quelle ligne\n"
        "  --timeout SECONDES   au-delà, le programme est arrêté comme par l'élève et tout est écrit\n",
        stderr);
}

bool LireOptionsLanceur(int argc, char** argv, OptionsLanceur& o) {
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
            o.entrees.push_back({EntreeLanceur::Commandes, v});
        } else if (a == "-e") {
            if (!suivant(v)) return false;
            o.entrees.push_back({EntreeLanceur::Texte, v});
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
        } else if (a == "--lines") {
            o.lignes = true;
        } else if (a == "--depth") {
            if (!suivant(v)) return false;
            char* fin = nullptr;
            long n = std::strtol(v.c_str(), &fin, 10);
            if (!fin || *fin) return false;
            o.profondeur = int(n < 3 ? 3 : (n > 100000 ? 100000 : n));
        } else if (a == "--timeout") {
            if (!suivant(v)) return false;
            char* fin = nullptr;
            double d = std::strtod(v.c_str(), &fin);
            if (!fin || *fin || !std::isfinite(d) || d <= 0 || d > 1e7) return false;
            o.delai = d;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return false;
        } else {
            o.entrees.push_back({EntreeLanceur::Programme, a});
        }
    }
    return true;
}

// ------------------------------------------------------------ la session

namespace {

// Le drapeau d'arrêt de l'interprète, donné à la face le temps des entrées.
class DrapeauDonne {
public:
    DrapeauDonne(FaceLanceur& face, std::atomic<bool>& drapeau) : face_(face) {
        if (face_.drapeauDArret) face_.drapeauDArret(&drapeau);
    }
    ~DrapeauDonne() {
        if (face_.drapeauDArret) face_.drapeauDArret(nullptr);
    }
    DrapeauDonne(const DrapeauDonne&) = delete;
    DrapeauDonne& operator=(const DrapeauDonne&) = delete;

private:
    FaceLanceur& face_;
};

// Les entrées, dans l'ordre, jusqu'à un arrêt venu du dehors ; code 2 pour
// une entrée illisible ou un programme trop long (coupé, il tourne quand même).
int ExecuterLesEntrees(Interp& I, const std::vector<EntreeLanceur>& entrees, const std::function<bool()>& arrete) {
    int code = 0;
    auto executer = [&](Interp::Mode mode, const std::string& texteCp1252) {
        if (texteCp1252.size() > kLongueurMaxAnalysee) code = 2;  // le pilote dit où il le coupe
        ExecuterDansLeMode(I, mode, texteCp1252);
    };
    for (const EntreeLanceur& e : entrees) {
        if (arrete()) break;
        ViderLeJournal();  // une lecture peut attendre (un tube, l'entrée standard)
        std::string brut;
        switch (e.genre) {
            case EntreeLanceur::Programme: {
                Lecture r = LireFlux(e.valeur, brut, kOctetsProgrammeMax, true, arrete);
                if (!EntreeLisible(r, e.valeur)) {
                    code = 2;
                    break;
                }
                if (r == Lecture::Coupee) OterSequenceIncomplete(brut);
                // Le dossier du programme sert aussi à « charge ».
                std::string dossier =
                    e.valeur.find('/') == std::string::npos ? "." : e.valeur.substr(0, e.valeur.rfind('/'));
                AjouterLeDossierDuProgramme(I, dossier);
                executer(Interp::Mode::Editeur, VersCp1252(brut));
                break;
            }
            case EntreeLanceur::Commandes:
                if (!EntreeLisible(LireFlux(e.valeur, brut, kOctetsEntreeMax, false, arrete), e.valeur)) {
                    code = 2;
                    break;
                }
                for (const std::string& l : Lignes(VersCp1252(brut))) {
                    if (arrete()) break;
                    executer(Interp::Mode::LigneDeCommande, l);
                }
                break;
            case EntreeLanceur::Texte: executer(Interp::Mode::LigneDeCommande, VersCp1252(e.valeur)); break;
        }
    }
    return code;
}

int Session(const OptionsLanceur& o, FaceLanceur& face) {
    auto motif = [&face] { return face.arretExterieur ? face.arretExterieur() : 0; };
    const std::function<bool()> arrete = [&motif] { return motif() != 0; };
    HoteScripte hote;
    hote.arretExterieur = [&arrete] {
        PeutEtreViderLeJournal();
        return arrete();
    };
    hote.ecrireJournal = AjouterAuJournal;
    // La fenêtre des messages est pleine : ses plus anciennes lignes sortent
    // aussitôt sur la sortie standard, dans l'ordre ; le reste suit à la fin.
    hote.ligneQuitteLesMessages = [](const std::string& ligne) {
        std::string l = Cp1252VersUtf8(ligne) + "\n";
        std::fwrite(l.data(), 1, l.size(), stdout);
    };
    if (!o.reponses.empty()) {
        std::string brut;
        if (!EntreeLisible(LireFlux(o.reponses, brut, kOctetsEntreeMax, false, arrete), o.reponses)) return 2;
        for (const std::string& l : Lignes(VersCp1252(brut))) hote.reponses.push_back(l);
    }
    Configuration c;
    c.dessin = face.dessin;
    c.vue = face.vue;
    c.precedent = face.precedent;
    c.profondeurNativeMax = ProfondeurPourLaPile(face.octetsDePile);
    if (!face.dossierExemples.empty()) c.dossiersCharge.push_back(face.dossierExemples);
    c.lignesDesErreurs = o.lignes;
    std::unique_ptr<Interp> I = CreerInterprete(hote, c);
    // La boîte d'information du démarrage.
    hote.AlerteOk(TitreDemarrage(), LignesDemarrage());
    DemarrerInterprete(*I);
    Regler(*I, Reglage::AffichageAnalyse, o.analyse);
    if (o.pasAPas) Regler(*I, Reglage::PasAPas, 1);
    if (o.profondeur > 0) Regler(*I, Reglage::ProfondeurArbres, o.profondeur);
    InitialiserLaTortue(*I);
    ExecuterLaCommandeEnAttente(*I);  // premier affichage : cadre et tortue

    int code = 0;
    {
        DrapeauDonne donne(face, DrapeauDArret(*I));
        code = ExecuterLesEntrees(*I, o.entrees, arrete);
    }
    // Ce qui arrive après les entrées n'arrête plus rien : tout est écrit.
    ViderLeJournal();
    const int arret = motif();
    if (arret == kArretTempsEcoule) {
        std::fprintf(stderr, "gelim : temps écoulé (--timeout %g s) : le programme a été arrêté.\n", o.delai);
        code = 124;
    } else if (arret > 0) {
        std::fprintf(stderr, "gelim : signal %d reçu : le programme a été arrêté.\n", arret);
        code = 128 + arret;
    }

    std::string sortie = Cp1252VersUtf8(MessagesDe(*I).Texte());
    std::fwrite(sortie.data(), 1, sortie.size(), stdout);
    std::fflush(stdout);
    if (!o.image.empty()) {
        bool bmp = o.image.size() >= 4 && (o.image.compare(o.image.size() - 4, 4, ".bmp") == 0 ||
                                           o.image.compare(o.image.size() - 4, 4, ".BMP") == 0);
        bool ok = bmp ? SauverLeDessin(*I, o.image) : face.enregistrerImage(*face.dessin, o.image);
        if (!ok) {
            std::fprintf(stderr, "gelim : impossible d'enregistrer « %s »\n", o.image.c_str());
            if (code == 0) code = 2;
        }
    }
    if (!o.vue.empty() && !face.enregistrerImage(*face.vue, o.vue)) {
        std::fprintf(stderr, "gelim : impossible d'enregistrer « %s »\n", o.vue.c_str());
        if (code == 0) code = 2;
    }
    return code;
}

}  // namespace

int SessionLanceur(const OptionsLanceur& o, FaceLanceur& face) {
    try {
        return Session(o, face);
    } catch (const std::bad_alloc&) {
        ViderLeJournal();
        std::fputs("gelim : mémoire épuisée.\n", stderr);
        return 2;
    }
}

}  // namespace gelim
