#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TRevisionList = TPendingList<3999>;
using TRevisionLayoutList = TPendingList<3499>;

} // namespace qv
