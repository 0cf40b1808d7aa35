m = lismot();
ecris(mot(m, 'fin'), prem(m), der(m));
let(liste(a, 1), ecris(a));
n = -x + -5;
