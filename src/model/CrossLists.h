#pragma once
// Section crosses: the marks of the cross-sections shown in the drawings.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <cstdint>

namespace qv {

class TQuorvaneFile;

struct TCrossData {
    int32_t CrossDirection = 0; // direction code of the section
    double CrossCoordinate = 0.0;
    TXYPoint CrossPosition{-1.0, -1.0}; // -1, -1: not placed

    template <class F> void Fields(F&& f) const
    {
        f("CrossDirection", CrossDirection); f("CrossCoordinate", CrossCoordinate);
        f("CrossPosition", CrossPosition);
    }
};

class TCross {
public:
    TCrossData fData;

    void Clear() { fData = TCrossData{}; }
    void Assign(const TCross& Source) { fData = Source.fData; }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TCrossList : public TOwnedList<TCross> {
public:
    TCross* GetCross(int AIndex) const { return Items(AIndex); }
};

} // namespace qv
