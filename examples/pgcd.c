// pgcd.c : le plus grand diviseur commun de deux nombres, par l'algorithme d'Euclide.
// Ce que tu apprends : une boucle while, le reste d'une division (a % b),
// et une fonction qui rend son résultat avec return.
//
// L'idée d'Euclide : le PGCD de a et b est aussi celui de b et du reste
// de a divisé par b. Quand le reste vaut 0, le PGCD est le dernier diviseur.

int pgcd(a, b) {
    while (b != 0) {
        r = a % b;
        a = b;
        b = r;
    }
    return a;
}

ecris([Le PGCD de 84 et 36 est], pgcd(84, 36));
ecris([Le PGCD de 1071 et 462 est], pgcd(1071, 462));
ecris([Le PGCD de 17 et 5 est], pgcd(17, 5));

// Simplifier une fraction : on divise le haut et le bas par leur PGCD.
haut = 84;
bas = 126;
p = pgcd(haut, bas);
ecris([La fraction 84 / 126 se simplifie en], haut / p, [/], bas / p);
