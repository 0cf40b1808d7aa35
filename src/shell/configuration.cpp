#include "shell/configuration.h"

#include <utility>

namespace gelim {

std::unique_ptr<Interp> CreerInterprete(Hote& hote, const Configuration& c) {
    auto I = std::make_unique<Interp>(hote);
    I->dessin = c.dessin;
    I->vue = c.vue;
    I->precedent = c.precedent;
    I->profondeurNativeMax = c.profondeurNativeMax;
    I->dossiersCharge = c.dossiersCharge;
    I->nomSysteme = c.nomSysteme;
    I->lignesDesErreurs = c.lignesDesErreurs;
    return I;
}

void FixerLesDossiersDeCharge(Interp& I, std::vector<std::string> dossiers) {
    I.dossiersCharge = std::move(dossiers);
}

void AjouterLeDossierDuProgramme(Interp& I, const std::string& dossier) {
    auto& d = I.dossiersCharge;
    d.insert(d.begin() + (d.empty() ? 0 : 1), dossier);
}

int LireReglage(const Interp& I, Reglage r) {
    switch (r) {
        case Reglage::AffichageAnalyse: return I.affichageAnalyse;
        case Reglage::PasAPas: return I.pasapas && I.pasapas->valeur && I.pasapas->valeur != I.pgFalse;
        case Reglage::ChampClos: return I.champClos;
        case Reglage::ProfondeurArbres: return I.gProfondeurArbres;
    }
    return 0;
}

void Regler(Interp& I, Reglage r, int valeur) {
    switch (r) {
        case Reglage::AffichageAnalyse: I.affichageAnalyse = valeur != 0; break;
        case Reglage::PasAPas:
            I.pasapas->valeur = valeur ? I.pgTrue : I.pgFalse;
            I.gProfondeurPasAPas = 0;
            break;
        case Reglage::ChampClos: I.champClos = valeur ? 1 : 0; break;
        case Reglage::ProfondeurArbres: I.gProfondeurArbres = valeur < 3 ? 3 : valeur; break;
    }
}

}  // namespace gelim
