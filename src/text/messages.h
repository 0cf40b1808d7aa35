// Sortie vers la fenêtre des messages, rapports d'erreur à l'exécution et
// table des lignes du texte analysé.
#pragma once

#include <array>
#include <string>

#include "objects/interp.h"

namespace gelim {

// Un texte du système : un littéral est écrit en UTF-8 dans le source et
// converti en page 1252 ; une std::string est déjà en page 1252.
struct Texte {
    std::string s;
    Texte(const char* utf8) : s(Utf8VersCp1252(utf8)) {}
    Texte(const std::string& cp1252) : s(cp1252) {}
};

// L'écriture de base : au plus 996 caractères ; une ligne qui a atteint 100
// caractères n'en prend plus.
void InsertSiYALaPlace_Line(Interp& I, const std::string& texte);
void Ecrit(Interp& I, const Texte& t);
void EcritEspace(Interp& I, const Texte& t);  // le texte et un blanc
void EcritLigne(Interp& I, const Texte& t);   // le texte et la fin de ligne
void EcritCar(Interp& I, char c);
void EcritEntier(Interp& I, long n);
void EcritEntierEspace(Interp& I, long n);
void EcritEntierLigne(Interp& I, long n);
void FinDeLigne(Interp& I);
// Une ligne à elle (la ligne en cours est d'abord finie), jamais dans le dessin.
void EcritLigneHorsDuDessin(Interp& I, const Texte& t);
void VideLesMessages(Interp& I);

// Rapports d'erreur à l'exécution ; chacun rend pgCestFaux.
Objet* ErreurExecution(Interp& I, const Texte& contexte, const Texte& message, Objet* objet);
Objet* ErreurExecution2(Interp& I, const Texte& t1, Objet* o1, const Texte& t2, Objet* o2);
Objet* ErreurExecution3(Interp& I, const Texte& t1, Objet* o1, const Texte& t2, Objet* o2, const Texte& t3, Objet* o3);

// La boîte d'erreur : genre, titre, textes t1..t7 ; calcule la disposition et les rangées.
BoiteErreur FaireBoiteErreur(GenreBoite genre, const std::string& titre, const std::array<std::string, 7>& t,
                             int image = 3);
// Montre la boîte par l'hôte (écrit la ligne d'erreur des dispositions 7 à 9).
void MontrerBoiteErreur(Interp& I, const BoiteErreur& b);

// Table des lignes.
void AfficheLaLigneFautive(Interp& I, int indice);
void EcritLaLigne(Interp& I, const MemoEditLigInfo& ligne);

}  // namespace gelim
