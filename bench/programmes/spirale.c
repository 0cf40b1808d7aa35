ct();
i = 0;
repete 100000 { av(reste(i, 400)); td(91); i = i + 1; }
