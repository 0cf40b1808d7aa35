// Le pas à pas (une boîte avant chaque sous-forme, la valeur après) et la
// trace des appels des FDU.
#include "eval/interne.h"
#include "objects/imprime.h"
#include "text/messages.h"

namespace gelim {

Objet* EvalPasAPasEnModePas(Interp& I, Objet* x) {
    const int32_t d = ++I.gProfondeurPasAPas;
    Indente(I, d);
    ImprimeAvecCrochets(I, x);
    // Le temps de la boîte, les faces montrent cette forme dans son texte.
    Objet* const montree = I.formeMontree;
    I.formeMontree = x;
    const ReponsePasAPas reponse =
        I.hote.BoitePasAPas(TXT("Faut-il ABANDONNER définitivement le pas à pas?"),
                            TXT("REESSAYER le pas à pas dans cette instruction ou l'IGNORER ?"));
    I.formeMontree = montree;
    Objet* r;
    switch (reponse) {
        case ReponsePasAPas::Abandonner:
            I.pasapas->valeur = I.pgFalse;
            RecalculerModeLent(I);
            I.gProfondeurPasAPas = 0;
            return EvalSExp(I, x);
        case ReponsePasAPas::Reessayer:
            r = EvalSExp(I, x);
            RecalculerModeLent(I);
            // Abandonné pendant la forme : la profondeur est déjà 0, rien à écrire.
            if (I.pasapas->valeur == I.pgFalse) return r;
            break;
        case ReponsePasAPas::Ignorer:
            I.pasapas->valeur = I.pgFalse;
            RecalculerModeLent(I);
            r = EvalSExp(I, x);
            I.pasapas->valeur = I.pgTrue;
            RecalculerModeLent(I);
            break;
        default:
            // La boîte n'a pu être montrée : la forme est sautée (et la profondeur rendue).
            I.gProfondeurPasAPas = d - 1;
            return I.pgNil;
    }
    I.gProfondeurPasAPas = d;
    Indente(I, d);
    ImprimeAvecCrochets(I, r);
    I.formeMontree = x;
    I.hote.BoiteMessage(TXT("Interpréteur graphique Dravo"), TXT("Après"));
    I.formeMontree = montree;
    I.gProfondeurPasAPas = d - 1;
    return r;
}

void TraceAppel(Interp& I, Nom* nom, Env* e, int profondeur) {
    Indente(I, profondeur);
    EcritNom(I, nom);
    EcritLigne(I, "=>");
    for (int32_t i = 0; i < e->nbParams && i < 8; ++i) {
        Indente(I, profondeur + 1);
        ImprimeLigne(I, e->cases[i]);
    }
}

void TraceRetour(Interp& I, Objet* r, int profondeur) {
    Indente(I, profondeur);
    Ecrit(I, "<= ");
    ImprimeLigne(I, r);
}

Objet* PrimTrace(Interp& I, Objet* n) {
    if (!EstNom(n)) return Rapport(I, "Trace", "Le param 1 n'est pas un Nom", n);
    if (NOM(n)->trace == 0) {
        NOM(n)->trace = 1;
        Ecrit(I, "Maintenant, je trace les appels à cette fonction : ");
    } else {
        EcritLigne(I, "J'ai déjà noté qu'il fallait tracer cette fonction : ");
    }
    EcritNomLigne(I, n);
    return I.pgNil;
}

Objet* PrimUntrace(Interp& I, Objet* n) {
    if (!EstNom(n)) return Rapport(I, "Untrace", "Le param 1 n'est pas un Nom", n);
    if (NOM(n)->trace == 1) {
        NOM(n)->trace = 0;
        Ecrit(I, "Maintenant, je ne trace plus les appels à cette fonction : ");
    } else {
        Ecrit(I, "J'ai déjà noté qu'il ne fallait pas (plus) tracer cette fonction : ");
    }
    EcritNomLigne(I, n);
    return I.pgNil;
}

}  // namespace gelim
