// L'hôte du bureau : la vue des messages suit exactement le modèle du cœur,
// getchar lit la file du clavier et s'interrompt sur l'arrêt. Les boîtes
// demandées par le fil de travail sont vues au travers de la fenêtre.
#include <QTest>
#include <atomic>
#include <thread>

#include "banc_bureau.h"
#include "desktop/hote_bureau.h"
#include "desktop/vue_messages.h"
#include "rendu/surface_qimage.h"
#include "text/messages.h"

namespace gelim {

class TestHote : public QObject {
    Q_OBJECT
private slots:
    void laVueSuitLeModele();
    void laLimiteDesLignes();
    void getcharEtArret();
    void titres();
};

// Un interprète sur l'hôte du bureau, comme au démarrage.
struct BancHote {
    HoteBureau hote;
    SurfaceQImage dessin, vue, precedent;
    std::unique_ptr<Interp> I;
    BancHote() : I(std::make_unique<Interp>(hote)) {
        I->dessin = &dessin;
        I->vue = &vue;
        I->precedent = &precedent;
        hote.AttacherModele(&I->messages);
        hote.RepondreAutomatiquement(true);
    }
};

static QString Modele(Interp& I) {
    return QString::fromStdString(Cp1252VersUtf8(I.messages.Texte()));
}

void TestHote::laVueSuitLeModele() {
    BancHote b;
    VueMessages vue;
    Interp& I = *b.I;
    EcritLigne(I, "première ligne");
    Ecrit(I, "début ");
    Ecrit(I, "");
    EcritEntier(I, 42);
    vue.ToutAbsorber(b.hote);
    QCOMPARE(vue.toPlainText(), Modele(I));
    // Lecture par petits lots : le résultat est le même.
    FinDeLigne(I);
    FinDeLigne(I);
    for (int i = 0; i < 50; ++i) EcritLigne(I, "ligne " + std::to_string(i));
    while (vue.Absorber(b.hote, 7)) {
    }
    QCOMPARE(vue.toPlainText(), Modele(I));
    // Une ligne de 100 caractères n'en prend plus : la vue non plus.
    Ecrit(I, std::string(120, 'x'));
    Ecrit(I, "refusé");
    vue.ToutAbsorber(b.hote);
    QCOMPARE(vue.toPlainText(), Modele(I));
    // Tout effacé, puis la ligne « OK ! ».
    VideLesMessages(I);
    EcritLigne(I, "OK !");
    vue.ToutAbsorber(b.hote);
    QCOMPARE(vue.toPlainText(), QStringLiteral("OK !\n"));
    QCOMPARE(vue.toPlainText(), Modele(I));
}

void TestHote::laLimiteDesLignes() {
    BancHote b;
    Interp& I = *b.I;
    I.messages.limiteLignes = 100;
    VueMessages vue;
    vue.DefinirLimiteDeLignes(100);
    // Lue en cours de route, puis beaucoup plus que la limite d'un coup.
    for (int i = 0; i < 30; ++i) EcritLigne(I, "a" + std::to_string(i));
    vue.ToutAbsorber(b.hote);
    for (int i = 0; i < 25000; ++i) EcritLigne(I, "b" + std::to_string(i));
    Ecrit(I, "fin");
    vue.ToutAbsorber(b.hote);
    QCOMPARE(vue.toPlainText(), Modele(I));
    QVERIFY(vue.toPlainText().startsWith(QStringLiteral("b24901\n")));
    // L'attente côté hôte est bornée, même si la vue ne lit jamais.
    for (int i = 0; i < 300000; ++i) EcritLigne(I, "c");
    HoteBureau::LotDeMessages lot;
    QVERIFY(b.hote.PrendreMessages(lot, size_t(1) << 30));
    QVERIFY(lot.remiseAZero);
    QVERIFY(std::count(lot.texte.begin(), lot.texte.end(), '\n') <= 100 + 10000);
}

void TestHote::getcharEtArret() {
    BancHote b;
    std::atomic<int> code{-1};
    std::thread fil([&] { code = b.hote.AttendreTouche().code; });
    QTRY_VERIFY(b.hote.AttendUneTouche());
    Touche t;
    t.genre = Touche::Clavier;
    t.code = 0x25;
    b.hote.AjouterTouche(t);
    fil.join();
    QCOMPARE(code.load(), 0x25);

    // Une touche tapée avant l'appel attend dans la file.
    t.code = 'A';
    b.hote.AjouterTouche(t);
    QCOMPARE(b.hote.AttendreTouche().code, 0);  // sur le fil de l'interface : jamais d'attente
    std::thread fil2([&] { code = b.hote.AttendreTouche().code; });
    fil2.join();
    QCOMPARE(code.load(), int('A'));

    // L'arrêt réveille une attente : « Aucune ».
    std::atomic<int> genre{-1};
    std::thread fil3([&] { genre = int(b.hote.AttendreTouche().genre); });
    QTRY_VERIFY(b.hote.AttendUneTouche());
    b.hote.DemanderArret();
    fil3.join();
    QCOMPARE(genre.load(), int(Touche::Aucune));
    QVERIFY(b.hote.ArretDemande());
    b.hote.ReprendreApresArret();
    QVERIFY(!b.hote.ArretDemande());
}

void TestHote::titres() {
    BancHote b;
    std::string titre;
    QVERIFY(!b.hote.PrendreTitre(Fenetre::Graphique, titre));
    std::thread fil([&] {
        for (int i = 0; i < 1000; ++i) b.hote.TitreFenetre(Fenetre::Graphique, std::to_string(i));
    });
    fil.join();
    QVERIFY(b.hote.PrendreTitre(Fenetre::Graphique, titre));
    QCOMPARE(titre, std::string("999"));  // seul le dernier compte
    QVERIFY(!b.hote.PrendreTitre(Fenetre::Graphique, titre));
}

GELIM_TESTS_BUREAU(TestHote);

}  // namespace gelim

#include "test_hote.moc"
