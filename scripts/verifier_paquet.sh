#!/usr/bin/env bash
# Construit le paquet Debian de Gelim, puis prouve qu'il s'installe et marche sur
# une Debian NEUVE : une racine minimale (debootstrap, même version que cette
# machine) où « apt-get install ./gelim_*.deb » doit tirer seul tout ce qu'il faut,
# puis « gelim --batch » sur les exemples INSTALLÉS. Long (quelques minutes) :
# hors des tests et de l'intégration continue. Debian, en root.
#
#   bash scripts/verifier_paquet.sh [DOSSIER_DE_CONSTRUCTION]
#
# GELIM_RACINE_EN_CACHE=1 : réutilise l'archive de la racine neuve faite au premier
#   passage (/var/cache/gelim-verification) au lieu de relancer debootstrap.
# GELIM_GARDER_RACINE=1   : garde la racine après la vérification (pour l'examiner).
set -euo pipefail

racine="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$racine/build}"
debut=$(date +%s)

echouer() {
  echo "ÉCHEC de la vérification du paquet : $*" >&2
  exit 1
}
etape() { echo "== $* ($(($(date +%s) - debut)) s)"; }

[ "$(id -u)" = 0 ] || echouer "il faut être root (debootstrap, chroot, mount)"
. /etc/os-release
[ "${ID:-}" = debian ] && [ -n "${VERSION_CODENAME:-}" ] || echouer "cette machine n'est pas une Debian reconnue"
miroir="${GELIM_MIROIR:-http://deb.debian.org/debian}"

# ------------------------------------------------------------ le paquet
etape "Construction du paquet dans $build"
bash "$racine/scripts/dependances.sh"
for outil in debootstrap python3; do
  if ! command -v "$outil" >/dev/null; then
    echo "Installation : $outil"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$outil" >/dev/null
  fi
done
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target gelim
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || echouer "version du projet introuvable dans $build/CMakeCache.txt"
rm -f "$build"/gelim_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
paquet="$build/gelim_${version}_$(dpkg --print-architecture).deb"
[ -f "$paquet" ] || echouer "cpack n'a pas produit $paquet"
dpkg-deb -I "$paquet" | sed -n 's/^ \(Package\|Version\|Depends\|Installed-Size\):/  \1:/p'
# Ce que le programme cherche à côté de lui doit être dans le paquet.
contenu=$(dpkg-deb -c "$paquet")
for f in ./usr/bin/gelim ./usr/lib/gelim/libgelim_qt.so ./usr/share/gelim/aide/index.html ./usr/share/gelim/examples/chargeur.gra \
  ./usr/share/applications/gelim.desktop ./usr/share/icons/hicolor/scalable/apps/gelim.svg \
  ./usr/share/mime/packages/gelim.xml; do
  grep -q " $f\$" <<<"$contenu" || echouer "le paquet ne contient pas $f"
done
dpkg-deb -f "$paquet" Depends | grep -q libqt6widgets6 || echouer "le paquet ne dépend pas de Qt 6 (dpkg-shlibdeps ?)"

# ------------------------------------------------------------ la machine neuve
cache=/var/cache/gelim-verification
archive="$cache/$VERSION_CODENAME-minbase.tar.gz"
neuve=$(mktemp -d /var/tmp/gelim-neuve.XXXXXX)
nettoyer() {
  local code=$?
  umount -l "$neuve/proc" 2>/dev/null || true
  if findmnt -rn -o TARGET | grep -qF "$neuve"; then
    echo "Des montages restent sous $neuve : la racine n'est pas effacée." >&2
  elif [ "${GELIM_GARDER_RACINE:-0}" = 1 ] || [ $code != 0 ]; then
    echo "La racine de vérification est gardée : $neuve"
  else
    rm -rf --one-file-system "$neuve"
  fi
}
trap nettoyer EXIT

if [ "${GELIM_RACINE_EN_CACHE:-0}" = 1 ] && [ -f "$archive" ]; then
  etape "Racine Debian $VERSION_CODENAME neuve, depuis $archive"
  tar -xzf "$archive" -C "$neuve"
else
  etape "Racine Debian $VERSION_CODENAME minimale neuve (debootstrap, $miroir)"
  debootstrap --variant=minbase "$VERSION_CODENAME" "$neuve" "$miroir" >"$neuve.journal" 2>&1 ||
    { tail -20 "$neuve.journal" >&2; echouer "debootstrap"; }
  rm -f "$neuve.journal"
  chroot "$neuve" apt-get clean
  mkdir -p "$cache"
  tar -czf "$archive" -C "$neuve" .
fi
chmod 755 "$neuve"  # la racine d'un système, lisible par tous (apt y travaille sous _apt)
# Les mêmes sources qu'une installation normale : la version, ses mises à jour, la sécurité.
cat >"$neuve/etc/apt/sources.list" <<EOF
deb $miroir $VERSION_CODENAME main
deb $miroir $VERSION_CODENAME-updates main
deb http://deb.debian.org/debian-security $VERSION_CODENAME-security main
EOF
cp /etc/resolv.conf "$neuve/etc/resolv.conf"
mount -t proc proc "$neuve/proc"
dans() { chroot "$neuve" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

dans dpkg-query -W libqt6core6 >/dev/null 2>&1 && echouer "la racine neuve contient déjà Qt : elle n'est pas neuve"
cp "$paquet" "$neuve/tmp/"
etape "Installation du paquet (apt-get install ./$(basename "$paquet"))"
dans apt-get update -qq || echouer "apt-get update dans la racine neuve"
# Sans les paquets recommandés : les dépendances déclarées doivent suffire.
dans sh -c "cd /tmp && apt-get install -y -q --no-install-recommends ./$(basename "$paquet")" >"$neuve/tmp/apt.journal" 2>&1 ||
  { tail -30 "$neuve/tmp/apt.journal" >&2; echouer "apt-get install du paquet"; }
grep -E "^[0-9]+ upgraded, [0-9]+ newly installed" "$neuve/tmp/apt.journal" || true

# ------------------------------------------------------------ le programme installé
etape "Vérifications dans la racine neuve"
[ "$(dans sh -c 'command -v gelim')" = /usr/bin/gelim ] || echouer "gelim n'est pas dans le PATH de la racine"
manque=$(dans sh -c 'ldd /usr/bin/gelim; ldd /usr/lib/*/qt6/plugins/platforms/libqxcb.so' | grep "not found" || true)
[ -z "$manque" ] || echouer "bibliothèques manquantes : $manque"
# Sans police, les textes écrits dans le dessin (ecris, ec) seraient invisibles.
[ -n "$(find "$neuve/usr/share/fonts" -name '*.ttf' -print -quit 2>/dev/null)" ] ||
  echouer "aucune police installée avec le paquet"

# Le nombre de pixels non blancs à l'intérieur du cadre d'une image PNG 1000 x 1000.
pixels_dessines() {
  python3 - "$1" <<'EOF'
import struct, sys, zlib
donnees = open(sys.argv[1], "rb").read()
assert donnees[:8] == b"\x89PNG\r\n\x1a\n", "pas une image PNG"
i, idat = 8, b""
while i < len(donnees):
    n, genre = struct.unpack(">I4s", donnees[i:i + 8])
    corps = donnees[i + 8:i + 8 + n]
    if genre == b"IHDR":
        l, h, prof, couleur, _, _, entrelace = struct.unpack(">IIBBBBB", corps)
    elif genre == b"IDAT":
        idat += corps
    i += 12 + n
assert prof == 8 and couleur in (2, 6) and not entrelace, f"PNG non lu : profondeur {prof}, couleur {couleur}"
pas = 3 if couleur == 2 else 4
brut, ligne, precedente, compte = zlib.decompress(idat), l * pas, bytearray(l * pas), 0
for y in range(h):
    filtre, rangee = brut[y * (ligne + 1)], bytearray(brut[y * (ligne + 1) + 1:(y + 1) * (ligne + 1)])
    for x in range(ligne):
        a = rangee[x - pas] if x >= pas else 0
        b, c = precedente[x], (precedente[x - pas] if x >= pas else 0)
        if filtre == 1: rangee[x] = (rangee[x] + a) & 255
        elif filtre == 2: rangee[x] = (rangee[x] + b) & 255
        elif filtre == 3: rangee[x] = (rangee[x] + (a + b) // 2) & 255
        elif filtre == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            rangee[x] = (rangee[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    if 5 <= y < h - 5:
        for x in range(5, l - 5):
            compte += rangee[x * pas:x * pas + 3] != b"\xff\xff\xff"
    precedente = rangee
print(compte)
EOF
}

# Lance gelim --batch dans la racine (depuis /tmp, où il n'y a aucun exemple) et
# échoue si le programme ne trouve pas un fichier ou signale une erreur.
lancer() {
  local nom=$1
  shift
  local code=0
  dans sh -c "cd /tmp && gelim --batch $* >/tmp/$nom.sortie 2>/tmp/$nom.erreurs" || code=$?
  if [ $code != 0 ]; then
    cat "$neuve/tmp/$nom.sortie" "$neuve/tmp/$nom.erreurs" >&2
    echouer "gelim --batch $* : code $code"
  fi
  if grep -E "Erreur en ouverture|DIALOGUE J E   N E   C O M P R E N D S|E R R E U R   A   L ' E X E C U T I O N" \
    "$neuve/tmp/$nom.sortie" "$neuve/tmp/$nom.erreurs" >&2; then
    echouer "gelim --batch $* : fichier introuvable ou erreur signalée"
  fi
}

exemples=/usr/share/gelim/examples
lancer carre "$exemples/carre.gra --image /tmp/x.png"
[ -s "$neuve/tmp/x.png" ] || echouer "gelim --batch n'a pas écrit /tmp/x.png"
n=$(pixels_dessines "$neuve/tmp/x.png")
echo "  carre.gra : $n pixels dessinés dans /tmp/x.png"
[ "$n" -gt 1000 ] || echouer "l'image de carre.gra est (presque) blanche : $n pixels"

# charge('...') sans chemin, depuis /tmp : le programme doit trouver ses exemples installés.
lancer chargeur "-e \"charge('chargeur.gra');\" --image /tmp/chargeur.png"
# Le dernier exemple que chargeur.gra charge à son tour, et sa fonction apprise.
grep -qx "rosace.gra" "$neuve/tmp/chargeur.sortie" && grep -q "fonction : 'hexagone' !" "$neuve/tmp/chargeur.sortie" ||
  echouer "chargeur.gra n'a pas été lu (ou n'a pas chargé rosace.gra) depuis $exemples"
n=$(pixels_dessines "$neuve/tmp/chargeur.png")
echo "  charge('chargeur.gra') : $n pixels dessinés"
[ "$n" -gt 1000 ] || echouer "le dessin de chargeur.gra est (presque) blanc : $n pixels"
# Chaque thème a son chargeur ; tous se lancent sans erreur depuis les exemples installés.
themes=0
for chemin in "$neuve$exemples"/chargeur.*; do
  f=$(basename "$chemin")
  lancer "theme-$f" "-e \"charge('$f');\""
  themes=$((themes + 1))
done
echo "  $themes chargeurs de thèmes lancés sans erreur"
[ $themes -ge 14 ] || echouer "seulement $themes chargeurs installés"

# L'aide que F1 ouvre : ../share/gelim/aide à côté du programme, et chaque page liée est là.
aide="$neuve/usr/share/gelim/aide"
[ -f "$aide/index.html" ] || echouer "l'aide n'est pas installée dans /usr/share/gelim/aide"
pages=0
for page in $(grep -ho 'href="[^"#:]*\.html' "$aide"/*.html | sed 's/href="//' | sort -u); do
  [ -f "$aide/$page" ] || echouer "l'aide installée renvoie à $page, absent"
  pages=$((pages + 1))
done
echo "  aide installée : $pages pages liées, toutes présentes"

# L'application de bureau démarre (plate-forme hors écran) et attend l'élève sans planter.
set +e
dans sh -c 'cd /tmp && QT_QPA_PLATFORM=offscreen timeout 5 gelim >/tmp/bureau.journal 2>&1'
code=$?
set -e
[ $code = 124 ] || { cat "$neuve/tmp/bureau.journal" >&2; echouer "l'application de bureau s'arrête seule (code $code)"; }
echo "  l'application de bureau démarre et attend (arrêtée au bout de 5 s)"

fin=$(date +%s)
echo "== Paquet vérifié sur une Debian $VERSION_CODENAME neuve : $(basename "$paquet")," \
  "$(stat -c %s "$paquet") octets, installé $(dpkg-deb -f "$paquet" Installed-Size) Kio ; $((fin - debut)) s au total."
