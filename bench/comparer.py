#!/usr/bin/env python3
"""Compare Gelim, CPython et Lua 5.4 sur les mêmes programmes, en une seule fois.

Chaque temps est du temps processeur (utilisateur + système, enfants attendus
compris), moins sensible à la charge de la machine que le temps écoulé, et net
du démarrage : le meilleur de N essais du programme, moins le meilleur de N
essais d'un programme vide du même système. Les essais des systèmes sont
entrelacés (un tour = un essai de chaque programme de chaque système) : un
moment de charge touche tout le monde, et les rapports d'un même tour restent
comparables.

Programmes (bench/programmes/) : fibonacci(30) dans une fonction, une boucle
d'un million d'additions au niveau du fichier, une liste de 2000 éléments
bâtie par mp puis parcourue 200 fois (consp, prem, sp) dans des fonctions, et
le démarrage d'un programme vide. Puis la spirale : 100 000 segments tracés
par Gelim (tortue cachée) contre la tortue de Python avec tracer(0) sous Xvfb
(le temps du serveur X compris), si xvfb-run et tkinter sont là.

Usage : python3 bench/comparer.py CHEMIN/VERS/gelim [N] [--sans-spirale]
"""
import os
import shutil
import subprocess
import sys

ICI = os.path.join(os.path.dirname(os.path.abspath(__file__)), "programmes")
PROGRAMMES = ("fib", "boucle", "liste")
NOMS = {"fib": "fibonacci(30)", "boucle": "boucle 10^6", "liste": "listes", "vide": "démarrage (vide)"}


def essai(commande):
    p = subprocess.Popen(commande, cwd=ICI, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
    _, statut, usage = os.wait4(p.pid, 0)
    if statut != 0:
        sys.exit(f"échec ({statut}) de : {' '.join(commande)}")
    return usage.ru_utime + usage.ru_stime


def meilleurs(travaux, n):
    """travaux : {clé: commande}. Rend {clé: meilleur temps} sur n tours entrelacés."""
    temps = {k: float("inf") for k in travaux}
    for _ in range(n):
        for k, commande in travaux.items():
            temps[k] = min(temps[k], essai(commande))
    return temps


def rapport(a, b):
    return f"{a / b:.2f}x" if b > 0 else "-"


def systemes(gelim):
    s = {
        "Gelim": lambda p: [gelim, "--batch", p + ".c"],
        "CPython": lambda p: [sys.executable, p + ".py"],
    }
    lua = shutil.which("lua5.4")
    if lua:
        s["Lua 5.4"] = lambda p: [lua, p + ".lua"]
    else:
        print("(lua5.4 absent : GELIM_AVEC_BANC=1 bash scripts/dependances.sh l'installe)")
    return s


def bancs(gelim, n):
    sys_ = systemes(gelim)
    travaux = {(s, p): c(p) for s, c in sys_.items() for p in ("vide",) + PROGRAMMES}
    t = meilleurs(travaux, n)
    net = {(s, p): max(t[(s, p)] - t[(s, "vide")], 1e-4) for s in sys_ for p in PROGRAMMES}
    pairs = [s for s in sys_ if s != "Gelim"]
    entete = f"{'programme':<18}" + "".join(f"{s:>10}" for s in sys_)
    entete += "".join(f"{'vs ' + s:>14}" for s in pairs)
    print(entete)
    for p in PROGRAMMES:
        ligne = f"{NOMS[p]:<18}" + "".join(f"{net[(s, p)] * 1000:>8.1f}ms" for s in sys_)
        ligne += "".join(f"{rapport(net[(s, p)], net[('Gelim', p)]):>14}" for s in pairs)
        print(ligne)
    ligne = f"{NOMS['vide']:<18}" + "".join(f"{t[(s, 'vide')] * 1000:>8.1f}ms" for s in sys_)
    ligne += "".join(f"{rapport(t[(s, 'vide')], t[('Gelim', 'vide')]):>14}" for s in pairs)
    print(ligne)
    print("(vs X : temps de X / temps de Gelim ; au-dessus de 1, Gelim est plus rapide)")


def python_a_tkinter():
    return subprocess.run([sys.executable, "-c", "import tkinter, turtle"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0


def spirale(gelim, n):
    if not shutil.which("xvfb-run") or not python_a_tkinter():
        print("spirale : xvfb-run ou tkinter absent (paquets xvfb et python3-tk), non mesurée")
        return
    xvfb = ["xvfb-run", "-a", "-s", "-screen 0 1024x1024x24"]
    travaux = {
        "gelim vide": [gelim, "--batch", "vide.c"],
        "gelim": [gelim, "--batch", "spirale.c"],
        # La fenêtre de Tk et le serveur X, sans segment : le démarrage de ce côté.
        "python vide": xvfb + [sys.executable, "spirale.py", "0"],
        "python": xvfb + [sys.executable, "spirale.py", "100000"],
    }
    t = meilleurs(travaux, n)
    g = max(t["gelim"] - t["gelim vide"], 1e-4)
    p = max(t["python"] - t["python vide"], 1e-4)
    print(f"spirale 100000 segments : Gelim {g * 1000:.0f}ms, tortue de Python (tracer(0), Xvfb) "
          f"{p * 1000:.0f}ms, Gelim {p / g:.1f} fois plus rapide")


def main():
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not arguments:
        sys.exit(__doc__)
    gelim = os.path.abspath(arguments[0])
    # Le programme des listes ne dure que quelques millisecondes nettes, contre un
    # démarrage de CPython de 60 ms qui varie de ±2 ms : il faut des dizaines
    # d'essais pour que son rapport se tienne.
    n = int(arguments[1]) if len(arguments) > 1 else 31
    version = sys.version.split()[0]
    print(f"CPython {version} ({sys.executable}), meilleur de {n} essais, temps processeur net du démarrage")
    bancs(gelim, n)
    if "--sans-spirale" not in sys.argv:
        spirale(gelim, max(3, n // 2))


if __name__ == "__main__":
    main()
