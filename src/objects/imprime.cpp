// Imprimeurs : mêmes textes que les définitions récursives, mais avec une
// pile explicite, pour qu'une liste longue ou profonde ne déborde jamais.
#include "objects/imprime.h"

#include <vector>

#include "text/messages.h"

namespace gelim {

void EcritNom(Interp& I, Objet* x) {
    if (!EstAtome(x)) {
        Imprime(I, x);
        return;
    }
    InsertSiYALaPlace_Line(I, I.TexteDe(x) + ' ');
}

void EcritNomLigne(Interp& I, Objet* x) {
    EcritNom(I, x);
    FinDeLigne(I);
}

void Indente(Interp& I, long n) {
    if (n >= 2550) return;
    static const std::string unite = ": ";
    for (long i = 0; i < n; ++i) InsertSiYALaPlace_Line(I, unite);
}

void EcritNomIndente(Interp& I, Objet* x, long n) {
    Indente(I, n);
    EcritNom(I, x);
    FinDeLigne(I);
}

void Imprime(Interp& I, Objet* x, bool avecCrochets) {
    enum Genre { Objet_, Reste, Fermer };
    struct Tache {
        Genre genre;
        Objet* x;
    };
    std::vector<Tache> pile{{Objet_, x}};
    static const std::string vide = "[] ", ouvrant = "[", fermant = "]";
    while (!pile.empty()) {
        Tache t = pile.back();
        pile.pop_back();
        switch (t.genre) {
            case Objet_:
                if (EstAtome(t.x)) {
                    EcritNom(I, t.x);
                } else if (t.x == I.pgNil) {
                    InsertSiYALaPlace_Line(I, vide);
                } else {
                    if (avecCrochets) {
                        InsertSiYALaPlace_Line(I, ouvrant);
                        pile.push_back({Fermer, nullptr});
                    }
                    pile.push_back({Reste, t.x});
                    pile.push_back({Objet_, CEL(t.x)->car});
                }
                break;
            case Reste: {
                Objet* d = CEL(t.x)->cdr;
                if (d == I.pgNil) break;
                if (!EstCellule(d)) {
                    EcritNom(I, d);
                } else {
                    pile.push_back({Reste, d});
                    pile.push_back({Objet_, CEL(d)->car});
                }
                break;
            }
            case Fermer: InsertSiYALaPlace_Line(I, fermant); break;
        }
    }
}

void ImprimeLigne(Interp& I, Objet* x) {
    Imprime(I, x);
    InsertSiYALaPlace_Line(I, " ");
    FinDeLigne(I);
}

void ImprimeAvecCrochets(Interp& I, Objet* x) {
    Imprime(I, x, true);
    InsertSiYALaPlace_Line(I, " ");
    FinDeLigne(I);
}

static void LigneTexte(Interp& I, const char* t) {
    InsertSiYALaPlace_Line(I, t);
    FinDeLigne(I);
}

void ImprimeEnColonne(Interp& I, Objet* x, long n) {
    if (EstAtome(x)) {
        EcritNomIndente(I, x, n);
        return;
    }
    struct Cadre {
        Objet* cur;  // nullptr : fermer le crochet au niveau n
        long n;
    };
    std::vector<Cadre> pile{{x, n}};
    while (!pile.empty()) {
        Cadre& c = pile.back();
        if (!c.cur) {
            long m = c.n;
            pile.pop_back();
            Indente(I, m);
            LigneTexte(I, "]");
            continue;
        }
        if (c.cur == I.pgNil) {
            pile.pop_back();
            continue;
        }
        if (!EstCellule(c.cur)) {
            Objet* queue = c.cur;
            long m = c.n;
            pile.pop_back();
            EcritNomIndente(I, queue, m);
            continue;
        }
        Objet* e = CEL(c.cur)->car;
        long m = c.n;
        c.cur = CEL(c.cur)->cdr;
        if (!EstCellule(e)) {
            EcritNomIndente(I, e, m + 1);
        } else {
            LigneTexte(I, "+");
            Indente(I, m + 1);
            if (e == I.pgNil) {
                LigneTexte(I, "[]");
            } else {
                LigneTexte(I, "[");
                pile.push_back({nullptr, m + 1});
                pile.push_back({e, m + 2});
            }
        }
    }
}

void ImprimeArbre(Interp& I, Objet* x, long n, long p) {
    // Cadre : les éléments restants d'une liste ouverte au niveau n, profondeur p.
    struct Cadre {
        Objet* cur;
        long n, p;  // indentation et profondeur de la liste ouverte
    };
    std::vector<Cadre> pile;
    auto ouvrir = [&](Objet* e, long m, long q) {
        if (EstAtome(e)) {
            EcritNomIndente(I, e, m);
        } else if (e == I.pgNil) {
            Indente(I, m);
            LigneTexte(I, "[]");
        } else {
            Indente(I, m);
            LigneTexte(I, "[");
            pile.push_back({e, m, q});
        }
    };
    ouvrir(x, n, p);
    while (!pile.empty()) {
        Cadre& c = pile.back();
        if (c.cur == I.pgNil) {
            long m = c.n;
            pile.pop_back();
            Indente(I, m);
            LigneTexte(I, "]");
            continue;
        }
        long m = c.n + 1, q = c.p + 1;
        if (!EstCellule(c.cur)) {
            EcritNomIndente(I, c.cur, m);
            c.cur = I.pgNil;
            continue;
        }
        Objet* e = CEL(c.cur)->car;
        c.cur = CEL(c.cur)->cdr;
        if (q >= I.gProfondeurArbres) {
            Indente(I, m);
            Imprime(I, e, true);
            InsertSiYALaPlace_Line(I, " ");
            FinDeLigne(I);
        } else {
            ouvrir(e, m, q);
        }
    }
}

}  // namespace gelim
