#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TBillOfMaterials = TPendingRecord<41999>;

} // namespace qv
