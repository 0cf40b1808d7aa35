// Le cœur de l'évaluation, le seul : ce que vaut chaque objet, le décodage
// des listes en nœuds et leurs gestionnaires, l'appel des FDU avec la pile des
// environnements, les suites d'instructions et le protocole du return.
#include "eval/appel.h"
#include "eval/calcul.h"
#include "eval/interne.h"
#include "objects/imprime.h"
#include "primitives/primitives.h"
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

// La 801e imbrication d'appels : la boîte et les deux lignes à chaque refus ;
// une fonction qui s'appelle deux fois sans fin ouvrirait des boîtes sans fin :
// au-delà de dix dans une commande (comme les rapports d'erreur), les lignes seules.
constexpr int32_t kBoitesDeDepassementMax = 10;

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

// ------------------------------------------------------------ les gestionnaires
// Chaque nœud fait exactement ce que son expression demande : mêmes temporaires,
// mêmes rapports, même profondeur. Les cases des primitives ne servent qu'aux
// familles qui y rangent puis y relisent leurs arguments : un gestionnaire qui
// lit ou calcule ses arguments lui-même ne les écrit pas (une valeur qui doit
// attendre est dans un abri, jamais dans une case). Le mode lent (pas à pas,
// vitesses, arrêt) est écarté par Valeur et Instruction : il passe par
// EvalPasAPas, qui revient ici.

namespace {

constexpr int32_t kArgumentsMax = 8;  // les paramètres d'une FDU
// Ce que le nœud d'un appel a vu du corps avant le premier appel : aucune
// définition ne peut l'être (une définition absente est nullptr).
Objet kAucunCorps{};

inline bool EstFeuille(const Noeud* n) {
    return n->op <= Op::Parametre;
}

// Une feuille (nombre, nom, paramètre).
[[gnu::always_inline]] inline Objet* ValeurDeFeuille(Interp& I, const Noeud* n) {
    if (n->op == Op::Parametre) {
        if (I.gProfondeurEnv >= 0) [[likely]]
            return I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[n->indice];
        return EvalAtome(I, n->src);
    }
    return n->op == Op::Nombre ? n->src : NOM(n->src)->valeur;
}

// Une feuille quand l'Env courant existe : une simple lecture.
[[gnu::always_inline]] inline Objet* LireFeuille(Interp& I, const Noeud* n) {
    if (n->op == Op::Parametre) return I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[n->indice];
    return n->op == Op::Nombre ? n->src : NOM(n->src)->valeur;
}

// Une feuille dont le genre est connu au décodage (l'Env courant existe pour
// un paramètre).
template <Op K>
[[gnu::always_inline]] inline Objet* Lire(Interp& I, const Noeud* n) {
    if constexpr (K == Op::Parametre)
        return I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[n->indice];
    else if constexpr (K == Op::Nombre)
        return n->src;
    else
        return NOM(n->src)->valeur;
}

// Ce que vaut l'expression du nœud (Evaluer de son origine).
[[gnu::always_inline]] inline Objet* Valeur(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return EvaluerLentement(I, n->src);
    if (EstFeuille(n)) return ValeurDeFeuille(I, n);
    return n->fn(I, n);
}

// Le nœud comme instruction d'une suite.
[[gnu::always_inline]] inline Objet* Instruction(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return InstructionLente(I, n->src);
    return n->instr(I, n);
}

// --- expressions

Objet* Feuille(Interp& I, const Noeud* n) {
    return ValeurDeFeuille(I, n);
}

Objet* AutreAtome(Interp& I, const Noeud* n) {
    return EvalAtome(I, n->src);
}

Objet* Vide(Interp& I, const Noeud*) {
    return I.pgNil;
}

Objet* Citation(Interp&, const Noeud* n) {
    return n->e1;
}

// Une liste évaluée : la profondeur native autour de son travail.
#define GELIM_PROFONDEUR_NATIVE(travail)                           \
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]] \
        return TropProfond(I, n->src);                             \
    Objet* r = travail;                                            \
    --I.profondeurNative;                                          \
    return r

Objet* Primitive(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(Aiguiller(I, FONC(n->tete), n->args));
}

[[gnu::cold]] Objet* RapportDeLaTete(Interp& I, const Noeud* n) {
    Objet* f = n->tete;
    if (EstCellule(f)) return Rapport(I, "pNB_EvalSExp", "Evaluation de la forme ((...)...)", n->src);
    if (EstFlottant(f)) return Rapport(I, "pNB_EvalSExp", "Evaluation d'une liste de nombres", f);
    return Rapport(I, "pNB_EvalSExp", "Evaluation d'une liste bizarre", f);
}

Objet* Bizarre(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(RapportDeLaTete(I, n));
}

// Une primitive à un argument de ses familles sans vérification (prem, sp,
// consp...) : l'argument évalué dans sa case, puis la primitive elle-même.
template <Objet* (*P)(Interp&, Objet*)>
[[gnu::always_inline]] inline Objet* UnArgument(Interp& I, const Noeud* n) {
    Fonc* f = FONC(n->tete);
    f->expr[0] = n->e1;
    return P(I, f->val[0] = Valeur(I, n->a));
}

template <Objet* (*P)(Interp&, Objet*)>
Objet* Un(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(UnArgument<P>(I, n));
}

// Les tests de type avec leur code constant : les simples en ligne, sans
// l'aiguillage de PrimTestType (mêmes réponses, même définition).
template <uint16_t Code>
inline Objet* Test(Interp& I, Objet* x) {
    bool vrai;
    if (TestDeTypeSimple(I, Code, x, vrai)) return vrai ? I.pgTrue : I.pgFalse;
    return PrimTestType(I, Code, x);
}

// La même primitive quand son argument est une feuille : rien ne s'imbrique,
// un seul test couvre la profondeur native que compterait Un (la feuille se
// lit sur place). Le mode lent et un paramètre hors de tout appel prennent le
// chemin général.
template <Objet* (*P)(Interp&, Objet*), Op K>
Objet* UnFeuille(Interp& I, const Noeud* n) {
    if (I.modeLent || I.profondeurNative >= I.profondeurNativeMax || (K == Op::Parametre && I.gProfondeurEnv < 0))
        [[unlikely]]
        return Un<P>(I, n);
    return P(I, Lire<K>(I, n->a));
}

// Comment un gestionnaire évalue son argument b hors du mode lent : par son
// nœud, ou, quand le décodage a vu prem(r) ou sp(r) d'une feuille, en ligne
// (le chemin court de UnFeuille, sans son saut ; le reste par son nœud).
struct ParSonNoeud {
    static Objet* Valeur(Interp& I, const Noeud* b) { return EstFeuille(b) ? ValeurDeFeuille(I, b) : b->fn(I, b); }
};
template <Objet* (*P)(Interp&, Objet*), Op K>
struct EnLigne {
    [[gnu::always_inline]] static Objet* Valeur(Interp& I, const Noeud* b) {
        if (I.profondeurNative >= I.profondeurNativeMax || (K == Op::Parametre && I.gProfondeurEnv < 0)) [[unlikely]]
            return b->fn(I, b);
        return P(I, Lire<K>(I, b->a));
    }
};

// Deux valeurs déjà lues et vérifiées sur place (des feuilles) : le calcul.
template <uint16_t Code>
[[gnu::always_inline]] inline Objet* CalculerSurPlace(Interp& I, const Noeud* n, Objet* v1, Objet* v2) {
    return ResultatNum2(I, FONC(n->tete), v1, v2, Code);
}

// Un membre à deux nombres d'une feuille et d'un nombre écrit dans le
// programme (n < 2, n - 1), vu au décodage dans une condition ou l'argument
// d'un appel : Num2FeuillesDe en ligne, le reste par son nœud (c'est lui qui
// prend alors le chemin général).
template <uint16_t Code, Op A>
struct MembreEnLigne {
    [[gnu::always_inline]] static Objet* Valeur(Interp& I, const Noeud* c) {
        if (I.profondeurNative >= I.profondeurNativeMax || (A == Op::Parametre && I.gProfondeurEnv < 0) ||
            !I.nombresLibres) [[unlikely]]
            return c->fn(I, c);
        Objet* v1 = Lire<A>(I, c->a);
        if (!EstFlottant(v1) || FLO(v1)->etat == EtatTemporaire) [[unlikely]]
            return c->fn(I, c);
        return CalculerSurPlace<Code>(I, c, v1, c->b->src);
    }
    // Comme condition : une comparaison tient ou non, sans l'objet qui le dit
    // (le premier nombre ou vrai, faux) ; ni l'un ni l'autre n'est temporaire,
    // aucun n'est libéré.
    [[gnu::always_inline]] static bool Tient(Interp& I, const Noeud* c) {
        if constexpr (!EstComparaison(Code)) return !I.EstFaux(Valeur(I, c));
        if (I.profondeurNative >= I.profondeurNativeMax || (A == Op::Parametre && I.gProfondeurEnv < 0)) [[unlikely]]
            return !I.EstFaux(c->fn(I, c));
        Objet* v1 = Lire<A>(I, c->a);
        if (!EstFlottant(v1) || FLO(v1)->etat == EtatTemporaire) [[unlikely]]
            return !I.EstFaux(c->fn(I, c));
        bool tient;
        Comparer(Code, FLO(v1)->valeur, FLO(c->b->src)->valeur, tient);
        return tient;
    }
};

// Un test de type en ligne (consp(r)) : comme condition, sa réponse même.
template <uint16_t Code, Op K>
struct TestEnLigne : EnLigne<Test<Code>, K> {
    [[gnu::always_inline]] static bool Tient(Interp& I, const Noeud* b) {
        if (I.profondeurNative >= I.profondeurNativeMax || (K == Op::Parametre && I.gProfondeurEnv < 0)) [[unlikely]]
            return !I.EstFaux(b->fn(I, b));
        Objet* x = Lire<K>(I, b->a);
        bool vrai;
        if (TestDeTypeSimple(I, Code, x, vrai)) return vrai;
        return !I.EstFaux(PrimTestType(I, Code, x));
    }
};

// La condition c tient-elle ? Hors du mode lent ; EstFaux de sa valeur, sauf
// quand Condition sait répondre sans elle.
template <class Condition>
[[gnu::always_inline]] inline bool Tient(Interp& I, const Noeud* c) {
    if constexpr (requires { Condition::Tient(I, c); })
        return Condition::Tient(I, c);
    else
        return !I.EstFaux(Condition::Valeur(I, c));
}

// Les deux arguments du nœud, évalués et vérifiés dans les cases de sa
// primitive comme le fait sa famille ; faux si la réserve des Env est épuisée.
template <class Verif>
[[gnu::always_inline]] inline bool DeuxArguments(Interp& I, const Noeud* n) {
    // Le mode lent peut s'arrêter sur le second argument : l'abri reste.
    return EvaluerDeuxAvec<Verif>(
        I, FONC(n->tete), n->e1, n->e2, [&]() __attribute__((always_inline)) { return Valeur(I, n->a); },
        [&]() __attribute__((always_inline)) { return Valeur(I, n->b); }, n->b->sansCollecte && !I.modeLent);
}

template <uint16_t Code>
[[gnu::always_inline]] inline Objet* CalculNum2(Interp& I, const Noeud* n) {
    if (!DeuxArguments<VerifNum2>(I, n)) return I.pgCestFaux;
    return ResultatNum2(I, FONC(n->tete), Code);
}

template <uint16_t Code>
Objet* Num2(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(CalculNum2<Code>(I, n));
}

// La valeur d'un appel, consommée : si le return l'a rendue sans que rien
// d'autre ne la désigne, elle n'a plus d'usage ; sa place resert aussitôt (le
// compte des nombres vivants ne bouge pas : un nombre rendu ne meurt jamais).
[[gnu::always_inline]] inline void RecyclerLaValeurRendue(Interp& I, Objet* v, Objet* resultat) {
    if (v == resultat || !EstFlottant(v)) return;
    Flottant* f = FLO(v);
    if (!f->retourFrais || f->libere || f == I.pgZero || f == I.pgUn) return;
    RendreALaReserve(I, f);
}

// Un membre dont un argument au moins est un appel de FDU (fib(n - 1) + fib(n - 2)) ;
// n->indice : 1 si le premier l'est, 2 si le second l'est, 3 pour les deux.
// Pour + - * : si la première valeur rendue est fraîche, elle porte le
// résultat elle-même, comme le ferait un nombre neuf (état temporaire, texte
// ordinaire, un vivant de plus), au lieu de revenir à la réserve pendant qu'un
// autre nombre est pris.
template <uint16_t Code>
[[gnu::always_inline]] inline Objet* CalculNum2Appels(Interp& I, const Noeud* n) {
    if (!DeuxArguments<VerifNum2>(I, n)) return I.pgCestFaux;
    Fonc* f = FONC(n->tete);
    if (I.modeLent) [[unlikely]]
        return ResultatNum2(I, f, Code);
    Objet* v1 = f->val[0];
    Objet* v2 = f->val[1];
    if constexpr (Code == kPlus || Code == kMoins || Code == kFois) {
        Flottant* p = FLO(v1);  // vérifié : un nombre
        if ((n->indice & 1) && p->retourFrais && !p->libere && p != I.pgZero && p != I.pgUn && v2 != v1 &&
            p->etat != EtatTemporaire && !EstTemporaireVivant(v2)) [[likely]] {
            float x;
            CalculNum2(I, Code, p, FLO(v2), x);
            p->valeur = x;
            p->etat = EtatTemporaire;
            p->formatF = 0;
            p->nomAJour = 0;
            p->retourFrais = 0;
            ++I.nbNombresVivants;
            I.nbNombresVivantsAffiche.store(I.nbNombresVivants, std::memory_order_relaxed);
            if (n->indice & 2) RecyclerLaValeurRendue(I, v2, v1);
            return v1;
        }
    }
    Objet* r = ResultatNum2(I, f, Code);
    if (n->indice & 1) RecyclerLaValeurRendue(I, v1, r);
    if ((n->indice & 2) && v2 != v1) RecyclerLaValeurRendue(I, v2, r);
    return r;
}

template <uint16_t Code>
Objet* Num2Appels(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(CalculNum2Appels<Code>(I, n));
}

// Deux feuilles qui valent des nombres, ni l'une ni l'autre temporaire : rien
// ne s'exécute entre elles ni pendant le calcul (pas d'imbrication, donc pas
// de profondeur native à compter, pas de temporaire à libérer). Tout autre
// cas, la réserve de nombres vide et le mode lent (le pas à pas montre chaque
// feuille) prennent le chemin général : le chemin court reste sans appel.
template <uint16_t Code>
Objet* Num2Feuilles(Interp& I, const Noeud* n) {
    if (I.modeLent || I.profondeurNative >= I.profondeurNativeMax || I.gProfondeurEnv < 0 || !I.nombresLibres)
        [[unlikely]]
        return Num2<Code>(I, n);
    Objet* v1 = LireFeuille(I, n->a);
    Objet* v2 = LireFeuille(I, n->b);
    if (!EstFlottant(v1) || !EstFlottant(v2) || FLO(v1)->etat == EtatTemporaire || FLO(v2)->etat == EtatTemporaire)
        [[unlikely]]
        return Num2<Code>(I, n);
    return CalculerSurPlace<Code>(I, n, v1, v2);
}

// Le même, le genre des deux feuilles connu au décodage : un nom ou un
// paramètre, puis un nom, un paramètre ou un nombre écrit dans le programme.
// Ce nombre-là est partagé (vu au décodage) et le reste : un nombre partagé
// ne redevient jamais temporaire et ne meurt pas ; seul le premier se vérifie.
template <uint16_t Code, Op A, Op B>
Objet* Num2FeuillesDe(Interp& I, const Noeud* n) {
    constexpr bool param = A == Op::Parametre || B == Op::Parametre;
    if (I.modeLent || I.profondeurNative >= I.profondeurNativeMax || (param && I.gProfondeurEnv < 0) ||
        !I.nombresLibres) [[unlikely]]
        return Num2<Code>(I, n);
    Objet* v1 = Lire<A>(I, n->a);
    Objet* v2 = Lire<B>(I, n->b);
    if (!EstFlottant(v1) || FLO(v1)->etat == EtatTemporaire ||
        (B != Op::Nombre && (!EstFlottant(v2) || FLO(v2)->etat == EtatTemporaire))) [[unlikely]]
        return Num2<Code>(I, n);
    return CalculerSurPlace<Code>(I, n, v1, v2);
}

// Une feuille (nom ou paramètre), puis une expression qui ne prend ni nombre
// ni marqueur (prem(r)) : comme Num2, sans l'abri ni l'aiguillage de la feuille.
template <uint16_t Code, Op A, class Second = ParSonNoeud>
Objet* Num2FeuilleEtSimple(Interp& I, const Noeud* n) {
    if (I.modeLent || (A == Op::Parametre && I.gProfondeurEnv < 0)) [[unlikely]]
        return Num2<Code>(I, n);
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Fonc* f = FONC(n->tete);
    Objet* v1 = VerifNum2::Verifier(I, f, 0, Lire<A>(I, n->a));
    // Le mode lent reste éteint : la lecture d'une feuille ne le change pas.
    Objet* v2 = VerifNum2::Verifier(I, f, 1, Second::Valeur(I, n->b));
    Objet* r = ResultatNum2(I, f, v1, v2, Code);
    --I.profondeurNative;
    return r;
}

// L'affectation (donne, soit), comme sa famille : les deux arguments évalués
// dans ses cases, puis FormeDonne.
template <bool Soit>
[[gnu::always_inline]] inline Objet* Affecter(Interp& I, const Noeud* n) {
    if (!DeuxArguments<SansVerification>(I, n)) return I.pgCestFaux;
    Fonc* f = FONC(n->tete);
    return FormeDonne(I, f->val[0], f->val[1], Soit);
}

template <bool Soit>
Objet* Donne(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(Affecter<Soit>(I, n));
}

// L'affectation d'un nom cité (x = ..., (donne 'x ...)) : la citation se fait
// sur place, comme son nœud la ferait (la case de quote écrite). Le pas à
// pas, lui, doit voir passer la citation : le chemin général.
template <bool Soit>
[[gnu::always_inline]] inline Objet* AffecterUnNom(Interp& I, const Noeud* n) {
    const Noeud* c = n->a;
    if (!EvaluerDeuxAvec<SansVerification>(
            I, FONC(n->tete), n->e1, n->e2, [&] { return FONC(c->tete)->expr[0] = c->e1; },
            [&] { return Valeur(I, n->b); }))
        return I.pgCestFaux;
    Fonc* f = FONC(n->tete);
    return FormeDonne(I, f->val[0], f->val[1], Soit);
}

template <bool Soit>
Objet* DonneAUnNom(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return Donne<Soit>(I, n);
    GELIM_PROFONDEUR_NATIVE(AffecterUnNom<Soit>(I, n));
}

// La cible d'un nom cité, connue au décodage : un nom (donne, pas pasapas,
// dont l'affectation recalcule le mode lent) ou un paramètre (donne ou soit).
enum class Cible { Nom, Parametre };

// AffecterUnNom pour cette cible (elle n'est pas périssable : pas d'abri),
// puis ce que FormeDonne en ferait.
template <Cible C, class Valeur2>
[[gnu::always_inline]] inline Objet* AffecterLaCible(Interp& I, const Noeud* n) {
    Objet* cible = n->a->e1;
    Objet* v = ValeurAffectee(I, Valeur2::Valeur(I, n->b));  // la citation n'a pas allumé le mode lent
    if constexpr (C == Cible::Parametre) {
        return DonneAuParametre(I, cible, v, [&](Objet*& place, Objet* x) { RemplacerPossede(I, place, x); });
    } else {
        RemplacerPossede(I, NOM(cible)->valeur, v);
        return I.pgNil;
    }
}

template <bool Soit, Cible C, class Valeur2 = ParSonNoeud>
Objet* DonneALaCible(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return Donne<Soit>(I, n);
    GELIM_PROFONDEUR_NATIVE((AffecterLaCible<C, Valeur2>(I, n)));
}

// Le second membre de x = x op e, lu sans le moindre effet : une feuille, ou
// prem d'une feuille qui vaut une cellule (Lire rend faux pour tout autre cas,
// qui prend le chemin général).
template <Op K>
struct SecondFeuille {
    static bool Lire(Interp& I, const Noeud* b, Objet*& v) {
        v = gelim::Lire<K>(I, b);
        return true;
    }
};
template <Op K>
struct SecondPrem {
    static bool Lire(Interp& I, const Noeud* b, Objet*& v) {
        Objet* l = gelim::Lire<K>(I, b->a);
        if (!EstCellule(l)) return false;  // prem d'un mot : son chemin
        v = CEL(l)->car;
        return true;
    }
};

// x = x op e (+ - *), x un nom ou un paramètre dont le nombre est possédé : le
// résultat s'écrit dans ce nombre même. Le chemin de DonneALaCible prendrait
// un nombre neuf, temporaire puis possédé par l'affectation, et rendrait
// aussitôt l'ancien à la réserve : même valeur, même état, même texte, même
// compte des vivants ; seule l'adresse diffère. Permis quand RemplacerPossede
// rendrait l'ancien à la réserve (RienDAutreNeDesigne) et quand le calcul
// prendrait un nombre neuf (ni x ni e temporaire). Tout le reste est vérifié
// avant le moindre effet et prend le chemin de DonneALaCible.
template <Cible C, uint16_t Code, class Second>
Objet* DonneEnPlace(Interp& I, const Noeud* n) {
    if (I.modeLent || I.profondeurNative + 2 >= I.profondeurNativeMax || I.gProfondeurEnv < 0 ||
        !RienDAutreNeDesigne(I)) [[unlikely]]
        return DonneALaCible<false, C>(I, n);
    const Noeud* m = n->b;  // le membre, dont la feuille a est la cible
    constexpr Op kGenre = C == Cible::Nom ? Op::Global : Op::Parametre;
    Objet* x = Lire<kGenre>(I, m->a);
    Objet* y;
    if (!EstFlottant(x) || FLO(x)->etat != EtatPossede || FLO(x)->libere || !Second::Lire(I, m->b, y) ||
        !EstFlottant(y) || FLO(y)->etat == EtatTemporaire) [[unlikely]]
        return DonneALaCible<false, C>(I, n);
    Flottant* p = FLO(x);
    float r;
    CalculNum2(I, Code, p, FLO(y), r);
    p->valeur = r;
    p->formatF = 0;
    p->nomAJour = 0;
    p->retourFrais = 0;
    return I.pgNil;
}

Objet* ExecuterSuite(Interp& I, const Noeud* s);
[[gnu::always_inline]] inline Objet* ExecuterSuiteEnLigne(Interp& I, const Noeud* s);

// La suite de la liste (le reste d'un bloc, d'un when, le sinon d'un if)
// retenue par le nœud à son premier passage : comme EvalPrognInterne, sans
// chercher le nœud de la liste à chaque fois.
[[gnu::noinline]] Objet* RetenirPuisExecuterSuite(Interp& I, const Noeud* n, Objet* liste);
[[gnu::always_inline]] inline Objet* SuiteRetenue(Interp& I, const Noeud* n, Objet* liste) {
    const Noeud* s = n->suiteRetenue;
    if (!s) [[unlikely]]
        return RetenirPuisExecuterSuite(I, n, liste);
    return ExecuterSuiteEnLigne(I, s);
}

// Un bloc ; le nœud peut ne pas être décodé encore (le corps d'un while).
[[gnu::always_inline]] inline Objet* ExecuterBloc(Interp& I, const Noeud* n) {
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Objet* v = SuiteRetenue(I, n, CEL(n->src)->cdr);
    --I.profondeurNative;
    return v;
}

// while, comme FormeWhile : la condition et le corps sautent à leurs nœuds.
// Un corps en bloc s'exécute comme une suite (sa valeur est abandonnée, un
// return compris) ; tout autre corps est évalué comme par EvaluerInstruction.
template <class Condition>
[[gnu::always_inline]] inline Objet* BoucleTantQue(Interp& I, const Noeud* n) {
    const Noeud* corps = n->b;
    const bool bloc = n->code != 0;
    bool tient = I.modeLent ? !I.EstFaux(EvaluerLentement(I, n->a->src)) : Tient<Condition>(I, n->a);
    while (tient && !Arrete(I)) {
        PeutEtreSonder(I);
        if (I.modeLent) [[unlikely]]
            InstructionLente(I, corps->src);
        else if (bloc && corps->suiteRetenue && I.profondeurNative < I.profondeurNativeMax) {
            // ExecuterBloc, la suite retenue exécutée sans saut.
            ++I.profondeurNative;
            ExecuterSuiteEnLigne(I, corps->suiteRetenue);
            --I.profondeurNative;
        } else if (bloc)
            ExecuterBloc(I, corps);
        else
            EstFeuille(corps) ? ValeurDeFeuille(I, corps) : corps->fn(I, corps);
        tient = I.modeLent ? !I.EstFaux(EvaluerLentement(I, n->a->src)) : Tient<Condition>(I, n->a);
    }
    return I.pgNil;
}

// Condition : comment se lit la condition hors du mode lent (consp(r) en ligne).
template <class Condition = ParSonNoeud>
Objet* TantQue(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE(BoucleTantQue<Condition>(I, n));
}

[[gnu::noinline]] Objet* ExecuterLeCorpsEtLeRetenir(Interp& I, Nom* nom, const Noeud* n);

// L'appel d'une FDU, ses arguments comptés au décodage (jusqu'à 9).
// N : le nombre d'arguments quand le décodage l'a fixé (de 0 à 2), -1 sinon.
// Arg : comment se lit l'argument d'un appel à un argument hors du mode lent.
template <int32_t N, class Arg>
[[gnu::always_inline]] inline Objet* AppelFDU(Interp& I, const Noeud* n) {
    Nom* nom = NOM(n->tete);
    if (I.gProfondeurEnv >= kProfondeurMaxEnv) return PileDesAppelsPleine(I);
    PeutEtreSonder(I);
    const int32_t nbArgs = N >= 0 ? N : n->indice;
    if (Objet* refus = RefusDeLAppel(I, nom, n->args, nbArgs)) return refus;
    Objet* r = LierEtExecuter(
        I, nom, nbArgs,
        [&](int32_t i) {
            if (I.modeLent) [[unlikely]]
                return EvaluerLentement(I, n->enfants[i]->src);
            return Arg::Valeur(I, n->enfants[i]);
        },
        [&] {
            if (nom->definition == n->corpsVu && !I.modeLent) [[likely]]
                return ExecuterSuiteEnLigne(I, n->suiteDuCorps);
            return ExecuterLeCorpsEtLeRetenir(I, nom, n);
        });
    if (r == &I.marqueurDirect) [[likely]]  // la valeur portée par le return
        return I.marqueurDirectValeur.car;
    return I.EstMarqueur(r) ? Second(I, r) : r;
}

template <int32_t N, class Arg = ParSonNoeud>
Objet* Appel(Interp& I, const Noeud* n) {
    GELIM_PROFONDEUR_NATIVE((AppelFDU<N, Arg>(I, n)));
}

#undef GELIM_PROFONDEUR_NATIVE

// --- instructions : les blocs, les if et les return s'y font sur place, sans
// aiguillage ni marqueur alloué ; le mode lent, lui, les évalue comme des
// expressions (le pas à pas doit tout voir passer).

Objet* Return(Interp& I, const Noeud* n) {
    return RetourDirect(I, Valeur(I, n->a));
}

// return d'un paramètre (return n;) : la case se lit sur place. Un nombre
// possédé par un paramètre de l'appel qui finit meurt avec lui (RetourDirect
// le cherche parmi les paramètres : c'est celui-ci) ; une locale de let passe
// par le chemin général.
Objet* ReturnDuParametre(Interp& I, const Noeud* n) {
    const int32_t k = n->a->indice;
    if (I.modeLent || I.gProfondeurEnv < 0 || k >= I.pgTabpEnv[size_t(I.gProfondeurEnv)]->nbParams) [[unlikely]]
        return Return(I, n);
    Objet* v = I.pgTabpEnv[size_t(I.gProfondeurEnv)]->cases[k];
    if (EstFlottant(v)) {
        Flottant* x = FLO(v);
        x->retourFrais = x->etat == EtatTemporaire || x->etat == EtatPossede;
        x->etat = EtatPartage;
    }
    return MarqueurDirect(I, v);
}

// return f(x) + g(y) (un membre + - * dont un argument au moins est un appel
// de FDU) : le membre calculé ici même, comme Num2Appels le ferait à travers
// Valeur, sans le saut de plus.
template <uint16_t Code>
Objet* ReturnDuMembre(Interp& I, const Noeud* n) {
    if (I.modeLent) [[unlikely]]
        return Return(I, n);
    const Noeud* a = n->a;
    Objet* v;
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]] {
        v = TropProfond(I, a->src);
    } else {
        v = CalculNum2Appels<Code>(I, a);
        --I.profondeurNative;
    }
    return RetourDirect(I, v);
}

Objet* Bloc(Interp& I, const Noeud* n) {
    return ExecuterBloc(I, n);
}

// La condition c d'un when ou d'un if, évaluée selon Condition.
template <class Condition>
[[gnu::always_inline]] inline bool LaConditionTient(Interp& I, const Noeud* c) {
    if (I.modeLent) [[unlikely]]
        return !I.EstFaux(EvaluerLentement(I, c->src));
    return Tient<Condition>(I, c);
}

template <class Condition = ParSonNoeud>
Objet* If(Interp& I, const Noeud* n) {
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Objet* v;
    if (!LaConditionTient<Condition>(I, n->a))
        v = n->e2 == I.pgNil ? I.pgNil : SuiteRetenue(I, n, n->e2);
    else
        v = Instruction(I, n->b);
    --I.profondeurNative;
    return v;
}

template <class Condition = ParSonNoeud>
Objet* When(Interp& I, const Noeud* n) {
    if (++I.profondeurNative > I.profondeurNativeMax) [[unlikely]]
        return TropProfond(I, n->src);
    Objet* v = LaConditionTient<Condition>(I, n->a) ? SuiteRetenue(I, n, n->e2) : I.pgNil;
    --I.profondeurNative;
    return v;
}

// ------------------------------------------------------------ le décodage
// Une cellule est décodée à sa première évaluation ; ses arguments ne reçoivent
// alors qu'un nœud à décoder à leur tour (aucune récursion : une liste bâtie
// par un programme peut être aussi profonde qu'elle veut).

void Decoder(Interp& I, Noeud& n);

Objet* DecoderPuisEvaluer(Interp& I, const Noeud* n) {
    Noeud* m = const_cast<Noeud*>(n);
    Decoder(I, *m);
    return m->fn(I, m);
}

Objet* DecoderPuisExecuter(Interp& I, const Noeud* n) {
    Noeud* m = const_cast<Noeud*>(n);
    Decoder(I, *m);
    return m->instr(I, m);
}

Noeud* NouveauNoeud(Memoire& m, Objet* x) {
    Noeud& n = m.noeuds.emplace_back();
    n.src = x;
    n.memoire = &m;
    n.fn = DecoderPuisEvaluer;
    n.instr = DecoderPuisExecuter;
    return &n;
}

// La place de x dans la réserve, ou au moins sa taille s'il n'y est pas.
size_t IndiceEnReserve(const Interp& I, const Objet* x) {
    const uintptr_t base = reinterpret_cast<uintptr_t>(I.pgTabpNoeudBinaire.data());
    const uintptr_t p = reinterpret_cast<uintptr_t>(x);
    if (p < base || (p - base) % sizeof(Cellule) != 0) return I.pgTabpNoeudBinaire.size();
    return (p - base) / sizeof(Cellule);
}

Decodage& LeDecodage(Interp& I) {
    if (!I.decodage) {
        I.decodage = std::make_shared<Decodage>(I.pgTabpNoeudBinaire.size());
        if (!I.decodage->parCellule) throw std::bad_alloc();
        I.noeudDeCellule = I.decodage->parCellule;
        I.nbNoeudsDeCellule = I.pgTabpNoeudBinaire.size();
    }
    return *I.decodage;
}

// Le nœud d'une expression pour un nœud de la mémoire m : une feuille à lui
// pour un atome, le nœud partagé d'une cellule de la réserve, un nœud à lui
// pour une cellule hors réserve (un marqueur de return mis dans une liste).
Noeud* Enfant(Interp& I, Memoire& m, Objet* x) {
    if (x->tag == kTagCellule) {
        if (Noeud* n = NoeudFait(I, x)) return n;
        const size_t i = IndiceEnReserve(I, x);
        if (i >= I.pgTabpNoeudBinaire.size()) return NouveauNoeud(m, x);
        Decodage& d = LeDecodage(I);
        return d.parCellule[i] = NouveauNoeud(d.memoire, x);
    }
    Noeud* n = NouveauNoeud(m, x);
    switch (x->tag) {
        case kTagFlottant: n->op = Op::Nombre; break;
        case kTagNom: n->op = Op::Global; break;
        case kTagParamDeFDU:
            n->op = Op::Parametre;
            n->indice = PARAM(x)->indice & 7;
            break;
        default: n->op = Op::AutreAtome; break;
    }
    n->fn = n->instr = n->op == Op::AutreAtome ? AutreAtome : Feuille;
    n->sansCollecte = n->op != Op::AutreAtome;
    return n;
}

inline bool EstAppelDeFDU(const Interp& I, Objet* x) {
    return EstListeNonVide(I, x) && EstNomOuParam(CEL(x)->car);
}

// Le gestionnaire d'un membre à deux nombres, selon ses arguments.
template <uint16_t Code, Op A>
Gestionnaire Num2SelonLeSecond(const Noeud* b) {
    switch (b->op) {
        case Op::Global: return Num2FeuillesDe<Code, A, Op::Global>;
        case Op::Parametre: return Num2FeuillesDe<Code, A, Op::Parametre>;
        case Op::Nombre:
            if (FLO(b->src)->etat == EtatPartage) return Num2FeuillesDe<Code, A, Op::Nombre>;
            return Num2Feuilles<Code>;
        default:
            if (b->fn == UnFeuille<PrimPrem, Op::Global>)
                return Num2FeuilleEtSimple<Code, A, EnLigne<PrimPrem, Op::Global>>;
            if (b->fn == UnFeuille<PrimPrem, Op::Parametre>)
                return Num2FeuilleEtSimple<Code, A, EnLigne<PrimPrem, Op::Parametre>>;
            return b->sansCollecte ? Num2FeuilleEtSimple<Code, A> : Num2<Code>;
    }
}

template <uint16_t Code>
Gestionnaire GestionnaireDuMembre(const Noeud* a, const Noeud* b, bool appels) {
    if (appels) return Num2Appels<Code>;
    if (a->op == Op::Global) return Num2SelonLeSecond<Code, Op::Global>(b);
    if (a->op == Op::Parametre) return Num2SelonLeSecond<Code, Op::Parametre>(b);
    return EstFeuille(a) && EstFeuille(b) ? Num2Feuilles<Code> : Num2<Code>;
}

Gestionnaire GestionnaireNum2(uint16_t code, const Noeud* a, const Noeud* b, bool appels) {
    switch (code) {
#define GELIM_MEMBRE(k) \
    case k: return GestionnaireDuMembre<k>(a, b, appels);
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

// Le gestionnaire propre d'une primitive à un argument, ou nullptr ; un
// autre quand l'argument est une feuille (son genre : a).
template <Objet* (*P)(Interp&, Objet*)>
Gestionnaire SelonLArgument(Op a) {
    switch (a) {
        case Op::Nombre: return UnFeuille<P, Op::Nombre>;
        case Op::Global: return UnFeuille<P, Op::Global>;
        case Op::Parametre: return UnFeuille<P, Op::Parametre>;
        default: return Un<P>;
    }
}

Gestionnaire GestionnaireUn(uint16_t code, Op a = Op::ADecoder) {
    switch (code) {
        case kPrem: return SelonLArgument<PrimPrem>(a);
        case kSp: return SelonLArgument<PrimSp>(a);
        case kDer: return SelonLArgument<PrimDer>(a);
        case kLongueur: return SelonLArgument<PrimLongueur>(a);
#define GELIM_TEST(k) \
    case k: return SelonLArgument<Test<k>>(a);
            GELIM_TEST(kMotP)
            GELIM_TEST(kConsp)
            GELIM_TEST(kListeP)
            GELIM_TEST(kNombreP)
            GELIM_TEST(kVideP)
            GELIM_TEST(kNon)
#undef GELIM_TEST
        default: return nullptr;
    }
}

// x = x op e sur place (DonneEnPlace), selon e ; nullptr si e n'est ni une
// feuille ni prem d'une feuille.
template <Cible C, uint16_t Code>
Gestionnaire EnPlaceSelonLeSecond(const Noeud* e) {
    switch (e->op) {
        case Op::Global: return DonneEnPlace<C, Code, SecondFeuille<Op::Global>>;
        case Op::Parametre: return DonneEnPlace<C, Code, SecondFeuille<Op::Parametre>>;
        case Op::Nombre: return DonneEnPlace<C, Code, SecondFeuille<Op::Nombre>>;
        default:
            if (e->fn == UnFeuille<PrimPrem, Op::Global>) return DonneEnPlace<C, Code, SecondPrem<Op::Global>>;
            if (e->fn == UnFeuille<PrimPrem, Op::Parametre>) return DonneEnPlace<C, Code, SecondPrem<Op::Parametre>>;
            return nullptr;
    }
}

// Le gestionnaire sur place quand b est x + e, x - e ou x * e, x la cible ; nullptr sinon.
template <Cible C>
Gestionnaire DonneSurPlace(const Noeud* b, Objet* cible) {
    if (b->op != Op::Num2 || b->indice != 0 || b->a->src != cible ||
        b->a->op != (C == Cible::Nom ? Op::Global : Op::Parametre))
        return nullptr;
    switch (b->code) {
        case kPlus: return EnPlaceSelonLeSecond<C, kPlus>(b->b);
        case kMoins: return EnPlaceSelonLeSecond<C, kMoins>(b->b);
        case kFois: return EnPlaceSelonLeSecond<C, kFois>(b->b);
        default: return nullptr;
    }
}

// donne vers cette cible, selon ce qu'elle reçoit.
template <Cible C>
Gestionnaire GestionnaireDonne(const Noeud* b, Objet* cible) {
    if (Gestionnaire g = DonneSurPlace<C>(b, cible)) return g;
    if (b->fn == UnFeuille<PrimSp, Op::Global>) return DonneALaCible<false, C, EnLigne<PrimSp, Op::Global>>;
    if (b->fn == UnFeuille<PrimSp, Op::Parametre>) return DonneALaCible<false, C, EnLigne<PrimSp, Op::Parametre>>;
    if (b->fn == UnFeuille<PrimPrem, Op::Global>) return DonneALaCible<false, C, EnLigne<PrimPrem, Op::Global>>;
    if (b->fn == UnFeuille<PrimPrem, Op::Parametre>) return DonneALaCible<false, C, EnLigne<PrimPrem, Op::Parametre>>;
    return DonneALaCible<false, C>;
}

// Le gestionnaire d'un if, d'un when ou d'un while selon sa condition c.
template <class C>
struct AuIf {
    static constexpr Gestionnaire g = If<C>;
};
template <class C>
struct AuWhen {
    static constexpr Gestionnaire g = When<C>;
};
template <class C>
struct AuTantQue {
    static constexpr Gestionnaire g = TantQue<C>;
};

template <template <class> class H>
Gestionnaire SelonLaCondition(const Noeud* c) {
#define GELIM_COMPARAISON(k)                                                                                 \
    if (c->fn == Num2FeuillesDe<k, Op::Parametre, Op::Nombre>) return H<MembreEnLigne<k, Op::Parametre>>::g; \
    if (c->fn == Num2FeuillesDe<k, Op::Global, Op::Nombre>) return H<MembreEnLigne<k, Op::Global>>::g;
    GELIM_COMPARAISON(kInf)
    GELIM_COMPARAISON(kInfEgal)
    GELIM_COMPARAISON(kSup)
    GELIM_COMPARAISON(kSupEgal)
    GELIM_COMPARAISON(kEgalEgal)
    GELIM_COMPARAISON(kDifferent)
#undef GELIM_COMPARAISON
    if (c->fn == UnFeuille<Test<kConsp>, Op::Global>) return H<TestEnLigne<kConsp, Op::Global>>::g;
    if (c->fn == UnFeuille<Test<kConsp>, Op::Parametre>) return H<TestEnLigne<kConsp, Op::Parametre>>::g;
    return H<ParSonNoeud>::g;
}

// Un appel à un argument, selon son argument (fib(n - 1) : le calcul en ligne).
Gestionnaire AppelAUnArgument(Interp& I, Noeud* arg);

// Une condition décodée tout de suite quand c'est un membre à deux nombres ou
// une primitive à un argument (leur décodage ne va pas plus loin qu'un niveau).
void DecoderLaCondition(Interp& I, Noeud* c);

// Une liste dont la tête est une primitive à un argument qui a son gestionnaire.
bool EstPrimitiveAUnArgument(const Interp& I, Objet* x) {
    return EstListeNonVide(I, x) && EstPrimitive(CEL(x)->car) && GestionnaireUn(CEL(x)->car->tag);
}

// (quote x) avec x un nom ou un paramètre : la cible d'une affectation.
bool EstNomCite(const Interp& I, Objet* x) {
    if (!EstListeNonVide(I, x) || CEL(x)->car->tag != kQuote || !EstCellule(CEL(x)->cdr)) return false;
    Objet* c = Premier(I, CEL(x)->cdr);
    return EstNom(c) || EstParam(c);
}

void DecoderLaCondition(Interp& I, Noeud* c) {
    Objet* x = c->src;
    if (c->op != Op::ADecoder || !EstListeNonVide(I, x) || !EstPrimitive(CEL(x)->car)) return;
    if (EstMembreNum2Rapide(CEL(x)->car->tag) || GestionnaireUn(CEL(x)->car->tag)) Decoder(I, *c);
}

Gestionnaire AppelAUnArgument(Interp& I, Noeud* arg) {
    DecoderLaCondition(I, arg);
#define GELIM_ARGUMENT(k)                                                                                          \
    if (arg->fn == Num2FeuillesDe<k, Op::Parametre, Op::Nombre>) return Appel<1, MembreEnLigne<k, Op::Parametre>>; \
    if (arg->fn == Num2FeuillesDe<k, Op::Global, Op::Nombre>) return Appel<1, MembreEnLigne<k, Op::Global>>;
    GELIM_ARGUMENT(kMoins)
    GELIM_ARGUMENT(kPlus)
#undef GELIM_ARGUMENT
    return Appel<1>;
}

void Decoder(Interp& I, Noeud& n) {
    Memoire& m = *n.memoire;
    Objet* x = n.src;
    Objet* f = n.tete = CEL(x)->car;
    Objet* args = n.args = CEL(x)->cdr;
    // Comme expression, selon la tête.
    if (f->tag == kQuote) {
        n.op = Op::Citation;
        n.e1 = EstCellule(args) ? CEL(args)->car : I.pgNil;
        n.fn = Citation;
    } else if (f == I.pgNil) {
        n.op = Op::Vide;
        n.fn = Vide;
    } else if (EstPrimitive(f) && EstMembreNum2Rapide(f->tag)) {
        n.op = Op::Num2;
        n.code = f->tag;
        n.e1 = Premier(I, args);
        n.e2 = Second(I, args);
        n.a = Enfant(I, m, n.e1);
        n.b = Enfant(I, m, n.e2);
        n.indice = (EstAppelDeFDU(I, n.e1) ? 1 : 0) | (EstAppelDeFDU(I, n.e2) ? 2 : 0);
        // Un second argument comme prem(r) décodé tout de suite, pour savoir
        // s'il peut lancer une collecte (son décodage ne va pas plus loin).
        if (n.b->op == Op::ADecoder && EstPrimitiveAUnArgument(I, n.e2)) Decoder(I, *n.b);
        n.fn = GestionnaireNum2(n.code, n.a, n.b, n.indice != 0);
    } else if (EstPrimitive(f) && (f->tag == kDonne || f->tag == kSoit)) {
        n.op = Op::Donne;
        n.e1 = Premier(I, args);
        n.e2 = Second(I, args);
        n.a = Enfant(I, m, n.e1);
        n.b = Enfant(I, m, n.e2);
        n.fn = f->tag == kSoit ? Donne<true> : Donne<false>;
        if (EstNomCite(I, n.e1)) {
            // La citation décodée tout de suite : son gestionnaire lit ses champs.
            if (n.a->op == Op::ADecoder) Decoder(I, *n.a);
            if (n.a->op == Op::Citation) {
                const bool soit = f->tag == kSoit;
                Objet* cible = n.a->e1;
                // prem(r), sp(r) ou un membre à deux nombres à affecter, décodé
                // tout de suite comme une condition.
                DecoderLaCondition(I, n.b);
                if (EstParam(cible))
                    n.fn =
                        soit ? DonneALaCible<true, Cible::Parametre> : GestionnaireDonne<Cible::Parametre>(n.b, cible);
                else if (!soit && cible != I.pasapas)
                    n.fn = GestionnaireDonne<Cible::Nom>(n.b, cible);
                else
                    n.fn = soit ? DonneAUnNom<true> : DonneAUnNom<false>;
            }
        }
    } else if (EstPrimitive(f) && GestionnaireUn(f->tag)) {
        n.op = Op::Primitive;
        n.e1 = Premier(I, args);
        n.a = Enfant(I, m, n.e1);
        n.fn = GestionnaireUn(f->tag, n.a->op);
        // Sur des listes, des mots ou des tests, ces primitives ne prennent aucun nombre.
        n.sansCollecte = f->tag != kLongueur && n.a->sansCollecte;
    } else if (EstPrimitive(f) && f->tag == kWhile && FONC(f)->nbArgs == 2) {
        n.op = Op::Primitive;
        n.e1 = Premier(I, args);
        n.e2 = Second(I, args);
        n.a = Enfant(I, m, n.e1);
        n.b = Enfant(I, m, n.e2);
        n.code = EstListeNonVide(I, n.e2) && CEL(n.e2)->car->tag == kProgn && EstCellule(CEL(n.e2)->cdr);
        DecoderLaCondition(I, n.a);
        n.fn = SelonLaCondition<AuTantQue>(n.a);
    } else if (EstPrimitive(f)) {
        n.op = Op::Primitive;
        n.fn = Primitive;
    } else if (EstNomOuParam(f)) {
        // Jusqu'à 9 arguments : au-delà de 8, l'appel est toujours refusé.
        Objet* a[kArgumentsMax + 1];
        int32_t k = 0;
        for (Objet* l = args; EstListeNonVide(I, l) && k <= kArgumentsMax; l = CEL(l)->cdr) a[k++] = CEL(l)->car;
        n.op = Op::Appel;
        n.indice = k;
        n.corpsVu = &kAucunCorps;
        const int32_t lies = std::min(k, kArgumentsMax);
        if (lies > 0) {
            m.tableaux.emplace_back(new Noeud*[size_t(lies)]);
            Noeud** t = m.tableaux.back().get();
            for (int32_t i = 0; i < lies; ++i) t[i] = Enfant(I, m, a[i]);
            n.enfants = t;
        }
        n.fn = k == 0 ? Appel<0> : k == 1 ? AppelAUnArgument(I, n.enfants[0]) : k == 2 ? Appel<2> : Appel<-1>;
    } else {
        n.op = Op::Bizarre;
        n.fn = Bizarre;
    }
    // Comme instruction d'une suite.
    n.instr = n.fn;
    if (!EstCellule(args)) return;
    switch (f->tag) {
        case kReturn:
            n.e1 = Premier(I, args);
            n.a = Enfant(I, m, n.e1);
            DecoderLaCondition(I, n.a);  // un membre : son gestionnaire dit s'il a des appels
            if (n.a->op == Op::Parametre)
                n.instr = ReturnDuParametre;
            else if (n.a->fn == Num2Appels<kPlus>)
                n.instr = ReturnDuMembre<kPlus>;
            else if (n.a->fn == Num2Appels<kMoins>)
                n.instr = ReturnDuMembre<kMoins>;
            else if (n.a->fn == Num2Appels<kFois>)
                n.instr = ReturnDuMembre<kFois>;
            else
                n.instr = Return;
            break;
        case kProgn: n.instr = Bloc; break;
        case kIf:
            n.a = Enfant(I, m, Premier(I, args));
            n.b = Enfant(I, m, Second(I, args));
            n.e2 = Reste(I, Reste(I, args));
            DecoderLaCondition(I, n.a);
            n.instr = SelonLaCondition<AuIf>(n.a);
            break;
        case kWhen:
            n.a = Enfant(I, m, Premier(I, args));
            n.e2 = Reste(I, args);
            DecoderLaCondition(I, n.a);
            n.instr = SelonLaCondition<AuWhen>(n.a);
            break;
        default: break;
    }
}

// Une cellule sans nœud : décodée (et gardée si elle est de la réserve), puis
// évaluée.
[[gnu::noinline]] Objet* EvalNouvelleCellule(Interp& I, Objet* x) {
    const size_t i = IndiceEnReserve(I, x);
    if (i < I.pgTabpNoeudBinaire.size()) {
        Decodage& d = LeDecodage(I);
        Noeud* n = d.parCellule[i] = NouveauNoeud(d.memoire, x);
        Decoder(I, *n);
        return n->fn(I, n);
    }
    // Hors réserve (un marqueur de return qu'on évalue) : des nœuds d'un
    // instant, rendus avec cette évaluation.
    Memoire locale;
    Noeud* n = NouveauNoeud(locale, x);
    Decoder(I, *n);
    return n->fn(I, n);
}

// La suite d'instructions d'un nœud ; peut rendre le marqueur direct.
// L'instruction en cours est notée (la ligne d'une erreur, ce que montre une
// pause), puis celle qui englobe la suite est rendue.
[[gnu::always_inline]] inline Objet* ExecuterSuiteEnLigne(Interp& I, const Noeud* s) {
    Objet* const englobante = I.instructionCourante;
    Objet* v = I.pgNil;
    for (int32_t i = 0; i < s->nbSuite; ++i) {
        const Noeud* x = s->suite[i];
        I.instructionCourante = x->src;
        v = Instruction(I, x);
        if (v != I.pgNil) {  // le cas courant : une affectation, une boucle...
            if (I.EstMarqueur(v)) break;
            I.LibereSiTemporaire(v);
            v = I.pgNil;
        }
        if (Arrete(I)) break;
    }
    I.instructionCourante = englobante;
    return v;
}

Objet* ExecuterSuite(Interp& I, const Noeud* s) {
    return ExecuterSuiteEnLigne(I, s);
}

// Les nœuds des éléments de la liste, dans la mémoire m.
void FaireLaSuite(Interp& I, Noeud& n, Memoire& m) {
    std::vector<Objet*> elements;
    for (Objet* l = n.src; EstListeNonVide(I, l); l = CEL(l)->cdr) elements.push_back(CEL(l)->car);
    if (!elements.empty()) {
        m.tableaux.emplace_back(new Noeud*[elements.size()]);
        Noeud** t = m.tableaux.back().get();
        for (size_t i = 0; i < elements.size(); ++i) t[i] = Enfant(I, m, elements[i]);
        n.suite = t;
    }
    n.nbSuite = int32_t(elements.size());
}

// Le nœud de la suite d'une liste de la réserve, fait au besoin ; nullptr
// hors réserve.
const Noeud* SuiteDeLaReserve(Interp& I, Objet* liste) {
    const size_t i = IndiceEnReserve(I, liste);
    if (i >= I.pgTabpNoeudBinaire.size()) return nullptr;
    Decodage& d = LeDecodage(I);
    Noeud* n = d.parCellule[i];
    if (!n) n = d.parCellule[i] = NouveauNoeud(d.memoire, liste);
    if (n->nbSuite < 0) FaireLaSuite(I, *n, d.memoire);
    return n;
}

Objet* RetenirPuisExecuterSuite(Interp& I, const Noeud* n, Objet* liste) {
    const Noeud* s = EstListeNonVide(I, liste) ? SuiteDeLaReserve(I, liste) : nullptr;
    if (!s) return EvalPrognInterne(I, liste);  // hors réserve : faite à chaque passage
    const_cast<Noeud*>(n)->suiteRetenue = s;
    return ExecuterSuite(I, s);
}

// Le corps d'une FDU, et, hors du mode lent, le nœud de sa suite retenu par
// le nœud de l'appel pour les appels suivants.
Objet* ExecuterLeCorpsEtLeRetenir(Interp& I, Nom* nom, const Noeud* n) {
    Objet* liste = I.modeLent ? I.pgNil : SuiteDuCorps(I, nom->definition);
    const Noeud* s = EstListeNonVide(I, liste) ? SuiteDeLaReserve(I, liste) : nullptr;
    if (!s) return ExecuterLeCorps(I, nom);
    Noeud* m = const_cast<Noeud*>(n);
    m->corpsVu = nom->definition;
    m->suiteDuCorps = s;
    return ExecuterSuite(I, s);
}

// Une suite pas encore faite : son nœud (celui de la cellule, ou un nœud
// d'un instant hors réserve), puis son exécution.
[[gnu::noinline]] Objet* FairePuisExecuterSuite(Interp& I, Objet* liste) {
    if (const Noeud* n = SuiteDeLaReserve(I, liste)) return ExecuterSuite(I, n);
    Memoire locale;
    Noeud* n = NouveauNoeud(locale, liste);
    FaireLaSuite(I, *n, locale);
    return ExecuterSuite(I, n);
}

}  // namespace

// ------------------------------------------------------------ entrées

Objet* EvalPasAPas(Interp& I, Objet* x) {
    // Une entrée de l'extérieur : le pas à pas ou l'arrêt ont pu changer.
    RecalculerModeLent(I);
    return Evaluer(I, x);
}

Objet* EvalSExp(Interp& I, Objet* x) {
    if (x->tag != kTagCellule) return EvalAtome(I, x);
    if (x == I.pgNil) return x;
    if (const Noeud* n = NoeudFait(I, x)) return n->fn(I, n);
    return EvalNouvelleCellule(I, x);
}

Objet* EvalFonc(Interp& I, Fonc* f, Objet* args) {
    if (!EstPrimitive(f)) return Rapport(I, "Fonc::EvalFonc", "qu'il y a un défaut dans le switch", f);
    return Aiguiller(I, f, args);
}

// La suite d'instructions de la liste ; peut rendre le marqueur direct.
Objet* EvalPrognInterne(Interp& I, Objet* liste) {
    if (liste == I.pgNil) return liste;
    if (const Noeud* n = NoeudFait(I, liste); n && n->nbSuite >= 0) [[likely]]
        return ExecuterSuite(I, n);
    return FairePuisExecuterSuite(I, liste);
}

Objet* EvalProgn(Interp& I, Objet* liste) {
    Objet* r = EvalPrognInterne(I, liste);
    if (r == &I.marqueurDirect) r = I.Marqueur(I.marqueurDirectValeur.car);
    return r;
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
    I.epuisementsMontres = 0;
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
