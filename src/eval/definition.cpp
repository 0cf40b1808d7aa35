// Définition des FDU (lisp_de) avec la réécriture des corps en paramètres
// positionnels, et les variables locales de let. Les arbres sont parcourus
// avec une pile explicite : aucune donnée ne peut déborder la pile native.
#include <vector>

#include "eval/interne.h"
#include "syntax/lieux.h"
#include "text/messages.h"

namespace gelim {

namespace {

// ------------------------------------------------------------ réécriture des corps

// Réécrit un corps avec une liste de noms L : le nom à la position k devient
// le paramètre positionnel k (la première position gagne ; au-delà de 8, le
// nom reste). Une liste qui commence par let ajoute à L les noms de ses
// liaisons pour son corps ; ses liaisons, elles, sont réécrites avec L.
class Reecriture {
public:
    Reecriture(Interp& I, Objet* let) : I(I), let_(let) {}

    std::vector<Objet*> noms;

    Objet* Arbre(Objet* x, size_t nbNoms) {
        if (!EstListeNonVide(I, x)) return x == I.pgNil ? x : Atome(x, nbNoms);
        return Liste(x, nbNoms, false);
    }

private:
    struct Cadre {
        Objet* origine;     // la liste source entière (sa place dans le texte passe à la copie)
        Objet* source;      // ce qui reste à parcourir de la liste source
        Cellule* cible;     // la cellule dont le car recevra le résultat (nullptr : la racine)
        Objet* tete;        // la liste construite
        Cellule* derniere;  // sa dernière cellule
        size_t nbNoms;      // L vaut noms[0 .. nbNoms)
        bool structurel;    // liaisons d'un let : simple remplacement des noms
    };

    Interp& I;
    Objet* let_;
    std::vector<Cadre> pile_;

    Objet* Atome(Objet* x, size_t nbNoms) {
        const size_t n = nbNoms < noms.size() ? nbNoms : noms.size();
        for (size_t k = 0; k < n; ++k)
            if (noms[k] == x) return k < 8 ? static_cast<Objet*>(I.params[k]) : x;
        return x;
    }

    // Une cellule de plus au bout de la liste du cadre ; nullptr quand la
    // réserve est épuisée (la liste s'arrête là, la boîte a été montrée).
    Cellule* Ajouter(Cadre& c, Objet* v) {
        Objet* cel = I.mp(v, I.pgNil);
        if (cel == I.pgNil) return nullptr;
        if (c.derniere)
            c.derniere->cdr = cel;
        else
            c.tete = cel;
        c.derniere = CEL(cel);
        return CEL(cel);
    }

    // Ajoute l'élément e réécrit ; une sous-liste devient un nouveau cadre
    // (la référence c n'est plus valable ensuite).
    void Element(Cadre& c, Objet* e, size_t nbNoms, bool structurel) {
        if (EstListeNonVide(I, e)) {
            Cellule* cel = Ajouter(c, I.pgNil);
            if (!cel) {
                c.source = I.pgNil;
                return;
            }
            pile_.push_back({e, e, cel, I.pgNil, nullptr, nbNoms, structurel});
            return;
        }
        if (!Ajouter(c, e == I.pgNil ? e : Atome(e, nbNoms))) c.source = I.pgNil;
    }

    Objet* Liste(Objet* x, size_t nbNoms, bool structurel) {
        pile_.push_back({x, x, nullptr, I.pgNil, nullptr, nbNoms, structurel});
        Objet* racine = I.pgNil;
        while (!pile_.empty()) {
            Cadre& c = pile_.back();
            if (!EstListeNonVide(I, c.source)) {
                if (c.source != I.pgNil) {  // queue pointée
                    Objet* a = Atome(c.source, c.nbNoms);
                    if (c.derniere)
                        c.derniere->cdr = a;
                    else
                        c.tete = a;
                }
                Objet* resultat = c.tete;
                Cellule* cible = c.cible;
                CopierLeLieu(I, c.origine, resultat);
                pile_.pop_back();
                if (cible)
                    cible->car = resultat;
                else
                    racine = resultat;
                continue;
            }
            Objet* e = CEL(c.source)->car;
            Objet* suite = CEL(c.source)->cdr;
            if (e == let_ && !c.structurel) {
                if (!Ajouter(c, e)) {
                    c.source = I.pgNil;
                    continue;
                }
                if (!EstListeNonVide(I, suite)) {
                    c.source = suite;
                    continue;
                }
                Objet* liaisons = CEL(suite)->car;
                const size_t avant = c.nbNoms;
                noms.resize(avant);
                for (Objet* l = liaisons; EstListeNonVide(I, l); l = CEL(l)->cdr) {
                    Objet* b = CEL(l)->car;
                    noms.push_back(EstCellule(b) ? CEL(b)->car : b);
                }
                c.nbNoms = noms.size();
                c.source = CEL(suite)->cdr;
                Element(c, liaisons, avant, true);
                continue;
            }
            c.source = suite;
            Element(c, e, c.nbNoms, c.structurel);
        }
        return racine;
    }
};

// ------------------------------------------------------------ remplacement dans let

// Égalité de structure : même objet, nombres de même valeur, listes égales
// élément par élément.
bool MemeStructure(Interp& I, Objet* a, Objet* b) {
    std::vector<std::pair<Objet*, Objet*>> pile{{a, b}};
    while (!pile.empty()) {
        auto [x, y] = pile.back();
        pile.pop_back();
        if (x == y) continue;
        if (EstListeNonVide(I, x) && EstListeNonVide(I, y)) {
            pile.push_back({CEL(x)->cdr, CEL(y)->cdr});
            pile.push_back({CEL(x)->car, CEL(y)->car});
            continue;
        }
        if (EstFlottant(x) && EstFlottant(y) && FLO(x)->valeur == FLO(y)->valeur) continue;
        return false;
    }
    return true;
}

// Remplace dans l'arbre chaque sous-arbre égal à « ancien » par « nouveau » ;
// les parties inchangées sont partagées, pas copiées.
Objet* RemplacerPartout(Interp& I, Objet* arbre, Objet* ancien, Objet* nouveau) {
    auto egal = [&](Objet* x) {
        if (x == ancien) return true;
        if (EstFlottant(ancien)) return EstFlottant(x) && FLO(x)->valeur == FLO(ancien)->valeur;
        if (EstListeNonVide(I, ancien)) return EstListeNonVide(I, x) && MemeStructure(I, x, ancien);
        return false;
    };
    struct Tache {
        Objet* noeud;
        Objet* nouveauCar;
        int etape;  // 0 : à examiner, 1 : car fait, 2 : cdr fait
    };
    std::vector<Tache> pile{{arbre, nullptr, 0}};
    Objet* resultat = arbre;
    while (!pile.empty()) {
        Tache& t = pile.back();
        if (t.etape == 0) {
            if (egal(t.noeud)) {
                resultat = nouveau;
                pile.pop_back();
            } else if (!EstListeNonVide(I, t.noeud)) {
                resultat = t.noeud;
                pile.pop_back();
            } else {
                t.etape = 1;
                Objet* car = CEL(t.noeud)->car;
                pile.push_back({car, nullptr, 0});
            }
        } else if (t.etape == 1) {
            t.nouveauCar = resultat;
            t.etape = 2;
            Objet* cdr = CEL(t.noeud)->cdr;
            pile.push_back({cdr, nullptr, 0});
        } else {
            Cellule* n = CEL(t.noeud);
            if (t.nouveauCar != n->car || resultat != n->cdr) {
                Objet* c = I.mp(t.nouveauCar, I.pgNil);
                if (c != I.pgNil) CEL(c)->cdr = resultat;
                resultat = c;
            } else {
                resultat = n;
            }
            pile.pop_back();
        }
    }
    return resultat;
}

}  // namespace

// ------------------------------------------------------------ lisp_de

Objet* LispDe(Interp& I, Objet* args) {
    Objet* f = Premier(I, args);
    if (!EstNom(f))
        return Rapport(I, "De", "Le 1er paramètre qui sert pour le nom de fonction, n'est pas un symbole", f);
    Objet* P = Second(I, args);
    if (!EstCellule(P)) return Rapport(I, "De", "Le 2ième paramètre doit être une liste de paramètres", P);
    int32_t nbParams = 0;
    for (Objet* l = P; EstListeNonVide(I, l) && nbParams <= 8; l = CEL(l)->cdr) ++nbParams;
    // Huit paramètres positionnels seulement : au-delà, rien ne change.
    if (nbParams > 8) return Rapport(I, "De", "Une fonction ne peut pas avoir plus de 8 paramètres", P);

    Nom* nom = NOM(f);
    Objet* proto = I.pgValeurFDUProtoIndefinie;
    Objet* corps = Reste(I, Reste(I, args));
    Objet* b1 = Premier(I, corps);
    const bool declaration = b1 == I.pgNil || b1 == proto;
    if (!declaration) {
        const bool inconnue = nom->definition == proto || Premier(I, nom->definition) == proto;
        if (inconnue) {
            Ecrit(I, "Tu m'as enseigné comment faire pour la fonction : '");
            Ecrit(I, nom->nom);
            EcritLigne(I, "' !");
        } else {
            Ecrit(I, "Attention, la fonction : '");
            Ecrit(I, nom->nom);
            EcritLigne(I, "' est déjà définie, alors, je la redéfinis");
        }
    }
    nom->nbParamsFDU = nbParams;
    std::vector<std::string>& noms = I.nomsDesParametres[nom];
    noms.clear();
    for (Objet* l = P; EstListeNonVide(I, l); l = CEL(l)->cdr)
        noms.push_back(EstAtome(CEL(l)->car) ? I.TexteDe(CEL(l)->car) : std::string("?"));
    if (!declaration) {
        Reecriture r(I, I.Prim(kLet));
        for (Objet* l = P; EstListeNonVide(I, l); l = CEL(l)->cdr) r.noms.push_back(CEL(l)->car);
        nom->definition = r.Arbre(corps, r.noms.size());
    } else if (nom->definition == proto) {
        nom->definition = I.mp(proto, I.pgNil);
        Ecrit(I, "La fonction : '");
        Ecrit(I, nom->nom);
        EcritLigne(I, "' qui m'était inconnue, m'est maintenant connue");
    }
    return I.pgNil;
}

// ------------------------------------------------------------ let

Objet* FormeLet(Interp& I, Objet* args) {
    I.letVu = true;
    Objet* liaisons = Premier(I, args);
    if (!EstListeNonVide(I, liaisons))
        return Rapport(I, "la fonction let",
                       "qu'il faut une liste de paramètre-Valeurs : (let ((Par1 Val1) ... (ParN ValN)) S1 ... SN)",
                       liaisons);
    Env* E = EnvCourant(I);
    if (!E)
        return Rapport(I, "la fonction let", "Il n'y a pas encore d'environnement pour les variables locales.",
                       liaisons);
    const int32_t locales = E->nbLocales;
    const bool base = I.gProfondeurEnv == 0;
    Objet* corps = Reste(I, args);
    for (Objet* l = liaisons; EstListeNonVide(I, l); l = CEL(l)->cdr) {
        const int32_t k = E->nbParams + E->nbLocales;
        if (k >= 8) {
            Objet* r = Rapport(I, "la fonction let", "Vous utilisez trop de variables locales", l);
            E->nbLocales = locales;
            return r;
        }
        // Une liaison réduite à un nom vaut [].
        Objet* b = CEL(l)->car;
        Objet* nom = EstCellule(b) ? CEL(b)->car : b;
        Objet* v = Evaluer(I, EstCellule(b) ? Second(I, b) : I.pgNil);
        if (EstFlottant(v) && FLO(v)->etat <= EtatTemporaire) FLO(v)->etat = EtatPartage;
        E->cases[k] = v;
        if (k >= E->nbCasesEcrites) E->nbCasesEcrites = k + 1;
        // Au niveau de base, aucun corps n'a été réécrit à la définition : on le fait ici.
        if (base && nom != I.pgNil) corps = RemplacerPartout(I, corps, nom, I.params[k]);
        ++E->nbLocales;
    }
    Objet* r = EvalProgn(I, corps);
    E->nbLocales = locales;
    return r;
}

}  // namespace gelim
