// Le banc des tests : un interprète neuf sur l'hôte scripté.
#pragma once

#include <memory>
#include <string>

#include "objects/interp.h"
#include "rendu/surface_qimage.h"
#include "shell/hote_scripte.h"
#include "text/messages.h"

namespace gelim {

// L'hôte du lanceur sans écran, qui garde en plus les boîtes et distingue les bips.
class HoteEnregistreur : public HoteScripte {
public:
    HoteEnregistreur() {
        bipsDistincts = true;
        garderBoites = true;
    }
};

// Un interprète neuf avec ses trois surfaces, prêt comme au démarrage.
struct Banc {
    HoteEnregistreur hote;
    SurfaceQImage dessin, vue, precedent;
    std::unique_ptr<Interp> I;
    Banc() : I(std::make_unique<Interp>(hote)) {
        I->dessin = &dessin;
        I->vue = &vue;
        I->precedent = &precedent;
    }
    // Le texte de la fenêtre des messages, en UTF-8.
    std::string Messages() const { return Cp1252VersUtf8(I->messages.Texte()); }
};

}  // namespace gelim
