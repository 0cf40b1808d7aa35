// Saisie au clavier, sortie vers les fenêtres, définition des fonctions,
// chargement et lecture des fichiers programmes.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "objects/imprime.h"
#include "primitives/primitives.h"
#include "shell/pilote.h"
#include "syntax/analyse.h"
#include "text/messages.h"
#include "turtle/tortue.h"

namespace gelim {

namespace {

// Les trois lectures : le texte tapé devient le texte analysé, puis une règle
// d'entrée lit à partir du premier jeton.
Objet* Lire(Interp& I, const std::string& titre, const std::string& messageAnnule, Objet* (*regle)(Interp&, int)) {
    std::string tape;
    if (!I.hote.Saisie(titre, TXT("Validez avec la touche 'Entrée'"), tape)) {
        EcritLigne(I, messageAnnule);
        return I.pgFalse;
    }
    I.ChaineBrute.clear();
    I.gPosAnalyse = 0;
    I.gErreurAnalyse = false;
    RemplirTexteAAnalyser(I, tape);
    AnaLexTexte(I);
    Objet* r = regle(I, 0);
    if (!r) r = I.pgCestFaux;
    I.gArbreDuProgramme = r;
    return r;
}

// Troncature sûre pour une position en pixels.
int PixelTronque(float v) {
    if (std::isnan(v)) return 0;
    if (v > 1e9f) return 1000000000;
    if (v < -1e9f) return -1000000000;
    return static_cast<int>(v);
}

char MajusculeAscii(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}
char MinusculeAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// UTF-8 vers 1252 sur tout le texte, octets nuls compris.
std::string Utf8VersCp1252Complet(const std::string& s) {
    std::string r;
    size_t debut = 0;
    for (;;) {
        size_t nul = s.find('\0', debut);
        r += Utf8VersCp1252(s.substr(debut, nul == std::string::npos ? std::string::npos : nul - debut).c_str());
        if (nul == std::string::npos) break;
        r += '\0';
        debut = nul + 1;
    }
    return r;
}

}  // namespace

Objet* PrimLisMot(Interp& I) {
    return Lire(I, TXT("Entrez votre mot au clavier"), TXT("Erreur dans la lecture du mot"), AnaSynMot);
}

Objet* PrimLisNombre(Interp& I) {
    return Lire(I, TXT("Entrez votre nombre au clavier"), TXT("Erreur dans la lecture du mot"), AnaSynNombreSaisi);
}

Objet* PrimLisListe(Interp& I) {
    return Lire(I, TXT("Entrez votre liste au clavier"), TXT("Erreur dans la lecture de la liste"), AnaSynListeSaisie);
}

Objet* PrimGetchar(Interp& I) {
    Touche t = I.hote.AttendreTouche();
    if (t.genre == Touche::Aucune) return I.pgNil;  // arrêt demandé
    // Une touche donne son code de touche virtuelle ; un clic, l'état des boutons.
    int code;
    if (t.genre == Touche::Clavier)
        code = t.code & 0xFF;
    else
        code = t.genre == Touche::ClicGauche ? 0x01 : 0x02;
    char c = static_cast<char>(code);
    c = t.majusculesVerrouillees ? MajusculeAscii(c) : MinusculeAscii(c);
    return I.CarteCaractere(static_cast<unsigned char>(c));
}

Objet* PrimVideTexte(Interp& I) {
    VideLesMessages(I);
    EcritLigne(I, "OK !");
    return I.pgNil;
}

Objet* PrimRecycle(Interp& I) {
    I.DemandeDeRecuperation = true;
    return I.pgNil;
}

Objet* PrimPretty(Interp& I, Objet* x) {
    ImprimeArbre(I, x, 0, 0);
    return I.pgNil;
}

Objet* PrimMontre(Interp& I, Objet* x) {
    if (I.EstMarqueur(x)) {
        x = CEL(CEL(x)->cdr)->car;
        EcritLigne(I, "Le 'return' ne doit pas être utilisé à l'intérieur d'une impression.");
    }
    bool modeAvant = I.modeTexteGraphique;
    I.modeTexteGraphique = true;
    // Le curseur de texte n'avance pas : le prochain « montre » repart du même point.
    int px = 500 + PixelTronque(I.tortue.curseurX);
    int py = 500 - PixelTronque(I.tortue.curseurY);
    if (I.vue) I.vue->DeplacerVers(px, py);
    if (I.dessin) I.dessin->DeplacerVers(px, py);
    Imprime(I, x, true);
    // Rendre l'état d'avant (éteint, sauf si une impression englobante l'avait allumé).
    I.modeTexteGraphique = modeAvant;
    I.hote.DessinModifie();
    return I.pgNil;
}

Objet* PrimCharge(Interp& I, Objet* x) {
    if (!EstNom(x)) {
        EcritLigne(I, "Charge veut comme paramètre le nom d'un fichier.");
        return I.pgNil;
    }
    std::string nom = MS(x)->nom;
    ExecuterLogo0(I, I.Prim(kVideEcran));  // videecran
    EcritLigne(I, nom);
    ChargerEtExecuter(I, nom);
    return I.pgNil;
}

Objet* PrimTexte(Interp& I, Objet* x) {
    if (!EstNom(x)) return ErreurExecution(I, "Texte", "Le param 1 n'est pas un Nom", x);
    Nom* n = NOM(x);
    if (n->nbParamsFDU != -1) {
        Ecrit(I, "Voici le nombre de paramètre(s) : ");
        EcritEntierLigne(I, n->nbParamsFDU);
        return I.mp(x, n->definition);
    }
    EcritLigne(I, "La fonction/procédure n'est pas définie.");
    return I.pgNil;
}

LectureProgramme LireFichierProgramme(const std::string& nom, std::string& texteCp1252, bool& utf8) {
    // Un périphérique ou un tube ne s'ouvre même pas : sa lecture n'aurait pas
    // de fin, ou attendrait son écrivain.
    std::error_code erreur;
    const auto etat = std::filesystem::status(nom, erreur);
    if (erreur || !std::filesystem::exists(etat) || std::filesystem::is_directory(etat))
        return LectureProgramme::Introuvable;
    if (!std::filesystem::is_regular_file(etat)) return LectureProgramme::PasUnFichier;
    std::ifstream f(nom, std::ios::binary);
    if (!f) return LectureProgramme::Introuvable;
    // Jamais plus que ce que l'analyse peut prendre, et un octet pour savoir qu'il y en a plus.
    const auto taille = std::filesystem::file_size(nom, erreur);
    std::string octets(erreur ? kOctetsProgrammeMax + 1 : std::min<size_t>(taille, kOctetsProgrammeMax) + 1, '\0');
    f.read(octets.data(), std::streamsize(octets.size()));
    octets.resize(size_t(f.gcount()));
    if (f.bad()) return LectureProgramme::Introuvable;
    if (octets.size() > kOctetsProgrammeMax) {
        octets.resize(kOctetsProgrammeMax);
        OterSequenceIncomplete(octets);
    }
    utf8 = EstUtf8Valide(octets);
    if (utf8) {
        if (octets.compare(0, 3, "\xEF\xBB\xBF") == 0) octets.erase(0, 3);  // marque d'ordre des octets
        texteCp1252 = Utf8VersCp1252Complet(octets);
    } else {
        texteCp1252 = std::move(octets);
    }
    return LectureProgramme::Lu;
}

}  // namespace gelim
