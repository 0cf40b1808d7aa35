// Provisoire : le bureau arrive avec son propre travail.
#include "desktop/bureau.h"

#include <cstdio>

namespace gelim {
int LancerLeBureau(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::puts("Usage : gelim --batch [OPTIONS] [FICHIER ...]");
    return 0;
}
} // namespace gelim
