// fibonacci.c : la suite de Fibonacci et le nombre d'or.
// Ce que tu apprends : garder en mémoire les deux derniers termes d'une suite.
//
// Chaque terme est la somme des deux précédents : 1, 1, 2, 3, 5, 8, 13 ...
// Le quotient de deux termes qui se suivent s'approche du nombre d'or (1,618...).

a = 1;
b = 1;
// On range les termes au début de la liste avec mp (c'est le plus simple),
// puis on retourne la liste avec renverse pour les lire dans l'ordre.
termes = [1 1];
for (i = 3; i < 21; i = i + 1) {
    c = a + b;
    a = b;
    b = c;
    termes = mp(c, termes);
}
ecris([Les 20 premiers termes :]);
ecris(renverse(termes));
ecris([Quotient des deux derniers :], b / a);

// Une spirale faite de quarts de cercle dont les rayons suivent la suite.
int quart(rayon) {
    repete 18 {
        av(rayon * 0.0873);
        tg(5);
    }
}
fcc(23);
fec(2);
a = 1;
b = 1;
repete 10 {
    quart(b * 2.5);
    c = a + b;
    a = b;
    b = c;
}
