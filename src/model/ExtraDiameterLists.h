#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TExtraDiameterList = TPendingList<28999>;

} // namespace qv
