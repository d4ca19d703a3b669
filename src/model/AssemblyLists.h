#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TAssemblyList = TPendingList<9199>;
using TCrossList = TPendingList<9499>;

} // namespace qv
