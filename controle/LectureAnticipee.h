#pragma once
// The buffers that follow the one being worked on, read by a second thread meanwhile, so
// that the kernel's copy of the bytes overlaps the checks.
#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace controle {

using FonctionLecture = ssize_t (*)(int fd, void* tampon, size_t taille);
// Marks, one bit per byte, the bytes of a buffer that its reader looks for: every word up
// to byte `taille` is written whole.
using FonctionMarque = void (*)(const char* octets, std::size_t taille, std::uint64_t* bits);

// One read's outcome: the bytes read, or -1 with the errno the call left.
struct ResultatLecture {
    ssize_t Lus = 0;
    int Erreur = 0;
    bool Marque = false; // the bytes read have their bits
};

// Reads with `lit`, again as long as a signal interrupts it.
ResultatLecture LitSansInterruption(FonctionLecture lit, int fd, char* tampon, std::size_t taille);

// The reads of one open descriptor, made in order ahead of the reader: they stop at the end
// of the data or at a failure, whose outcome waits, like every other, until taken.
class LectureAnticipee {
public:
    LectureAnticipee(int fd, std::size_t taille);
    // Waits for the read in flight, then ends the thread.
    ~LectureAnticipee();
    LectureAnticipee(const LectureAnticipee&) = delete;
    LectureAnticipee& operator=(const LectureAnticipee&) = delete;

    // Reads ahead with `lit` when not already doing so and no outcome waits, and marks the
    // buffers read from now on with `marque` when it is given. The thread is started at the
    // first call; when it cannot be, nothing is read ahead and the caller reads by itself.
    void Demarre(FonctionLecture lit, FonctionMarque marque);
    // Whether an outcome is there or on its way.
    bool EnCours();
    // Waits for the next outcome; its bytes go into `tampon` and their bits, when marked, into
    // `bits`, which give their own for a later read.
    ResultatLecture Prend(std::vector<char>& tampon, std::vector<std::uint64_t>& bits);

private:
    // Enough for the checks to rarely wait, few wake-ups: the thread sleeps when all are
    // full and is woken when half of them are free.
    static constexpr std::uint64_t NbTampons = 8;

    struct Case {
        std::vector<char> Tampon;
        std::vector<std::uint64_t> Bits;
        ResultatLecture Resultat;
    };

    void Boucle();
    bool MoitieLibre() const { return ecrites_ - prises_ <= NbTampons / 2; }

    const int fd_;
    std::array<Case, NbTampons> cases_;
    std::mutex verrou_;
    std::condition_variable reveilLecteur_;
    std::condition_variable reveilPreneur_;
    std::thread fil_;
    FonctionLecture lit_ = nullptr;
    FonctionMarque marque_ = nullptr;
    std::uint64_t ecrites_ = 0; // outcomes stored so far
    std::uint64_t prises_ = 0;  // outcomes taken so far
    bool actif_ = false;
    bool lecteurEndormi_ = false;
    bool preneurEndormi_ = false;
    bool arret_ = false;
};

} // namespace controle
