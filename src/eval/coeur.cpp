// Le cœur de l'évaluation : ce que vaut chaque objet, l'appel des FDU avec la
// pile des environnements, les suites d'instructions et le protocole du return.
#include "eval/appel.h"
#include "eval/interne.h"
#include "objects/imprime.h"
#include "text/messages.h"

namespace gelim {

// ------------------------------------------------------------ rapports

Objet* Rapport(Interp& I, const char* contexte, const char* message, Objet* x) {
    return ErreurExecution(I, contexte, message, x);
}

Objet* Rapport(Interp& I, const std::string& contexte, const char* message, Objet* x) {
    return ErreurExecution(I, contexte, message, x);
}

Objet* Rapport2(Interp& I, const char* t1, Objet* o1, const char* t2, Objet* o2) {
    return ErreurExecution2(I, t1, o1, t2, o2);
}

Objet* Rapport3(Interp& I, const char* t1, Objet* o1, const char* t2, Objet* o2, const char* t3, Objet* o3) {
    return ErreurExecution3(I, t1, o1, t2, o2, t3, o3);
}

void Ligne(Interp& I, const char* texte) {
    EcritLigne(I, texte);
}

// ------------------------------------------------------------ arrêt et bornes

Objet* ArretDemandeIci(Interp& I) {
    I.modeLent = true;
    if (!I.arretSignale) {
        I.arretSignale = true;
        // Une ligne à elle, et pas dans la fenêtre graphique.
        EcritLigneHorsDuDessin(I, "Tu as demandé l'arrêt : le programme s'arrête ici.");
    }
    return I.pgNil;
}

void SonderLHote(Interp& I) {
    if (I.hote.ArretDemande()) I.arretDemande.store(true, std::memory_order_relaxed);
    RecalculerModeLent(I);
}

Objet* EvaluerLentement(Interp& I, Objet* x) {
    RecalculerModeLent(I);
    if (ArretEnCours(I)) return ArretDemandeIci(I);
    if (I.pasapas->valeur != I.pgFalse) return EvalPasAPasEnModePas(I, x);
    return EvalSExp(I, x);
}

// Toute imbrication sans fin (exec d'une liste qui s'exécute elle-même, formes
// imbriquées, chargements en chaîne) s'arrête ici plutôt que de déborder la pile.
Objet* TropProfond(Interp& I, Objet* x) {
    --I.profondeurNative;
    if (I.profondeurNativeSignalee) return I.pgCestFaux;
    I.profondeurNativeSignalee = true;
    return Rapport(I, "Evaluation trop profonde",
                   "Les évaluations s'imbriquent trop profondément : j'abandonne celle-ci.", x);
}

Objet* PileDesEnvPleine(Interp& I, Objet* x) {
    return Rapport(I, "Evaluation trop profonde",
                   "Plus de place pour les variables des appels imbriqués : j'abandonne celui-ci.", x);
}

// La 801e imbrication d'appels : les deux lignes à chaque refus, la boîte une
// fois par commande (une fonction qui s'appelle deux fois sans fin en ouvrirait
// sans fin).
constexpr int32_t kBoitesDeDepassementMax = 1;

Objet* PileDesAppelsPleine(Interp& I) {
    static const char* l1 = "Erreur lors de l'évaluation récursive d'une procédure :";
    static const char* l2 = "Dépassement de capacité dans la pile.";
    if (I.depassementsMontres < kBoitesDeDepassementMax) {
        ++I.depassementsMontres;
        I.hote.AlerteOk(TXT("A  T  T  E  N  T  I  O  N"), {Utf8VersCp1252(l1), Utf8VersCp1252(l2)});
    }
    EcritLigne(I, l1);
    EcritLigne(I, l2);
    return I.pgNil;
}

// ------------------------------------------------------------ atomes

[[gnu::cold, gnu::noinline]] static Objet* MauvaisType(Interp& I, Objet* x, const char* texte) {
    Ecrit(I, texte);
    ImprimeEnColonne(I, x, 0);
    return I.pgCestFaux;
}

static Objet* EvalAtome(Interp& I, Objet* x) {
    switch (x->tag) {
        case kTagFlottant: return x;
        case kTagNom: return NOM(x)->valeur;
        case kTagParamDeFDU: {
            Env* e = EnvCourant(I);
            if (!e) return Rapport(I, "pNB_EvalSExp", "Evaluation d'une variable locale non-instanciée", x);
            return e->cases[PARAM(x)->indice & 7];
        }
        case kTagMyString:
            if (x == I.pgTrue || x == I.pgFalse) return x;
            return MauvaisType(I, x, "Erreur dans LanceEval : Mauvais Type ");
        case kTagSeparateur: return MauvaisType(I, x, "Erreur dans LanceEval : Mauvais Type ");
        default: return MauvaisType(I, x, "Erreur dans LanceEval : Mauvais Type dans le switch ");
    }
}

// ------------------------------------------------------------ entrées

Objet* EvalPasAPas(Interp& I, Objet* x) {
    // Une entrée de l'extérieur : le pas à pas ou l'arrêt ont pu changer.
    RecalculerModeLent(I);
    return Evaluer(I, x);
}

Objet* EvalSExp(Interp& I, Objet* x) {
    if (x->tag != kTagCellule) return EvalAtome(I, x);
    Objet* f = CEL(x)->car;
    if (f == I.pgNil) return I.pgNil;
    if (++I.profondeurNative > I.profondeurNativeMax) return TropProfond(I, x);
    Objet* args = CEL(x)->cdr;
    Objet* r;
    if (EstPrimitive(f)) {
        r = Aiguiller(I, FONC(f), args);
    } else if (EstNomOuParam(f)) {
        r = EvalFDU(I, NOM(f), args);
        if (I.EstMarqueur(r)) r = Second(I, r);  // la valeur portée par le return
    } else if (EstCellule(f)) {
        r = Rapport(I, "pNB_EvalSExp", "Evaluation de la forme ((...)...)", x);
    } else if (EstFlottant(f)) {
        r = Rapport(I, "pNB_EvalSExp", "Evaluation d'une liste de nombres", f);
    } else {
        r = Rapport(I, "pNB_EvalSExp", "Evaluation d'une liste bizarre", f);
    }
    --I.profondeurNative;
    return r;
}

Objet* EvalFonc(Interp& I, Fonc* f, Objet* args) {
    if (!EstPrimitive(f)) return Rapport(I, "Fonc::EvalFonc", "qu'il y a un défaut dans le switch", f);
    return Aiguiller(I, f, args);
}

// Une instruction d'une suite. Les blocs, les if et les return s'y font sur
// place, sans aiguillage ni marqueur alloué ; le pas à pas et l'arrêt, eux,
// doivent tout voir passer : chemin ordinaire.
Objet* EvalInstruction(Interp& I, Objet* x) {
    if (I.modeLent) [[unlikely]]
        return InstructionLente(I, x);
    if (!EstListeNonVide(I, x) || !EstCellule(CEL(x)->cdr)) return Evaluer(I, x);
    Objet* tete = CEL(x)->car;
    Objet* args = CEL(x)->cdr;
    switch (tete->tag) {
        case kReturn: {
            Fonc* f = FONC(tete);
            Objet* e = f->expr[0] = Premier(I, args);
            return RetourDirect(I, f->val[0] = Evaluer(I, e));
        }
        case kProgn:
        case kIf:
        case kWhen: break;
        default: return Evaluer(I, x);
    }
    if (++I.profondeurNative > I.profondeurNativeMax) return TropProfond(I, x);
    Objet* v;
    if (tete->tag == kProgn) {
        v = EvalPrognInterne(I, args);
    } else if (I.EstFaux(Evaluer(I, Premier(I, args)))) {
        v = tete->tag == kIf ? EvalPrognInterne(I, Reste(I, Reste(I, args))) : I.pgNil;
    } else {
        v = tete->tag == kIf ? EvalInstruction(I, Second(I, args)) : EvalPrognInterne(I, Reste(I, args));
    }
    --I.profondeurNative;
    return v;
}

// La suite d'instructions ; peut rendre le marqueur direct. L'instruction en
// cours est notée (la ligne d'une erreur, ce que montre une pause), puis
// celle qui englobe la suite est rendue.
Objet* EvalPrognInterne(Interp& I, Objet* liste) {
    Objet* const englobante = I.instructionCourante;
    Objet* v = I.pgNil;
    for (Objet* l = liste; EstListeNonVide(I, l); l = CEL(l)->cdr) {
        Objet* x = CEL(l)->car;
        I.instructionCourante = x;
        v = EvalInstruction(I, x);
        if (I.EstMarqueur(v)) break;
        I.LibereSiTemporaire(v);
        v = I.pgNil;
        if (Arrete(I)) break;
    }
    I.instructionCourante = englobante;
    return v;
}

Objet* EvalProgn(Interp& I, Objet* liste) {
    Objet* r = EvalPrognInterne(I, liste);
    if (r == &I.marqueurDirect) r = I.Marqueur(I.marqueurDirectValeur.car);
    return r;
}

// ------------------------------------------------------------ appel d'une FDU

Objet* EvalFDU(Interp& I, Nom* nom, Objet* args) {
    if (I.gProfondeurEnv >= kProfondeurMaxEnv) return PileDesAppelsPleine(I);
    PeutEtreSonder(I);
    const int32_t attendus = nom->nbParamsFDU;
    int32_t n = 0;
    for (Objet* l = args; EstCellule(l) && l != I.pgNil && n <= attendus; l = CEL(l)->cdr) ++n;
    if (Objet* refus = RefusDeLAppel(I, nom, args, n)) return refus;
    Objet* l = args;
    return LierEtExecuter(
        I, nom, n,
        [&](int32_t) {
            Objet* v = Evaluer(I, CEL(l)->car);
            l = CEL(l)->cdr;
            return v;
        },
        [&] { return ExecuterLeCorps(I, nom); });
}

// ------------------------------------------------------------ commandes

void InstallerEnvironnementDeBase(Interp& I) {
    if (I.gProfondeurEnv >= 0) return;
    Env* e = I.NouvelEnv(0);
    if (!e) return;
    I.gProfondeurEnv = 0;
    I.pgTabpEnv[0] = e;
}

void PreparerCommande(Interp& I) {
    I.NbErreursExecution = 0;
    I.DemandeDeRecuperation = false;
    I.epuisementSignale = false;
    I.depassementsMontres = 0;
    I.profondeurNativeSignalee = false;
    I.profondeurNative = 0;
    I.arretDemande.store(false);
    I.arretSignale = false;
    I.instructionCourante = nullptr;
    I.formeMontree = nullptr;
    I.lieux.texteDeLaCommande = I.lieux.texteCourant;
    RecalculerModeLent(I);
    // Filet de sécurité : la commande part toujours de l'environnement de base.
    if (I.gProfondeurEnv < 0) {
        InstallerEnvironnementDeBase(I);
    } else if (I.gProfondeurEnv > 0) {
        for (int32_t d = 1; d <= I.gProfondeurEnv && d < int32_t(I.pgTabpEnv.size()); ++d)
            I.pgTabpEnv[size_t(d)] = nullptr;
        I.gProfondeurEnv = 0;
        I.hautPileEnv = size_t(I.pgTabpEnv[0] - I.pileEnv.data()) + 1;
    }
}

}  // namespace gelim
