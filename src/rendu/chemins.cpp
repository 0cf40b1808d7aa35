#include "rendu/chemins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>

namespace gelim {

std::string DossierDesExemples() {
    if (const char* env = std::getenv("GELIM_EXEMPLES"); env && QFileInfo(QString::fromLocal8Bit(env)).isDir())
        return env;
    QString ici = QCoreApplication::applicationDirPath();
    for (const char* relatif : {"/../share/gelim/examples", "/../examples", "/../../examples"}) {
        QString chemin = QDir::cleanPath(ici + QString::fromLatin1(relatif));
        if (QFileInfo(chemin).isDir()) return QDir::toNativeSeparators(chemin).toLocal8Bit().toStdString();
    }
    return {};
}

} // namespace gelim
