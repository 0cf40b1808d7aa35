// L'éditeur de programmes : lié à un fichier (lu en UTF-8 s'il est valide,
// en page 1252 sinon, réenregistré dans le même encodage), coloré selon le
// langage, avec la recherche et le remplacement, les numéros de ligne dans
// une marge (comptés depuis 0, comme la fenêtre des messages) et la ligne
// d'une erreur de syntaxe surlignée.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QSet>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace gelim {

// La coloration : primitives, mots-clés, nombres, commentaires //, listes [ ].
class Coloration : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit Coloration(QTextDocument* document);
    enum Genre { Rien, Primitive, MotCle, Nombre, Commentaire, Liste };
    // Le genre du mot (tel qu'il est écrit) : primitive, mot-clé, nombre ou rien.
    Genre GenreDuMot(const QString& mot) const;
    QTextCharFormat Format(Genre g) const { return formats_[g]; }

protected:
    void highlightBlock(const QString& texte) override;

private:
    QSet<QString> primitives_, motsCles_;
    QTextCharFormat formats_[6];
};

class EditeurDeProgramme : public QPlainTextEdit {
    Q_OBJECT
public:
    enum class Encodage { Utf8, Utf8AvecBom, Cp1252 };
    explicit EditeurDeProgramme(QWidget* parent = nullptr);

    // Le fichier lié ; vide pour un programme sans nom.
    const QString& Chemin() const { return chemin_; }
    QString NomAffiche() const;  // le nom du fichier, ou « Sans nom »
    Encodage EncodageDuFichier() const { return encodage_; }
    void OublierLeFichier();  // « Sans nom », nouveau fichier en UTF-8

    // Lecture : le texte remplace tout ; faux si le fichier ne se lit pas.
    bool Charger(const QString& chemin);
    // Écriture (sûre : le fichier n'est remplacé qu'une fois tout écrit).
    // « encodageChange » est posé quand des caractères hors de la page 1252
    // obligent à passer en UTF-8 plutôt que de les perdre.
    bool Enregistrer(const QString& chemin, bool* encodageChange = nullptr);

    // Recherche : vrai si trouvé (repart du début au besoin).
    bool Chercher(const QString& motif, bool casse);
    bool ChercherSuivant();
    bool Remplacer(const QString& motif, const QString& par, bool casse);
    int ToutRemplacer(const QString& motif, const QString& par, bool casse);
    const QString& DerniereRecherche() const { return derniereRecherche_; }

    Coloration* LaColoration() const { return coloration_; }

    // La ligne fautive (numérotée depuis 0) : le curseur y va, elle se voit et
    // reste surlignée jusqu'à la prochaine modification du texte.
    void MontrerLaLigneFautive(int ligne);
    int LigneFautive() const { return ligneFautive_; }
    // L'instruction qui va s'exécuter (ou qui vient d'échouer), du premier au
    // dernier caractère (lignes et colonnes depuis 0) : surlignée, amenée en vue
    // sans déplacer le curseur de l'élève, jusqu'à OublierLInstruction.
    void MontrerLInstruction(int ligne, int colonne, int ligneFin, int colonneFin);
    void OublierLInstruction();
    // Le texte surligné de l'instruction en cours et sa première ligne (-1 : aucune).
    QString InstructionMontree() const;
    int LigneDeLInstruction() const { return instruction_.isNull() ? -1 : instruction_.blockNumber(); }
    QWidget* Marge() const { return marge_; }
    int LargeurDeLaMarge() const;
    void PeindreLaMarge(QPaintEvent* e);

signals:
    void ToucheRelachee();
    void TexteIntrouvable(const QString& motif);

protected:
    bool event(QEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void OublierLaLigneFautive();
    void Surligner();

    QString chemin_;
    Encodage encodage_ = Encodage::Utf8;
    bool finsDeLigneCrLf_ = false;
    QString derniereRecherche_;
    bool derniereCasse_ = false;
    Coloration* coloration_ = nullptr;
    QWidget* marge_ = nullptr;
    int ligneFautive_ = -1;
    QTextCursor instruction_;  // sélection de l'instruction montrée (nulle : aucune)
};

// Chercher (et remplacer) : une boîte non modale au-dessus de l'éditeur.
class BoiteRecherche : public QDialog {
    Q_OBJECT
public:
    BoiteRecherche(EditeurDeProgramme* editeur, QWidget* parent);
    void Ouvrir(bool remplacer);

private:
    EditeurDeProgramme* editeur_;
    QLineEdit* motif_;
    QLineEdit* par_;
    QCheckBox* casse_;
    QPushButton* remplacer_;
    QPushButton* toutRemplacer_;
    QWidget* ligneRemplacer_;
};

}  // namespace gelim
