// Le bureau : la fenêtre principale et ses quatre fenêtres filles.
#pragma once

namespace gelim {
int LancerLeBureau(int argc, char** argv);
}
