#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TSessionList = TPendingList<8999>;

} // namespace qv
