// Vue des messages : lignes gardées dans une file bornée, peinture des seules
// lignes visibles, défilement qui montre toujours le texte le plus récent (une
// erreur qui arrive se voit, même si l'élève lisait plus haut), sélection à la
// souris et copie.
#include "desktop/vue_messages.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "desktop/hote_bureau.h"

namespace gelim {

VueMessages::VueMessages(QWidget* parent) : QAbstractScrollArea(parent) {
    setWindowTitle(QStringLiteral("Fenêtre des messages de l'interpréteur"));
    QFont police(QStringLiteral("Courier New"));
    police.setStyleHint(QFont::Monospace);
    police.setFixedPitch(true);
    police.setPixelSize(12);
    police.setBold(true);
    setFont(police);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(2);
}

int VueMessages::HauteurDeLigne() const {
    return std::max(1, QFontMetrics(font()).lineSpacing());
}

int VueMessages::LargeurDeCaractere() const {
    return std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('M')));
}

int VueMessages::LignesVisibles() const {
    return std::max(1, viewport()->height() / HauteurDeLigne());
}

bool VueMessages::EstEnBas() const {
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void VueMessages::MettreAJourLesBarres() {
    const int visibles = LignesVisibles();
    verticalScrollBar()->setPageStep(visibles);
    verticalScrollBar()->setRange(0, std::max(0, int(lignes_.size()) - visibles));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width() / LargeurDeCaractere()));
    horizontalScrollBar()->setRange(0, std::max(0, plusLongue_ + 2 - viewport()->width() / LargeurDeCaractere()));
}

void VueMessages::NouvelleLigne() {
    lignes_.emplace_back();
}

void VueMessages::AjouterALaDerniere(const QString& morceau) {
    QString& l = lignes_.back();
    for (QChar c : morceau) {
        if (c == QLatin1Char('\r')) continue;
        if (c == QLatin1Char('\t')) {
            // Tabulations tous les 8 caractères : les colonnes restent droites.
            l += QString(8 - l.size() % 8, QLatin1Char(' '));
            continue;
        }
        l += c;
    }
    plusLongue_ = std::max(plusLongue_, int(l.size()));
}

// Au-delà de la limite, les plus anciennes lignes partent (comme dans le modèle).
void VueMessages::Rogner() {
    const size_t enTrop = lignes_.size() > limite_ ? lignes_.size() - limite_ : 0;
    if (enTrop == 0) return;
    lignes_.erase(lignes_.begin(), lignes_.begin() + long(enTrop));
    ancre_.ligne -= static_cast<long long>(enTrop);
    curseur_.ligne -= static_cast<long long>(enTrop);
    if (ancre_.ligne < 0 || curseur_.ligne < 0) ancre_ = curseur_ = Position{};
}

void VueMessages::Ajouter(const QString& texte) {
    qsizetype debut = 0;
    while (true) {
        const qsizetype fin = texte.indexOf(QLatin1Char('\n'), debut);
        AjouterALaDerniere(texte.mid(debut, fin < 0 ? -1 : fin - debut));
        if (fin < 0) break;
        NouvelleLigne();
        debut = fin + 1;
    }
    Rogner();
    MettreAJourLesBarres();
    // Sauf pendant que l'élève tire une sélection à la souris.
    if (!selectionEnCours_) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        horizontalScrollBar()->setValue(0);
    }
    viewport()->update();
}

void VueMessages::Effacer() {
    lignes_.assign(1, QString());
    plusLongue_ = 0;
    ancre_ = curseur_ = Position{};
    MettreAJourLesBarres();
    viewport()->update();
}

void VueMessages::DefinirLimiteDeLignes(size_t n) {
    limite_ = std::max<size_t>(1, n);
    Rogner();
    MettreAJourLesBarres();
}

bool VueMessages::Absorber(HoteBureau& hote, size_t maxOctets) {
    HoteBureau::LotDeMessages lot;
    if (!hote.PrendreMessages(lot, maxOctets)) return false;
    if (lot.remiseAZero) Effacer();
    if (!lot.texte.empty()) Ajouter(DuCoeur(lot.texte));
    return true;
}

void VueMessages::ToutAbsorber(HoteBureau& hote) {
    while (Absorber(hote, size_t(1) << 22)) {
    }
}

QString VueMessages::toPlainText() const {
    QString t;
    for (size_t i = 0; i < lignes_.size(); ++i) {
        if (i) t += QLatin1Char('\n');
        t += lignes_[i];
    }
    return t;
}

// ------------------------------------------------------------ peinture

void VueMessages::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QFontMetrics m(font());
    const int h = HauteurDeLigne(), c = LargeurDeCaractere();
    const int premiere = verticalScrollBar()->value();
    const int x0 = -horizontalScrollBar()->value() * c + 3;
    Position debut = std::min(ancre_, curseur_), fin = std::max(ancre_, curseur_);
    for (int i = 0; i <= LignesVisibles() && size_t(premiere + i) < lignes_.size(); ++i) {
        const long long n = premiere + i;
        const QString& l = lignes_[size_t(n)];
        const int y = i * h;
        if (Selectionne() && n >= debut.ligne && n <= fin.ligne) {
            const int a = n == debut.ligne ? debut.colonne : 0;
            const int b = n == fin.ligne ? fin.colonne : int(l.size()) + 1;
            p.fillRect(QRect(x0 + a * c, y, std::max(0, b - a) * c, h), palette().highlight());
        }
        p.setPen(palette().color(QPalette::Text));
        p.drawText(x0, y + m.ascent(), l);
    }
}

void VueMessages::resizeEvent(QResizeEvent* e) {
    const bool enBas = EstEnBas();
    QAbstractScrollArea::resizeEvent(e);
    MettreAJourLesBarres();
    if (enBas) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

// ------------------------------------------------------------ sélection et copie

VueMessages::Position VueMessages::PositionEn(const QPoint& p) const {
    Position r;
    r.ligne = std::clamp<long long>(verticalScrollBar()->value() + p.y() / HauteurDeLigne(), 0,
                                    static_cast<long long>(lignes_.size()) - 1);
    const int col = (p.x() - 3) / LargeurDeCaractere() + horizontalScrollBar()->value();
    r.colonne = std::clamp(col, 0, int(lignes_[size_t(r.ligne)].size()));
    return r;
}

void VueMessages::mousePressEvent(QMouseEvent* e) {
    setFocus();
    if (e->button() != Qt::LeftButton) return;
    selectionEnCours_ = true;
    curseur_ = PositionEn(e->position().toPoint());
    if (!(e->modifiers() & Qt::ShiftModifier)) ancre_ = curseur_;
    viewport()->update();
}

void VueMessages::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) selectionEnCours_ = false;
}

void VueMessages::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPoint p = e->position().toPoint();
    // Tirer au-delà du bord fait défiler.
    if (p.y() < 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    if (p.y() > viewport()->height()) verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    curseur_ = PositionEn(p);
    viewport()->update();
}

QString VueMessages::TexteSelectionne() const {
    if (!Selectionne()) return QString();
    const Position debut = std::min(ancre_, curseur_), fin = std::max(ancre_, curseur_);
    QString t;
    for (long long n = debut.ligne; n <= fin.ligne && size_t(n) < lignes_.size(); ++n) {
        const QString& l = lignes_[size_t(n)];
        const int a = n == debut.ligne ? debut.colonne : 0;
        const int b = n == fin.ligne ? fin.colonne : int(l.size());
        t += l.mid(a, b - a);
        if (n != fin.ligne) t += QLatin1Char('\n');
    }
    return t;
}

void VueMessages::ToutSelectionner() {
    ancre_ = Position{};
    curseur_ = Position{static_cast<long long>(lignes_.size()) - 1, int(lignes_.back().size())};
    viewport()->update();
}

void VueMessages::Copier() const {
    const QString t = TexteSelectionne();
    if (!t.isEmpty()) QApplication::clipboard()->setText(t);
}

void VueMessages::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Copy)) {
        Copier();
        return;
    }
    if (e->matches(QKeySequence::SelectAll)) {
        ToutSelectionner();
        return;
    }
    QScrollBar* v = verticalScrollBar();
    switch (e->key()) {
        case Qt::Key_Up: v->setValue(v->value() - 1); break;
        case Qt::Key_Down: v->setValue(v->value() + 1); break;
        case Qt::Key_PageUp: v->setValue(v->value() - v->pageStep()); break;
        case Qt::Key_PageDown: v->setValue(v->value() + v->pageStep()); break;
        case Qt::Key_Home: v->setValue(0); break;
        case Qt::Key_End: v->setValue(v->maximum()); break;
        default: QAbstractScrollArea::keyPressEvent(e);
    }
}

void VueMessages::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    QAction* copier = menu.addAction(QStringLiteral("&Copier"), this, &VueMessages::Copier);
    copier->setEnabled(Selectionne());
    menu.addAction(QStringLiteral("&Tout sélectionner"), this, &VueMessages::ToutSelectionner);
    menu.exec(e->globalPos());
}

}  // namespace gelim
