// Le bureau : la fenêtre principale et ses quatre fenêtres filles.
#pragma once

namespace gelim {
int LancerLeBureau(int argc, char** argv);
// Les images, icônes et pages d'aide compilées dans la bibliothèque du bureau.
void ChargerLesRessourcesDuBureau();
}  // namespace gelim
