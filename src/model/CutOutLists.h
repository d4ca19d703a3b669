#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TCutOutList = TPendingList<32999>;

} // namespace qv
