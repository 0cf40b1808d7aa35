// Les sons : bipfd (une note) et joue (un fichier son).
#include "text/messages.h"
#include "turtle/tortue_interne.h"

namespace gelim {

// Les fréquences qu'un haut-parleur sait rendre.
constexpr int32_t kFrequenceMinBip = 37, kFrequenceMaxBip = 32767;

// Renomme la fenêtre des messages du nom du système, puis sonne ; rend 0.
// Une fréquence hors de portée ou une durée nulle ou négative ne sonne pas (au
// lieu de diviser par zéro ou de sonner des semaines). La durée demandée est
// rendue telle quelle : l'hôte du bureau sait interrompre une longue note.
float PrimBipfd(Interp& I, float frequence, float duree) {
    I.hote.TitreFenetre(Fenetre::Messages, I.nomSysteme);
    int32_t f = Tronque(frequence), d = Tronque(duree);
    if (f < kFrequenceMinBip || f > kFrequenceMaxBip || d <= 0) return 0;
    I.hote.BipFD(f, d);
    return 0;
}

Objet* PrimJoue(Interp& I, Objet* x) {
    if (!EstNom(x)) return ErreurExecution(I, "Joue", "Le param 1 n'est pas un Nom", x);
    I.hote.JoueSon(I.TexteDe(x));
    return I.pgNil;
}

}  // namespace gelim
