// Les rectangles des quatre filles, pour chaque réglage, sur une zone donnée.
#include <QTest>

#include "banc_bureau.h"
#include "desktop/geometrie.h"

namespace gelim {

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void rectangles();
    void separateurs();
};

void TestGeometrie::rectangles() {
    const QRect rien;
    const struct {
        const char* nom;
        int disposition, mode;
        bool messagesCaches;
        QSize zone;
        QRect ligne, messages, editeur, graphique;
    } cas[] = {
        // Juxtaposées, moitié tronquée : 500.
        {"départ", 0, 0, true, {1001, 700}, {0, 0, 500, 48}, rien, rien, {500, 0, 500, 700}},
        {"messages", 0, 0, false, {1001, 700}, {0, 0, 500, 48}, {0, 48, 500, 652}, rien, {500, 0, 500, 700}},
        // L'éditeur, les messages en bande de 250 pixels dessous ; cachés, il prend toute la hauteur.
        {"éditeur", 0, 1, false, {1001, 700}, rien, {0, 450, 500, 250}, {0, 0, 500, 450}, {500, 0, 500, 700}},
        {"éditeur seul", 0, 1, true, {1001, 700}, rien, rien, {0, 0, 500, 700}, {500, 0, 500, 700}},
        // Un cadre bas : la bande des messages ne prend pas plus de la moitié.
        {"cadre bas", 0, 1, false, {880, 400}, rien, {0, 200, 440, 200}, {0, 0, 440, 200}, {440, 0, 440, 400}},
        // Superposées : chacune décalée de 40 pixels.
        {"superposées", 1, 0, false, {1000, 700}, {0, 0, 960, 48}, {0, 40, 960, 660}, rien, {40, 0, 960, 700}},
        {"sup. éditeur", 1, 1, false, {1000, 700}, rien, {0, 40, 960, 660}, {0, 0, 960, 660}, {40, 0, 960, 700}},
        {"sup. éditeur seul", 1, 1, true, {1000, 700}, rien, rien, {0, 0, 960, 700}, {40, 0, 960, 700}},
    };
    for (const auto& c : cas) {
        ReglagesDisposition r;
        r.disposition = c.disposition;
        r.mode = c.mode;
        r.messagesCaches = c.messagesCaches;
        const RectanglesDesFenetres f = CalculerLesRectangles(r, c.zone);
        const QRect obtenus[] = {f.ligneDeCommande, f.messages, f.editeur, f.graphique};
        const QRect attendus[] = {c.ligne, c.messages, c.editeur, c.graphique};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(obtenus[i] == attendus[i], qPrintable(QStringLiteral("%1, fille %2").arg(c.nom).arg(i)));
    }
}

void TestGeometrie::separateurs() {
    QCOMPARE(LargeurSeparateur(1000, 416), 23);  // (1000 - 416) / 25
    QCOMPARE(LargeurSeparateur(2000, 416), 29);  // plafonné
    QCOMPARE(LargeurSeparateur(300, 416), 0);    // jamais négatif
}

GELIM_TESTS_BUREAU(TestGeometrie);

}  // namespace gelim

#include "test_geometrie.moc"
