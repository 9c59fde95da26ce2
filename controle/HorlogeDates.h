#pragma once
// The current year for the date rule, read from the local clock at each call.
// A plain function pointer keeps the reading free of any allocation.

namespace controle {

using LectureAnnee = int (*)();

// The year of the local date, as the clock gives it now.
int AnneeCourante();

// Replaces the clock reading (tests pin the year); nullptr puts the local clock back.
// Returns the reading it replaces.
LectureAnnee RemplaceLectureAnnee(LectureAnnee lecture);

} // namespace controle
