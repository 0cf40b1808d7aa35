// Les sons du bureau : une note d'une fréquence et d'une durée (bipfd), un
// fichier son (joue). Sans module multimédia, ou sans sortie audio, un bip.
#pragma once

#include <QObject>
#include <QString>

namespace gelim {

class Sonnerie : public QObject {
    Q_OBJECT
public:
    explicit Sonnerie(QObject* parent = nullptr) : QObject(parent) {}
    // Fil de l'interface. La note ne bloque pas : l'appelant attend la durée.
    void Note(int frequence, int dureeMs);
    void Fichier(const QString& chemin);
};

}  // namespace gelim
