// La trace de l'analyse (si l'affichage de l'analyse est allumé) et les
// rapports d'erreur de syntaxe : seule la première erreur d'une analyse parle.
#include <algorithm>
#include <array>
#include <cstring>

#include "objects/imprime.h"
#include "syntax/analyse.h"
#include "syntax/regles.h"
#include "text/messages.h"

namespace gelim {

// ---------------------------------------------------------------- arbres

Objet* Cons(Interp& I, Objet* a, Objet* d) {
    Objet* c = I.mp(a, d);
    if (c == I.pgNil && !I.analyseSansCellules) {
        // mp a déjà montré sa boîte ; on le dit aussi dans les messages, puis
        // toutes les règles échouent : un arbre tronqué ne doit pas s'exécuter.
        I.analyseSansCellules = true;
        I.gErreurAnalyse = true;
        EcritLigne(I, "Il n'y a plus assez de cellules pour analyser ce programme : je ne l'exécute pas.");
    }
    return c;
}

Objet* Liste(Interp& I, std::initializer_list<Objet*> elements) {
    Objet* l = I.pgNil;
    for (auto e = elements.end(); e != elements.begin();) l = Cons(I, *--e, l);
    return l;
}

Objet* ListeDe(Interp& I, const std::vector<Objet*>& elements) {
    Objet* l = I.pgNil;
    for (size_t k = elements.size(); k-- > 0;) l = Cons(I, elements[k], l);
    return l;
}

Objet* EssaieLesAlternatives(Interp& I, long L, const Alternative* alternatives, size_t n, Objet* contexte) {
    for (size_t k = 0; k < n; ++k) {
        if (Trace(I)) EnTete(I, L, alternatives[k].entete);
        Objet* r = alternatives[k].regle(I, L + 1, contexte);
        if (Trace(I)) Resultat(I, L, r);
        if (r != I.pgCestFaux) return r;
    }
    return I.pgCestFaux;
}

// ---------------------------------------------------------------- trace

// Un objet en fin de ligne : un atome sur la ligne, une liste en arbre dessous.
static void EcritObjetEnFin(Interp& I, Objet* x, long L) {
    if (EstAtome(x)) {
        EcritNom(I, x);
        FinDeLigne(I);
    } else {
        FinDeLigne(I);
        ImprimeArbre(I, x, L, 0);
    }
}

void Etape(Interp& I, long L, const char* texte) {
    if (!Trace(I)) return;
    Indente(I, L);
    EcritLigne(I, texte);
}

void Etape(Interp& I, long L, const char* texte, Objet* x) {
    if (!Trace(I)) return;
    Indente(I, L);
    Ecrit(I, texte);
    // Un texte qui finit par un blanc annonce l'objet sur la même ligne ; les
    // autres (« trouvé l'instruction »...) forment une ligne entière, l'objet
    // suit dessous, pour ne pas coller le nombre au mot (« Flottant10 »).
    const size_t n = std::strlen(texte);
    if (n > 0 && texte[n - 1] != ' ') {
        FinDeLigne(I);
        ImprimeArbre(I, x, L, 0);
        return;
    }
    EcritObjetEnFin(I, x, L);
}

void EtapeNombre(Interp& I, long L, const char* texte, long n) {
    if (!Trace(I)) return;
    Indente(I, L);
    Ecrit(I, texte);
    EcritEntierLigne(I, n);
}

void EtapeListe(Interp& I, long L, const char* texte, const std::vector<Objet*>& elements) {
    if (!Trace(I)) return;
    // Le même texte que l'imprimeur en arbre, sans bâtir de liste (aucune cellule).
    Indente(I, L);
    EcritLigne(I, texte);
    Indente(I, L);
    EcritLigne(I, "[");
    for (Objet* e : elements) {
        if (1 >= I.gProfondeurArbres) {
            Indente(I, L + 1);
            Imprime(I, e, true);
            EcritLigne(I, " ");
        } else {
            ImprimeArbre(I, e, L + 1, 1);
        }
    }
    Indente(I, L);
    EcritLigne(I, "]");
}

void EtapeEchec(Interp& I, long L, const char* texte) {
    if (!Trace(I)) return;
    Indente(I, L);
    Ecrit(I, texte);
    MontreLaSuite(I);
}

void EnTete(Interp& I, long indentation, const char* texte) {
    MontreLaSuite(I);
    Indente(I, indentation);
    EcritLigne(I, texte);
}

void Resultat(Interp& I, long indentation, Objet* r) {
    ImprimeArbre(I, r, indentation, 0);
}

void MontreLaSuite(Interp& I) {
    const long n = long(I.ChaineBrute.size());
    const long debut = std::clamp<long>(I.gPosAnalyse, 0, n);
    const long fin = std::min(debut + 20, n);
    if (!Trace(I)) {
        I.hote.Beep(Bip::Defaut);
        I.hote.Beep(Bip::Defaut);
        EcritLigne(I, "Je ne comprends pas le programme au niveau de : ");
    }
    for (long k = debut; k < fin; ++k) EcritNom(I, I.ChaineBrute[size_t(k)]);
    Ecrit(I, fin < n ? "..." : " ");
    FinDeLigne(I);
    EcritLigne(I, " ");
}

// ---------------------------------------------------------------- rapports

namespace {

const char* kTitreSyntaxe = "J E   N E   C O M P R E N D S   P A S   C E   Q U E   T U   M E   D I S  !";
const char* kTitreParam = "A T T E N T I O N   E R R E U R   A   L ' A N A L Y S E  :";

// Texte d'un objet dans une boîte : le sien ; pour une liste, celui de son
// premier élément ; la liste vide montre sa forme imprimée.
std::string TexteDansLaBoite(Interp& I, Objet* x) {
    while (!EstAtome(x) && x != I.pgNil) x = CEL(x)->car;
    if (x == I.pgNil) return "[] ";
    return I.TexteDe(x);
}

// Étapes communes aux rapports : première erreur seulement, ligne fautive,
// prévision ; rend le jeton fautif et place la lecture sur la marque de fin.
bool DebutDeRapport(Interp& I, Objet*& fautif) {
    if (I.gErreurAnalyse) return false;
    I.gErreurAnalyse = true;
    const int32_t dernier = std::max<int32_t>(int32_t(I.ChaineBrute.size()) - 1, 0);
    I.gPosAnalyse = std::clamp<int32_t>(I.gPosAnalyse, 0, dernier);
    AfficheLaLigneFautive(I, I.gPosAnalyse);
    MontreLaSuite(I);
    fautif = Courant(I);
    I.gPosAnalyse = dernier;
    return true;
}

// L'objet suit le texte sur la même ligne : un atome, ou le « [ » qui ouvre
// l'arbre d'une liste (ses éléments viennent dessous).
void LigneAvecObjet(Interp& I, const char* etiquette, const std::string& texte, Objet* x) {
    Ecrit(I, etiquette);
    Ecrit(I, texte);
    ImprimeArbre(I, x, 0, 0);
}

// La profondeur refusée explique un rapport autrement obscur.
void NoteDeProfondeur(Interp& I) {
    if (!I.profondeurDepassee) return;
    I.profondeurDepassee = false;
    EcritLigne(I, "Le programme est imbriqué trop profondément pour que je puisse l'analyser.");
}

Objet* SignaleSyntaxe(Interp& I, const std::string& S, const std::string& F1, Objet* x, const std::string& F2, Objet* y,
                      const std::string& W, int forme) {
    Objet* fautif = nullptr;
    if (!DebutDeRapport(I, fautif)) return I.pgCestFaux;
    Ecrit(I, "Globalement je recherche : ");
    EcritLigne(I, S);
    if (forme == 4) {
        LigneAvecObjet(I, "J'ai trouvé d'abord : ", F1, x);
        LigneAvecObjet(I, "Et ensuite j'ai bien trouvé : ", F2, y);
    } else if (forme == 2) {
        LigneAvecObjet(I, "J'ai bien trouvé : ", F1, x);
    } else {
        Ecrit(I, "J'ai bien trouvé : ");
        EcritLigne(I, F1);
    }
    Ecrit(I, "Maintenant, j'aimerais bien trouver : ");
    EcritLigne(I, W);
    Ecrit(I, "Mais je ne trouve que : ");
    EcritNom(I, fautif);
    FinDeLigne(I);
    NoteDeProfondeur(I);

    const std::string jeton = TexteDansLaBoite(I, fautif);
    std::array<std::string, 7> t;
    if (forme == 4)
        t = {S, F1, TexteDansLaBoite(I, x), F2, TexteDansLaBoite(I, y), W, jeton};
    else if (forme == 2)
        t = {S, F1, TexteDansLaBoite(I, x), W, jeton};
    else
        t = {S, F1, W, jeton};
    MontrerBoiteErreur(I, FaireBoiteErreur(GenreBoite::Syntaxe, Utf8VersCp1252(kTitreSyntaxe), t, 3));
    return I.pgCestFaux;
}

}  // namespace

Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F, const std::string& W) {
    return SignaleSyntaxe(I, S, F, nullptr, "", nullptr, W, 1);
}

Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F, Objet* x, const std::string& W) {
    return SignaleSyntaxe(I, S, F, x, "", nullptr, W, 2);
}

Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F1, Objet* x, const std::string& F2, Objet* y,
                     const std::string& W) {
    return SignaleSyntaxe(I, S, F1, x, F2, y, W, 4);
}

Objet* ErreurAnalyseParam(Interp& I, const std::string& m1, Objet* o1, const std::string& m2, Objet* o2,
                          const std::string& m3, Objet* o3) {
    Objet* fautif = nullptr;
    if (!DebutDeRapport(I, fautif)) return I.pgCestFaux;
    const std::string* m[3] = {&m1, &m2, &m3};
    Objet* o[3] = {o1, o2, o3};
    std::array<std::string, 7> t;
    for (int i = 0; i < 3; ++i) {
        EcritLigne(I, *m[i]);
        // L'objet sur sa ligne ; une liste garde, pour la boîte, le texte de la ligne.
        Imprime(I, o[i]);
        std::string texte = EstAtome(o[i]) ? I.TexteDe(o[i]) : I.pStrLast.substr(0, 255);
        FinDeLigne(I);
        t[size_t(2 * i)] = *m[i];
        t[size_t(2 * i + 1)] = texte;
    }
    NoteDeProfondeur(I);
    MontrerBoiteErreur(I, FaireBoiteErreur(GenreBoite::Paires, Utf8VersCp1252(kTitreParam), t, 3));
    return I.pgCestFaux;
}

// Les textes du source sont en UTF-8 : convertis seulement quand on signale.
Objet* Rapport(Interp& I, const char* S, const char* F, const char* W) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    return ErreurSyntaxe(I, Utf8VersCp1252(S), Utf8VersCp1252(F), Utf8VersCp1252(W));
}

Objet* Rapport(Interp& I, const char* S, const char* F, Objet* x, const char* W) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    return ErreurSyntaxe(I, Utf8VersCp1252(S), Utf8VersCp1252(F), x, Utf8VersCp1252(W));
}

Objet* Rapport(Interp& I, const char* S, const char* F1, Objet* x, const char* F2, Objet* y, const char* W) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    return ErreurSyntaxe(I, Utf8VersCp1252(S), Utf8VersCp1252(F1), x, Utf8VersCp1252(F2), y, Utf8VersCp1252(W));
}

}  // namespace gelim
