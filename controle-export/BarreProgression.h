#pragma once
// The progress bar of a check, drawn on a terminal's standard error.
#include <cstdint>
#include <cstdio>

namespace controle_export {

class BarreProgression {
public:
    explicit BarreProgression(std::FILE* flux);

    // True when standard error is a terminal: a bar in a pipe or a log would only be noise.
    static bool Utile();

    void Maximum(std::int64_t maximum);
    // Redraws only when the shown percentage changes, so that a repaint stays cheap.
    void Repeint(std::int64_t position);
    // Wipes the bar off its line, so that what follows starts on a clean line.
    void Efface();

private:
    std::FILE* flux_;
    std::int64_t maximum_ = 1;
    int pourcentAffiche_ = -1;
};

} // namespace controle_export
