// Primitives des mots et des listes : accès, construction, tests, égalité,
// appartenance et substitution. Tout ce qui suit les données est itératif :
// une liste très longue ou très imbriquée ne déborde jamais la pile native.
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "primitives/primitives.h"
#include "text/messages.h"

namespace gelim {

namespace {

bool EstListeNonVide(Interp& I, Objet* x) {
    return EstCellule(x) && x != I.pgNil;
}

// Mot ou primitive ; « nom-ou-vide » y ajoute la liste vide. Les nombres n'en sont pas.
bool EstSymbole(Objet* x) {
    return EstNom(x) || EstPrimitive(x);
}
bool EstNomOuVide(Interp& I, Objet* x) {
    return EstSymbole(x) || x == I.pgNil;
}

// Troncature vers zéro sans comportement indéfini pour les valeurs hors bornes.
int64_t Tronque(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2e18f) return INT64_MAX;
    if (v <= -9.2e18f) return INT64_MIN;
    return static_cast<int64_t>(v);
}

// Un mot bâti par un programme n'est jamais plus long qu'un texte analysé.
const char* const kMotTropLong = "Le mot obtenu aurait plus de 64998 caractères : c'est trop long.";

// La place d'un mot dans le lexique : son texte deux fois (l'objet et la clé
// de l'index), l'objet et le nœud de l'index.
size_t PlaceDUnMot(const std::string& texte) {
    return 2 * texte.size() + 160;
}

// Un rapport qui montre un nombre de caractères ou de mots.
Objet* RapportAvecCompte(Interp& I, const char* contexte, const char* message, size_t compte) {
    Flottant* n = I.NouveauNombreTemporaire(static_cast<float>(compte));
    ErreurExecution(I, contexte, message, n);
    I.LibereSiTemporaire(n);
    return I.pgCestFaux;
}

// Le mot d'un texte : l'objet du lexique de ce nom, ou un nouveau Nom ; jamais
// un nombre, même quand le lexique tient un nombre écrit de la même façon.
// Les mots nouveaux restent jusqu'à la fin de la session : leur place est bornée.
Objet* MotDuTexte(Interp& I, const std::string& texte) {
    MyString* trouve = I.Cherche(texte);
    if (trouve && !EstFlottant(trouve)) return trouve;
    if (trouve) {
        auto it = I.motsHomonymesDeNombres.find(texte);
        if (it != I.motsHomonymesDeNombres.end()) return it->second;
    }
    const size_t place = PlaceDUnMot(texte);
    if (I.memoireMotsBatis + place > I.memoireMotsBatisMax)
        return RapportAvecCompte(
            I, "Mots",
            "Le programme a créé trop de mots, leur place est pleine. Longueur du mot refusé :", texte.size());
    I.memoireMotsBatis += place;
    if (!trouve) return I.TrouveOuCreeNom(texte);
    auto* n = new Nom;
    n->tag = kTagNom;
    n->nom = texte;
    n->valeur = I.pgValeurIndefinie;
    n->definition = I.pgValeurFDUProtoIndefinie;
    I.proprietes.emplace_back(n);
    I.Lexique.push_back(n);
    I.motsHomonymesDeNombres.emplace(texte, n);
    return n;
}

// Une liste bâtie en ajoutant en queue. Quand les cellules sont épuisées
// (mp rend la liste vide), la construction s'arrête et le résultat est pgNil.
class Batisseur {
public:
    explicit Batisseur(Interp& I) : I_(I), tete_(I.pgNil) {}
    bool Ajoute(Objet* x) {
        if (epuise_) return false;
        Objet* c = I_.mp(x, I_.pgNil);
        if (c == I_.pgNil) {
            epuise_ = true;
            return false;
        }
        if (queue_)
            queue_->cdr = c;
        else
            tete_ = c;
        queue_ = CEL(c);
        return true;
    }
    bool Epuise() const { return epuise_; }
    // La liste, suivie de « reste » (partagé, pas copié).
    Objet* Fin(Objet* reste) {
        if (epuise_) return I_.pgNil;
        if (!queue_) return reste;
        queue_->cdr = reste;
        return tete_;
    }

private:
    Interp& I_;
    Objet* tete_;
    Cellule* queue_ = nullptr;
    bool epuise_ = false;
};

// Copie des cellules de premier niveau d'une liste.
void CopieDesElements(Interp& I, Batisseur& b, Objet* l) {
    for (; EstListeNonVide(I, l) && !b.Epuise(); l = CEL(l)->cdr) b.Ajoute(CEL(l)->car);
}

// La comparaison « == » de deux nombres : le premier s'il y a égalité (true
// pour 0, qui serait faux), sinon false ; les temporaires non rendus sont libérés.
Objet* ComparaisonEgale(Interp& I, Flottant* a, Flottant* b) {
    if (a->valeur == b->valeur) {
        Objet* r = a->valeur == 0.0f ? I.pgTrue : a;
        if (b != a) I.LibereSiTemporaire(b);
        return r;
    }
    I.LibereSiTemporaire(a);
    if (b != a) I.LibereSiTemporaire(b);
    return I.pgFalse;
}

}  // namespace

// ---------------------------------------------------------------- accès aux listes

Objet* PrimCxr(Interp& I, uint16_t code, Objet* l) {
    // Les lettres, lues de droite à gauche : a pour car, d pour cdr.
    static const char* const chemins[] = {"aa",  "ad",  "da",  "dd",  "aaa", "aad",  "ada",
                                          "add", "daa", "dad", "dda", "ddd", "addd", "dddd"};
    if (code < kCaar || code > kCddddr)
        return ErreurExecution(I, "switch EvalFoncEvNSListe1param", "ce cas est imprévu", l);
    const char* chemin = chemins[code - kCaar];
    Objet* x = l;
    for (size_t i = std::char_traits<char>::length(chemin); i-- > 0;) x = chemin[i] == 'a' ? I.Car(x) : I.Cdr(x);
    return x;
}

Objet* PrimRenverse(Interp& I, Objet* l) {
    Objet* r = I.pgNil;
    for (; EstListeNonVide(I, l); l = CEL(l)->cdr) {
        Objet* c = I.mp(CEL(l)->car, r);
        if (c == I.pgNil) return I.pgNil;  // cellules épuisées
        r = c;
    }
    return r;
}

Objet* PrimPlat(Interp& I, Objet* l) {
    // Parcours gauche-droite avec une pile explicite des suites à reprendre.
    Batisseur b(I);
    std::vector<Objet*> pile{l};
    while (!pile.empty() && !b.Epuise()) {
        Objet* x = pile.back();
        pile.pop_back();
        if (x == I.pgNil) continue;
        if (!EstCellule(x)) {
            b.Ajoute(x);
            continue;
        }
        pile.push_back(CEL(x)->cdr);
        pile.push_back(CEL(x)->car);
    }
    return b.Fin(I.pgNil);
}

Objet* PrimImplose(Interp& I, Objet* l) {
    if (l == I.pgNil) return ErreurExecution(I, "Implose", "Le param 1 est liste vide", l);
    if (!EstCellule(l)) return ErreurExecution(I, "Implose", "Le param 1 n'est pas une liste", l);
    std::string texte;
    for (; EstListeNonVide(I, l); l = CEL(l)->cdr) {
        Objet* e = CEL(l)->car;
        if (!EstNomOuVide(I, e) && !EstFlottant(e))
            return ErreurExecution(I, "implose", "Le param de la liste à concaténer est ni un nom, ni un nombre", e);
        const std::string& morceau = I.TexteDe(e);  // la liste vide n'apporte rien
        if (texte.size() + morceau.size() > kLongueurMaxAnalysee)
            return RapportAvecCompte(I, "implose", kMotTropLong, texte.size() + morceau.size());
        texte += morceau;
    }
    return MotDuTexte(I, texte);
}

// ---------------------------------------------------------------- tests et longueur

Objet* PrimTestType(Interp& I, uint16_t code, Objet* x) {
    bool vrai;
    if (TestDeTypeSimple(I, code, x, vrai)) return vrai ? I.pgTrue : I.pgFalse;
    switch (code) {
        case kSexp: vrai = true; break;                    // sexp
        case kSymboleP: vrai = EstNomOuVide(I, x); break;  // symbole?
        case kVarp:                                        // varp
            return EstNom(x) && !MS(x)->nom.empty() && MS(x)->nom[0] == '_' ? x : I.pgFalse;
        case kNomP: vrai = EstNom(x) && NOM(x)->valeur != I.pgValeurIndefinie; break;               // nom?
        case kPrimP: vrai = EstPrimitive(x); break;                                                 // prim?
        case kProcP: vrai = EstNom(x) && NOM(x)->definition != I.pgValeurFDUProtoIndefinie; break;  // proc?
        default: return ErreurExecution(I, " switch EvalFoncEvNSFree1param ", "ce cas est imprévu ", x);
    }
    return vrai ? I.pgTrue : I.pgFalse;
}

Objet* PrimLongueur(Interp& I, Objet* x) {
    int64_t n = 0;
    for (; EstListeNonVide(I, x); x = CEL(x)->cdr) ++n;
    if (n == 0) return I.pgZero;
    if (n == 1) return I.pgUn;
    return I.NouveauNombre(static_cast<float>(n));
}

// ---------------------------------------------------------------- égalités et logique

Objet* PrimEq(Interp& I, Objet* a, Objet* b) {
    if (a->tag != b->tag) return I.pgFalse;
    if (EstFlottant(a)) return ComparaisonEgale(I, FLO(a), FLO(b));
    return a == b ? I.pgTrue : I.pgFalse;
}

Objet* PrimNeq(Interp& I, Objet* a, Objet* b) {
    return I.EstFaux(PrimEq(I, a, b)) ? I.pgTrue : I.pgFalse;
}

Objet* PrimEgal(Interp& I, Objet* a, Objet* b) {
    // Récursion sur le car remplacée par une pile des cdr restant à comparer :
    // le résultat est false dès qu'une comparaison l'est, sinon celui de la
    // dernière comparaison (la plus à droite).
    std::vector<std::pair<Objet*, Objet*>> suites;
    for (;;) {
        Objet* r;
        if (a == I.pgNil) {
            r = b == I.pgNil ? I.pgTrue : I.pgFalse;
        } else if (b == I.pgFalse) {
            r = I.pgFalse;
        } else if (EstListeNonVide(I, a) && EstListeNonVide(I, b)) {
            suites.emplace_back(CEL(a)->cdr, CEL(b)->cdr);
            a = CEL(a)->car;
            b = CEL(b)->car;
            continue;
        } else {
            r = PrimEq(I, a, b);
        }
        if (r == I.pgFalse || suites.empty()) return r;
        a = suites.back().first;
        b = suites.back().second;
        suites.pop_back();
    }
}

Objet* PrimEtEt(Interp& I, Objet* a, Objet* b) {
    // Seuls les objets mêmes sont faux ici : un zéro calculé compte pour vrai.
    auto faux = [&](Objet* x) { return x == I.pgZero || x == I.pgNil || x == I.pgFalse; };
    return faux(a) || faux(b) ? I.pgFalse : I.pgTrue;
}

Objet* PrimOuOu(Interp& I, Objet* a, Objet* b) {
    if (!I.EstFaux(a)) return I.pgTrue;
    return I.EstFaux(b) ? I.pgFalse : I.pgTrue;
}

Objet* PrimListe2(Interp& I, Objet* a, Objet* b) {
    Batisseur l(I);
    l.Ajoute(a);
    l.Ajoute(b);
    return l.Fin(I.pgNil);
}

Objet* PrimMembre(Interp& I, Objet* a, Objet* b) {
    if (EstListeNonVide(I, b)) {
        for (; EstListeNonVide(I, b); b = CEL(b)->cdr)
            if (PrimEgal(I, a, CEL(b)->car) != I.pgFalse) return I.pgTrue;
        return I.pgFalse;
    }
    if (b == I.pgNil) return I.pgFalse;
    // Recherche dans le texte ; une liste, même vide, n'a pas de texte à
    // chercher (sinon [] serait « dans » tout mot, comme un texte vide).
    if (EstCellule(a)) return I.pgFalse;
    const std::string& t = I.TexteDe(a);
    const std::string& s = I.TexteDe(b);
    for (size_t i = 0; i < s.size() && i + t.size() <= s.size(); ++i)
        if (s.compare(i, t.size(), t) == 0) return I.pgTrue;
    return I.pgFalse;
}

Objet* PrimMemq(Interp& I, Objet* a, Objet* b) {
    for (; EstListeNonVide(I, b); b = CEL(b)->cdr)
        if (CEL(b)->car == a) return I.pgTrue;
    return I.pgFalse;
}

// ---------------------------------------------------------------- mots

Objet* PrimRecycleValeur(Interp& I, Objet* x) {
    if (!EstNom(x)) return ErreurExecution(I, "RecycleValeur", "Le param n'est pas un Nom", x);
    Objet* v = NOM(x)->valeur;
    if (!EstFlottant(v)) return ErreurExecution(I, "RecycleValeur", "La valeur du param n'est pas un nombre", v);
    Flottant* n = FLO(v);
    if (n->etat == EtatPossede) return v;
    // Le nombre peut être aussi celui d'un paramètre (prêté, ou affecté depuis
    // lui) : possédé, il mourrait avec l'appel et sa place resservirait sous le
    // nom. Le nom reçoit donc son propre exemplaire, même valeur, même texte.
    Flottant* c = I.NouveauNombre(n->valeur);
    c->formatF = n->formatF;
    c->etat = EtatPossede;
    NOM(x)->valeur = c;
    return c;
}

Objet* PrimExplose(Interp& I, Objet* x) {
    if (!EstNom(x)) return ErreurExecution(I, "Explose", "Le param 1 n'est pas un Nom", x);
    std::string nom = MS(x)->nom;  // copie : la carte peut écrire et le lexique grandir
    Batisseur l(I);
    for (unsigned char c : nom)
        if (!l.Ajoute(I.CarteCaractere(c))) break;
    return l.Fin(I.pgNil);
}

Objet* PrimCarCode(Interp& I, Objet* x) {
    if (!EstFlottant(x)) return ErreurExecution(I, "car", "Le param 1 n'est pas un Nombre", x);
    char c = static_cast<char>(Tronque(FLO(x)->valeur) & 0xFF);
    // Le code 0 termine les textes : il donne le mot de nom vide.
    return MotDuTexte(I, c ? std::string(1, c) : std::string());
}

Objet* PremDUnMot(Interp& I, Objet* x) {
    std::string t = I.TexteDe(x);
    return MotDuTexte(I, t.substr(0, 1));
}

Objet* PrimDer(Interp& I, Objet* x) {
    if (x == I.pgNil) return I.pgNil;
    if (EstCellule(x)) {
        while (EstListeNonVide(I, CEL(x)->cdr)) x = CEL(x)->cdr;
        return CEL(x)->car;
    }
    std::string t = I.TexteDe(x);
    if (t.empty()) return I.pgNil;
    return MotDuTexte(I, t.substr(t.size() - 1));
}

Objet* SpDUnMot(Interp& I, Objet* x) {
    std::string t = I.TexteDe(x);
    return MotDuTexte(I, t.empty() ? t : t.substr(1));
}

Objet* PrimSd(Interp& I, Objet* x) {
    if (x == I.pgNil) return I.pgNil;
    if (EstCellule(x)) {
        Batisseur l(I);
        for (; EstListeNonVide(I, CEL(x)->cdr) && !l.Epuise(); x = CEL(x)->cdr) l.Ajoute(CEL(x)->car);
        return l.Fin(I.pgNil);
    }
    std::string t = I.TexteDe(x);
    if (t.size() <= 1) return I.pgNil;
    return MotDuTexte(I, t.substr(0, t.size() - 1));
}

// ---------------------------------------------------------------- construction

Objet* PrimMp(Interp& I, Objet* a, Objet* b) {
    return I.mp(a, b);
}

Objet* PrimNieme(Interp& I, Objet* a, Objet* b) {
    if (!EstFlottant(a)) return ErreurExecution(I, "item ou nième...", "Le param 1 n'est pas un nombre", a);
    if (!EstCellule(b)) return ErreurExecution(I, "item ou nième ...", "Le param 2 n'est pas une liste", b);
    int64_t n = Tronque(FLO(a)->valeur);
    if (n < 0) return ErreurExecution(I, "Nth...", "Le param 1 est un nombre négatif", a);
    // Au-delà de la fin, le cdr de la liste vide est la liste vide : inutile de continuer.
    for (; n > 0 && EstListeNonVide(I, b); --n) b = CEL(b)->cdr;
    return EstCellule(b) ? CEL(b)->car : I.Car(b);
}

Objet* PrimMot(Interp& I, Objet* a, Objet* b) {
    if (!EstNomOuVide(I, a) && !EstFlottant(a))
        return ErreurExecution(I, "Concaténation", "Le param 1 est ni un nom, ni un nombre", a);
    if (!EstNomOuVide(I, b) && !EstFlottant(b))
        return ErreurExecution(I, "Concaténation", "Le param 2 est ni un nom, ni un nombre", b);
    if (a == I.pgNil) return b;
    if (b == I.pgNil) return a;
    const std::string& ta = I.TexteDe(a);
    const std::string& tb = I.TexteDe(b);
    if (ta.size() + tb.size() > kLongueurMaxAnalysee)
        return RapportAvecCompte(I, "Concaténation", kMotTropLong, ta.size() + tb.size());
    return MotDuTexte(I, ta + tb);
}

Objet* PrimPhrase(Interp& I, Objet* a, Objet* b) {
    if (a == I.pgNil) {
        if (!EstSymbole(b)) return b;  // liste vide, liste, nombre : tel quel
        return I.mp(b, I.pgNil);
    }
    if (!EstCellule(a)) {
        // Un symbole (ou un autre atome, un nombre par exemple) est mis en tête ;
        // b doit alors être un symbole ou une liste (sinon le rapport de mp).
        if (b == I.pgNil) return I.mp(a, I.pgNil);
        if (EstSymbole(b)) return PrimListe2(I, a, b);
        return I.mp(a, b);
    }
    if (b == I.pgNil) return a;
    Batisseur l(I);
    CopieDesElements(I, l, a);
    if (EstCellule(b)) return l.Fin(b);  // les cellules de b sont partagées
    // Un atome est ajouté comme dernier élément : la liste reste bien formée.
    l.Ajoute(b);
    return l.Fin(I.pgNil);
}

// ---------------------------------------------------------------- substitution

Objet* PrimSubst(Interp& I, Objet* nouveau, Objet* ancien, Objet* arbre) {
    // Parcours en profondeur avec une pile explicite ; un sous-arbre inchangé
    // est partagé. « rendu » porte le résultat du dernier sous-arbre terminé.
    struct Cadre {
        Objet* arbre;
        Objet* r1;
        int etape;  // 0 : à examiner ; 1 : car fait ; 2 : cdr fait
    };
    std::vector<Cadre> pile{{arbre, nullptr, 0}};
    Objet* rendu = nullptr;
    while (!pile.empty()) {
        Cadre& c = pile.back();
        if (c.etape == 0) {
            if (PrimEgal(I, c.arbre, ancien) != I.pgFalse) {
                rendu = nouveau;
                pile.pop_back();
            } else if (!EstListeNonVide(I, c.arbre)) {
                rendu = c.arbre;
                pile.pop_back();
            } else {
                c.etape = 1;
                Objet* car = CEL(c.arbre)->car;
                pile.push_back({car, nullptr, 0});
            }
        } else if (c.etape == 1) {
            c.r1 = rendu;
            c.etape = 2;
            Objet* cdr = CEL(c.arbre)->cdr;
            pile.push_back({cdr, nullptr, 0});
        } else {
            Objet* r2 = rendu;
            Cellule* a = CEL(c.arbre);
            if (c.r1 == a->car && r2 == a->cdr) {
                rendu = c.arbre;
            } else {
                rendu = I.mp(c.r1, r2);
                // Épuisement (pgNil) ou reste qui n'est pas une liste (rapport
                // de mp) : on s'arrête là, une seule fois.
                if (rendu == I.pgNil) return I.pgNil;
                if (!EstCellule(rendu)) return rendu;
            }
            pile.pop_back();
        }
    }
    return rendu;
}

}  // namespace gelim
