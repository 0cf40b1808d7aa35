// La carte des lieux : remplie par l'analyse d'un texte de l'élève, copiée
// avec les corps des fonctions, oubliée cellule par cellule au balayage.
#include "syntax/lieux.h"

#include <algorithm>

#include "objects/interp.h"

namespace gelim {

namespace {

// La ligne (depuis 0) et la colonne d'un caractère du texte analysé, d'après
// la table des lignes que le lexer vient de remplir.
void LigneEtColonne(const Interp& I, int32_t pos, int32_t& ligne, int32_t& colonne) {
    const auto debut = I.TabMemoEditLigInfo.begin();
    const auto fin = debut + std::min<size_t>(I.InxFreeNextTabMemoEditLigInfo, I.TabMemoEditLigInfo.size());
    auto l = std::upper_bound(debut, fin, pos, [](int32_t p, const MemoEditLigInfo& m) { return p < m.debut; });
    if (l != debut) --l;
    ligne = int32_t(l - debut);
    colonne = l == fin ? pos : pos - l->debut;
}

}  // namespace

void AnnoncerUnFichier(Interp& I, const std::string& nom) {
    I.lieux.annonce = true;
    I.lieux.prochain = {GenreDeTexte::Fichier, nom};
}

void CommencerLesLieux(Interp& I) {
    CarteDesLieux& c = I.lieux;
    TexteAnalyse t;
    if (c.annonce)
        t = c.prochain;
    else
        t.genre = I.mode == Interp::Mode::Editeur ? GenreDeTexte::Editeur : GenreDeTexte::LigneDeCommande;
    c.annonce = false;
    c.texteCourant = ++c.dernierTexte;
    c.textes[c.texteCourant] = std::move(t);
    c.notesDuTexte = 0;
    c.enregistrer = true;
}

void FinirLesLieux(Interp& I) {
    CarteDesLieux& c = I.lieux;
    c.enregistrer = false;
    // Un texte dont aucune forme n'a de place (une ligne vide) n'est pas gardé :
    // des milliers de commandes vides ne remplissent pas la mémoire.
    if (c.notesDuTexte == 0) c.textes.erase(c.texteCourant);
}

void NoterLeLieu(Interp& I, Objet* forme, int32_t premier, int32_t dernier) {
    CarteDesLieux& c = I.lieux;
    if (!c.enregistrer || !EstCellule(forme) || forme == I.pgNil) return;
    if (premier < 0 || dernier < premier || size_t(dernier) >= c.debutJeton.size()) return;
    Lieu l;
    l.texte = c.texteCourant;
    LigneEtColonne(I, c.debutJeton[size_t(premier)], l.ligne, l.colonne);
    LigneEtColonne(I, c.finJeton[size_t(dernier)], l.ligneFin, l.colonneFin);
    c.lieux[forme] = l;
    ++c.notesDuTexte;
}

void CopierLeLieu(Interp& I, const Objet* forme, const Objet* copie) {
    auto& lieux = I.lieux.lieux;
    auto it = lieux.find(forme);
    if (it == lieux.end() || forme == copie) return;
    const Lieu l = it->second;  // l'insertion peut déplacer les éléments
    lieux[copie] = l;
}

const Lieu* LieuDe(const Interp& I, const Objet* forme) {
    if (!forme) return nullptr;
    auto it = I.lieux.lieux.find(forme);
    return it == I.lieux.lieux.end() ? nullptr : &it->second;
}

const TexteAnalyse* TexteDuLieu(const Interp& I, const Lieu& lieu) {
    auto it = I.lieux.textes.find(lieu.texte);
    return it == I.lieux.textes.end() ? nullptr : &it->second;
}

void OublierLesLieuxLibres(Interp& I) {
    CarteDesLieux& c = I.lieux;
    std::erase_if(c.lieux, [](const auto& p) { return !static_cast<const Cellule*>(p.first)->marque; });
    std::vector<uint32_t> gardes;
    for (const auto& [forme, lieu] : c.lieux) gardes.push_back(lieu.texte);
    std::sort(gardes.begin(), gardes.end());
    std::erase_if(c.textes, [&](const auto& p) {
        return p.first != c.texteCourant && !std::binary_search(gardes.begin(), gardes.end(), p.first);
    });
}

}  // namespace gelim
