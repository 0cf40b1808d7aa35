// Les sons : bipfd (une note) et joue (un fichier son).
#include "text/messages.h"
#include "turtle/tortue_interne.h"

namespace gelim {

// Un son plus long ne ferait que geler l'interprète.
constexpr int32_t kDureeMaxBip = 10000;  // millisecondes
// Les fréquences qu'un haut-parleur sait rendre.
constexpr int32_t kFrequenceMinBip = 37, kFrequenceMaxBip = 32767;

// Renomme la fenêtre des messages du nom du système, puis sonne ; rend 0.
// Une fréquence hors de portée ou une durée nulle ne sonne pas (au lieu de
// diviser par zéro ou de refuser en silence, selon le système).
float PrimBipfd(Interp& I, float frequence, float duree) {
    I.hote.TitreFenetre(Fenetre::Messages, I.nomSysteme);
    int32_t f = Tronque(frequence), d = Tronque(duree);
    if (f < kFrequenceMinBip || f > kFrequenceMaxBip || d <= 0) return 0;
    I.hote.BipFD(f, d > kDureeMaxBip ? kDureeMaxBip : d);
    return 0;
}

Objet* PrimJoue(Interp& I, Objet* x) {
    if (!EstNom(x)) return ErreurExecution(I, "Joue", "Le param 1 n'est pas un Nom", x);
    I.hote.JoueSon(I.TexteDe(x));
    return I.pgNil;
}

}  // namespace gelim
