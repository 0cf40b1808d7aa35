// Le fichier de secours : un en-tête, le chemin du programme, puis le texte,
// en UTF-8, écrit par un fichier provisoire renommé (jamais à moitié).
#include "desktop/secours.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "desktop/editeur.h"

namespace gelim {

static const QByteArray kEnTete = "GELIM-SECOURS 1\n";
static constexpr int kPlaces = 16;

Secours::Secours(EditeurDeProgramme* editeur, QObject* parent) : QObject(parent), editeur_(editeur) {
    minuteur_.setSingleShot(true);
    minuteur_.setInterval(kDelaiMs);
    connect(&minuteur_, &QTimer::timeout, this, [this] { Ecrire(); });
    connect(editeur_->document(), &QTextDocument::contentsChanged, this, &Secours::Modifie);
}

Secours::~Secours() = default;

QString Secours::DossierParDefaut() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool Secours::Ouvrir(const QString& dossier) {
    if (dossier.isEmpty() || !QDir().mkpath(dossier)) return false;
    // Deux Gelim ouverts en même temps ont chacun leur fichier ; un verrou
    // laissé par un Gelim arrêté net est repris (son texte est rendu ici).
    for (int i = 0; i < kPlaces; ++i) {
        const QString base = QDir(dossier).filePath(QStringLiteral("programme-non-enregistre-%1").arg(i));
        auto verrou = std::make_unique<QLockFile>(base + QStringLiteral(".verrou"));
        verrou->setStaleLockTime(0);
        if (!verrou->tryLock(0)) continue;
        verrou_ = std::move(verrou);
        fichier_ = base + QStringLiteral(".txt");
        return true;
    }
    return false;
}

bool Secours::LireLeTexteEnAttente(TexteEnAttente& t) const {
    if (fichier_.isEmpty()) return false;
    QFile f(fichier_);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray octets = f.readAll();
    if (!octets.startsWith(kEnTete)) return false;
    const qsizetype finChemin = octets.indexOf('\n', kEnTete.size());
    if (finChemin < 0) return false;
    t.chemin = QString::fromUtf8(octets.mid(kEnTete.size(), finChemin - kEnTete.size()));
    t.texte = QString::fromUtf8(octets.mid(finChemin + 1));
    return !t.texte.trimmed().isEmpty();
}

void Secours::Modifie() {
    // Au plus deux secondes de retard, même pendant une frappe continue.
    if (!fichier_.isEmpty() && editeur_->document()->isModified() && !minuteur_.isActive()) minuteur_.start();
}

bool Secours::Ecrire() {
    if (fichier_.isEmpty() || !editeur_->document()->isModified()) return false;
    QSaveFile f(fichier_);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(kEnTete);
    f.write(editeur_->Chemin().toUtf8());
    f.write("\n");
    f.write(editeur_->toPlainText().toUtf8());
    return f.commit();
}

void Secours::EcrireMaintenant() {
    if (!minuteur_.isActive()) return;
    minuteur_.stop();
    Ecrire();
}

void Secours::Oublier() {
    minuteur_.stop();
    if (!fichier_.isEmpty()) QFile::remove(fichier_);
}

}  // namespace gelim
