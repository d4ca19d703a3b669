// Reader of the 2.00 files: not written yet.
#include "OldFormats.h"

namespace qv {
bool Read200(const std::string&, TManifold&) { return false; }
} // namespace qv
