// Point d'entrée : « gelim --batch ... » pour le lanceur sans écran, sinon le bureau.
#include <cstring>

#include "batch/lanceur.h"
#include "desktop/bureau.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--batch") == 0) return gelim::LancerSansEcran(argc, argv);
    return gelim::LancerLeBureau(argc, argv);
}
