lc(); fpos(-100, 0); bc();
fcc(12);
repete 5 { av(200); td(144); }
remplis();
