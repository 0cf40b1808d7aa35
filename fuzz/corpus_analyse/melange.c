int f() { return 'ok'; }
==(f(), 'ok');
x = y = (1 + 2) * (3 - 4) % 5;
if (x) if (y) ve(); else ct();
return;
