// Les points d'entrée de la page : un seul interprète, créé au chargement,
// que la page fait travailler commande par commande (appels asynchrones).
#include <emscripten.h>

#include <memory>
#include <string>

#include "objects/interp.h"
#include "objects/lexique.h"
#include "shell/configuration.h"
#include "shell/pilote.h"
#include "text/messages.h"
#include "turtle/tortue.h"
#include "web/hote_web.h"

namespace gelim {
namespace {

struct Page {
    HoteWeb hote;
    SurfaceWeb dessin, vue, precedent;
    std::unique_ptr<Interp> I;
};

Page* page = nullptr;

// Le mode que la page passe : 1 l'éditeur, tout autre la ligne de commande.
Interp::Mode ModeDeTravail(int mode) {
    return mode == 1 ? Interp::Mode::Editeur : Interp::Mode::LigneDeCommande;
}

std::string VersCp1252(const char* utf8) {
    std::string brut(utf8 ? utf8 : "");
    return EstUtf8Valide(brut) ? Utf8VersCp1252(brut.c_str()) : brut;
}

}  // namespace
}  // namespace gelim

using namespace gelim;

extern "C" {

// Crée l'interprète et montre la boîte du démarrage. octetsDePile : la part de
// la pile du navigateur que la page laisse à l'évaluation (la borne des
// imbrications en découle, par la même règle que sur le bureau).
EMSCRIPTEN_KEEPALIVE void gelim_demarrer(int octetsDePile) {
    if (page) return;
    page = new Page;
    Configuration c;
    c.dessin = &page->dessin;
    c.vue = &page->vue;
    c.precedent = &page->precedent;
    c.profondeurNativeMax = ProfondeurPourLaPile(size_t(octetsDePile > 0 ? octetsDePile : 0));
    c.dossiersCharge = {"/eleve", "/exemples"};
    c.nomSysteme = "Navigateur";
    page->I = CreerInterprete(page->hote, c);
    Interp* I = page->I.get();
    page->hote.I = I;
    page->hote.vue = &page->vue;
    DemarrerInterprete(*I);
    InitialiserLaTortue(*I);
    ExecuterLaCommandeEnAttente(*I);
    page->hote.Rafraichir();
    page->hote.AlerteOk(TitreDemarrage(), LignesDemarrage());
}

// Une commande tapée (mode 0) ou le programme de l'éditeur (mode 1), en UTF-8.
EMSCRIPTEN_KEEPALIVE void gelim_executer(const char* texte, int mode) {
    if (!page) return;
    ExecuterDansLeMode(*page->I, ModeDeTravail(mode), VersCp1252(texte));
    page->hote.Rafraichir();
}

EMSCRIPTEN_KEEPALIVE void gelim_gommer(int mode) {
    if (!page) return;
    GommerLaDerniereInstruction(*page->I, ModeDeTravail(mode));
    page->hote.Rafraichir();
}

// Les réglages : 0 affichage de l'analyse, 1 pas à pas, 2 champ clos, 3 profondeur des arbres.
EMSCRIPTEN_KEEPALIVE int gelim_reglage(int quoi) {
    if (!page) return 0;
    if (quoi < 0 || quoi > 3) return 0;
    return LireReglage(*page->I, Reglage(quoi));  // dans l'ordre de l'énumération
}

EMSCRIPTEN_KEEPALIVE void gelim_regler(int quoi, int valeur) {
    if (!page) return;
    if (quoi < 0 || quoi > 3) return;
    Regler(*page->I, Reglage(quoi), valeur);
}

// Le dessin (sans la tortue) : ses pixels 0xFFRRGGBB pour le PNG, le fichier BMP
// écrit dans le système de fichiers du module pour le BMP.
EMSCRIPTEN_KEEPALIVE const uint32_t* gelim_pixels_dessin() {
    return page ? page->dessin.Donnees() : nullptr;
}

EMSCRIPTEN_KEEPALIVE int gelim_sauver_bmp(const char* chemin) {
    return page && SauverLeDessin(*page->I, chemin);
}

// « Retrouver une image » : un BMP sur tout le dessin (déjà confirmé par la page).
EMSCRIPTEN_KEEPALIVE void gelim_charger_bmp(const char* chemin) {
    if (!page) return;
    ChargerImageDansLeDessin(*page->I, chemin);
    ExecuterLaCommandeEnAttente(*page->I);
    page->hote.Rafraichir();
}

// Rafraîchit la page (après un changement de taille de la fenêtre graphique).
EMSCRIPTEN_KEEPALIVE void gelim_rafraichir() {
    if (!page) return;
    ExecuterLaCommandeEnAttente(*page->I);
    page->hote.Rafraichir();
}

// Les noms des primitives, séparés par des blancs (coloration de l'éditeur).
EMSCRIPTEN_KEEPALIVE const char* gelim_vocabulaire() {
    static std::string noms;
    if (noms.empty())
        for (const EntreePrimitive& e : TableDesPrimitives()) noms += std::string(e.nom) + ' ';
    return noms.c_str();
}

// Une ligne de la page dans la fenêtre des messages (réglages refusés).
EMSCRIPTEN_KEEPALIVE void gelim_message(const char* texte) {
    if (!page) return;
    EcritLigne(*page->I, VersCp1252(texte));
    page->hote.Rafraichir();
}
}
