#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using THoleTextList = TPendingList<34999>;

} // namespace qv
