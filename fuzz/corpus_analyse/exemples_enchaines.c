// acces.lst : fabriquer une liste, et en prendre les morceaux.
// Ce que tu apprends : les primitives de base des listes.
//   prem(l)   le premier élément       der(l)   le dernier élément
//   sp(l)     sans le premier          sd(l)    sans le dernier
//   mp(x, l)  met x en premier         longueur(l)  le nombre d'éléments
//   nieme(n, l)  l'élément numéro n (on compte à partir de 0)

fruits = [pomme poire cerise abricot];
ecris([La liste :], fruits);
ecris([Premier :], prem(fruits), [dernier :], der(fruits));
ecris([Sans le premier :], sp(fruits));
ecris([Sans le dernier :], sd(fruits));
ecris([Nombre de fruits :], longueur(fruits));
ecris([Le fruit numero 2 :], nieme(2, fruits));

fruits = mp('kiwi', fruits);
ecris([Avec un kiwi devant :], fruits);
fruits = phrase(fruits, 'prune');
ecris([Avec une prune au bout :], fruits);

// Une liste peut contenir d'autres listes.
panier = [[pomme 3] [poire 5] [cerise 20]];
ecris([Deuxieme case du panier :], nieme(1, panier));
ecris([Nombre de poires :], cadr(nieme(1, panier)));

// Parcourir une liste : on traite le premier, puis on continue avec le reste.
encore = panier;
while (consp(encore)) {
    boite = prem(encore);
    ecris([Il y a], cadr(boite), prem(boite));
    encore = sp(encore);
}
// arbre.rec : un arbre qui pousse tout seul, grâce à la récursivité.
// Ce que tu apprends : une fonction qui s'appelle elle-même.
//
// Un arbre, c'est un tronc, puis deux arbres plus petits, l'un penché
// à gauche et l'autre à droite. Quand la profondeur n arrive à 0,
// on ne dessine plus rien : c'est la condition d'arrêt, sans elle
// la fonction s'appellerait sans fin.
// Chaque appel ramène la tortue là où il l'a prise : c'est indispensable.

int arbre(n, l) {
    if (n > 0) {
        fec(n);
        av(l);
        tg(25);
        arbre(n - 1, l * 0.75);
        td(50);
        arbre(n - 1, l * 0.75);
        tg(25);
        fec(n);
        re(l);
    }
}

lc();
fpos(0, -450);
bc();
fcc(252);       // un tronc brun foncé
arbre(9, 200);
// arcenciel.256 : un arc-en-ciel avec un crayon très épais.
// Ce que tu apprends : fec(n) fixe l'épaisseur du crayon,
// circle(x, y, r) dessine un cercle de centre (x, y) et de rayon r,
// et une liste peut contenir des numéros de couleurs.

// Rouge, orange, jaune, vert, bleu, indigo, violet.
couleurs = [240 23 237 241 242 211 139];
fec(22);
r = 400;
while (consp(couleurs)) {
    fcc(prem(couleurs));
    circle(0, -200, r);
    r = r - 22;
    couleurs = sp(couleurs);
}
// On efface la moitié basse des cercles avec un bloc blanc (couleur 0).
fcc(0);
bloc(-499, -201, 499, -499);
// Une ligne d'herbe verte.
fcc(241);
fec(6);
ligne(-490, -203, 490, -203);
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
// bonjour.ln : un petit dialogue avec l'ordinateur.
// Ce que tu apprends : lire un mot tapé au clavier avec lismot(),
// et un nombre avec lisnombre().
//
// Si on ferme la fenêtre de saisie sans rien taper, lismot rend faux :
// symbole?(x) permet de vérifier qu'on a bien reçu un mot.
// Dans une liste, évite l'apostrophe et le trait d'union collé à une lettre :
// ils ont un sens particulier pour Gelim. On écrit donc [Comment t appelles tu ?].

ecris([Bonjour ! Comment t appelles tu ?]);
prenom = lismot();
if (symbole?(prenom)) {
    ecris([Enchante], prenom, [!]);
    ecris([Quel age as tu ?]);
    age = lisnombre();
    if (nombre?(age)) {
        ecris([Dans dix ans tu auras], age + 10, [ans.]);
        if (age < 11) ecris([Tu es peut etre en primaire.]);
        else ecris([Tu es peut etre au college ou au lycee.]);
    } else {
        ecris([Je n ai pas compris ton age.]);
    }
} else {
    ecris([Tu ne veux pas me dire ton nom ? Tant pis !]);
}
// calculs.FDU : des fonctions qui calculent et rendent un résultat.
// Ce que tu apprends : « return expression; » rend la valeur à celui qui appelle.
// Une fonction qui rend un nombre s'utilise comme un nombre, dans une expression.
// Un nombre calculé s'affiche parfois avec six décimales : 27.000000, c'est 27.

int carre(x) {
    return x * x;
}

int cube(x) {
    return x * carre(x);
}

// L'aire d'un disque de rayon r : pi x r x r.
int aire_disque(r) {
    pi = 3.14159;
    return pi * carre(r);
}

// Le plus grand de trois nombres, avec une fonction qui en compare deux.
int plus_grand(a, b) {
    if (a > b) return a;
    return b;
}

int max3(a, b, c) {
    return plus_grand(plus_grand(a, b), c);
}

ecris([Le carre de 7 est], carre(7));
ecris([Le cube de 3 est], cube(3));
ecris([Un disque de rayon 10 a pour aire], aire_disque(10));
ecris([Le plus grand de 4 9 et 2 est], max3(4, 9, 2));
// carre.gra : dessiner un carré, puis une famille de carrés.
// Ce que tu apprends : avancer (av), tourner à droite (td), répéter (repete),
// lever et baisser le crayon (lc, bc), utiliser une variable (cote).

// Un carré, c'est 4 fois la même chose : avancer d'un côté,
// puis tourner d'un quart de tour, c'est-à-dire de 90 degrés.
fec(2);
repete 4 {
    av(150);
    td(90);
}

// On lève le crayon pour aller plus loin sans laisser de trace.
lc();
tg(90);
av(300);
td(90);
bc();

// Des carrés de plus en plus grands, qui partent tous du même coin.
// La variable cote grandit de 20 pixels à chaque tour.
cote = 20;
repete 8 {
    repete 4 {
        av(cote);
        td(90);
    }
    cote = cote + 20;
}
// chargeur.256 : les démonstrations des dessins en 256 couleurs.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('palette.256');
suite();
charge('arcenciel.256');
suite();
charge('soleil.256');
suite();
charge('vitrail.256');
suite();
charge('galerie.256');
// chargeur.3D : les démonstrations de dessins en 3 dimensions.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('cube.3D');
suite();
charge('pyramide.3D');
suite();
charge('escalier.3D');
suite();
charge('rotation.3D');
// chargeur.FDU : les démonstrations de fonctions (procédures).
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('calculs.FDU');
suite();
charge('drapeaux.FDU');
suite();
charge('fleur.FDU');
suite();
charge('maisons.FDU');
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
// chargeur.don : les démonstrations sur les variables et l'affectation.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('variables.don');
suite();
charge('echange.don');
suite();
charge('tirelire.don');
suite();
charge('spirale.don');
// chargeur.gra : les démonstrations de graphisme, l'une après l'autre.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('carre.gra');
suite();
charge('polygones.gra');
suite();
charge('etoiles.gra');
suite();
charge('maison.gra');
suite();
charge('rosace.gra');
// chargeur.ite : les démonstrations des boucles.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('tantque.ite');
suite();
charge('faire.ite');
suite();
charge('pour.ite');
suite();
charge('repete.ite');
// chargeur.jeu : les jeux au clavier, l'un après l'autre.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Chaque jeu s'arrête quand on appuie sur une touche qu'il n'attend pas.

charge('pilote.jeu');
charge('peintre.jeu');
charge('pierre.jeu');
charge('cible.jeu');
// chargeur.ln : les démonstrations sur le langage naturel (les mots et les phrases).
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('pluriel.ln');
suite();
charge('phrases.ln');
suite();
charge('conjugue.ln');
suite();
charge('bonjour.ln');
// chargeur.lst : les démonstrations sur les listes.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('acces.lst');
suite();
charge('renverse.lst');
suite();
charge('tri.lst');
suite();
charge('ensembles.lst');
// chargeur.mus : les démonstrations de musique.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('frere.mus');
suite();
charge('sirene.mus');
suite();
charge('hasard.mus');
suite();
charge('gamme.mus');
// chargeur.num : les démonstrations sur les nombres.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('devine.num');
suite();
charge('heron.num');
suite();
charge('parfaits.num');
suite();
charge('syracuse.num');
suite();
charge('courbes.num');
// chargeur.per : les démonstrations de dessins en perspective.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('route.per');
suite();
charge('poteaux.per');
suite();
charge('couloir.per');
suite();
charge('damier.per');
// chargeur.rec : les démonstrations de fonctions récursives.
// charge('nom') vide l'écran, puis exécute le programme de ce fichier.
// Entre deux démonstrations, appuie sur une touche dans la fenêtre graphique.

int suite() {
    ecris([Appuie sur une touche pour voir la suite]);
    getchar();
}

charge('hanoi.rec');
suite();
charge('sierpinski.rec');
suite();
charge('flocon.rec');
suite();
charge('arbre.rec');
// cible.jeu : amène la tortue au centre de la cible.
// Ce que tu apprends : calculer une distance avec le théorème de Pythagore,
// et sortir d'une boucle quand le but est atteint.
//
// La cible est placée au hasard. Flèches : la tortue fait un pas de 20
// dans la direction de la flèche. Une autre touche arrête le jeu.

cx = random(600) - 300;
cy = random(600) - 300;
// Le terrain de jeu, puis la cible : trois cercles autour du point (cx, cy).
fec(4);
fcc(253);
rectangle(-450, 450, 450, -450);
fec(3);
fcc(240);
circle(cx, cy, 60);
circle(cx, cy, 40);
circle(cx, cy, 20);
fcc(242);
fec(2);
nbpas = 0;
ecris([Amene la tortue dans le cercle rouge avec les fleches.]);
encore = true;
while (encore) {
    t = getchar();
    if (eq(t, 'touchehaut')) fcap(0);
    else if (eq(t, 'touchedroite')) fcap(90);
    else if (eq(t, 'touchebas')) fcap(180);
    else if (eq(t, 'touchegauche')) fcap(270);
    else encore = false;
    if (encore) {
        av(20);
        nbpas = nbpas + 1;
        // La distance au centre, au carré : dx x dx + dy x dy.
        dx = abscisse() - cx;
        dy = ordonnee() - cy;
        if ((puissance2(dx) + puissance2(dy)) < 1600) {
            ecris([Gagne en], nbpas, [pas !]);
            encore = false;
        }
    }
}
// conjugue.ln : conjuguer un verbe du premier groupe au présent.
// Ce que tu apprends : travailler sur les mots comme sur des listes de lettres.
//   sd(m)  le mot m sans sa dernière lettre
//   mot(a, b)  le mot fait de a suivi de b
//
// Un verbe du premier groupe finit par « er » : on enlève ces deux lettres
// pour trouver le radical (chanter donne chant), puis on ajoute les terminaisons.
// (Les lettres é et è sont lues comme un e : écrire « preferer » ou « préférer »
// donne le même mot.)

int conjugue(verbe) {
    radical = sd(sd(verbe));
    pronoms = [je tu il nous vous ils];
    fins = [e es e ons ez ent];
    while (consp(pronoms)) {
        ecris(prem(pronoms), mot(radical, prem(fins)));
        pronoms = sp(pronoms);
        fins = sp(fins);
    }
}

ecris([Le verbe chanter :]);
conjugue('chanter');
ecris([Le verbe danser :]);
conjugue('danser');

// À toi : tape un verbe du premier groupe quand Gelim te le demande.
// (Attention : avec manger, la machine écrit « nous mangons »,
// alors qu'on écrit « nous mangeons ». La règle a ses exceptions !)
v = lismot();
if (symbole?(v)) {
    ecris([Le verbe], v, [:]);
    conjugue(v);
}
// couloir.per : un long couloir avec des portes, vu depuis l'entrée.
// Ce que tu apprends : la perspective à un point de fuite au centre.
// Les cadres du couloir sont des rectangles de même taille réelle :
// sur le dessin, chacun est plus petit que le précédent.

// Le cadre du couloir à la distance d : un rectangle centré, de taille 450 / d.
int cadre(d) {
    c = 450 / d;
    rectangle(0 - c, c, c, 0 - c);
}

// Les 4 lignes de fuite, des coins du dessin jusqu'au fond du couloir.
fec(2);
ligne(-450, 450, -50, 50);
ligne(450, 450, 50, 50);
ligne(-450, -450, -50, -50);
ligne(450, -450, 50, -50);

// Les cadres, de plus en plus petits et de plus en plus serrés.
fec(1);
for (d = 1; d < 10; d = d + 1) {
    cadre(d);
}

// Une porte sur le mur de gauche, entre les distances 2 et 3.
// Le bas et le haut de la porte suivent les lignes de fuite.
fec(3);
fcc(252);
ligne(-225, -225, -225, 90);
ligne(-150, -150, -150, 60);
ligne(-225, 90, -150, 60);
// Une porte sur le mur de droite, entre les distances 3 et 5.
ligne(150, -150, 150, 60);
ligne(90, -90, 90, 36);
ligne(150, 60, 90, 36);
// Le fond du couloir, peint en jaune.
fcc(237);
lc();
fpos(0, 0);
remplis();
ct();
// courbes.num : tracer les courbes des fonctions sinus et cosinus.
// Ce que tu apprends : calculer des points et les relier avec fpos.
// sin et cos prennent un angle en degrés et rendent un nombre entre -1 et 1.

// Les axes.
ligne(-490, 0, 490, 0);
ligne(0, -300, 0, 300);

// Une courbe : x va de -450 à 450 ; l'angle vaut x degrés.
int courbe(sinus) {
    x = -450;
    lc();
    repete 181 {
        if (sinus) y = sin(x);
        else y = cos(x);
        fpos(x, y * 200);
        bc();
        x = x + 5;
    }
    lc();
}

fec(3);
fcc(240);
courbe(true);
fcc(242);
courbe(false);
ct();
// cube.3D : un cube en perspective cavalière.
// Ce que tu apprends : représenter un objet en 3 dimensions sur une feuille plate.
//
// En perspective cavalière, la face de devant est dessinée telle quelle,
// et la profondeur est dessinée en biais : chaque point du fond est décalé
// de (px, py) par rapport au point correspondant de devant.
// Les arêtes cachées sont tracées en gris clair.

px = 90;
py = 60;

// Un carré de côté c dont le coin en bas à gauche est (x, y).
int carre_en(x, y, c) {
    ligne(x, y, x + c, y);
    ligne(x + c, y, x + c, y + c);
    ligne(x + c, y + c, x, y + c);
    ligne(x, y + c, x, y);
}

// Un cube de côté c dont le coin de devant en bas à gauche est (x, y).
int cube(x, y, c) {
    // Les 3 arêtes cachées, en gris.
    fcc(243);
    ligne(x, y, x + px, y + py);
    ligne(x + px, y + py, x + px + c, y + py);
    ligne(x + px, y + py, x + px, y + py + c);
    // La face de devant et la face du fond.
    fcc(255);
    carre_en(x, y, c);
    ligne(x + px + c, y + py, x + px + c, y + py + c);
    ligne(x + px + c, y + py + c, x + px, y + py + c);
    // Les arêtes de profondeur visibles.
    ligne(x + c, y, x + c + px, y + py);
    ligne(x + c, y + c, x + c + px, y + c + py);
    ligne(x, y + c, x + px, y + c + py);
}

fec(3);
cube(-400, 50, 200);
cube(50, 50, 250);
// Un petit cube, en bas, avec une profondeur plus courte.
px = 45;
py = 30;
cube(-300, -350, 120);
// damier.per : un carrelage noir et blanc vu en perspective.
// Ce que tu apprends : les lignes qui s'éloignent vont toutes au point de fuite,
// et les rangées de carreaux se resserrent quand elles s'éloignent.
//
// La rangée de carreaux à la distance d est dessinée à la hauteur hy - (k / d) :
// plus d est grand, plus elle est proche de l'horizon hy.

hy = 250;        // l'horizon
k = 2000;

// La hauteur, sur le dessin, de la rangée à la distance d.
int hauteur(d) {
    h = k / d;
    return hy - h;
}

// Les lignes de fuite : 9 lignes qui partent du bas et vont au point (0, hy).
fec(2);
for (i = -4; i < 5; i = i + 1) {
    ligne(i * 200, -499, 0, hy);
}
// Les rangées : des lignes horizontales de plus en plus serrées.
for (d = 3; d < 19; d = d + 1) {
    y = hauteur(d);
    ligne(-499, y, 499, y);
}

// On noircit un carreau sur deux avec remplis, au milieu de chaque carreau.
// À la hauteur y, la ligne de fuite qui part du bas en xb passe en
// xb * (hy - y) / (hy + 499) : c'est ce que calcule la fonction fuite.
int fuite(xb, y) {
    xf = xb * (hy - y);
    return xf / (hy + 499);
}

lc();
fcc(255);
for (d = 3; d < 18; d = d + 1) {
    y = hauteur(d + 0.5);
    for (i = -4; i < 4; i = i + 1) {
        if ((i + d) % 2 == 0) {
            fpos(fuite((i * 200) + 100, y), y);
            remplis();
        }
    }
}
ct();
// devine.num : le jeu du nombre mystère.
// Ce que tu apprends : lire un nombre tapé au clavier (lisnombre),
// comparer, et compter les essais.
//
// L'ordinateur choisit un nombre entre 1 et 100 ; à toi de le trouver.
// Il te dit « trop grand » ou « trop petit ». Avec une bonne méthode
// (couper l'intervalle en deux à chaque fois), 7 essais suffisent toujours.

secret = random(100);
secret = secret + 1;
essais = 0;
trouve = false;
ecris([J ai choisi un nombre entre 1 et 100. Devine lequel !]);
do {
    n = lisnombre();
    if (nombre?(n)) {
        essais = essais + 1;
        if (n == secret) {
            ecris([Bravo ! C est bien], secret, [trouve en], essais, [essais.]);
            trouve = true;
        } else {
            if (n < secret) ecris(n, [est trop petit.]);
            else ecris(n, [est trop grand.]);
        }
    } else {
        if (eq(n, false)) {
            // Fenêtre fermée sans réponse (lisnombre rend false) : on arrête le jeu.
            ecris([Tu abandonnes ? Le nombre etait], secret);
            trouve = true;
        } else {
            ecris([Tape un nombre entre 1 et 100.]);
        }
    }
} while (!(trouve));
// drapeaux.FDU : des drapeaux à trois bandes, avec une seule fonction.
// Ce que tu apprends : donner des couleurs en paramètres à une fonction.

// Un drapeau à trois bandes verticales de couleurs c1, c2, c3,
// dont le coin en haut à gauche est (x, y).
int drapeau(x, y, c1, c2, c3) {
    fcc(c1);
    bloc(x, y, x + 100, y - 200);
    fcc(c2);
    bloc(x + 100, y, x + 200, y - 200);
    fcc(c3);
    bloc(x + 200, y, x + 300, y - 200);
    // Le contour noir.
    fcc(255);
    rectangle(x, y, x + 300, y - 200);
}

// Bleu, blanc, rouge.
drapeau(-420, 420, 242, 0, 240);
// Vert, blanc, rouge.
drapeau(60, 420, 253, 0, 240);
// Bleu, jaune, rouge.
drapeau(-420, 120, 254, 237, 240);
// Noir, jaune, rouge.
drapeau(60, 120, 255, 237, 247);
// echange.don : échanger le contenu de deux variables.
// Ce que tu apprends : pourquoi il faut une troisième variable.
//
// Si on écrit « a = b; b = a; », l'ancienne valeur de a est perdue :
// les deux variables finissent avec la même valeur. On range donc
// d'abord a dans une variable de côté, appelée ici « cote ».

a = 'pomme';
b = 'poire';
ecris([Avant : a contient], a, [et b contient], b);

cote = a;
a = b;
b = cote;
ecris([Apres : a contient], a, [et b contient], b);

// La même chose avec des nombres : on trie deux nombres dans l'ordre.
x = 42;
y = 17;
if (x > y) {
    cote = x;
    x = y;
    y = cote;
}
ecris([Dans l ordre :], x, y);
// ensembles.lst : des listes utilisées comme des ensembles.
// Ce que tu apprends : tester si un élément est dans une liste (membre?),
// et écrire l'union et l'intersection de deux ensembles.

int union(a, b) {
    if (vide?(a)) return b;
    if (membre?(prem(a), b)) return union(sp(a), b);
    return mp(prem(a), union(sp(a), b));
}

int inter(a, b) {
    if (vide?(a)) return [];
    if (membre?(prem(a), b)) return mp(prem(a), inter(sp(a), b));
    return inter(sp(a), b);
}

sport = [Lea Hugo Sami Ines];
musique = [Ines Tom Lea Zoe];
ecris([Font du sport :], sport);
ecris([Font de la musique :], musique);
ecris([Font du sport ou de la musique :], union(sport, musique));
ecris([Font les deux :], inter(sport, musique));
if (membre?('Tom', sport)) ecris([Tom fait du sport]);
else ecris([Tom ne fait pas de sport]);
// escalier.3D : un escalier de boîtes en perspective cavalière.
// Ce que tu apprends : dessiner une boîte (un pavé) avec trois faces
// de couleurs différentes pour donner l'impression du relief.
//
// Chaque marche est une boîte de largeur l, de hauteur h et de profondeur p.
// La profondeur est dessinée en biais : p / 2 vers la droite et p / 2 vers le haut.

// Une face à 4 sommets.
int face(x1, y1, x2, y2, x3, y3, x4, y4) {
    ligne(x1, y1, x2, y2);
    ligne(x2, y2, x3, y3);
    ligne(x3, y3, x4, y4);
    ligne(x4, y4, x1, y1);
}

// Remplit la zone blanche qui contient le point (x, y) avec la couleur c.
int peins(x, y, c) {
    lc();
    fpos(x, y);
    fcc(c);
    remplis();
    fcc(255);
}

// La boîte dont le coin de devant en bas à gauche est (x, y).
// La face de devant est peinte pleine avec bloc : elle cache ce qui est derrière.
int boite(x, y, l, h, p) {
    q = p / 2;
    fcc(80);
    bloc(x, y, x + l, y + h);
    fcc(255);
    face(x, y, x + l, y, x + l, y + h, x, y + h);
    face(x, y + h, x + l, y + h, x + l + q, y + h + q, x + q, y + h + q);
    face(x + l, y, x + l + q, y + q, x + l + q, y + h + q, x + l, y + h);
    peins(x + 10, y + h + 4, 36);
    peins(x + l + 4, y + 10, 215);
}

// On dessine de gauche à droite : chaque marche cache le côté de la précédente.
fec(2);
boite(-400, -350, 160, 80, 120);
boite(-240, -350, 160, 160, 120);
boite(-80, -350, 160, 240, 120);
boite(80, -350, 160, 320, 120);
ct();
// etoiles.gra : des étoiles à 5, 7 et 9 branches.
// Ce que tu apprends : l'angle qui fait une étoile.
//
// Pour une étoile à 5 branches, la tortue tourne de 144 degrés à chaque pointe.
// Pourquoi 144 ? Parce qu'en dessinant l'étoile elle fait 2 tours complets :
// 2 x 360 = 720 degrés, partagés en 5 pointes : 720 / 5 = 144.
// Pour n branches (n impair), l'angle est 180 - 180 / n.

int etoile(n, taille) {
    angle = 180 / n;
    angle = 180 - angle;
    repete n {
        av(taille);
        td(angle);
    }
}

// Va au point (x, y) sans tracer, la tête vers le haut.
int va(x, y) {
    lc();
    fpos(x, y);
    fcap(0);
    bc();
}

va(-400, 150);
etoile(5, 200);
va(-50, 150);
fcc(240);        // crayon rouge
etoile(7, 200);
va(300, 150);
fcc(242);        // crayon bleu
etoile(9, 180);

// Une étoile qui tourne : 12 étoiles à 5 branches autour d'un même point.
fcc(255);        // crayon noir
va(0, -250);
repete 12 {
    etoile(5, 150);
    td(30);
}
// faire.ite : la boucle « do instruction while (condition); ».
// Ce que tu apprends : une boucle dont le corps est fait au moins une fois,
// car la condition n'est testée qu'à la fin de chaque tour.

// On ajoute 1 + 2 + 3 + ... jusqu'à dépasser 100.
total = 0;
k = 0;
do {
    k = k + 1;
    total = total + k;
} while (total < 101);
ecris([1 + 2 + ... +], k, [donne], total);

// Un tracé en zigzag : on recommence tant que la tortue n'a pas atteint le bord droit.
lc();
fpos(-450, 0);
fcap(45);
bc();
fec(3);
do {
    av(70);
    td(90);
    av(70);
    tg(90);
} while (abscisse() < 400);
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
// fleur.FDU : une fleur faite de pétales, un pétale fait de deux arcs.
// Ce que tu apprends : construire une figure compliquée avec des fonctions
// simples, chacune avec un nom qui dit ce qu'elle fait.

// Un arc : la tortue avance un peu et tourne un peu, plusieurs fois.
int arc(pas, degres) {
    repete degres {
        av(pas);
        td(1);
    }
}

// Un pétale : deux arcs de 60 degrés, avec un demi-tour partiel entre eux.
int petale(taille) {
    repete 2 {
        arc(taille, 60);
        td(120);
    }
}

// Une fleur : n pétales régulièrement répartis autour du centre.
int fleur(n, taille) {
    repete n {
        petale(taille);
        td(360 / n);
    }
}

// La tige.
lc();
fpos(0, -450);
bc();
fcc(253);
fec(5);
av(350);
// La fleur, au bout de la tige.
fec(2);
fcc(238);
fleur(12, 4);
// Le coeur de la fleur : un petit cercle tracé avec un crayon très épais
// devient un disque plein.
fcc(237);
fec(24);
cercle(12);
// flocon.rec : le flocon de neige de von Koch.
// Ce que tu apprends : une figure récursive qui se répète dans ses détails.
//
// Pour tracer un côté de niveau n : on trace 4 côtés de niveau n - 1,
// trois fois plus courts, en tournant de 60, -120 et 60 degrés.
// Au niveau 0, un côté est un simple trait.

int segment(n, l) {
    if (n == 0) {
        av(l);
    } else {
        segment(n - 1, l / 3);
        tg(60);
        segment(n - 1, l / 3);
        td(120);
        segment(n - 1, l / 3);
        tg(60);
        segment(n - 1, l / 3);
    }
}

// Le flocon : 3 côtés, avec un virage de 120 degrés entre chaque.
int flocon(n, l) {
    repete 3 {
        segment(n, l);
        td(120);
    }
}

lc();
fpos(-300, 170);
fcap(90);
bc();
fcc(242);
flocon(4, 600);
// frere.mus : « Frère Jacques », note après note.
// Ce que tu apprends : ranger une mélodie dans une liste de listes.
// Chaque note est une petite liste [fréquence durée] :
// prem(note) donne la fréquence et cadr(note) la durée.

// Les durées : 400 pour une noire, 800 pour une blanche, 200 pour une croche.

// Joue toutes les notes d'une liste.
int joue_air(air) {
    while (consp(air)) {
        note = prem(air);
        bipfd(prem(note), cadr(note));
        air = sp(air);
    }
}

// Chaque morceau se joue deux fois.
frere = [[262 400] [294 400] [330 400] [262 400]];
dormez = [[330 400] [349 400] [392 800]];
sonnez = [[392 200] [440 200] [392 200] [349 200] [330 400] [262 400]];
dingdang = [[262 400] [196 400] [262 800]];

repete 2 { joue_air(frere); }
repete 2 { joue_air(dormez); }
repete 2 { joue_air(sonnez); }
repete 2 { joue_air(dingdang); }
ecris([Et voila Frere Jacques !]);
// galerie.256 : une galerie de tableaux.
// Ce que tu apprends : affichebitmap('nom', x, y) montre une image (un fichier
// .gif ou .bmp) centrée sur le point (x, y) ; fcf(n) peint tout le fond
// de la couleur n ; montre(x) écrit x dans la fenêtre graphique, là où
// fcurs(x, y) a placé le curseur de texte (une liste s'y écrit entre crochets).
// Les images tortue.gif et carreaux.bmp sont rangées avec les exemples.

// Un mur couleur sable.
fcf(59);

// Un cadre doré de largeur l et de hauteur h autour du point (x, y).
int cadre(x, y, l, h) {
    fcc(244);
    fec(12);
    rectangle(x - (l / 2), y + (h / 2), x + (l / 2), y - (h / 2));
    fec(1);
}

affichebitmap('tortue.gif', -220, 100);
cadre(-220, 100, 150, 150);
affichebitmap('carreaux.bmp', 220, 100);
cadre(220, 100, 190, 150);

// Les étiquettes sous les tableaux.
fcc(255);
fcurs(-270, -20);
montre('Tortue');
fcurs(160, -20);
montre('Carreaux');
// gamme.mus : la gamme de do majeur, jouée et dessinée.
// Ce que tu apprends : bipfd(frequence, duree) joue un son ;
// la fréquence est en hertz (plus elle est grande, plus le son est aigu),
// la durée en millisecondes (1000 millisecondes font une seconde).
//
// do = 262, ré = 294, mi = 330, fa = 349, sol = 392, la = 440, si = 494, do = 523.

gamme = [262 294 330 349 392 440 494 523];

// On monte la gamme, et on dessine une barre par note :
// plus la note est aiguë, plus la barre est haute.
x = -400;
notes = gamme;
while (consp(notes)) {
    f = prem(notes);
    bipfd(f, 300);
    fcc(235);
    bloc(x, -400, x + 80, f - 400);
    x = x + 100;
    notes = sp(notes);
}

// Puis on la redescend, plus vite.
notes = renverse(gamme);
while (consp(notes)) {
    bipfd(prem(notes), 150);
    notes = sp(notes);
}
// hanoi.rec : les tours de Hanoï.
// Ce que tu apprends : la récursivité pour résoudre un problème.
//
// On veut déplacer une pile de n disques du piquet « depart » vers le piquet
// « arrivee », un disque à la fois, sans jamais poser un grand disque sur
// un petit. L'idée : on déplace d'abord les n - 1 disques du dessus sur le
// piquet « autre », puis le grand disque, puis les n - 1 disques par-dessus.

coups = 0;

int hanoi(n, depart, arrivee, autre) {
    if (n > 0) {
        hanoi(n - 1, depart, autre, arrivee);
        coups = coups + 1;
        ecris([Deplace le disque], n, [de], depart, [vers], arrivee);
        hanoi(n - 1, autre, arrivee, depart);
    }
}

hanoi(4, 'gauche', 'droite', 'milieu');
ecris([Nombre de coups :], coups);

// On dessine les trois piquets et la pile de 4 disques, rangée à droite.
fec(6);
ligne(-450, -300, 450, -300);
ligne(-300, -300, -300, 0);
ligne(0, -300, 0, 0);
ligne(300, -300, 300, 0);
fcc(240);
for (d = 4; d > 0; d = d - 1) {
    bas = 4 - d;
    bas = bas * 50;
    bas = bas - 296;
    bloc(300 - (d * 30), bas, 300 + (d * 30), bas + 44);
}
// hasard.mus : une mélodie inventée par le hasard.
// Ce que tu apprends : choisir au hasard dans une liste de notes.
// On n'utilise que 5 notes (do, ré, mi, sol, la) : elles vont toujours
// bien ensemble, la mélodie sonne donc toujours juste.

notes = [262 294 330 392 440];
durees = [200 200 400 400 800];

// Une portée de 5 lignes pour écrire la mélodie.
for (k = 0; k < 5; k = k + 1) {
    ligne(-480, (k * 40) - 80, 480, (k * 40) - 80);
}

x = -440;
repete 16 {
    i = random(5);
    f = nieme(i, notes);
    d = nieme(random(5), durees);
    bipfd(f, d);
    // La note dessinée : plus elle est aiguë, plus elle est haute.
    // Un petit cercle tracé avec un crayon très épais donne un disque plein.
    fec(16);
    circle(x, (i * 30) - 80, 8);
    fec(1);
    x = x + 56;
}
// heron.num : calculer une racine carrée à la main, par la méthode de Héron.
// Ce que tu apprends : une approximation qui s'améliore à chaque tour.
//
// Pour trouver la racine carrée de a, on part d'une valeur x quelconque,
// puis on remplace x par la moyenne de x et de a / x.
// Après quelques tours, x ne bouge presque plus : c'est la racine.

int heron(a, tours) {
    x = a;
    repete tours {
        x = x + (a / x);
        x = x / 2;
        ecris([  valeur approchee :], x);
    }
    return x;
}

ecris([Racine carree de 2 par la methode de Heron :]);
r = heron(2, 5);
ecris([La primitive racine donne], racine(2));
ecris([Racine carree de 1000 :]);
r = heron(1000, 8);
ecris([La primitive racine donne], racine(1000));
// maison.gra : une maison avec son toit, sa porte, ses fenêtres et sa cheminée.
// Ce que tu apprends : découper un dessin en petites fonctions.

// Un rectangle de largeur l et de hauteur h, dessiné à partir du coin en bas à gauche.
int rect(l, h) {
    repete 2 {
        av(h);
        td(90);
        av(l);
        td(90);
    }
}

// Un triangle équilatéral : 3 côtés, on tourne de 120 degrés.
int triangle(c) {
    repete 3 {
        av(c);
        td(120);
    }
}

// Aller au point (x, y) sans tracer, la tête vers le haut.
int va(x, y) {
    lc();
    fpos(x, y);
    fcap(0);
    bc();
}

// Les murs.
va(-200, -250);
rect(400, 300);
// Le toit : on part du coin en haut à gauche et on tourne vers la droite.
va(-200, 50);
td(30);
triangle(400);
// La porte.
va(-50, -250);
rect(100, 160);
// Deux fenêtres.
va(-160, -80);
rect(80, 80);
va(80, -80);
rect(80, 80);
// La cheminée (un rectangle posé sur le toit).
va(100, 80);
rect(40, 140);
// maisons.FDU : un village, avec une seule fonction « maison ».
// Ce que tu apprends : une fonction avec plusieurs paramètres, appelée
// plusieurs fois avec des valeurs différentes ; une fonction qui en appelle une autre.

// Un rectangle plein de la couleur c, de coin en bas à gauche (x, y).
int mur(x, y, l, h, c) {
    fcc(c);
    bloc(x, y, x + l, y + h);
    fcc(255);
    rectangle(x, y, x + l, y + h);
}

// Un toit en triangle posé sur le mur : on trace ses deux pentes.
int toit(x, y, l) {
    fcc(247);
    fec(3);
    ligne(x, y, x + (l / 2), y + (l / 2));
    ligne(x + (l / 2), y + (l / 2), x + l, y);
    fec(1);
}

// Une maison de taille t (la largeur) et de couleur c, posée en (x, y).
int maison(x, y, t, c) {
    mur(x, y, t, t * 0.8, c);
    toit(x, y + (t * 0.8), t);
    // La porte, au milieu, et une fenêtre de chaque côté.
    mur(x + (t * 0.4), y, t * 0.2, t * 0.35, 252);
    mur(x + (t * 0.1), y + (t * 0.45), t * 0.2, t * 0.2, 216);
    mur(x + (t * 0.7), y + (t * 0.45), t * 0.2, t * 0.2, 216);
}

// Le sol.
fcc(253);
fec(4);
ligne(-499, -300, 499, -300);
fec(1);
// Le village : quatre maisons de tailles et de couleurs différentes.
maison(-450, -298, 200, 35);
maison(-200, -298, 150, 237);
maison(0, -298, 250, 36);
maison(300, -298, 120, 80);
// palette.256 : les 256 couleurs du crayon, en 16 rangées de 16 cases.
// Ce que tu apprends : fcc(n) choisit la couleur numéro n (de 0 à 255),
// bloc(x1, y1, x2, y2) peint un rectangle plein de la couleur du crayon.
//
// La case en haut à gauche est la couleur 0 (le blanc), la case en bas
// à droite la couleur 255 (le noir). Les couleurs 240, 241 et 242 sont
// le rouge, le vert et le bleu purs.

n = 0;
for (rangee = 0; rangee < 16; rangee = rangee + 1) {
    for (colonne = 0; colonne < 16; colonne = colonne + 1) {
        x = colonne * 55;
        x = x - 440;
        y = rangee * 55;
        y = 440 - y;
        fcc(n);
        bloc(x, y, x + 50, y - 50);
        n = n + 1;
    }
}
// Un cadre noir autour de la case blanche, pour qu'on la voie.
fcc(255);
rectangle(-441, 441, -389, 389);
// parfaits.num : les nombres parfaits.
// Ce que tu apprends : chercher des diviseurs avec le reste de la division.
//
// Un nombre est parfait s'il est égal à la somme de ses diviseurs
// plus petits que lui. Exemple : 6 = 1 + 2 + 3.

// La somme des diviseurs de n plus petits que n.
// Un diviseur plus petit que n ne dépasse jamais la moitié de n :
// on s'arrête donc à la moitié, c'est deux fois plus rapide.
int diviseurs(n) {
    s = 0;
    moitie = n / 2;
    for (d = 1; d <= moitie; d = d + 1) {
        if (n % d == 0) s = s + d;
    }
    return s;
}

for (k = 2; k < 500; k = k + 1) {
    if (diviseurs(k) == k) ecris(k, [est un nombre parfait]);
}
ecris([Les diviseurs de 28 font], diviseurs(28));
// peintre.jeu : dessine avec les flèches, change de couleur avec la barre d'espace.
// Ce que tu apprends : fixecap (fcap) oriente la tortue dans une direction
// précise : 0 vers le haut, 90 vers la droite, 180 vers le bas, 270 vers la gauche.
//
// Clique d'abord dans la fenêtre graphique. Une autre touche arrête le dessin.

couleurs = [240 23 237 241 242 139 255];
choix = couleurs;
fec(5);
fcc(prem(choix));
ecris([Fleches pour dessiner. Espace pour changer de couleur.]);
encore = true;
while (encore) {
    t = getchar();
    if (eq(t, 'touchehaut')) { fcap(0); av(25); }
    else if (eq(t, 'touchedroite')) { fcap(90); av(25); }
    else if (eq(t, 'touchebas')) { fcap(180); av(25); }
    else if (eq(t, 'touchegauche')) { fcap(270); av(25); }
    else if (eq(t, 'toucheespace')) {
        // La couleur suivante ; après la dernière, on revient à la première.
        choix = sp(choix);
        if (vide?(choix)) choix = couleurs;
        fcc(prem(choix));
    }
    else encore = false;
}
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
// phrases.ln : une machine à fabriquer des phrases au hasard.
// Ce que tu apprends : choisir un élément au hasard dans une liste,
// et coller des listes avec phrase.

sujets = [[le chat] [ma soeur] [un pirate] [la maitresse] [le robot]];
verbes = [mange regarde dessine attrape chatouille];
objets = [[une pomme] [la lune] [un dragon] [des spaghettis] [le tableau]];

// Un élément au hasard de la liste l.
int auhasard(l) {
    return nieme(random(longueur(l)), l);
}

repete 6 {
    p = phrase(auhasard(sujets), auhasard(verbes));
    p = phrase(p, auhasard(objets));
    ecris(p);
}
// pierre.jeu : pierre, feuille, ciseaux contre l'ordinateur.
// Ce que tu apprends : comparer des mots avec eq, choisir au hasard,
// et écrire une fonction qui rend vrai ou faux.
//
// Tape p (pierre), f (feuille) ou c (ciseaux). La pierre casse les ciseaux,
// les ciseaux coupent la feuille, la feuille e