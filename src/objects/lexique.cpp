// Le lexique : table des objets nommés, remplie au démarrage dans un ordre fixe.
#include <cstdio>

#include "objects/imprime.h"
#include "objects/interp.h"
#include "objects/lexique.h"
#include "text/messages.h"

namespace gelim {

const std::vector<EntreePrimitive>& TableDesPrimitives() {
    static const std::vector<EntreePrimitive> table = {
        {"quote", Classe::FoncNENS1Param, kQuote, 1},
        {"nextl", Classe::FoncNENS1Param, kNextl, 1},
        {"setq", Classe::FoncNENS2Param, kSetq, 2},
        {"repete", Classe::FoncNENS2Param, kRepete, 2},
        {"while", Classe::FoncNENS2Param, kWhile, 2},
        {"do", Classe::FoncNENS2Param, kDo, 2},
        {"for", Classe::FoncNENS4Param, kFor, 4},
        {"progn", Classe::FoncNESP, kProgn, 0},
        {"if", Classe::FoncNESP, kIf, 0},
        {"when", Classe::FoncNESP, kWhen, 0},
        {"unless", Classe::FoncNESP, kUnless, 0},
        {"and", Classe::FoncNESP, kAnd, 2},
        {"or", Classe::FoncNESP, kOr, 2},
        {"lisp_de", Classe::FoncNESP, kLispDe, 0},
        {"liste", Classe::FoncNESP, kListe, 2},
        {"cond", Classe::FoncNESP, kCond, 0},
        {"let", Classe::FoncNESP, kLet, 0},
        {"tape", Classe::FoncNESP, kTape, 1},
        {"ecris", Classe::FoncNESP, kEcris, 1},
        {"ec", Classe::FoncNESP, kEcris, 1},
        {"pprint", Classe::FoncNESP, kPPrint, 1},
        {"prin", Classe::FoncNESP, kTape, 1},
        {"print", Classe::FoncNESP, kEcris, 1},
        {"random", Classe::FoncEvNSNum1Param, kRandom, 1},
        {"srand", Classe::FoncEvNSNum1Param, kSrand, 1},
        {"-:", Classe::FoncEvNSNum1Param, kMoinsUnaire, 1},
        {"abs", Classe::FoncEvNSNum1Param, kAbs, 1},
        {"sin", Classe::FoncEvNSNum1Param, kSin, 1},
        {"cos", Classe::FoncEvNSNum1Param, kCos, 1},
        {"puissance2", Classe::FoncEvNSNum1Param, kPuissance2, 1},
        {"puissance3", Classe::FoncEvNSNum1Param, kPuissance3, 1},
        {"racine", Classe::FoncEvNSNum1Param, kRacine, 1},
        {"exp", Classe::FoncEvNSNum1Param, kExp, 1},
        {"ln", Classe::FoncEvNSNum1Param, kLn, 1},
        {"log", Classe::FoncEvNSNum1Param, kLog, 1},
        {"arrondis", Classe::FoncEvNSNum1Param, kArrondis, 1},
        {"inc", Classe::FoncEvNSNum1Param, kInc, 1},
        {"dec", Classe::FoncEvNSNum1Param, kDec, 1},
        {"==", Classe::FoncEvNSNum2Param, kEgalEgal, 2},
        {">", Classe::FoncEvNSNum2Param, kSup, 2},
        {">=", Classe::FoncEvNSNum2Param, kSupEgal, 2},
        {"<", Classe::FoncEvNSNum2Param, kInf, 2},
        {"<=", Classe::FoncEvNSNum2Param, kInfEgal, 2},
        {"!=", Classe::FoncEvNSNum2Param, kDifferent, 2},
        {"+", Classe::FoncEvNSNum2Param, kPlus, 2},
        {"*", Classe::FoncEvNSNum2Param, kFois, 2},
        {"-", Classe::FoncEvNSNum2Param, kMoins, 2},
        {"/", Classe::FoncEvNSNum2Param, kDivise, 2},
        {"%", Classe::FoncEvNSNum2Param, kModulo, 2},
        {"max", Classe::FoncEvNSNum2Param, kMax, 2},
        {"min", Classe::FoncEvNSNum2Param, kMin, 2},
        {"cpixel", Classe::FoncEvNSNum2Param, kCpixel, 2},
        {"cpoint", Classe::FoncEvNSNum2Param, kCpixel, 2},
        {"somme", Classe::FoncEvNSNum2Param, kSomme, 2},
        {"prod", Classe::FoncEvNSNum2Param, kProd, 2},
        {"diff", Classe::FoncEvNSNum2Param, kDiff, 2},
        {"div", Classe::FoncEvNSNum2Param, kDiv, 2},
        {"reste", Classe::FoncEvNSNum2Param, kReste, 2},
        {"bipfd", Classe::FoncEvNSNum2Param, kBipfd, 2},
        {"caar", Classe::FoncEvNSListe1Param, kCaar, 1},
        {"cadr", Classe::FoncEvNSListe1Param, kCadr, 1},
        {"cdar", Classe::FoncEvNSListe1Param, kCdar, 1},
        {"cddr", Classe::FoncEvNSListe1Param, kCddr, 1},
        {"caaar", Classe::FoncEvNSListe1Param, kCaaar, 1},
        {"caadr", Classe::FoncEvNSListe1Param, kCaadr, 1},
        {"cadar", Classe::FoncEvNSListe1Param, kCadar, 1},
        {"caddr", Classe::FoncEvNSListe1Param, kCaddr, 1},
        {"cdaar", Classe::FoncEvNSListe1Param, kCdaar, 1},
        {"cdadr", Classe::FoncEvNSListe1Param, kCdadr, 1},
        {"cddar", Classe::FoncEvNSListe1Param, kCddar, 1},
        {"cdddr", Classe::FoncEvNSListe1Param, kCdddr, 1},
        {"cadddr", Classe::FoncEvNSListe1Param, kCadddr, 1},
        {"cddddr", Classe::FoncEvNSListe1Param, kCddddr, 1},
        {"renverse", Classe::FoncEvNSListe1Param, kRenverse, 1},
        {"implose", Classe::FoncEvNSListe1Param, kImplose, 1},
        {"plat", Classe::FoncEvNSListe1Param, kPlat, 1},
        {"append2", Classe::FoncEvNSListe2Param, kPhrase, 2},
        {"videtexte", Classe::FoncEvNSFree0Param, kVideTexte, 0},
        {"vt", Classe::FoncEvNSFree0Param, kVideTexte, 0},
        {"catalogue", Classe::FoncEvNSFree0Param, kCatalogue, 0},
        {"lismot", Classe::FoncEvNSFree0Param, kLisMot, 0},
        {"lisnombre", Classe::FoncEvNSFree0Param, kLisNombre, 0},
        {"getchar", Classe::FoncEvNSFree0Param, kGetchar, 0},
        {"ll", Classe::FoncEvNSFree0Param, kLisListe, 0},
        {"lisliste", Classe::FoncEvNSFree0Param, kLisListe, 0},
        {"recycle", Classe::FoncEvNSFree0Param, kRecycle, 0},
        {"mot?", Classe::FoncEvNSFree1Param, kMotP, 1},
        {"liste?", Classe::FoncEvNSFree1Param, kListeP, 1},
        {"nombre?", Classe::FoncEvNSFree1Param, kNombreP, 1},
        {"symbole?", Classe::FoncEvNSFree1Param, kSymboleP, 1},
        {"!", Classe::FoncEvNSFree1Param, kNon, 1},
        {"consp", Classe::FoncEvNSFree1Param, kConsp, 1},
        {"sexp", Classe::FoncEvNSFree1Param, kSexp, 1},
        {"varp", Classe::FoncEvNSFree1Param, kVarp, 1},
        {"vide?", Classe::FoncEvNSFree1Param, kVideP, 1},
        {"nom?", Classe::FoncEvNSFree1Param, kNomP, 1},
        {"prim?", Classe::FoncEvNSFree1Param, kPrimP, 1},
        {"proc?", Classe::FoncEvNSFree1Param, kProcP, 1},
        {"longueur", Classe::FoncEvNSFree1Param, kLongueur, 1},
        {"pretty", Classe::FoncEvNSFree1Param, kPretty, 1},
        {"montre", Classe::FoncEvNSFree1Param, kMontre, 1},
        {"charge", Classe::FoncEvNSFree1Param, kCharge, 1},
        {"return_", Classe::FoncEvNSFree1Param, kReturn, 1},
        {"exec", Classe::FoncEvNSFree1Param, kExec, 1},
        {"eq", Classe::FoncEvNSFree2Param, kEq, 2},
        {"egal?", Classe::FoncEvNSFree2Param, kEgalP, 2},
        {"neq", Classe::FoncEvNSFree2Param, kNeq, 2},
        {"&&", Classe::FoncEvNSFree2Param, kEtEt, 2},
        {"||", Classe::FoncEvNSFree2Param, kOuOu, 2},
        {"liste2", Classe::FoncEvNSFree2Param, kListe2, 2},
        {"membre?", Classe::FoncEvNSFree2Param, kMembreP, 2},
        {"memq", Classe::FoncEvNSFree2Param, kMemq, 2},
        {"texte", Classe::FoncEvNSAutres1Param, kTexte, 1},
        {"trace", Classe::FoncEvNSAutres1Param, kTrace, 1},
        {"untrace", Classe::FoncEvNSAutres1Param, kUntrace, 1},
        {"joue", Classe::FoncEvNSAutres1Param, kJoue, 1},
        {"recyclevaleur", Classe::FoncEvNSAutres1Param, kRecycleValeur, 1},
        {"rv", Classe::FoncEvNSAutres1Param, kRecycleValeur, 1},
        {"explose", Classe::FoncEvNSAutres1Param, kExplose, 1},
        {"car", Classe::FoncEvNSAutres1Param, kCar, 1},
        {"prem", Classe::FoncEvNSAutres1Param, kPrem, 1},
        {"der", Classe::FoncEvNSAutres1Param, kDer, 1},
        {"sp", Classe::FoncEvNSAutres1Param, kSp, 1},
        {"sd", Classe::FoncEvNSAutres1Param, kSd, 1},
        {"donne", Classe::FoncEvNSAutres2Param, kDonne, 2},
        {"soit", Classe::FoncEvNSAutres2Param, kSoit, 2},
        {"nieme", Classe::FoncEvNSAutres2Param, kNieme, 2},
        {"item", Classe::FoncEvNSAutres2Param, kNieme, 2},
        {"mot", Classe::FoncEvNSAutres2Param, kMot, 2},
        {"ph", Classe::FoncEvNSAutres2Param, kPhrase, 2},
        {"phrase", Classe::FoncEvNSAutres2Param, kPhrase, 2},
        {"mp", Classe::FoncEvNSAutres2Param, kMp, 2},
        {"subst", Classe::FoncEvNSAutres3Param, kSubst, 3},
        {"affichebitmap", Classe::FoncEvNSAutres3Param, kAfficheBitmap, 3},
        {"levecrayon", Classe::FoncEvNSLogo0Param, kLeveCrayon, 0},
        {"lc", Classe::FoncEvNSLogo0Param, kLeveCrayon, 0},
        {"baissecrayon", Classe::FoncEvNSLogo0Param, kBaisseCrayon, 0},
        {"bc", Classe::FoncEvNSLogo0Param, kBaisseCrayon, 0},
        {"cachetortue", Classe::FoncEvNSLogo0Param, kCacheTortue, 0},
        {"ct", Classe::FoncEvNSLogo0Param, kCacheTortue, 0},
        {"montretortue", Classe::FoncEvNSLogo0Param, kMontreTortue, 0},
        {"mt", Classe::FoncEvNSLogo0Param, kMontreTortue, 0},
        {"videecran", Classe::FoncEvNSLogo0Param, kVideEcran, 0},
        {"ve", Classe::FoncEvNSLogo0Param, kVideEcran, 0},
        {"nettoie", Classe::FoncEvNSLogo0Param, kNettoie, 0},
        {"cap", Classe::FoncEvNSLogo0Param, kCap, 0},
        {"abscisse", Classe::FoncEvNSLogo0Param, kAbscisse, 0},
        {"ordonnee", Classe::FoncEvNSLogo0Param, kOrdonnee, 0},
        {"origine", Classe::FoncEvNSLogo0Param, kOrigine, 0},
        {"position", Classe::FoncEvNSLogo0Param, kPosition, 0},
        {"pos", Classe::FoncEvNSLogo0Param, kPosition, 0},
        {"abscissesouris", Classe::FoncEvNSLogo0Param, kAbscisseSouris, 0},
        {"ordonneesouris", Classe::FoncEvNSLogo0Param, kOrdonneeSouris, 0},
        {"cc", Classe::FoncEvNSLogo0Param, kCouleurCrayon, 0},
        {"couleurcrayon", Classe::FoncEvNSLogo0Param, kCouleurCrayon, 0},
        {"remplis", Classe::FoncEvNSLogo0Param, kRemplis, 0},
        {"dessinetortue", Classe::FoncEvNSLogo0Param, kDessineTortue, 0},
        {"effacetortue", Classe::FoncEvNSLogo0Param, kEffaceTortue, 0},
        {"clos", Classe::FoncEvNSLogo0Param, kClos, 0},
        {"ouvre", Classe::FoncEvNSLogo0Param, kOuvre, 0},
        {"avance", Classe::FoncEvNSLogo1Param, kAvance, 1},
        {"av", Classe::FoncEvNSLogo1Param, kAvance, 1},
        {"recule", Classe::FoncEvNSLogo1Param, kRecule, 1},
        {"re", Classe::FoncEvNSLogo1Param, kRecule, 1},
        {"tournedroite", Classe::FoncEvNSLogo1Param, kTourneDroite, 1},
        {"td", Classe::FoncEvNSLogo1Param, kTourneDroite, 1},
        {"tournegauche", Classe::FoncEvNSLogo1Param, kTourneGauche, 1},
        {"tg", Classe::FoncEvNSLogo1Param, kTourneGauche, 1},
        {"fixecap", Classe::FoncEvNSLogo1Param, kFixeCap, 1},
        {"fcap", Classe::FoncEvNSLogo1Param, kFixeCap, 1},
        {"cercle", Classe::FoncEvNSLogo1Param, kCercle, 1},
        {"fcc", Classe::FoncEvNSLogo1Param, kFcc, 1},
        {"fec", Classe::FoncEvNSLogo1Param, kFec, 1},
        {"fcf", Classe::FoncEvNSLogo1Param, kFcf, 1},
        {"pixel", Classe::FoncEvNSLogo2Param, kPixel, 2},
        {"point", Classe::FoncEvNSLogo2Param, kPixel, 2},
        {"fixeposition", Classe::FoncEvNSLogo2Param, kFixePosition, 2},
        {"fpos", Classe::FoncEvNSLogo2Param, kFixePosition, 2},
        {"fixecurseur", Classe::FoncEvNSLogo2Param, kFixeCurseur, 2},
        {"fcurs", Classe::FoncEvNSLogo2Param, kFixeCurseur, 2},
        {"circle", Classe::FoncEvNSLogo3Param, kCircle, 3},
        {"ligne", Classe::FoncEvNSLogo4Param, kLigne, 4},
        {"rectangle", Classe::FoncEvNSLogo4Param, kRectangle, 4},
        {"bloc", Classe::FoncEvNSLogo4Param, kBloc, 4},
    };
    return table;
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
