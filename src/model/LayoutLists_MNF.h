#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TLayoutList = TPendingList<43999>;

} // namespace qv
