// Provisoire : remplacé par la vraie réalisation.
#include "syntax/analyse.h"

namespace gelim {
void RemplirTexteAAnalyser(Interp& I, const std::string& texte) {}
void AnaLexTexte(Interp& I) {}
void AnalyseLeTexte(Interp& I) {}
void PreDeclareLesFonctions(Interp& I) {}
Objet* AnaSynInstructionComposee(Interp& I, int L, Objet* fermant) { (void)I; return nullptr; }
Objet* AnaSynExpression(Interp& I, int L) { (void)I; return nullptr; }
Objet* AnaSynMot(Interp& I, int L) { (void)I; return nullptr; }
Objet* AnaSynNombreSaisi(Interp& I, int L) { (void)I; return nullptr; }
Objet* AnaSynListeSaisie(Interp& I, int L) { (void)I; return nullptr; }
void MontreLaSuite(Interp& I) {}
Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F, const std::string& W) { (void)I; return nullptr; }
Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F, Objet* x, const std::string& W) { (void)I; return nullptr; }
Objet* ErreurSyntaxe(Interp& I, const std::string& S, const std::string& F1, Objet* x, const std::string& F2, Objet* y, const std::string& W) { (void)I; return nullptr; }
Objet* ErreurAnalyseParam(Interp& I, const std::string& m1, Objet* o1, const std::string& m2, Objet* o2, const std::string& m3, Objet* o3) { (void)I; return nullptr; }
}
