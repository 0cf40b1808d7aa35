// Le lexique : table des objets nommés, remplie au démarrage dans un ordre fixe.
#include <cstdio>

#include "objects/imprime.h"
#include "objects/interp.h"
#include "objects/lexique.h"
#include "text/messages.h"

namespace gelim {

const std::vector<EntreePrimitive>& TableDesPrimitives() {
    static const std::vector<EntreePrimitive> table = {
        {"quote", Classe::FoncNENS1Param, 0x4421, 1},
        {"nextl", Classe::FoncNENS1Param, 0x4422, 1},
        {"setq", Classe::FoncNENS2Param, 0x4441, 2},
        {"repete", Classe::FoncNENS2Param, 0x4442, 2},
        {"while", Classe::FoncNENS2Param, 0x4443, 2},
        {"do", Classe::FoncNENS2Param, 0x4444, 2},
        {"for", Classe::FoncNENS4Param, 0x4481, 4},
        {"progn", Classe::FoncNESP, 0x4500, 0},
        {"if", Classe::FoncNESP, 0x4501, 0},
        {"when", Classe::FoncNESP, 0x4502, 0},
        {"unless", Classe::FoncNESP, 0x4503, 0},
        {"and", Classe::FoncNESP, 0x4505, 2},
        {"or", Classe::FoncNESP, 0x4506, 2},
        {"lisp_de", Classe::FoncNESP, 0x4507, 0},
        {"liste", Classe::FoncNESP, 0x4508, 2},
        {"cond", Classe::FoncNESP, 0x450A, 0},
        {"let", Classe::FoncNESP, 0x450C, 0},
        {"tape", Classe::FoncNESP, 0x450D, 1},
        {"ecris", Classe::FoncNESP, 0x450E, 1},
        {"ec", Classe::FoncNESP, 0x450E, 1},
        {"pprint", Classe::FoncNESP, 0x450F, 1},
        {"prin", Classe::FoncNESP, 0x450D, 1},
        {"print", Classe::FoncNESP, 0x450E, 1},
        {"random", Classe::FoncEvNSNum1Param, 0x4700, 1},
        {"srand", Classe::FoncEvNSNum1Param, 0x470E, 1},
        {"-:", Classe::FoncEvNSNum1Param, 0x4701, 1},
        {"abs", Classe::FoncEvNSNum1Param, 0x4702, 1},
        {"sin", Classe::FoncEvNSNum1Param, 0x4703, 1},
        {"cos", Classe::FoncEvNSNum1Param, 0x4704, 1},
        {"puissance2", Classe::FoncEvNSNum1Param, 0x4705, 1},
        {"puissance3", Classe::FoncEvNSNum1Param, 0x4706, 1},
        {"racine", Classe::FoncEvNSNum1Param, 0x4707, 1},
        {"exp", Classe::FoncEvNSNum1Param, 0x4708, 1},
        {"ln", Classe::FoncEvNSNum1Param, 0x4709, 1},
        {"log", Classe::FoncEvNSNum1Param, 0x470A, 1},
        {"arrondis", Classe::FoncEvNSNum1Param, 0x470B, 1},
        {"inc", Classe::FoncEvNSNum1Param, 0x470C, 1},
        {"dec", Classe::FoncEvNSNum1Param, 0x470D, 1},
        {"==", Classe::FoncEvNSNum2Param, 0x4714, 2},
        {">", Classe::FoncEvNSNum2Param, 0x4715, 2},
        {">=", Classe::FoncEvNSNum2Param, 0x4716, 2},
        {"<", Classe::FoncEvNSNum2Param, 0x4717, 2},
        {"<=", Classe::FoncEvNSNum2Param, 0x4718, 2},
        {"!=", Classe::FoncEvNSNum2Param, 0x4719, 2},
        {"+", Classe::FoncEvNSNum2Param, 0x471E, 2},
        {"*", Classe::FoncEvNSNum2Param, 0x471F, 2},
        {"-", Classe::FoncEvNSNum2Param, 0x4720, 2},
        {"/", Classe::FoncEvNSNum2Param, 0x4721, 2},
        {"%", Classe::FoncEvNSNum2Param, 0x4722, 2},
        {"max", Classe::FoncEvNSNum2Param, 0x4723, 2},
        {"min", Classe::FoncEvNSNum2Param, 0x4724, 2},
        {"cpixel", Classe::FoncEvNSNum2Param, 0x4725, 2},
        {"cpoint", Classe::FoncEvNSNum2Param, 0x4725, 2},
        {"somme", Classe::FoncEvNSNum2Param, 0x4726, 2},
        {"prod", Classe::FoncEvNSNum2Param, 0x4727, 2},
        {"diff", Classe::FoncEvNSNum2Param, 0x4728, 2},
        {"div", Classe::FoncEvNSNum2Param, 0x4729, 2},
        {"reste", Classe::FoncEvNSNum2Param, 0x472A, 2},
        {"bipfd", Classe::FoncEvNSNum2Param, 0x472B, 2},
        {"caar", Classe::FoncEvNSListe1Param, 0x4734, 1},
        {"cadr", Classe::FoncEvNSListe1Param, 0x4735, 1},
        {"cdar", Classe::FoncEvNSListe1Param, 0x4736, 1},
        {"cddr", Classe::FoncEvNSListe1Param, 0x4737, 1},
        {"caaar", Classe::FoncEvNSListe1Param, 0x4738, 1},
        {"caadr", Classe::FoncEvNSListe1Param, 0x4739, 1},
        {"cadar", Classe::FoncEvNSListe1Param, 0x473A, 1},
        {"caddr", Classe::FoncEvNSListe1Param, 0x473B, 1},
        {"cdaar", Classe::FoncEvNSListe1Param, 0x473C, 1},
        {"cdadr", Classe::FoncEvNSListe1Param, 0x473D, 1},
        {"cddar", Classe::FoncEvNSListe1Param, 0x473E, 1},
        {"cdddr", Classe::FoncEvNSListe1Param, 0x473F, 1},
        {"cadddr", Classe::FoncEvNSListe1Param, 0x4740, 1},
        {"cddddr", Classe::FoncEvNSListe1Param, 0x4741, 1},
        {"renverse", Classe::FoncEvNSListe1Param, 0x4742, 1},
        {"implose", Classe::FoncEvNSListe1Param, 0x4744, 1},
        {"plat", Classe::FoncEvNSListe1Param, 0x4745, 1},
        {"append2", Classe::FoncEvNSListe2Param, 0x479B, 2},
        {"videtexte", Classe::FoncEvNSFree0Param, 0x475A, 0},
        {"vt", Classe::FoncEvNSFree0Param, 0x475A, 0},
        {"catalogue", Classe::FoncEvNSFree0Param, 0x475B, 0},
        {"lismot", Classe::FoncEvNSFree0Param, 0x475C, 0},
        {"lisnombre", Classe::FoncEvNSFree0Param, 0x475D, 0},
        {"getchar", Classe::FoncEvNSFree0Param, 0x475E, 0},
        {"ll", Classe::FoncEvNSFree0Param, 0x475F, 0},
        {"lisliste", Classe::FoncEvNSFree0Param, 0x475F, 0},
        {"recycle", Classe::FoncEvNSFree0Param, 0x4760, 0},
        {"mot?", Classe::FoncEvNSFree1Param, 0x4766, 1},
        {"liste?", Classe::FoncEvNSFree1Param, 0x4768, 1},
        {"nombre?", Classe::FoncEvNSFree1Param, 0x4769, 1},
        {"symbole?", Classe::FoncEvNSFree1Param, 0x476B, 1},
        {"!", Classe::FoncEvNSFree1Param, 0x4771, 1},
        {"consp", Classe::FoncEvNSFree1Param, 0x4767, 1},
        {"sexp", Classe::FoncEvNSFree1Param, 0x476A, 1},
        {"varp", Classe::FoncEvNSFree1Param, 0x476C, 1},
        {"vide?", Classe::FoncEvNSFree1Param, 0x476D, 1},
        {"nom?", Classe::FoncEvNSFree1Param, 0x476E, 1},
        {"prim?", Classe::FoncEvNSFree1Param, 0x476F, 1},
        {"proc?", Classe::FoncEvNSFree1Param, 0x4770, 1},
        {"longueur", Classe::FoncEvNSFree1Param, 0x4772, 1},
        {"pretty", Classe::FoncEvNSFree1Param, 0x4773, 1},
        {"montre", Classe::FoncEvNSFree1Param, 0x4774, 1},
        {"charge", Classe::FoncEvNSFree1Param, 0x4775, 1},
        {"return_", Classe::FoncEvNSFree1Param, 0x4776, 1},
        {"exec", Classe::FoncEvNSFree1Param, 0x4765, 1},
        {"eq", Classe::FoncEvNSFree2Param, 0x4778, 2},
        {"egal?", Classe::FoncEvNSFree2Param, 0x4779, 2},
        {"neq", Classe::FoncEvNSFree2Param, 0x477A, 2},
        {"&&", Classe::FoncEvNSFree2Param, 0x477B, 2},
        {"||", Classe::FoncEvNSFree2Param, 0x477C, 2},
        {"liste2", Classe::FoncEvNSFree2Param, 0x477D, 2},
        {"membre?", Classe::FoncEvNSFree2Param, 0x477E, 2},
        {"memq", Classe::FoncEvNSFree2Param, 0x477F, 2},
        {"texte", Classe::FoncEvNSAutres1Param, 0x4787, 1},
        {"trace", Classe::FoncEvNSAutres1Param, 0x4788, 1},
        {"untrace", Classe::FoncEvNSAutres1Param, 0x4789, 1},
        {"joue", Classe::FoncEvNSAutres1Param, 0x478A, 1},
        {"recyclevaleur", Classe::FoncEvNSAutres1Param, 0x478B, 1},
        {"rv", Classe::FoncEvNSAutres1Param, 0x478B, 1},
        {"explose", Classe::FoncEvNSAutres1Param, 0x478C, 1},
        {"car", Classe::FoncEvNSAutres1Param, 0x478D, 1},
        {"prem", Classe::FoncEvNSAutres1Param, 0x478E, 1},
        {"der", Classe::FoncEvNSAutres1Param, 0x478F, 1},
        {"sp", Classe::FoncEvNSAutres1Param, 0x4790, 1},
        {"sd", Classe::FoncEvNSAutres1Param, 0x4791, 1},
        {"donne", Classe::FoncEvNSAutres2Param, 0x4799, 2},
        {"soit", Classe::FoncEvNSAutres2Param, 0x479E, 2},
        {"nieme", Classe::FoncEvNSAutres2Param, 0x4797, 2},
        {"item", Classe::FoncEvNSAutres2Param, 0x4797, 2},
        {"mot", Classe::FoncEvNSAutres2Param, 0x479A, 2},
        {"ph", Classe::FoncEvNSAutres2Param, 0x479B, 2},
        {"phrase", Classe::FoncEvNSAutres2Param, 0x479B, 2},
        {"mp", Classe::FoncEvNSAutres2Param, 0x4796, 2},
        {"subst", Classe::FoncEvNSAutres3Param, 0x47A0, 3},
        {"affichebitmap", Classe::FoncEvNSAutres3Param, 0x47A1, 3},
        {"levecrayon", Classe::FoncEvNSLogo0Param, 0x47AA, 0},
        {"lc", Classe::FoncEvNSLogo0Param, 0x47AA, 0},
        {"baissecrayon", Classe::FoncEvNSLogo0Param, 0x47AC, 0},
        {"bc", Classe::FoncEvNSLogo0Param, 0x47AC, 0},
        {"cachetortue", Classe::FoncEvNSLogo0Param, 0x47AE, 0},
        {"ct", Classe::FoncEvNSLogo0Param, 0x47AE, 0},
        {"montretortue", Classe::FoncEvNSLogo0Param, 0x47B0, 0},
        {"mt", Classe::FoncEvNSLogo0Param, 0x47B0, 0},
        {"videecran", Classe::FoncEvNSLogo0Param, 0x47B2, 0},
        {"ve", Classe::FoncEvNSLogo0Param, 0x47B2, 0},
        {"nettoie", Classe::FoncEvNSLogo0Param, 0x47B4, 0},
        {"cap", Classe::FoncEvNSLogo0Param, 0x47B5, 0},
        {"abscisse", Classe::FoncEvNSLogo0Param, 0x47B6, 0},
        {"ordonnee", Classe::FoncEvNSLogo0Param, 0x47B7, 0},
        {"origine", Classe::FoncEvNSLogo0Param, 0x47B8, 0},
        {"position", Classe::FoncEvNSLogo0Param, 0x47B9, 0},
        {"pos", Classe::FoncEvNSLogo0Param, 0x47B9, 0},
        {"abscissesouris", Classe::FoncEvNSLogo0Param, 0x47BA, 0},
        {"ordonneesouris", Classe::FoncEvNSLogo0Param, 0x47BB, 0},
        {"cc", Classe::FoncEvNSLogo0Param, 0x47BC, 0},
        {"couleurcrayon", Classe::FoncEvNSLogo0Param, 0x47BC, 0},
        {"remplis", Classe::FoncEvNSLogo0Param, 0x47BD, 0},
        {"dessinetortue", Classe::FoncEvNSLogo0Param, 0x47BE, 0},
        {"effacetortue", Classe::FoncEvNSLogo0Param, 0x47BF, 0},
        {"clos", Classe::FoncEvNSLogo0Param, 0x47C0, 0},
        {"ouvre", Classe::FoncEvNSLogo0Param, 0x47C1, 0},
        {"avance", Classe::FoncEvNSLogo1Param, 0x47C8, 1},
        {"av", Classe::FoncEvNSLogo1Param, 0x47C8, 1},
        {"recule", Classe::FoncEvNSLogo1Param, 0x47CA, 1},
        {"re", Classe::FoncEvNSLogo1Param, 0x47CA, 1},
        {"tournedroite", Classe::FoncEvNSLogo1Param, 0x47CC, 1},
        {"td", Classe::FoncEvNSLogo1Param, 0x47CC, 1},
        {"tournegauche", Classe::FoncEvNSLogo1Param, 0x47CE, 1},
        {"tg", Classe::FoncEvNSLogo1Param, 0x47CE, 1},
        {"fixecap", Classe::FoncEvNSLogo1Param, 0x47D0, 1},
        {"fcap", Classe::FoncEvNSLogo1Param, 0x47D0, 1},
        {"cercle", Classe::FoncEvNSLogo1Param, 0x47D2, 1},
        {"fcc", Classe::FoncEvNSLogo1Param, 0x47D3, 1},
        {"fec", Classe::FoncEvNSLogo1Param, 0x47D4, 1},
        {"fcf", Classe::FoncEvNSLogo1Param, 0x47D5, 1},
        {"pixel", Classe::FoncEvNSLogo2Param, 0x47DC, 2},
        {"point", Classe::FoncEvNSLogo2Param, 0x47DC, 2},
        {"fixeposition", Classe::FoncEvNSLogo2Param, 0x47DD, 2},
        {"fpos", Classe::FoncEvNSLogo2Param, 0x47DD, 2},
        {"fixecurseur", Classe::FoncEvNSLogo2Param, 0x47DE, 2},
        {"fcurs", Classe::FoncEvNSLogo2Param, 0x47DE, 2},
        {"circle", Classe::FoncEvNSLogo3Param, 0x47E6, 3},
        {"ligne", Classe::FoncEvNSLogo4Param, 0x47F0, 4},
        {"rectangle", Classe::FoncEvNSLogo4Param, 0x47F1, 4},
        {"bloc", Classe::FoncEvNSLogo4Param, 0x47F2, 4},
    };
    return table;
}

const std::vector<const char*>& NomsDeDemarrage() {
    static const std::vector<const char*> noms = [] {
        std::vector<const char*> v = {"C'est faux",
                                      "C'est vrai",
                                      "false",
                                      "true",
                                      "Valeur_Ind\xe9"
                                      "finie",
                                      "ValeurFDUProtoIndefinie"};
        static const char* lettres[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
                                        "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
                                        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                        "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
        for (const char* l : lettres) v.push_back(l);
        for (const char* t : {"touchegauche",
                              "touchedroite",
                              "touchehaut",
                              "touchebas",
                              "touchedebut",
                              "touchefin",
                              "toucheprecedent",
                              "touchesuivant",
                              "touchebackspace",
                              "toucheinsert",
                              "touchesuppr",
                              "toucheespace",
                              "pasapas",
                              ",",
                              ";",
                              "=",
                              "(",
                              ")",
                              "{",
                              "}",
                              "[",
                              "]",
                              "int",
                              "else",
                              "la_marque_de_fin_du_programme",
                              "return",
                              "returned",
                              "Param1DeFDU",
                              "Param2DeFDU",
                              "Param3DeFDU",
                              "Param4DeFDU",
                              "Param5DeFDU",
                              "Param6DeFDU",
                              "Param7DeFDU",
                              "Param8DeFDU"})
            v.push_back(t);
        return v;
    }();
    return noms;
}

static void ConstruireTableCouleurs(Interp& I) {
    int n = 0;
    for (int r = 7; r >= 1 && n < 236; --r)
        for (int g = 7; g >= 2 && n < 236; --g)
            for (int b = 7; b >= 2 && n < 236; --b)
                I.tableCouleurs[n++] = Couleur{uint8_t(32 * r + 31), uint8_t(32 * g + 31), uint8_t(32 * b + 31)};
    static const Couleur fixes[20] = {{255, 255, 255}, {255, 255, 0}, {255, 0, 255},   {0, 255, 255}, {255, 0, 0},
                                      {0, 255, 0},     {0, 0, 255},   {192, 192, 192}, {192, 192, 0}, {192, 0, 192},
                                      {0, 192, 192},   {192, 0, 0},   {128, 128, 128}, {128, 128, 0}, {128, 0, 128},
                                      {0, 128, 128},   {128, 0, 0},   {0, 128, 0},     {0, 0, 128},   {0, 0, 0}};
    for (int i = 0; i < 20; ++i) I.tableCouleurs[236 + i] = fixes[i];
}

Interp::Interp(Hote& h) : hote(h) {
    pgTabpNoeudBinaire.resize(kNbCellules);
    for (Cellule& c : pgTabpNoeudBinaire) c.tag = kTagCellule;
    gTexteAAnalyser.assign(kTailleTampon, 0);
    Lexique.reserve(12345);
    ChaineBrute.reserve(51);
    pileEnv.resize(70000);

    auto ajouterMyString = [&](const char* nom) {
        auto* o = new MyString;
        o->tag = kTagMyString;
        o->nom = nom;
        Ajoute(o);
        return o;
    };
    pgCestFaux = ajouterMyString("C'est faux");
    pgCestVrai = ajouterMyString("C'est vrai");
    pgFalse = ajouterMyString("false");
    pgTrue = ajouterMyString("true");
    pgValeurIndefinie = ajouterMyString(
        "Valeur_Ind\xe9"
        "finie");
    pgValeurFDUProtoIndefinie = ajouterMyString("ValeurFDUProtoIndefinie");

    auto nouveauNom = [&](const std::string& nom) {
        auto* n = new Nom;
        n->tag = kTagNom;
        n->nom = nom;
        n->valeur = pgValeurIndefinie;
        n->definition = pgValeurFDUProtoIndefinie;
        Ajoute(n);
        return n;
    };
    for (char c = 'a'; c <= 'z'; ++c) lettres[int(c)] = nouveauNom(std::string(1, c));
    for (char c = 'A'; c <= 'Z'; ++c) lettres[int(c)] = nouveauNom(std::string(1, c));
    const char* nomsTouches[13] = {"touchegauche",    "touchedroite", "touchehaut",      "touchebas",
                                   "touchedebut",     "touchefin",    "toucheprecedent", "touchesuivant",
                                   "touchebackspace", "toucheinsert", "touchesuppr",     "toucheespace",
                                   "pasapas"};
    for (int i = 0; i < 12; ++i) touches[i] = nouveauNom(nomsTouches[i]);
    pasapas = nouveauNom("pasapas");

    auto sep = [&](const char* nom) {
        auto* s = new Separateur;
        s->tag = kTagSeparateur;
        s->nom = nom;
        Ajoute(s);
        return s;
    };
    sepVirgule = sep(",");
    sepPointVirgule = sep(";");
    sepEgal = sep("=");
    sepParOuvrante = sep("(");
    sepParFermante = sep(")");
    sepAccOuvrante = sep("{");
    sepAccFermante = sep("}");
    sepCroOuvrant = sep("[");
    sepCroFermant = sep("]");
    sepInt = sep("int");
    sepElse = sep("else");
    marqueFin = sep("la_marque_de_fin_du_programme");
    sepReturn = sep("return");
    sepReturned = sep("returned");

    // 0 et 1 partagés, hors du lexique.
    pgZero = new Flottant;
    pgZero->tag = kTagFlottant;
    pgZero->nom = "0";
    pgZero->nomAJour = 1;
    pgUn = new Flottant;
    pgUn->tag = kTagFlottant;
    pgUn->valeur = 1;
    pgUn->nom = "1";
    pgUn->nomAJour = 1;

    for (int i = 0; i < 8; ++i) {
        auto* p = new ParamDeFDU;
        p->tag = kTagParamDeFDU;
        p->nom = "Param" + std::to_string(i + 1) + "DeFDU";
        p->valeur = pgValeurIndefinie;
        p->definition = pgValeurFDUProtoIndefinie;
        p->indice = i;
        params[i] = p;
        Ajoute(p);
    }
    for (const EntreePrimitive& e : TableDesPrimitives()) {
        auto* f = new Fonc;
        f->tag = e.code;
        f->nom = e.nom;
        f->nbArgs = e.nbArgs;
        f->classe = e.classe;
        Ajoute(f);
        primitives.emplace(e.code, f);
    }
    nbObjetsDemarrage = Lexique.size();

    pgNilCel = new Cellule;
    pgNilCel->tag = kTagCellule;
    pgNil = pgNilCel;
    pgNilCel->car = pgNil;
    pgNilCel->cdr = pgNil;
    for (int i = 0; i < 8; ++i) params[i]->lien = pgNil;
    for (MyString* o : Lexique)
        if (EstPrimitive(o))
            for (int k = 0; k < 4; ++k) static_cast<Fonc*>(o)->expr[k] = static_cast<Fonc*>(o)->val[k] = pgNil;
    for (Cellule& c : pgTabpNoeudBinaire) c.cdr = c.car = pgNil;
    Balayage(false);
    pasapas->valeur = pgFalse;
    gArbreDuProgramme = pgNil;
    TabMemoEditLigInfo.resize(1000);
    ConstruireTableCouleurs(*this);
}

void Interp::DestructeurObjet::operator()(MyString* o) const {
    if (o->tag == kTagNom)
        delete static_cast<Nom*>(o);
    else if (o->tag == kTagParamDeFDU)
        delete static_cast<ParamDeFDU*>(o);
    else if (o->tag == kTagSeparateur)
        delete static_cast<Separateur*>(o);
    else if (EstPrimitive(o))
        delete static_cast<Fonc*>(o);
    else
        delete o;  // MyString pur
}

Interp::~Interp() {
    delete pgZero;
    delete pgUn;
    delete pgNilCel;
}

MyString* Interp::Cherche(const std::string& texte) const {
    auto it = indexLexique.find(texte);
    return it == indexLexique.end() ? nullptr : it->second;
}

bool Interp::Ajoute(MyString* objet) {
    const std::string& nom = EstFlottant(objet) ? TexteDe(objet) : objet->nom;
    if (indexLexique.count(nom)) return false;
    indexLexique.emplace(nom, objet);
    Lexique.push_back(objet);
    if (!EstFlottant(objet)) proprietes.emplace_back(objet);
    return true;
}

Objet* Interp::TrouveOuCreeNom(const std::string& texte) {
    if (MyString* trouve = Cherche(texte)) return trouve;
    auto* n = new Nom;
    n->tag = kTagNom;
    n->nom = texte;
    n->valeur = pgValeurIndefinie;
    n->definition = pgValeurFDUProtoIndefinie;
    Ajoute(n);
    return n;
}

Nom* Interp::CarteCaractere(int code) {
    code &= 0xFF;
    if ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z')) return lettres[code];
    switch (code) {
        case 8: return touches[8];    // touchebackspace
        case 32: return touches[11];  // toucheespace
        case 33: return touches[6];   // toucheprecedent
        case 34: return touches[7];   // touchesuivant
        case 35: return touches[5];   // touchefin
        case 36: return touches[4];   // touchedebut
        case 37: return touches[0];   // touchegauche
        case 38: return touches[2];   // touchehaut
        case 39: return touches[1];   // touchedroite
        case 40: return touches[3];   // touchebas
        case 45: return touches[9];   // toucheinsert
        case 46: return touches[10];  // touchesuppr
        default: break;
    }
    Ecrit(*this, "Carac inconnu !");
    EcritEntier(*this, code);
    FinDeLigne(*this);
    return lettres[int('a')];
}

void Interp::Catalogue() {
    EcritLigne(*this, "Voici la chaîne brute des objets lisp de le dernière commande exécutée :");
    for (Objet* o : ChaineBrute) EcritNomLigne(*this, o);
    EcritLigne(*this, "Voici le lexique des objets lisp de l'interpréteur :");
    for (MyString* o : Lexique) EcritNomLigne(*this, o);
}

}  // namespace gelim
