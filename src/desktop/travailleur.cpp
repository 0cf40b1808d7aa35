// Le fil de travail et sa file de tâches.
#include "desktop/travailleur.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include "desktop/hote_bureau.h"
#include "rendu/surface_qimage.h"
#include "shell/configuration.h"
#include "shell/pilote.h"

namespace gelim {

Travailleur::Travailleur(HoteBureau& hote, SurfaceQImage& dessin, SurfaceQImage& vue, SurfaceQImage& precedent,
                         QObject* parent)
    : QObject(parent), hote_(hote), dessin_(dessin), vue_(vue), precedent_(precedent) {
    fil_.setObjectName(QStringLiteral("interprete"));
    fil_.setStackSize(uint(kPileDeLEvaluation));  // les récursions profondes de l'élève
    contexte_ = new QObject;
    contexte_->moveToThread(&fil_);
    fil_.start();
}

Travailleur::~Travailleur() {
    if (fil_.isRunning()) {
        DemanderArret();
        if (!Terminer(5000)) {
            // Une tâche native interminable : le programme se ferme de toute façon,
            // l'interprète qu'elle tient encore n'est pas détruit sous elle.
            fil_.terminate();
            fil_.wait(2000);
            (void)I_.release();
            return;
        }
    }
    delete contexte_;
    I_.reset();  // le fil est fini : personne d'autre ne touche l'interprète
}

void Travailleur::Lancer(std::function<void(Interp&)> tache) {
    // Une nouvelle tâche part sans demande d'arrêt. On l'efface ici, pas au
    // début de la tâche : un arrêt demandé pendant qu'elle attend son tour compte.
    hote_.ReprendreApresArret();
    hote_.OublierLaTortue();
    enCours_ = true;
    QMetaObject::invokeMethod(
        contexte_, [this, t = std::move(tache)] { Executer(t); }, Qt::QueuedConnection);
}

void Travailleur::Executer(const std::function<void(Interp&)>& tache) {
    if (!I_) {
        Configuration c;
        c.dessin = &dessin_;
        c.vue = &vue_;
        c.precedent = &precedent_;
        c.profondeurNativeMax = ProfondeurPourLaPile(kPileDeLEvaluation);
        c.lignesDesErreurs = true;  // « à la ligne : N » dans les rapports d'exécution
        I_ = CreerInterprete(hote_, c);
        hote_.AttacherModele(&MessagesDe(*I_));
        hote_.AttacherTortue(I_.get());
        interp_ = I_.get();
        // Après interp_ : une vitesse choisie pendant la création n'est pas perdue.
        gelim::DefinirLaVitesse(*I_, vitesse_.load());
    }
    Interp& I = *I_;
    if (hote_.ArretDemande()) DemanderLArret(I);
    tache(I);
    Instantane e;
    e.pasapas = LireReglage(I, Reglage::PasAPas);
    e.affichageAnalyse = LireReglage(I, Reglage::AffichageAnalyse);
    e.champClos = LireReglage(I, Reglage::ChampClos);
    e.profondeurArbres = LireReglage(I, Reglage::ProfondeurArbres);
    e.instructionEffacable = InstructionEffacable(I);
    e.nombresVivants = gelim::NombresVivants(I);
    if (hote_.PanneauOuvert()) e.releve = std::make_shared<const ReleveDesVariables>(ReleverLesVariables(I));
    enCours_ = false;
    QMetaObject::invokeMethod(
        this, [this, e] { emit TacheFinie(e); }, Qt::QueuedConnection);
}

int64_t Travailleur::NombresVivants() const {
    Interp* I = interp_.load();
    return I ? NombresVivantsAffiches(*I) : -1;
}

void Travailleur::DemanderArret() {
    hote_.DemanderArret();
    if (Interp* I = interp_.load()) DemanderLArret(*I);
}

void Travailleur::DefinirLaVitesse(Vitesse v) {
    vitesse_ = v;
    if (Interp* I = interp_.load()) gelim::DefinirLaVitesse(*I, v);
    hote_.VitesseChangee();
}

bool Travailleur::Terminer(int delaiMs) {
    fil_.quit();
    // Le fil peut attendre une réponse de l'interface : on continue de la servir.
    QElapsedTimer chrono;
    chrono.start();
    while (!fil_.wait(10)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (chrono.elapsed() > delaiMs) return false;
    }
    return true;
}

}  // namespace gelim
