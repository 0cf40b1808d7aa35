// Le filet de secours de l'éditeur : le texte non enregistré est gardé dans un
// fichier du dossier de données de l'utilisateur, à chaque modification (au
// plus deux secondes plus tard), et rendu au démarrage suivant si Gelim s'est
// fermé (ou arrêté net) sans qu'il ait été enregistré. Aucune question n'est
// nécessaire pour qu'il serve : deux « Entrée » de trop ne perdent plus rien.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

namespace gelim {

class EditeurDeProgramme;

class Secours : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelaiMs = 2000;

    Secours(EditeurDeProgramme* editeur, QObject* parent);
    ~Secours() override;

    // Le dossier par défaut : celui des données de l'application.
    static QString DossierParDefaut();
    // Prend une place dans le dossier (une par Gelim ouvert en même temps) ;
    // faux si le dossier ne peut servir (le filet est alors absent).
    bool Ouvrir(const QString& dossier);
    QString Fichier() const { return fichier_; }

    // Le texte qu'une séance précédente n'a pas enregistré, s'il y en a un.
    struct TexteEnAttente {
        QString chemin;  // le fichier du programme, vide pour « Sans nom »
        QString texte;
    };
    bool LireLeTexteEnAttente(TexteEnAttente& t) const;

    // Écrit tout de suite ce qui attend (fermeture).
    void EcrireMaintenant();
    // Le texte est enregistré, ou l'élève ne veut pas le reprendre : plus rien à garder.
    void Oublier();

private:
    void Modifie();
    bool Ecrire();

    EditeurDeProgramme* editeur_;
    QTimer minuteur_;
    std::unique_ptr<QLockFile> verrou_;
    QString fichier_;
};

}  // namespace gelim
