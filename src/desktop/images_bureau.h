// Les images que l'élève retrouve par le menu : tout format que Gelim
// enregistre se relit (BMP et PNG), et le GIF tel qu'affichebitmap le lit.
#pragma once

#include <QString>

#include "turtle/images.h"

namespace gelim {

// Lit la partie de l'image qui tiendra dans le dessin : son coin bas-gauche,
// au plus 1000 x 1000 pixels. Faux si le fichier ne se lit pas.
bool LireUneImagePourLeDessin(const QString& chemin, ImageRGB& image);

}  // namespace gelim
