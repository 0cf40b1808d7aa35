// Les images dans le dessin : affichebitmap (BMP ou GIF centré sur un point du
// champ), le chargement d'un BMP sur tout le dessin et sa sauvegarde.
#include <algorithm>

#include "text/messages.h"
#include "turtle/images.h"
#include "turtle/tortue_interne.h"

namespace gelim {

namespace {

void Alerte(Interp& I, std::vector<std::string> lignes) {
    I.hote.AlerteOk(TXT("A  T  T  E  N  T  I  O  N"), lignes);
}

// Le fichier d'un nom du cœur (page 1252) : tel quel en UTF-8, tel quel en
// octets bruts, puis dans les dossiers où « charge » cherche aussi.
bool LireFichierDuNom(Interp& I, const std::string& nom, std::vector<uint8_t>& octets) {
    std::vector<std::string> essais{Cp1252VersUtf8(nom), nom};
    if (!nom.empty() && nom[0] != '/')
        for (const std::string& dossier : I.dossiersCharge) essais.push_back(dossier + "/" + Cp1252VersUtf8(nom));
    for (const std::string& chemin : essais)
        if (LireFichierEntier(chemin, octets)) return true;
    return false;
}

// Un chemin du système de fichiers, montré à l'élève en page 1252.
std::string NomMontre(const std::string& chemin) {
    return EstUtf8Valide(chemin) ? Utf8VersCp1252(chemin.c_str()) : chemin;
}

// Copie une image sur une surface, son pixel (0, 0) au pixel (x, y) ; seule la
// partie visible est convertie, quelle que soit la taille de l'image.
template <class CouleurDe>
void CollerVisible(Surface& s, int x, int y, int largeur, int hauteur, CouleurDe couleurDe) {
    int g = std::max(0, -x), h = std::max(0, -y);
    int d = std::min(largeur, s.Largeur() - x), b = std::min(hauteur, s.Hauteur() - y);
    if (x > s.Largeur() || y > s.Hauteur() || d <= g || b <= h) return;
    std::vector<Couleur> pixels;
    pixels.reserve(size_t(d - g) * size_t(b - h));
    for (int j = h; j < b; ++j)
        for (int i = g; i < d; ++i) pixels.push_back(couleurDe(i, j));
    s.CollerImage(x + g, y + h, d - g, b - h, pixels);
}

// BMP centré : 2 x (L/2) sur 2 x (H/2), pris depuis le coin bas-gauche (une
// largeur impaire perd sa dernière colonne, une hauteur impaire sa ligne du haut).
void AfficherBmp(Interp& I, const std::string& nom, int32_t X, int32_t Y) {
    std::vector<uint8_t> octets;
    ImageRGB image;
    if (!LireFichierDuNom(I, nom, octets) || !LireBmpDepuisOctets(octets.data(), octets.size(), image)) {
        Alerte(I, {TXT("Erreur lors de la recherche de l'image"), nom});
        return;
    }
    const int w = 2 * (image.largeur / 2), h = 2 * (image.hauteur / 2), saut = image.hauteur - h;
    auto couleur = [&](int i, int j) { return image.At(i, j + saut); };
    // Le dessin seul : la vue ne le montre qu'une fois recopiée du dessin, après
    // la commande (cpixel, qui lit la vue, ne voit pas l'image avant).
    if (!I.dessin) return;
    Point p = PixelDuDessin(X - image.largeur / 2, Y + image.hauteur / 2);
    CollerVisible(*I.dessin, p.x, p.y, w, h, couleur);
    I.hote.DessinModifie();
}

void AfficherGif(Interp& I, const std::string& nom, int32_t X, int32_t Y) {
    std::vector<uint8_t> octets;
    OurBigGifDataStructDescriptor gif;
    if (!LireFichierDuNom(I, nom, octets) || !LireGifDepuisOctets(octets.data(), octets.size(), gif)) {
        Alerte(I, {TXT("Erreur lors du traitement de cette image"), nom});
        return;
    }
    if (!TableGifAcceptee(gif)) {
        Alerte(I, {TXT("Erreur OurBigGifDataStructDescriptor."), TXT("cBitByPixelIndexInColorTable != 8,4,3"), nom});
        return;
    }
    if (!I.vue && !I.dessin) {
        Alerte(I, {TXT("Erreur lors de la création du TBitmap"), nom});
        return;
    }
    const int w = int(gif.largeurImage), h = int(gif.hauteurImage);
    const std::vector<uint32_t> ordre = OrdreDesLignesGif(gif);
    auto couleur = [&](int i, int j) { return CouleurPixelGif(gif, ordre, uint32_t(i), uint32_t(j)); };
    SurLesDeuxSurfaces(I, [&](Surface& s, auto pixel) {
        Point p = pixel(X - w / 2, Y + h / 2);
        CollerVisible(s, p.x, p.y, w, h, couleur);
    });
}

}  // namespace

Objet* PrimAfficheBitmap(Interp& I, Objet* nom, Objet* x, Objet* y) {
    // Rien ne couvre ces cas : un rapport clair plutôt qu'un nom ou un point inventé.
    if (!EstNom(nom) && !EstMyStringPur(nom)) {
        ErreurExecution(I, "Affichebitmap", "Le param 1 n'est pas un Nom", nom);
        return I.pgNil;
    }
    for (Objet* c : {x, y})
        if (!EstFlottant(c)) {
            ErreurExecution(I, "Affichebitmap",
                            c == x ? "Le param 2 n'est pas un nombre" : "Le param 3 n'est pas un nombre", c);
            return I.pgNil;
        }
    const std::string texte = I.TexteDe(nom);
    const int32_t X = CoordonneeDuChamp(FLO(x)->valeur), Y = CoordonneeDuChamp(FLO(y)->valeur);
    if (texte.size() <= 3) {
        Alerte(I, {TXT("Erreur lors de la recherche de l'image"), TXT("Le nom de fichier doit comporter une extension"),
                   texte});
        return I.pgNil;
    }
    const std::string fin = texte.substr(texte.size() - 4);
    if (fin == ".bmp")
        AfficherBmp(I, texte, X, Y);
    else if (fin == ".gif")
        AfficherGif(I, texte, X, Y);
    else
        Alerte(I, {TXT("Erreur lors de la recherche de l'image"),
                   TXT("Je ne sais pas traiter les fichiers avec cette extension"), texte});
    return I.pgNil;
}

// Le coin bas-gauche de l'image sur le pixel bas-gauche du dessin ; une image
// plus grande montre sa partie bas-gauche de 1000 x 1000. La tortue ne bouge pas.
bool ChargerImageDansLeDessin(Interp& I, const std::string& fichier) {
    ImageRGB image;
    if (!LireBmp(fichier, image)) {
        Alerte(I, {TXT("Erreur lors de la recherche de l'image"), NomMontre(fichier)});
        return false;
    }
    auto couleur = [&](int i, int j) { return image.At(i, j); };
    for (Surface* s : {I.dessin, I.vue})
        if (s) CollerVisible(*s, 0, s->Hauteur() - image.hauteur, image.largeur, image.hauteur, couleur);
    I.hote.DessinModifie();
    return true;
}

// Le dessin entier, cadre compris (la figure de la tortue n'est que sur la vue).
bool SauverLeDessin(Interp& I, const std::string& fichier) {
    bool ok = false;
    if (I.dessin) {
        DessinerLeCadre(I);
        ImageRGB image;
        image.largeur = I.dessin->Largeur();
        image.hauteur = I.dessin->Hauteur();
        image.pixels.reserve(size_t(image.largeur) * size_t(image.hauteur));
        for (int y = 0; y < image.hauteur; ++y)
            for (int x = 0; x < image.largeur; ++x) image.pixels.push_back(I.dessin->LirePixel(x, y));
        ok = EcrireBmp24(fichier, image);
    }
    if (!ok) Alerte(I, {TXT("Erreur lors de la sauvegarde d'une image."), NomMontre(fichier)});
    return ok;
}

}  // namespace gelim
