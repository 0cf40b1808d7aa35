#!/usr/bin/env bash
# Installe ce qui manque, puis construit et lance tous les tests deux fois :
# une construction normale, puis une construction avec AddressSanitizer et
# UndefinedBehaviorSanitizer ; enfin de courtes séances de fuzzing.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
bash "$racine/scripts/dependances.sh"
export QT_QPA_PLATFORM=offscreen

echo "=== Format du code, codes des primitives nommés ==="
bash "$racine/scripts/verifier_format.sh"
bash "$racine/scripts/verifier_codes.sh"
coeurs="$(nproc)"

echo "=== Construction normale ==="
cd "$racine"  # les préréglages (CMakePresets.json) se lisent depuis la racine
cmake --preset normal >/dev/null
cmake --build --preset normal -j"$coeurs"
ctest --preset normal -j"$coeurs"

echo "=== Face web : construction, transcriptions par Node, page dans chromium ==="
GELIM_COEURS="$coeurs" bash "$racine/scripts/construire_web.sh"
bash "$racine/tests/web/transcriptions_noeud.sh" "$racine/build-web/gelim-noeud"
node --test "$racine/tests/web/test_page.mjs"

echo "=== Construction avec les assainisseurs (adresse, comportement indéfini) ==="
# Le mode d'épreuve y est construit, éteint : GELIM_EPREUVE=1 l'allume (plus bas).
cmake --preset assainisseurs >/dev/null
cmake --build --preset assainisseurs -j"$coeurs"
ctest --preset assainisseurs -j"$coeurs"

echo "=== Mode d'épreuve : collecte à chaque nombre, objets repris empoisonnés ==="
# Une collecte complète par nombre pris : les transcriptions qui calculent peu,
# et quelques centaines de programmes engendrés (une autre graine que le test).
cas_epreuve='transcription\.(eval_|fdu_|factorielle|temporaires|pilote_return|trace_recursive|boucles|prim_listes|prim_numeriques|impression)'
GELIM_EPREUVE=1 ctest --preset assainisseurs -j"$coeurs" --timeout 600 -R "${GELIM_EPREUVE_CAS:-$cas_epreuve}"
GELIM_EPREUVE=1 ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$racine/build-asan/gelim_programmes_generes" "${GELIM_EPREUVE_PROGRAMMES:-300}" 11

echo "=== Fuzzing (clang, libFuzzer) ==="
cmake --preset fuzz >/dev/null
cibles=$(cd "$racine/fuzz" && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
if [ -n "$cibles" ]; then
  cmake --build --preset fuzz -j"$coeurs" --target $cibles
  for c in $cibles; do
    corpus="$racine/fuzz/corpus_${c#fuzz_}"
    travail="$(mktemp -d)"
    [ -d "$corpus" ] && cp -r "$corpus/." "$travail/"
    echo "--- $c : ${GELIM_DUREE_FUZZ:-30} s"
    "$racine/build-fuzz/fuzz/$c" -max_total_time="${GELIM_DUREE_FUZZ:-30}" -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=0 "$travail" 2>&1 | tail -n 3
    rm -rf "$travail"
  done
fi
echo "Tous les tests sont passés."
