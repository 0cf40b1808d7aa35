// Le pilote des commandes, partagé par le bureau et le lanceur sans écran.
#include "shell/pilote.h"

#include <algorithm>
#include <new>

#include "eval/eval.h"
#include "objects/imprime.h"
#include "primitives/primitives.h"
#include "syntax/analyse.h"
#include "text/messages.h"
#include "turtle/images.h"
#include "turtle/tortue.h"

namespace gelim {

// Au-delà, un fichier qui se charge lui-même (directement ou non) est arrêté.
constexpr int kProfondeurChargeMax = 40;

void DemarrerInterprete(Interp& I) {
    I.fenetresExistent = true;
    InstallerEnvironnementDeBase(I);
}

// Le texte au-delà de kLongueurMaxAnalysee caractères ne tient pas dans le
// tampon d'analyse : il a été coupé, et l'élève apprend où (lignes comptées
// depuis 0, comme dans les rapports de syntaxe). Les deux faces et « charge »
// le disent avec les mêmes mots.
static void DireOuLeTexteEstCoupe(Interp& I, const std::string& texteCoupe) {
    Ecrit(I, "Ce programme est trop long (plus de 64998 caractères) : je le coupe à la ligne ");
    EcritEntier(I, long(std::count(texteCoupe.begin(), texteCoupe.end(), '\n')));
    EcritLigne(I, ".");
}

static void CollecteSilencieuse(Interp& I) {
    I.Recuperation(false);
}

// Entre deux commandes, quand il reste moins d'un quart des cellules, le pilote
// collecte de lui-même, sans message : les arbres des commandes passées sont repris.
static void CollecteSilencieuseSiBesoin(Interp& I) {
    if (I.NbCellulesLibres < kNbCellules / 4) CollecteSilencieuse(I);
}

// Une commande qui manque de mémoire s'arrête là, sans rien dérouler d'autre :
// ce que l'évaluation tenait en cours de route est oublié, la session continue.
static void ApresManqueDeMemoire(Interp& I) {
    I.racines.clear();
    I.modeTexteGraphique = false;
    I.profondeurCharge = 0;
    I.gProfondeurPasAPas = 0;
    I.profondeurNative = 0;
    if (!I.messages.lignes.back().empty()) FinDeLigne(I);
    EcritLigne(I, "Il n'y a plus assez de mémoire pour cette commande : elle s'arrête ici.");
}

// Ce que l'analyse écrit quand la réserve s'épuise (syntax/trace_rapports.cpp).
static const std::string& LigneDEpuisement() {
    return TXT("Il n'y a plus assez de cellules pour analyser ce programme : je ne l'exécute pas.");
}

// L'analyse d'une commande, entre deux commandes. Une analyse qui échoue ne
// laisse rien d'accessible : ses cellules sont reprises selon la même règle
// silencieuse qu'après une exécution. Quand la réserve s'épuise pendant
// l'analyse, le pilote collecte et recommence une fois avant de refuser ; le
// premier essai n'en dit rien (ni boîte, ni ligne). Avec l'affichage de
// l'analyse, la trace déjà écrite ne se recommence pas : pas de second essai.
static void AnalyserLaCommande(Interp& I, const std::string& texte) {
    const uint64_t boites = I.nbBoitesErreur;
    const size_t lignes = I.messages.lignes.size();
    const bool reprise = !I.affichageAnalyse;
    // Le premier essai se tait ; une analyse, elle, ne montre qu'une boîte (un
    // texte trop grand est un seul manque, quel que soit le nombre de cellules).
    const int32_t uneSeule = Interp::kBoitesDEpuisementMax - 1;
    I.epuisementsMontres = reprise ? Interp::kBoitesDEpuisementMax : uneSeule;
    AnalyseLeTexte(I);
    I.epuisementsMontres = uneSeule;
    if (reprise && I.analyseSansCellules) {
        if (I.nbBoitesErreur != boites) {
            // Une erreur de syntaxe avait déjà parlé : le second essai la redirait.
            I.SignalerEpuisement();
        } else {
            auto& l = I.messages.lignes;
            for (size_t i = l.size(); i-- > 0 && i + 1 >= lignes;) {
                if (l[i] != LigneDEpuisement()) continue;
                l.erase(l.begin() + long(i));
                ++I.messages.version;
                I.hote.MessagesModifies();
                break;
            }
            CollecteSilencieuse(I);
            RemplirTexteAAnalyser(I, texte);  // le lexer y a posé la marque de fin
            AnalyseLeTexte(I);
        }
    }
    if (I.gArbreDuProgramme == I.pgCestFaux) CollecteSilencieuseSiBesoin(I);
}

void ExecuterLaCommande(Interp& I, const std::string& texte) {
    try {
        std::string t = texte.substr(0, kLongueurMaxAnalysee + 1);
        const bool tropLong = t.size() > kLongueurMaxAnalysee;
        if (tropLong) t.pop_back();
        RemplirTexteAAnalyser(I, t);
        EcritLigne(I, t);
        if (tropLong) DireOuLeTexteEstCoupe(I, t);
        AnalyserLaCommande(I, t);
    } catch (const std::bad_alloc&) {
        I.gArbreDuProgramme = I.pgCestFaux;
        I.gErreurAnalyse = true;
        ApresManqueDeMemoire(I);
        return;
    }
    if (I.gArbreDuProgramme == I.pgCestFaux) return;
    I.commandeEnAttente = true;
    I.hote.DessinModifie();
}

static void RafraichirLaVue(Interp& I) {
    if (!I.dessin || !I.vue) return;
    DessinerLeCadre(I);
    I.vue->CopierDepuis(*I.dessin);
    DessinerLaTortue(I);
    I.hote.DessinModifie();
}

void ExecuterLaCommandeEnAttente(Interp& I) {
    if (!I.commandeEnAttente) {
        RafraichirLaVue(I);
        return;
    }
    if (I.mode == Interp::Mode::Editeur) {
        BlanchirLesSurfaces(I);
        InitialiserLaTortue(I);
    } else {
        if (I.precedent && I.dessin) I.precedent->CopierDepuis(*I.dessin);
        SauverLaTortue(I);
        I.instructionEffacable = true;
    }
    AppliquerLeCrayon(I);
    if (I.vue) I.vue->BrosseCreuse();
    if (I.dessin) I.dessin->BrosseCreuse();
    if (I.gErreurAnalyse) return;

    I.NbErreursExecution = 0;
    I.DemandeDeRecuperation = false;
    PreparerCommande(I);
    try {
        Objet* resultat = EvalPasAPas(I, I.gArbreDuProgramme);

        int pos = I.gPosAnalyse;
        if (pos != 0 && pos >= 0 && size_t(pos) < I.ChaineBrute.size() && I.ChaineBrute[size_t(pos)] != I.marqueFin) {
            EcritLigne(I, " Dans l'ordre que tu me donnes, il reste encore à traiter : ");
            MontreLaSuite(I);
            EcritLigne(I, "Si tu veux me donner plusieurs instructions à la fois, encadre-les par des crochets.");
        }
        if (I.EstMarqueur(resultat)) {
            resultat = CEL(CEL(resultat)->cdr)->car;
            EcritLigne(I, "Le 'return' ne doit être utilisé qu'à l'intérieur d'une procédure.");
        }
        if (resultat != I.pgNil) {
            EcritLigne(I, "Que faire de : ");
            ImprimeLigne(I, resultat);
        }
        VerifierLeBordDuCadre(I);
        if (I.DemandeDeRecuperation) I.Recuperation();
    } catch (const std::bad_alloc&) {
        ApresManqueDeMemoire(I);
    }
    I.commandeEnAttente = false;
    I.arretDemande = false;
    CollecteSilencieuseSiBesoin(I);
    RafraichirLaVue(I);
}

void ExecuterEtAttendre(Interp& I, const std::string& texte) {
    ExecuterLaCommande(I, texte);
    if (I.commandeEnAttente) ExecuterLaCommandeEnAttente(I);
}

void ChargerEtExecuter(Interp& I, const std::string& nom) {
    std::string texte;
    bool utf8 = false;
    LectureProgramme lu = LireFichierProgramme(nom, texte, utf8);
    for (size_t i = 0; lu == LectureProgramme::Introuvable && i < I.dossiersCharge.size(); ++i)
        lu = LireFichierProgramme(I.dossiersCharge[i] + "/" + nom, texte, utf8);
    if (lu == LectureProgramme::Introuvable) {
        Ecrit(I, "Erreur en ouverture ");
        EcritLigne(I, nom);
        return;
    }
    if (lu == LectureProgramme::PasUnFichier) {
        Ecrit(I, "Ce n'est pas un fichier ordinaire, je ne le charge pas : ");
        EcritLigne(I, nom);
        return;
    }
    if (I.profondeurCharge >= kProfondeurChargeMax) {
        Ecrit(I, "Trop de fichiers chargés les uns dans les autres, je ne charge pas : ");
        EcritLigne(I, nom);
        return;
    }
    if (texte.size() > kLongueurMaxAnalysee) {
        texte.resize(kLongueurMaxAnalysee);
        DireOuLeTexteEstCoupe(I, texte);
    }
    ++I.profondeurCharge;
    RemplirTexteAAnalyser(I, texte);
    AnnoncerUnFichier(I, nom);
    AnalyseLeTexte(I);
    if (I.gArbreDuProgramme != I.pgCestFaux) EvalPasAPas(I, I.gArbreDuProgramme);
    --I.profondeurCharge;
}

int ExecuterDansLeMode(Interp& I, Interp::Mode mode, const std::string& texte) {
    I.mode = mode;
    I.ligneFautive = -1;
    ExecuterLaCommande(I, texte);
    const int ligne = I.gArbreDuProgramme == I.pgCestFaux ? I.ligneFautive : -1;
    if (I.commandeEnAttente) ExecuterLaCommandeEnAttente(I);
    return ligne;
}

void GommerLaDerniereInstruction(Interp& I, Interp::Mode mode) {
    I.mode = mode;
    if (I.mode == Interp::Mode::Editeur) {
        I.hote.AlerteOk(TXT("N  O  N,   D  E  S  O  L  E"), {TXT("Je ne peux pas effacer car ..."),
                                                             TXT("... tu travailles dans l'éditeur de programmes.")});
        return;
    }
    if (!I.instructionEffacable) {
        I.hote.AlerteOk(TXT("N  O  N,   J ' A I   D E J A   E F F A C E   U N E   I N S T R U C T I O N"),
                        {TXT("Je ne peux effacer encore une instruction ! Apprends"),
                         TXT("plutôt à travailler dans l'éditeur de programmes.")});
        return;
    }
    RestaurerLaTortue(I);
    if (I.dessin && I.precedent) I.dessin->CopierDepuis(*I.precedent);
    I.instructionEffacable = false;
    RafraichirLaVue(I);
}

void DemanderLArret(Interp& I) {
    I.arretDemande = true;
}

std::atomic<bool>& DrapeauDArret(Interp& I) {
    return I.arretDemande;
}

void PoserEnBasAGauche(Interp& I, const ImageRGB& image) {
    for (Surface* s : {I.dessin, I.vue})
        if (s) s->CollerImage(0, s->Hauteur() - image.hauteur, image.largeur, image.hauteur, image.pixels);
    I.hote.DessinModifie();
}

const FenetreMessages& MessagesDe(const Interp& I) {
    return I.messages;
}

int64_t NombresVivants(const Interp& I) {
    return I.nbNombresVivants;
}

int64_t NombresVivantsAffiches(const Interp& I) {
    return I.nbNombresVivantsAffiche.load(std::memory_order_relaxed);
}

bool InstructionEffacable(const Interp& I) {
    return I.instructionEffacable;
}

const EtatTortue& TortueDe(const Interp& I) {
    return I.tortue;
}

const std::array<Couleur, 256>& CouleursDe(const Interp& I) {
    return I.tableCouleurs;
}

bool DansLaCommandeEnCours(const Interp& I, const Lieu& l) {
    return l.texte == I.lieux.texteDeLaCommande;
}

std::string TitreDemarrage() {
    return TXT("C O M M E N C E R   A V E C   L ' I N T E R P R E T E U R");
}

std::vector<std::string> LignesDemarrage() {
    static const char* lignes[] = {
        " D E S S I N E R   U N   C A R R E !",
        "Pour commander à la tortue d'avancer puis de tourner à",
        "droite, dans la ligne de commande, en haut à gauche, taper :",
        "",
        "av(123); td(90);",
        "",
        "Ensuite, cliquer 4 fois sur l'éclair dans la barre de boutons.",
        "____________________________________________________________",
        "",
        "\tLES PRINCIPALES COMMANDES ",
        "",
        "av(78);\tavance la tortue, de 78 pixels, droit devant.",
        "re(45);\trecule la tortue, de 45 pixels, droit derrière.",
        "td(90);\tla tortue tourne sur place de 90° à droite.",
        "tg(90);\tla tortue tourne sur place de 90° à gauche.",
        "ve();  \tvide l'écran, ramène la tortue, initialise tout.",
        "lc();  \tleve le crayon (la tortue avance sans tracer).",
        "bc();  \tbaisse le crayon (la tortue avance et trace).",
        "ct();  \tcache la tortue  : on ne la voit plus !",
        "mt();  \tmontre la tortue : ouf, on la voit à nouveau !",
        "______________________________",
        "",
        "Pour voir une démonstation dans chacuns des domaines suivants : ",
        ".256 .3D .don .FDU .gra .ite .jeu .ln .c .lst .mus .num .per .rec,",
        "Exécutez le fichier chargeur correspondant :",
        "   Exemple 1 : 'chargeur.gra' : voir des exemples de graphisme !",
        "   Exemple 2 : 'chargeur.256' : voir des dessins en 256 couleurs !",
    };
    std::vector<std::string> v;
    for (const char* l : lignes) v.push_back(Utf8VersCp1252(l));
    return v;
}

}  // namespace gelim
