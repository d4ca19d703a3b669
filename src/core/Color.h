#pragma once
// A colour as designs and settings files store it: $00BBGGRR, red in the
// lowest byte. A value with the top byte $80 names a desktop system colour
// ($80000000 + index) instead; the 3D view resolves those to RGB.
#include <cstdint>

namespace qv {

using TColor = int32_t;

} // namespace qv
