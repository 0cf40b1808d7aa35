// L'aiguillage des familles de la tortue : un membre par code. Les arguments
// sont déjà évalués et vérifiés par l'évaluateur, qui écrit aussi le rapport
// d'un code sans membre (nullptr ou faux ici).
#include <cmath>

#include "text/messages.h"
#include "turtle/tortue_interne.h"

namespace gelim {

// (x y) : deux nouveaux nombres, y d'abord ; y reste dans une racine pendant
// la création de x (qui peut déclencher la collecte des nombres).
static Objet* Position(Interp& I) {
    Flottant* y = I.NouveauNombreTemporaire(I.tortue.y);
    I.racines.push_back(y);
    Flottant* x = I.NouveauNombreTemporaire(I.tortue.x);
    I.racines.push_back(x);
    Objet* liste = I.mp(x, I.mp(y, I.pgNil));
    I.racines.pop_back();
    I.racines.pop_back();
    return liste;
}

// Un angle, une distance ou une coordonnée infinis ou indéterminés ne mènent
// nulle part (un cap infini figerait la tortue pour de bon) : le paramètre est
// refusé avec le rapport d'un paramètre qui n'est pas un nombre, et la
// commande ne fait rien.
static bool ParametresFinis(Interp& I, Fonc* f, std::initializer_list<float> valeurs) {
    static const char* const contextes[4] = {"l'évaluation du paramètre d'une fonction.",
                                             "l'évaluation d'une fonction à 2 paramètres numériques",
                                             "l'évaluation d'une fonction à 3 paramètres numériques",
                                             "l'évaluation d'une fonction à 4 paramètres numériques"};
    static const char* const rangs[4] = {
        "le premier paramètre n'est pas un nombre fini", "le deuxième paramètre n'est pas un nombre fini",
        "le troisième paramètre n'est pas un nombre fini", "le quatrième paramètre n'est pas un nombre fini"};
    const size_t n = valeurs.size();
    size_t k = 0;
    for (float v : valeurs) {
        if (!std::isfinite(v)) {
            const char* message = n == 1             ? "ce paramètre n'est pas un nombre fini"
                                  : n == 2 && k == 1 ? "le second paramètre n'est pas un nombre fini"
                                                     : rangs[k];
            Flottant* x = I.NouveauNombreTemporaire(v);
            ErreurExecution2(I, contextes[n - 1], f, message, x);
            I.LibereSiTemporaire(x);
            return false;
        }
        ++k;
    }
    return true;
}

Objet* ExecuterLogo0(Interp& I, Fonc* f) {
    EtatTortue& t = I.tortue;
    switch (f->tag) {
        case kLeveCrayon: t.crayonBaisse = false; break;   // levecrayon, lc
        case kBaisseCrayon: t.crayonBaisse = true; break;  // baissecrayon, bc
        case kCacheTortue: t.montree = false; break;       // cachetortue, ct
        case kMontreTortue: t.montree = true; break;       // montretortue, mt
        case kVideEcran:                                   // videecran, ve
            InitialiserLaTortue(I);
            BlanchirLesSurfaces(I);
            break;
        case kNettoie: BlanchirLesSurfaces(I); break;  // nettoie
        case kCap:                                     // cap, jamais ramené à un tour
            return I.NouveauNombreTemporaire(static_cast<float>(t.cap * double(kRadianEnDegre)));
        case kAbscisse: return I.NouveauNombreTemporaire(t.x);  // abscisse
        case kOrdonnee: return I.NouveauNombreTemporaire(t.y);  // ordonnee
        case kOrigine:                                          // origine
            AllerA(I, 0.0f, 0.0f);
            t.cap = 0;
            break;
        case kPosition: return Position(I);  // position, pos
        case kAbscisseSouris:                // abscissesouris
            MettreAJourLaSouris(I);
            return I.NouveauNombreTemporaire(float(I.sourisX));
        case kOrdonneeSouris:  // ordonneesouris
            MettreAJourLaSouris(I);
            return I.NouveauNombreTemporaire(float(I.sourisY));
        case kCouleurCrayon: return I.NouveauNombreTemporaire(float(t.numeroCouleur));  // couleurcrayon, cc
        case kRemplis: Remplis(I); break;                                               // remplis
        case kDessineTortue: DessinerLaTortue(I); break;                                // dessinetortue
        case kEffaceTortue:                                                             // effacetortue
            if (I.vue && I.dessin) I.vue->CopierDepuis(*I.dessin);
            break;
        case kClos:  // clos
            I.champClos = 1;
            EcritLigne(I, "Maintenant le champ de la tortue est clos.");
            break;
        case kOuvre:  // ouvre
            I.champClos = 0;
            EcritLigne(I, "Maintenant le champ de la tortue est ouvert.");
            break;
        default: return nullptr;
    }
    return I.pgNil;
}

bool ExecuterLogo1(Interp& I, Fonc* f, float a) {
    EtatTortue& t = I.tortue;
    // De av à cercle ; les couleurs et l'épaisseur se ramènent d'elles-mêmes à un entier.
    if (f->tag >= kAvance && f->tag <= kCercle && !ParametresFinis(I, f, {a})) return true;
    switch (f->tag) {
        case kAvance: Avance(I, a); break;                                       // avance, av
        case kRecule: Recule(I, a); break;                                       // recule, re
        case kTourneDroite: t.cap += double(a) * double(kDegreEnRadian); break;  // tournedroite, td
        case kTourneGauche: t.cap -= double(a) * double(kDegreEnRadian); break;  // tournegauche, tg
        case kFixeCap: t.cap = double(a) * double(kDegreEnRadian); break;        // fixecap, fcap
        case kCercle: Cercle(I, t.x, t.y, a); break;                             // cercle
        case kFcc: FixerCouleurCrayon(I, a); break;                              // fcc
        case kFec: FixerEpaisseurCrayon(I, a); break;                            // fec
        case kFcf: FixerCouleurDuFond(I, a); break;                              // fcf
        default: return false;
    }
    return true;
}

bool ExecuterLogo2(Interp& I, Fonc* f, float a, float b) {
    if (!ParametresFinis(I, f, {a, b})) return true;
    switch (f->tag) {
        case kPixel: Pixel(I, a, b); break;          // pixel, point
        case kFixePosition: AllerA(I, a, b); break;  // fixeposition, fpos
        case kFixeCurseur:                           // fixecurseur, fcurs
            I.tortue.curseurX = a;
            I.tortue.curseurY = b;
            break;
        default: return false;
    }
    return true;
}

bool ExecuterLogo3(Interp& I, Fonc* f, float a, float b, float c) {
    if (f->tag != kCircle) return false;  // circle
    if (!ParametresFinis(I, f, {a, b, c})) return true;
    Cercle(I, a, b, c);
    return true;
}

bool ExecuterLogo4(Interp& I, Fonc* f, float a, float b, float c, float d) {
    if (!ParametresFinis(I, f, {a, b, c, d})) return true;
    switch (f->tag) {
        case kLigne: Ligne(I, a, b, c, d); break;               // ligne
        case kRectangle: RectangleCreux(I, a, b, c, d); break;  // rectangle
        case kBloc: Bloc(I, a, b, c, d); break;                 // bloc
        default: return false;
    }
    return true;
}

}  // namespace gelim
