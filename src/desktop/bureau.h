// Le bureau : la fenêtre principale et ses quatre fenêtres filles.
#pragma once

class QApplication;
class QTranslator;

namespace gelim {
int LancerLeBureau(int argc, char** argv);
// Les images, icônes et pages d'aide compilées dans la bibliothèque du bureau.
void ChargerLesRessourcesDuBureau();
// Les traductions françaises de Qt lui-même ; faux si elles manquent.
bool InstallerLesTraductionsDeQt(QApplication& application, QTranslator& traduction);
}  // namespace gelim
