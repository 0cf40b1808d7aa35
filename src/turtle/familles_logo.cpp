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
        case 0x47AA: t.crayonBaisse = false; break;  // levecrayon, lc
        case 0x47AC: t.crayonBaisse = true; break;   // baissecrayon, bc
        case 0x47AE: t.montree = false; break;       // cachetortue, ct
        case 0x47B0: t.montree = true; break;        // montretortue, mt
        case 0x47B2:                                 // videecran, ve
            InitialiserLaTortue(I);
            BlanchirLesSurfaces(I);
            break;
        case 0x47B4: BlanchirLesSurfaces(I); break;  // nettoie
        case 0x47B5:                                 // cap, jamais ramené à un tour
            return I.NouveauNombreTemporaire(static_cast<float>(t.cap * double(kRadianEnDegre)));
        case 0x47B6: return I.NouveauNombreTemporaire(t.x);  // abscisse
        case 0x47B7: return I.NouveauNombreTemporaire(t.y);  // ordonnee
        case 0x47B8:                                         // origine
            AllerA(I, 0.0f, 0.0f);
            t.cap = 0;
            break;
        case 0x47B9: return Position(I);  // position, pos
        case 0x47BA:                      // abscissesouris
            MettreAJourLaSouris(I);
            return I.NouveauNombreTemporaire(float(I.sourisX));
        case 0x47BB:  // ordonneesouris
            MettreAJourLaSouris(I);
            return I.NouveauNombreTemporaire(float(I.sourisY));
        case 0x47BC: return I.NouveauNombreTemporaire(float(t.numeroCouleur));  // couleurcrayon, cc
        case 0x47BD: Remplis(I); break;                                         // remplis
        case 0x47BE: DessinerLaTortue(I); break;                                // dessinetortue
        case 0x47BF:                                                            // effacetortue
            if (I.vue && I.dessin) I.vue->CopierDepuis(*I.dessin);
            break;
        case 0x47C0:  // clos
            I.champClos = 1;
            EcritLigne(I, "Maintenant le champ de la tortue est clos.");
            break;
        case 0x47C1:  // ouvre
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
    if (f->tag >= 0x47C8 && f->tag <= 0x47D2 && !ParametresFinis(I, f, {a})) return true;
    switch (f->tag) {
        case 0x47C8: Avance(I, a); break;                                 // avance, av
        case 0x47CA: Recule(I, a); break;                                 // recule, re
        case 0x47CC: t.cap += double(a) * double(kDegreEnRadian); break;  // tournedroite, td
        case 0x47CE: t.cap -= double(a) * double(kDegreEnRadian); break;  // tournegauche, tg
        case 0x47D0: t.cap = double(a) * double(kDegreEnRadian); break;   // fixecap, fcap
        case 0x47D2: Cercle(I, t.x, t.y, a); break;                       // cercle
        case 0x47D3: FixerCouleurCrayon(I, a); break;                     // fcc
        case 0x47D4: FixerEpaisseurCrayon(I, a); break;                   // fec
        case 0x47D5: FixerCouleurDuFond(I, a); break;                     // fcf
        default: return false;
    }
    return true;
}

bool ExecuterLogo2(Interp& I, Fonc* f, float a, float b) {
    if (!ParametresFinis(I, f, {a, b})) return true;
    switch (f->tag) {
        case 0x47DC: Pixel(I, a, b); break;   // pixel, point
        case 0x47DD: AllerA(I, a, b); break;  // fixeposition, fpos
        case 0x47DE:                          // fixecurseur, fcurs
            I.tortue.curseurX = a;
            I.tortue.curseurY = b;
            break;
        default: return false;
    }
    return true;
}

bool ExecuterLogo3(Interp& I, Fonc* f, float a, float b, float c) {
    if (f->tag != 0x47E6) return false;  // circle
    if (!ParametresFinis(I, f, {a, b, c})) return true;
    Cercle(I, a, b, c);
    return true;
}

bool ExecuterLogo4(Interp& I, Fonc* f, float a, float b, float c, float d) {
    if (!ParametresFinis(I, f, {a, b, c, d})) return true;
    switch (f->tag) {
        case 0x47F0: Ligne(I, a, b, c, d); break;           // ligne
        case 0x47F1: RectangleCreux(I, a, b, c, d); break;  // rectangle
        case 0x47F2: Bloc(I, a, b, c, d); break;            // bloc
        default: return false;
    }
    return true;
}

}  // namespace gelim
