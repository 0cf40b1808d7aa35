// L'éditeur de programmes, sa coloration et sa recherche.
#include "desktop/editeur.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/hote_bureau.h"
#include "objects/lexique.h"

namespace gelim {

// ------------------------------------------------------------ coloration

Coloration::Coloration(QTextDocument* document) : QSyntaxHighlighter(document) {
    motsCles_ = {QStringLiteral("if"),  QStringLiteral("else"),   QStringLiteral("while"),  QStringLiteral("do"),
                 QStringLiteral("for"), QStringLiteral("repete"), QStringLiteral("return"), QStringLiteral("int")};
    for (const EntreePrimitive& e : TableDesPrimitives()) {
        const QString nom = DuCoeur(e.nom);
        if (!motsCles_.contains(nom)) primitives_.insert(nom);
    }
    formats_[Primitive].setForeground(QColor(0, 0, 127));
    formats_[Primitive].setFontWeight(QFont::Bold);
    formats_[MotCle].setForeground(QColor(127, 0, 127));
    formats_[MotCle].setFontWeight(QFont::Bold);
    formats_[Nombre].setForeground(QColor(170, 0, 0));
    formats_[Commentaire].setForeground(QColor(0, 128, 0));
    formats_[Commentaire].setFontItalic(true);
    formats_[Liste].setForeground(QColor(0, 110, 110));
}

Coloration::Genre Coloration::GenreDuMot(const QString& mot) const {
    if (mot.isEmpty()) return Rien;
    if (mot[0].isDigit() || (mot.size() > 1 && mot[0] == QLatin1Char('-') && mot[1].isDigit())) return Nombre;
    // Comme le lecteur du langage : « è » et « é » valent « e ».
    QString m = mot;
    m.replace(QChar(0xE8), QLatin1Char('e')).replace(QChar(0xE9), QLatin1Char('e'));
    if (motsCles_.contains(m)) return MotCle;
    if (primitives_.contains(m)) return Primitive;
    return Rien;
}

// Les caractères qui coupent les mots, comme le lecteur du langage.
static bool Coupe(const QString& t, int i) {
    const QChar c = t[i];
    static const QString separateurs = QStringLiteral(" \t\r()*+,';[]{}/<>=!&|");
    if (separateurs.contains(c)) return true;
    if (c == QLatin1Char('-') && i + 1 < t.size()) {
        const QChar s = t[i + 1];
        return s.unicode() < 128 && s.isLetter();
    }
    return false;
}

void Coloration::highlightBlock(const QString& texte) {
    int profondeur = std::max(0, previousBlockState());
    const int n = int(texte.size());
    int i = 0;
    while (i < n) {
        const QChar c = texte[i];
        if (c == QLatin1Char('/') && i + 1 < n && texte[i + 1] == QLatin1Char('/')) {
            setFormat(i, n - i, formats_[Commentaire]);
            break;
        }
        if (c == QLatin1Char('[')) {
            ++profondeur;
            setFormat(i++, 1, formats_[Liste]);
            continue;
        }
        if (c == QLatin1Char(']')) {
            setFormat(i++, 1, formats_[Liste]);
            profondeur = std::max(0, profondeur - 1);
            continue;
        }
        if (Coupe(texte, i)) {
            if (profondeur > 0) setFormat(i, 1, formats_[Liste]);
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < n && !Coupe(texte, j)) ++j;
        const Genre g = profondeur > 0 ? Liste : GenreDuMot(texte.mid(i, j - i));
        if (g != Rien) setFormat(i, j - i, formats_[g]);
        i = j;
    }
    setCurrentBlockState(profondeur);
}

// ------------------------------------------------------------ éditeur

namespace {
// La marge des numéros de ligne, peinte par l'éditeur.
class MargeDesLignes : public QWidget {
public:
    explicit MargeDesLignes(EditeurDeProgramme* e) : QWidget(e), e_(e) {}
    QSize sizeHint() const override { return QSize(e_->LargeurDeLaMarge(), 0); }

protected:
    void paintEvent(QPaintEvent* ev) override { e_->PeindreLaMarge(ev); }

private:
    EditeurDeProgramme* e_;
};
}  // namespace

EditeurDeProgramme::EditeurDeProgramme(QWidget* parent) : QPlainTextEdit(parent) {
    QFont police(QStringLiteral("Courier New"));
    police.setStyleHint(QFont::Monospace);
    police.setPixelSize(16);
    police.setBold(true);
    setFont(police);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(4 * QFontMetrics(police).horizontalAdvance(QLatin1Char(' ')));
    coloration_ = new Coloration(document());

    marge_ = new MargeDesLignes(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(LargeurDeLaMarge(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& r, int dy) {
        if (dy)
            marge_->scroll(0, dy);
        else
            marge_->update(0, r.y(), marge_->width(), r.height());
    });
    connect(document(), &QTextDocument::contentsChanged, this, &EditeurDeProgramme::OublierLaLigneFautive);
    setViewportMargins(LargeurDeLaMarge(), 0, 0, 0);
}

// ------------------------------------------------------------ marge et ligne fautive

int EditeurDeProgramme::LargeurDeLaMarge() const {
    int chiffres = 1;
    for (int n = std::max(1, blockCount() - 1); n >= 10; n /= 10) ++chiffres;
    QFont petite = font();
    petite.setBold(false);
    return 10 + QFontMetrics(petite).horizontalAdvance(QLatin1Char('9')) * std::max(chiffres, 2);
}

void EditeurDeProgramme::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    const QRect r = contentsRect();
    marge_->setGeometry(QRect(r.left(), r.top(), LargeurDeLaMarge(), r.height()));
}

void EditeurDeProgramme::PeindreLaMarge(QPaintEvent* e) {
    QPainter p(marge_);
    p.fillRect(e->rect(), QColor(236, 236, 236));
    QFont petite = font();
    petite.setBold(false);
    p.setFont(petite);
    QTextBlock bloc = firstVisibleBlock();
    int haut = qRound(blockBoundingGeometry(bloc).translated(contentOffset()).top());
    while (bloc.isValid() && haut <= e->rect().bottom()) {
        const int bas = haut + qRound(blockBoundingRect(bloc).height());
        if (bloc.isVisible() && bas >= e->rect().top()) {
            const bool fautive = bloc.blockNumber() == ligneFautive_;
            if (fautive) p.fillRect(0, haut, marge_->width(), bas - haut, QColor(220, 60, 60));
            p.setPen(fautive ? Qt::white : QColor(120, 120, 120));
            p.drawText(0, haut, marge_->width() - 5, bas - haut, Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(bloc.blockNumber()));
        }
        bloc = bloc.next();
        haut = bas;
    }
}

void EditeurDeProgramme::MontrerLaLigneFautive(int ligne) {
    const QTextBlock bloc = document()->findBlockByNumber(ligne);
    if (!bloc.isValid()) return;
    ligneFautive_ = ligne;
    QTextCursor c(bloc);
    setTextCursor(c);
    centerCursor();
    Surligner();
    marge_->update();
}

// La ligne fautive et l'instruction en cours, chacune de sa couleur.
void EditeurDeProgramme::Surligner() {
    QList<QTextEdit::ExtraSelection> selections;
    const QTextBlock bloc = document()->findBlockByNumber(ligneFautive_);
    if (bloc.isValid()) {
        QTextEdit::ExtraSelection s;
        s.format.setBackground(QColor(255, 205, 205));
        s.format.setProperty(QTextFormat::FullWidthSelection, true);
        s.cursor = QTextCursor(bloc);
        selections << s;
    }
    if (!instruction_.isNull()) {
        QTextEdit::ExtraSelection s;
        s.format.setBackground(QColor(255, 226, 120));
        s.cursor = instruction_;
        selections << s;
    }
    setExtraSelections(selections);
}

void EditeurDeProgramme::OublierLaLigneFautive() {
    if (ligneFautive_ < 0) return;
    ligneFautive_ = -1;
    Surligner();
    marge_->update();
}

void EditeurDeProgramme::MontrerLInstruction(int ligne, int colonne, int ligneFin, int colonneFin) {
    const QTextBlock debut = document()->findBlockByNumber(ligne);
    if (!debut.isValid()) return;
    QTextBlock fin = document()->findBlockByNumber(ligneFin);
    if (!fin.isValid() || fin.blockNumber() < ligne) fin = debut;
    // Le texte a pu changer depuis le lancement : les colonnes restent dans leur ligne.
    QTextCursor c(document());
    c.setPosition(debut.position() + std::clamp(colonne, 0, debut.length() - 1));
    const int bout = fin.position() + std::clamp(colonneFin + 1, 0, fin.length() - 1);
    c.setPosition(std::max(bout, c.position()), QTextCursor::KeepAnchor);
    if (c.anchor() == c.position()) c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    instruction_ = c;
    Surligner();
    // En vue : l'instruction, au tiers de la hauteur quand il faut défiler.
    const int visibles = std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
    const int premiere = firstVisibleBlock().blockNumber();
    if (ligne < premiere || ligneFin >= premiere + visibles - 1)
        verticalScrollBar()->setValue(std::max(0, ligne - visibles / 3));
}

void EditeurDeProgramme::OublierLInstruction() {
    if (instruction_.isNull()) return;
    instruction_ = QTextCursor();
    Surligner();
}

QString EditeurDeProgramme::InstructionMontree() const {
    return instruction_.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QString EditeurDeProgramme::NomAffiche() const {
    return chemin_.isEmpty() ? QStringLiteral("Sans nom") : QFileInfo(chemin_).fileName();
}

void EditeurDeProgramme::OublierLeFichier() {
    chemin_.clear();
    encodage_ = Encodage::Utf8;
    finsDeLigneCrLf_ = false;
}

bool EditeurDeProgramme::Charger(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    Encodage encodage = Encodage::Utf8;
    if (octets.startsWith("\xEF\xBB\xBF")) {
        encodage = Encodage::Utf8AvecBom;
        octets.remove(0, 3);
    }
    QString texte;
    if (EstUtf8Valide(octets.toStdString())) {
        texte = QString::fromUtf8(octets);
    } else {
        encodage = Encodage::Cp1252;
        texte = DuCoeur(octets.toStdString());
    }
    finsDeLigneCrLf_ = texte.contains(QStringLiteral("\r\n"));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(texte);
    document()->setModified(false);
    chemin_ = chemin;
    encodage_ = encodage;
    return true;
}

bool EditeurDeProgramme::Enregistrer(const QString& chemin, bool* encodageChange) {
    QString texte = toPlainText();
    if (finsDeLigneCrLf_) texte.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QByteArray octets;
    Encodage encodage = encodage_;
    if (encodage == Encodage::Cp1252) {
        const std::string cp = VersLeCoeur(texte);
        if (DuCoeur(cp) == texte)
            octets = QByteArray::fromStdString(cp);
        else
            encodage = Encodage::Utf8;  // des caractères seraient devenus « ? »
    }
    if (encodage != Encodage::Cp1252) {
        octets = texte.toUtf8();
        if (encodage == Encodage::Utf8AvecBom) octets.prepend("\xEF\xBB\xBF");
    }
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size() || !f.commit()) return false;
    if (encodageChange) *encodageChange = encodage != encodage_;
    encodage_ = encodage;
    chemin_ = chemin;
    document()->setModified(false);
    return true;
}

bool EditeurDeProgramme::Chercher(const QString& motif, bool casse) {
    derniereRecherche_ = motif;
    derniereCasse_ = casse;
    if (motif.isEmpty()) return false;
    const QTextDocument::FindFlags options = casse ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    if (find(motif, options)) return true;
    // Pas plus bas : on repart du début.
    QTextCursor c = textCursor();
    const QTextCursor avant = c;
    c.movePosition(QTextCursor::Start);
    setTextCursor(c);
    if (find(motif, options)) return true;
    setTextCursor(avant);
    emit TexteIntrouvable(motif);
    return false;
}

bool EditeurDeProgramme::ChercherSuivant() {
    return Chercher(derniereRecherche_, derniereCasse_);
}

static bool SelectionEgale(const QString& selection, const QString& motif, bool casse) {
    return selection.compare(motif, casse ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

bool EditeurDeProgramme::Remplacer(const QString& motif, const QString& par, bool casse) {
    QTextCursor c = textCursor();
    if (c.hasSelection() && SelectionEgale(c.selectedText(), motif, casse)) c.insertText(par);
    return Chercher(motif, casse);
}

int EditeurDeProgramme::ToutRemplacer(const QString& motif, const QString& par, bool casse) {
    derniereRecherche_ = motif;
    derniereCasse_ = casse;
    if (motif.isEmpty()) return 0;
    const QTextDocument::FindFlags options = casse ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    int n = 0;
    QTextCursor c(document());
    c.beginEditBlock();  // un seul « Annuler » pour tout
    QTextCursor trouve(document());
    while (true) {
        trouve = document()->find(motif, trouve, options);
        if (trouve.isNull()) break;
        c.setPosition(trouve.selectionStart());
        c.setPosition(trouve.selectionEnd(), QTextCursor::KeepAnchor);
        c.insertText(par);
        trouve.setPosition(c.position());
        ++n;
    }
    c.endEditBlock();
    if (n == 0) emit TexteIntrouvable(motif);
    return n;
}

bool EditeurDeProgramme::event(QEvent* e) {
    // Ctrl+Suppr est « Tout effacer » (avec sa question), pas l'effacement d'un mot.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Delete && k->modifiers() == Qt::ControlModifier) {
            e->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void EditeurDeProgramme::keyReleaseEvent(QKeyEvent* e) {
    QPlainTextEdit::keyReleaseEvent(e);
    emit ToucheRelachee();
}

// ------------------------------------------------------------ recherche

BoiteRecherche::BoiteRecherche(EditeurDeProgramme* editeur, QWidget* parent) : QDialog(parent), editeur_(editeur) {
    auto* disposition = new QVBoxLayout(this);
    auto* formulaire = new QFormLayout;
    motif_ = new QLineEdit(this);
    formulaire->addRow(QStringLiteral("&Rechercher :"), motif_);
    ligneRemplacer_ = new QWidget(this);
    auto* l = new QHBoxLayout(ligneRemplacer_);
    l->setContentsMargins(0, 0, 0, 0);
    par_ = new QLineEdit(ligneRemplacer_);
    l->addWidget(new QLabel(QStringLiteral("Remplacer &par :"), ligneRemplacer_));
    l->addWidget(par_, 1);
    disposition->addLayout(formulaire);
    disposition->addWidget(ligneRemplacer_);
    casse_ = new QCheckBox(QStringLiteral("Respecter les &majuscules"), this);
    disposition->addWidget(casse_);
    auto* boutons = new QHBoxLayout;
    auto* suivant = new QPushButton(QStringLiteral("&Suivant"), this);
    suivant->setDefault(true);
    remplacer_ = new QPushButton(QStringLiteral("R&emplacer"), this);
    toutRemplacer_ = new QPushButton(QStringLiteral("&Tout remplacer"), this);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutons->addWidget(suivant);
    boutons->addWidget(remplacer_);
    boutons->addWidget(toutRemplacer_);
    boutons->addWidget(fermer);
    disposition->addLayout(boutons);
    connect(suivant, &QPushButton::clicked, this, [this] { editeur_->Chercher(motif_->text(), casse_->isChecked()); });
    connect(remplacer_, &QPushButton::clicked, this,
            [this] { editeur_->Remplacer(motif_->text(), par_->text(), casse_->isChecked()); });
    connect(toutRemplacer_, &QPushButton::clicked, this,
            [this] { editeur_->ToutRemplacer(motif_->text(), par_->text(), casse_->isChecked()); });
    connect(fermer, &QPushButton::clicked, this, &QDialog::close);
}

void BoiteRecherche::Ouvrir(bool remplacer) {
    setWindowTitle(remplacer ? QStringLiteral("Remplacer") : QStringLiteral("Chercher"));
    ligneRemplacer_->setVisible(remplacer);
    remplacer_->setVisible(remplacer);
    toutRemplacer_->setVisible(remplacer);
    const QString selection = editeur_->textCursor().selectedText();
    if (!selection.isEmpty() && !selection.contains(QChar::ParagraphSeparator))
        motif_->setText(selection);
    else if (motif_->text().isEmpty())
        motif_->setText(editeur_->DerniereRecherche());
    adjustSize();
    show();
    raise();
    activateWindow();
    motif_->setFocus();
    motif_->selectAll();
}

}  // namespace gelim
