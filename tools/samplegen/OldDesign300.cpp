// Not written yet.
#include "OldDesigns.h"

namespace qv::samples {
std::string OldDesign300() { return {}; }
} // namespace qv::samples
