#include "LectureAnticipee.h"

#include <cerrno>
#include <system_error>

namespace controle {

ResultatLecture LitSansInterruption(FonctionLecture lit, int fd, char* tampon, std::size_t taille) {
    ssize_t lus;
    do
        lus = lit(fd, tampon, taille);
    while (lus < 0 && errno == EINTR);
    return {lus, lus < 0 ? errno : 0};
}

LectureAnticipee::LectureAnticipee(int fd, std::size_t taille) : fd_(fd) {
    for (Case& c : cases_)
        c.Tampon.resize(taille);
}

LectureAnticipee::~LectureAnticipee() {
    if (!fil_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> garde(verrou_);
        arret_ = true;
    }
    reveilLecteur_.notify_one();
    fil_.join();
}

void LectureAnticipee::Demarre(FonctionLecture lit, FonctionMarque marque) {
    std::unique_lock<std::mutex> garde(verrou_);
    marque_ = marque;
    if (actif_ || ecrites_ != prises_)
        return; // what stopped the reads, the end or a failure, is yet to be taken
    if (!fil_.joinable()) {
        try {
            fil_ = std::thread(&LectureAnticipee::Boucle, this);
        } catch (const std::system_error&) {
            return;
        }
    }
    lit_ = lit;
    actif_ = true;
    if (lecteurEndormi_ && MoitieLibre()) {
        garde.unlock();
        reveilLecteur_.notify_one();
    }
}

bool LectureAnticipee::EnCours() {
    const std::lock_guard<std::mutex> garde(verrou_);
    return actif_ || ecrites_ != prises_;
}

ResultatLecture LectureAnticipee::Prend(std::vector<char>& tampon,
                                        std::vector<std::uint64_t>& bits) {
    std::unique_lock<std::mutex> garde(verrou_);
    preneurEndormi_ = true;
    reveilPreneur_.wait(garde, [this] { return ecrites_ != prises_; });
    preneurEndormi_ = false;
    Case& c = cases_[prises_++ % NbTampons];
    tampon.swap(c.Tampon);
    if (c.Resultat.Marque)
        bits.swap(c.Bits);
    const ResultatLecture resultat = c.Resultat;
    const bool reveil = lecteurEndormi_ && actif_ && MoitieLibre();
    garde.unlock();
    if (reveil)
        reveilLecteur_.notify_one();
    return resultat;
}

void LectureAnticipee::Boucle() {
    std::unique_lock<std::mutex> garde(verrou_);
    for (;;) {
        if (arret_)
            return;
        if (!actif_ || ecrites_ - prises_ == NbTampons) {
            lecteurEndormi_ = true;
            reveilLecteur_.wait(garde, [this] { return arret_ || (actif_ && MoitieLibre()); });
            lecteurEndormi_ = false;
            continue;
        }
        // Only this thread touches the case past the last outcome stored.
        Case& c = cases_[ecrites_ % NbTampons];
        const FonctionLecture lit = lit_;
        const FonctionMarque marque = marque_;
        garde.unlock();
        c.Resultat = LitSansInterruption(lit, fd_, c.Tampon.data(), c.Tampon.size());
        if (c.Resultat.Lus > 0 && marque != nullptr) {
            c.Bits.resize((c.Tampon.size() + 63) / 64);
            marque(c.Tampon.data(), static_cast<std::size_t>(c.Resultat.Lus), c.Bits.data());
            c.Resultat.Marque = true;
        }
        garde.lock();
        ++ecrites_;
        if (c.Resultat.Lus <= 0)
            actif_ = false; // nothing is read past the end or a failure
        if (preneurEndormi_)
            reveilPreneur_.notify_one();
    }
}

} // namespace controle
