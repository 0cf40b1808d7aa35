// Un PNG sans bibliothèque : pixels RGB, blocs deflate non compressés.
#pragma once

#include <string>

#include "turtle/surface_memoire.h"

namespace gelim {

bool EcrirePng(const SurfaceMemoire& s, const std::string& chemin);

}  // namespace gelim
