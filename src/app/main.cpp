// Point d'entrée : « gelim --batch ... » pour le lanceur sans écran, sinon le
// bureau, dans la bibliothèque de la face Qt (le lanceur se passe de Qt).
#include <sys/mman.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "batch/face_qt.h"
#include "batch/lanceur.h"

// Les grands blocs (la réserve de 300000 cellules, la pile des environnements,
// les trois dessins de 1000 x 1000) se remplissent dès le démarrage : page par
// page, ce sont des milliers de défauts de page, l'essentiel du démarrage d'un
// programme vide. Alignés sur 2 Mio et signalés au noyau, ils se contentent de
// quelques grandes pages. Le bloc vient de posix_memalign : l'operator delete
// de la bibliothèque (free) le rend comme les autres. Les assainisseurs gardent
// leur propre operator new (ils vérifient les paires new et delete).
#if defined(__SANITIZE_ADDRESS__)
#define GELIM_AVEC_ASSAINISSEUR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GELIM_AVEC_ASSAINISSEUR 1
#endif
#endif

#ifndef GELIM_AVEC_ASSAINISSEUR
void* operator new(std::size_t taille) {
    constexpr std::size_t kGrandePage = std::size_t(2) << 20;
    if (taille >= kGrandePage) {
        // Arrondi à la grande page : la fin du bloc en profite aussi.
        const std::size_t arrondi = (taille + kGrandePage - 1) & ~(kGrandePage - 1);
        void* p = nullptr;
        if (posix_memalign(&p, kGrandePage, arrondi) == 0) {
            madvise(p, arrondi, MADV_HUGEPAGE);
            return p;
        }
    }
    for (;;) {
        if (void* p = std::malloc(taille ? taille : 1)) return p;
        std::new_handler gestionnaire = std::get_new_handler();
        if (!gestionnaire) throw std::bad_alloc();
        gestionnaire();
    }
}
#endif

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--batch") == 0) return gelim::LancerSansEcran(argc, argv);
    std::string erreur;
    const gelim::ServicesQt* qt = gelim::ChargerLaFaceQt(erreur);
    if (!qt) {
        std::fprintf(stderr,
                     "Gelim : la bibliothèque de la face Qt est introuvable (%s) ; seul « gelim --batch » "
                     "fonctionne sans elle.\n",
                     erreur.c_str());
        return 1;
    }
    return qt->lancerLeBureau(argc, argv);
}
