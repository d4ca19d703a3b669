#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TGroupList = TPendingList<5999>;

} // namespace qv
