// Le lanceur sans écran : gelim --batch [OPTIONS] [ENTRÉES ...]
#pragma once

namespace gelim {
int LancerSansEcran(int argc, char** argv);
}
