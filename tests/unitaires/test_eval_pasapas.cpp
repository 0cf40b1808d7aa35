// Le pas à pas quand sa boîte ne peut pas s'ouvrir (les réponses de la boîte
// et la trace des appels sont rejouées par les transcriptions).
#include <gtest/gtest.h>

#include "test_eval_lecteur.h"

using namespace gelim;

namespace {
// Un hôte dont la boîte du pas à pas ne peut pas s'ouvrir.
class HoteSansBoite : public HoteEnregistreur {
public:
    ReponsePasAPas BoitePasAPas(const std::string&, const std::string&) override { return ReponsePasAPas::Echec; }
};
}  // namespace

TEST(EvalPas, BoiteImpossibleSauteLaForme) {
    HoteSansBoite hote;
    Interp I(hote);
    InstallerEnvironnementDeBase(I);
    I.pasapas->valeur = I.pgTrue;
    EXPECT_EQ(EvalPasAPas(I, Lecteur(I, "(setq z 4)").Lire()), I.pgNil);
    EXPECT_EQ(NOM(I.TrouveOuCreeNom("z"))->valeur, I.pgValeurIndefinie);
    EXPECT_EQ(I.gProfondeurPasAPas, 0);
}
