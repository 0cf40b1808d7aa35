int arbre(taille, niveau) {
    if (niveau == 0) return;
    av(taille);
    tg(30);
    arbre(taille * 2 / 3, niveau - 1);
    td(60);
    arbre(taille * 2 / 3, niveau - 1);
    tg(30);
    re(taille);
}
arbre(80, 6);
