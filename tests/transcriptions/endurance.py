#!/usr/bin/env python3
"""Épreuve d'endurance de « gelim --batch » : des milliers de commandes d'une
seule session (erreurs de syntaxe longues, listes, mots, charge, recycle, la
limite des 800 appels), une somme de contrôle des résultats, et la mémoire du
processus qui reste sous une borne.

    endurance.py GELIM [NOMBRE_DE_COMMANDES]
"""
import os
import random
import resource
import subprocess
import sys
import tempfile


def generer(n, hasard):
    """Les commandes, et ce que la session doit en dire."""
    commandes = ["int prof(n) { return prof(n + 1); }", "total = 0;", "compte = 0;"]
    attendu = {"total": 0, "compte": 0, "pile": 0, "syntaxe": 0, "recycle": 0}
    for _ in range(n):
        genre = hasard.choice(["liste", "mot", "syntaxe", "charge", "recycle", "pile", "nombre"])
        k = hasard.randint(1, 300)
        if genre == "liste":
            commandes.append(f"l = []; repete {k} {{ l = mp({k}, l); }} total = total + longueur(l);")
            attendu["total"] += k
        elif genre == "mot":
            commandes.append(f"w = 'a'; repete {k} {{ w = mot(w, 'b'); }} total = total + longueur(explose(w));")
            attendu["total"] += k + 1
        elif genre == "syntaxe":
            # Assez longue pour prendre des milliers de cellules à l'analyse.
            commandes.append("x = [" + "a " * hasard.randint(100, 4000) + "] ((;")
            attendu["syntaxe"] += 1
        elif genre == "charge":
            commandes.append("charge('ajoute.c');")
            attendu["compte"] += 1
        elif genre == "recycle":
            commandes.append("recycle();")
            attendu["recycle"] += 1
        elif genre == "pile":
            commandes.append("prof(1);")
            attendu["pile"] += 1
        else:
            commandes.append(f"total = total + {k};")
            attendu["total"] += k
    commandes += ["ecris(total);", "ecris(compte);"]
    return commandes, attendu


def main():
    gelim = os.path.abspath(sys.argv[1])
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    assaini = os.environ.get("GELIM_ASSAINI") == "1"
    # Le processus seul fait environ 60 Mo ; les assainisseurs en triplent la mémoire.
    borne_mo = 900 if assaini else 300
    commandes, attendu = generer(n, random.Random(13))
    erreurs = []
    with tempfile.TemporaryDirectory() as dossier:
        with open(os.path.join(dossier, "ajoute.c"), "w", encoding="utf-8") as f:
            f.write("compte = compte + 1;\n")
        with open(os.path.join(dossier, "commandes.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(commandes) + "\n")
        r = subprocess.run([gelim, "--batch", "--commands", "commandes.txt"], cwd=dossier, capture_output=True,
                           timeout=1100)
    memoire_mo = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
    sortie = r.stdout.decode("utf-8")
    journal = r.stderr.decode("utf-8")
    lignes = sortie.split("\n")
    if r.returncode != 0:
        erreurs.append(f"code de sortie {r.returncode}")
    fin = lignes[-5:-1]
    if fin != ["ecris(total);", f"{attendu['total']}  ", "ecris(compte);", f"{attendu['compte']}  "]:
        erreurs.append(f"somme de contrôle : {fin!r}, attendu total {attendu['total']}, compte {attendu['compte']}")
    comptes = {
        "pile": sortie.count("Dépassement de capacité dans la pile."),
        "syntaxe": sortie.count("Je ne comprends pas le programme au niveau de : "),
        "recycle": sortie.count("Voici le nombre de cellules encore disponibles : "),
    }
    for cle, vu in comptes.items():
        if vu != attendu[cle]:
            erreurs.append(f"{cle} : {vu} fois, attendu {attendu[cle]}")
    for signe in ("Dépassement de capacité dans les cellulles", "plus assez de cellules", "plus assez de mémoire"):
        if signe in sortie or signe in journal:
            erreurs.append(f"« {signe} » ne devait jamais paraître")
    if memoire_mo > borne_mo:
        erreurs.append(f"mémoire : {memoire_mo:.0f} Mo, borne {borne_mo} Mo")
    print(f"{len(commandes)} commandes, mémoire au plus {memoire_mo:.0f} Mo, total {attendu['total']}")
    if erreurs:
        print("ÉCHEC endurance")
        for e in erreurs:
            print(e)
        sys.exit(1)
    print("ok endurance")


if __name__ == "__main__":
    main()
