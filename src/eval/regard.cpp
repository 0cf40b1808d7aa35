// Regarder le programme tourner : la pause des vitesses lentes avant chaque
// instruction, la forme en cours, le relevé des variables.
#include "eval/regard.h"

#include <algorithm>

#include "eval/interne.h"

namespace gelim {

void DefinirLaVitesse(Interp& I, Vitesse v) {
    // Seul le drapeau change ici : l'évaluation le lit au prochain sondage.
    I.vitesse.store(uint8_t(v), std::memory_order_relaxed);
}

Vitesse VitesseDe(const Interp& I) {
    return Vitesse(I.vitesse.load(std::memory_order_relaxed));
}

// Un bloc ne s'arrête pas lui-même (ses instructions le font), ni une
// déclaration de fonction, qui ne fait rien de visible ; un atome n'a pas de
// place à montrer.
static bool MeriteUnePause(Interp& I, Objet* x) {
    if (!EstListeNonVide(I, x)) return false;
    const uint16_t tete = CEL(x)->car->tag;
    return tete != kProgn && tete != kLispDe;
}

void PauseAvantInstruction(Interp& I, Objet* x) {
    const Vitesse v = VitesseDe(I);
    if (v == Vitesse::Rapide || ArretEnCours(I) || !MeriteUnePause(I, x)) return;
    Objet* avant = I.formeMontree;
    I.formeMontree = x;
    I.hote.PauseAvantInstruction(v, x);
    I.formeMontree = avant;
    // L'arrêt a pu être demandé pendant la pause, la vitesse changée.
    SonderLHote(I);
}

Objet* InstructionLente(Interp& I, Objet* x) {
    PauseAvantInstruction(I, x);
    return EvaluerLentement(I, x);
}

Objet* FormeEnCours(const Interp& I) {
    return I.formeMontree ? I.formeMontree : I.instructionCourante;
}

const Lieu* LieuEnCours(const Interp& I) {
    if (const Lieu* l = LieuDe(I, I.formeMontree)) return l;
    return LieuDe(I, I.instructionCourante);
}

// ------------------------------------------------------------ relevé

std::string TexteSurUneLigne(Interp& I, Objet* x, size_t max) {
    std::string s;
    // Une pile explicite, et une borne de pas : une liste circulaire ou très
    // profonde s'imprime aussi, coupée.
    std::vector<Objet*> pile{x};
    size_t pas = 0;
    while (!pile.empty() && s.size() <= max && ++pas < 8 * max + 16) {
        Objet* o = pile.back();
        pile.pop_back();
        if (!o) {  // la fin d'une liste
            s += ']';
            continue;
        }
        if (!s.empty() && s.back() != '[') s += ' ';
        if (EstAtome(o)) {
            s += I.TexteDe(o);
        } else if (o == I.pgNil) {
            s += "[]";
        } else {
            s += '[';
            pile.push_back(nullptr);
            // Les éléments à l'envers sur la pile ; une queue pointée en dernier.
            std::vector<Objet*> elements;
            Objet* l = o;
            for (; EstListeNonVide(I, l) && elements.size() <= max; l = CEL(l)->cdr) elements.push_back(CEL(l)->car);
            if (l != I.pgNil && !EstListeNonVide(I, l)) elements.push_back(l);
            for (size_t i = elements.size(); i-- > 0;) pile.push_back(elements[i]);
        }
    }
    if (s.size() > max || !pile.empty()) {
        s.resize(std::min(s.size(), max));
        s += '\x85';  // les points de suspension de la page 1252
    }
    return s;
}

ReleveDesVariables ReleverLesVariables(Interp& I, size_t maxGlobales, size_t maxAppels) {
    ReleveDesVariables r;
    for (MyString* o : I.Lexique) {
        if (o->tag != kTagNom || o == I.pasapas) continue;
        Nom* n = static_cast<Nom*>(o);
        if (n->valeur == I.pgValeurIndefinie || !n->valeur) continue;
        if (r.globales.size() >= maxGlobales) {
            ++r.globalesOmises;
            continue;
        }
        r.globales.push_back({n->nom, TexteSurUneLigne(I, n->valeur)});
    }
    const int32_t profondeur = std::min<int32_t>(I.gProfondeurEnv, kProfondeurMaxEnv + 1);
    const int32_t premier = std::max<int32_t>(1, profondeur - int32_t(maxAppels) + 1);
    r.appelsOmis = size_t(std::max(0, premier - 1));
    for (int32_t d = premier; d <= profondeur; ++d) {
        const Env* e = I.pgTabpEnv[size_t(d)];
        const Nom* f = I.fonctionsDesAppels[size_t(d)];
        if (!e) continue;
        AppelVu a;
        a.profondeur = d;
        a.fonction = f ? f->nom : "?";
        const std::vector<std::string>* noms = nullptr;
        if (f) {
            auto it = I.nomsDesParametres.find(f);
            if (it != I.nomsDesParametres.end()) noms = &it->second;
        }
        const int32_t n = std::min(8, e->nbParams + e->nbLocales);
        for (int32_t k = 0; k < n; ++k) {
            std::string nom;
            if (k < e->nbParams && noms && size_t(k) < noms->size())
                nom = (*noms)[size_t(k)];
            else if (k >= e->nbParams)
                nom = Utf8VersCp1252("(locale ") + std::to_string(k - e->nbParams + 1) + ")";
            else
                nom = "?";
            a.parametres.push_back({nom, TexteSurUneLigne(I, e->cases[k])});
        }
        r.appels.push_back(std::move(a));
    }
    return r;
}

}  // namespace gelim
