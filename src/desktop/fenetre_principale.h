// La fenêtre principale : le cadre à documents multiples et ses quatre filles
// fixes (graphique, éditeur, messages, ligne de commande), les deux barres de
// menus, la barre de boutons, la barre d'état, et chaque commande du bureau.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/geometrie.h"
#include "desktop/travailleur.h"
#include "objects/hote.h"
#include "rendu/surface_qimage.h"

class QActionGroup;
class QComboBox;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;

namespace gelim {

class BoiteRecherche;
class EditeurDeProgramme;
class FenetreAide;
class FenetreGraphique;
class FenetrePrincipale;
class HoteBureau;
class LigneDeCommande;
class PanneauDesVariables;
class Secours;
struct VueDeLaPause;
class VueMessages;

// Une fille du cadre : elle refuse de se fermer tant que le cadre ne ferme
// pas, et elle n'est jamais réduite ni agrandie (le cadre la place).
class SousFenetre : public QMdiSubWindow {
    Q_OBJECT
public:
    SousFenetre(Fenetre role, QWidget* interieur, FenetrePrincipale* cadre);
    Fenetre Role() const { return role_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    Fenetre role_;
    FenetrePrincipale* cadre_;
};

class FenetrePrincipale : public QMainWindow {
    Q_OBJECT
public:
    explicit FenetrePrincipale(QWidget* parent = nullptr);
    ~FenetrePrincipale() override;

    // La suite du démarrage : boîte d'information, placement, interprète.
    void Demarrer();

    // ---- Accès (tests) ----
    HoteBureau& Hote() { return *hote_; }
    FenetreGraphique* Graphique() const { return graphique_; }
    EditeurDeProgramme* Editeur() const { return editeur_; }
    VueMessages* Messages() const { return messages_; }
    LigneDeCommande* Ligne() const { return ligne_; }
    SousFenetre* Fille(Fenetre f) const { return filles_[int(f)]; }
    QAction* Action(const QString& nom) const { return actions_.value(nom); }
    QToolBar* BarreDeBoutons() const { return barre_; }
    const ReglagesDisposition& Reglages() const { return reglages_; }
    const Instantane& EtatInterprete() const { return etat_; }
    bool Occupe() const { return tachesEnCours_ > 0; }
    SurfaceQImage& Dessin() { return dessin_; }
    SurfaceQImage& Vue() { return vue_; }
    PanneauDesVariables* Panneau() const { return panneau_; }
    QComboBox* ChoixDeLaVitesse() const { return choixVitesse_; }
    Vitesse VitesseChoisie() const { return vitesse_; }
    int PausesMontrees() const { return pausesMontrees_; }
    // La zone cliente du cadre, où les filles sont placées.
    QSize Zone() const;
    Secours* LeSecours() const { return secours_; }
    // Le dossier du fichier de secours (avant Demarrer ; par défaut celui des données).
    void DefinirDossierDeSecours(const QString& dossier) { dossierDeSecours_ = dossier; }
    // Attend que l'interprète ait fini et que tout soit affiché.
    bool AttendreLaFin(int delaiMs = 30000);

    // Choix d'un fichier (par défaut la boîte du système) et préparation de
    // l'imprimante (par défaut la boîte d'impression) : remplaçables.
    std::function<QString(const QString& titre, const QString& filtre, bool enregistrer)> choixDeFichier;
    std::function<bool(QPrinter&)> preparerImprimante;

    // ---- Commandes ----
    void PlacerLesFenetres();
    // Les mêmes rectangles, sans toucher au clavier (le cadre change de taille).
    void ReplacerLesFenetres();
    void ExecuterLeProgramme();
    void ValiderLaLigne(const QString& texte);
    void GommerLaDerniereInstruction();
    void ArreterLeProgramme();
    void PasserEnLigneDeCommande();
    void PasserDansLEditeur();
    void Juxtaposer();
    void Superposer();
    void MontrerLesMessages();
    void CacherLesMessages();
    void InverserLeModePasAPas();
    void InverserLAffichageDeLAnalyse();
    void InverserLaGestionDesChocs();
    void SaisirLaProfondeurDImpressionDesArbres();
    void EditerUnNouveauProgramme();
    void ToutEffacer();
    void ChargerUnProgramme();
    // Lit un fichier dans l'éditeur et passe dans l'éditeur (l'alerte s'il ne se lit pas).
    bool OuvrirLeFichier(const QString& chemin);
    bool EnregistrerLeProgramme();
    bool EnregistrerLeProgrammeSous();
    void EnregistrerLImage();
    void RetrouverUneImage();
    void Imprimer(bool enGrand);
    void OuvrirLAide();
    void APropos();
    // Regarder le programme tourner : vitesse, « Suivant », « Continuer », le panneau.
    void ChoisirLaVitesse(Vitesse v);
    void Suivant();
    void Continuer();
    void MontrerLesVariables(bool oui);

    // Appelée par une fille qui reçoit une demande de fermeture.
    void FermetureDUneFille(SousFenetre* fille, QCloseEvent* e);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void CreerLesFilles();
    void CreerLesActions();
    void CreerLesMenus();
    void CreerLaBarreDeBoutons();
    void InstallerLesMenus();
    QAction* NouvelleAction(const QString& nom, const QString& texte, const QString& icone, const QString& aide,
                            void (FenetrePrincipale::*commande)());
    void Lancer(std::function<void(Interp&)> tache, std::function<void()> ensuite = {});
    // Le mode que verra la prochaine tâche : l'éclair exécute l'éditeur ou la ligne de commande.
    Interp::Mode ModeDeTravail() const {
        return reglages_.mode == 1 ? Interp::Mode::Editeur : Interp::Mode::LigneDeCommande;
    }
    void TacheFinie(const Instantane& e);
    void Rafraichir();
    void ActualiserLesActions();
    void ActualiserLesBoutonsDeFichier();
    void SynchroniserLesPaires();
    void RetablirLeTitre(Fenetre f);
    void FocusChange(QWidget* ancien, QWidget* nouveau);
    QString ChoisirUnFichier(const QString& titre, const QString& filtre, bool enregistrer, const QString& suffixe,
                             QString& dossier);
    void Refuser(const QString& pourquoi);
    void AjusterLaBarreDeBoutons();
    void LancerLeProgramme(const QString& texte, bool editeur);
    void ProposerLeTexteNonEnregistre();
    void ApresLEnregistrement();
    std::vector<std::string> DossiersDeCharge() const;
    void CreerLeRegard();
    void MontrerLaPause(const VueDeLaPause& v);
    void OublierLaPause();

    SurfaceQImage dessin_, vue_, precedent_;
    HoteBureau* hote_ = nullptr;
    Travailleur* travailleur_ = nullptr;
    int64_t dernierCompteDeNombres_ = 0;  // au démarrage, aucun nombre créé : le titre reste
    QMdiArea* mdi_ = nullptr;
    SousFenetre* filles_[4] = {};
    FenetreGraphique* graphique_ = nullptr;
    EditeurDeProgramme* editeur_ = nullptr;
    VueMessages* messages_ = nullptr;
    LigneDeCommande* ligne_ = nullptr;
    BoiteRecherche* recherche_ = nullptr;
    FenetreAide* aide_ = nullptr;

    QHash<QString, QAction*> actions_;
    QMenu *menuProgramme_ = nullptr, *menuFichier_ = nullptr, *menuReglages_ = nullptr, *menuEditer_ = nullptr,
          *menuChercher_ = nullptr, *menuExecution_ = nullptr;
    QToolBar* barre_ = nullptr;
    QLabel* texteDEtat_ = nullptr;
    QLabel* horloge_ = nullptr;
    std::vector<std::pair<QWidget*, int>> espaces_;  // les espaces de la barre et leur nombre d'unités
    QTimer minuteur_, minuteurHorloge_;

    ReglagesDisposition reglages_;
    Instantane etat_;
    bool demarre_ = false;
    bool boiteModale_ = false;
    Secours* secours_ = nullptr;
    QString dossierDeSecours_;
    int tachesEnCours_ = 0;
    std::deque<std::function<void()>> ensuites_;
    bool fermetureAutorisee_ = false;
    bool fermerApresLaTache_ = false;
    bool forcerLaFermeture_ = false;
    bool focusDansLEditeur_ = false;
    QString dossierProgrammes_, dossierImages_;

    // Regarder le programme tourner.
    PanneauDesVariables* panneau_ = nullptr;
    QComboBox* choixVitesse_ = nullptr;
    QActionGroup* vitesses_ = nullptr;
    Vitesse vitesse_ = Vitesse::Rapide;
    Vitesse vitesseAvantLePas_ = Vitesse::Rapide;  // où « Continuer » revient
    int pausesMontrees_ = 0;
    // La commande en cours : d'où elle vient, et son texte.
    bool commandeDeLEditeur_ = false;
    QString texteDeLaCommande_;
};

// Un filtre de fichiers « libellé|motif|libellé|motif| » en filtre de boîte
// de fichiers, chaque motif aussi en minuscules et en capitales.
QString FiltreDeFichiers(const QString& filtre);

}  // namespace gelim
