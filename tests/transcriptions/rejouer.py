#!/usr/bin/env python3
"""Rejoue un cas de transcription avec « gelim --batch » et compare.

Un cas est un fichier texte découpé en sections « === nom » :
  programme   texte d'un fichier programme (exécuté comme par l'éclair de l'éditeur)
  commandes   lignes tapées dans la ligne de commande, après le programme
  reponses    réponses de l'élève (--answers)
  options     options supplémentaires, une par ligne (--analysis, --step, --depth 3, --timeout 1...)
  arguments   arguments de plus, un par ligne, tels quels, avant le programme et les commandes
  fichier NOM un fichier à créer dans le dossier de travail (pour charge, affichebitmap...)
  octets NOM  un fichier binaire : ses octets en hexadécimal (blancs ignorés)
  dossier NOM un dossier (vide) à créer dans le dossier de travail
  multiplier SECTION N   le texte de la section SECTION (programme, fichier NOM...) répété N fois
  signal      « TERM » ou « INT » : envoyé dès que la sortie d'erreur montre un bip (BIP, BIPFD)
  sortie      la sortie standard attendue, exactement (la fenêtre des messages)
  contient    des lignes qui doivent toutes figurer dans la sortie standard
  compte      « N texte » : texte figure exactement N fois dans la sortie standard
  nombre-de-lignes  le nombre de lignes de la sortie standard
  journal     la sortie d'erreur attendue, exactement, sans la boîte du démarrage
  journal-contient  des lignes qui doivent figurer dans la sortie d'erreur
  pixels      des vérifications sur le dessin (--image) : « X Y R G B » en pixels de l'image,
              « champ X Y R G B » en coordonnées du champ, « nonblancs > N » (ou < N), « vue X Y R G B »
  pixels-police  comme pixels, pour ce qui dépend du texte dessiné : sauté quand GELIM_SANS_POLICE
              est posée (le lanceur pour Node ne dessine pas le texte)
  code        le code de sortie attendu (0 par défaut)
Les lignes qui commencent par « #! » sont des commentaires.
"""
import os
import signal
import struct
import subprocess
import sys
import tempfile


def lire_cas(chemin):
    sections, nom, lignes = {}, None, []
    with open(chemin, encoding="utf-8") as f:
        for ligne in f.read().split("\n"):
            if ligne.startswith("#!"):
                continue
            if ligne.startswith("=== "):
                if nom is not None:
                    sections[nom] = lignes
                nom, lignes = ligne[4:].strip(), []
            elif nom is not None:
                lignes.append(ligne)
    if nom is not None:
        sections[nom] = lignes
    # Les lignes vides de fin de section ne comptent pas.
    for cle, val in sections.items():
        while val and val[-1] == "":
            val.pop()
    for cle in [c for c in sections if c.startswith("multiplier ")]:
        cible, fois = cle[len("multiplier "):].rsplit(" ", 1)
        sections[cible] = sections[cible] * int(fois)
    if os.environ.get("GELIM_SANS_POLICE"):
        sections.pop("pixels-police", None)
    if "pixels-police" in sections:
        sections["pixels"] = sections.get("pixels", []) + sections.pop("pixels-police")
    return sections


def lancer(args, dossier, nom_signal):
    """Lance gelim ; avec un signal, l'envoie au premier bip du journal."""
    if not nom_signal:
        r = subprocess.run(args, cwd=dossier, capture_output=True, timeout=240)
        return r.returncode, r.stdout, r.stderr
    p = subprocess.Popen(args, cwd=dossier, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    journal = b""
    while True:
        ligne = p.stderr.readline()
        if not ligne:
            break
        journal += ligne
        if ligne.startswith(b"BIP"):
            p.send_signal(getattr(signal, "SIG" + nom_signal))
            break
    sortie, reste = p.communicate(timeout=240)
    return p.returncode, sortie, journal + reste


def lire_bmp(chemin):
    with open(chemin, "rb") as f:
        d = f.read()
    debut = struct.unpack_from("<I", d, 10)[0]
    largeur, hauteur = struct.unpack_from("<ii", d, 18)
    bits = struct.unpack_from("<H", d, 28)[0]
    assert bits in (24, 32), f"BMP de {bits} bits"
    octets = bits // 8
    pas = (largeur * octets + 3) & ~3
    bas_en_haut = hauteur > 0
    hauteur = abs(hauteur)

    def pixel(x, y):
        ligne = hauteur - 1 - y if bas_en_haut else y
        i = debut + ligne * pas + x * octets
        b, g, r = d[i], d[i + 1], d[i + 2]
        return (r, g, b)

    return largeur, hauteur, pixel


def main():
    gelim, chemin = os.path.abspath(sys.argv[1]), sys.argv[2]
    cas = lire_cas(chemin)
    erreurs = []
    with tempfile.TemporaryDirectory() as dossier:
        args = [gelim, "--batch"]
        for cle, val in cas.items():
            if cle.startswith("fichier "):
                with open(os.path.join(dossier, cle[8:].strip()), "w", encoding="utf-8") as f:
                    f.write("\n".join(val) + "\n")
            if cle.startswith("octets "):
                with open(os.path.join(dossier, cle[7:].strip()), "wb") as f:
                    f.write(bytes.fromhex("".join("".join(val).split())))
            if cle.startswith("dossier "):
                os.mkdir(os.path.join(dossier, cle[8:].strip()))
        for opt in cas.get("options", []):
            args += opt.split(" ", 1)
        args += cas.get("arguments", [])
        if "reponses" in cas:
            with open(os.path.join(dossier, "reponses.txt"), "w", encoding="utf-8") as f:
                f.write("\n".join(cas["reponses"]) + "\n")
            args += ["--answers", "reponses.txt"]
        if "programme" in cas:
            with open(os.path.join(dossier, "programme.c"), "w", encoding="utf-8") as f:
                f.write("\n".join(cas["programme"]))
            args.append("programme.c")
        if "commandes" in cas:
            with open(os.path.join(dossier, "commandes.txt"), "w", encoding="utf-8") as f:
                f.write("\n".join(cas["commandes"]) + "\n")
            args += ["--commands", "commandes.txt"]
        if "pixels" in cas:
            args += ["--image", "dessin.bmp", "--view", "vue.bmp"]
        code, sortie, journal = lancer(args, dossier, cas.get("signal", [None])[0])
        sortie = sortie.decode("utf-8")
        journal = journal.decode("utf-8").split("\n")
        journal = [l for l in journal if l and not l.startswith("DIALOGUE C O M M E N C E R")]
        attendu_code = int(cas.get("code", ["0"])[0])
        if code != attendu_code:
            erreurs.append(f"code de sortie {code}, attendu {attendu_code}")
        for l in cas.get("compte", []):
            n, texte = l.split(" ", 1)
            if sortie.count(texte) != int(n):
                erreurs.append(f"{texte!r} figure {sortie.count(texte)} fois dans la sortie, attendu {n}")
        if "nombre-de-lignes" in cas:
            n = sortie.count("\n")
            if n != int(cas["nombre-de-lignes"][0]):
                erreurs.append(f"{n} lignes dans la sortie, attendu {cas['nombre-de-lignes'][0]}")
        if "sortie" in cas:
            attendu = "\n".join(cas["sortie"]) + "\n"
            if sortie != attendu:
                erreurs.append("sortie différente :\n--- attendu\n" + attendu + "--- obtenu\n" + sortie)
        for l in cas.get("contient", []):
            if l not in sortie:
                erreurs.append(f"la sortie ne contient pas : {l!r}")
        if "journal" in cas:
            if journal != cas["journal"]:
                erreurs.append("journal différent :\n--- attendu\n" + "\n".join(cas["journal"]) +
                               "\n--- obtenu\n" + "\n".join(journal))
        for l in cas.get("journal-contient", []):
            if l not in journal:
                erreurs.append(f"le journal ne contient pas : {l!r}\n(journal : {journal!r})")
        if "pixels" in cas:
            images = {}
            for nom in ("dessin", "vue"):
                p = os.path.join(dossier, nom + ".bmp")
                images[nom] = lire_bmp(p) if os.path.exists(p) else None
            for v in cas["pixels"]:
                if not v.strip():
                    continue
                mots = v.split()
                image = "dessin"
                if mots[0] == "vue":
                    image, mots = "vue", mots[1:]
                if images[image] is None:
                    erreurs.append(f"pas d'image {image}")
                    continue
                largeur, hauteur, pixel = images[image]
                if mots[0] == "nonblancs":
                    n = sum(1 for y in range(hauteur) for x in range(largeur) if pixel(x, y) != (255, 255, 255))
                    if mots[1] == "<" and not n < int(mots[2]):
                        erreurs.append(f"{n} pixels non blancs, attendu moins de {mots[2]}")
                    elif mots[1] != "<" and not n > int(mots[2]):
                        erreurs.append(f"{n} pixels non blancs, attendu plus de {mots[2]}")
                    continue
                if mots[0] == "champ":
                    x, y = 500 + int(mots[1]), 500 - int(mots[2])
                    mots = mots[3:]
                else:
                    x, y = int(mots[0]), int(mots[1])
                    mots = mots[2:]
                attendu = tuple(int(m) for m in mots)
                obtenu = pixel(x, y)
                if obtenu != attendu:
                    erreurs.append(f"{v} : pixel {obtenu}")
    if erreurs:
        print(f"ÉCHEC {os.path.basename(chemin)}")
        for e in erreurs:
            print(e)
        sys.exit(1)
    print(f"ok {os.path.basename(chemin)}")


if __name__ == "__main__":
    main()
