x = random(100);
if (x < 50 && x != 7) tape('petit');
else if (x == 50 || x > 90) tape('extreme');
else tape('grand');
cond(liste(x, 1));
