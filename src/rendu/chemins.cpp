#include "rendu/chemins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>

namespace gelim {

// La variable d'environnement d'abord, puis les places relatives au programme.
static std::string DossierAccompagnant(const char* variable, const QString& nom) {
    if (const char* env = std::getenv(variable); env && QFileInfo(QString::fromLocal8Bit(env)).isDir()) return env;
    const QString ici = QCoreApplication::applicationDirPath();
    for (const QString& relatif :
         {QStringLiteral("/../share/gelim/"), QStringLiteral("/../"), QStringLiteral("/../../")}) {
        const QString chemin = QDir::cleanPath(ici + relatif + nom);
        if (QFileInfo(chemin).isDir()) return QDir::toNativeSeparators(chemin).toLocal8Bit().toStdString();
    }
    return {};
}

std::string DossierDesExemples() {
    return DossierAccompagnant("GELIM_EXEMPLES", QStringLiteral("examples"));
}

std::string DossierDeLAide() {
    return DossierAccompagnant("GELIM_AIDE", QStringLiteral("aide"));
}

}  // namespace gelim
