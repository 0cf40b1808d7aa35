l = [av 10 td 90 [a b c] 'x' 3.5];
ecris(car(l), cadr(l), longueur(l));
m = mp('bonjour', l);
print(renverse(m));
