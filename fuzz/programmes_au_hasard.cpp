// La cible de l'évaluateur sans libFuzzer (toute construction, assainisseurs et
// mode d'épreuve compris) : N programmes tirés d'une graine, ou les fichiers
// donnés (une entrée trouvée par le fuzzing, rejouée telle quelle).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille);

int main(int argc, char** argv) {
    if (argc > 1 && std::ifstream(argv[1])) {
        for (int i = 1; i < argc; ++i) {
            std::ifstream f(argv[i], std::ios::binary);
            std::vector<uint8_t> octets((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(octets.data(), octets.size());
        }
        std::printf("%d entrées rejouées\n", argc - 1);
        return 0;
    }
    const int nombre = argc > 1 ? std::atoi(argv[1]) : 300;
    const unsigned graine = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 1u;
    std::mt19937 hasard(graine);
    std::vector<uint8_t> octets;
    for (int k = 0; k < nombre; ++k) {
        octets.resize(16 + hasard() % 496);
        for (uint8_t& o : octets) o = uint8_t(hasard());
        LLVMFuzzerTestOneInput(octets.data(), octets.size());
    }
    std::printf("%d programmes engendrés exécutés (graine %u)\n", nombre, graine);
    return 0;
}
