#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TManufacturingNote = TPendingRecord<32399>;

} // namespace qv
