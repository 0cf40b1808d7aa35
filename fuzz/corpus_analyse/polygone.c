int polygone(n, cote) {
    repete n {
        av(cote);
        td(360 / n);
    }
}
polygone(6, 50);
polygone(8, 30);
