#!/usr/bin/env python3
"""Compare Gelim, UCBLogo et CPython sur les mêmes programmes.

Chaque temps est du temps processeur (utilisateur + système, enfants compris),
moins sensible à la charge de la machine que le temps écoulé, et net du
démarrage : le meilleur de N essais du programme, moins le meilleur de N essais
d'un programme vide du même système.
Usage : python3 bench/comparer.py CHEMIN/VERS/gelim [N]
"""
import os
import shutil
import subprocess
import sys
import time  # noqa: F401

ICI = os.path.join(os.path.dirname(os.path.abspath(__file__)), "programmes")


def meilleur(commande, n):
    temps = []
    for _ in range(n):
        p = subprocess.Popen(commande, cwd=ICI, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        _, _, usage = os.wait4(p.pid, 0)
        temps.append(usage.ru_utime + usage.ru_stime)
    return min(temps)


def main():
    gelim = os.path.abspath(sys.argv[1])
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    systemes = {
        "Gelim": lambda p: [gelim, "--batch", p + ".c"],
        "CPython": lambda p: [sys.executable, p + ".py"],
    }
    if shutil.which("ucblogo") and shutil.which("xvfb-run"):
        systemes["UCBLogo"] = lambda p: ["xvfb-run", "-a", "ucblogo", p + ".lg"]
    resultats = {}
    for nom, commande in systemes.items():
        essais = 1 if nom == "UCBLogo" else n  # UCBLogo met des minutes sur la boucle
        vide = meilleur(commande("vide"), essais)
        for prog in ("fib", "boucle"):
            resultats[(nom, prog)] = max(meilleur(commande(prog), essais) - vide, 1e-4)
    print(f"{'programme':<10} " + " ".join(f"{s:>10}" for s in systemes))
    for prog in ("fib", "boucle"):
        print(f"{prog:<10} " + " ".join(f"{resultats[(s, prog)] * 1000:>8.1f}ms" for s in systemes))
    for prog in ("fib", "boucle"):
        g = resultats[("Gelim", prog)]
        for s in systemes:
            if s != "Gelim":
                print(f"{prog} : Gelim est {resultats[(s, prog)] / g:.1f} fois plus rapide que {s}")


if __name__ == "__main__":
    main()
