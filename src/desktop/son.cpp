// Notes et fichiers son, par le module multimédia quand il est là.
#include "desktop/son.h"

#include <QApplication>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#ifdef GELIM_AVEC_SON
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#endif

namespace gelim {

void Sonnerie::Note(int frequence, int dureeMs) {
    // Les fréquences qu'un haut-parleur de PC sait rendre.
    if (frequence < 37 || frequence > 32767 || dureeMs <= 0) return;
#ifdef GELIM_AVEC_SON
    const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (sortie.isNull() || !sortie.isFormatSupported(format)) {
        QApplication::beep();
        return;
    }
    // Au plus 30 secondes de son en mémoire.
    const int echantillons = int(int64_t(std::min(dureeMs, 30000)) * format.sampleRate() / 1000);
    QByteArray donnees(echantillons * 2, Qt::Uninitialized);
    auto* p = reinterpret_cast<int16_t*>(donnees.data());
    const double pas = 2.0 * M_PI * frequence / format.sampleRate();
    for (int i = 0; i < echantillons; ++i) p[i] = int16_t(9000.0 * std::sin(pas * i));
    auto* tampon = new QBuffer(this);
    tampon->setData(donnees);
    tampon->open(QIODevice::ReadOnly);
    auto* sortieAudio = new QAudioSink(sortie, format, this);
    connect(sortieAudio, &QAudioSink::stateChanged, this, [sortieAudio, tampon](QAudio::State etat) {
        if (etat == QAudio::IdleState || etat == QAudio::StoppedState) {
            sortieAudio->disconnect();
            sortieAudio->stop();
            sortieAudio->deleteLater();
            tampon->deleteLater();
        }
    });
    sortieAudio->start(tampon);
#else
    QApplication::beep();
#endif
}

void Sonnerie::Fichier(const QString& chemin) {
    if (!QFileInfo::exists(chemin)) {
        QApplication::beep();  // comme un son introuvable : le son par défaut
        return;
    }
#ifdef GELIM_AVEC_SON
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        QApplication::beep();
        return;
    }
    auto* lecteur = new QMediaPlayer(this);
    auto* sortie = new QAudioOutput(lecteur);
    lecteur->setAudioOutput(sortie);
    connect(lecteur, &QMediaPlayer::mediaStatusChanged, this, [lecteur](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia) lecteur->deleteLater();
    });
    lecteur->setSource(QUrl::fromLocalFile(chemin));
    lecteur->play();
#else
    QApplication::beep();
#endif
}

}  // namespace gelim
