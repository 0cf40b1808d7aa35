// Le lanceur pour Node : « node gelim_noeud.js [ARGUMENTS] » prend les
// arguments et rend la sortie de « gelim --batch ». Même contrat, même cœur ;
// seules les surfaces changent (la surface en mémoire, sans police : le texte
// n'est pas dessiné) et les images (BMP du cœur, PNG sans bibliothèque).
// noeud/principal.js le lance dans un fil à part, pour les signaux.
#include <emscripten.h>
#include <emscripten/stack.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <string>

#include "batch/contrat.h"
#include "turtle/images.h"
#include "web/png.h"

using namespace gelim;

namespace {

bool FiniPar(const std::string& nom, const char* fin) {
    const std::string f(fin);
    if (nom.size() < f.size()) return false;
    for (size_t i = 0; i < f.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(nom[nom.size() - f.size() + i])) != f[i]) return false;
    return true;
}

bool EnregistrerImage(const Surface& surface, const std::string& nom) {
    const auto& s = static_cast<const SurfaceMemoire&>(surface);
    if (FiniPar(nom, ".png")) return EcrirePng(s, nom);
    if (!FiniPar(nom, ".bmp")) return false;
    ImageRGB image;
    image.largeur = s.Largeur();
    image.hauteur = s.Hauteur();
    for (int y = 0; y < image.hauteur; ++y)
        for (int x = 0; x < image.largeur; ++x) image.pixels.push_back(s.LirePixel(x, y));
    return EcrireBmp24(nom, image);
}

// Le signal que le fil principal (noeud/principal.js) a reçu, 0 sinon.
EM_JS(int, SignalRecu, (), {
    var s = Module['signalNoeud'];
    return s ? Atomics.load(s, 0) : 0;
});

}  // namespace

int main(int argc, char** argv) {
    OptionsLanceur o;
    if (!LireOptionsLanceur(argc, argv, o)) {
        UsageLanceur();
        return 2;
    }
    SurfaceMemoire dessin, vue, precedent;
    // Comme le lanceur du bureau : la vue, refaite à la fin de chaque commande,
    // ne trace ses figures que si on la lit.
    vue.DiffererLesFigures(true);
    FaceLanceur face;
    face.dessin = &dessin;
    face.vue = &vue;
    face.precedent = &precedent;
    // La pile du module (TOTAL_STACK) ; le fil de noeud/principal.js en donne
    // assez au moteur pour autant d'imbrications.
    face.octetsDePile = emscripten_stack_get_base() - emscripten_stack_get_end();
    if (const char* exemples = std::getenv("GELIM_EXEMPLES")) face.dossierExemples = exemples;
    face.enregistrerImage = EnregistrerImage;
    // --timeout : aucune minuterie n'interrompt le calcul ; l'heure est lue
    // chaque fois que la session sonde l'arrêt (au plus tous les 1024 pas).
    using Horloge = std::chrono::steady_clock;
    const Horloge::time_point limite =
        Horloge::now() + std::chrono::duration_cast<Horloge::duration>(std::chrono::duration<double>(o.delai));
    face.arretExterieur = [limite, delai = o.delai > 0] {
        if (int s = SignalRecu()) return s;
        return delai && Horloge::now() >= limite ? kArretTempsEcoule : 0;
    };
    return SessionLanceur(o, face);
}
