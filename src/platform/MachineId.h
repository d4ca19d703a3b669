#pragma once
// An identifier of this machine for the download server's statistics.
#include <string>

namespace qv {

// "1A2B - 3C4D" from the root file system's identifier; "0000 - 0000" when it
// cannot be read.
std::string MachineIdentifier();

} // namespace qv
