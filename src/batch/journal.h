// Le journal du lanceur sans écran : ce que l'élève verrait ou entendrait
// (boîtes, bips, sons), une ligne chacun, sur la sortie d'erreur.
#pragma once

#include <string>

namespace gelim {

// Un write par ligne du journal coûtait plus que la tortue elle-même : une
// spirale qui se cogne au cadre écrit des milliers de « BIP ». Les lignes
// attendent ici, et partent d'un seul write au plus tard 50 ms après la
// précédente écriture (à la ligne suivante ou au prochain sondage de l'arrêt),
// avant tout autre texte de la sortie d'erreur, avant de lire une entrée, à la
// fin, et par le gestionnaire d'un second signal juste avant de quitter.
// Seul le fil de la session écrit ici ; le gestionnaire tourne sur ce même fil
// et ne fait que lire les atomiques puis appeler write.
void AjouterAuJournal(const std::string& ligne);  // sans la fin de ligne
void ViderLeJournal();
// Vide le journal si sa dernière écriture date de 50 ms ou plus.
void PeutEtreViderLeJournal();
// Le journal en attente d'écriture, écrit sans rien d'autre que write : pour
// un gestionnaire de signal qui va quitter le programme.
void EcrireLeJournalAvantDeQuitter();

}  // namespace gelim
