#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TMountingHoleDefinitionList = TPendingList<14299>;

} // namespace qv
