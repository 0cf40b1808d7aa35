// premiers.c : les nombres premiers jusqu'à 100.
// Ce que tu apprends : une fonction qui rend vrai ou faux, et des boucles imbriquées.
//
// Un nombre est premier s'il a exactement deux diviseurs : 1 et lui-même.
// Pour le savoir, on essaie de le diviser par 2, 3, 4 ... tant que d x d <= n.

int premier(n) {
    if (n < 2) return false;
    d = 2;
    trouve = false;
    while ((d * d) <= n) {
        if (n % d == 0) trouve = true;
        d = d + 1;
    }
    return !(trouve);
}

nombres = [];
compte = 0;
for (k = 100; k > 1; k = k - 1) {
    if (premier(k)) {
        nombres = mp(k, nombres);
        compte = compte + 1;
    }
}
ecris([Les nombres premiers jusqu a 100 :]);
ecris(nombres);
ecris([Il y en a], compte);
