#pragma once
// Not read yet: the record is passed over whole.
#include "ModelPlaceholders.h"

namespace qv {

using TProject = TPendingRecord<4999>;
using TToDo = TPendingRecord<4799>;

} // namespace qv
