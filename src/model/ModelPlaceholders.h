#pragma once
// Record kinds whose readers are not written yet. Each is a minimal class
// with the list pattern so that the document and the holes can own them;
// Load passes over the whole record up to its end tag.
#include "OwnedList.h"
#include "QuorvaneFiles.h"
#include "Reflect.h"

namespace qv {

// An item with no fields yet.
struct TPendingItem {
    void Clear() {}
    void Assign(const TPendingItem&) {}
    template <class F> void Fields(F&&) const {}
};

template <uint16_t EndTag>
struct TPendingItemOf : TPendingItem {
    void Assign(const TPendingItemOf&) {}
    void Load(TQuorvaneFile& HF) { HF.SkipRecord(EndTag); }
};

template <uint16_t EndTag>
class TPendingList : public TOwnedList<TPendingItemOf<EndTag>> {
public:
    // For lists that read their entries themselves.
    void Load(TQuorvaneFile& HF) { HF.SkipRecord(EndTag); }
};

// Single records (not lists) that are not read yet.
template <uint16_t EndTag>
struct TPendingRecord : TPendingItem {
    void Assign(const TPendingRecord&) {}
    void Load(TQuorvaneFile& HF) { HF.SkipRecord(EndTag); }
};

} // namespace qv
