// Le lexer : ligne par ligne, une passe des caractères qui découpe la ligne en
// mots dans un tampon, puis une passe des mots qui change chaque mot en objet.
// Il n'échoue jamais : tout texte donne une liste de jetons.
#include <algorithm>
#include <cstring>
#include <string>

#include "syntax/analyse.h"
#include "syntax/regles.h"

namespace gelim {

namespace {

constexpr unsigned char kMarqueDeFin = 0xF0;
constexpr size_t kLongueurMaxTexte = kTailleTampon - 2;  // place de la marque et du NUL

bool EstLettreAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool EstChiffre(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Le tampon des mots d'une ligne : un NUL, les mots suivis d'un ou plusieurs NUL,
// puis NUL et LF. Il grandit avec la ligne : aucune ligne ne le déborde.
struct Lexer {
    Interp& I;
    const std::vector<char>& texte;
    size_t posTexte = 0;  // gPosTexte
    std::string tamponDesMots;
    // Pour chaque octet du tampon, le caractère du texte d'où il vient : la
    // carte des lieux y lit où commence et finit chaque jeton.
    std::vector<int32_t> origines;

    unsigned char Octet(size_t p) const { return static_cast<unsigned char>(texte[p]); }

    void Ajoute(char c) {
        tamponDesMots += c;
        origines.push_back(int32_t(posTexte));
    }

    // Le jeton ; ses caractères après le premier viennent de « suite » (le
    // second caractère de « <= », ou le même « - » pour « -: »).
    void Emet(const char* jeton, size_t suite) {
        Ajoute('\0');
        for (const char* c = jeton; *c; ++c) {
            tamponDesMots += *c;
            origines.push_back(int32_t(c == jeton ? posTexte : suite));
        }
        Ajoute('\0');
    }

    // Passe des caractères : laisse posTexte sur le LF ou la marque de fin.
    void AnaLexLigne() {
        tamponDesMots.clear();
        origines.clear();
        Ajoute('\0');
        for (;;) {
            unsigned char c = Octet(posTexte);
            if (c == '\n' || c == kMarqueDeFin) break;
            unsigned char s = Octet(posTexte + 1);  // existe : la marque et le NUL suivent le texte
            switch (c) {
                case '\r':
                case '\t':
                case ' ':
                case 0xFF: Ajoute('\0'); break;
                case 0xE8:
                case 0xE9:  // è et é comptent pour e
                    Ajoute('e');
                    break;
                case '(':
                case ')':
                case '*':
                case '+':
                case ',':
                case '\'':
                case ';':
                case '[':
                case ']':
                case '{':
                case '}': {
                    const char jeton[2] = {char(c), 0};
                    Emet(jeton, posTexte);
                    break;
                }
                case '/':
                    if (s == '/') {  // commentaire jusqu'au bout de la ligne
                        while (Octet(posTexte) != '\r' && Octet(posTexte) != '\n' && Octet(posTexte) != kMarqueDeFin)
                            ++posTexte;
                        Ajoute('\0');
                        continue;
                    }
                    Emet("/", posTexte);
                    break;
                case '<':
                case '>':
                case '=':
                case '!':
                    if (s == '=') {
                        const char jeton[3] = {char(c), '=', 0};
                        Emet(jeton, posTexte + 1);
                        ++posTexte;
                    } else {
                        const char jeton[2] = {char(c), 0};
                        Emet(jeton, posTexte);
                    }
                    break;
                case '&':
                case '|':
                    if (s == c) {
                        const char jeton[3] = {char(c), char(c), 0};
                        Emet(jeton, posTexte + 1);
                        ++posTexte;
                    } else {
                        Ajoute(char(c));
                    }
                    break;
                case '-':
                    if (EstLettreAscii(s))
                        Emet("-:", posTexte);  // moins unaire : la lettre commence un nouveau mot
                    else
                        Ajoute('-');
                    break;
                default: Ajoute(char(c)); break;
            }
            ++posTexte;
        }
        Ajoute('\0');
        Ajoute('\n');
    }

    // Saute le mot courant puis les NUL qui le suivent, sans passer la fin.
    size_t MotSuivant(size_t p) const {
        size_t fin = tamponDesMots.size();
        while (p < fin && tamponDesMots[p] != '\0') ++p;
        while (p < fin && tamponDesMots[p] == '\0') ++p;
        return p;
    }

    Objet* ObjetDuMot(const std::string& mot) {
        unsigned char c0 = static_cast<unsigned char>(mot[0]);
        if (EstChiffre(c0) || (c0 == '-' && mot.size() > 1 && EstChiffre(static_cast<unsigned char>(mot[1])))) {
            // Un nombre : 0 et 1 sont partagés ; le nombre écarté n'est désigné par
            // rien, la collecte hors réserve le reprendra.
            Flottant* f = I.NombreDuTexte(mot);
            if (f->valeur == 0.0f) return I.pgZero;
            if (f->valeur == 1.0f) return I.pgUn;
            f->etat = EtatPartage;
            I.Ajoute(f);  // sans effet si le lexique a déjà ce texte
            return f;
        }
        if (mot == "(") return I.sepParOuvrante;
        if (mot == ")") return I.sepParFermante;
        if (mot == "'") return I.Prim(kQuote);
        if (mot.size() == 1 && EstLettreAscii(c0)) return I.lettres[c0];
        return I.TrouveOuCreeNom(mot);
    }

    // Passe des mots : un objet par mot non vide.
    void AnaLexMots() {
        std::string mot;
        for (size_t p = MotSuivant(0); p < tamponDesMots.size() && tamponDesMots[p] != '\n'; p = MotSuivant(p)) {
            size_t q = p;
            while (tamponDesMots[q] != '\0') ++q;
            mot.assign(tamponDesMots, p, q - p);
            I.ChaineBrute.push_back(ObjetDuMot(mot));
            I.lieux.debutJeton.push_back(origines[p]);
            I.lieux.finJeton.push_back(origines[q - 1]);
        }
    }
};

}  // namespace

void RemplirTexteAAnalyser(Interp& I, const std::string& texte) {
    if (I.gTexteAAnalyser.size() < size_t(kTailleTampon)) I.gTexteAAnalyser.resize(kTailleTampon);
    size_t n = std::min(texte.size(), kLongueurMaxTexte);
    std::memcpy(I.gTexteAAnalyser.data(), texte.data(), n);
    I.gTexteAAnalyser[n] = '\0';
}

void AnaLexTexte(Interp& I) {
    std::vector<char>& t = I.gTexteAAnalyser;
    if (t.size() < size_t(kTailleTampon)) t.resize(kTailleTampon, '\0');
    // Le texte finit au premier NUL ; un tampon rempli sans NUL est coupé.
    size_t longueur = 0;
    while (longueur < kLongueurMaxTexte && t[longueur] != '\0') ++longueur;
    t[longueur] = char(kMarqueDeFin);
    t[longueur + 1] = '\0';

    // Un nouveau texte : les notes de l'analyse précédente ne valent plus.
    I.profondeurDepassee = false;
    I.analyseSansCellules = false;
    Lexer lx{I, t, 0, {}, {}};
    // Les positions suivent ChaineBrute, que l'appelant vient de vider.
    I.lieux.debutJeton.assign(I.ChaineBrute.size(), -1);
    I.lieux.finJeton.assign(I.ChaineBrute.size(), -1);
    I.InxFreeNextTabMemoEditLigInfo = 0;
    for (;;) {
        size_t i = I.InxFreeNextTabMemoEditLigInfo;
        if (i >= I.TabMemoEditLigInfo.size()) I.TabMemoEditLigInfo.resize(std::max<size_t>(1000, 2 * i));
        MemoEditLigInfo& ligne = I.TabMemoEditLigInfo[i];
        ligne.debut = int32_t(lx.posTexte);
        ligne.premier = int32_t(I.ChaineBrute.size());
        lx.AnaLexLigne();
        lx.AnaLexMots();
        ligne.fin = int32_t(I.ChaineBrute.size());
        ++I.InxFreeNextTabMemoEditLigInfo;
        if (lx.Octet(lx.posTexte) == kMarqueDeFin) break;
        ++lx.posTexte;  // le LF
    }
    I.ChaineBrute.push_back(I.marqueFin);
    I.lieux.debutJeton.push_back(int32_t(longueur));
    I.lieux.finJeton.push_back(int32_t(longueur));
}

}  // namespace gelim
