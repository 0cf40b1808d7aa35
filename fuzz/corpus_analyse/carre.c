// Un carré de côté 100
repete 4 {
    av(100);
    td(90);
}
