#!/usr/bin/env python3
"""Vérifie l'aide en français (aide/) et les programmes d'exemple (examples/).

  verifier_aide.py GELIM RACINE vocabulaire   chaque primitive a son entrée dans l'aide et dans l'index,
                                              les liens et les pages tiennent debout
  verifier_aide.py GELIM RACINE aide          chaque exemple de l'aide s'exécute sans erreur
  verifier_aide.py GELIM RACINE exemples      chaque exemple de examples/ s'exécute sans erreur,
                                              chaque thème a ses démonstrations et son chargeur,
                                              chaque dessin laisse une image non triviale

GELIM est le programme, RACINE le dossier des sources. Les exemples tournent dans
« GELIM --batch », chacun dans une session neuve, depuis un dossier de travail vide.
"""
import html.parser
import os
import re
import struct
import subprocess
import sys
import tempfile
import urllib.parse
from concurrent.futures import ThreadPoolExecutor

# Ce que l'élève ne doit jamais voir en exécutant un exemple.
BOITE_SYNTAXE = "DIALOGUE J E   N E   C O M P R E N D S"
BOITE_EXECUTION = "DIALOGUE A T T E N T I O N   E R R E U R"  # à l'exécution comme à l'analyse
MESSAGES_FAUTIFS = [
    "Erreur dans LanceEval",                          # une valeur sans type évaluée
    "il reste encore à traiter",                      # du texte qui n'a pas été analysé
    "Erreur en ouverture",                            # charge n'a pas trouvé le fichier
    "Dépassement de capacité",                        # pile ou cellules épuisées
    "Le 'return' ne doit",                            # return mal placé
    "Que faire de",                                   # résultat inutilisé
    "Carac inconnu",                                  # caractère inconnu (hors lecture du clavier)
]
# Sans réponse, le lanceur répond « echap » à getchar : le mot a, après ce message.
MESSAGES_TOLERES_CLAVIER = ["Carac inconnu"]

# Les primitives qui dessinent : un exemple qui en appelle une doit laisser une image.
PRIMITIVES_DE_DESSIN = {
    "av", "avance", "re", "recule", "cercle", "circle", "ligne", "rectangle", "bloc",
    "pixel", "point", "fcf", "remplis", "fpos", "fixeposition", "affichebitmap",
}
PRIMITIVES_DE_LECTURE = {"getchar", "lismot", "lisnombre", "lisliste", "ll"}
PARALLELES = 4  # les lancements attendent surtout : quelques-uns à la fois suffisent
SEUIL_PIXELS = 3000  # un texte seul, même long, en noircit moins de 2000


class Bilan:
    def __init__(self):
        self.reussis = 0
        self.fautes = []

    def verifie(self, condition, message):
        if condition:
            self.reussis += 1
        else:
            self.fautes.append(message)
        return condition

    def termine(self):
        for f in self.fautes:
            print("ÉCHEC :", f)
        print(f"{self.reussis} passed, {len(self.fautes)} failed")
        return 1 if self.fautes else 0


# ---------------------------------------------------------------- lancer gelim

def lancer(gelim, racine, arguments, dossier, reponses=None, delai=300):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", GELIM_EXEMPLES=os.path.join(racine, "examples"))
    args = [gelim, "--batch"]
    if reponses is not None:
        chemin = os.path.join(dossier, "reponses.txt")
        with open(chemin, "w", encoding="utf-8") as f:
            f.write("\n".join(reponses) + "\n")
        args += ["--answers", chemin]
    try:
        p = subprocess.run(args + arguments, cwd=dossier, env=env, capture_output=True, timeout=delai)
    except subprocess.TimeoutExpired:
        return None, "", "délai dépassé"
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def fautes_d_execution(code, sortie, journal, clavier=False):
    """La liste des raisons pour lesquelles une exécution n'est pas propre."""
    fautes = []
    if code is None:
        return ["l'exécution ne s'est pas terminée (délai dépassé)"]
    if code != 0:
        fautes.append(f"code de sortie {code}")
    for ligne in journal.splitlines():
        if ligne.startswith(BOITE_SYNTAXE):
            fautes.append("erreur de syntaxe : " + ligne)
        elif ligne.startswith(BOITE_EXECUTION):
            fautes.append("erreur d'exécution : " + ligne)
    for m in MESSAGES_FAUTIFS:
        if clavier and m in MESSAGES_TOLERES_CLAVIER:
            continue
        if m in sortie:
            ligne = next(l for l in sortie.splitlines() if m in l)
            fautes.append(f"message « {ligne.strip()} »")
    return fautes


# ---------------------------------------------------------------- le vocabulaire

def noms_du_source(racine):
    """Les noms de la table des primitives, lus dans le source du lexique."""
    with open(os.path.join(racine, "src", "objects", "lexique.cpp"), encoding="utf-8") as f:
        texte = f.read()
    debut = texte.index("TableDesPrimitives()")
    fin = texte.index("};", debut)
    return re.findall(r'\{"((?:[^"\\]|\\.)*)",\s*Classe::', texte[debut:fin])


def noms_du_catalogue(gelim, racine):
    """Les primitives telles que l'interprète les liste : celles qui suivent Param8DeFDU."""
    with tempfile.TemporaryDirectory() as dossier:
        code, sortie, _ = lancer(gelim, racine, ["-e", "catalogue();"], dossier)
    if code != 0:
        return None
    lignes = sortie.splitlines()
    try:
        debut = lignes.index("Voici le lexique des objets lisp de l'interpréteur :")
        lexique = [l[:-1] if l.endswith(" ") else l for l in lignes[debut + 1:]]
        return [n for n in lexique[lexique.index("Param8DeFDU") + 1:] if n]
    except ValueError:
        return None


# ---------------------------------------------------------------- lire l'aide

class PageAide(html.parser.HTMLParser):
    """Les entrées (sections data-noms), les ancres, les liens et les exemples d'une page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids = set()
        self.liens = []          # (href, texte)
        self.entrees = []        # {"id", "noms", "exemples"}
        self.exemples = []       # {"texte", "reponses", "entree"}
        self.externes = []
        self.scripts = 0
        self.charset = False
        self.desordres = []      # balises fermées hors de leur ordre
        self._pile = []          # balises ouvertes : (balise, entrée ou None)
        self._lien = None
        self._exemple = None

    def handle_starttag(self, balise, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
            englobante = self._entree_courante()
            if englobante is not None:
                englobante["ancres"].add(a["id"])
        if balise == "meta" and (a.get("charset", "").lower() == "utf-8"
                                 or "utf-8" in a.get("content", "").lower()):
            self.charset = True
        if balise == "script":
            self.scripts += 1
        for attr in ("src", "href"):
            v = a.get(attr, "")
            if re.match(r"^[a-z]+:", v) and not v.startswith("mailto:"):
                self.externes.append(v)
        if balise == "link" and a.get("rel") == "stylesheet":
            self.externes.append(a.get("href", "?"))
        entree = None
        if "data-noms" in a:
            entree = {"id": a.get("id"), "noms": a["data-noms"].split(), "exemples": 0, "ancres": {a.get("id")}}
            self.entrees.append(entree)
        if balise not in ("br", "img", "meta", "link", "hr", "input"):
            self._pile.append((balise, entree))
        if balise == "a" and "href" in a:
            self._lien = [a["href"], ""]
        if balise == "pre" and "exemple" in a.get("class", "").split():
            rep = a.get("data-reponses")
            self._exemple = {"texte": "", "reponses": rep.split("|") if rep is not None else None,
                             "entree": self._entree_courante(), "ligne": self.getpos()[0]}

    def _entree_courante(self):
        for _, e in reversed(self._pile):
            if e is not None:
                return e
        return None

    def handle_endtag(self, balise):
        if balise == "a" and self._lien is not None:
            self.liens.append((self._lien[0], self._lien[1].strip()))
            self._lien = None
        if balise == "pre" and self._exemple is not None:
            self.exemples.append(self._exemple)
            if self._exemple["entree"] is not None:
                self._exemple["entree"]["exemples"] += 1
            self._exemple = None
        if not self._pile or self._pile[-1][0] != balise:
            self.desordres.append(f"</{balise}> ligne {self.getpos()[0]}")
        while self._pile:
            b, _ = self._pile.pop()
            if b == balise:
                break

    def handle_data(self, donnees):
        if self._lien is not None:
            self._lien[1] += donnees
        if self._exemple is not None:
            self._exemple["texte"] += donnees


def lire_aide(racine):
    dossier = os.path.join(racine, "aide")
    pages = {}
    for nom in sorted(os.listdir(dossier)):
        if nom.endswith(".html"):
            p = PageAide()
            with open(os.path.join(dossier, nom), encoding="utf-8") as f:
                p.feed(f.read())
            p.close()
            pages[nom] = p
    return pages


def verifier_vocabulaire(gelim, racine, bilan):
    source = noms_du_source(racine)
    catalogue = noms_du_catalogue(gelim, racine)
    bilan.verifie(len(source) == len(set(source)) and len(source) > 150,
                  f"la table des primitives du source est illisible ({len(source)} noms)")
    if bilan.verifie(catalogue is not None, "catalogue() ne liste pas le lexique de l'interprète"):
        bilan.verifie(catalogue == source,
                      "catalogue() et la table du source ne listent pas les mêmes primitives : "
                      f"{sorted(set(catalogue) ^ set(source))}")
    vocabulaire = set(source)

    pages = lire_aide(racine)
    if not bilan.verifie("index.html" in pages, "aide/index.html manque"):
        return
    # Où est décrite chaque primitive.
    entree_de = {}
    for nom_page, p in pages.items():
        bilan.verifie(p.charset, f"{nom_page} : pas de <meta charset=\"utf-8\">")
        bilan.verifie(p.scripts == 0, f"{nom_page} : l'aide ne contient pas de script")
        bilan.verifie(not p.desordres and not p._pile, f"{nom_page} : balises mal fermées {p.desordres} {p._pile}")
        bilan.verifie(not p.externes, f"{nom_page} : ressources extérieures {p.externes}")
        for e in p.entrees:
            bilan.verifie(e["id"], f"{nom_page} : une entrée {e['noms']} n'a pas d'ancre")
            bilan.verifie(e["exemples"] > 0, f"{nom_page}#{e['id']} : l'entrée {e['noms']} n'a pas d'exemple")
            for n in e["noms"]:
                bilan.verifie(n in vocabulaire, f"{nom_page}#{e['id']} : « {n} » n'est pas une primitive")
                bilan.verifie(n not in entree_de, f"« {n} » est décrite deux fois ({entree_de.get(n)} et {nom_page})")
                entree_de[n] = (nom_page, e["ancres"])
    manquants = sorted(vocabulaire - set(entree_de))
    bilan.verifie(not manquants, f"primitives sans entrée dans l'aide : {manquants}")

    # L'index : un lien par primitive, dont le texte est le nom, qui mène à une ancre
    # propre à ce nom, à l'intérieur de son entrée.
    liens_index = {}
    for href, texte in pages["index.html"].liens:
        liens_index.setdefault(texte, []).append(urllib.parse.unquote(href))
    ancre_de = {}
    for n in sorted(vocabulaire):
        cibles = liens_index.get(n, [])
        if not bilan.verifie(len(cibles) == 1, f"l'index doit avoir un lien pour « {n} » (il en a {len(cibles)})"):
            continue
        page, _, ancre = cibles[0].partition("#")
        if n in entree_de:
            page_entree, ancres = entree_de[n]
            bilan.verifie(page == page_entree and ancre in ancres,
                          f"le lien de l'index pour « {n} » mène à {cibles[0]}, hors de son entrée dans {page_entree}")
        bilan.verifie(cibles[0] not in ancre_de.values(),
                      f"« {n} » partage son ancre {cibles[0]} avec un autre nom")
        ancre_de[n] = cibles[0]

    # Tous les liens internes aboutissent.
    for nom_page, p in pages.items():
        for href, texte in p.liens:
            if re.match(r"^[a-z]+:", href):
                continue
            fichier, _, ancre = urllib.parse.unquote(href).partition("#")
            cible = fichier or nom_page
            if not bilan.verifie(cible in pages, f"{nom_page} : lien vers une page absente « {href} »"):
                continue
            if ancre:
                bilan.verifie(ancre in pages[cible].ids, f"{nom_page} : lien vers une ancre absente « {href} »")


# ---------------------------------------------------------------- les exemples de l'aide

def executer_exemple(gelim, racine, texte, reponses):
    with tempfile.TemporaryDirectory() as dossier:
        chemin = os.path.join(dossier, "exemple.txt")
        with open(chemin, "w", encoding="utf-8") as f:
            f.write(texte + "\n")
        return lancer(gelim, racine, [chemin], dossier, reponses, delai=120)


def verifier_exemples_aide(gelim, racine, bilan):
    exemples = []
    for nom_page, p in lire_aide(racine).items():
        for ex in p.exemples:
            exemples.append((f"{nom_page}, ligne {ex['ligne']}", ex["texte"].strip("\n"), ex["reponses"]))
    for ou, texte, _ in exemples:
        bilan.verifie(texte.strip(), f"{ou} : exemple vide")
    with ThreadPoolExecutor(PARALLELES) as pool:
        resultats = list(pool.map(lambda e: executer_exemple(gelim, racine, e[1], e[2]), exemples))
    for (ou, texte, reponses), (code, sortie, journal) in zip(exemples, resultats):
        clavier = reponses is not None or "getchar" in texte
        fautes = fautes_d_execution(code, sortie, journal, clavier)
        bilan.verifie(not fautes, f"{ou} : l'exemple\n{texte}\n  -> " + "\n  -> ".join(fautes))
    bilan.verifie(len(exemples) >= 150, f"l'aide n'a que {len(exemples)} exemples")


# ---------------------------------------------------------------- les programmes d'exemple

def couleurs_du_dessin(chemin, marge=3):
    """(pixels non blancs, couleurs distinctes, pixels comptés) d'un BMP non compressé,
    sans le cadre du champ (les bords de l'image)."""
    with open(chemin, "rb") as f:
        d = f.read()
    assert d[:2] == b"BM", "ce n'est pas un BMP"
    debut = struct.unpack_from("<I", d, 10)[0]
    taille_entete = struct.unpack_from("<I", d, 14)[0]
    largeur, hauteur = struct.unpack_from("<ii", d, 18)
    bits = struct.unpack_from("<H", d, 28)[0]
    compression = struct.unpack_from("<I", d, 30)[0]
    assert compression in (0, 3), f"BMP compressé ({compression})"
    assert bits in (8, 24, 32), f"BMP de {bits} bits"
    palette = []
    if bits == 8:
        nb = struct.unpack_from("<I", d, 46)[0] or 256
        base = 14 + taille_entete
        palette = [(d[base + 4 * i + 2], d[base + 4 * i + 1], d[base + 4 * i]) for i in range(nb)]
    pas = (largeur * bits + 31) // 32 * 4
    hauteur_abs = abs(hauteur)
    octets = bits // 8
    non_blancs, couleurs, total = 0, set(), 0
    for y in range(marge, hauteur_abs - marge):
        i = debut + y * pas  # l'ordre des lignes ne change rien au compte
        ligne = d[i + marge * octets:i + (largeur - marge) * octets]
        if bits == 8:
            pixels = [palette[o] for o in ligne]
        else:
            pixels = list(zip(ligne[2::octets], ligne[1::octets], ligne[0::octets]))
        total += len(pixels)
        couleurs.update(pixels)
        non_blancs += len(pixels) - pixels.count((255, 255, 255))
    return non_blancs, couleurs, total


def sans_commentaires(texte):
    return "\n".join(l.split("//", 1)[0] for l in texte.splitlines())


def appels(texte, noms):
    """Les primitives de noms appelées dans le texte (hors commentaires)."""
    code = sans_commentaires(texte)
    return {n for n in noms if re.search(r"(?<![\w?])" + re.escape(n) + r"\s*\(", code)}


def themes_du_demarrage(gelim, racine):
    """Les extensions que la boîte du démarrage promet, chacune avec son chargeur."""
    with tempfile.TemporaryDirectory() as dossier:
        _, _, journal = lancer(gelim, racine, [], dossier)
    for ligne in journal.splitlines():
        if ligne.startswith("DIALOGUE C O M M E N C E R"):
            for morceau in ligne.split(" | "):
                exts = re.findall(r"(?:^|\s)\.(\w+)", morceau)
                if len(exts) >= 10:
                    return exts
    return None


def verifier_programmes(gelim, racine, bilan):
    dossier_ex = os.path.join(racine, "examples")
    dossier_rep = os.path.join(racine, "tests", "aide", "reponses")
    themes = themes_du_demarrage(gelim, racine)
    if not bilan.verifie(themes, "la boîte du démarrage ne cite pas les thèmes des chargeurs"):
        themes = []
    programmes = sorted(f for f in os.listdir(dossier_ex)
                        if os.path.splitext(f)[1][1:] in themes)
    textes = {}
    for f in programmes:
        with open(os.path.join(dossier_ex, f), encoding="utf-8") as fic:
            textes[f] = fic.read()

    # Chaque thème : au moins trois démonstrations, et un chargeur qui les lance toutes.
    for ext in themes:
        chargeur = f"chargeur.{ext}"
        demos = [f for f in programmes if f.endswith("." + ext) and f != chargeur]
        bilan.verifie(len(demos) >= 3, f"le thème .{ext} n'a que {len(demos)} démonstrations")
        if not bilan.verifie(chargeur in textes, f"{chargeur} manque"):
            continue
        charges = re.findall(r"charge\('([^']+)'\)", sans_commentaires(textes[chargeur]))
        for d in demos:
            bilan.verifie(d in charges, f"{chargeur} ne lance pas {d}")
        for c in charges:
            bilan.verifie(c in textes, f"{chargeur} charge « {c} », qui n'est pas un exemple")

    travaux = []  # (fichier, réponses, dessine, interactif, clavier)
    for f in programmes:
        texte = textes[f]
        commentaires = [l for l in texte.splitlines() if l.strip().startswith("//")]
        bilan.verifie(len(commentaires) >= 3, f"{f} : pas assez commenté pour l'élève")
        bilan.verifie(texte.startswith("// " + f + " "), f"{f} : la première ligne doit présenter le fichier")

        # Ce que le programme dessine et lit, en suivant les chargements.
        dessine = bool(appels(texte, PRIMITIVES_DE_DESSIN))
        interactif = bool(appels(texte, PRIMITIVES_DE_LECTURE)) and not f.startswith("chargeur.")
        charges = re.findall(r"charge\('([^']+)'\)", sans_commentaires(texte))
        clavier = any("getchar" in appels(t, PRIMITIVES_DE_LECTURE)
                      for t in [texte] + [textes.get(c, "") for c in charges])
        if f.startswith("chargeur."):
            dernier = textes.get(charges[-1], "") if charges else ""
            dessine = bool(appels(dernier, PRIMITIVES_DE_DESSIN)) and not appels(dernier, PRIMITIVES_DE_LECTURE)
        chemin_rep = os.path.join(dossier_rep, f + ".txt")
        reponses = None
        if os.path.exists(chemin_rep):
            with open(chemin_rep, encoding="utf-8") as fic:
                reponses = fic.read().splitlines()
        if interactif and "getchar" in appels(texte, PRIMITIVES_DE_LECTURE):
            bilan.verifie(reponses is not None, f"{f} : un jeu au clavier a besoin de tests/aide/reponses/{f}.txt")
        # Sans réponse (l'élève ferme les saisies, le clavier répond « echap ») le programme finit
        # proprement ; avec les réponses de tests/aide/reponses/, il joue vraiment.
        travaux.append((f, None, dessine, interactif, clavier))
        if reponses is not None:
            travaux.append((f, reponses, dessine, interactif, clavier))

    def executer(travail):
        f, rep, dessine, interactif, _ = travail
        with tempfile.TemporaryDirectory() as dossier:
            image = os.path.join(dossier, "dessin.bmp")
            code, sortie, journal = lancer(gelim, racine, ["--image", image, os.path.join(dossier_ex, f)],
                                           dossier, rep)
            dessin = None
            # L'image compte quand le programme dessine sans attendre l'élève, ou avec ses réponses.
            if dessine and (not interactif or rep is not None) and code == 0:
                dessin = couleurs_du_dessin(image) if os.path.exists(image) else "absente"
            return code, sortie, journal, dessin

    with ThreadPoolExecutor(PARALLELES) as pool:
        resultats = list(pool.map(executer, travaux))
    for (f, rep, _, _, clavier), (code, sortie, journal, dessin) in zip(travaux, resultats):
        quoi = f"{f} ({'avec' if rep is not None else 'sans'} réponses)"
        fautes = fautes_d_execution(code, sortie, journal, clavier)
        bilan.verifie(not fautes, f"{quoi} :\n  -> " + "\n  -> ".join(fautes))
        if dessin is not None and bilan.verifie(dessin != "absente", f"{quoi} : pas d'image enregistrée"):
            n, couleurs, total = dessin
            bilan.verifie(n >= SEUIL_PIXELS and len(couleurs) >= 2,
                          f"{quoi} : dessin trivial ({n} pixels non blancs sur {total}, {len(couleurs)} couleurs)")


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in ("vocabulaire", "aide", "exemples"):
        print(__doc__)
        return 2
    gelim, racine, quoi = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3]
    bilan = Bilan()
    {"vocabulaire": verifier_vocabulaire, "aide": verifier_exemples_aide,
     "exemples": verifier_programmes}[quoi](gelim, racine, bilan)
    return bilan.termine()


if __name__ == "__main__":
    sys.exit(main())
