// Le contrat de « gelim --batch », partagé par le lanceur du bureau et celui
// pour Node : les mêmes entrées que l'élève donnerait, une seule session
// d'interprète, la fenêtre des messages sur la sortie standard et tout ce que
// l'élève verrait ou entendrait d'autre sur la sortie d'erreur.
#include "batch/contrat.h"

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
#include "shell/pilote.h"
#include "turtle/tortue.h"

namespace gelim {

namespace {

void Journal(const std::string& ligneCp1252) {
    std::string l = Cp1252VersUtf8(ligneCp1252) + "\n";
    std::fwrite(l.data(), 1, l.size(), stderr);
    std::fflush(stderr);
}

void Dialogue(const std::string& titre, const std::vector<std::string>& lignes) {
    std::string l = "DIALOGUE " + titre;
    for (const std::string& t : lignes) l += " | " + t;
    Journal(l);
}

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

// ------------------------------------------------------------ l'hôte

void HoteScripte::LigneQuitteLesMessages(const std::string& ligne) {
    std::string l = Cp1252VersUtf8(ligne) + "\n";
    std::fwrite(l.data(), 1, l.size(), stdout);
}

void HoteScripte::MontrerBoiteErreur(const BoiteErreur& b) {
    std::string l = "DIALOGUE " + b.titre;
    for (const RangeeBoite& r : b.rangees) l += " | " + (r.etiquette.empty() ? r.texte : r.etiquette + " " + r.texte);
    Journal(l);
}

int HoteScripte::AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) {
    Dialogue(titre, lignes);
    return 1;
}

int HoteScripte::QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) {
    Dialogue(titre, lignes);
    return Reponse("oui") == "non" ? 2 : 1;
}

void HoteScripte::BoiteMessage(const std::string& titre, const std::string& texte) {
    Dialogue(titre, {texte});
}

ReponsePasAPas HoteScripte::BoitePasAPas(const std::string& titre, const std::string& texte) {
    Dialogue(titre, {texte});
    std::string r = Reponse("reessayer");
    if (r == "abandonner") return ReponsePasAPas::Abandonner;
    if (r == "ignorer") return ReponsePasAPas::Ignorer;
    return ReponsePasAPas::Reessayer;
}

bool HoteScripte::Saisie(const std::string& titre, const std::string& invite, std::string& texte) {
    if (ArretDemande()) return false;  // le programme s'arrête : la boîte ne s'ouvre pas
    Dialogue(titre, {invite});
    std::string r = Reponse("<annuler>");
    if (r == "<annuler>") return false;
    texte = r.substr(0, 60);  // le champ de saisie prend 60 caractères
    return true;
}

// Un bip, quel qu'il soit (défaut ou exclamation), est une ligne « BIP » du journal.
void HoteScripte::Beep(Bip) {
    Journal("BIP");
}

void HoteScripte::BipFD(int f, int d) {
    Journal("BIPFD " + std::to_string(f) + " " + std::to_string(d));
}

void HoteScripte::JoueSon(const std::string& nom) {
    Journal("SON " + nom);
}

Touche HoteScripte::AttendreTouche() {
    if (ArretDemande()) return Touche{};  // Aucune : le programme s'arrête
    return ToucheDe(Reponse("echap"));
}

Touche HoteScripte::ToucheDe(const std::string& r) {
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

std::string HoteScripte::Reponse(const char* parDefaut) {
    if (reponses.empty()) return parDefaut;
    std::string r = reponses.front();
    reponses.pop_front();
    return r;
}

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
    auto executer = [&](const std::string& texteCp1252) {
        if (texteCp1252.size() > kLongueurMaxAnalysee) code = 2;  // le pilote dit où il le coupe
        ExecuterEtAttendre(I, texteCp1252);
    };
    for (const EntreeLanceur& e : entrees) {
        if (arrete()) break;
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
                I.dossiersCharge.insert(I.dossiersCharge.begin() + 1, dossier);
                I.mode = 1;
                executer(VersCp1252(brut));
                break;
            }
            case EntreeLanceur::Commandes:
                if (!EntreeLisible(LireFlux(e.valeur, brut, kOctetsEntreeMax, false, arrete), e.valeur)) {
                    code = 2;
                    break;
                }
                I.mode = 0;
                for (const std::string& l : Lignes(VersCp1252(brut))) {
                    if (arrete()) break;
                    executer(l);
                }
                break;
            case EntreeLanceur::Texte:
                I.mode = 0;
                executer(VersCp1252(e.valeur));
                break;
        }
    }
    return code;
}

int Session(const OptionsLanceur& o, FaceLanceur& face) {
    auto motif = [&face] { return face.arretExterieur ? face.arretExterieur() : 0; };
    const std::function<bool()> arrete = [&motif] { return motif() != 0; };
    HoteScripte hote;
    hote.arretExterieur = arrete;
    if (!o.reponses.empty()) {
        std::string brut;
        if (!EntreeLisible(LireFlux(o.reponses, brut, kOctetsEntreeMax, false, arrete), o.reponses)) return 2;
        for (const std::string& l : Lignes(VersCp1252(brut))) hote.reponses.push_back(l);
    }
    auto I = std::make_unique<Interp>(hote);
    I->dessin = face.dessin;
    I->vue = face.vue;
    I->precedent = face.precedent;
    I->profondeurNativeMax = face.profondeurNativeMax;
    I->dossiersCharge.push_back(".");
    if (!face.dossierExemples.empty()) I->dossiersCharge.push_back(face.dossierExemples);
    // La boîte d'information du démarrage.
    hote.AlerteOk(TitreDemarrage(), LignesDemarrage());
    DemarrerInterprete(*I);
    I->affichageAnalyse = o.analyse;
    if (o.pasAPas) I->pasapas->valeur = I->pgTrue;
    I->lignesDesErreurs = o.lignes;
    if (o.profondeur > 0) I->gProfondeurArbres = o.profondeur;
    InitialiserLaTortue(*I);
    ExecuterLaCommandeEnAttente(*I);  // premier affichage : cadre et tortue

    int code = 0;
    {
        DrapeauDonne donne(face, I->arretDemande);
        code = ExecuterLesEntrees(*I, o.entrees, arrete);
    }
    // Ce qui arrive après les entrées n'arrête plus rien : tout est écrit.
    const int arret = motif();
    if (arret == kArretTempsEcoule) {
        std::fprintf(stderr, "gelim : temps écoulé (--timeout %g s) : le programme a été arrêté.\n", o.delai);
        code = 124;
    } else if (arret > 0) {
        std::fprintf(stderr, "gelim : signal %d reçu : le programme a été arrêté.\n", arret);
        code = 128 + arret;
    }

    std::string sortie = Cp1252VersUtf8(I->messages.Texte());
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
        std::fputs("gelim : mémoire épuisée.\n", stderr);
        return 2;
    }
}

}  // namespace gelim
