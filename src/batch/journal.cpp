// Le journal du lanceur sur la sortie d'erreur.
#include "batch/journal.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace gelim {

namespace {

constexpr size_t kOctetsJournal = size_t(1) << 16;
constexpr auto kDelaiJournal = std::chrono::milliseconds(50);
char gJournal[kOctetsJournal];
std::atomic<size_t> gJournalRempli{0};        // octets de lignes entières
std::atomic<bool> gJournalEnEcriture{false};  // ces octets sont en train de partir
std::chrono::steady_clock::time_point gJournalEcrit;
static_assert(std::atomic<size_t>::is_always_lock_free);

void EcrireTout(const char* p, size_t n) {
    while (n > 0) {
        ssize_t r = ::write(2, p, n);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return;
        p += r;
        n -= size_t(r);
    }
}

}  // namespace

// L'heure n'est notée qu'à une écriture : une ligne qui suit un long silence part tout de suite.
void ViderLeJournal() {
    const size_t n = gJournalRempli.load();
    if (n == 0) return;
    gJournalEcrit = std::chrono::steady_clock::now();
    gJournalEnEcriture.store(true);
    EcrireTout(gJournal, n);
    gJournalRempli.store(0);
    gJournalEnEcriture.store(false);
}

void PeutEtreViderLeJournal() {
    if (gJournalRempli.load(std::memory_order_relaxed) > 0 &&
        std::chrono::steady_clock::now() - gJournalEcrit >= kDelaiJournal)
        ViderLeJournal();
}

void AjouterAuJournal(const std::string& ligne) {
    const size_t n = ligne.size() + 1;
    if (gJournalRempli.load() + n > kOctetsJournal) ViderLeJournal();
    if (n > kOctetsJournal) {
        const std::string l = ligne + "\n";
        gJournalEnEcriture.store(true);
        EcrireTout(l.data(), l.size());
        gJournalEnEcriture.store(false);
        return;
    }
    // La ligne est copiée avant d'être comptée : un signal ne voit que des lignes entières.
    const size_t rempli = gJournalRempli.load();
    std::memcpy(gJournal + rempli, ligne.data(), ligne.size());
    gJournal[rempli + n - 1] = '\n';
    gJournalRempli.store(rempli + n);
    PeutEtreViderLeJournal();
}

void EcrireLeJournalAvantDeQuitter() {
    if (!gJournalEnEcriture.load()) EcrireTout(gJournal, gJournalRempli.load());
}

}  // namespace gelim
