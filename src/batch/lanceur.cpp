#include "batch/lanceur.h"
namespace gelim {
int LancerSansEcran(int argc, char** argv) { (void)argc; (void)argv; return 0; }
}
