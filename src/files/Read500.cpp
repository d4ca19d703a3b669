// Reader of the 5.00 to 5.40 files: not written yet.
#include "OldFormats.h"

namespace qv {
bool Read500(int, const std::string&, TManifold&) { return false; }
} // namespace qv
