// L'enregistrement d'une image dans un fichier, sans jamais abîmer le fichier
// précédent : tout est écrit à côté, puis mis à sa place d'un seul coup.
#pragma once

#include <QImage>
#include <QString>

namespace gelim {

// Écrit l'image dans un fichier provisoire du même dossier, puis le renomme ;
// en cas d'échec (disque plein...), l'ancien fichier reste intact. Le format
// se lit sur l'extension quand il n'est pas donné. Rend faux en cas d'échec.
bool EnregistrerImage(const QImage& image, const QString& chemin, const char* format = nullptr);

}  // namespace gelim
