#pragma once
// Small pieces shared by the readers of the headerless 2.00 and 3.00 files.
#include "core/Encoding.h"
#include "core/Text.h"
#include "document/Manifolds.h"
#include "document/old/OldFormats.h"
#include "model/ContourLists.h"
#include "model/PlotSettings.h"
#include "model/StepLists.h"

#include <cmath>
#include <string>
#include <string_view>

namespace qv {

// The creation and change dates of these files are only the file's own
// time; 0 when it cannot be read.
inline void StampProjectDates(const TFileBytes& File, TManifold& M)
{
    const TDateTime t = File.Time.value_or(0.0);
    M.FProject.FData.CreatedOn = t;
    M.FProject.FData.ModifiedOn = t;
}

// These files hold only one drawing set-up: the assembly drawing uses the
// production one, but stays the assembly set-up.
inline void CopyDrawingSetup(TManifold& M)
{
    TPlotSettings& assembly = *M.fPlotSettings.Items(1);
    const TPlotSetupMode mode = assembly.FData.PlotMode;
    assembly.Assign(*M.fPlotSettings.Items(0));
    assembly.FData.PlotMode = mode;
}

// These files pack several names into one short text at fixed places (the
// material and the draughtsman, a valve's item number and its assembly
// drawing). Returns the Count characters from From on (the rest of the text
// without Count), decoded and without trailing blanks; empty when the text
// ends before From.
inline std::string TextPart(std::string_view Raw, size_t From = 0, size_t Count = std::string_view::npos)
{
    if (From >= Raw.size()) return {};
    return TrimRightBlanks(AnsiToUtf8(Raw.substr(From, Count)));
}

// Adds a corner to the outline of a pattern. A point with a zero coordinate
// is no corner: nothing is added and the result is False.
inline bool AddOutlineCorner(TContourList& Outline, float X, float Y)
{
    if (X == 0 || Y == 0) return false;
    Outline.Add()->FData = TXYPoint{RoundSingle(X), RoundSingle(Y)};
    return true;
}

// The group of a hole's first step follows from the port letter in its
// remark: pressure, tank, the work ports A and B, pilot ports X, Y, Z.
inline void SetGroupFromRemark(TStepData& Step, std::string_view RemarkWithoutPrefix)
{
    const std::string upper = AsciiUpper(RemarkWithoutPrefix);
    for (const char* code : {"P", "T", "A", "B", "X", "Y", "Z"}) {
        if (upper.find(code) != std::string::npos) {
            Step.GroupCode = code;
            return;
        }
    }
}

// Reads a headless file of fixed-size records: the first is the block
// record, every later one goes to Hole, which returns False to stop (at the
// hole limit). False when the file is no whole
// number of records; an empty file, with no block record, has no design in
// it either.
template <class TBlockFn, class THoleFn>
bool ReadHeadlessFile(const TFileBytes& File, TManifold& M, size_t RecordSize, TBlockFn&& Block, THoleFn&& Hole)
{
    StampProjectDates(File, M);
    TOldFile file(File.Bytes);
    if (file.Size() == 0 || file.Size() % RecordSize != 0) return false;
    EnsureOldDrawingSetups(M);
    TOldRecord r;
    file.ReadRecord(RecordSize, r);
    Block(r);
    while (file.ReadRecord(RecordSize, r))
        if (!Hole(r)) break;
    return true;
}

} // namespace qv
