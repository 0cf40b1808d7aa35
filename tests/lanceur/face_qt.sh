#!/usr/bin/env bash
# La face Qt chargée à la demande : un programme sans texte dessiné ni image
# PNG tourne sans charger Qt (le démarrage) ; un texte ou un PNG la chargent ;
# sans la bibliothèque, le lanceur marche encore et dit ce qui manque.
#   bash tests/lanceur/face_qt.sh CHEMIN/DE/gelim
set -euo pipefail
gelim="$(realpath "$1")"
travail="$(mktemp -d)"
trap 'rm -rf "$travail"' EXIT
echec() {
  echo "ÉCHEC : $*"
  exit 1
}
cd "$travail"
printf 'repete 4 { av(100); td(90); }\necris(7);\n' >carre.c
printf 'repete 4 { av(100); td(90); }\n' >dessin.c
printf 'montre([Bonjour]);\nav(50);\n' >texte.c
printf 'av(50);\n' >sans_texte.c

# Le texte écrit sur le dessin attend que quelqu'un le voie : sans image, il
# n'est jamais rendu. Le BMP s'écrit sans Qt.
LD_DEBUG=files "$gelim" --batch carre.c >carre.out 2>chargement
LD_DEBUG=files "$gelim" --batch dessin.c --image dessin.bmp >/dev/null 2>>chargement
! grep -q 'libQt6' chargement || echec "Qt chargé pour un programme sans texte ni PNG"
[ -s dessin.bmp ] || echec "le BMP n'est pas écrit"
grep -q '^7' carre.out || echec "sortie inattendue : $(cat carre.out)"

# Le texte attend d'être vu : le BMP le montre, la face Qt l'a rendu.
LD_DEBUG=files "$gelim" --batch texte.c --image texte.bmp >/dev/null 2>chargement
grep -q 'libgelim_qt' chargement || echec "la face Qt n'est pas chargée pour un texte dessiné"
"$gelim" --batch sans_texte.c --image sans_texte.bmp >/dev/null 2>&1
! cmp -s texte.bmp sans_texte.bmp || echec "le texte n'est pas dessiné"
"$gelim" --batch texte.c --image texte.png >/dev/null 2>&1 || echec "PNG : code $?"
[ "$(head -c 4 texte.png | od -An -tx1 | tr -d ' ')" = 89504e47 ] || echec "texte.png n'est pas un PNG"

# Le programme seul, sans sa bibliothèque.
mkdir seul
cp "$gelim" seul/gelim
seul/gelim --batch carre.c >seul.out 2>/dev/null || echec "sans la face Qt, un programme sans texte échoue"
cmp -s seul.out carre.out || echec "sans la face Qt, la sortie change"
code=0
seul/gelim --batch texte.c --image seul.png >/dev/null 2>seul.err || code=$?
[ "$code" = 2 ] || echec "image impossible sans la face Qt : code $code au lieu de 2"
grep -q 'bibliothèque de la face Qt est introuvable' seul.err || echec "message absent : $(cat seul.err)"
[ ! -e seul.png ] || echec "une image est écrite sans la face Qt"
code=0
seul/gelim >/dev/null 2>seul.err || code=$?
[ "$code" = 1 ] && grep -q 'seul « gelim --batch » fonctionne' seul.err || echec "bureau sans la face Qt : code $code"
echo "La face Qt se charge à la demande."
