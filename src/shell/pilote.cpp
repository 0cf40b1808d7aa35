// Le pilote des commandes, partagé par le bureau et le lanceur sans écran.
#include "shell/pilote.h"

#include "eval/eval.h"
#include "objects/imprime.h"
#include "primitives/primitives.h"
#include "syntax/analyse.h"
#include "text/messages.h"
#include "turtle/tortue.h"

namespace gelim {

// Au-delà, un fichier qui se charge lui-même (directement ou non) est arrêté.
constexpr int kProfondeurChargeMax = 40;

void DemarrerInterprete(Interp& I) {
    I.fenetresExistent = true;
    InstallerEnvironnementDeBase(I);
}

void ExecuterLaCommande(Interp& I, const std::string& texte) {
    std::string t = texte.size() > 64998 ? texte.substr(0, 64998) : texte;
    RemplirTexteAAnalyser(I, t);
    EcritLigne(I, t);
    AnalyseLeTexte(I);
    if (I.gArbreDuProgramme == I.pgCestFaux) return;
    I.commandeEnAttente = true;
    I.hote.DessinModifie();
}

// Entre deux commandes, quand il reste moins d'un quart des cellules, le pilote
// collecte de lui-même, sans message : les arbres des commandes passées sont repris.
static void CollecteSilencieuseSiBesoin(Interp& I) {
    if (I.NbCellulesLibres >= kNbCellules / 4) return;
    bool ecrire = I.fenetresExistent;
    I.fenetresExistent = false;
    I.Recuperation();
    I.fenetresExistent = ecrire;
}

static void RafraichirLaVue(Interp& I) {
    if (!I.dessin || !I.vue) return;
    DessinerLeCadre(I);
    I.vue->CopierDepuis(*I.dessin);
    DessinerLaTortue(I);
    I.hote.DessinModifie();
}

void ExecuterLaCommandeEnAttente(Interp& I) {
    if (!I.commandeEnAttente) {
        RafraichirLaVue(I);
        return;
    }
    if (I.mode == 1) {
        BlanchirLesSurfaces(I);
        InitialiserLaTortue(I);
    } else {
        if (I.precedent && I.dessin) I.precedent->CopierDepuis(*I.dessin);
        SauverLaTortue(I);
        I.instructionEffacable = true;
    }
    AppliquerLeCrayon(I);
    if (I.vue) I.vue->BrosseCreuse();
    if (I.dessin) I.dessin->BrosseCreuse();
    if (I.gErreurAnalyse) return;

    I.NbErreursExecution = 0;
    I.DemandeDeRecuperation = false;
    PreparerCommande(I);
    Objet* resultat = EvalPasAPas(I, I.gArbreDuProgramme);

    int pos = I.gPosAnalyse;
    if (pos != 0 && pos >= 0 && size_t(pos) < I.ChaineBrute.size() && I.ChaineBrute[size_t(pos)] != I.marqueFin) {
        EcritLigne(I, " Dans l'ordre que tu me donnes, il reste encore à traiter : ");
        MontreLaSuite(I);
        EcritLigne(I, "Si tu veux me donner plusieurs instructions à la fois, encadre-les par des crochets.");
    }
    if (I.EstMarqueur(resultat)) {
        resultat = CEL(CEL(resultat)->cdr)->car;
        EcritLigne(I, "Le 'return' ne doit être utilisé qu'à l'intérieur d'une procédure.");
    }
    if (resultat != I.pgNil) {
        EcritLigne(I, "Que faire de : ");
        ImprimeLigne(I, resultat);
    }
    VerifierLeBordDuCadre(I);
    if (I.DemandeDeRecuperation) I.Recuperation();
    I.commandeEnAttente = false;
    I.arretDemande = false;
    CollecteSilencieuseSiBesoin(I);
    RafraichirLaVue(I);
}

void ExecuterEtAttendre(Interp& I, const std::string& texte) {
    ExecuterLaCommande(I, texte);
    if (I.commandeEnAttente) ExecuterLaCommandeEnAttente(I);
}

void ChargerEtExecuter(Interp& I, const std::string& nom) {
    std::string texte;
    bool utf8 = false;
    bool lu = LireFichierProgramme(nom, texte, utf8);
    for (size_t i = 0; !lu && i < I.dossiersCharge.size(); ++i)
        lu = LireFichierProgramme(I.dossiersCharge[i] + "/" + nom, texte, utf8);
    if (!lu) {
        Ecrit(I, "Erreur en ouverture ");
        EcritLigne(I, nom);
        return;
    }
    if (texte.size() > 64998) {
        Ecrit(I, "Ce fichier est trop long pour que je l'analyse (plus de 64998 caractères) : ");
        EcritLigne(I, nom);
        return;
    }
    if (I.profondeurCharge >= kProfondeurChargeMax) {
        Ecrit(I, "Trop de fichiers chargés les uns dans les autres, je ne charge pas : ");
        EcritLigne(I, nom);
        return;
    }
    ++I.profondeurCharge;
    RemplirTexteAAnalyser(I, texte);
    AnalyseLeTexte(I);
    if (I.gArbreDuProgramme != I.pgCestFaux) EvalPasAPas(I, I.gArbreDuProgramme);
    --I.profondeurCharge;
}

void GommerLaDerniereInstruction(Interp& I) {
    if (I.mode == 1) {
        I.hote.AlerteOk(TXT("N  O  N,   D  E  S  O  L  E"), {TXT("Je ne peux pas effacer car ..."),
                                                             TXT("... tu travailles dans l'éditeur de programmes.")});
        return;
    }
    if (!I.instructionEffacable) {
        I.hote.AlerteOk(TXT("N  O  N,   J ' A I   D E J A   E F F A C E   U N E   I N S T R U C T I O N"),
                        {TXT("Je ne peux effacer encore une instruction ! Apprends"),
                         TXT("plutôt à travailler dans l'éditeur de programmes.")});
        return;
    }
    RestaurerLaTortue(I);
    if (I.dessin && I.precedent) I.dessin->CopierDepuis(*I.precedent);
    I.instructionEffacable = false;
    RafraichirLaVue(I);
}

std::string TitreDemarrage() {
    return TXT("C O M M E N C E R   A V E C   L ' I N T E R P R E T E U R");
}

std::vector<std::string> LignesDemarrage() {
    static const char* lignes[] = {
        " D E S S I N E R   U N   C A R R E !",
        "Pour commander à la tortue d'avancer puis de tourner à",
        "droite, dans la ligne de commande, en haut à gauche, taper :",
        "",
        "av(123); td(90);",
        "",
        "Ensuite, cliquer 4 fois sur l'éclair dans la barre de boutons.",
        "____________________________________________________________",
        "",
        "\tLES PRINCIPALES COMMANDES ",
        "",
        "av(78);\tavance la tortue, de 78 pixels, droit devant.",
        "re(45);\trecule la tortue, de 45 pixels, droit derrière.",
        "td(90);\tla tortue tourne sur place de 90° à droite.",
        "tg(90);\tla tortue tourne sur place de 90° à gauche.",
        "ve();  \tvide l'écran, ramène la tortue, initialise tout.",
        "lc();  \tleve le crayon (la tortue avance sans tracer).",
        "bc();  \tbaisse le crayon (la tortue avance et trace).",
        "ct();  \tcache la tortue  : on ne la voit plus !",
        "mt();  \tmontre la tortue : ouf, on la voit à nouveau !",
        "______________________________",
        "",
        "Pour voir une démonstation dans chacuns des domaines suivants : ",
        ".256 .3D .don .FDU .gra .ite .jeu .ln .c .lst .mus .num .per .rec,",
        "Exécutez le fichier chargeur correspondant :",
        "   Exemple 1 : 'chargeur.gra' : voir des exemples de graphisme !",
        "   Exemple 2 : 'chargeur.256' : voir des dessins en 256 couleurs !",
    };
    std::vector<std::string> v;
    for (const char* l : lignes) v.push_back(Utf8VersCp1252(l));
    return v;
}

}  // namespace gelim
