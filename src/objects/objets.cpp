// Réserve de cellules, nombres, marqueurs de « return » et collectes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef GELIM_STRESS
#include <sanitizer/asan_interface.h>
#endif

#include "objects/interp.h"
#include "objects/lexique.h"
#include "text/messages.h"

namespace gelim {

std::string TexteCanonique(float v) {
    char tampon[64];
    if (v == std::floor(v) && v >= -2147483648.0f && v < 2147483648.0f)
        std::snprintf(tampon, sizeof tampon, "%d", static_cast<int32_t>(v));
    else
        std::snprintf(tampon, sizeof tampon, "%f", static_cast<double>(v));
    return tampon;
}

std::string TexteF(float v) {
    // Les très grandes valeurs font plus de 64 caractères en « %f ».
    char tampon[400];
    std::snprintf(tampon, sizeof tampon, "%f", static_cast<double>(v));
    return tampon;
}

std::string FenetreMessages::Texte() const {
    std::string t;
    for (size_t i = 0; i < lignes.size(); ++i) {
        if (i) t += '\n';
        t += lignes[i];
    }
    return t;
}

const std::string& Interp::TexteDe(Objet* x) {
    static const std::string vide;
    if (EstFlottant(x)) {
        Flottant* f = FLO(x);
        if (!f->nomAJour) {
            f->nom = f->formatF ? TexteF(f->valeur) : TexteCanonique(f->valeur);
            f->nomAJour = 1;
        }
        return f->nom;
    }
    if (EstAtome(x)) return MS(x)->nom;
    return vide;
}

// ---------------------------------------------------------------- nombres

void Interp::RemplirNombresLibres() {
    if (nombresDepuisCollecte >= seuilNombres) CollecteHorsReserve();
    if (nombresLibres) return;
    constexpr int kParBloc = 4096;
    blocsNombres.emplace_back(new Flottant[kParBloc]);
    Flottant* b = blocsNombres.back().get();
    for (int i = kParBloc - 1; i >= 0; --i) {
        b[i].tag = 0;  // libre
        b[i].suivantLibre = nombresLibres;
        nombresLibres = &b[i];
    }
}

Flottant* Interp::NombreDuTexte(const std::string& texte) {
    // Ce que « %f » lit au début du mot : [-]chiffres[.chiffres][e[+-]chiffres].
    size_t i = 0, n = texte.size();
    std::string prefixe;
    if (i < n && (texte[i] == '-' || texte[i] == '+')) prefixe += texte[i++];
    while (i < n && isdigit(static_cast<unsigned char>(texte[i]))) prefixe += texte[i++];
    if (i < n && texte[i] == '.') {
        prefixe += texte[i++];
        while (i < n && isdigit(static_cast<unsigned char>(texte[i]))) prefixe += texte[i++];
    }
    if (i < n && (texte[i] == 'e' || texte[i] == 'E')) {
        size_t j = i + 1;
        std::string exposant = "e";
        if (j < n && (texte[j] == '-' || texte[j] == '+')) exposant += texte[j++];
        if (j < n && isdigit(static_cast<unsigned char>(texte[j]))) {
            while (j < n && isdigit(static_cast<unsigned char>(texte[j]))) exposant += texte[j++];
            prefixe += exposant;
        }
    }
    float v = std::strtof(prefixe.c_str(), nullptr);
    Flottant* f = PrendreNombre();
    f->valeur = v;
    f->etat = EtatConstant;
    f->nom = TexteCanonique(v);
    f->nomAJour = 1;
    return f;
}

// ---------------------------------------------------------------- cellules

Objet* Interp::mp(Objet* x, Objet* liste) {
    if (!EstCellule(liste)) return ErreurExecution(*this, "mp", "Le param 2 n'est pas une liste", liste);
    if (!pgPremiereCelluleLibre || pgPremiereCelluleLibre->cdr == pgNil) {
        SignalerEpuisement();
        return pgNil;
    }
    if (EstFlottant(x)) FLO(x)->etat = EtatPartage;
    Cellule* c = pgPremiereCelluleLibre;
    pgPremiereCelluleLibre = CEL(c->cdr);
    --NbCellulesLibres;
    c->car = x;
    c->cdr = liste;
    return c;
}

void Interp::SignalerEpuisement() {
    if (epuisementsMontres >= kBoitesDEpuisementMax) return;
    ++epuisementsMontres;
    hote.BoiteMessage(TXT("A T T E N T I O N   DANGER"), TXT("Dépassement de capacité dans les cellulles"));
}

int Interp::NbCellulesLibresActuelles() const {
    return NbCellulesLibres;
}

static Cellule* PrendreCelluleHors(Interp& I) {
    if (!I.marqueursLibres) {
        constexpr int kParBloc = 4096;
        I.blocsMarqueurs.emplace_back(new Cellule[kParBloc]);
        Cellule* b = I.blocsMarqueurs.back().get();
        for (int i = kParBloc - 1; i >= 0; --i) {
            b[i].tag = 0;  // libre
            b[i].horsReserve = 1;
            b[i].cdr = I.marqueursLibres;
            I.marqueursLibres = &b[i];
        }
    }
    Cellule* c = I.marqueursLibres;
    I.marqueursLibres = static_cast<Cellule*>(c->cdr);
    c->tag = kTagCellule;
    c->marque = 0;
    ++I.nbMarqueursPris;
    return c;
}

Objet* Interp::Marqueur(Objet* v) {
    // Un « return » ne coûte aucune cellule de la réserve ; le nombre rendu
    // devient partagé, comme s'il avait été mis dans une liste.
    if (nbMarqueursPris >= seuilCollecteHors) CollecteHorsReserve();
    if (EstFlottant(v)) {
        FLO(v)->etat = EtatPartage;
        FLO(v)->retourFrais = 0;  // un vrai marqueur peut être gardé, dans une liste...
    }
    Cellule* queue = PrendreCelluleHors(*this);
    queue->car = v;
    queue->cdr = pgNil;
    Cellule* tete = PrendreCelluleHors(*this);
    tete->car = sepReturned;
    tete->cdr = queue;
    return tete;
}

Objet* Interp::Car(Objet* x) {
    if (!EstCellule(x)) return ErreurExecution(*this, "Car", "Ce n'est pas une liste", x);
    return CEL(x)->car;
}

Objet* Interp::Cdr(Objet* x) {
    if (!EstCellule(x)) return ErreurExecution(*this, "Cdr", "Ce n'est pas une liste", x);
    return CEL(x)->cdr;
}

// Marquage sans récursion native : pile explicite, car avant cdr.
static void MarquerDepuis(Interp& I, Objet* racine, std::vector<Objet*>& pile) {
    pile.push_back(racine);
    while (!pile.empty()) {
        Objet* x = pile.back();
        pile.pop_back();
        if (!EstCellule(x) || x == I.pgNil) continue;
        Cellule* c = CEL(x);
        if (c->marque) continue;
        c->marque = 1;
        pile.push_back(c->cdr);
        pile.push_back(c->car);
    }
}

void Interp::Recuperation(bool ecrire) {
    for (Cellule& c : pgTabpNoeudBinaire) c.marque = 0;
    for (auto& b : blocsMarqueurs)
        for (int i = 0; i < 4096; ++i) b[i].marque = 0;
    std::vector<Objet*> pile;
    for (MyString* o : Lexique) {
        if (o->tag != kTagNom) continue;
        Nom* n = static_cast<Nom*>(o);
        if (EstCellule(n->valeur)) MarquerDepuis(*this, n->valeur, pile);
        if (EstCellule(n->definition)) MarquerDepuis(*this, n->definition, pile);
    }
    // La collecte hors réserve compte trouver les marqueurs démarqués.
    for (auto& b : blocsMarqueurs)
        for (int i = 0; i < 4096; ++i) b[i].marque = 0;
    Balayage(ecrire);
}

void Interp::OublierLesNoeuds() {
    decodage.reset();
    noeudDeCellule = nullptr;
    nbNoeudsDeCellule = 0;
}

void Interp::Balayage(bool ecrire) {
    // Des cellules libérées peuvent resservir à une autre expression : les
    // nœuds décodés d'après les anciennes sont oubliés (rien ne s'exécute
    // entre deux commandes).
    OublierLesNoeuds();
    OublierLesLieuxLibres(*this);
    pgPremiereCelluleLibre = nullptr;
    NbCellulesLibres = 0;
    Cellule* derniere = nullptr;
    survivantes.clear();
    for (Cellule& c : pgTabpNoeudBinaire) {
        if (c.marque) {
            survivantes.push_back(uint32_t(&c - pgTabpNoeudBinaire.data()));
            continue;
        }
        ++NbCellulesLibres;
        c.car = pgNil;
        if (derniere)
            derniere->cdr = &c;
        else
            pgPremiereCelluleLibre = &c;
        derniere = &c;
    }
    if (derniere) derniere->cdr = pgNil;
    if (ecrire) {
        Ecrit(*this, TXT("Voici le nombre de cellules encore disponibles : "));
        EcritEntier(*this, NbCellulesLibres);
        FinDeLigne(*this);
    }
}

// ---------------------------------------------------------------- mode d'épreuve

bool EpreuveDemandee() {
#ifdef GELIM_STRESS
    const char* v = std::getenv("GELIM_EPREUVE");
    return v && std::strcmp(v, "1") == 0;
#else
    return false;
#endif
}

namespace {

// Les objets gardés empoisonnés avant de resservir : assez pour qu'une lecture
// tardive tombe sur le poison plutôt que sur un objet neuf.
constexpr size_t kQuarantaineMax = 1 << 12;

// Tout sauf l'étiquette (les huit premiers octets) : la collecte la lit encore.
// Sans AddressSanitizer, seule l'étiquette dit le poison.
template <class T>
void Poison([[maybe_unused]] T* x, [[maybe_unused]] bool mettre) {
#ifdef GELIM_STRESS
    char* debut = reinterpret_cast<char*>(x) + 8;
    if (mettre)
        ASAN_POISON_MEMORY_REGION(debut, sizeof(T) - 8);
    else
        ASAN_UNPOISON_MEMORY_REGION(debut, sizeof(T) - 8);
#endif
}

[[noreturn]] void ObjetEmpoisonneDesigne(const char* ou) {
    std::fprintf(stderr,
                 "Mode d'épreuve : un nombre ou un marqueur déjà repris est encore désigné par %s "
                 "(libéré trop tôt ou pas enraciné).\n",
                 ou);
    std::abort();
}

}  // namespace

void Interp::Empoisonner(Objet* x) {
    const bool nombre = EstFlottant(x);
    if (nombre) {
        Flottant* f = FLO(x);
        f->nom.clear();
        f->nom.shrink_to_fit();
        f->tag = kTagEmpoisonne;
        Poison(f, true);
    } else {
        x->tag = kTagEmpoisonne;
        Poison(CEL(x), true);
    }
    empoisonnes.file.emplace_back(x, nombre);
    while (empoisonnes.file.size() > kQuarantaineMax) {
        auto [o, estNombre] = empoisonnes.file.front();
        empoisonnes.file.pop_front();
        if (estNombre) {
            Flottant* f = static_cast<Flottant*>(o);
            Poison(f, false);
            f->tag = 0;
            f->suivantLibre = nombresLibres;
            nombresLibres = f;
        } else {
            Cellule* c = CEL(o);
            Poison(c, false);
            c->tag = 0;
            c->cdr = marqueursLibres;
            marqueursLibres = c;
        }
    }
}

QuarantaineEpreuve::~QuarantaineEpreuve() {
    for (auto [o, estNombre] : file) {
        if (estNombre)
            Poison(static_cast<Flottant*>(o), false);
        else
            Poison(CEL(o), false);
    }
}

// Collecte des objets hors réserve (nombres et marqueurs) : tout ce qu'une
// racine désigne, directement ou par une cellule, reste ; le reste est repris.
// Les cellules prises de la réserve sont toutes parcourues (une cellule libre
// ne désigne rien).
void Interp::CollecteHorsReserve() {
    std::vector<Objet*> pile;
    // Les cellules prises sont toutes parcourues : inutile d'aller voir celles
    // qu'on désigne (une adresse de la réserve se reconnaît sans la lire).
    const auto debutReserve = reinterpret_cast<uintptr_t>(pgTabpNoeudBinaire.data());
    const auto finReserve = reinterpret_cast<uintptr_t>(pgTabpNoeudBinaire.data() + pgTabpNoeudBinaire.size());
    // Le mode d'épreuve vérifie chaque racine ; les cases des primitives et la
    // valeur du marqueur direct gardent, elles, la trace d'un usage fini.
    const char* racine = nullptr;
    auto pousser = [&](Objet* x) {
        if (!x) return;
        const auto a = reinterpret_cast<uintptr_t>(x);
        if (a >= debutReserve && a < finReserve) return;
        if (x->tag == kTagEmpoisonne) {
            if (racine) ObjetEmpoisonneDesigne(racine);
            return;
        }
        if (EstFlottant(x)) {
            FLO(x)->marqueNb = 1;
        } else if (EstCellule(x) && CEL(x)->horsReserve && !CEL(x)->marque) {
            pile.push_back(x);
        }
    };
    // Les marques sont toutes à zéro ici : un nombre ou un marqueur les reçoit
    // nuls à sa naissance, et le balayage efface celles des survivants (un seul
    // passage sur les blocs au lieu de deux).
    for (MyString* o : Lexique) {
        racine = "le lexique";
        pousser(o);
        if ((o->tag & 0x4800) == 0x4800 && o->tag < 0x5000) {
            racine = "la valeur ou la définition d'un nom";
            pousser(static_cast<Nom*>(o)->valeur);
            pousser(static_cast<Nom*>(o)->definition);
        } else if (EstPrimitive(o)) {
            racine = nullptr;
            Fonc* f = static_cast<Fonc*>(o);
            for (int k = 0; k < 4; ++k) {
                pousser(f->expr[k]);
                pousser(f->val[k]);
            }
        }
    }
    racine = "la chaîne des jetons";
    for (Objet* o : ChaineBrute) pousser(o);
    racine = "une cellule de la réserve";
    {
        // Seules les cellules prises sont parcourues (la collecte peut passer
        // souvent, à chaque nombre en mode d'épreuve). Le balayage range la
        // liste libre dans l'ordre de la réserve et mp la prend par la tête :
        // avant la tête, tout est pris ; après, seules les survivantes du
        // dernier balayage le sont.
        const size_t tete = pgPremiereCelluleLibre ? size_t(pgPremiereCelluleLibre - pgTabpNoeudBinaire.data())
                                                   : pgTabpNoeudBinaire.size();
        for (size_t i = 0; i < tete; ++i) {
            pousser(pgTabpNoeudBinaire[i].car);
            pousser(pgTabpNoeudBinaire[i].cdr);
        }
        for (uint32_t i : survivantes) {
            if (i < tete) continue;
            pousser(pgTabpNoeudBinaire[i].car);
            pousser(pgTabpNoeudBinaire[i].cdr);
        }
    }
    racine = "un environnement de la pile";
    for (size_t i = 0; i < hautPileEnv; ++i) {
        // Au-delà des cases écrites, rien que [] : un abri n'écrit que les siennes.
        const Env& e = pileEnv[i];
        const int32_t n = std::min<int32_t>(e.nbCasesEcrites, 8);
        for (int32_t k = 0; k < n; ++k) pousser(e.cases[k]);
    }
    racine = "une racine tenue par le code";
    for (Objet* o : racines) pousser(o);
    racine = "l'arbre du programme";
    pousser(gArbreDuProgramme);
    racine = nullptr;
    pousser(marqueurDirectValeur.car);
    pousser(pgZero);
    pousser(pgUn);
    racine = "un marqueur de return";
    while (!pile.empty()) {
        Cellule* c = CEL(pile.back());
        pile.pop_back();
        if (c->marque) continue;
        c->marque = 1;
        pousser(c->car);
        pousser(c->cdr);
    }

    size_t vivants = 0;
    for (auto& b : blocsNombres)
        for (int i = 0; i < 4096; ++i) {
            Flottant& f = b[i];
            if (f.tag != kTagFlottant) continue;
            if (f.marqueNb) {
                f.marqueNb = 0;
                ++vivants;
                continue;
            }
            if (epreuve) {
                Empoisonner(&f);
                continue;
            }
            f.tag = 0;
            f.nom.clear();
            f.nom.shrink_to_fit();
            f.suivantLibre = nombresLibres;
            nombresLibres = &f;
        }
    size_t marqueursVivants = 0;
    for (auto& b : blocsMarqueurs)
        for (int i = 0; i < 4096; ++i) {
            Cellule& c = b[i];
            if (c.tag != kTagCellule) continue;
            if (c.marque) {
                c.marque = 0;
                ++marqueursVivants;
                continue;
            }
            if (epreuve) {
                Empoisonner(&c);
                continue;
            }
            c.tag = 0;
            c.cdr = marqueursLibres;
            marqueursLibres = &c;
        }
    nbMarqueursPris = marqueursVivants;
    nombresDepuisCollecte = 0;
    // Une collecte coûte ce qui vit : tant que peu de nombres vivent, elle passe
    // souvent et les mêmes places resservent, chaudes dans le cache, au lieu
    // de nouveaux blocs.
    seuilNombres = std::max<size_t>(kSeuilNombresMin, 2 * vivants);
    // Si presque tout survit, on espace les collectes.
    size_t seuil = std::max<size_t>(1 << 18, 2 * marqueursVivants);
    seuilCollecteHors = seuil;
}

Env* Interp::NouvelEnv(int nbParams) {
    if (hautPileEnv >= pileEnv.size()) return nullptr;
    Env* e = &pileEnv[hautPileEnv++];
    e->nbParams = nbParams;
    e->nbLocales = 0;
    e->nbCasesEcrites = nbParams;
    for (Objet*& o : e->cases) o = pgNil;
    return e;
}

void Interp::RendreEnv(Env* e) {
    (void)e;
    if (hautPileEnv > 0) --hautPileEnv;
}

}  // namespace gelim
