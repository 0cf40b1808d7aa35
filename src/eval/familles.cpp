// Les familles de primitives : comment les arguments sont évalués et
// vérifiés, quel membre est appelé, ce que deviennent les temporaires.
#include <array>

#include "eval/calcul.h"
#include "eval/interne.h"
#include "objects/imprime.h"
#include "primitives/numeriques.h"
#include "primitives/primitives.h"
#include "text/messages.h"
#include "turtle/tortue.h"

namespace gelim {

namespace {

// ------------------------------------------------------------ évaluation des arguments

// Vérifications de genre : rendent la valeur, ou son remplaçant après le rapport.
struct VerifListe2 {
    static Objet* Verifier(Interp& I, Fonc* f, int k, Objet* v) {
        if (EstCellule(v)) return v;
        Rapport2(I, "l'évaluation des 2 paramètres d'une fonction sur les listes.", f,
                 k == 0 ? "le premier paramètre n'est pas une liste" : "le second paramètre n'est pas une liste", v);
        return I.pgNil;
    }
};

const char* const kRangs[4] = {"le premier paramètre n'est pas un nombre", "le deuxième paramètre n'est pas un nombre",
                               "le troisième paramètre n'est pas un nombre",
                               "le quatrième paramètre n'est pas un nombre"};

struct VerifLogo1 {
    static Objet* Verifier(Interp& I, Fonc* f, int, Objet* v) {
        if (EstFlottant(v)) return v;
        Rapport2(I, "l'évaluation du paramètre d'une fonction.", f, "ce paramètre n'est pas nombre", v);
        return I.pgUn;
    }
};

struct VerifLogo2 {
    static Objet* Verifier(Interp& I, Fonc* f, int k, Objet* v) {
        if (EstFlottant(v)) return v;
        Rapport2(I, "l'évaluation d'une fonction à 2 paramètres numériques", f,
                 k == 0 ? kRangs[0] : "le second paramètre n'est pas un nombre", v);
        return I.pgUn;
    }
};

struct VerifLogo3 {
    static Objet* Verifier(Interp& I, Fonc* f, int k, Objet* v) {
        if (EstFlottant(v)) return v;
        Rapport2(I, "l'évaluation d'une fonction à 3 paramètres numériques", f, kRangs[k & 3], v);
        return I.pgUn;
    }
};

struct VerifLogo4 {
    static Objet* Verifier(Interp& I, Fonc* f, int k, Objet* v) {
        if (EstFlottant(v)) return v;
        Rapport2(I, "l'évaluation d'une fonction à 4 paramètres numériques", f, kRangs[k & 3], v);
        return I.pgUn;
    }
};

// Un seul argument : évalué et vérifié dans les cases de f ; rend sa valeur.
template <class Verif>
inline Objet* EvaluerUn(Interp& I, Fonc* f, Objet* args) {
    Objet* e = Premier(I, args);
    f->expr[0] = e;
    return f->val[0] = Verif::Verifier(I, f, 0, Evaluer(I, e));
}

// Évalue les n premiers arguments (2 à 4), de gauche à droite, dans les cases
// de f ; les arguments en trop ne sont jamais évalués, ceux qui manquent
// valent []. Les valeurs sont gardées dans des variables locales : une
// expression suivante qui rappelle cette même primitive peut écraser ses
// cases sans dommage. Mais pendant qu'une forme s'évalue, une valeur déjà
// calculée et périssable attend dans un Env de la pile LIFO, racine de la
// collecte (un atome, lui, n'alloue rien). Rend faux si la réserve des Env
// est épuisée (rapport écrit).
template <class Verif>
bool EvaluerArguments(Interp& I, Fonc* f, Objet* args, int n) {
    Objet* e[4];
    Objet* l = args;
    bool formes = false;
    for (int k = 0; k < n; ++k, l = Reste(I, l)) {
        e[k] = Premier(I, l);
        if (k > 0) formes = formes || EstListeNonVide(I, e[k]);
    }
    f->expr[0] = e[0];
    Objet* valeurs[4];
    valeurs[0] = f->val[0] = Verif::Verifier(I, f, 0, Evaluer(I, e[0]));
    Env* abri = nullptr;
    if (formes) {
        abri = PrendreEnv(I, n);
        if (!abri) {
            PileDesEnvPleine(I, f);
            return false;
        }
        abri->cases[0] = valeurs[0];
    }
    for (int k = 1; k < n; ++k) {
        f->expr[k] = e[k];
        valeurs[k] = f->val[k] = Verif::Verifier(I, f, k, Evaluer(I, e[k]));
        if (abri) abri->cases[k] = valeurs[k];
    }
    if (abri) {
        for (int k = 0; k < n; ++k) f->val[k] = valeurs[k];
        RendreEnv(I);
    }
    return true;
}

// Le cas le plus fréquent, deux arguments, en ligne droite.
template <class Verif>
[[gnu::always_inline]] inline bool EvaluerDeux(Interp& I, Fonc* f, Objet* args) {
    Objet* e1 = Premier(I, args);
    Objet* e2 = Second(I, args);
    return EvaluerDeuxAvec<Verif>(
        I, f, e1, e2, [&] { return Evaluer(I, e1); }, [&] { return Evaluer(I, e2); });
}

}  // namespace

Objet* Defaut(Interp& I, const char* contexte, Fonc* f) {
    return Rapport(I, contexte, "ce cas est imprévu ", f);
}

namespace {

// ------------------------------------------------------------ familles évaluantes
// Chaque famille est une fonction à part : les aiguillages ne font qu'y sauter,
// sans cadre à eux.

[[gnu::noinline]] Objet* EvalFoncEvNSNum1param(Interp& I, Fonc* f, Objet* args) {
    Objet* e = Premier(I, args);
    f->expr[0] = e;
    Objet* v = Evaluer(I, e);
    if (!EstFlottant(v)) {
        Rapport3(I, "Erreur dans l'évaluation de cette fonction numérique à 1 paramètre : ", f,
                 "Son paramètre qui est : ", e, "n'a pas une valeur de nombre : ", v);
        v = I.pgUn;
    }
    f->val[0] = v;
    float r;
    if (!CalculNum1(I, f->tag, FLO(v), r))
        return Rapport(I, "switch EvalFoncEvNSNum1param", "ce cas est imprévu", args);
    return EstTemporaireVivant(v) ? Reutiliser(v, r) : I.NouveauNombreTemporaire(r);
}

[[gnu::always_inline]] inline Objet* Num2(Interp& I, Fonc* f, Objet* args, const uint16_t code) {
    if (!EvaluerDeux<VerifNum2>(I, f, args)) return I.pgCestFaux;
    return ResultatNum2(I, f, code);
}

[[gnu::noinline]] Objet* EvalFoncEvNS2Numparam(Interp& I, Fonc* f, Objet* args) {
    return Num2(I, f, args, f->tag);
}

// Les membres les plus fréquents ont chacun leur copie de la famille : leur
// code est connu à la compilation, le choix du calcul disparaît.
template <uint16_t Code>
[[gnu::noinline]] Objet* Num2Membre(Interp& I, Fonc* f, Objet* args) {
    return Num2(I, f, args, Code);
}

[[gnu::noinline]] Objet* EvalFoncEvNSListe1param(Interp& I, Fonc* f, Objet* args) {
    Objet* v = Evaluer(I, f->expr[0] = Premier(I, args));
    if (!EstCellule(v)) {
        Rapport2(I, "l'évaluation du paramètre d'une fonction sur les listes.", f, "le paramètre n'est pas une liste",
                 v);
        v = I.pgNil;
    }
    f->val[0] = v;
    const uint16_t c = f->tag;
    if (c >= kCaar && c <= kCddddr) return PrimCxr(I, c, v);
    switch (c) {
        case kRenverse: return PrimRenverse(I, v);
        case kImplose: return PrimImplose(I, v);
        case kPlat: return PrimPlat(I, v);
        default: return Rapport(I, "switch EvalFoncEvNSListe1param", "ce cas est imprévu", args);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNS2Listeparam(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerDeux<VerifListe2>(I, f, args)) return I.pgCestFaux;
    return Defaut(I, " switch EvalFoncEvNS2Listeparam ", f);  // aucun membre
}

[[gnu::noinline]] Objet* EvalFoncEvNSFree0param(Interp& I, Fonc* f, Objet*) {
    switch (f->tag) {
        case kVideTexte: return PrimVideTexte(I);
        case kCatalogue: I.Catalogue(); return I.pgNil;
        case kLisMot: return PrimLisMot(I);
        case kLisNombre: return PrimLisNombre(I);
        case kGetchar: return PrimGetchar(I);
        case kLisListe: return PrimLisListe(I);
        case kRecycle: return PrimRecycle(I);
        default: return Defaut(I, " switch EvalFoncEvNSFree0param ", f);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNSFree1param(Interp& I, Fonc* f, Objet* args) {
    Objet* v = EvaluerUn<SansVerification>(I, f, args);
    switch (f->tag) {
        case kExec: return FormeExec(I, v);
        case kMotP:
        case kConsp:
        case kListeP:
        case kNombreP:
        case kSexp:
        case kSymboleP:
        case kVarp:
        case kVideP:
        case kNomP:
        case kPrimP:
        case kProcP:
        case kNon: return PrimTestType(I, f->tag, v);
        case kLongueur: return PrimLongueur(I, v);
        case kPretty: return PrimPretty(I, v);
        case kMontre: return PrimMontre(I, v);
        case kCharge: return PrimCharge(I, v);
        case kReturn: return I.Marqueur(v);
        default: return Defaut(I, " switch EvalFoncEvNSFree1param ", f);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNSFree2param(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerDeux<SansVerification>(I, f, args)) return I.pgCestFaux;
    Objet* a = f->val[0];
    Objet* b = f->val[1];
    switch (f->tag) {
        case kEq: return PrimEq(I, a, b);
        case kEgalP: return PrimEgal(I, a, b);
        case kNeq: return PrimNeq(I, a, b);
        case kEtEt: return PrimEtEt(I, a, b);
        case kOuOu: return PrimOuOu(I, a, b);
        case kListe2: return PrimListe2(I, a, b);
        case kMembreP: return PrimMembre(I, a, b);
        case kMemq: return PrimMemq(I, a, b);
        default: return Defaut(I, " switch EvalFoncEvNSFree2param ", f);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNSAutre1param(Interp& I, Fonc* f, Objet* args) {
    Objet* v = EvaluerUn<SansVerification>(I, f, args);
    switch (f->tag) {
        case kTexte: return PrimTexte(I, v);
        case kTrace: return PrimTrace(I, v);
        case kUntrace: return PrimUntrace(I, v);
        case kJoue: return PrimJoue(I, v);
        case kRecycleValeur: return PrimRecycleValeur(I, v);
        case kExplose: return PrimExplose(I, v);
        case kCar: return PrimCarCode(I, v);
        case kPrem: return PrimPrem(I, v);
        case kDer: return PrimDer(I, v);
        case kSp: return PrimSp(I, v);
        case kSd: return PrimSd(I, v);
        default: return Defaut(I, " switch EvalFoncEvNSAutre1param ", f);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNSAutre2param(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerDeux<SansVerification>(I, f, args)) return I.pgCestFaux;
    Objet* a = f->val[0];
    Objet* b = f->val[1];
    switch (f->tag) {
        case kMp: return PrimMp(I, a, b);
        case kNieme: return PrimNieme(I, a, b);
        case kDonne: return FormeDonne(I, a, b, false);
        case kMot: return PrimMot(I, a, b);
        case kPhrase: return PrimPhrase(I, a, b);
        case kSoit: return FormeDonne(I, a, b, true);
        default: return Defaut(I, " switch EvalFoncEvNSAutre2param ", f);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNSAutre3param(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerArguments<SansVerification>(I, f, args, 3)) return I.pgCestFaux;
    switch (f->tag) {
        case kSubst: return PrimSubst(I, f->val[0], f->val[1], f->val[2]);
        case kAfficheBitmap: return PrimAfficheBitmap(I, f->val[0], f->val[1], f->val[2]);
        default: return Defaut(I, " switch EvalFoncEvNSAutre3param ", f);
    }
}

[[gnu::noinline]] Objet* EvalFoncEvNSLogo0param(Interp& I, Fonc* f, Objet*) {
    Objet* r = ExecuterLogo0(I, f);
    return r ? r : Defaut(I, " switch EvalFoncEvNSLogo0param ", f);
}

inline float V(Fonc* f, int k) {
    return FLO(f->val[k])->valeur;
}

// Les commandes de la tortue rendent [] ; leurs arguments temporaires sont consommés.
Objet* FinLogo(Interp& I, Fonc* f, int n, bool membre, Objet* defaut) {
    for (int k = 0; k < n; ++k) I.LibereSiTemporaire(f->val[k]);
    return membre ? I.pgNil : defaut;
}

[[gnu::noinline]] Objet* EvalFoncEvNSLogo1param(Interp& I, Fonc* f, Objet* args) {
    EvaluerUn<VerifLogo1>(I, f, args);
    if (ExecuterLogo1(I, f, V(f, 0))) return FinLogo(I, f, 1, true, nullptr);
    Objet* d = Rapport(I, "switch EvalFoncEvNSLogo1param", "ce cas est imprévu", args);
    return FinLogo(I, f, 1, false, d);
}

[[gnu::noinline]] Objet* EvalFoncEvNSLogo2param(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerDeux<VerifLogo2>(I, f, args)) return I.pgCestFaux;
    if (ExecuterLogo2(I, f, V(f, 0), V(f, 1))) return FinLogo(I, f, 2, true, nullptr);
    return FinLogo(I, f, 2, false, Defaut(I, " switch EvalFoncEvNS2Numparam ", f));
}

[[gnu::noinline]] Objet* EvalFoncEvNSLogo3Param(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerArguments<VerifLogo3>(I, f, args, 3)) return I.pgCestFaux;
    if (ExecuterLogo3(I, f, V(f, 0), V(f, 1), V(f, 2))) return FinLogo(I, f, 3, true, nullptr);
    return FinLogo(I, f, 3, false, Defaut(I, " switch EvalFoncEvNSLogo3Param ", f));
}

[[gnu::noinline]] Objet* EvalFoncEvNSLogo4Param(Interp& I, Fonc* f, Objet* args) {
    if (!EvaluerArguments<VerifLogo4>(I, f, args, 4)) return I.pgCestFaux;
    if (ExecuterLogo4(I, f, V(f, 0), V(f, 1), V(f, 2), V(f, 3))) return FinLogo(I, f, 4, true, nullptr);
    return FinLogo(I, f, 4, false, Defaut(I, " switch EvalFoncEvNSLogo4Param ", f));
}

Objet* FormeTape(Interp& I, Objet* args) {
    return FormeImpression(I, args, false);
}
Objet* FormeEcris(Interp& I, Objet* args) {
    return FormeImpression(I, args, true);
}

// Une forme à liste d'arguments : la liste doit en être une, puis la forme.
template <Objet* (*Forme)(Interp&, Objet*)>
Objet* NESP(Interp& I, Fonc* f, Objet* args) {
    if (!EstCellule(args)) [[unlikely]]
        return Rapport(I, f->nom, "EvalFoncNESP : Le paramètre n'est pas une liste", args);
    return Forme(I, args);
}

Objet* DefautEvalFonc(Interp& I, Fonc* f, Objet*) {
    return Rapport(I, "Fonc::EvalFonc", "qu'il y a un défaut dans le switch", f);
}

// Les familles évaluantes par tranche de codes, de kFamilleEvNS à kFinFoncEvNS : la
// première borne inférieure atteinte en partant du haut.
constexpr std::array<Aiguillage, kNbAiguillages> FaireAiguillages() {
    constexpr struct {
        uint16_t debut;
        Aiguillage famille;
    } bornes[] = {{kDebutLogo4, EvalFoncEvNSLogo4Param},    {kDebutLogo3, EvalFoncEvNSLogo3Param},
                  {kDebutLogo2, EvalFoncEvNSLogo2param},    {kDebutLogo1, EvalFoncEvNSLogo1param},
                  {kDebutLogo0, EvalFoncEvNSLogo0param},    {kDebutAutres3, EvalFoncEvNSAutre3param},
                  {kDebutAutres2, EvalFoncEvNSAutre2param}, {kDebutAutres1, EvalFoncEvNSAutre1param},
                  {kDebutFree2, EvalFoncEvNSFree2param},    {kDebutFree1, EvalFoncEvNSFree1param},
                  {kDebutFree0, EvalFoncEvNSFree0param},    {kDebutListe2, EvalFoncEvNS2Listeparam},
                  {kDebutListe1, EvalFoncEvNSListe1param},  {kDebutNum2, EvalFoncEvNS2Numparam},
                  {kDebutNum1, EvalFoncEvNSNum1param}};
    // Les formes à liste d'arguments connues sautent directement à leur forme.
    constexpr struct {
        uint16_t code;
        Aiguillage forme;
    } formes[] = {{kProgn, NESP<EvalProgn>},
                  {kIf, NESP<FormeIf>},
                  {kWhen, NESP<FormeWhen>},
                  {kUnless, NESP<FormeUnless>},
                  {kAnd, NESP<FormeAnd>},
                  {kOr, NESP<FormeOr>},
                  {kLispDe, NESP<LispDe>},
                  {kListe, NESP<FormeListe>},
                  {kCond, NESP<FormeCond>},
                  {kLet, NESP<FormeLet>},
                  {kTape, NESP<FormeTape>},
                  {kEcris, NESP<FormeEcris>},
                  {kPPrint, NESP<FormePPrint>},
                  {kPlus, Num2Membre<kPlus>},
                  {kMoins, Num2Membre<kMoins>},
                  {kFois, Num2Membre<kFois>},
                  {kInf, Num2Membre<kInf>},
                  {kInfEgal, Num2Membre<kInfEgal>},
                  {kSup, Num2Membre<kSup>},
                  {kSupEgal, Num2Membre<kSupEgal>},
                  {kEgalEgal, Num2Membre<kEgalEgal>},
                  {kDifferent, Num2Membre<kDifferent>}};
    std::array<Aiguillage, kNbAiguillages> t{};
    for (int c = kFamilleNENS; c < kFinFoncEvNS; ++c) {
        Aiguillage a = DefautEvalFonc;
        if ((c & kMasqueFamille) == kFamilleNENS) a = EvalFoncNENS;
        if ((c & kMasqueFamille) == kFamilleNESP) a = EvalFoncNESP;
        if ((c & kMasqueFamille) == kFamilleEvNS)
            for (const auto& b : bornes)
                if (c >= b.debut) {
                    a = b.famille;
                    break;
                }
        for (const auto& fo : formes)
            if (c == fo.code) a = fo.forme;
        t[size_t(c - kFamilleNENS)] = a;
    }
    return t;
}

}  // namespace

constinit const std::array<Aiguillage, kNbAiguillages> kAiguillages = FaireAiguillages();

// ------------------------------------------------------------ aiguillages

Objet* EvalFoncNENS(Interp& I, Fonc* f, Objet* args) {
    // Les expressions passent par des variables locales : la même forme,
    // rappelée pendant son propre travail, réécrit ses cases.
    switch (f->nbArgs) {
        case 0: return Rapport(I, "switch EvalFoncNENS0param", "ce cas est imprévu", I.pgCestFaux);
        case 1: {
            Objet* a = f->expr[0] = Premier(I, args);
            switch (f->tag) {
                case kQuote: return a;
                case kNextl: return FormeNextl(I, a);
                default: return Rapport(I, "switch EvalFoncNENS1param", "ce cas est imprévu", args);
            }
        }
        case 2: {
            Objet* a = f->expr[0] = Premier(I, args);
            Objet* b = f->expr[1] = Second(I, args);
            switch (f->tag) {
                case kSetq: return FormeSetq(I, a, b);
                case kRepete: return FormeRepete(I, a, b);
                case kWhile: return FormeWhile(I, a, b);
                case kDo: return FormeDo(I, a, b);
                default: return Defaut(I, " switch EvalFoncNENS2param ", f);
            }
        }
        case 4: {
            Objet* e[4];
            Objet* l = args;
            for (int k = 0; k < 4; ++k, l = Reste(I, l)) e[k] = f->expr[k] = Premier(I, l);
            if (f->tag == kFor) return FormeFor(I, e[0], e[1], e[2], e[3]);
            return Defaut(I, " switch EvalFoncNENS4param ", f);
        }
        default: return Rapport(I, "Fonc::EvalFoncNENS", "qu'il y a un défaut dans le switch", f);
    }
}

Objet* EvalFoncNESP(Interp& I, Fonc* f, Objet* args) {
    if (!EstCellule(args)) return Rapport(I, f->nom, "EvalFoncNESP : Le paramètre n'est pas une liste", args);
    switch (f->tag) {
        case kProgn: return EvalProgn(I, args);
        case kIf: return FormeIf(I, args);
        case kWhen: return FormeWhen(I, args);
        case kUnless: return FormeUnless(I, args);
        case kAnd: return FormeAnd(I, args);
        case kOr: return FormeOr(I, args);
        case kLispDe: return LispDe(I, args);
        case kListe: return FormeListe(I, args);
        case kCond: return FormeCond(I, args);
        case kLet: return FormeLet(I, args);
        case kTape: return FormeTape(I, args);
        case kEcris: return FormeEcris(I, args);
        case kPPrint: return FormePPrint(I, args);
        default: return Rapport(I, "switch EvalFoncNESP", "ce cas est imprévu", f);
    }
}

Objet* EvalFoncEvNS(Interp& I, Fonc* f, Objet* args) {
    const uint16_t c = f->tag;
    if (c < kFamilleEvNS) return Rapport(I, "FoncEvNS::EvalFoncEvNS", "Type < DebutFoncEvNSNum0Param", f);
    if (c > kFinFoncEvNS) return Rapport(I, "FoncEvNS::EvalFoncEvNS", "Type > FinFoncEvNS", f);
    if (c == kFinFoncEvNS) return EvalFoncEvNSLogo4Param(I, f, args);
    return kAiguillages[size_t(c - kFamilleNENS)](I, f, args);
}

}  // namespace gelim
