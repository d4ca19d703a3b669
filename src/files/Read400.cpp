// Reader of the 4.00 to 4.20 files: not written yet.
#include "OldFormats.h"

namespace qv {
bool Read400(int, const std::string&, TManifold&) { return false; }
} // namespace qv
