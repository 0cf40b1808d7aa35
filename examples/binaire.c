// binaire.c : écrire un nombre en binaire (avec seulement des 0 et des 1).
// Ce que tu apprends : la division entière et le reste, et fabriquer
// un mot chiffre par chiffre avec la primitive mot.
//
// On divise le nombre par 2 autant de fois que possible ; les restes,
// lus du dernier au premier, forment l'écriture binaire.

int binaire(n) {
    resultat = [];
    while (n > 0) {
        chiffre = n % 2;
        resultat = mot(chiffre, resultat);
        n = n - chiffre;
        n = n / 2;
    }
    if (vide?(resultat)) return 0;
    return resultat;
}

for (k = 1; k < 17; k = k + 1) {
    ecris(k, [en binaire :], binaire(k));
}
ecris(2024, [en binaire :], binaire(2024));
