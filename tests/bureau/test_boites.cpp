// Les boîtes dessinées : dispositions de la boîte d'erreur, réponses des
// boîtes OUI / NON, du pas à pas et de la saisie.
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "banc_bureau.h"
#include "desktop/boites.h"
#include "desktop/hote_bureau.h"
#include "text/messages.h"

namespace gelim {

class TestBoites : public QObject {
    Q_OBJECT
private slots:
    void erreurDeSyntaxe();
    void dispositionSansRangees();
    void ouiNon();
    void pasAPas();
    void saisie();
};

// Les pixels nettement bleus (le texte lissé n'est pas exactement 0, 0, 127).
static int PixelsBleus(const QImage& image, const QRect& zone) {
    int n = 0;
    const QRect r = zone.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.blue() - std::max(c.red(), c.green()) > 40;
        }
    return n;
}

void TestBoites::erreurDeSyntaxe() {
    const std::string titre = Utf8VersCp1252("J E   N E   C O M P R E N D S   P A S");
    BoiteErreur b = FaireBoiteErreur(GenreBoite::Syntaxe, titre,
                                     {" une expression suivie d'un point-virgule. ", " l'expression ", "av",
                                      " un point-virgule. ", "la_marque_de_fin_du_programme"});
    BoiteErreurDialogue d(b, nullptr);
    QCOMPARE(d.windowTitle(), QStringLiteral("J E   N E   C O M P R E N D S   P A S"));
    QCOMPARE(d.Donnees().disposition, 2);
    QCOMPARE(d.Bouton()->text(), QStringLiteral("&O U I"));
    QVERIFY(d.Bouton()->isDefault());

    // Cinq rangées réparties également dans les 210 pixels du panneau.
    const std::vector<int> hauts = d.Zone()->HautsDesRangees();
    QCOMPARE(int(hauts.size()), 5);
    const int pas = hauts[1] - hauts[0];
    for (size_t i = 1; i < hauts.size(); ++i) QCOMPARE(hauts[i] - hauts[i - 1], pas);
    QCOMPARE(hauts[0], pas - QFontMetrics(d.Zone()->font()).height());
    QVERIFY(hauts.back() + pas <= ZoneBoiteErreur::kHauteurPanneau + 5);

    // Les textes en bleu foncé dans le panneau, les étiquettes à gauche sans bleu.
    const QImage image = d.Zone()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int x0 = ZoneBoiteErreur::kDebutPanneau;
    for (int h : hauts) QVERIFY(PixelsBleus(image, QRect(x0 + 2, h, 300, pas / 2 + 4)) > 10);
    QCOMPARE(PixelsBleus(image, QRect(0, 0, x0 - 2, ZoneBoiteErreur::kHauteurPanneau)), 0);
    // Le panneau clair, et l'image sous le panneau.
    QCOMPARE(QColor(image.pixel(image.width() - 3, ZoneBoiteErreur::kHauteurPanneau - 3)), QColor(255, 253, 240));
    QVERIFY(image.height() > ZoneBoiteErreur::kHauteurPanneau + 40);
}

void TestBoites::dispositionSansRangees() {
    // Genre 2 sans quatrième texte : la disposition 7 ne dessine aucun texte.
    BoiteErreur b = FaireBoiteErreur(GenreBoite::Paires, "T", {"un", "deux", "trois"});
    QCOMPARE(b.disposition, 7);
    BoiteErreurDialogue d(b, nullptr);
    const QImage image = d.Zone()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(PixelsBleus(image, image.rect()), 0);
}

// Lance la boîte et, dès qu'elle attend, lui applique le geste de l'élève.
template <class Boite, class Geste>
static void Executer(Boite& d, Geste geste) {
    QTimer::singleShot(0, &d, [&d, geste] { geste(d); });
    d.exec();
}
static void Echap(QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
}

void TestBoites::ouiNon() {
    // OUI, NON, et Échap sur une question : NON, jamais un OUI par accident.
    const struct {
        void (*geste)(BoiteMessageDialogue&);
        int resultat;
    } cas[] = {{[](BoiteMessageDialogue& d) { d.BoutonOui()->click(); }, 1},
               {[](BoiteMessageDialogue& d) { d.BoutonNon()->click(); }, 2},
               {[](BoiteMessageDialogue& d) { Echap(d); }, 2}};
    for (const auto& c : cas) {
        BoiteMessageDialogue d(QStringLiteral("Q"), {QStringLiteral("un"), QStringLiteral("deux")}, kImageQuestion,
                               true, nullptr);
        QCOMPARE(d.BoutonOui()->text() + d.BoutonNon()->text(), QStringLiteral("&O U I&N O N"));
        Executer(d, c.geste);
        QCOMPARE(d.Resultat(), c.resultat);
    }
    // Quatre lignes demandées : trois seulement sont gardées ; sans NON, Échap vaut OUI.
    BoiteMessageDialogue d(QStringLiteral("A"), {"1", "2", "3", "4"}, kImageAttention, false, nullptr);
    QCOMPARE(d.Lignes().size(), 3);
    QVERIFY(d.BoutonNon() == nullptr);
    Executer(d, Echap);
    QCOMPARE(d.Resultat(), 1);
}

void TestBoites::pasAPas() {
    // Un bouton ; Entrée sur le bouton par défaut ; Échap : la forme passe et l'arrêt est demandé.
    const struct {
        void (*geste)(BoitePasAPasDialogue&);
        ReponsePasAPas reponse;
        bool arret;
    } cas[] = {{[](BoitePasAPasDialogue& d) { d.Bouton(ReponsePasAPas::Abandonner)->click(); },
                ReponsePasAPas::Abandonner, false},
               {[](BoitePasAPasDialogue& d) { QTest::keyClick(d.Bouton(ReponsePasAPas::Reessayer), Qt::Key_Return); },
                ReponsePasAPas::Reessayer, false},
               {[](BoitePasAPasDialogue& d) { Echap(d); }, ReponsePasAPas::Ignorer, true}};
    for (const auto& c : cas) {
        BoitePasAPasDialogue d(QStringLiteral("t"), QStringLiteral("x"), nullptr);
        QVERIFY(d.Bouton(ReponsePasAPas::Reessayer)->isDefault());
        Executer(d, c.geste);
        QCOMPARE(d.Reponse(), c.reponse);
        QCOMPARE(d.ArretDemande(), c.arret);
    }
}

void TestBoites::saisie() {
    BoiteSaisieDialogue d(QStringLiteral("Entrez votre mot au clavier"), QStringLiteral("Validez"), nullptr);
    QCOMPARE(d.windowTitle(), QStringLiteral("Entrez votre mot au clavier"));
    QTimer::singleShot(0, &d, [&d] {
        QTest::keyClicks(d.Champ(), QString(70, QLatin1Char('x')));
        QTest::keyClick(d.Champ(), Qt::Key_Return);
    });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    QCOMPARE(d.Texte(), QString(60, QLatin1Char('x')));  // le champ s'arrête à 60 caractères

    BoiteSaisieDialogue annulee(QStringLiteral("t"), QStringLiteral("i"), nullptr);
    Executer(annulee, Echap);
    QCOMPARE(annulee.result(), int(QDialog::Rejected));
}

GELIM_TESTS_BUREAU(TestBoites);

}  // namespace gelim

#include "test_boites.moc"
