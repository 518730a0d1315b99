#include "catalogue/Regional.h"

namespace {

// Set once from the system at start-up (and by tests); read by every number text.
Regional &Current() {
    static Regional regional = Regional::EnglishUS();
    return regional;
}

} // namespace

const Regional &CurrentRegional() {
    return Current();
}

void SetCurrentRegional(const Regional &regional) {
    Current() = regional;
}
