#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TContourList = TPendingList<6999>;

} // namespace qv
