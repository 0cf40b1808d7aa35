// chargeur.c : les démonstrations de programmes à la manière du langage C.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('pgcd.c');
suite();
charge('premiers.c');
suite();
charge('binaire.c');
suite();
charge('fibonacci.c');
