// Les demandes du cœur à la page. Les fonctions de la page (Module.page) sont
// écrites en JavaScript dans page/gelim.js ; les textes passent en UTF-8.
#include "web/hote_web.h"

#include <emscripten.h>

#include <cstdlib>

#include "objects/interp.h"
#include "shell/pilote.h"

// clang-format off
EM_JS(int, js_texte, (uint32_t* pixels, int largeur, int hauteur, int x, int y, const char* texte), {
    return Module.page && Module.page.texte ? Module.page.texte(pixels, largeur, hauteur, x, y, UTF8ToString(texte)) : 0;
});
EM_ASYNC_JS(int, js_boite, (const char* genre, const char* json), {
    return await Module.page.boite(UTF8ToString(genre), JSON.parse(UTF8ToString(json)));
});
EM_ASYNC_JS(char*, js_saisie, (const char* json), {
    const r = await Module.page.saisie(JSON.parse(UTF8ToString(json)));
    if (r === null || r === undefined) return 0;
    const n = lengthBytesUTF8(r) + 1, p = _malloc(n);
    stringToUTF8(r, p, n);
    return p;
});
EM_ASYNC_JS(int, js_touche, (), { return await Module.page.attendreTouche(); });
EM_ASYNC_JS(void, js_bipfd, (int f, int d), { await Module.page.bipfd(f, d); });
EM_ASYNC_JS(void, js_son, (const char* nom), { await Module.page.joueSon(UTF8ToString(nom)); });
EM_ASYNC_JS(void, js_pause, (), { await Module.page.pause(); });
EM_JS(void, js_bip, (int exclamation), { Module.page.bip(exclamation); });
EM_JS(void, js_titre, (int fenetre, const char* titre), { Module.page.titre(fenetre, UTF8ToString(titre)); });
EM_JS(int, js_souris, (), { return Module.page.souris(); });
EM_JS(int, js_taille, (), { return Module.page.tailleGraphique(); });
EM_JS(int, js_arret, (), { return Module.page.arret ? 1 : 0; });
EM_JS(void, js_peindre, (const uint32_t* pixels, int largeur, int hauteur), { Module.page.peindre(pixels, largeur, hauteur); });
EM_JS(void, js_messages, (const char* texte, int coupe), { Module.page.messages(UTF8ToString(texte), coupe); });
// clang-format on

namespace gelim {

namespace {

// Un tableau JSON de textes du cœur (page 1252), en UTF-8.
std::string Json(const std::vector<std::string>& textes) {
    std::string j = "[";
    for (size_t i = 0; i < textes.size(); ++i) {
        if (i) j += ',';
        j += '"';
        for (unsigned char c : Cp1252VersUtf8(textes[i])) {
            if (c == '"' || c == '\\') {
                j += '\\';
                j += char(c);
            } else if (c < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                j += u;
            } else {
                j += char(c);
            }
        }
        j += '"';
    }
    return j + "]";
}

// Au-delà, la page ne montre que les dernières lignes des messages.
constexpr size_t kLignesMontrees = 5000;

}  // namespace

void SurfaceWeb::TexteALaPosition(const std::string& texteCp1252) {
    std::lock_guard verrou(Verrou());
    const std::string texte = Cp1252VersUtf8(texteCp1252);
    const int avance = js_texte(Donnees(), Largeur(), Hauteur(), PositionX(), PositionY(), texte.c_str());
    FixerPositionX(PositionX() + avance);
    NoterModification();
}

void HoteWeb::Rafraichir() {
    if (vue && vue->Version() != versionVue_) {
        versionVue_ = vue->Version();
        js_peindre(vue->Donnees(), vue->Largeur(), vue->Hauteur());
    }
    if (I && MessagesDe(*I).version != versionMessages_) {
        versionMessages_ = MessagesDe(*I).version;
        const auto& lignes = MessagesDe(*I).lignes;
        const size_t debut = lignes.size() > kLignesMontrees ? lignes.size() - kLignesMontrees : 0;
        std::string texte;
        for (size_t i = debut; i < lignes.size(); ++i) {
            if (i > debut) texte += '\n';
            texte += lignes[i];
        }
        js_messages(Cp1252VersUtf8(texte).c_str(), int(debut));
    }
    // Comme sur le bureau : le compte des nombres vivants dans le titre de la fenêtre graphique.
    if (I && NombresVivants(*I) != dernierCompte_) {
        dernierCompte_ = NombresVivants(*I);
        js_titre(int(Fenetre::Graphique), std::to_string(dernierCompte_).c_str());
    }
}

void HoteWeb::MontrerBoiteErreur(const BoiteErreur& b) {
    Rafraichir();
    std::vector<std::string> textes{b.titre, std::to_string(b.image)};
    for (const RangeeBoite& r : b.rangees) {
        textes.push_back(r.etiquette);
        textes.push_back(r.texte);
    }
    js_boite("erreur", Json(textes).c_str());
}

int HoteWeb::AlerteOk(const std::string& titre, const std::vector<std::string>& lignes) {
    Rafraichir();
    std::vector<std::string> textes{titre};
    textes.insert(textes.end(), lignes.begin(), lignes.end());
    return js_boite("ok", Json(textes).c_str());
}

int HoteWeb::QuestionOuiNon(const std::string& titre, const std::vector<std::string>& lignes) {
    Rafraichir();
    std::vector<std::string> textes{titre};
    textes.insert(textes.end(), lignes.begin(), lignes.end());
    return js_boite("ouinon", Json(textes).c_str());
}

void HoteWeb::BoiteMessage(const std::string& titre, const std::string& texte) {
    Rafraichir();
    js_boite("message", Json({titre, texte}).c_str());
}

ReponsePasAPas HoteWeb::BoitePasAPas(const std::string& titre, const std::string& texte) {
    Rafraichir();
    switch (js_boite("pasapas", Json({titre, texte}).c_str())) {
        case 0: return ReponsePasAPas::Abandonner;
        case 1: return ReponsePasAPas::Reessayer;
        case 2: return ReponsePasAPas::Ignorer;
        default: return ReponsePasAPas::Echec;
    }
}

bool HoteWeb::Saisie(const std::string& titre, const std::string& invite, std::string& texte) {
    Rafraichir();
    char* r = js_saisie(Json({titre, invite}).c_str());
    if (!r) return false;
    std::string brut(r);
    std::free(r);
    texte = EstUtf8Valide(brut) ? Utf8VersCp1252(brut.c_str()) : brut;
    if (texte.size() > 60) texte.resize(60);  // le champ de saisie prend 60 caractères
    return true;
}

void HoteWeb::Beep(Bip b) {
    js_bip(b == Bip::Exclamation);
}

void HoteWeb::BipFD(int frequence, int duree) {
    Rafraichir();
    js_bipfd(frequence, duree);
}

void HoteWeb::JoueSon(const std::string& nomFichier) {
    Rafraichir();
    js_son(Cp1252VersUtf8(nomFichier).c_str());
}

void HoteWeb::TitreFenetre(Fenetre f, const std::string& titre) {
    js_titre(int(f), Cp1252VersUtf8(titre).c_str());
}

// getchar : la page rend -1 (arrêt demandé), ou genre << 16 | majuscules << 8 | code.
Touche HoteWeb::AttendreTouche() {
    Rafraichir();
    const int r = js_touche();
    dernierePause_ = emscripten_get_now();
    if (r < 0) return Touche{Touche::Aucune, 0, false};
    return Touche{Touche::Genre(r >> 16), r & 0xFF, ((r >> 8) & 1) != 0};
}

bool HoteWeb::MouvementSouris(int& px, int& py) {
    const int r = js_souris();
    if (r < 0) return false;
    px = r >> 16;
    py = r & 0xFFFF;
    return true;
}

void HoteWeb::TailleFenetreGraphique(int& largeur, int& hauteur) {
    const int r = js_taille();
    largeur = r >> 16;
    hauteur = r & 0xFFFF;
}

// Interrogé régulièrement par l'évaluateur : toutes les 30 ms au plus, le
// navigateur reprend la main pour peindre le dessin et voir le bouton d'arrêt.
bool HoteWeb::ArretDemande() {
    const double maintenant = emscripten_get_now();
    if (maintenant - dernierePause_ >= 30) {
        Rafraichir();
        js_pause();
        dernierePause_ = emscripten_get_now();
    }
    return js_arret() != 0;
}

}  // namespace gelim
