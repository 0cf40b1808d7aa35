// L'interprète : un seul objet possède tout l'état (réserve de cellules,
// lexique, tampons, pile des environnements, tortue, drapeaux). Pas de
// variable globale modifiable : un test crée un interprète neuf.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "objects/hote.h"
#include "objects/objets.h"
#include "syntax/lieux.h"
#include "turtle/surface.h"

namespace gelim {

constexpr int kNbCellules = 300000;
constexpr int kTailleTampon = 65000;
constexpr int kProfondeurMaxEnv = 800;
constexpr int kProfondeurMaxAnalyse = 1234;
// Le plus long texte analysé (la marque de fin et le NUL tiennent après) ;
// c'est aussi la borne d'un mot bâti par un programme.
constexpr size_t kLongueurMaxAnalysee = kTailleTampon - 2;
// Un fichier programme plus gros (au plus 4 octets UTF-8 par caractère, et la
// marque d'ordre des octets) donne certainement plus que l'analyse n'en prend.
constexpr size_t kOctetsProgrammeMax = 4 * (kLongueurMaxAnalysee + 1) + 3;

// Une imbrication d'évaluation prend au pire ~260 octets de pile native, même
// sous AddressSanitizer : avec 512 par imbrication, la borne que tient une pile.
constexpr int ProfondeurPourLaPile(size_t octetsDePile) {
    return int(std::min(octetsDePile / 512, size_t(1) << 30));
}

// Ligne du texte analysé : début dans le texte, premier jeton, un après le dernier.
struct MemoEditLigInfo {
    int32_t debut = 0;  // indice dans gTexteAAnalyser
    int32_t premier = 0;
    int32_t fin = 0;
};

// Modèle de la fenêtre des messages : lignes, le curseur toujours au bout.
struct FenetreMessages {
    std::deque<std::string> lignes{std::string()};
    size_t limiteLignes = 200000;  // au-delà, les plus anciennes lignes partent
    uint64_t version = 0;          // change à chaque écriture (pour l'affichage)
    std::string Texte() const;     // lignes jointes par « \n »
};

// État de la tortue (et son instantané pour gommer la dernière instruction).
struct EtatTortue {
    double cap = 0;  // radians, 0 vers le haut, sens des aiguilles d'une montre
    float x = 0, y = 0;
    float curseurX = 0, curseurY = 0;
    bool crayonBaisse = true;
    bool montree = true;
    Couleur couleurCrayon{0, 0, 0};
    int32_t numeroCouleur = 0;
    int32_t largeurCrayon = 1;
};

// Mode d'épreuve : voir docs/evaluation.md. Hors de cette construction, rien ne
// s'exécute de plus à chaque nombre pris.
bool EpreuveDemandee();  // construit avec GELIM_STRESS, et GELIM_EPREUVE=1 dans l'environnement
// Les objets repris en mode d'épreuve, dans l'ordre ; vrai pour un nombre.
struct QuarantaineEpreuve {
    std::deque<std::pair<Objet*, bool>> file;
    ~QuarantaineEpreuve();  // lève le poison de tous
};
#ifdef GELIM_STRESS
#define GELIM_EPREUVE_A_CHAQUE_NOMBRE() \
    if (epreuve) CollecteHorsReserve()
#else
#define GELIM_EPREUVE_A_CHAQUE_NOMBRE() ((void)0)
#endif

struct Interp {
    explicit Interp(Hote& hote);
    ~Interp();
    Interp(const Interp&) = delete;
    Interp& operator=(const Interp&) = delete;

    Hote& hote;

    // ---- Mémoire des objets ----
    std::vector<Cellule> pgTabpNoeudBinaire;  // les 300000 cellules
    Cellule* pgPremiereCelluleLibre = nullptr;
    int32_t NbCellulesLibres = 0;
    // Les boîtes d'épuisement des cellules montrées dans la commande : une à
    // chaque manque, dix au plus (une boucle qui insiste en ouvrirait des milliers).
    static constexpr int32_t kBoitesDEpuisementMax = 10;
    int32_t epuisementsMontres = 0;

    // Objets distingués.
    Cellule* pgNilCel = nullptr;
    Objet* pgNil = nullptr;
    Objet* pgFalse = nullptr;
    Objet* pgTrue = nullptr;
    Objet* pgCestFaux = nullptr;
    Objet* pgCestVrai = nullptr;
    Objet* pgValeurIndefinie = nullptr;
    Objet* pgValeurFDUProtoIndefinie = nullptr;
    Flottant* pgZero = nullptr;
    Flottant* pgUn = nullptr;

    // Objets pré-faits souvent utilisés.
    Nom* lettres[128] = {};  // a..z, A..Z
    Nom* pasapas = nullptr;
    Nom* touches[13] = {};  // touchegauche .. toucheespace (dans l'ordre de création)
    Objet* sepVirgule = nullptr;
    Objet* sepPointVirgule = nullptr;
    Objet* sepEgal = nullptr;
    Objet* sepParOuvrante = nullptr;
    Objet* sepParFermante = nullptr;
    Objet* sepAccOuvrante = nullptr;
    Objet* sepAccFermante = nullptr;
    Objet* sepCroOuvrant = nullptr;
    Objet* sepCroFermant = nullptr;
    Objet* sepInt = nullptr;
    Objet* sepElse = nullptr;
    Objet* marqueFin = nullptr;  // la_marque_de_fin_du_programme
    Objet* sepReturn = nullptr;
    Objet* sepReturned = nullptr;
    ParamDeFDU* params[8] = {};
    // Primitives nommées par le code (les synonymes partagent un code : la première créée).
    std::unordered_map<uint16_t, Fonc*> primitives;
    Fonc* Prim(uint16_t code) const { return primitives.at(code); }

    // Nombres : réserve, quarantaine des nombres « détruits », compte des vivants.
    std::vector<std::unique_ptr<Flottant[]>> blocsNombres;
    Flottant* nombresLibres = nullptr;
    std::vector<Flottant*> quarantaine;
    int64_t nbNombresVivants = 0;
    // Copie du compte lisible par le fil de l'interface, qui l'affiche dans le titre
    // de la fenêtre graphique à son rythme (pas d'appel à l'hôte par nombre créé).
    std::atomic<int64_t> nbNombresVivantsAffiche{0};
    // Cellules des marqueurs de « return » (hors de la réserve).
    std::vector<std::unique_ptr<Cellule[]>> blocsMarqueurs;
    Cellule* marqueursLibres = nullptr;
    size_t nbMarqueursPris = 0;
    size_t seuilCollecteHors = 1 << 18;
    size_t nombresDepuisCollecte = 0;
    // Un bloc de nombres (4096, 256 Kio) entre deux collectes tant que peu
    // vivent : les mêmes pages resservent au lieu d'en toucher de neuves. Sur
    // un million d'additions, les collectes en plus coûtent moins que les 200
    // pages neuves qu'elles évitent.
    static constexpr size_t kSeuilNombresMin = 1 << 12;
    size_t seuilNombres = kSeuilNombresMin;
    // Racines supplémentaires (valeurs tenues par le code C++ pendant une évaluation).
    std::vector<Objet*> racines;
    // Mode d'épreuve (construit avec GELIM_STRESS, allumé par GELIM_EPREUVE=1) :
    // collecte à chaque nombre pris, objets repris gardés empoisonnés un temps.
    // La file est déclarée après les blocs : détruite avant eux, elle lève le poison.
    bool epreuve = EpreuveDemandee();
    QuarantaineEpreuve empoisonnes;
    void Empoisonner(Objet* x);         // nombre ou marqueur que plus rien ne doit désigner
    std::vector<uint32_t> survivantes;  // cellules de la réserve gardées par le dernier balayage

    // ---- Lexique ----
    std::vector<MyString*> Lexique;
    std::unordered_map<std::string, MyString*> indexLexique;
    // Les objets du lexique n'ont pas de destructeur virtuel : on détruit selon l'étiquette.
    struct DestructeurObjet {
        void operator()(MyString* o) const;
    };
    std::vector<std::unique_ptr<MyString, DestructeurObjet>> proprietes;  // objets du lexique possédés
    std::vector<Objet*> ChaineBrute;
    size_t nbObjetsDemarrage = 0;

    // ---- Messages ----
    FenetreMessages messages;
    std::string pStrLast;
    bool modeTexteGraphique = false;
    int32_t NbErreursExecution = 0;
    uint64_t nbBoitesErreur = 0;  // boîtes d'erreur montrées : le pilote sait si une analyse a parlé
    std::vector<MemoEditLigInfo> TabMemoEditLigInfo;
    uint32_t InxFreeNextTabMemoEditLigInfo = 0;
    int32_t ligneFautive = -1;  // la dernière ligne montrée par AfficheLaLigneFautive (les faces la montrent)
    bool fenetresExistent = false;

    // ---- Impression ----
    int32_t gProfondeurArbres = 8;

    // ---- Analyse ----
    std::vector<char> gTexteAAnalyser;  // 65000 octets, terminé par NUL
    int32_t gPosAnalyse = 0;
    bool gErreurAnalyse = false;
    Objet* gArbreDuProgramme = nullptr;
    bool affichageAnalyse = false;

    // ---- Évaluation ----
    std::array<Env*, kProfondeurMaxEnv + 2> pgTabpEnv{};
    int32_t gProfondeurEnv = -1;
    std::vector<Env> pileEnv;  // réserve LIFO des enregistrements d'activation
    size_t hautPileEnv = 0;
    int32_t gProfondeurPasAPas = 0;
    int32_t profondeurNative = 0;  // imbrication des évaluations (pile native)
    // Borne de l'évaluateur, tirée de la pile du fil qui évalue (8 Mio sans
    // autre indication) ; chaque face la donne par sa configuration.
    int32_t profondeurNativeMax = ProfondeurPourLaPile(size_t(8) << 20);
    int32_t depassementsMontres = 0;  // boîtes du dépassement de la pile montrées dans la commande
    bool profondeurNativeSignalee = false;
    std::atomic<bool> arretDemande{false};  // l'élève a demandé l'arrêt (posé par un autre fil)
    bool arretSignale = false;
    int32_t profondeurCharge = 0;

    // ---- Tortue et dessin ----
    EtatTortue tortue;
    EtatTortue instantane;
    int32_t champClos = 1;
    std::array<Couleur, 256> tableCouleurs{};
    int32_t sourisX = 0, sourisY = 0;
    Surface* dessin = nullptr;               // le dessin courant (1000 x 1000)
    Surface* vue = nullptr;                  // la vue de la fenêtre graphique
    Surface* precedent = nullptr;            // le dessin d'avant la dernière commande
    int vueDecalageX = 0, vueDecalageY = 0;  // toujours 0 : la vue a la géométrie du dessin
    bool instructionEffacable = false;

    // ---- Pilote ----
    // Ligne de commande : les dessins s'accumulent ; éditeur : chaque programme part d'une page blanche.
    enum class Mode { LigneDeCommande = 0, Editeur = 1 } mode = Mode::LigneDeCommande;
    bool commandeEnAttente = false;
    bool DemandeDeRecuperation = false;
    std::string nomSysteme = "Linux";
    // La graine de « random » : départ comme après srand(1), propre à chaque interprète.
    uint32_t graineHasard = 1;
    // Dossiers où « charge » cherche un fichier introuvable tel quel (exemples installés...).
    std::vector<std::string> dossiersCharge;

    // ---- Outils de base (objects/) ----
    const std::string& TexteDe(Objet* x);  // le nom d'un atome
    // Un nombre de la liste des libres (en ligne : c'est le cœur des calculs),
    // remplie au besoin par la collecte ou par un nouveau bloc.
    Flottant* PrendreNombre() {
        GELIM_EPREUVE_A_CHAQUE_NOMBRE();
        if (!nombresLibres) [[unlikely]]
            RemplirNombresLibres();
        Flottant* f = nombresLibres;
        nombresLibres = f->suivantLibre;
        f->suivantLibre = nullptr;
        ++nombresDepuisCollecte;
        f->tag = kTagFlottant;
        f->formatF = 0;
        f->nomAJour = 0;
        f->libere = 0;
        f->marqueNb = 0;
        f->retourFrais = 0;
        return f;
    }
    void RemplirNombresLibres();
    Flottant* NouveauNombre(float v) {  // depuis une valeur : Etat 0, compté
        Flottant* f = PrendreNombre();
        f->valeur = v;
        f->etat = EtatConstant;
        ++nbNombresVivants;
        nbNombresVivantsAffiche.store(nbNombresVivants, std::memory_order_relaxed);
        return f;
    }
    Flottant* NouveauNombreTemporaire(float v) {  // résultat d'une primitive numérique
        Flottant* f = NouveauNombre(v);
        f->etat = EtatTemporaire;
        return f;
    }
    Flottant* NombreDuTexte(const std::string& texte);  // littéral du lexer (non compté)
    // Destruction au sens de l'interprète : le nombre n'est pas rendu tout de
    // suite, la collecte hors réserve le reprendra quand plus rien ne le désignera.
    void DetruireNombre(Flottant* f) {
        if (f->libere || f == pgZero || f == pgUn) return;
        f->libere = 1;
        --nbNombresVivants;
        nbNombresVivantsAffiche.store(nbNombresVivants, std::memory_order_relaxed);
    }
    void LibereSiTemporaire(Objet* x) {
        if (EstFlottant(x) && FLO(x)->etat == EtatTemporaire) DetruireNombre(FLO(x));
    }
    void LibereSiPossede(Objet* x) {
        if (EstFlottant(x) && FLO(x)->etat == EtatPossede) DetruireNombre(FLO(x));
    }
    bool EstFaux(Objet* x) const { return x == pgFalse || x == pgNil || (EstFlottant(x) && FLO(x)->valeur == 0.0f); }
    Objet* mp(Objet* x, Objet* liste);  // la seule façon de bâtir une cellule
    void SignalerEpuisement();          // la boîte de la réserve épuisée, dix au plus par commande
    Objet* Marqueur(Objet* v);          // (returned v), hors de la réserve
    bool EstMarqueur(Objet* x) const { return EstCellule(x) && x != pgNil && CEL(x)->car == sepReturned; }
    Objet* Car(Objet* x);  // avec le rapport « Car »
    Objet* Cdr(Objet* x);  // avec le rapport « Cdr »
    // Marquage et balayage ; le balayage écrit le compte des libres si ecrire.
    void Recuperation() { Recuperation(fenetresExistent); }
    void Recuperation(bool ecrire);
    void Balayage(bool ecrire);
    int NbCellulesLibresActuelles() const;
    void CollecteHorsReserve();    // nombres en quarantaine et marqueurs
    Env* NouvelEnv(int nbParams);  // pris dans la pile LIFO
    void RendreEnv(Env* e);        // le dernier pris

    // ---- Lexique (objects/lexique.cpp) ----
    MyString* Cherche(const std::string& texte) const;
    bool Ajoute(MyString* objet);  // le lexique en devient propriétaire s'il l'ajoute
    Objet* TrouveOuCreeNom(const std::string& texte);
    Nom* CarteCaractere(int code);  // avec « Carac inconnu ! »
    void Catalogue();

    // ---- Primitives des mots (équipe primitives) ----
    // Un mot bâti par « mot », « prem », « implose »... n'est jamais un nombre :
    // quand le lexique tient déjà un nombre de ce texte, le mot vit ici (et
    // dans le vecteur Lexique, pour rester une racine des collectes).
    std::unordered_map<std::string, Nom*> motsHomonymesDeNombres;
    // Les mots bâtis par les programmes restent dans le lexique jusqu'à la fin :
    // leur place (texte et objet) est comptée et bornée.
    size_t memoireMotsBatis = 0;
    size_t memoireMotsBatisMax = size_t(128) << 20;

    // ---- Analyse syntaxique (équipe syntaxe) ----
    // Imbrication des règles en cours : borne la pile native, indépendamment
    // du niveau de la trace (qui croît aussi le long d'une suite d'instructions).
    int32_t profondeurAnalyse = 0;
    bool profondeurDepassee = false;   // une règle a refusé d'aller plus profond
    bool analyseSansCellules = false;  // la réserve s'est épuisée pendant l'analyse

    // ---- Évaluateur (équipe évaluateur) ----
    // Compte les tours de boucle, appels et exec : l'hôte n'est interrogé sur
    // l'arrêt qu'une fois sur 1024, pour ne rien coûter dans les boucles.
    uint32_t compteurPas = 0;
    // Arrêt demandé ou pas à pas en cours : l'évaluation prend le chemin lent.
    // Un seul test par évaluation ; recalculé à chaque entrée EvalPasAPas, à
    // chaque affectation de pasapas et régulièrement pendant les calculs.
    bool modeLent = false;
    // Un let a lié des variables locales (une fois pour toutes) : un nombre
    // possédé peut alors être tenu aussi par une case d'Env, même après le let.
    bool letVu = false;
    // Le marqueur d'un return exécuté comme instruction, rendu jusqu'à l'appel
    // sans rien allouer : (returned v) en deux cellules hors réserve, réécrites
    // à chaque return. Il ne sort jamais de l'évaluateur (EvalProgn le remplace
    // par un vrai marqueur) ; la valeur en attente est une racine des collectes.
    Cellule marqueurDirect{{kTagCellule}, 0, 1, nullptr, nullptr};
    Cellule marqueurDirectValeur{{kTagCellule}, 0, 1, nullptr, nullptr};
    // Les nœuds de l'évaluateur (eval/noeuds.h) : chaque cellule évaluée a le
    // sien. Un nœud peut s'exécuter jusqu'à la fin de la commande : tous restent
    // jusqu'à la prochaine collecte des cellules, entre deux commandes.
    std::shared_ptr<Decodage> decodage;
    Noeud** noeudDeCellule = nullptr;  // decodage->parCellule, lu en ligne
    size_t nbNoeudsDeCellule = 0;      // sa taille (0 : pas encore de nœuds)
    void OublierLesNoeuds();

    // ---- Regarder le programme tourner (eval/regard.cpp) ----
    CarteDesLieux lieux;  // d'où vient chaque forme lue par l'analyse
    // L'instruction en cours (la plus intérieure), posée par les suites
    // d'instructions ; la forme que montre une boîte du pas à pas.
    Objet* instructionCourante = nullptr;
    Objet* formeMontree = nullptr;
    // Une Vitesse ; l'interface la change pendant que le programme tourne.
    std::atomic<uint8_t> vitesse{0};
    bool lignesDesErreurs = false;  // « à la ligne : N » dans les rapports d'exécution
    // La fonction de chaque appel en cours (même indice que pgTabpEnv).
    std::array<Nom*, kProfondeurMaxEnv + 2> fonctionsDesAppels{};
    // Les noms des paramètres de chaque FDU, pour les montrer avec leurs valeurs.
    std::unordered_map<const Nom*, std::vector<std::string>> nomsDesParametres;
};

// Texte source (UTF-8) vers la page de code 1252, une seule fois par texte.
std::string Utf8VersCp1252(const char* s);
std::string Cp1252VersUtf8(const std::string& s);
bool EstUtf8Valide(const std::string& s);
// Le début d'un texte coupé au milieu d'une séquence UTF-8 : sans la séquence incomplète.
void OterSequenceIncomplete(std::string& s);
#define TXT(s)                                                   \
    (([]() -> const std::string& {                               \
        static const std::string t = ::gelim::Utf8VersCp1252(s); \
        return t;                                                \
    })())

}  // namespace gelim
