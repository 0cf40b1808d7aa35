// Le lanceur sans écran : le contrat de « gelim --batch » (batch/contrat.h) sur
// des surfaces en mémoire, et l'arrêt par SIGINT, SIGTERM ou la minuterie de
// --timeout. Qt n'est chargé (face Qt, plate-forme hors écran) qu'au premier
// texte dessiné ou à la première image PNG : sans eux, le programme démarre
// sans ses bibliothèques.
#include "batch/lanceur.h"

#include <pthread.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "batch/contrat.h"
#include "batch/face_qt.h"
#include "batch/journal.h"
#include "shell/chemins.h"
#include "shell/configuration.h"
#include "turtle/surface_memoire.h"

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

// ---------------------------------------------------------------- la face Qt, à la demande

// Qt veut son application sur le fil principal : le fil de la session la
// demande au premier besoin et attend que le fil principal l'ait créée.
struct Portier {
    std::mutex m;
    std::condition_variable cv;
    bool demande = false, servi = false, fini = false;
    const ServicesQt* services = nullptr;
} gPortier;

const ServicesQt* FaceQt() {
    std::unique_lock<std::mutex> verrou(gPortier.m);
    if (!gPortier.servi) {
        gPortier.demande = true;
        gPortier.cv.notify_all();
        gPortier.cv.wait(verrou, [] { return gPortier.servi; });
    }
    return gPortier.services;
}

// Le fil principal pendant la session : il sert la demande de Qt, s'il y en a une.
void ServirLaFaceQt(int argc, char** argv) {
    std::unique_lock<std::mutex> verrou(gPortier.m);
    for (;;) {
        gPortier.cv.wait(verrou, [] { return gPortier.fini || (gPortier.demande && !gPortier.servi); });
        if (gPortier.fini) return;
        verrou.unlock();
        std::string erreur;
        const ServicesQt* services = ChargerLaFaceQt(erreur);
        if (services)
            services->preparerSansEcran(argc, argv);
        else
            std::fprintf(stderr,
                         "Gelim : la bibliothèque de la face Qt est introuvable (%s) : le texte ne peut pas être "
                         "dessiné, ni les images PNG écrites.\n",
                         erreur.c_str());
        verrou.lock();
        gPortier.services = services;
        gPortier.servi = true;
        gPortier.cv.notify_all();
    }
}

void FinDeLaSession() {
    std::lock_guard<std::mutex> verrou(gPortier.m);
    gPortier.fini = true;
    gPortier.cv.notify_all();
}

// Les surfaces du lanceur : la surface en mémoire, et la police de la face Qt
// pour le texte (qui attend d'être vu pour être rendu : un programme dont
// personne ne lit le texte ne charge pas Qt).
class SurfaceDuLanceur : public SurfaceMemoire {
public:
    void TexteALaPosition(const std::string& texteCp1252) override {
        std::lock_guard<std::mutex> verrou(Verrou());
        MettreLeTexteEnAttente(texteCp1252);
    }

protected:
    int LargeurDuTexte(const std::string& texteCp1252) override {
        const ServicesQt* qt = FaceQt();
        return qt ? qt->largeurDuTexte(texteCp1252) : 0;
    }
    void DessinerTexte(const std::string& texteCp1252, int x, int y) override {
        if (const ServicesQt* qt = FaceQt()) qt->dessinerTexte(Tampon(), Largeur(), Hauteur(), texteCp1252, x, y);
        NoterModification();
    }
};

bool EnregistrerSurface(const Surface& surface, const std::string& nom) {
    const auto* s = dynamic_cast<const SurfaceMemoire*>(&surface);
    if (!s) return false;
    std::vector<uint32_t> copie;
    {
        std::lock_guard<std::mutex> verrou(s->Verrou());
        const uint32_t* pixels = s->Donnees();  // le texte en attente rendu d'abord
        copie.assign(pixels, pixels + size_t(s->Largeur()) * size_t(s->Hauteur()));
    }
    const ServicesQt* qt = FaceQt();
    return qt && qt->enregistrerImage(copie.data(), s->Largeur(), s->Hauteur(), nom);
}

int Session(const OptionsLanceur& o) {
    SurfaceDuLanceur dessin, vue, precedent;
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

struct Travail {
    const OptionsLanceur* options;
    int code = 0;
};

void* FilDeLaSession(void* donnee) {
    auto* t = static_cast<Travail*>(donnee);
    MasquerLesSignaux(SIG_UNBLOCK);
    t->code = Session(*t->options);
    MasquerLesSignaux(SIG_BLOCK);
    FinDeLaSession();
    return nullptr;
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
    if (o.delai > 0) ArmerLaMinuterie(o.delai);
    // L'interprète tourne sur un fil à grande pile : la récursion du programme de
    // l'élève est bornée par l'interprète, pas par la pile du système.
    Travail travail{&o};
    pthread_attr_t attributs;
    pthread_attr_init(&attributs);
    pthread_attr_setstacksize(&attributs, kPileDeLEvaluation);
    pthread_t fil;
    if (pthread_create(&fil, &attributs, FilDeLaSession, &travail) != 0) {
        std::fprintf(stderr, "Gelim : impossible de lancer l'interprète.\n");
        return 2;
    }
    pthread_attr_destroy(&attributs);
    ServirLaFaceQt(argc, argv);
    pthread_join(fil, nullptr);
    // Tout est écrit (messages, journal, images) : la sortie se fait sans
    // défaire l'application Qt s'il y en a une, dont la destruction chargerait
    // pour rien la configuration des polices.
    std::fflush(nullptr);
    std::_Exit(travail.code);
}

}  // namespace gelim
