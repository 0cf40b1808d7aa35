#include "batch/face_qt.h"

#include <dlfcn.h>

#include <mutex>

#include "shell/chemins.h"

#ifndef GELIM_DOSSIER_FACE_QT
#define GELIM_DOSSIER_FACE_QT "lib/gelim"
#endif

namespace gelim {

namespace {
constexpr const char* kNomFaceQt = "libgelim_qt.so";
}

const ServicesQt* ChargerLaFaceQt(std::string& erreur) {
    static std::once_flag une;
    static const ServicesQt* services = nullptr;
    static std::string raison;
    std::call_once(une, [] {
        const std::string ici = DossierDuProgramme();
        // Dans le dossier de construction, elle est à côté du programme ;
        // installée, dans la bibliothèque propre à Gelim.
        for (const std::string& chemin :
             {ici + "/" + kNomFaceQt, ici + "/../" + GELIM_DOSSIER_FACE_QT + "/" + kNomFaceQt}) {
            void* bibliotheque = dlopen(chemin.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!bibliotheque) {
                raison += std::string(raison.empty() ? "" : " ; ") + dlerror();
                continue;
            }
            auto entree = reinterpret_cast<EntreeFaceQt>(dlsym(bibliotheque, kEntreeFaceQt));
            if (entree && (services = entree())) return;
            raison += std::string(raison.empty() ? "" : " ; ") + chemin + " : point d'entrée absent";
        }
    });
    if (!services) erreur = raison;
    return services;
}

}  // namespace gelim
