// La fenêtre des messages (modèle), les rapports d'erreur à l'exécution et la
// table des lignes du texte analysé.
#include "text/messages.h"

#include <cstdio>

#include "objects/imprime.h"

namespace gelim {

// Un rapport d'erreur est un message, pas une partie du dessin : pendant qu'il
// s'écrit, une impression en cours (ecris, montre...) ne dessine plus le texte.
namespace {
struct RapportHorsDuDessin {
    Interp& I;
    bool avant;
    explicit RapportHorsDuDessin(Interp& i) : I(i), avant(i.modeTexteGraphique) { I.modeTexteGraphique = false; }
    ~RapportHorsDuDessin() { I.modeTexteGraphique = avant; }
    RapportHorsDuDessin(const RapportHorsDuDessin&) = delete;
    RapportHorsDuDessin& operator=(const RapportHorsDuDessin&) = delete;
};
}  // namespace

static void Change(Interp& I) {
    ++I.messages.version;
    I.hote.MessagesModifies();
}

static void InsertSansSautDeLigne(Interp& I, const std::string& texte);

// Un texte qui contient des fins de ligne (l'écho d'un programme de l'éditeur)
// se répartit sur plusieurs lignes, comme dans une zone de texte.
void InsertSiYALaPlace_Line(Interp& I, const std::string& texte) {
    if (texte.find('\n') == std::string::npos) {
        InsertSansSautDeLigne(I, texte);
        return;
    }
    std::string t = texte.size() > 996 ? texte.substr(0, 996) : texte;
    if (I.messages.lignes.back().size() >= 100) return;  // la ligne pleine ne prend rien
    size_t debut = 0;
    for (;;) {
        size_t fin = t.find('\n', debut);
        std::string morceau = t.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
        if (!morceau.empty() && morceau.back() == '\r') morceau.pop_back();
        InsertSansSautDeLigne(I, morceau);
        if (fin == std::string::npos) break;
        FinDeLigne(I);
        debut = fin + 1;
    }
}

static void InsertSansSautDeLigne(Interp& I, const std::string& texte) {
    const std::string* t = &texte;
    std::string coupe;
    if (texte.size() > 996) {
        coupe = texte.substr(0, 996);
        t = &coupe;
    }
    std::string& ligne = I.messages.lignes.back();
    if (ligne.size() < 100) {
        ligne += *t;
        if (ligne.size() <= 255)
            I.pStrLast = ligne;
        else
            I.pStrLast = "Error In pStrLast_InsertSiYALaPlace_Line";
        Change(I);
    }
    if (I.modeTexteGraphique && I.vue && I.dessin) {
        I.vue->TexteALaPosition(*t);
        I.dessin->TexteALaPosition(*t);
    }
}

void Ecrit(Interp& I, const Texte& t) {
    InsertSiYALaPlace_Line(I, t.s);
}

void EcritEspace(Interp& I, const Texte& t) {
    InsertSiYALaPlace_Line(I, t.s + ' ');
}

void EcritLigne(Interp& I, const Texte& t) {
    InsertSiYALaPlace_Line(I, t.s);
    FinDeLigne(I);
}

void EcritCar(Interp& I, char c) {
    InsertSiYALaPlace_Line(I, std::string(1, c));
}

void EcritEntier(Interp& I, long n) {
    InsertSiYALaPlace_Line(I, std::to_string(n));
}

void EcritEntierEspace(Interp& I, long n) {
    InsertSiYALaPlace_Line(I, std::to_string(n) + ' ');
}

void EcritEntierLigne(Interp& I, long n) {
    EcritEntier(I, n);
    FinDeLigne(I);
}

void FinDeLigne(Interp& I) {
    auto& lignes = I.messages.lignes;
    lignes.emplace_back();
    while (lignes.size() > I.messages.limiteLignes) {
        I.hote.LigneQuitteLesMessages(lignes.front());
        lignes.pop_front();
    }
    I.pStrLast.clear();
    Change(I);
}

void EcritLigneHorsDuDessin(Interp& I, const Texte& t) {
    RapportHorsDuDessin horsDuDessin(I);
    if (!I.messages.lignes.back().empty()) FinDeLigne(I);
    EcritLigne(I, t);
}

void VideLesMessages(Interp& I) {
    I.messages.lignes.clear();
    I.messages.lignes.emplace_back();
    I.pStrLast.clear();
    Change(I);
}

// ------------------------------------------------------------ boîte d'erreur

BoiteErreur FaireBoiteErreur(GenreBoite genre, const std::string& titre, const std::array<std::string, 7>& t,
                             int image) {
    BoiteErreur b;
    b.genre = genre;
    b.titre = titre;
    b.image = image;
    for (int i = 0; i < 7; ++i) b.textes[i] = t[size_t(i)];
    int n = 0;
    if (genre == GenreBoite::Syntaxe) {
        n = 0;
        if (!t[3].empty()) n = 1;
        if (!t[4].empty()) n = 2;
        if (!t[5].empty()) n = 3;
        if (!t[6].empty()) n = 4;
    } else if (genre == GenreBoite::Execution) {
        n = 5;
        if (!t[3].empty()) n = 6;
    } else {
        n = 7;
        if (!t[3].empty()) n = 8;
        if (!t[4].empty()) n = 9;
        if (!t[5].empty()) n = 10;
    }
    b.disposition = n;
    auto r = [&](const char* etiquette, int i) { b.rangees.push_back({Utf8VersCp1252(etiquette), t[size_t(i)]}); };
    switch (n) {
        case 0:
            r("Ici je recherche", 0);
            r("Je veux trouver", 1);
            r("Je ne trouve que", 2);
            break;
        case 1:
            r("Ici je recherche", 0);
            r("J'ai déjà trouvé", 1);
            r("Je veux trouver", 2);
            r("Je ne trouve que", 3);
            break;
        case 2:
            r("Ici je recherche", 0);
            r("J'ai déjà trouvé", 1);
            r("que tu vois ici", 2);
            r("Je veux trouver", 3);
            r("Je ne trouve que", 4);
            break;
        case 3:
            r("Ici je recherche", 0);
            r("J'ai déjà trouvé", 1);
            r("Puis j'ai  trouvé", 2);
            r("que tu vois ici", 3);
            r("Je veux trouver", 4);
            r("Je ne trouve que", 5);
            break;
        case 4:
            r("Ici je recherche", 0);
            r("J'ai déjà trouvé", 1);
            r("que tu vois ici", 2);
            r("Puis j'ai  trouvé", 3);
            r("que tu vois ici", 4);
            r("Je veux trouver", 5);
            r("Je ne trouve que", 6);
            break;
        case 5:
            r("Aïe erreur dans :", 0);
            r("Le problème est :", 1);
            r("à cet endroit :", 2);
            break;
        case 6:
            r("Aïe erreur dans :", 0);
            r("Au niveau de : ", 1);
            r("Le problème est :", 2);
            r("à cet endroit :", 3);
            break;
        case 10:
            for (int i = 0; i < 6; ++i) r("", i);
            break;
        default: break;  // 7 à 9 : rien n'est dessiné
    }
    return b;
}

void MontrerBoiteErreur(Interp& I, const BoiteErreur& b) {
    RapportHorsDuDessin horsDuDessin(I);
    if (b.disposition >= 7 && b.disposition <= 9)
        EcritLigne(I, "TMyDialog_ErrorBox :: Erreur dans le switch eMsgErrorTxtNbr");
    ++I.nbBoitesErreur;
    I.hote.MontrerBoiteErreur(b);
}

static const char* kTitreExecution = "A T T E N T I O N   E R R E U R   A   L ' E X E C U T I O N  :";

// Quand la face le demande, un rapport dit aussi la ligne de l'instruction en
// cours, si elle vient d'un texte (comptée depuis 0, comme les erreurs de syntaxe).
static void EcritLaLigneDeLErreur(Interp& I) {
    if (!I.lignesDesErreurs) return;
    const Lieu* l = LieuDe(I, I.instructionCourante);
    if (!l) return;
    Ecrit(I, "à la ligne : ");
    EcritEntier(I, l->ligne);
    const TexteAnalyse* t = TexteDuLieu(I, *l);
    if (t && t->genre == GenreDeTexte::Fichier) {
        Ecrit(I, " du fichier « ");
        Ecrit(I, t->nom);
        Ecrit(I, " »");
    }
    FinDeLigne(I);
}

Objet* ErreurExecution(Interp& I, const Texte& contexte, const Texte& message, Objet* objet) {
    RapportHorsDuDessin horsDuDessin(I);
    if (++I.NbErreursExecution >= 11) return I.pgCestFaux;
    EcritLigne(I, contexte);
    EcritLigne(I, message);
    Imprime(I, objet);
    std::string copie = I.pStrLast;
    FinDeLigne(I);
    EcritLaLigneDeLErreur(I);
    MontrerBoiteErreur(
        I, FaireBoiteErreur(GenreBoite::Execution, Utf8VersCp1252(kTitreExecution), {contexte.s, message.s, copie}));
    return I.pgCestFaux;
}

Objet* ErreurExecution2(Interp& I, const Texte& t1, Objet* o1, const Texte& t2, Objet* o2) {
    RapportHorsDuDessin horsDuDessin(I);
    if (++I.NbErreursExecution >= 11) return I.pgCestFaux;
    EcritLigne(I, t1);
    Imprime(I, o1);
    std::string l1 = I.pStrLast;
    FinDeLigne(I);
    EcritLigne(I, t2);
    Imprime(I, o2);
    std::string l2 = I.pStrLast;
    FinDeLigne(I);
    EcritLaLigneDeLErreur(I);
    MontrerBoiteErreur(I,
                       FaireBoiteErreur(GenreBoite::Execution, Utf8VersCp1252(kTitreExecution), {t1.s, l1, t2.s, l2}));
    return I.pgCestFaux;
}

Objet* ErreurExecution3(Interp& I, const Texte& t1, Objet* o1, const Texte& t2, Objet* o2, const Texte& t3, Objet* o3) {
    RapportHorsDuDessin horsDuDessin(I);
    if (++I.NbErreursExecution >= 11) return I.pgCestFaux;
    std::string l[3];
    const Texte* t[3] = {&t1, &t2, &t3};
    Objet* o[3] = {o1, o2, o3};
    for (int i = 0; i < 3; ++i) {
        Ecrit(I, *t[i]);
        Imprime(I, o[i]);
        l[i] = I.pStrLast;
        FinDeLigne(I);
    }
    EcritLaLigneDeLErreur(I);
    MontrerBoiteErreur(
        I, FaireBoiteErreur(GenreBoite::Paires, Utf8VersCp1252(kTitreExecution), {" ", l[0], " ", l[1], " ", l[2]}));
    return I.pgCestFaux;
}

// ------------------------------------------------------------ table des lignes

void AfficheLaLigneFautive(Interp& I, int indice) {
    int compte = int(I.InxFreeNextTabMemoEditLigInfo);
    int r = -1;
    for (int i = 0; i < compte; ++i) {
        const MemoEditLigInfo& m = I.TabMemoEditLigInfo[size_t(i)];
        if (m.premier <= indice && m.fin >= indice) {
            r = i;
            break;
        }
    }
    if (r < 0) return;
    I.ligneFautive = r;
    EcritLigne(I, " ");
    Ecrit(I, "Erreur dans le programme à la ligne : ");
    EcritEntierLigne(I, r);
    int debut = r - 7 < 0 ? 0 : r - 7;
    int fin = r + 1 < compte - 1 ? r + 1 : compte - 1;
    for (int i = debut; i <= fin; ++i) {
        EcritEntierEspace(I, i);
        EcritLaLigne(I, I.TabMemoEditLigInfo[size_t(i)]);
    }
    EcritLigne(I, " ");
}

void EcritLaLigne(Interp& I, const MemoEditLigInfo& ligne) {
    const std::vector<char>& t = I.gTexteAAnalyser;
    for (size_t p = size_t(ligne.debut); p < t.size(); ++p) {
        unsigned char c = static_cast<unsigned char>(t[p]);
        if (c == 0 || c == '\n') break;
        // Le CR d'une fin de ligne CR LF ne se voit pas dans la fenêtre.
        if (c == '\r') continue;
        if (c == 0xF0)
            EcritNom(I, I.marqueFin);
        else
            EcritCar(I, char(c));
    }
    FinDeLigne(I);
}

}  // namespace gelim
