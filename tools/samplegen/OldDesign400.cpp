// Not written yet.
#include "OldDesigns.h"

namespace qv::samples {
std::string OldDesign400(int) { return {}; }
} // namespace qv::samples
