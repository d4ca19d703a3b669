#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TCheckerList = TPendingList<9699>;

} // namespace qv
