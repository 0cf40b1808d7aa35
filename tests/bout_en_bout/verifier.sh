#!/usr/bin/env bash
# Le bureau comme un élève s'en sert, à un vrai serveur X (Xvfb) avec un
# gestionnaire de fenêtres : taper une commande, passer dans l'éditeur, lancer
# son programme, arrêter une boucle sans fin avec Échap, relancer. Chaque étape
# se vérifie sur les pixels d'une capture de tout l'écran.
#   bash tests/bout_en_bout/verifier.sh CHEMIN/DE/gelim
set -euo pipefail
gelim="$(realpath "$1")"
for outil in Xvfb openbox xdotool import convert; do
  command -v "$outil" >/dev/null || { echo "manque : $outil (scripts/dependances.sh l'installe)"; exit 1; }
done
travail="$(mktemp -d)"

# Un serveur X à un numéro libre, choisi par le serveur lui-même (d'autres
# peuvent tourner à côté), et un dossier personnel neuf (le fichier de secours y va).
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$travail/ecran" 2>"$travail/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$travail"' EXIT
for _ in $(seq 100); do [ -s "$travail/ecran" ] && break; sleep 0.1; done
[ -s "$travail/ecran" ] || { echo "Xvfb ne démarre pas"; cat "$travail/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$travail/ecran")"

cat >"$travail/eleve.sh" <<'SCRIPT'
set -euo pipefail
gelim="$1"; travail="$2"
export HOME="$travail/maison" XDG_DATA_HOME="$travail/maison/donnees" XDG_CONFIG_HOME="$travail/maison/config"
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
cd "$travail"
"$gelim" >"$travail/gelim.log" 2>&1 &
pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
etape=""
echec() { echo "ÉCHEC ($etape) : $*"; import -window root "$travail/echec.png" 2>/dev/null || true; cat "$travail/gelim.log"; exit 1; }

# Le nombre de pixels de l'écran exactement de cette couleur.
compter() {
  import -window root "$travail/ecran.png"
  convert "$travail/ecran.png" -alpha off -fill black +opaque "$1" -fill white -opaque "$1" \
    -format "%[fx:round(mean*w*h)]" info:
}
# Vrai quand il y a au moins N pixels de la couleur (10 s d'attente au plus).
voir() {
  local couleur=$1 minimum=$2 fois=${3:-50}
  for _ in $(seq "$fois"); do
    n=$(compter "$couleur")
    [ "$n" -ge "$minimum" ] && return 0
    sleep 0.2
  done
  return 1
}
attendre() { voir "$1" "$2" || echec "$n pixels $1, attendu au moins $2"; }
# Un article de menu choisi au clavier (Alt+lettre, puis les touches), jusqu'à
# ce que son effet se voie : sur une machine chargée, le menu peut tarder.
menu() {
  local alt=$1 touches=$2 couleur=$3 minimum=$4
  for _ in 1 2 3; do
    xdotool key "$alt"; sleep 0.5; xdotool key $touches
    voir "$couleur" "$minimum" 15 && return 0
    xdotool key Escape Escape
  done
  echec "le menu $alt ($touches) reste sans effet"
}
rouge="rgb(255,0,0)"; bleu="rgb(0,0,255)"; vert="rgb(0,255,0)"; tete="rgb(159,255,127)"
marge="rgb(236,236,236)"  # la marge des numéros de ligne : l'éditeur est là

etape="démarrage"
timeout 20 xdotool search --sync --name "C O M M E N C E R" >/dev/null || echec "pas de boîte de démarrage"
sleep 0.5
xdotool key Return

etape="une commande tapée dans la ligne de commande"
# Sur une machine chargée, les premières touches peuvent partir avant que la
# ligne de commande ait le clavier : la ligne est effacée et retapée.
for essai in 1 2 3; do
  sleep 0.5
  xdotool type --delay 10 'fcc(240); bloc(-60, 60, 60, -60);'
  xdotool key Return
  voir "$rouge" 12000 && break
  [ "$essai" -lt 3 ] || echec "$n pixels $rouge, attendu au moins 12000"
  xdotool key Escape; sleep 0.3; xdotool key ctrl+a BackSpace  # une boîte d'erreur, puis la ligne
done

etape="le programme de l'éditeur, une boucle sans fin"
menu alt+r "p Return" "$marge" 5000                   # Réglages, « Passer dans l'éditeur »
xdotool type --delay 5 'fcc(242); bloc(-60, 60, 60, -60); lc(); av(200);'
xdotool key Return
xdotool type --delay 5 'while (1) { td(2); }'
menu alt+x Return "$bleu" 12000                        # Exécution, « Exécuter le programme »
[ "$(compter "$rouge")" -lt 100 ] || echec "le dessin d'avant n'a pas été effacé"
attendre "$tete" 20                                    # la tortue se voit pendant la boucle

etape="Échap arrête la boucle"
xdotool key Escape
sleep 0.5
menu alt+r "p Return" "$marge" 5000                   # le clavier revient à l'éditeur
xdotool key ctrl+a
xdotool type --delay 5 'fcc(241); bloc(-60, 60, 60, -60);'
menu alt+x Return "$vert" 12000                        # relancé : la boucle était bien arrêtée
[ "$(compter "$bleu")" -lt 100 ] || echec "le programme d'avant est encore là"
kill -0 $pid || echec "Gelim s'est arrêté"
echo "bout en bout : tout est vu à l'écran"
SCRIPT
bash "$travail/eleve.sh" "$gelim" "$travail"
