// L'hôte du bureau : le cœur l'appelle depuis le fil de travail ; les boîtes
// sont montrées sur le fil de l'interface et le fil de travail attend la
// réponse, si bien que le cœur ne voit que des appels synchrones.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "eval/regard.h"
#include "objects/hote.h"
#include "objects/interp.h"

namespace gelim {

class Sonnerie;

// La tortue telle que le fil de travail l'a laissée au dernier sondage : de
// quoi dessiner sa figure pendant que le programme tourne.
struct FigureDeLaTortue {
    EtatTortue tortue;
    std::array<Couleur, 256> couleurs{};
};

// Ce que l'interface montre à une pause (vitesses lentes, boîtes, attente
// d'une touche) : la place de la forme en cours et, le panneau des variables
// ouvert, leur relevé, fait sur le fil de travail pendant qu'il attend.
struct VueDeLaPause {
    bool enCours = false;  // une forme est en cours (sinon : hors d'une commande)
    bool avecLieu = false;
    GenreDeTexte genre = GenreDeTexte::LigneDeCommande;
    uint32_t texte = 0;
    int ligne = 0, colonne = 0, ligneFin = 0, colonneFin = 0;
    bool deLaCommande = false;  // du texte de la commande en cours (sinon d'un texte plus ancien)
    QString fichier;            // le fichier chargé d'où vient la forme
    std::shared_ptr<const ReleveDesVariables> releve;
    bool attendSuivant = false;  // « Pas à pas » : la pause attend « Suivant »
};

class HoteBureau : public QObject, public Hote {
    Q_OBJECT
public:
    explicit HoteBureau(QObject* parent = nullptr);
    ~HoteBureau() override;

    // La fenêtre qui porte les boîtes (la fenêtre principale).
    void DefinirFenetreParente(QWidget* w) { parente_ = w; }

    // ---- Hote ----
    void MessagesModifies() override;
    void MontrerBoiteErreur(const BoiteErreur& b) override;
    int AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) override;
    int QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) override;
    void BoiteMessage(const std::string& titre, const std::string& texte) override;
    ReponsePasAPas BoitePasAPas(const std::string& titre, const std::string& texte) override;
    bool Saisie(const std::string& titre, const std::string& invite, std::string& texte) override;
    void Beep(Bip b) override;
    void BipFD(int frequence, int duree) override;
    void JoueSon(const std::string& nomFichier) override;
    void TitreFenetre(Fenetre f, const std::string& titre) override;
    Touche AttendreTouche() override;
    bool MouvementSouris(int& px, int& py) override;
    void TailleFenetreGraphique(int& largeur, int& hauteur) override;
    void DessinModifie() override { dessinModifie_ = true; }
    bool ArretDemande() override {
        PublierLaTortue();
        return arret_.load(std::memory_order_relaxed);
    }
    void PauseAvantInstruction(Vitesse v, Objet* instruction) override;

    // ---- Regarder le programme tourner (fil de l'interface) ----
    void Suivant();         // « Pas à pas » : l'instruction montrée s'exécute
    void VitesseChangee();  // une pause en cours se termine si la vitesse n'est plus la sienne
    void OuvrirLePanneau(bool ouvert) { panneau_ = ouvert; }
    bool PanneauOuvert() const { return panneau_; }
    bool AttendLeSuivant() const { return attendSuivant_; }

    // ---- Boîtes du bureau lui-même (fil de l'interface), mêmes réponses automatiques ----
    int Alerte(const QString& titre, const QStringList& lignes);     // 1 = OUI
    bool Question(const QString& titre, const QStringList& lignes);  // vrai pour OUI
    bool SaisieTexte(const QString& titre, const QString& invite, QString& texte);
    void BoiteInformation(const QString& titre, const QStringList& lignes);

    // ---- Réponses automatiques (tests, démonstrations) : aucune boîte ne s'ouvre,
    // chacune est notée au journal et reçoit la réponse suivante de la file
    // (« oui », « non », « abandonner », « reessayer », « ignorer », « <annuler »
    // ou le texte à saisir) ou la réponse par défaut, selon les règles de
    // l'hôte scripté du lanceur (les bips d'exclamation restent distincts).
    void RepondreAutomatiquement(bool oui) { automatique_ = oui; }
    bool RepondAutomatiquement() const { return automatique_; }
    void AjouterReponse(const QString& r);
    QStringList Journal() const;
    std::vector<BoiteErreur> BoitesErreur() const;
    void ViderJournal();

    // ---- La fenêtre des messages : ce qui a changé depuis la dernière lecture ----
    void AttacherModele(const FenetreMessages* m);  // fil de travail
    struct LotDeMessages {
        bool remiseAZero = false;  // la vue doit d'abord tout effacer
        std::string texte;         // page 1252, à ajouter au bout
    };
    // Fil de l'interface : prend au plus maxOctets ; faux s'il n'y avait rien.
    bool PrendreMessages(LotDeMessages& lot, size_t maxOctets);
    bool MessagesEnAttente() const;

    // ---- La tortue pendant un programme ----
    void AttacherTortue(Interp* I);  // fil de travail
    void PublierLaTortue();          // fil de travail : à chaque sondage et avant chaque attente
    void OublierLaTortue();          // une tâche commence : rien de connu avant son premier sondage
    bool LireLaTortue(FigureDeLaTortue& f) const;

    // ---- Titres écrits par le cœur, appliqués au rythme du minuteur ----
    bool PrendreTitre(Fenetre f, std::string& titre);
    bool PrendreDessinModifie() { return dessinModifie_.exchange(false); }

    // ---- Clavier et souris de la fenêtre graphique (file sous verrou) ----
    void AjouterTouche(const Touche& t);
    void AjouterMouvement(int px, int py);
    void ViderLesEntrees();
    void DefinirTailleGraphique(int largeur, int hauteur);
    bool AttendUneTouche() const { return attendTouche_.load(); }

    // ---- Arrêt d'un programme ----
    void DemanderArret();
    void ReprendreApresArret() { arret_ = false; }
    bool ArretEnCours() const { return arret_.load(); }

signals:
    // Le fil de travail commence ou finit d'attendre une touche (getchar).
    void AttenteDeTouche(bool attend);
    // L'arrêt vient d'être demandé : les boîtes non modales se ferment.
    void ArretSignale();
    // Une boîte modale s'ouvre (la première) ou se ferme (la dernière).
    void BoiteModale(bool ouverte);
    // Le programme s'arrête un moment : voici où il en est.
    void Pause(std::shared_ptr<const gelim::VueDeLaPause> vue);

private:
    template <class F>
    void SurLInterface(F&& f);
    void Noter(const QString& ligne);
    QString ReponseSuivante(const QString& parDefaut);
    class PendantUneBoite;
    void RecalerMessages();  // tout le modèle, d'un bloc
    void AjouterAuxMessages(const std::string& texte);
    void MontrerLaPause(bool attendSuivant);  // fil de travail

    QPointer<QWidget> parente_;
    std::atomic<bool> automatique_{false};
    mutable std::mutex mJournal_;
    QStringList journal_;
    std::vector<BoiteErreur> boitesErreur_;
    std::deque<QString> reponses_;

    // Messages (écrits par le fil de travail, lus par l'interface).
    const FenetreMessages* modele_ = nullptr;
    size_t vuNbLignes_ = 1, vuLongueurDerniere_ = 0;
    const std::string* vuPremiere_ = nullptr;
    mutable std::mutex mMessages_;
    std::string enAttente_;
    size_t debutEnAttente_ = 0;
    size_t lignesEnAttente_ = 0;
    bool remiseAZero_ = false;

    std::mutex mTitres_;
    std::optional<std::string> titres_[4];
    std::atomic<bool> dessinModifie_{false};

    std::mutex mEntrees_;
    std::condition_variable cvEntrees_;
    std::deque<Touche> touches_;
    std::deque<std::pair<int, int>> mouvements_;
    std::atomic<int> largeurGraphique_{1000}, hauteurGraphique_{1000};
    std::atomic<bool> attendTouche_{false};

    std::atomic<bool> arret_{false};
    Sonnerie* sonnerie_ = nullptr;
    int boitesModales_ = 0;

    Interp* interp_ = nullptr;  // lu seulement sur le fil de travail
    std::mutex mPas_;
    std::condition_variable cvPas_;
    bool pasAccorde_ = false;
    std::atomic<bool> attendSuivant_{false}, panneau_{false};
    mutable std::mutex mTortue_;
    std::optional<FigureDeLaTortue> figure_;
};

// Texte du cœur (page 1252) vers l'interface, et retour.
QString DuCoeur(const std::string& cp1252);
std::string VersLeCoeur(const QString& texte);

}  // namespace gelim
