i = 0;
while (i < 10) {
    av(i * 3);
    td(36);
    i = i + 1;
}
do { re(5); i = i - 1; } while (i > 0);
for (j = 0; j < 5; j = j + 1) cercle(j * 10);
