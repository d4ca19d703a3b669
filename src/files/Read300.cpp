// Reader of the 3.00 files: not written yet.
#include "OldFormats.h"

namespace qv {
bool Read300(const std::string&, TManifold&) { return false; }
} // namespace qv
