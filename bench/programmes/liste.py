# Une cellule est le couple (premier, suite) ; None est la liste vide.
def construit(n):
    l = None
    k = 0
    while k < n:
        l = (k, l)
        k = k + 1
    return l


def total(liste):
    s = 0
    r = liste
    while r is not None:
        s = s + r[0]
        r = r[1]
    return s


l = construit(2000)
t = 0
j = 0
while j < 200:
    t = total(l)
    j = j + 1
print(t)
