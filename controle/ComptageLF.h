#pragma once
// Counting the LFs of a file. A line count is bound by the kernel's copy of the bytes, not
// by the counting: a long stretch of a regular file is read by two threads at once, each
// its half, by position, so that two cores share that copy.
#include <cstdint>
#include <optional>
#include <sys/types.h>

namespace controle {

// Number of LFs in [debut, fin); `ctrlZ` is set when a Ctrl-Z is among the bytes.
std::int64_t CompteLF(const char* debut, const char* fin, bool& ctrlZ);

using FonctionLecturePosition = ssize_t (*)(int fd, void* tampon, size_t taille, off_t position);

struct LFComptes {
    std::int64_t Nombre = 0;
    std::int64_t Dernier = -1; // the offset of the last one, -1 when there is none
};

// The LFs of the bytes [debut, fin) of `fd`, read with `lit`. Nothing when a read fails or
// falls short, or when a Ctrl-Z is met: the caller then reads those bytes in order itself,
// and meets the failure, or the end of the file, where it is.
std::optional<LFComptes> CompteLFEnParallele(FonctionLecturePosition lit, int fd,
                                             std::int64_t debut, std::int64_t fin);

} // namespace controle
