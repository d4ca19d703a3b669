#pragma once
// Storing a value read from a record only when it was read whole: a field
// cut off by the end of the file leaves the value the field had.
#include "QuorvaneFiles.h"

namespace qv {

template <class T, class V> void KeepRead(const TQuorvaneFile& HF, T& field, V value)
{
    if (!HF.HitEnd()) field = static_cast<T>(value);
}

} // namespace qv
