// Les rectangles des quatre filles, pour chaque réglage, sur une zone donnée.
#include <QTest>

#include "banc_bureau.h"
#include "desktop/geometrie.h"

namespace gelim {

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void juxtaposees();
    void superposees();
    void separateurs();
};

void TestGeometrie::juxtaposees() {
    const QSize zone(1001, 700);  // moitié tronquée : 500
    ReglagesDisposition r;        // ligne de commande, juxtaposées, messages cachés
    RectanglesDesFenetres f = CalculerLesRectangles(r, zone);
    QCOMPARE(f.ligneDeCommande, QRect(0, 0, 500, 48));
    QVERIFY(f.messages.isNull());
    QVERIFY(f.editeur.isNull());
    QCOMPARE(f.graphique, QRect(500, 0, 500, 700));

    r.messagesCaches = false;
    f = CalculerLesRectangles(r, zone);
    QCOMPARE(f.messages, QRect(0, 48, 500, 652));

    r.mode = 1;  // l'éditeur, et les messages en bande de 250 pixels dessous
    f = CalculerLesRectangles(r, zone);
    QVERIFY(f.ligneDeCommande.isNull());
    QCOMPARE(f.editeur, QRect(0, 0, 500, 450));
    QCOMPARE(f.messages, QRect(0, 450, 500, 250));

    r.messagesCaches = true;  // l'éditeur prend toute la hauteur
    f = CalculerLesRectangles(r, zone);
    QCOMPARE(f.editeur, QRect(0, 0, 500, 700));
    QCOMPARE(f.graphique, QRect(500, 0, 500, 700));

    // Un cadre bas : la bande des messages ne prend pas plus de la moitié.
    r.messagesCaches = false;
    f = CalculerLesRectangles(r, QSize(880, 400));
    QCOMPARE(f.editeur, QRect(0, 0, 440, 200));
    QCOMPARE(f.messages, QRect(0, 200, 440, 200));
}

void TestGeometrie::superposees() {
    const QSize zone(1000, 700);
    ReglagesDisposition r;
    r.disposition = 1;
    r.messagesCaches = false;
    RectanglesDesFenetres f = CalculerLesRectangles(r, zone);
    QCOMPARE(f.ligneDeCommande, QRect(0, 0, 960, 48));
    QCOMPARE(f.messages, QRect(0, 40, 960, 660));
    QCOMPARE(f.graphique, QRect(40, 0, 960, 700));

    r.mode = 1;
    f = CalculerLesRectangles(r, zone);
    QCOMPARE(f.editeur, QRect(0, 0, 960, 660));
    QCOMPARE(f.messages, QRect(0, 40, 960, 660));
    r.messagesCaches = true;
    QCOMPARE(CalculerLesRectangles(r, zone).editeur, QRect(0, 0, 960, 700));
}

void TestGeometrie::separateurs() {
    QCOMPARE(LargeurSeparateur(1000, 416), 23);  // (1000 - 416) / 25
    QCOMPARE(LargeurSeparateur(2000, 416), 29);  // plafonné
    QCOMPARE(LargeurSeparateur(300, 416), 0);    // jamais négatif
}

GELIM_TESTS_BUREAU(TestGeometrie);

}  // namespace gelim

#include "test_geometrie.moc"
