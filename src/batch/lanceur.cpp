// Le lanceur sans écran : le contrat de « gelim --batch » (batch/contrat.h) sur
// les surfaces QImage, avec la plate-forme hors écran de Qt pour le texte, et
// l'arrêt par SIGINT, SIGTERM ou la minuterie de --timeout.
#include "batch/lanceur.h"

#include <sys/time.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QThread>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "batch/contrat.h"
#include "batch/journal.h"
#include "rendu/chemins.h"
#include "rendu/enregistrer_image.h"
#include "rendu/surface_qimage.h"
#include "shell/configuration.h"

namespace gelim {

namespace {

// ---------------------------------------------------------------- arrêt venu du dehors

// SIGINT, SIGTERM ou --timeout : 0 tant que rien n'est demandé, le numéro du
// signal, ou kArretTempsEcoule (le motif que la session lit).
std::atomic<int> gArretExterieur{0};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);
// Le drapeau d'arrêt de l'interprète pendant les entrées (nul hors d'elles),
// et le nombre de gestionnaires en cours : l'interprète ne disparaît pas sous
// un gestionnaire qui tournerait sur un autre fil.
std::atomic<std::atomic<bool>*> gDrapeauInterprete{nullptr};
std::atomic<int> gSignauxEnCours{0};

// Rien que des opérations atomiques sans verrou, et _exit : un second signal
// termine le programme tout de suite. SIGALRM est la minuterie de --timeout.
extern "C" void SurSignal(int numero) {
    ++gSignauxEnCours;
    if (numero == SIGALRM) {
        int aucun = 0;
        gArretExterieur.compare_exchange_strong(aucun, kArretTempsEcoule);
    } else if (gArretExterieur.exchange(numero) > 0) {
        EcrireLeJournalAvantDeQuitter();
        _exit(128 + numero);
    }
    if (std::atomic<bool>* drapeau = gDrapeauInterprete.load()) drapeau->store(true);
    --gSignauxEnCours;
}

void InstallerLesSignaux() {
    struct sigaction action {};
    action.sa_handler = SurSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // sans reprise : une lecture bloquée rend la main (EINTR)
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGALRM, &action, nullptr);
}

// Les signaux vont au fil de la session : bloqués ailleurs (les fils de Qt
// naissent avec ce masque), débloqués dans la session.
void MasquerLesSignaux(int comment) {
    sigset_t ensemble;
    sigemptyset(&ensemble);
    sigaddset(&ensemble, SIGINT);
    sigaddset(&ensemble, SIGTERM);
    sigaddset(&ensemble, SIGALRM);
    pthread_sigmask(comment, &ensemble, nullptr);
}

void ArmerLaMinuterie(double secondes) {
    itimerval minuterie{};
    minuterie.it_value.tv_sec = time_t(secondes);
    minuterie.it_value.tv_usec = suseconds_t((secondes - std::floor(secondes)) * 1e6);
    if (minuterie.it_value.tv_sec == 0 && minuterie.it_value.tv_usec == 0) minuterie.it_value.tv_usec = 1;
    setitimer(ITIMER_REAL, &minuterie, nullptr);
}

// Le drapeau est connu du gestionnaire le temps des entrées ; après elles, la
// minuterie se tait et plus rien n'arrête : tout est écrit.
void DonnerLeDrapeau(std::atomic<bool>* drapeau) {
    if (!drapeau) {
        const itimerval rien{};
        setitimer(ITIMER_REAL, &rien, nullptr);
    }
    gDrapeauInterprete.store(drapeau);
    if (!drapeau)
        while (gSignauxEnCours.load() != 0) {
        }
}

// ---------------------------------------------------------------- la face Qt

bool EnregistrerSurface(const Surface& surface, const std::string& nom) {
    const auto* s = dynamic_cast<const SurfaceQImage*>(&surface);
    if (!s) return false;
    QImage copie;
    {
        QMutexLocker verrou(&s->Verrou());
        copie = s->Image().copy();
    }
    return EnregistrerImage(copie, QString::fromLocal8Bit(nom.c_str()));
}

int Session(const OptionsLanceur& o) {
    // La police n'est chargée qu'au premier texte dessiné : un programme qui
    // n'en dessine pas démarre sans ce coût.
    SurfaceQImage dessin, vue, precedent;
    // Personne ne regarde la vue pendant une commande, sauf à lire ses pixels :
    // ses figures attendent, et la copie du dessin qui la refait à la fin de la
    // commande les rend inutiles.
    vue.DiffererLesFigures(true);
    FaceLanceur face;
    face.dessin = &dessin;
    face.vue = &vue;
    face.precedent = &precedent;
    face.octetsDePile = kPileDeLEvaluation;
    face.dossierExemples = DossierDesExemples();
    face.enregistrerImage = EnregistrerSurface;
    face.arretExterieur = [] { return gArretExterieur.load(); };
    face.drapeauDArret = DonnerLeDrapeau;
    return SessionLanceur(o, face);
}

}  // namespace

int LancerSansEcran(int argc, char** argv) {
    OptionsLanceur o;
    if (!LireOptionsLanceur(argc, argv, o)) {
        UsageLanceur();
        return 2;
    }
    // SIGINT et SIGTERM (et la minuterie de --timeout) arrêtent le programme en
    // cours ; seul le fil de la session les reçoit, ses lectures bloquées comprises.
    InstallerLesSignaux();
    MasquerLesSignaux(SIG_BLOCK);
    // Pas d'écran : la plate-forme hors écran suffit aux polices et au dessin.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // La sortie d'erreur est le journal de ce que l'élève voit et entend : les
    // remarques de Qt n'y ont pas leur place.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    int code = 0;
    if (o.delai > 0) ArmerLaMinuterie(o.delai);
    // L'interprète tourne sur un fil à grande pile : la récursion du programme de
    // l'élève est bornée par l'interprète, pas par la pile du système.
    std::unique_ptr<QThread> fil(QThread::create([&] {
        MasquerLesSignaux(SIG_UNBLOCK);
        code = Session(o);
        MasquerLesSignaux(SIG_BLOCK);
    }));
    fil->setStackSize(uint(kPileDeLEvaluation));
    fil->start();
    fil->wait();
    // Tout est écrit (messages, journal, images) : la sortie se fait sans
    // défaire l'application, dont la destruction chargerait pour rien la
    // configuration des polices (un sixième du démarrage d'un programme vide).
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace gelim
