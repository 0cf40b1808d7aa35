répète 3 {
    av(50);
    td(120);
