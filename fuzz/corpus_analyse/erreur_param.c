int somme(int a, int b) {
    return a + b;
}
