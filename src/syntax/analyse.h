// Analyse du texte : lexer, grammaire des expressions et des instructions,
// trace de l'analyse et rapports d'erreur de syntaxe.
#pragma once

#include <string>

#include "objects/interp.h"

namespace gelim {

// Copie un texte (page 1252) dans gTexteAAnalyser, coupé à 64998 caractères.
void RemplirTexteAAnalyser(Interp& I, const std::string& texte);

// Lexer : ChaineBrute (vidée par l'appelant) et table des lignes.
void AnaLexTexte(Interp& I);

// L'analyse entière : gArbreDuProgramme (pgCestFaux après une erreur).
void AnalyseLeTexte(Interp& I);
void PreDeclareLesFonctions(Interp& I);
Objet* AnaSynInstructionComposee(Interp& I, int L, Objet* fermant);
Objet* AnaSynExpression(Interp& I, int L);

// Entrées de la saisie au clavier (lismot, lisnombre, lisliste).
Objet* AnaSynMot(Interp& I, int L);
Objet* AnaSynNombreSaisi(Interp& I, int L);
Objet* AnaSynListeSaisie(Interp& I, int L);

// Ligne de prévision (avec les deux bips et l'en-tête si l'affichage est éteint).
void MontreLaSuite(Interp& I);

Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F, const std::string& W);
Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F, Objet* x, const std::string& W);
Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F1, Objet* x, const std::string& F2, Objet* y,
                     const std::string& W);
Objet* ErreurAnalyseParam(Interp& I, const std::string& m1, Objet* o1, const std::string& m2, Objet* o2,
                          const std::string& m3, Objet* o3);

}  // namespace gelim
