// Outils communs des tests du bureau : l'inscription des classes de tests et
// une fenêtre principale prête, qui répond seule à ses boîtes.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
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

// Une fenêtre principale démarrée, boîtes répondues automatiquement (d'abord
// par « reponse » si donnée) ; le journal du démarrage est vidé sauf demande.
std::unique_ptr<FenetrePrincipale> FenetreDemarree(const QString& secours = {}, const QString& reponse = {},
                                                   bool garderLeJournal = false);

// Le texte des messages tel que la vue le montre.
QString TexteDesMessages(FenetrePrincipale& f);

// Tape une ligne de commande, la valide et attend la fin du programme (sauf demande).
bool Taper(FenetrePrincipale& f, const QString& texte, bool attendre = true);
// Le pixel du dessin est noir.
bool Noir(FenetrePrincipale& f, int x, int y);
// Une ligne du journal de l'hôte commence par « debut ».
bool JournalContient(FenetrePrincipale& f, const QString& debut);
// Les boîtes de fichiers répondent, dans l'ordre, les chemins de « choix ».
void ChoisirLesFichiers(FenetrePrincipale& f, QStringList& choix);
// Écrit ou relit un fichier entier (vide si illisible).
bool EcrireLeFichier(const QString& chemin, const QByteArray& octets);
QByteArray LireLeFichier(const QString& chemin);
// Les filles à l'état normal, visibles selon les réglages, à leur place dans la zone cliente.
void VerifierLesFilles(FenetrePrincipale& f);

}  // namespace gelim
