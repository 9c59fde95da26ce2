#pragma once
// The buffers of a file being written, written by a second thread while the next ones are
// filled, so that the kernel's copy of the bytes overlaps the work that makes them.
#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace controle {

using FonctionEcriture = ssize_t (*)(int fd, const void* tampon, size_t taille);

// The first failure of the writes: the errno a call left, or, for a call that wrote
// nothing, DisquePlein.
struct EchecEcriture {
    bool Echec = false;
    bool DisquePlein = false;
    int Erreur = 0;
};

// Writes `taille` bytes with `ecrit`, again after a signal and after a partial write.
EchecEcriture EcritSansInterruption(FonctionEcriture ecrit, int fd, const char* octets,
                                    std::size_t taille);

// The writes of one open descriptor, made in the order given: after a failure the buffers
// that follow are dropped, and the failure waits to be told.
class EcritureDifferee {
public:
    EcritureDifferee(int fd, std::size_t taille);
    // Waits for the write in flight, drops the others, then ends the thread.
    ~EcritureDifferee();
    EcritureDifferee(const EcritureDifferee&) = delete;
    EcritureDifferee& operator=(const EcritureDifferee&) = delete;

    // Whether the thread runs; when it could not be started, the caller writes by itself.
    bool Demarre();
    // Hands over the first `taille` bytes of `tampon`, which gets back a buffer of the size
    // given at construction, or one handed over before; waits while every buffer is in use.
    // Returns the failure of an earlier write, if any.
    EchecEcriture Confie(std::vector<char>& tampon, std::size_t taille, FonctionEcriture ecrit);
    // Waits until every buffer handed over is written or dropped; returns the first failure.
    EchecEcriture Termine();

private:
    // Enough to ride over an uneven disk, no more: the memory stays flat.
    static constexpr std::uint64_t NbTampons = 4;

    struct Case {
        std::vector<char> Tampon;
        std::size_t Taille = 0;
        FonctionEcriture Ecrit = nullptr;
    };

    void Boucle();

    const int fd_;
    std::array<Case, NbTampons> cases_;
    std::mutex verrou_;
    std::condition_variable reveilEcrivain_;
    std::condition_variable reveilDonneur_;
    std::thread fil_;
    std::uint64_t confiees_ = 0; // buffers handed over so far
    std::uint64_t traitees_ = 0; // buffers written or dropped so far
    EchecEcriture echec_;
    bool arret_ = false;
};

} // namespace controle
