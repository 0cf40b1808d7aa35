// Les boîtes dessinées du bureau.
#include "desktop/boites.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/hote_bureau.h"

namespace gelim {

QPixmap ImageDeBoite(int numero) {
    const int indice = (numero >= 1 && numero <= 5) ? numero - 1 : 5;
    return QPixmap(QStringLiteral(":/images/image%1.png").arg(indice, 2, 10, QLatin1Char('0')));
}

static QColor BleuDesTextes() {
    return QColor::fromRgb(kBleuDesTextes);
}

// Largeur disponible pour les boîtes : jamais plus que l'écran.
static int LargeurMaximale(QWidget* w) {
    QScreen* ecran = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return ecran ? std::max(400, ecran->availableGeometry().width() - 80) : 1200;
}

// La largeur qu'il faut pour que la barre de titre montre tout le titre (ses
// lettres espacées comprises), avec l'icône et la case de fermeture.
static int LargeurDuTitre(const QString& titre) {
    QFont f = QApplication::font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(titre) + 110;
}

namespace {
// Une boîte réduite disparaissait avec le cadre qu'elle bloque : tout état
// réduit ou agrandi est défait dès qu'il arrive (certains gestionnaires de
// fenêtres montrent ces boutons malgré les indications de la boîte).
class GardienDEtat : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objet, QEvent* e) override {
        auto* d = qobject_cast<QDialog*>(objet);
        if (d && e->type() == QEvent::WindowStateChange &&
            (d->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
            QTimer::singleShot(0, d, [d] {
                d->setWindowState(Qt::WindowNoState);
                d->show();
                d->raise();
                d->activateWindow();
            });
        return false;
    }
};
}  // namespace

// Une boîte se ferme ou se referme, elle ne se réduit ni ne s'agrandit.
static void BarreDeTitreDeBoite(QDialog* d) {
    d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                      Qt::WindowCloseButtonHint);
    d->installEventFilter(new GardienDEtat(d));
}

// ------------------------------------------------------------ boîte d'erreur

ZoneBoiteErreur::ZoneBoiteErreur(const BoiteErreur& b, QWidget* parent)
    : QWidget(parent), b_(b), image_(ImageDeBoite(b.image)) {
    // Assez large pour le plus long texte (jusqu'à la largeur de l'écran).
    QFontMetrics m(font());
    int texteLePlusLong = 0;
    for (const RangeeBoite& r : b_.rangees)
        texteLePlusLong = std::max(texteLePlusLong, m.horizontalAdvance(DuCoeur(r.texte)));
    const int largeur =
        std::clamp(std::max(kDebutPanneau + 12 + texteLePlusLong + 12, LargeurDuTitre(DuCoeur(b.titre))), 560,
                   LargeurMaximale(parent));
    setFixedSize(largeur, kHauteurPanneau + 10 + image_.height() + 8);
}

std::vector<int> ZoneBoiteErreur::HautsDesRangees() const {
    const int k = int(b_.rangees.size());
    std::vector<int> hauts;
    if (k == 0) return hauts;
    const int hauteurLigne = QFontMetrics(font()).height();
    const int ecart = std::max(0, (kHauteurPanneau - k * hauteurLigne) / (k + 1));
    for (int i = 0; i < k; ++i) hauts.push_back(ecart + i * (hauteurLigne + ecart));
    return hauts;
}

void ZoneBoiteErreur::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // Le panneau en relief : bords haut et gauche sombres, droit et bas clairs.
    const QRect panneau(kDebutPanneau, 0, width() - kDebutPanneau, kHauteurPanneau);
    p.fillRect(panneau, QColor(255, 253, 240));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(panneau.topLeft(), panneau.topRight());
    p.drawLine(panneau.topLeft(), panneau.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(panneau.bottomLeft(), panneau.bottomRight());
    p.drawLine(panneau.topRight(), panneau.bottomRight());

    p.drawPixmap((width() - image_.width()) / 2, kHauteurPanneau + 10, image_);

    const std::vector<int> hauts = HautsDesRangees();
    const QFontMetrics m(font());
    const int largeurTexte = width() - kDebutPanneau - 12;
    for (size_t i = 0; i < hauts.size(); ++i) {
        const RangeeBoite& r = b_.rangees[i];
        const int base = hauts[i] + m.ascent();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(6, base, m.elidedText(DuCoeur(r.etiquette), Qt::ElideRight, kDebutPanneau - 10));
        p.setPen(BleuDesTextes());
        p.drawText(kDebutPanneau + 6, base, m.elidedText(DuCoeur(r.texte), Qt::ElideRight, largeurTexte));
    }
}

BoiteErreurDialogue::BoiteErreurDialogue(const BoiteErreur& b, QWidget* parent) : QDialog(parent), b_(b) {
    BarreDeTitreDeBoite(this);
    setWindowTitle(DuCoeur(b_.titre));
    auto* disposition = new QVBoxLayout(this);
    zone_ = new ZoneBoiteErreur(b_, this);
    disposition->addWidget(zone_);
    bouton_ = new QPushButton(QStringLiteral("&O U I"), this);
    bouton_->setDefault(true);
    bouton_->setMinimumWidth(135);
    connect(bouton_, &QPushButton::clicked, this, &QDialog::accept);
    disposition->addWidget(bouton_, 0, Qt::AlignHCenter);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

// ------------------------------------------------------------ OUI, OUI / NON

namespace {
// L'image à gauche, puis une, deux ou trois lignes en bleu foncé.
class ZoneMessage : public QWidget {
public:
    ZoneMessage(const QStringList& lignes, int image, int largeurMinimale, QWidget* parent)
        : QWidget(parent), lignes_(lignes), image_(ImageDeBoite(image)) {
        QFontMetrics m(font());
        int large = 0;
        for (const QString& l : lignes_) large = std::max(large, m.horizontalAdvance(l));
        const int hauteur = std::max(image_.height() + 20, int(lignes_.size()) * m.height() + 30);
        setFixedSize(std::clamp(std::max(image_.width() + 40 + large, largeurMinimale), 330, LargeurMaximale(parent)),
                     hauteur);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawPixmap(10, 10, image_);
        const QFontMetrics m(font());
        p.setPen(BleuDesTextes());
        const int x = image_.width() + 25;
        int y = (height() - int(lignes_.size()) * m.height()) / 2 + m.ascent();
        for (const QString& l : lignes_) {
            p.drawText(x, y, m.elidedText(l, Qt::ElideRight, width() - x - 5));
            y += m.height();
        }
    }

private:
    QStringList lignes_;
    QPixmap image_;
};
}  // namespace

BoiteMessageDialogue::BoiteMessageDialogue(const QString& titre, const QStringList& lignes, int image, bool ouiNon,
                                           QWidget* parent, const QString& libelleOui)
    : QDialog(parent), lignes_(lignes.mid(0, 3)) {
    BarreDeTitreDeBoite(this);
    setWindowTitle(titre);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new ZoneMessage(lignes_, image, LargeurDuTitre(titre), this));
    auto* boutons = new QHBoxLayout;
    oui_ = new QPushButton(libelleOui, this);
    oui_->setDefault(true);
    oui_->setMinimumWidth(100);
    connect(oui_, &QPushButton::clicked, this, [this] {
        resultat_ = 1;
        accept();
    });
    if (ouiNon) {
        non_ = new QPushButton(QStringLiteral("&N O N"), this);
        non_->setMinimumWidth(100);
        connect(non_, &QPushButton::clicked, this, [this] {
            resultat_ = 2;
            done(QDialog::Rejected);
        });
        boutons->addWidget(oui_);
        boutons->addStretch();
        boutons->addWidget(non_);
    } else {
        resultat_ = 1;  // une boîte d'information fermée autrement vaut « OUI »
        boutons->addStretch();
        boutons->addWidget(oui_);
        boutons->addStretch();
    }
    disposition->addLayout(boutons);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

void BoiteMessageDialogue::reject() {
    // Échap ou la case de fermeture : « NON » pour une question.
    if (non_) resultat_ = 2;
    QDialog::reject();
}

// ------------------------------------------------------------ pas à pas

BoitePasAPasDialogue::BoitePasAPasDialogue(const QString& titre, const QString& texte, QWidget* parent)
    : QDialog(parent) {
    BarreDeTitreDeBoite(this);
    setWindowTitle(titre);
    setMinimumWidth(std::min(LargeurDuTitre(titre), LargeurMaximale(parent)));
    auto* disposition = new QVBoxLayout(this);
    auto* haut = new QHBoxLayout;
    auto* image = new QLabel(this);
    image->setPixmap(ImageDeBoite(kImageQuestion));
    haut->addWidget(image);
    auto* etiquette = new QLabel(texte, this);
    etiquette->setWordWrap(false);
    haut->addWidget(etiquette, 1);
    disposition->addLayout(haut);
    auto* boutons = new QHBoxLayout;
    const QString libelles[3] = {QStringLiteral("&Abandonner"), QStringLiteral("&Réessayer"),
                                 QStringLiteral("&Ignorer")};
    const ReponsePasAPas reponses[3] = {ReponsePasAPas::Abandonner, ReponsePasAPas::Reessayer, ReponsePasAPas::Ignorer};
    for (int i = 0; i < 3; ++i) {
        boutons_[i] = new QPushButton(libelles[i], this);
        const ReponsePasAPas r = reponses[i];
        connect(boutons_[i], &QPushButton::clicked, this, [this, r] {
            reponse_ = r;
            accept();
        });
        boutons->addWidget(boutons_[i]);
    }
    boutons_[1]->setDefault(true);
    boutons_[1]->setFocus();
    disposition->addLayout(boutons);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* BoitePasAPasDialogue::Bouton(ReponsePasAPas r) const {
    switch (r) {
        case ReponsePasAPas::Abandonner: return boutons_[0];
        case ReponsePasAPas::Reessayer: return boutons_[1];
        case ReponsePasAPas::Ignorer: return boutons_[2];
        default: return nullptr;
    }
}

void BoitePasAPasDialogue::reject() {
    // Le programme ne doit pas rester suspendu : la forme passe sans arrêt
    // et l'arrêt du programme est demandé.
    reponse_ = ReponsePasAPas::Ignorer;
    arret_ = true;
    QDialog::reject();
}

// ------------------------------------------------------------ saisie

BoiteSaisieDialogue::BoiteSaisieDialogue(const QString& titre, const QString& invite, QWidget* parent)
    : QDialog(parent) {
    BarreDeTitreDeBoite(this);
    setWindowTitle(titre);
    setMinimumWidth(std::min(LargeurDuTitre(titre), LargeurMaximale(parent)));
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(invite, this));
    champ_ = new QLineEdit(this);
    champ_->setMaxLength(60);
    champ_->setMinimumWidth(QFontMetrics(champ_->font()).horizontalAdvance(QString(40, QLatin1Char('m'))));
    disposition->addWidget(champ_);
    auto* boutons = new QDialogButtonBox(this);
    QPushButton* ok = boutons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("&Annuler"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    disposition->addWidget(boutons);
    champ_->setFocus();
}

QString BoiteSaisieDialogue::Texte() const {
    return champ_->text();
}

// ------------------------------------------------------------ information

BoiteInformationDialogue::BoiteInformationDialogue(const QString& titre, const QStringList& lignes, QWidget* parent)
    : QDialog(parent) {
    BarreDeTitreDeBoite(this);
    setWindowTitle(titre);
    setMinimumWidth(std::min(LargeurDuTitre(titre), LargeurMaximale(parent)));
    auto* disposition = new QVBoxLayout(this);
    auto* haut = new QHBoxLayout;
    auto* image = new QLabel(this);
    image->setPixmap(ImageDeBoite(kImageInformation));
    image->setAlignment(Qt::AlignTop);
    haut->addWidget(image, 0, Qt::AlignTop);
    auto* texte = new QPlainTextEdit(this);
    texte->setReadOnly(true);
    texte->setFrameShape(QFrame::NoFrame);
    texte->setPlainText(lignes.join(QLatin1Char('\n')));
    const QFontMetrics m(texte->font());
    texte->setTabStopDistance(m.horizontalAdvance(QString(10, QLatin1Char('m'))));
    int large = 0;
    for (const QString& l : lignes)
        large = std::max(large, m.horizontalAdvance(QString(l).replace('\t', "          ")));
    QScreen* ecran = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const int hauteurMax = ecran ? ecran->availableGeometry().height() - 160 : 700;
    texte->setMinimumSize(std::min(large + 40, LargeurMaximale(parent)),
                          std::min(int(lignes.size() + 2) * m.lineSpacing(), std::max(200, hauteurMax)));
    haut->addWidget(texte, 1);
    disposition->addLayout(haut);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    disposition->addWidget(ok, 0, Qt::AlignHCenter);
    ok->setFocus();
}

}  // namespace gelim
