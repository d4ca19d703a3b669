#pragma once
// Cut-outs: rectangular pockets or steps milled into the block from one of
// its six faces, at a corner of the face or at a free position, through the
// whole block or to a depth, optionally reduced to the triangle of a chamfer
// at a corner.
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace qv {

class TQuorvaneFile;

// A straight line between two points of block space.
struct TSimpleXYZLine {
    TXYZPoint P1;
    TXYZPoint P2;

    template <class F> void Fields(F&& f) const { f("P1", P1); f("P2", P2); }
    friend bool operator==(const TSimpleXYZLine&, const TSimpleXYZLine&) = default;
};

using TSimpleXYZLineList = std::vector<TSimpleXYZLine>;

struct TCutOutData {
    int32_t FaceNumber = 1; // face 1 to 6 the cut-out is milled from
    // 1 to 4: starts at that corner of the face; -1: at the free position
    // (X, Y); anything else: at the block origin.
    int32_t Corner = 1;
    double X = 0.0;      // free position along the face's first axis
    double Y = 0.0;      // free position along the face's second axis
    double Width = 0.0;  // along the first face axis (faces 1, 2, 5, 6) or the second (3, 4)
    double Height = 0.0; // along the other face axis
    bool Through = true; // through the whole block
    double Depth = 0.0;  // below the face when not through
    bool SimpleChamfer = false; // at a corner: only the triangle of a chamfer

    template <class F> void Fields(F&& f) const
    {
        f("FaceNumber", FaceNumber); f("Corner", Corner); f("X", X); f("Y", Y); f("Width", Width);
        f("Height", Height); f("Through", Through); f("Depth", Depth); f("SimpleChamfer", SimpleChamfer);
    }
    friend bool operator==(const TCutOutData&, const TCutOutData&) = default;
};

class TCutOut {
public:
    TCutOutData fData;

    TCutOut() = default;

    void Clear() { fData = TCutOutData{}; }
    void Assign(const TCutOut& Source) { fData = Source.fData; }
    std::unique_ptr<TCutOut> Clone() const;
    // Reads the rest of a cut-out record after its start tag.
    bool Load(TQuorvaneFile& HF);

    // A chamfer needs a block corner to sit in; at a free position the
    // flag is ignored and the cut-out stays a rectangle.
    bool GetHasSimpleChamfer() const { return fData.Corner != -1 && fData.SimpleChamfer; }

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

// The cut-outs of a document in file order, plus one list of outline lines
// per block face (faces 1 to 6) that the 3D view fills and keeps here.
class TCutOutList : public TOwnedList<TCutOut> {
public:
    static constexpr int FaceCount = 6;

    TCutOut* GetCutOuts(int AIndex) const { return Items(AIndex); }
    // The face lines describe the cut-outs the list holds, so they go and
    // come with them.
    void Clear();
    void Assign(const TCutOutList& Source);
    // The line list of face 1 to 6; nullptr for any other number.
    TSimpleXYZLineList* GetFaceLines(int Face);
    const TSimpleXYZLineList* GetFaceLines(int Face) const;

private:
    std::array<TSimpleXYZLineList, FaceCount> fFaceLines;
};

// Reads the cut-out record of a manifold file.
class TCutOutReader {
public:
    // Reads one record after its start tag into a new cut-out.
    static std::unique_ptr<TCutOut> Load(TQuorvaneFile& HF);
    // The same into an existing cut-out, which starts from its defaults.
    static void LoadInto(TQuorvaneFile& HF, TCutOut& CutOut);
};

} // namespace qv
