#pragma once
// The contour of a hole: its outline on the block face, drawn around the
// hole's position. One entry is a circle (its X is the diameter); two or more
// entries are the corners of a closed polygon in face coordinates (X along
// the hole's first face coordinate, Y along its second), in list order. An
// empty list means the hole has no contour.
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

namespace qv {

class TQuorvaneFile;

class TContour {
public:
    TXYPoint FData;

    void Clear() { FData = TXYPoint{}; }
    void Assign(const TContour& Source) { FData = Source.FData; }
    // Reads the contour record after its start tag, up to its end tag.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("FData", FData); }
};

class TContourList : public TOwnedList<TContour> {
public:
    TContour* GetContours(int AIndex) const { return Items(AIndex); }

    // Exactly one entry: a circle of diameter GetContours(0)->FData.X.
    bool GetIsCircle() const { return Count() == 1; }
    // Two or more entries: a closed polygon through them in order.
    bool GetIsPolygon() const { return Count() >= 2; }
};

} // namespace qv
