// Une spirale qui grandit
int spirale(longueur) {
    if (longueur > 200) return;
    av(longueur);
    td(91);
    spirale(longueur + 2);
}
ve();
spirale(1);
