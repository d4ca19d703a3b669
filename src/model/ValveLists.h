#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TValveList = TPendingList<39999>;

} // namespace qv
