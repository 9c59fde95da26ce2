#include "HorlogeDates.h"

#include <ctime>

namespace controle {
namespace {

int AnneeHorlogeLocale() {
    const std::time_t maintenant = std::time(nullptr);
    std::tm local{};
    localtime_r(&maintenant, &local);
    return local.tm_year + 1900;
}

LectureAnnee lectureAnnee = AnneeHorlogeLocale;

} // namespace

int AnneeCourante() {
    return lectureAnnee();
}

LectureAnnee RemplaceLectureAnnee(LectureAnnee lecture) {
    const LectureAnnee precedente = lectureAnnee;
    lectureAnnee = lecture ? lecture : AnneeHorlogeLocale;
    return precedente;
}

} // namespace controle
