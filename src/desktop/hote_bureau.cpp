// L'hôte du bureau : boîtes portées au fil de l'interface, messages et titres
// transmis par lots, clavier et souris dans une file sous verrou.
#include "desktop/hote_bureau.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <thread>

#include "desktop/boites.h"
#include "desktop/son.h"
#include "shell/hote_scripte.h"
#include "shell/pilote.h"

namespace gelim {

QString DuCoeur(const std::string& cp1252) {
    return QString::fromStdString(Cp1252VersUtf8(cp1252));
}

std::string VersLeCoeur(const QString& texte) {
    return Utf8VersCp1252(texte.toUtf8().constData());
}

static QStringList DuCoeur(const std::vector<std::string>& lignes) {
    QStringList l;
    for (const std::string& s : lignes) l << DuCoeur(s);
    return l;
}

HoteBureau::HoteBureau(QObject* parent) : QObject(parent), sonnerie_(new Sonnerie(this)) {}

HoteBureau::~HoteBureau() = default;

template <class F>
void HoteBureau::SurLInterface(F&& f) {
    if (QThread::currentThread() == thread()) {
        f();
        return;
    }
    PublierLaTortue();  // le programme attend l'élève : sa tortue se voit
    MontrerLaPause(false);
    QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::BlockingQueuedConnection);
}

// ------------------------------------------------------------ journal et réponses

void HoteBureau::Noter(const QString& ligne) {
    std::lock_guard<std::mutex> g(mJournal_);
    journal_ << ligne;
    // Un programme qui bipe sans fin ne doit pas remplir la mémoire.
    if (journal_.size() > 20000) journal_.erase(journal_.begin(), journal_.begin() + 10000);
}

QString HoteBureau::ReponseSuivante(const QString& parDefaut) {
    std::lock_guard<std::mutex> g(mJournal_);
    if (reponses_.empty()) return parDefaut;
    QString r = reponses_.front();
    reponses_.pop_front();
    return r;
}

void HoteBureau::AjouterReponse(const QString& r) {
    std::lock_guard<std::mutex> g(mJournal_);
    reponses_.push_back(r);
}

QStringList HoteBureau::Journal() const {
    std::lock_guard<std::mutex> g(mJournal_);
    return journal_;
}

std::vector<BoiteErreur> HoteBureau::BoitesErreur() const {
    std::lock_guard<std::mutex> g(mJournal_);
    return boitesErreur_;
}

void HoteBureau::ViderJournal() {
    std::lock_guard<std::mutex> g(mJournal_);
    journal_.clear();
    boitesErreur_.clear();
}

static QString LigneDeJournal(const QString& genre, const QString& titre, const QStringList& lignes) {
    QString l = genre + QLatin1Char(' ') + titre;
    for (const QString& t : lignes) l += QStringLiteral(" | ") + t;
    return l;
}

// ------------------------------------------------------------ boîtes

// Le temps d'une boîte modale : l'interface sait que Gelim attend l'élève.
class HoteBureau::PendantUneBoite {
public:
    explicit PendantUneBoite(HoteBureau& h) : h_(h) {
        if (h_.boitesModales_++ == 0) emit h_.BoiteModale(true);
    }
    ~PendantUneBoite() {
        if (--h_.boitesModales_ == 0) emit h_.BoiteModale(false);
    }
    PendantUneBoite(const PendantUneBoite&) = delete;
    PendantUneBoite& operator=(const PendantUneBoite&) = delete;

private:
    HoteBureau& h_;
};

void HoteBureau::MontrerBoiteErreur(const BoiteErreur& b) {
    SurLInterface([&] {
        Noter(DuCoeur(HoteScripte::LigneBoite(b)));
        {
            std::lock_guard<std::mutex> g(mJournal_);
            boitesErreur_.push_back(b);
            if (boitesErreur_.size() > 1000) boitesErreur_.erase(boitesErreur_.begin());
        }
        if (automatique_) return;
        PendantUneBoite boite(*this);
        BoiteErreurDialogue d(b, parente_);
        d.exec();
    });
}

int HoteBureau::Alerte(const QString& titre, const QStringList& lignes) {
    Noter(LigneDeJournal(QStringLiteral("DIALOGUE"), titre, lignes));
    if (automatique_) {
        ReponseSuivante(QStringLiteral("oui"));
        return 1;
    }
    int image = kImageAttention;
    if (titre.startsWith(QStringLiteral("I  N  F"))) image = kImageInformation;
    if (titre.startsWith(QStringLiteral("N  O  N"))) image = kImageRefus;
    PendantUneBoite boite(*this);
    BoiteMessageDialogue d(titre, lignes, image, false, parente_);
    d.exec();
    return d.Resultat();
}

bool HoteBureau::Question(const QString& titre, const QStringList& lignes) {
    Noter(LigneDeJournal(QStringLiteral("DIALOGUE"), titre, lignes));
    if (automatique_) return HoteScripte::OuiDe(VersLeCoeur(ReponseSuivante(QStringLiteral("oui"))));
    PendantUneBoite boite(*this);
    BoiteMessageDialogue d(titre, lignes, kImageQuestion, true, parente_);
    d.exec();
    return d.Resultat() == 1;
}

bool HoteBureau::SaisieTexte(const QString& titre, const QString& invite, QString& texte) {
    Noter(LigneDeJournal(QStringLiteral("SAISIE"), titre, {invite}));
    if (automatique_) {
        const QString r = ReponseSuivante(QStringLiteral("<annuler>"));
        if (r == QStringLiteral("<annuler>")) return false;
        texte = r.left(int(HoteScripte::kSaisieMax));
        return true;
    }
    PendantUneBoite boite(*this);
    BoiteSaisieDialogue d(titre, invite, parente_);
    if (d.exec() != QDialog::Accepted) return false;
    texte = d.Texte();
    return true;
}

void HoteBureau::BoiteInformation(const QString& titre, const QStringList& lignes) {
    Noter(LigneDeJournal(QStringLiteral("INFORMATION"), titre, lignes));
    if (automatique_) return;
    PendantUneBoite boite(*this);
    BoiteInformationDialogue d(titre, lignes, parente_);
    d.exec();
}

int HoteBureau::AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) {
    int r = 1;
    SurLInterface([&] { r = Alerte(DuCoeur(titre), DuCoeur(lignes)); });
    return r;
}

int HoteBureau::QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) {
    int r = 2;
    SurLInterface([&] { r = Question(DuCoeur(titre), DuCoeur(lignes)) ? 1 : 2; });
    return r;
}

bool HoteBureau::Saisie(const std::string& titre, const std::string& invite, std::string& texte) {
    if (arret_) return false;
    bool ok = false;
    QString lu;
    SurLInterface([&] { ok = SaisieTexte(DuCoeur(titre), DuCoeur(invite), lu); });
    if (ok) texte = VersLeCoeur(lu);
    return ok;
}

// La boîte « Après » et les messages du système : non modale, pour que
// l'élève puisse faire défiler la fenêtre des messages pendant qu'elle attend.
void HoteBureau::BoiteMessage(const std::string& titre, const std::string& texte) {
    SurLInterface([&] {
        Noter(LigneDeJournal(QStringLiteral("DIALOGUE"), DuCoeur(titre), {DuCoeur(texte)}));
        if (automatique_ || arret_) return;
        BoiteMessageDialogue d(DuCoeur(titre), {DuCoeur(texte)}, kImageInformation, false, parente_,
                               QStringLiteral("&OK"));
        QEventLoop boucle;
        connect(&d, &QDialog::finished, &boucle, &QEventLoop::quit);
        connect(this, &HoteBureau::ArretSignale, &d, &QDialog::reject);
        d.show();
        boucle.exec();
    });
}

ReponsePasAPas HoteBureau::BoitePasAPas(const std::string& titre, const std::string& texte) {
    ReponsePasAPas r = ReponsePasAPas::Ignorer;
    SurLInterface([&] {
        Noter(LigneDeJournal(QStringLiteral("DIALOGUE"), DuCoeur(titre), {DuCoeur(texte)}));
        if (arret_) return;  // l'arrêt est demandé : la forme passe, sans boîte
        if (automatique_) {
            r = HoteScripte::PasAPasDe(VersLeCoeur(ReponseSuivante(QStringLiteral("reessayer"))));
            return;
        }
        BoitePasAPasDialogue d(DuCoeur(titre), DuCoeur(texte), parente_);
        QEventLoop boucle;
        connect(&d, &QDialog::finished, &boucle, &QEventLoop::quit);
        connect(this, &HoteBureau::ArretSignale, &d, &QDialog::reject);
        d.show();
        d.raise();
        d.activateWindow();
        boucle.exec();
        r = d.Reponse();
        if (d.ArretDemande()) DemanderArret();
    });
    return r;
}

// ------------------------------------------------------------ sons

void HoteBureau::Beep(Bip b) {
    Noter(DuCoeur(HoteScripte::LigneBip(b, true)));
    if (automatique_) return;
    QMetaObject::invokeMethod(
        this, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

void HoteBureau::BipFD(int frequence, int duree) {
    Noter(QStringLiteral("BIPFD %1 %2").arg(frequence).arg(duree));
    if (automatique_) return;
    QMetaObject::invokeMethod(
        this, [this, frequence, duree] { sonnerie_->Note(frequence, duree); }, Qt::QueuedConnection);
    // Comme un haut-parleur : l'instruction dure le temps de la note, sauf arrêt.
    if (QThread::currentThread() == thread()) return;
    PublierLaTortue();
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, duree));
    while (!arret_ && std::chrono::steady_clock::now() < fin)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void HoteBureau::JoueSon(const std::string& nomFichier) {
    const QString nom = DuCoeur(nomFichier);
    Noter(QStringLiteral("SON ") + nom);
    if (automatique_) return;
    QMetaObject::invokeMethod(
        this, [this, nom] { sonnerie_->Fichier(nom); }, Qt::QueuedConnection);
}

// ------------------------------------------------------------ tortue

void HoteBureau::AttacherTortue(Interp* I) {
    interp_ = I;
}

void HoteBureau::PublierLaTortue() {
    if (!interp_ || QThread::currentThread() == thread()) return;
    std::lock_guard<std::mutex> g(mTortue_);
    if (!figure_) figure_.emplace();
    figure_->tortue = TortueDe(*interp_);
    figure_->couleurs = CouleursDe(*interp_);
}

void HoteBureau::OublierLaTortue() {
    std::lock_guard<std::mutex> g(mTortue_);
    figure_.reset();
}

bool HoteBureau::LireLaTortue(FigureDeLaTortue& f) const {
    std::lock_guard<std::mutex> g(mTortue_);
    if (!figure_) return false;
    f = *figure_;
    return true;
}

// ------------------------------------------------------------ titres

void HoteBureau::TitreFenetre(Fenetre f, const std::string& titre) {
    std::lock_guard<std::mutex> g(mTitres_);
    titres_[int(f)] = titre;
}

bool HoteBureau::PrendreTitre(Fenetre f, std::string& titre) {
    std::lock_guard<std::mutex> g(mTitres_);
    auto& t = titres_[int(f)];
    if (!t) return false;
    titre = std::move(*t);
    t.reset();
    return true;
}

// ------------------------------------------------------------ clavier et souris

void HoteBureau::AjouterTouche(const Touche& t) {
    {
        std::lock_guard<std::mutex> g(mEntrees_);
        touches_.push_back(t);
        if (touches_.size() > 256) touches_.pop_front();
    }
    cvEntrees_.notify_all();
}

void HoteBureau::AjouterMouvement(int px, int py) {
    std::lock_guard<std::mutex> g(mEntrees_);
    mouvements_.emplace_back(px, py);
    if (mouvements_.size() > 1024) mouvements_.pop_front();
}

void HoteBureau::ViderLesEntrees() {
    std::lock_guard<std::mutex> g(mEntrees_);
    touches_.clear();
    mouvements_.clear();
}

void HoteBureau::DefinirTailleGraphique(int largeur, int hauteur) {
    largeurGraphique_ = largeur;
    hauteurGraphique_ = hauteur;
}

Touche HoteBureau::AttendreTouche() {
    // Sur le fil de l'interface, attendre gèlerait tout : rien à lire.
    if (QThread::currentThread() == thread()) return Touche{};
    PublierLaTortue();
    MontrerLaPause(false);
    std::unique_lock<std::mutex> l(mEntrees_);
    if (touches_.empty() && !arret_) {
        attendTouche_ = true;
        emit AttenteDeTouche(true);
        while (touches_.empty() && !arret_) cvEntrees_.wait_for(l, std::chrono::milliseconds(50));
        attendTouche_ = false;
        emit AttenteDeTouche(false);
    }
    if (arret_ || touches_.empty()) return Touche{};
    Touche t = touches_.front();
    touches_.pop_front();
    return t;
}

bool HoteBureau::MouvementSouris(int& px, int& py) {
    std::lock_guard<std::mutex> g(mEntrees_);
    if (mouvements_.empty()) return false;
    px = mouvements_.front().first;
    py = mouvements_.front().second;
    mouvements_.pop_front();
    return true;
}

void HoteBureau::TailleFenetreGraphique(int& largeur, int& hauteur) {
    largeur = largeurGraphique_;
    hauteur = hauteurGraphique_;
}

void HoteBureau::DemanderArret() {
    arret_ = true;
    cvEntrees_.notify_all();
    cvPas_.notify_all();
    if (QThread::currentThread() == thread())
        emit ArretSignale();
    else
        QMetaObject::invokeMethod(
            this, [this] { emit ArretSignale(); }, Qt::QueuedConnection);
}

// ------------------------------------------------------------ pauses

namespace {
constexpr auto kDelaiLent = std::chrono::milliseconds(400);
constexpr auto kDelaiTresLent = std::chrono::milliseconds(1200);
}  // namespace

void HoteBureau::MontrerLaPause(bool attendSuivant) {
    if (!interp_ || QThread::currentThread() == thread()) return;
    auto v = std::make_shared<VueDeLaPause>();
    v->attendSuivant = attendSuivant;
    v->enCours = FormeEnCours(*interp_) != nullptr;
    const Lieu* l = LieuEnCours(*interp_);
    const TexteAnalyse* t = l ? TexteDuLieu(*interp_, *l) : nullptr;
    if (t) {
        v->avecLieu = true;
        v->genre = t->genre;
        v->texte = l->texte;
        v->deLaCommande = DansLaCommandeEnCours(*interp_, *l);
        v->ligne = l->ligne;
        v->colonne = l->colonne;
        v->ligneFin = l->ligneFin;
        v->colonneFin = l->colonneFin;
        v->fichier = DuCoeur(t->nom);
    }
    // L'interprète attend : c'est le seul moment où son état se lit.
    if (panneau_) v->releve = std::make_shared<const ReleveDesVariables>(ReleverLesVariables(*interp_));
    QMetaObject::invokeMethod(
        this, [this, v] { emit Pause(v); }, Qt::QueuedConnection);
}

void HoteBureau::PauseAvantInstruction(Vitesse v, Objet*) {
    if (!interp_ || QThread::currentThread() == thread()) return;
    PublierLaTortue();
    dessinModifie_ = true;
    const bool pas = v == Vitesse::PasAPas;
    std::unique_lock<std::mutex> l(mPas_);
    pasAccorde_ = false;
    attendSuivant_ = pas;
    MontrerLaPause(pas);
    // L'attente se termine sur « Suivant », au bout du délai, à l'arrêt, ou quand
    // l'élève change de vitesse ; elle se réveille souvent pour le voir à temps.
    const auto fin = std::chrono::steady_clock::now() + (v == Vitesse::Lent ? kDelaiLent : kDelaiTresLent);
    while (!arret_ && VitesseDe(*interp_) == v && !pasAccorde_ && (pas || std::chrono::steady_clock::now() < fin))
        cvPas_.wait_for(l, std::chrono::milliseconds(20));
    attendSuivant_ = false;
    pasAccorde_ = false;
}

void HoteBureau::Suivant() {
    {
        std::lock_guard<std::mutex> g(mPas_);
        if (!attendSuivant_) return;
        pasAccorde_ = true;
    }
    cvPas_.notify_all();
}

void HoteBureau::VitesseChangee() {
    cvPas_.notify_all();
}

// ------------------------------------------------------------ messages

void HoteBureau::AttacherModele(const FenetreMessages* m) {
    modele_ = m;
    RecalerMessages();
}

void HoteBureau::RecalerMessages() {
    if (!modele_) return;
    std::string tout = modele_->Texte();
    {
        std::lock_guard<std::mutex> g(mMessages_);
        enAttente_.clear();
        debutEnAttente_ = 0;
        lignesEnAttente_ = 0;
        remiseAZero_ = true;
    }
    AjouterAuxMessages(tout);
    vuNbLignes_ = modele_->lignes.size();
    vuLongueurDerniere_ = modele_->lignes.back().size();
    vuPremiere_ = &modele_->lignes.front();
}

void HoteBureau::AjouterAuxMessages(const std::string& texte) {
    if (texte.empty()) return;
    std::lock_guard<std::mutex> g(mMessages_);
    enAttente_.append(texte);
    lignesEnAttente_ += size_t(std::count(texte.begin(), texte.end(), '\n'));
    // Ce que la vue n'a pas encore pris ne dépasse jamais ce que le modèle garde :
    // au-delà, les lignes les plus anciennes tombent et la vue repart de zéro.
    const size_t limite = modele_ ? modele_->limiteLignes : 200000;
    if (lignesEnAttente_ > limite + 10000) {
        size_t aJeter = lignesEnAttente_ - limite;
        size_t pos = debutEnAttente_;
        while (aJeter > 0) {
            pos = enAttente_.find('\n', pos) + 1;
            --aJeter;
        }
        enAttente_.erase(0, pos);
        debutEnAttente_ = 0;
        lignesEnAttente_ = limite;
        remiseAZero_ = true;
    }
}

// Appelée après chaque écriture du cœur : on en déduit ce qui a changé (le
// bout de la dernière ligne, une nouvelle ligne, ou tout effacé).
void HoteBureau::MessagesModifies() {
    if (!modele_) return;
    const auto& lignes = modele_->lignes;
    const size_t n = lignes.size();
    const std::string& derniere = lignes.back();
    const std::string* premiere = &lignes.front();
    if (n == 1 && derniere.empty() && (vuNbLignes_ > 1 || vuLongueurDerniere_ > 0)) {
        std::lock_guard<std::mutex> g(mMessages_);
        enAttente_.clear();
        debutEnAttente_ = 0;
        lignesEnAttente_ = 0;
        remiseAZero_ = true;
    } else if (premiere == vuPremiere_ && n == vuNbLignes_ && derniere.size() >= vuLongueurDerniere_) {
        AjouterAuxMessages(derniere.substr(vuLongueurDerniere_));
    } else if ((premiere == vuPremiere_ && n == vuNbLignes_ + 1) ||
               (premiere != vuPremiere_ && n == vuNbLignes_ && n >= modele_->limiteLignes)) {
        AjouterAuxMessages("\n" + derniere);
    } else {
        RecalerMessages();
        return;
    }
    vuNbLignes_ = n;
    vuLongueurDerniere_ = derniere.size();
    vuPremiere_ = premiere;
}

bool HoteBureau::PrendreMessages(LotDeMessages& lot, size_t maxOctets) {
    std::lock_guard<std::mutex> g(mMessages_);
    lot.remiseAZero = remiseAZero_;
    remiseAZero_ = false;
    const size_t dispo = enAttente_.size() - debutEnAttente_;
    const size_t n = std::min(dispo, maxOctets);
    lot.texte.assign(enAttente_, debutEnAttente_, n);
    debutEnAttente_ += n;
    lignesEnAttente_ -= size_t(std::count(lot.texte.begin(), lot.texte.end(), '\n'));
    if (debutEnAttente_ == enAttente_.size()) {
        enAttente_.clear();
        debutEnAttente_ = 0;
    } else if (debutEnAttente_ > (1u << 20) && debutEnAttente_ > enAttente_.size() / 2) {
        enAttente_.erase(0, debutEnAttente_);
        debutEnAttente_ = 0;
    }
    return lot.remiseAZero || n > 0;
}

bool HoteBureau::MessagesEnAttente() const {
    std::lock_guard<std::mutex> g(mMessages_);
    return remiseAZero_ || enAttente_.size() > debutEnAttente_;
}

}  // namespace gelim
