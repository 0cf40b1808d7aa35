// Les durées mesurées par les tests ne valent que hors des assainisseurs,
// qui ralentissent tout plusieurs fois : elles n'y sont pas vérifiées.
#pragma once

namespace gelim {
#ifdef GELIM_ASSAINI
constexpr bool kDureesVerifiees = false;
#else
constexpr bool kDureesVerifiees = true;
#endif
}  // namespace gelim
