// Les règles des expressions : descente récursive sur ChaineBrute. Chaque
// règle rend l'arbre qu'elle a bâti ou pgCestFaux (« ne s'applique pas ici »,
// ou, une fois gErreurAnalyse posé, « l'analyse a échoué »).
// Les suites (opérateurs, éléments de liste, paramètres) sont lues en boucle :
// mêmes arbres et même trace que la définition récursive, sans pile native.
#include <vector>

#include "syntax/analyse.h"
#include "syntax/lieux.h"
#include "syntax/regles.h"

namespace gelim {

namespace {

Objet* AnaSynResteDIdentif(Interp& I, long L, Objet* nom);
Objet* AnaSynExpressionParentheseResteExpression(Interp& I, long L, Objet*);
Objet* UnaireResteExpression(Interp& I, long L, Objet*);

// ResteDExp : opérateur, opérande, opérateur... groupés à gauche.
Objet* AnaSynExpressionUnaireResteExpression(Interp& I, long L, Objet* gauche) {
    for (long l = L;; ++l) {
        if (I.gErreurAnalyse) return I.pgCestFaux;
        Objet* op = Courant(I);
        if (!EstOperateur(op)) {
            Etape(I, l, "Je ne cherche pas le reste d'expression unaire car ce n'est pas 1 bonne fonc° : ", op);
            return gauche;
        }
        Consomme(I);
        Objet* droite = ExpUnaire(I, l + 1);
        if (droite != I.pgCestFaux) {
            Etape(I, l, "AnaSynExpressionUnaireResteExpression, trouvé 1 ExpressionUnaire", droite);
            gauche = Liste(I, {op, gauche, droite});
            continue;
        }
        // Un opérande qui n'est pas unaire (une parenthèse) prend tout le reste.
        droite = AnaSynExpression(I, l + 1);
        if (droite != I.pgCestFaux) return Liste(I, {op, gauche, droite});
        return Rapport(I, " un reste d'expression arithmétique ou de comparaison",
                       " un facteur arithmétique (+-*/...) ou de comparaison (<>=...), ", op,
                       " une expression arithmétique ou de comparaison");
    }
}

Objet* AnaSynExpressionParentheseResteExpression(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    if (Courant(I) != I.sepParOuvrante || EstFoncNESP(Suivant(I))) return I.pgCestFaux;
    Niveau niveau(I);
    if (niveau.trop) return I.pgCestFaux;
    Etape(I, L, "AnaSynExpressionParentheseResteExpression, trouvé la '(' ");
    Etape(I, L, "AnaSynExpressionParentheseResteExpression, OK, pas trouvé la FoncNESP : ", Suivant(I));
    const int32_t ouvrante = I.gPosAnalyse;
    Consomme(I);
    Objet* e = AnaSynExpression(I, L + 1);
    if (e == I.pgCestFaux)
        return Rapport(I, " une expression parenthèsée ", " la parenthèse ouvrante, ", " une expression ");
    Etape(I, L, "AnaSynExpressionParentheseResteExpression succès dans AnaSynExpression", e);
    if (Courant(I) == I.sepParFermante) {
        Consomme(I);
        Etape(I, L, "AnaSynExpressionParentheseResteExpression ai trouvé ')' après Expression");
        return AnaSynExpressionUnaireResteExpression(I, L + 1, e);
    }
    // Pas de rapport ici : on rend les jetons, l'appelant signale.
    Etape(I, L, "AnaSynExpressionParentheseResteExpression pas trouvé ')' après Expression : ", Courant(I));
    I.gPosAnalyse = ouvrante;
    return I.pgCestFaux;
}

Objet* UnaireResteExpression(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Niveau niveau(I);
    if (niveau.trop) return I.pgCestFaux;
    Objet* u = ExpUnaire(I, L + 1);
    if (u == I.pgCestFaux) return u;
    Etape(I, L, "AnaSynExpressionUnaireResteExpression, trouvé 1 ExpressionUnaire", u);
    return AnaSynExpressionUnaireResteExpression(I, L + 2, u);
}

Objet* QuoteNom(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kQuote)) return I.pgCestFaux;
    Objet* quote = Courant(I);
    Etape(I, L, "ExpressionUnaire QuoteNomQuote, ai trouvé le premier quote");
    Consomme(I);
    Etape(I, L, "ExpressionUnaire QuoteNomQuote, après lecture du nom");
    Objet* nom = Courant(I);
    if (!EstNom(nom)) return Rapport(I, " la forme : quote nom quote", " le signe quote (apostrophe)", " un nom");
    Etape(I, L, "ExpressionUnaire QuoteNomQuote, trouvé le Nom : ", nom);
    Consomme(I);
    if (!EstCode(Courant(I), kQuote))
        return Rapport(I, " la forme : quote nom quote", " le signe quote (apostrophe), puis un nom : ", nom,
                       " un autre signe quote (apostrophe)");
    Etape(I, L, "ExpressionUnaire QuoteNomQuote, ai trouvé le second quote");
    Consomme(I);
    return Liste(I, {quote, nom});
}

Objet* IdentifResteDIdentif(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Objet* nom = Courant(I);
    if (!EstNom(nom)) {
        Etape(I, L, "IdentifResteDIdentif, ce n'est pas un Nom : ", nom);
        return I.pgCestFaux;
    }
    Etape(I, L, "IdentifResteDIdentif, trouvé l'identificateur : ", nom);
    const int32_t debut = I.gPosAnalyse;
    Consomme(I);
    Objet* r = AnaSynResteDIdentif(I, L + 1, nom);
    if (r == I.pgCestFaux) {
        Etape(I, L, "IdentifResteDIdentif, pas trouvé le reste d'identif.");
        // Après un rapport, la lecture reste sur la marque de fin.
        if (!I.gErreurAnalyse) I.gPosAnalyse = debut;
        return r;
    }
    if (r == I.pgValeurIndefinie) {
        Etape(I, L, "IdentifResteDIdentif, pas trouvé de reste d'identif après l'identif.");
        return nom;
    }
    Etape(I, L, "IdentifResteDIdentif, trouvé le reste d'identif : ", r);
    return r;
}

Objet* Res_Exp_Ins_DAffectation(Interp& I, long L, Objet* nom) {
    if (I.gErreurAnalyse || Courant(I) != I.sepEgal) return I.pgCestFaux;
    Etape(I, L, "Res_Exp_Ins_DAffectation, trouvé le signe égal");
    Consomme(I);
    Objet* e = AnaSynExpression(I, L + 1);
    if (e == I.pgCestFaux)
        return Rapport(I, " une instruction d'affectation.",
                       " le signe égal précédé du nom du symbole à affecter : ", nom, " une expression ");
    Etape(I, L, "Res_Exp_Ins_DAffectation, trouvé l'expression ", e);
    Objet* cite = Liste(I, {I.Prim(kQuote), nom});
    return Liste(I, {I.Prim(kDonne), cite, e});
}

// Les n paramètres d'un appel à nombre fixe, puis la ')'.
Objet* LisParamFixes(Interp& I, long L, Objet* f, long n) {
    EtapeNombre(I, L, "TraceAnaSynLisParamFoncEVSP : voici le nombre de param : ", n);
    std::vector<Objet*> elements{f};
    for (long i = 1; i <= n; ++i) {
        Objet* a = AnaSynExpression(I, L + 1);
        if (a == I.pgCestFaux)
            return Rapport(I, " un appel de fonction.", " un nom de fonction à 1 ou plusieurs paramètres, ", f,
                           " la fin de cette liste de paramètre(s) ");
        Etape(I, L, "LisParamFoncEVSP, dans la boucle, trouvé une expression : ", a);
        elements.push_back(a);
        if (i < n) {
            if (Courant(I) != I.sepVirgule)
                return Rapport(I, " une liste de paramètres dans un appel de fonction ", " une expression ", a,
                               " une virgule, car j'attends encore un ou des paramètres.");
            Consomme(I);
            Etape(I, L, "TraceAnaSynLisParamFoncEVSP, dans la boucle, ai trouvé une virgule.");
        } else {
            if (Courant(I) != I.sepParFermante)
                return Rapport(I, " une liste de paramètres dans un appel de fonction ", " une expression ", a,
                               " une ')', car je n'attends plus de paramètre.");
            Consomme(I);
            Etape(I, L, "TraceAnaSynLisParamFoncEVSP, dans la boucle, ai trouvé une ')'.");
        }
    }
    return ListeDe(I, elements);
}

// Appel sans paramètre : la ')' seule.
Objet* AppelSansParametre(Interp& I, const char* S) {
    if (Courant(I) != I.sepParFermante) return Rapport(I, S, " une parenthèse ouvrante ", " une parenthèse fermante,");
    Consomme(I);
    return nullptr;
}

Objet* AnaSynExpressionUnaireCallFDU(Interp& I, long L, Objet* nom) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    if (!EstNomOuParam(nom)) {
        Etape(I, L, "AnaSynExpressionUnaireCallFDU échec car la FDU n'est pas un nom : ", nom);
        return I.pgCestFaux;
    }
    const long n = NOM(nom)->nbParamsFDU;
    if (n < 0) {
        Etape(I, L, "AnaSynExpressionUnaireCallFDU échec car la FDU n'est pas définie : ", nom);
        return I.pgCestFaux;
    }
    if (Courant(I) != I.sepParOuvrante) {
        Etape(I, L, "AnaSynExpressionUnaireCallFDU échec car pas trouvé de '(' : ", Courant(I));
        return I.pgCestFaux;
    }
    Etape(I, L, "ExpressionUnaireCallFDU ::= SymboleFonction ( ListeParam, trouvé la '(' ");
    Consomme(I);
    if (n > 0) return LisParamFixes(I, L + 1, nom, n);
    if (Objet* r = AppelSansParametre(I, " la forme ( ) dans un appel de FDU sans paramètre")) return r;
    Etape(I, L, "TraceAnaSynLisParamFoncEVSP, dans la boucle, ai trouvé une parenthèse fermante.");
    return Liste(I, {nom});
}

Objet* ResteDIdentifVide(Interp& I, long L, Objet* nom) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Etape(I, L, "ResteDIdentifVide_ValeurD1Nom, je prends ce nom : ", nom);
    return I.pgValeurIndefinie;  // le reste vide : l'appelant garde le nom
}

Objet* AnaSynResteDIdentif(Interp& I, long L, Objet* nom) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Niveau niveau(I);
    if (niveau.trop) return I.pgCestFaux;
    static const Alternative alternatives[] = {
        {"AnaSynResteDIdentif::=Res_Exp_Ins_DAffectation", Res_Exp_Ins_DAffectation},
        {"AnaSynResteDIdentif::=CallFDU", AnaSynExpressionUnaireCallFDU},
        {"AnaSynResteDIdentif::=AnaSynResteDIdentifVide_ValeurD1Nom", ResteDIdentifVide},
    };
    Objet* r = EssaieLesAlternatives(I, L, alternatives, nom);
    if (r == I.pgCestFaux) EtapeEchec(I, L, "ResteDIdentif échec avec : ");
    return r;
}

Objet* ExpressionUnaireCallPrimitive(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Objet* f = Courant(I);
    if (!EstFoncEvNS(f) || f->tag == kMoinsUnaire || (f->tag >= kSup && f->tag <= kModulo)) return I.pgCestFaux;
    Consomme(I);
    if (Courant(I) != I.sepParOuvrante)
        return Rapport(I, " un appel de primitive. ", " le nom de cette primitive : ", f,
                       " une '(' ouvrant sa liste de paramètres.");
    Etape(I, L, "ExpressionUnaireCallPrimitive ::= SymboleFonction ( ListeParam, trouvé la '(' ");
    Consomme(I);
    const long n = FONC(f)->nbArgs;
    if (n > 0) return LisParamFixes(I, L + 1, f, n);
    if (Objet* r = AppelSansParametre(I, " la forme ( ) dans un appel de fonction sans paramètre")) return r;
    Etape(I, L, "TraceAnaSynLisParamFoncEVSP, dans la boucle, ai trouvé une parenthèse fermante.");
    return Liste(I, {f});
}

Objet* MoinsUnaire(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse || !EstCode(Courant(I), kMoinsUnaire)) return I.pgCestFaux;
    Objet* moins = Courant(I);
    Etape(I, L, "ExpressionUnaire, trouvé le moins unaire");
    Consomme(I);
    Objet* nom = Courant(I);
    if (!EstNom(nom)) return Rapport(I, " un signe moins devant un nom", " les signes '-:'", " un nom");
    Consomme(I);
    Etape(I, L, "ExpressionUnaire, moins unaire, trouvé le Nom : ", nom);
    return Liste(I, {moins, nom});
}

// Les k paramètres d'un appel à nombre variable, jusqu'à la ')'.
Objet* LisParamVariables(Interp& I, long L, Objet* f) {
    std::vector<Objet*> lus;
    while (Courant(I) != I.sepParFermante) {
        Objet* a = AnaSynExpression(I, L + 1);
        if (a == I.pgCestFaux)
            return Rapport(I, " un appel de primitive encadrée par des parenthèses.",
                           " un nom de primitive, 0, 1 ou plusieurs paramètres, ", f,
                           " une parenthèse fermante qui marquerait la fin de cette liste de paramètre(s) ");
        lus.push_back(a);
        EtapeListe(I, L, "TraceAnaSynLisParamFoncNESP, dans la boucle : ", lus);
        if (Courant(I) == I.sepVirgule) {
            Consomme(I);
            Etape(I, L, "TraceAnaSynLisParamFoncEVNV, dans la boucle, ai trouvé une virgule.");
        } else if (Courant(I) != I.sepParFermante) {
            return Rapport(I, " une liste de paramètres de longueur variable dans un appel de fonction.",
                           " une expression ", a,
                           " une virgule, car j'attends soit une virgule soit un ou des paramètres.");
        }
    }
    Consomme(I);
    lus.insert(lus.begin(), f);
    return ListeDe(I, lus);
}

Objet* ExpressionNESPANParam(Interp& I, long L, Objet*) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Objet* f = Courant(I);
    if (!EstFoncNESP(f)) return I.pgCestFaux;
    Niveau niveau(I);
    if (niveau.trop) return I.pgCestFaux;
    Etape(I, L, "ExpressionNESPANParam, trouvé FoncNESP : ", f);
    Consomme(I);
    if (Courant(I) != I.sepParOuvrante)
        return Rapport(I, " un appel de fonction NESPANParam. ", " le nom de la fonction : ", f,
                       " une parenthèse ouvrante.");
    Etape(I, L, "ExpressionNESPANParam, trouvé '('");
    Consomme(I);
    return LisParamVariables(I, L + 1, f);
}

Objet* ElementDeChaine(Interp& I, long L) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Objet* x = Courant(I);
    if (x == I.pgFalse || x == I.pgTrue || EstFlottant(x)) {
        Consomme(I);
        return x;
    }
    if (EstNom(x)) {
        Etape(I, L, "AnaSynChaine, trouvé le Nom : ", x);
        Consomme(I);
        return x;
    }
    if (EstPrimitive(x)) {
        Etape(I, L, "AnaSynNomDeFonc, trouvé le NomDeFonc : ", x);
        Consomme(I);
        return x;
    }
    return Chaine(I, L + 1);
}

// ResteDeChaine, en boucle : au niveau l, « ] » ou un élément puis la suite.
Objet* AnaSynResteDeChaine(Interp& I, long L) {
    std::vector<Objet*> elements;
    long l = L;
    bool ferme = false;
    while (!I.gErreurAnalyse) {
        Objet* r;
        auto fin = [&]() -> Objet* {
            if (Courant(I) != I.sepCroFermant) return I.pgCestFaux;
            Etape(I, l, "AnaSynResteDeChaine");
            Consomme(I);
            return I.pgNil;
        };
        if (Essaie(I, l, "ResteDeChaine::=fin", fin, r)) {
            ferme = true;
            break;
        }
        if (Trace(I)) EnTete(I, l, "ResteDeChaine::=ElementDeChaine ResteDeChaine");
        Objet* e = ElementDeChaine(I, l + 1);
        if (e == I.pgCestFaux) {
            if (Trace(I)) Resultat(I, l, e);
            break;
        }
        elements.push_back(e);
        ++l;
    }
    // Remontée : les résultats des niveaux, du plus profond au premier.
    if (!ferme) {
        for (size_t k = elements.size(); k-- > 0;) {
            Rapport(I, " un reste de chaîne ", " [, puis un début de chaîne, puis ", elements[k],
                    " un marqueur fermant cette chaîne : ']' ");
            if (Trace(I)) Resultat(I, L + long(k), I.pgCestFaux);
        }
        return I.pgCestFaux;
    }
    Objet* liste = I.pgNil;
    for (size_t k = elements.size(); k-- > 0;) {
        liste = Cons(I, elements[k], liste);
        if (Trace(I)) Resultat(I, L + long(k), liste);
    }
    return I.gErreurAnalyse ? I.pgCestFaux : liste;
}

}  // namespace

Objet* Chaine(Interp& I, long L) {
    if (I.gErreurAnalyse || Courant(I) != I.sepCroOuvrant) return I.pgCestFaux;
    Niveau niveau(I);  // les listes imbriquées aussi sont bornées
    if (niveau.trop) return I.pgCestFaux;
    Etape(I, L, "Chaine");
    Consomme(I);
    Objet* r = AnaSynResteDeChaine(I, L + 1);
    if (r == I.pgCestFaux) return Rapport(I, " une chaîne ", " le marqueur '[', ", " un reste de chaîne");
    return r;
}

namespace {

// Les alternatives d'un seul jeton : faux, vrai, un nombre.
Objet* JetonSeul(Interp& I, long L, bool convient, const char* etape, bool avecObjet) {
    if (I.gErreurAnalyse || !convient) return I.pgCestFaux;
    Objet* x = Courant(I);
    Consomme(I);
    if (avecObjet)
        Etape(I, L, etape, x);
    else
        Etape(I, L, etape);
    return x;
}

Objet* Faux(Interp& I, long L, Objet*) {
    return JetonSeul(I, L, Courant(I) == I.pgFalse, "ExpUnaire, trouvé pMSBooleenFaux", false);
}

Objet* Vrai(Interp& I, long L, Objet*) {
    return JetonSeul(I, L, Courant(I) == I.pgTrue, "ExpressionUnaire, trouvé pMSBooleenVrai", false);
}

Objet* Nombre(Interp& I, long L, Objet*) {
    return JetonSeul(I, L, EstFlottant(Courant(I)), "ExpressionUnaire, trouvé Flottant", true);
}

// Une liste entre crochets, dans une expression, est citée.
Objet* ChaineCitee(Interp& I, long L, Objet*) {
    Objet* l = Chaine(I, L);
    return l == I.pgCestFaux ? l : Liste(I, {I.Prim(kQuote), l});
}

}  // namespace

Objet* ExpUnaire(Interp& I, long L) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    static const Alternative alternatives[] = {
        {"ExpUnaire::=Faux", Faux},
        {"ExpUnaire::=Vrai", Vrai},
        {"ExpUnaire::=Flottant", Nombre},
        {"ExpUnaire::=QuoteNom", QuoteNom},
        {"ExpUnaire::=Identif ResteDIdentif", IdentifResteDIdentif},
        {"ExpUnaire::=CallPrimitive", ExpressionUnaireCallPrimitive},
        {"ExpUnaire::=MoinsUnaire", MoinsUnaire},
        {"ExpUnaire::=CallNESPANParam", ExpressionNESPANParam},
        {"ExpUnaire::=Chaine", ChaineCitee},
    };
    return EssaieLesAlternatives(I, L, alternatives);
}

Objet* AnaSynExpression(Interp& I, int L) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Niveau niveau(I);
    if (niveau.trop) return I.pgCestFaux;
    static const Alternative alternatives[] = {
        {"Exp::=(exp) ResteDExp", AnaSynExpressionParentheseResteExpression},
        {"Exp::=ExpUnaire ResteDExp", UnaireResteExpression},
    };
    const int32_t premier = I.gPosAnalyse;
    Objet* r = EssaieLesAlternatives(I, L, alternatives);
    if (r == I.pgCestFaux)
        EtapeEchec(I, L, "AnaSynExpression échec avec : ");
    else
        NoterLeLieu(I, r, premier, I.gPosAnalyse - 1);
    return r;
}

// ---------------------------------------------------------------- saisie au clavier

Objet* AnaSynMot(Interp& I, int L) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    Objet* x = Courant(I);
    if (!EstNom(x)) return Rapport(I, " un mot", " le symbole :", x, " un symbole qui soit un vrai nom");
    Consomme(I);
    Etape(I, L, "AnaSynMot, trouvé le Mot : ", x);
    return x;
}

Objet* AnaSynNombreSaisi(Interp& I, int L) {
    if (I.gErreurAnalyse || !EstFlottant(Courant(I))) return I.pgCestFaux;
    Objet* x = Courant(I);
    Consomme(I);
    Etape(I, L, "ExpressionUnaire, trouvé Flottant", x);
    return x;
}

Objet* AnaSynListeSaisie(Interp& I, int L) {
    if (I.gErreurAnalyse) return I.pgCestFaux;
    if (Courant(I) != I.sepCroOuvrant)
        return Rapport(I, " le début d'une liste encadrée par des crochets.", " ce que tu as tapé.",
                       " un crochet ouvrant");
    return Chaine(I, L);
}

}  // namespace gelim
