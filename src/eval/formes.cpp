// Les formes spéciales : conditionnelles, boucles, affectations, listes et
// impressions. Chaque sous-forme passe par EvalPasAPas (le pas à pas la voit).
#include <vector>

#include "eval/interne.h"
#include "objects/imprime.h"
#include "primitives/numeriques.h"
#include "text/messages.h"

namespace gelim {

// ------------------------------------------------------------ conditionnelles

Objet* FormeIf(Interp& I, Objet* args) {
    if (I.EstFaux(Evaluer(I, Premier(I, args)))) return EvalProgn(I, Reste(I, Reste(I, args)));
    return EvaluerInstruction(I, Second(I, args));
}

Objet* FormeWhen(Interp& I, Objet* args) {
    if (I.EstFaux(Evaluer(I, Premier(I, args)))) return I.pgNil;
    return EvalProgn(I, Reste(I, args));
}

Objet* FormeUnless(Interp& I, Objet* args) {
    if (I.EstFaux(Evaluer(I, Premier(I, args)))) return EvalProgn(I, Reste(I, args));
    return I.pgFalse;
}

Objet* FormeAnd(Interp& I, Objet* args) {
    for (Objet* l = args; EstListeNonVide(I, l); l = CEL(l)->cdr)
        if (I.EstFaux(Evaluer(I, CEL(l)->car))) return I.pgFalse;
    return I.pgTrue;
}

Objet* FormeOr(Interp& I, Objet* args) {
    for (Objet* l = args; EstListeNonVide(I, l); l = CEL(l)->cdr)
        if (!I.EstFaux(Evaluer(I, CEL(l)->car))) return I.pgTrue;
    return I.pgFalse;
}

Objet* FormeCond(Interp& I, Objet* args) {
    for (Objet* l = args; EstListeNonVide(I, l); l = CEL(l)->cdr) {
        Objet* clause = CEL(l)->car;
        if (!EstListeNonVide(I, clause)) return Rapport(I, "Cond", "Il ne faut pas d'atome ici", clause);
        Objet* test = Evaluer(I, CEL(clause)->car);
        if (I.EstFaux(test)) continue;
        if (Second(I, clause) == I.pgNil) return test;  // une clause réduite à son test
        return EvalProgn(I, CEL(clause)->cdr);
    }
    return I.pgFalse;
}

// ------------------------------------------------------------ boucles
// while, do et for ne regardent pas les valeurs du corps : le marqueur d'un
// return venu du corps est abandonné et seule la condition (ou l'arrêt
// demandé) termine la boucle. repete fait tous ses tours et rend la valeur du
// dernier, marqueur compris.

Objet* FormeWhile(Interp& I, Objet* c, Objet* b) {
    Objet* v = Evaluer(I, c);
    while (!I.EstFaux(v) && !Arrete(I)) {
        PeutEtreSonder(I);
        EvaluerInstruction(I, b);  // un marqueur de return venu du corps est abandonné : la boucle continue
        v = Evaluer(I, c);
    }
    return I.pgNil;
}

Objet* FormeDo(Interp& I, Objet* b, Objet* c) {
    Objet* v;
    do {
        PeutEtreSonder(I);
        EvaluerInstruction(I, b);
        v = Evaluer(I, c);
    } while (!I.EstFaux(v) && !Arrete(I));
    return I.pgNil;
}

Objet* FormeFor(Interp& I, Objet* a, Objet* c, Objet* s, Objet* b) {
    EvaluerInstruction(I, a);
    Objet* v = Evaluer(I, c);
    while (!I.EstFaux(v) && !Arrete(I)) {
        PeutEtreSonder(I);
        EvaluerInstruction(I, b);
        EvaluerInstruction(I, s);
        v = Evaluer(I, c);
    }
    return I.pgNil;
}

Objet* FormeRepete(Interp& I, Objet* n, Objet* b) {
    Objet* v = Evaluer(I, n);
    if (!EstFlottant(v)) {
        Rapport(I, "Repete", "Le param 1 n'a pas une valeur numérique", n);
        return Rapport(I, "Repete", "La valeur du param 1 n'est pas un nombre", v);
    }
    const int64_t tours = TronqueBorne(FLO(v)->valeur, 0, INT64_MAX);
    Objet* r = I.pgNil;
    for (int64_t i = 0; i < tours && !Arrete(I); ++i) {
        PeutEtreSonder(I);
        r = EvaluerInstruction(I, b);  // tous les tours ; la valeur du dernier, marqueur ou non
    }
    return r;
}

// ------------------------------------------------------------ affectations

Objet* FormeSetq(Interp& I, Objet* n, Objet* e) {
    if (!EstNom(n)) return Rapport(I, "Setq", "Le param 1 n'est pas un Nom", n);
    Objet* v = Evaluer(I, e);
    EtatAffecte(v);
    Remplacer(I, NOM(n)->valeur, v);
    if (n == I.pasapas) RecalculerModeLent(I);
    return v;
}

Objet* FormeNextl(Interp& I, Objet* n) {
    if (!EstNom(n)) return Rapport(I, "Nextl", "Le param 1 n'est pas un Nom", n);
    Objet* v = NOM(n)->valeur;
    if (!EstCellule(v)) return Rapport(I, "Nextl", "La valeur du param 1 n'est pas une liste", v);
    NOM(n)->valeur = CEL(v)->cdr;
    if (n == I.pasapas) RecalculerModeLent(I);
    return CEL(v)->car;
}

// ------------------------------------------------------------ listes et exec

Objet* FormeExec(Interp& I, Objet* v) {
    PeutEtreSonder(I);
    return Evaluer(I, v);
}

Objet* FormeListe(Interp& I, Objet* args) {
    // Du dernier argument au premier ; la liste partielle, faite de cellules de
    // la réserve, garde les valeurs déjà calculées.
    size_t n = 0;
    for (Objet* l = args; EstListeNonVide(I, l); l = CEL(l)->cdr) ++n;
    Objet* local[16];
    std::vector<Objet*> grand;
    Objet** exprs = local;
    if (n > 16) {
        grand.resize(n);
        exprs = grand.data();
    }
    size_t i = 0;
    for (Objet* l = args; EstListeNonVide(I, l); l = CEL(l)->cdr) exprs[i++] = CEL(l)->car;
    Objet* r = I.pgNil;
    while (i-- > 0) r = I.mp(Evaluer(I, exprs[i]), r);
    return r;
}

// ------------------------------------------------------------ impressions

// Le texte imprimé part aussi dans la fenêtre graphique, depuis la tortue.
static void PlacerLeTexteSurLaTortue(Interp& I) {
    const int x = 500 + int(TronqueBorne(I.tortue.x, -1000000, 1000000));
    const int y = 500 - int(TronqueBorne(I.tortue.y, -1000000, 1000000));
    if (I.vue) I.vue->DeplacerVers(x, y);
    if (I.dessin) I.dessin->DeplacerVers(x, y);
}

Objet* FormeImpression(Interp& I, Objet* args, bool finDeLigne) {
    // L'écho graphique est rendu à son état d'avant (et non éteint) : une
    // impression faite pendant l'évaluation d'un argument n'éteint pas celle-ci.
    const bool echo = I.modeTexteGraphique;
    I.modeTexteGraphique = true;
    PlacerLeTexteSurLaTortue(I);
    for (Objet* l = args; EstListeNonVide(I, l); l = CEL(l)->cdr) {
        Objet* v = Evaluer(I, CEL(l)->car);
        if (I.EstMarqueur(v)) {
            v = Second(I, v);
            Ligne(I, "Le 'return' ne doit pas être utilisé à l'intérieur d'une impression.");
        }
        Imprime(I, v);
        I.LibereSiTemporaire(v);
    }
    I.modeTexteGraphique = echo;
    if (finDeLigne) Ligne(I, " ");
    return I.pgNil;
}

Objet* FormePPrint(Interp& I, Objet* args) {
    Objet* v = Evaluer(I, Premier(I, args));
    const bool echo = I.modeTexteGraphique;  // l'arbre ne va que dans la fenêtre des messages
    I.modeTexteGraphique = false;
    ImprimeArbre(I, v, 0, 0);
    I.modeTexteGraphique = echo;
    return I.pgNil;
}

}  // namespace gelim
