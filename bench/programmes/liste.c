int construit(n) {
    l = [];
    k = 0;
    while (k < n) {
        l = mp(k, l);
        k = k + 1;
    }
    return l;
}
int total(c) {
    s = 0;
    r = c;
    while (consp(r)) {
        s = s + prem(r);
        r = sp(r);
    }
    return s;
}
l = construit(2000);
t = 0;
j = 0;
while (j < 200) {
    t = total(l);
    j = j + 1;
}
ecris(t);
