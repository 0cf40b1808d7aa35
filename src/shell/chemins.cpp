#include "shell/chemins.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace gelim {

namespace fs = std::filesystem;

namespace {

bool EstUnDossier(const fs::path& p) {
    std::error_code e;
    return fs::is_directory(p, e);
}

// La variable d'environnement d'abord, puis les places relatives au programme.
std::string DossierAccompagnant(const char* variable, const char* nom) {
    if (const char* env = std::getenv(variable); env && EstUnDossier(env)) return env;
    const std::string ici = DossierDuProgramme();
    if (ici.empty()) return {};
    for (const char* relatif : {"/../share/gelim/", "/../", "/../../"}) {
        const fs::path chemin = fs::path(ici + relatif + nom).lexically_normal();
        if (EstUnDossier(chemin)) return chemin.string();
    }
    return {};
}

}  // namespace

std::string DossierDuProgramme() {
    char tampon[4096];
    const ssize_t n = readlink("/proc/self/exe", tampon, sizeof tampon - 1);
    if (n <= 0) return {};
    return fs::path(std::string(tampon, size_t(n))).parent_path().string();
}

std::string DossierDesExemples() {
    return DossierAccompagnant("GELIM_EXEMPLES", "examples");
}

std::string DossierDeLAide() {
    return DossierAccompagnant("GELIM_AIDE", "aide");
}

}  // namespace gelim
