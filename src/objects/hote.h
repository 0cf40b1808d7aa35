// L'hôte : la seule porte du cœur vers le monde extérieur (fenêtre des
// messages, boîtes de dialogue, sons, clavier, souris, titres). Le bureau et
// le lanceur sans écran en donnent chacun une réalisation.
// Tous les textes sont en page de code 1252, comme dans le cœur.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gelim {

// Une ligne d'une boîte d'erreur : étiquette (peut être vide) et texte.
struct RangeeBoite {
    std::string etiquette;
    std::string texte;
};

// Données de la boîte d'erreur (syntaxe ou exécution) : de quoi la dessiner.
// Le genre d'une boîte d'erreur choisit ses dispositions : syntaxe (0 à 4),
// exécution (5 et 6), ou des paires texte-objet (7 à 10 : exécution à trois
// objets, paramètres d'une fonction).
enum class GenreBoite { Syntaxe = 0, Execution = 1, Paires = 2 };

struct BoiteErreur {
    GenreBoite genre = GenreBoite::Syntaxe;
    std::string titre;
    std::string textes[7];             // t1 à t7
    int disposition = 0;               // eMsgErrorTxtNbr
    int image = 3;                     // numéro d'image
    std::vector<RangeeBoite> rangees;  // vide pour les dispositions 7 à 9
};

enum class ReponsePasAPas { Abandonner, Reessayer, Ignorer, Echec };

enum class Bip { Defaut, Exclamation };

// Ce que rend « getchar » : une touche (code de touche virtuelle) ou un clic.
struct Touche {
    enum Genre { Clavier, ClicGauche, ClicDroit, Aucune } genre = Aucune;
    int code = 0;  // code de touche virtuelle (lettres en capitales, comme le clavier)
    bool majusculesVerrouillees = false;
};

enum class Fenetre { Graphique, Messages, Editeur, LigneDeCommande };

// La vitesse d'exécution : « Rapide » ne s'arrête jamais ; les autres
// s'arrêtent avant chaque instruction (« PasAPas » jusqu'à « Suivant »).
enum class Vitesse : uint8_t { Rapide, Lent, TresLent, PasAPas };

struct Objet;

class Hote {
public:
    virtual ~Hote() = default;

    // La fenêtre des messages a changé (le modèle est dans le cœur).
    virtual void MessagesModifies() {}
    // La plus ancienne ligne quitte la fenêtre des messages, pleine : l'hôte
    // peut la garder ailleurs (le lanceur l'écrit aussitôt sur sa sortie).
    virtual void LigneQuitteLesMessages(const std::string& ligne) { (void)ligne; }

    // Boîte d'erreur modale ; rend la main quand l'élève l'a fermée.
    virtual void MontrerBoiteErreur(const BoiteErreur& b) = 0;
    // Boîtes « OK » et « oui/non » (1 = OUI, 2 = NON). lignes : 1 à 3 textes.
    virtual int AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) = 0;
    virtual int QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) = 0;
    // Boîte de message du système (épuisement des cellules, « Après », informations).
    virtual void BoiteMessage(const std::string& titre, const std::string& texte) = 0;
    // Boîte du pas à pas : Abandonner / Réessayer / Ignorer, Réessayer par défaut.
    virtual ReponsePasAPas BoitePasAPas(const std::string& titre, const std::string& texte) = 0;
    // Boîte de saisie : rend faux si l'élève annule.
    virtual bool Saisie(const std::string& titre, const std::string& invite, std::string& texte) = 0;

    virtual void Beep(Bip b) = 0;
    virtual void BipFD(int frequence, int duree) = 0;
    virtual void JoueSon(const std::string& nomFichier) = 0;

    virtual void TitreFenetre(Fenetre f, const std::string& titre) = 0;

    // « getchar » : attend une touche ou un clic ; Aucune si le programme doit s'arrêter.
    virtual Touche AttendreTouche() = 0;
    // Prochain mouvement de souris en attente sur la fenêtre graphique (position
    // dans la zone client) ; faux s'il n'y en a pas.
    virtual bool MouvementSouris(int& px, int& py) {
        (void)px;
        (void)py;
        return false;
    }
    // Taille de la fenêtre graphique (fille) pour la position de la souris.
    virtual void TailleFenetreGraphique(int& largeur, int& hauteur) {
        largeur = 1000;
        hauteur = 1000;
    }

    // Le dessin a changé : la vue peut être rafraîchie à l'écran.
    virtual void DessinModifie() {}
    // Interrogé à chaque pas d'évaluation : vrai si l'élève demande l'arrêt.
    virtual bool ArretDemande() { return false; }
    // Aux vitesses lentes, avant chaque instruction : l'hôte montre où en est
    // le programme, puis attend (le délai de la vitesse, ou « Suivant »). Il
    // rend la main aussitôt quand l'arrêt est demandé.
    virtual void PauseAvantInstruction(Vitesse v, Objet* instruction) {
        (void)v;
        (void)instruction;
    }
};

}  // namespace gelim
