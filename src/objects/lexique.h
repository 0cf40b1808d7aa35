// Le vocabulaire de démarrage : les codes des primitives, nommés d'après elles
// (la seule définition des codes), les classes, et la table déclarative (nom,
// classe, code, nombre d'arguments, lexique.cpp) d'où sont tirés le lexique,
// la coloration de l'éditeur et l'index de l'aide.
#pragma once

#include <cstdint>
#include <vector>

namespace gelim {

// Le code d'une primitive est l'étiquette de son objet : il dit sa famille et
// son membre. Les synonymes partagent un code (nommé d'après l'un d'eux).
enum Code : uint16_t {
    // FoncNENS : expressions non évaluées, choisies par le nombre d'arguments.
    kQuote = 0x4421,
    kNextl = 0x4422,
    kSetq = 0x4441,
    kRepete = 0x4442,
    kWhile = 0x4443,
    kDo = 0x4444,
    kFor = 0x4481,
    // FoncNESP : toute la liste d'arguments, non évaluée.
    kProgn = 0x4500,
    kIf = 0x4501,
    kWhen = 0x4502,
    kUnless = 0x4503,
    kAnd = 0x4505,
    kOr = 0x4506,
    kLispDe = 0x4507,
    kListe = 0x4508,
    kCond = 0x450A,
    kLet = 0x450C,
    kTape = 0x450D,   // et prin
    kEcris = 0x450E,  // et ec, print
    kPPrint = 0x450F,
    // Num1Param.
    kRandom = 0x4700,
    kMoinsUnaire = 0x4701,  // -:
    kAbs = 0x4702,
    kSin = 0x4703,
    kCos = 0x4704,
    kPuissance2 = 0x4705,
    kPuissance3 = 0x4706,
    kRacine = 0x4707,
    kExp = 0x4708,
    kLn = 0x4709,
    kLog = 0x470A,
    kArrondis = 0x470B,
    kInc = 0x470C,
    kDec = 0x470D,
    kSrand = 0x470E,
    // Num2Param.
    kEgalEgal = 0x4714,   // ==
    kSup = 0x4715,        // >
    kSupEgal = 0x4716,    // >=
    kInf = 0x4717,        // <
    kInfEgal = 0x4718,    // <=
    kDifferent = 0x4719,  // !=
    kPlus = 0x471E,       // +
    kFois = 0x471F,       // *
    kMoins = 0x4720,      // -
    kDivise = 0x4721,     // /
    kModulo = 0x4722,     // %
    kMax = 0x4723,
    kMin = 0x4724,
    kCpixel = 0x4725,  // et cpoint
    kSomme = 0x4726,
    kProd = 0x4727,
    kDiff = 0x4728,
    kDiv = 0x4729,
    kReste = 0x472A,
    kBipfd = 0x472B,
    // Liste1Param (Liste2Param n'a aucun membre).
    kCaar = 0x4734,
    kCadr = 0x4735,
    kCdar = 0x4736,
    kCddr = 0x4737,
    kCaaar = 0x4738,
    kCaadr = 0x4739,
    kCadar = 0x473A,
    kCaddr = 0x473B,
    kCdaar = 0x473C,
    kCdadr = 0x473D,
    kCddar = 0x473E,
    kCdddr = 0x473F,
    kCadddr = 0x4740,
    kCddddr = 0x4741,
    kRenverse = 0x4742,
    kImplose = 0x4744,
    kPlat = 0x4745,
    // Free0Param.
    kVideTexte = 0x475A,  // et vt
    kCatalogue = 0x475B,
    kLisMot = 0x475C,
    kLisNombre = 0x475D,
    kGetchar = 0x475E,
    kLisListe = 0x475F,  // et ll
    kRecycle = 0x4760,
    // Free1Param.
    kExec = 0x4765,
    kMotP = 0x4766,  // mot?
    kConsp = 0x4767,
    kListeP = 0x4768,   // liste?
    kNombreP = 0x4769,  // nombre?
    kSexp = 0x476A,
    kSymboleP = 0x476B,  // symbole?
    kVarp = 0x476C,
    kVideP = 0x476D,  // vide?
    kNomP = 0x476E,   // nom?
    kPrimP = 0x476F,  // prim?
    kProcP = 0x4770,  // proc?
    kNon = 0x4771,    // !
    kLongueur = 0x4772,
    kPretty = 0x4773,
    kMontre = 0x4774,
    kCharge = 0x4775,
    kReturn = 0x4776,  // return_, que la grammaire place pour « return »
    // Free2Param.
    kEq = 0x4778,
    kEgalP = 0x4779,  // egal?
    kNeq = 0x477A,
    kEtEt = 0x477B,  // &&
    kOuOu = 0x477C,  // ||
    kListe2 = 0x477D,
    kMembreP = 0x477E,  // membre?
    kMemq = 0x477F,
    // Autres1Param.
    kTexte = 0x4787,
    kTrace = 0x4788,
    kUntrace = 0x4789,
    kJoue = 0x478A,
    kRecycleValeur = 0x478B,  // et rv
    kExplose = 0x478C,
    kCar = 0x478D,
    kPrem = 0x478E,
    kDer = 0x478F,
    kSp = 0x4790,
    kSd = 0x4791,
    // Autres2Param.
    kMp = 0x4796,
    kNieme = 0x4797,  // et item
    kDonne = 0x4799,
    kMot = 0x479A,
    kPhrase = 0x479B,  // et ph, append2
    kSoit = 0x479E,
    // Autres3Param.
    kSubst = 0x47A0,
    kAfficheBitmap = 0x47A1,
    // Logo0Param.
    kLeveCrayon = 0x47AA,    // et lc
    kBaisseCrayon = 0x47AC,  // et bc
    kCacheTortue = 0x47AE,   // et ct
    kMontreTortue = 0x47B0,  // et mt
    kVideEcran = 0x47B2,     // et ve
    kNettoie = 0x47B4,
    kCap = 0x47B5,
    kAbscisse = 0x47B6,
    kOrdonnee = 0x47B7,
    kOrigine = 0x47B8,
    kPosition = 0x47B9,  // et pos
    kAbscisseSouris = 0x47BA,
    kOrdonneeSouris = 0x47BB,
    kCouleurCrayon = 0x47BC,  // et cc
    kRemplis = 0x47BD,
    kDessineTortue = 0x47BE,
    kEffaceTortue = 0x47BF,
    kClos = 0x47C0,
    kOuvre = 0x47C1,
    // Logo1Param.
    kAvance = 0x47C8,        // et av
    kRecule = 0x47CA,        // et re
    kTourneDroite = 0x47CC,  // et td
    kTourneGauche = 0x47CE,  // et tg
    kFixeCap = 0x47D0,       // et fcap
    kCercle = 0x47D2,
    kFcc = 0x47D3,
    kFec = 0x47D4,
    kFcf = 0x47D5,
    // Logo2Param.
    kPixel = 0x47DC,         // et point
    kFixePosition = 0x47DD,  // et fpos
    kFixeCurseur = 0x47DE,   // et fcurs
    // Logo3Param.
    kCircle = 0x47E6,
    // Logo4Param.
    kLigne = 0x47F0,
    kRectangle = 0x47F1,
    kBloc = 0x47F2,
};

// Les familles : le code ET kMasqueFamille. Les primitives ont leurs codes de
// kFamilleNENS à kFinFoncEvNS (exclu), où commencent les étiquettes des noms.
enum FamilleCode : uint16_t {
    kMasqueFamille = 0x4700,
    kFamilleNENS = 0x4400,
    kFamilleNESP = 0x4500,
    kFamilleEvNS = 0x4700,
    kFinFoncEvNS = 0x4800,
    kDernierNESP = 0x450F,
};

// Les tranches des familles évaluantes : chacune va de sa borne à la suivante.
enum DebutFamille : uint16_t {
    kDebutNum1 = 0x4700,
    kDebutNum2 = 0x4714,
    kDebutListe1 = 0x4732,
    kDebutListe2 = 0x4750,
    kDebutFree0 = 0x475A,
    kDebutFree1 = 0x4764,
    kDebutFree2 = 0x4778,
    kDebutAutres1 = 0x4787,
    kDebutAutres2 = 0x4796,
    kDebutAutres3 = 0x47A0,
    kDebutLogo0 = 0x47AA,
    kDebutLogo1 = 0x47C8,
    kDebutLogo2 = 0x47DC,
    kDebutLogo3 = 0x47E6,
    kDebutLogo4 = 0x47F0,
};

// Classes des primitives (la classe construite ; l'aiguillage ne dépend que du code).
enum class Classe : uint8_t {
    FoncNENS1Param,
    FoncNENS2Param,
    FoncNENS4Param,
    FoncNESP,
    FoncEvNSNum1Param,
    FoncEvNSNum2Param,
    FoncEvNSListe1Param,
    FoncEvNSListe2Param,
    FoncEvNSFree0Param,
    FoncEvNSFree1Param,
    FoncEvNSFree2Param,
    FoncEvNSAutres1Param,
    FoncEvNSAutres2Param,
    FoncEvNSAutres3Param,
    FoncEvNSLogo0Param,
    FoncEvNSLogo1Param,
    FoncEvNSLogo2Param,
    FoncEvNSLogo3Param,
    FoncEvNSLogo4Param,
};

struct EntreePrimitive {
    const char* nom;  // en page 1252 (tous les noms sont en ASCII)
    Classe classe;
    Code code;
    uint8_t nbArgs;
};

// Les 184 primitives, dans l'ordre de création.
const std::vector<EntreePrimitive>& TableDesPrimitives();

}  // namespace gelim
