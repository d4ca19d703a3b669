#pragma once
// Storing a value read from a record only when it was read whole: a field
// cut off by the end of the file leaves the value the field had.
#include "stream/QuorvaneFiles.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace qv {

template <class T, class V> void KeepRead(const TQuorvaneFile& HF, T& field, V value)
{
    if (!HF.HitEnd()) field = static_cast<T>(value);
}

} // namespace qv

// Items read straight into their field, with the same rule: an item cut off
// by the end of the file is not stored, so the field keeps what it had
// instead of the zero or the partial text a short read delivers.
namespace qv::kept {

inline void Get(TQuorvaneFile& HF, double& Field)
{
    const double v = HF.ReadDouble();
    if (!HF.HitEnd()) Field = v;
}

inline void Get(TQuorvaneFile& HF, int32_t& Field)
{
    const int32_t v = HF.ReadInteger();
    if (!HF.HitEnd()) Field = v;
}

inline void Get(TQuorvaneFile& HF, bool& Field)
{
    const bool v = HF.ReadBoolean();
    if (!HF.HitEnd()) Field = v;
}

inline void Get(TQuorvaneFile& HF, std::string& Field, uint16_t Len)
{
    std::string v = HF.ReadString(Len);
    if (!HF.HitEnd()) Field = std::move(v);
}

// An Integer item into an enumeration field: the ordinal is stored as read,
// also when it lies outside the enumeration.
template <class E>
    requires std::is_enum_v<E>
void Get(TQuorvaneFile& HF, E& Field)
{
    const int32_t v = HF.ReadInteger();
    if (!HF.HitEnd()) Field = static_cast<E>(v);
}

} // namespace qv::kept
