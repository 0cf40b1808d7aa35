// Le fil de travail : l'unique interprète y est créé et n'est touché que là.
// L'interface lui confie des tâches, une à la fois, et reçoit à la fin de
// chacune un instantané des réglages que le programme a pu changer.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "eval/regard.h"
#include "objects/interp.h"

namespace gelim {

class HoteBureau;
class SurfaceQImage;

// Ce que l'interface doit savoir de l'interprète entre deux tâches.
struct Instantane {
    bool pasapas = false;
    bool affichageAnalyse = false;
    int champClos = 1;
    int profondeurArbres = 8;
    bool instructionEffacable = false;
    int64_t nombresVivants = 0;
    // Le relevé des variables à la fin de la tâche, le panneau ouvert.
    std::shared_ptr<const ReleveDesVariables> releve;
};

class Travailleur : public QObject {
    Q_OBJECT
public:
    Travailleur(HoteBureau& hote, SurfaceQImage& dessin, SurfaceQImage& vue, SurfaceQImage& precedent,
                QObject* parent = nullptr);
    ~Travailleur() override;

    // Confie une tâche ; elle tourne sur le fil de travail (la première crée l'interprète).
    void Lancer(std::function<void(Interp&)> tache);
    // Depuis l'interface : le programme en cours doit s'arrêter.
    void DemanderArret();
    // Depuis l'interface, à tout moment : la vitesse d'exécution.
    void DefinirLaVitesse(Vitesse v);
    // Fin : laisse finir la tâche en cours (l'arrêt doit avoir été demandé).
    bool Terminer(int delaiMs);
    bool EnCours() const { return enCours_.load(); }
    // Le compte des nombres vivants, lu sans attendre le fil de travail (-1 avant l'interprète).
    int64_t NombresVivants() const;

signals:
    void TacheFinie(gelim::Instantane etat);

private:
    void Executer(const std::function<void(Interp&)>& tache);

    HoteBureau& hote_;
    SurfaceQImage &dessin_, &vue_, &precedent_;
    QThread fil_;
    QObject* contexte_ = nullptr;  // vit sur le fil de travail
    std::unique_ptr<Interp> I_;
    std::atomic<Interp*> interp_{nullptr};
    std::atomic<bool> enCours_{false};
    std::atomic<Vitesse> vitesse_{Vitesse::Rapide};
};

}  // namespace gelim
