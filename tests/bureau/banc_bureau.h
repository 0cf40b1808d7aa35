// Outils communs des tests du bureau : l'inscription des classes de tests et
// une fenêtre principale prête, qui répond seule à ses boîtes.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace gelim {

class FenetrePrincipale;

// Chaque fichier de tests inscrit sa classe ; main les lance toutes.
struct InscriptionDeTests {
    InscriptionDeTests(const char* nom, std::function<QObject*()> fabrique);
    static std::vector<std::pair<QString, std::function<QObject*()>>>& Liste();
};
#define GELIM_TESTS_BUREAU(Classe) \
    static ::gelim::InscriptionDeTests inscription##Classe(#Classe, [] { return new Classe; })

// Un dossier de secours vide, propre à une fenêtre (rien d'une autre n'y attend).
QString DossierDeSecoursNeuf();

// Une fenêtre principale démarrée, boîtes répondues automatiquement.
std::unique_ptr<FenetrePrincipale> FenetreDemarree();

// Le texte des messages tel que la vue le montre.
QString TexteDesMessages(FenetrePrincipale& f);

}  // namespace gelim
