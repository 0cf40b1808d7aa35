// Primitives des mots et des listes, ce que les transcriptions ne voient pas :
// identité des mots, temporaires, très longues et très profondes listes.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "hote_enregistreur.h"
#include "objects/imprime.h"
#include "primitives/primitives.h"

using namespace gelim;

namespace {

// Un interprète neuf et de quoi écrire et relire des listes dans les tests.
struct BancMots : Banc {
    Interp& In() { return *I; }
    Objet* M(const std::string& t) { return I->TrouveOuCreeNom(t); }
    Flottant* N(float v) { return I->NouveauNombre(v); }

    // « [a [b c] 3] » : mots, nombres et listes entre crochets.
    Objet* Lis(const std::string& t) {
        size_t p = 0;
        return LisElement(t, p);
    }
    // Forme lisible d'un objet : listes entre crochets, queue pointée « . x ».
    std::string F(Objet* x) {
        if (!EstCellule(x)) return I->TexteDe(x);
        if (x == I->pgNil) return "[]";
        std::string r = "[";
        for (;;) {
            r += F(CEL(x)->car);
            x = CEL(x)->cdr;
            if (x == I->pgNil) break;
            if (!EstCellule(x)) {
                r += " . " + I->TexteDe(x);
                break;
            }
            r += ' ';
        }
        return r + "]";
    }
    // Une liste de n fois le même élément.
    Objet* Repete(Objet* e, int n) {
        Objet* l = I->pgNil;
        for (int i = 0; i < n; ++i) l = I->mp(e, l);
        return l;
    }
    // [[[... e ...]]] sur n niveaux.
    Objet* Imbrique(Objet* e, int n) {
        for (int i = 0; i < n; ++i) e = I->mp(e, I->pgNil);
        return e;
    }
    int Dialogues() const { return hote.Compter("DIALOGUE"); }

private:
    Objet* LisElement(const std::string& t, size_t& p) {
        while (p < t.size() && t[p] == ' ') ++p;
        if (t[p] == '[') {
            ++p;
            std::vector<Objet*> elements;
            for (;;) {
                while (p < t.size() && t[p] == ' ') ++p;
                if (t[p] == ']') {
                    ++p;
                    break;
                }
                elements.push_back(LisElement(t, p));
            }
            Objet* l = I->pgNil;
            for (auto it = elements.rbegin(); it != elements.rend(); ++it) l = I->mp(*it, l);
            return l;
        }
        size_t d = p;
        while (p < t.size() && t[p] != ' ' && t[p] != '[' && t[p] != ']') ++p;
        std::string mot = t.substr(d, p - d);
        if (isdigit(static_cast<unsigned char>(mot[0])) || (mot[0] == '-' && mot.size() > 1))
            return I->NombreDuTexte(mot);
        return I->TrouveOuCreeNom(mot);
    }
};

}  // namespace

TEST(Mots, UnMotNEstJamaisUnNombre) {
    BancMots b;
    Interp& I = b.In();
    // Le lexique tient déjà le nombre 12 et le nombre 3 (des littéraux d'un programme).
    Flottant* douze = I.NombreDuTexte("12");
    douze->etat = EtatPartage;
    ASSERT_TRUE(I.Ajoute(douze));
    Flottant* trois = I.NombreDuTexte("3");
    ASSERT_TRUE(I.Ajoute(trois));
    auto nombreP = [&](Objet* x) { return PrimTestType(I, kNombreP, x); };

    Objet* m = PrimImplose(I, b.Lis("[1 2]"));
    EXPECT_TRUE(EstNom(m));
    EXPECT_EQ(I.TexteDe(m), "12");
    EXPECT_EQ(nombreP(m), I.pgFalse);
    // Toujours le même mot pour le même texte, quelle que soit la primitive.
    EXPECT_EQ(PrimMot(I, I.pgUn, I.NombreDuTexte("2")), m);
    EXPECT_EQ(PrimSd(I, I.NombreDuTexte("123")), m);
    EXPECT_EQ(PrimDer(I, I.NombreDuTexte("123")), PrimCarCode(I, b.N(51)));
    EXPECT_TRUE(EstNom(PrimDer(I, I.NombreDuTexte("123"))));
    // Le mot reste une racine de la collecte : sa valeur survit à « recycle ».
    NOM(m)->valeur = b.Lis("[x y]");
    I.Recuperation();
    EXPECT_EQ(b.F(NOM(m)->valeur), "[x y]");
    // prem d'un nombre : le mot du premier chiffre.
    Objet* un = PrimPrem(I, I.NombreDuTexte("123"));
    EXPECT_EQ(I.TexteDe(un), "1");
    EXPECT_EQ(nombreP(un), I.pgFalse);
}

TEST(Egalite, EqLibereLesTemporairesQuIlNeRendPas) {
    BancMots b;
    Interp& I = b.In();
    // Les temporaires que la comparaison ne rend pas sont libérés.
    Flottant* t1 = I.NouveauNombreTemporaire(7);
    Flottant* t2 = I.NouveauNombreTemporaire(7);
    int64_t vivants = I.nbNombresVivants;
    EXPECT_EQ(PrimEq(I, t1, t2), t1);
    EXPECT_FALSE(t1->libere);
    EXPECT_TRUE(t2->libere);
    EXPECT_EQ(I.nbNombresVivants, vivants - 1);
    Flottant* t3 = I.NouveauNombreTemporaire(1);
    Flottant* t4 = I.NouveauNombreTemporaire(2);
    EXPECT_EQ(PrimEq(I, t3, t4), I.pgFalse);
    EXPECT_TRUE(t3->libere && t4->libere);
    // Le même temporaire des deux côtés n'est pas libéré avant d'être rendu.
    Flottant* t5 = I.NouveauNombreTemporaire(4);
    EXPECT_EQ(PrimEq(I, t5, t5), t5);
    EXPECT_FALSE(t5->libere);
}

TEST(Mots, RecycleValeurDonneUnExemplairePossede) {
    BancMots b;
    Interp& I = b.In();
    Nom* x = NOM(b.M("x"));
    Flottant* v = b.N(8);
    v->etat = EtatPartage;
    x->valeur = v;
    // Le nom reçoit son propre exemplaire possédé (l'ancien peut être celui
    // d'un paramètre) ; possédé déjà, il le garde.
    Objet* r = PrimRecycleValeur(I, x);
    ASSERT_TRUE(EstFlottant(r));
    EXPECT_NE(r, v);
    EXPECT_EQ(x->valeur, r);
    EXPECT_EQ(FLO(r)->valeur, 8.0f);
    EXPECT_EQ(FLO(r)->etat, EtatPossede);
    EXPECT_EQ(v->etat, EtatPartage);
    EXPECT_EQ(PrimRecycleValeur(I, x), r);
    x->valeur = b.Lis("[a b]");
    EXPECT_EQ(PrimRecycleValeur(I, x), I.pgCestFaux);
    EXPECT_EQ(b.Dialogues(), 1);
}

// Un mot bâti va jusqu'à la longueur d'un texte analysé, pas au-delà (les
// rapports sont vus par fiab_mots_bornes) ; les mots nouveaux, gardés jusqu'à
// la fin, ne prennent pas toute la mémoire.
TEST(Mots, LongueurEtPlaceBornees) {
    BancMots b;
    Interp& I = b.In();
    Objet* moitie = b.M(std::string(32499, 'x'));
    Objet* plein = PrimMot(I, moitie, moitie);
    EXPECT_EQ(I.TexteDe(plein).size(), 64998u);
    EXPECT_EQ(PrimMot(I, plein, b.M("x")), I.pgCestFaux);

    I.memoireMotsBatisMax = I.memoireMotsBatis + 1000;
    int crees = 0;
    while (crees < 100 && PrimMot(I, b.M("mot"), b.N(float(crees))) != I.pgCestFaux) ++crees;
    EXPECT_EQ(crees, 5);  // 2 x 4 caractères et 160 pour chacun
    EXPECT_EQ(b.hote.boites.back().textes[0], "Mots");
    EXPECT_EQ(PrimMot(I, b.M("mot"), b.N(3)), b.M("mot3"));  // un mot connu se trouve toujours
}

// ---------------------------------------------------------------- grandes données

TEST(GrandesListes, DeuxCentMilleElements) {
    BancMots b;
    Interp& I = b.In();
    Objet* a = b.M("a");
    Objet* z = b.M("z");
    Objet* queue = b.Repete(a, 199999);
    Objet* l1 = I.mp(a, queue);
    Objet* l2 = I.mp(a, queue);  // une autre tête, la même suite
    EXPECT_EQ(PrimEgal(I, l1, l2), I.pgTrue);
    EXPECT_EQ(PrimEgal(I, l1, I.mp(z, queue)), I.pgFalse);
    EXPECT_EQ(PrimMembre(I, z, l1), I.pgFalse);
    EXPECT_EQ(PrimMemq(I, z, l1), I.pgFalse);
    EXPECT_EQ(I.TexteDe(PrimLongueur(I, l1)), "200000");
    EXPECT_EQ(PrimDer(I, l1), a);
    EXPECT_EQ(PrimNieme(I, b.N(199999), l1), a);
    EXPECT_EQ(PrimSubst(I, z, b.M("w"), l1), l1);  // parcourue sans rien changer
    // Imprimeurs : pas de débordement ; la ligne des messages est coupée.
    ImprimeLigne(I, l1);
    ImprimeAvecCrochets(I, l1);
    ImprimeEnColonne(I, b.Repete(a, 3), 0);
    EXPECT_EQ(b.Messages().substr(0, 8), "a a a a ");
    EXPECT_EQ(b.Dialogues(), 0);
    // Copier 200000 éléments de plus dépasse la réserve : la boîte, puis la liste vide.
    EXPECT_EQ(PrimPlat(I, l1), I.pgNil);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A T T E N T I O N   DANGER | Dépassement de capacité dans les cellulles"), 1);
    EXPECT_EQ(PrimSubst(I, z, a, l1), I.pgNil);
    EXPECT_EQ(PrimRenverse(I, l1), I.pgNil);
    EXPECT_EQ(PrimSd(I, l1), I.pgNil);
    EXPECT_EQ(PrimPhrase(I, l1, z), I.pgNil);
    EXPECT_EQ(PrimExplose(I, b.M("abc")), I.pgNil);
    EXPECT_EQ(PrimListe2(I, a, z), I.pgNil);
    EXPECT_EQ(b.hote.Compter("DIALOGUE A T T E N T I O N   DANGER"), 7);  // une à chaque primitive refusée
}

TEST(GrandesListes, CopiesDeQuatreVingtDixMilleElements) {
    BancMots b;
    Interp& I = b.In();
    Objet* a = b.M("a");
    Objet* z = b.M("z");
    Objet* l = b.Repete(a, 90000);
    Objet* s = PrimSubst(I, z, a, l);
    EXPECT_EQ(I.TexteDe(PrimLongueur(I, s)), "90000");
    EXPECT_EQ(PrimMemq(I, a, s), I.pgFalse);
    EXPECT_EQ(PrimEgal(I, s, l), I.pgFalse);
    Objet* p = PrimPlat(I, s);
    EXPECT_NE(p, s);
    EXPECT_EQ(PrimEgal(I, p, s), I.pgTrue);
    EXPECT_EQ(b.Dialogues(), 0);
}

TEST(GrandesListes, CentMilleNiveaux) {
    BancMots b;
    Interp& I = b.In();
    Objet* a = b.M("a");
    Objet* z = b.M("z");
    // La liste tenue par une variable survit aux collectes qui rendent les autres cellules.
    Nom* garde = NOM(b.M("garde"));
    Objet* p1 = b.Imbrique(a, 100000);
    garde->valeur = p1;
    EXPECT_EQ(PrimEgal(I, p1, b.Imbrique(a, 100000)), I.pgTrue);
    I.Recuperation();
    EXPECT_EQ(PrimEgal(I, p1, b.Imbrique(z, 100000)), I.pgFalse);
    I.Recuperation();
    EXPECT_EQ(PrimMembre(I, b.Imbrique(a, 99999), p1), I.pgTrue);
    EXPECT_EQ(PrimMembre(I, b.Imbrique(a, 99998), p1), I.pgFalse);
    I.Recuperation();
    EXPECT_EQ(b.F(PrimPlat(I, p1)), "[a]");
    EXPECT_EQ(PrimSubst(I, z, b.M("w"), p1), p1);
    EXPECT_EQ(b.Dialogues(), 0);
    // Le remplacement du mot le plus profond recopie les 100000 niveaux.
    Objet* s = PrimSubst(I, z, a, p1);
    ASSERT_TRUE(EstCellule(s));
    EXPECT_EQ(b.F(PrimPlat(I, s)), "[z]");
    Objet* q = s;
    int niveaux = 0;
    while (EstCellule(q) && q != I.pgNil) {
        q = CEL(q)->car;
        ++niveaux;
    }
    EXPECT_EQ(niveaux, 100000);
    EXPECT_EQ(q, z);
    // Les imprimeurs suivent les 100000 niveaux sans déborder.
    ImprimeLigne(I, p1);
    EXPECT_EQ(b.Messages(), "a  \n");
    VideLesMessages(I);
    ImprimeArbre(I, p1, 0, 0);
    EXPECT_EQ(b.Messages().substr(0, 12), "[\n: [\n: : [\n");
    VideLesMessages(I);
    ImprimeEnColonne(I, p1, 0);
    // Plus de lignes que la fenêtre n'en garde : on regarde la fin.
    std::string t = b.Messages();
    EXPECT_EQ(t.substr(t.size() - 10), ": : ]\n: ]\n");
    EXPECT_EQ(b.Dialogues(), 0);
}
