// Les corps compilés des FDU : construction et exécution. Chaque nœud refait
// pas à pas ce que EvalPasAPas (expressions) ou l'instruction d'une suite
// (coeur.cpp) ferait de son expression d'origine, dans le même ordre.
#include "eval/compile.h"
#include "eval/appel.h"
#include "eval/calcul.h"
#include "eval/interne.h"

namespace gelim {

namespace {

// Au-delà, les corps ne sont plus compilés jusqu'à la prochaine collecte (une
// commande qui redéfinit sans cesse ses fonctions).
constexpr size_t kCorpsCompilesMax = 4096;
// Imbrication des expressions compilées ; plus profond, l'évaluation ordinaire
// (une définition bâtie par le programme peut être imbriquée sans fin).
constexpr int kProfondeurCompileeMax = 200;
// Nœuds d'un corps, et de tous les corps : une définition bâtie par un
// programme peut partager ses sous-listes et compter des milliards de chemins.
// Au-delà, la suite du corps passe à l'évaluation ordinaire.
constexpr size_t kNoeudsParCorpsMax = size_t(1) << 16;
constexpr size_t kNoeudsMax = size_t(1) << 19;

// ------------------------------------------------------------ construction

class Compilateur {
public:
    Compilateur(Interp& I, CorpsCompile& c) : I(I), c_(c) {}

    Noeud* Expression(Objet* x, int prof) {
        Noeud* n = Nouveau(x);
        if (prof > kProfondeurCompileeMax || Plein()) return n;
        switch (x->tag) {
            case kTagFlottant: n->op = Op::Nombre; return n;
            case kTagNom: n->op = Op::Global; return n;
            case kTagParamDeFDU:
                n->op = Op::Parametre;
                n->indice = PARAM(x)->indice & 7;
                return n;
            case kTagCellule: break;
            default: return n;
        }
        Objet* f = CEL(x)->car;
        Objet* args = CEL(x)->cdr;
        if (f->tag == kQuote) {
            n->op = Op::Citation;
            n->tete = f;
            n->e1 = EstCellule(args) ? CEL(args)->car : I.pgNil;
            return n;
        }
        if (f == I.pgNil) return n;
        n->tete = f;
        n->args = args;
        if (EstPrimitive(f)) {
            if (!EstMembreNum2Rapide(f->tag)) {
                n->op = Op::Primitive;
                return n;
            }
            n->op = Op::Num2;
            n->code = f->tag;
            n->e1 = Premier(I, args);
            n->e2 = Second(I, args);
            n->a = Expression(n->e1, prof + 1);
            n->b = Expression(n->e2, prof + 1);
            return n;
        }
        if (!EstNom(f)) return n;
        std::vector<Objet*> a;
        for (Objet* l = args; EstCellule(l) && l != I.pgNil && a.size() <= 8; l = CEL(l)->cdr) a.push_back(CEL(l)->car);
        if (a.size() > 8) return n;  // toujours refusé : le rapport de l'évaluation ordinaire
        n->op = Op::Appel;
        n->indice = int32_t(a.size());
        n->suite = Suite(a, prof + 1, false);
        return n;
    }

    Noeud* Instruction(Objet* x, int prof) {
        if (prof > kProfondeurCompileeMax || Plein()) {
            Noeud* n = Nouveau(x);
            n->op = Op::InstructionGenerique;
            return n;
        }
        if (!EstListeNonVide(I, x) || !EstCellule(CEL(x)->cdr)) return Expression(x, prof);
        Objet* tete = CEL(x)->car;
        Objet* args = CEL(x)->cdr;
        Noeud* n;
        switch (tete->tag) {
            case kReturn:
                n = Nouveau(x);
                n->op = Op::Return;
                n->tete = tete;
                n->e1 = Premier(I, args);
                n->a = Expression(n->e1, prof + 1);
                return n;
            case kProgn:
                n = Nouveau(x);
                n->op = Op::Bloc;
                n->suite = SuiteDInstructions(args, prof + 1);
                return n;
            case kIf:
                n = Nouveau(x);
                n->op = Op::If;
                n->a = Expression(Premier(I, args), prof + 1);
                n->b = Instruction(Second(I, args), prof + 1);
                n->suite = SuiteDInstructions(Reste(I, Reste(I, args)), prof + 1);
                return n;
            case kWhen:
                n = Nouveau(x);
                n->op = Op::When;
                n->a = Expression(Premier(I, args), prof + 1);
                n->suite = SuiteDInstructions(Reste(I, args), prof + 1);
                return n;
            default: return Expression(x, prof);
        }
    }

    SuiteDeNoeuds SuiteDInstructions(Objet* liste, int prof) {
        std::vector<Objet*> a;
        for (Objet* l = liste; EstListeNonVide(I, l); l = CEL(l)->cdr) a.push_back(CEL(l)->car);
        return Suite(a, prof, true);
    }

private:
    bool Plein() const { return c_.noeuds.size() >= kNoeudsParCorpsMax || I.noeudsCompiles >= kNoeudsMax; }

    Noeud* Nouveau(Objet* x) {
        Noeud& n = c_.noeuds.emplace_back();
        n.src = x;
        ++I.noeudsCompiles;
        return &n;
    }

    SuiteDeNoeuds Suite(const std::vector<Objet*>& a, int prof, bool instructions) {
        SuiteDeNoeuds s;
        if (a.empty()) return s;
        c_.tableaux.emplace_back(new Noeud*[a.size()]);
        Noeud** t = c_.tableaux.back().get();
        for (size_t i = 0; i < a.size(); ++i) t[i] = instructions ? Instruction(a[i], prof) : Expression(a[i], prof);
        s.d = t;
        s.n = int32_t(a.size());
        return s;
    }

    Interp& I;
    CorpsCompile& c_;
};

// ------------------------------------------------------------ exécution
// Chaque nœud porte son gestionnaire, choisi à la construction ; l'appelant a
// écarté le mode lent (pas à pas, arrêt), qui rend la main à l'évaluation
// ordinaire de l'expression d'origine.

inline bool EstFeuille(const Noeud* n) {
    return n->op <= Op::Parametre;
}

// Une feuille (nombre, nom, paramètre).
[[gnu::always_inline]] inline Objet* ValeurDeFeuille(Interp& I, const Noeud* n) {
    if (n->op == Op::Parametre) {
        if (I.gProfondeurEnv >= 0) [[likely]]
            return I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[n->indice];
        return EvalSExp(I, n->src);
    }
    return n->op == Op::Nombre ? n->src : NOM(n->src)->valeur;
}

// Une feuille quand l'Env courant existe : une simple lecture.
[[gnu::always_inline]] inline Objet* LireFeuille(Interp& I, const Noeud* n) {
    if (n->op == Op::Parametre) return I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[n->indice];
    return n->op == Op::Nombre ? n->src : NOM(n->src)->valeur;
}

// Ce que vaut l'expression : Evaluer de son origine.
[[gnu::always_inline]] inline Objet* Valeur(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return EvaluerLentement(I, n->src);
    if (EstFeuille(n)) return ValeurDeFeuille(I, n);
    return n->fn(I, n);
}

// Une instruction d'une suite (EvalInstruction de coeur.cpp).
[[gnu::always_inline]] inline Objet* Instruction(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return InstructionLente(I, n->src);
    return n->fn(I, n);
}

// La suite d'instructions (EvalPrognInterne) ; peut rendre le marqueur direct.
// L'instruction en cours est notée, puis celle qui englobe la suite rendue.
Objet* Suite(Interp& I, const SuiteDeNoeuds& s) {
    Objet* const englobante = I.instructionCourante;
    Objet* v = I.pgNil;
    for (int32_t i = 0; i < s.n; ++i) {
        I.instructionCourante = s.d[i]->src;
        v = Instruction(I, s.d[i]);
        if (I.EstMarqueur(v)) break;
        I.LibereSiTemporaire(v);
        v = I.pgNil;
        if (Arrete(I)) break;
    }
    I.instructionCourante = englobante;
    return v;
}

// --- expressions

Objet* Feuille(Interp& I, const Noeud* n) {
    return ValeurDeFeuille(I, n);
}

Objet* Citation(Interp&, const Noeud* n) {
    return FONC(n->tete)->expr[0] = n->e1;
}

Objet* Generique(Interp& I, const Noeud* n) {
    return Evaluer(I, n->src);
}

// Une liste évaluée (EvalSExp) : la profondeur native autour de son travail.
#define GELIM_PROFONDEUR_NATIVE(travail)                           \
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]] \
        return TropProfond(I, n->src);                             \
    Objet* r = travail;                                            \
    --I.profondeurNative;                                          \
    return r

Objet* Primitive(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(Aiguiller(I, FONC(n->tete), n->args));
}

template <uint16_t Code>
[[gnu::always_inline]] inline Objet* CalculNum2Noeud(Interp& I, const Noeud* n) {
    Fonc* f = FONC(n->tete);
    if (!EvaluerDeuxAvec<VerifNum2>(
            I, f, n->e1, n->e2, [&] { return Valeur(I, n->a); }, [&] { return Valeur(I, n->b); }))
        return I.pgCestFaux;
    return ResultatNum2(I, f, Code);
}

template <uint16_t Code>
Objet* Num2(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(CalculNum2Noeud<Code>(I, n));
}

// La valeur d'un appel, consommée : si le return l'a rendue sans que rien
// d'autre ne la désigne, elle n'a plus d'usage ; sa place resert aussitôt (le
// compte des nombres vivants ne bouge pas : un nombre rendu ne meurt jamais).
inline void RecyclerLaValeurRendue(Interp& I, Objet* v, Objet* resultat) {
    if (v == resultat || !EstFlottant(v)) return;
    Flottant* f = FLO(v);
    if (!f->retourFrais || f->libere || f == I.pgZero || f == I.pgUn) return;
    RendreALaReserve(I, f);
}

// Un membre dont un argument au moins est un appel de FDU (fib(n - 1) + fib(n - 2)).
template <uint16_t Code>
[[gnu::always_inline]] inline Objet* CalculNum2Appels(Interp& I, const Noeud* n) {
    Objet* r = CalculNum2Noeud<Code>(I, n);
    if (I.modeLent) [[unlikely]]
        return r;
    Fonc* f = FONC(n->tete);
    Objet* v1 = f->val[0];
    Objet* v2 = f->val[1];
    if (n->a->op == Op::Appel) RecyclerLaValeurRendue(I, v1, r);
    if (n->b->op == Op::Appel && v2 != v1) RecyclerLaValeurRendue(I, v2, r);
    return r;
}

template <uint16_t Code>
Objet* Num2Appels(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(CalculNum2Appels<Code>(I, n));
}

// Deux feuilles qui valent des nombres, ni l'une ni l'autre temporaire : rien
// ne s'exécute entre elles ni pendant le calcul (pas d'imbrication, donc pas
// de profondeur native à compter, pas de temporaire à libérer), les mêmes
// cases que EvaluerDeuxAvec. Tout autre cas, et la réserve de nombres vide,
// prennent le chemin général : le chemin court reste sans appel.
template <uint16_t Code>
Objet* Num2Feuilles(Interp& I, const Noeud* n) {
    if (I.profondeurNative >= I.profondeurNativeMax || I.gProfondeurEnv < 0 || !I.nombresLibres) [[unlikely]]
        return Num2<Code>(I, n);
    Objet* v1 = LireFeuille(I, n->a);
    Objet* v2 = LireFeuille(I, n->b);
    if (!EstFlottant(v1) || !EstFlottant(v2) || FLO(v1)->etat == EtatTemporaire || FLO(v2)->etat == EtatTemporaire)
        [[unlikely]]
        return Num2<Code>(I, n);
    Fonc* f = FONC(n->tete);
    f->expr[0] = n->e1;
    f->expr[1] = n->e2;
    f->val[0] = v1;
    f->val[1] = v2;
    return ResultatNum2(I, f, Code);
}

// EvalFDU, les arguments déjà comptés.
[[gnu::always_inline]] inline Objet* AppelFDU(Interp& I, const Noeud* n) {
    Nom* nom = NOM(n->tete);
    if (I.gProfondeurEnv >= kProfondeurMaxEnv) return PileDesAppelsPleine(I);
    PeutEtreSonder(I);
    if (Objet* refus = RefusDeLAppel(I, nom, n->args, n->indice)) return refus;
    Objet* r = LierEtExecuter(
        I, nom, n->indice, [&](int32_t i) { return Valeur(I, n->suite.d[i]); },
        [&] {
            // ExecuterLeCorps, le cas courant sur place.
            CorpsCompile* c = nom->corpsCompile;
            if (!I.modeLent && c && c->source == nom->definition) [[likely]]
                return Suite(I, c->suite);
            return ExecuterLeCorps(I, nom);
        });
    return I.EstMarqueur(r) ? Second(I, r) : r;  // la valeur portée par le return
}

Objet* Appel(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(AppelFDU(I, n));
}

#undef GELIM_PROFONDEUR_NATIVE

// --- instructions

Objet* Return(Interp& I, const Noeud* n) {
    Fonc* f = FONC(n->tete);
    f->expr[0] = n->e1;
    Objet* v = Valeur(I, n->a);
    return RetourDirect(I, f->val[0] = v);
}

Objet* InstructionGenerique(Interp& I, const Noeud* n) {
    return EvalInstruction(I, n->src);
}

Objet* Bloc(Interp& I, const Noeud* n) {
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Objet* v = Suite(I, n->suite);
    --I.profondeurNative;
    return v;
}

Objet* If(Interp& I, const Noeud* n) {
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Objet* v;
    if (I.EstFaux(Valeur(I, n->a)))
        v = n->suite.n ? Suite(I, n->suite) : I.pgNil;
    else
        v = Instruction(I, n->b);
    --I.profondeurNative;
    return v;
}

Objet* When(Interp& I, const Noeud* n) {
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Objet* v = I.EstFaux(Valeur(I, n->a)) ? I.pgNil : Suite(I, n->suite);
    --I.profondeurNative;
    return v;
}

// Le gestionnaire d'un membre à deux nombres, selon ses arguments.
Gestionnaire GestionnaireNum2(uint16_t code, bool feuilles, bool appels) {
    switch (code) {
#define GELIM_MEMBRE(k) \
    case k: return feuilles ? Num2Feuilles<k> : appels ? Num2Appels<k> : Num2<k>;
        GELIM_MEMBRE(kPlus)
        GELIM_MEMBRE(kMoins)
        GELIM_MEMBRE(kFois)
        GELIM_MEMBRE(kInf)
        GELIM_MEMBRE(kInfEgal)
        GELIM_MEMBRE(kSup)
        GELIM_MEMBRE(kSupEgal)
        GELIM_MEMBRE(kEgalEgal)
        GELIM_MEMBRE(kDifferent)
#undef GELIM_MEMBRE
        default: return Primitive;
    }
}

Gestionnaire GestionnaireDe(const Noeud& n) {
    switch (n.op) {
        case Op::Nombre:
        case Op::Global:
        case Op::Parametre: return Feuille;
        case Op::Citation: return Citation;
        case Op::Num2:
            return GestionnaireNum2(n.code, EstFeuille(n.a) && EstFeuille(n.b),
                                    n.a->op == Op::Appel || n.b->op == Op::Appel);
        case Op::Primitive: return Primitive;
        case Op::Appel: return Appel;
        case Op::Generique: return Generique;
        case Op::Return: return Return;
        case Op::Bloc: return Bloc;
        case Op::If: return If;
        case Op::When: return When;
        case Op::InstructionGenerique: return InstructionGenerique;
    }
    return Generique;
}

}  // namespace

CorpsCompile* CompilerLeCorps(Interp& I, Nom* nom) {
    if (!I.compilationPermise || I.corpsCompiles.size() >= kCorpsCompilesMax) return nullptr;
    auto c = std::make_shared<CorpsCompile>();
    c->source = nom->definition;
    Compilateur compilateur(I, *c);
    c->suite = compilateur.SuiteDInstructions(SuiteDuCorps(I, nom->definition), 0);
    for (Noeud& n : c->noeuds) n.fn = GestionnaireDe(n);
    if (!nom->corpsCompile) I.nomsCompiles.push_back(nom);
    nom->corpsCompile = c.get();
    I.corpsCompiles.push_back(std::move(c));
    return nom->corpsCompile;
}

Objet* ExecuterCorpsCompile(Interp& I, CorpsCompile* c) {
    return Suite(I, c->suite);
}

}  // namespace gelim
