#pragma once
// Record layouts of the manifold files of versions 5.00 to 5.40, written
// from the model's own data records: one builder per record kind and one
// that writes a whole file. The sample designs and the reader's tests share
// them. Only the fields these old layouts hold are written; the flag sets
// are mapped back to the old bit positions.
#include "document/Manifolds.h"
#include "testkit/OldBytes.h"

#include <memory>
#include <string>

namespace qv::samples {

// Record sizes of one version (5.10 has the 5.00 layout).
struct TOld500Layout {
    size_t Manifold = 456;
    size_t PlotSettings = 164;
    size_t Hole = 192;
    size_t Step = 144;
    bool HasRevisions = false;
    int LastPlotBit = 20; // the highest drawing-flag bit the version stores
};
TOld500Layout Old500Layout(int Version);

inline constexpr size_t kOld500RevisionSize = 208;
inline constexpr size_t kOld500ProjectSize = 340;
inline constexpr size_t kOld500CommentSize = 256;
inline constexpr size_t kOld500GroupSize = 20;
inline constexpr size_t kOld500ContourSize = 16;
inline constexpr size_t kOld500ValveSize = 340;

// The old bit words of the flag sets.
uint16_t Old500HoleAttributeBits(THoleAttributes Attributes);
uint32_t Old500PlotFlagBits(const TPlotFlags& Flags, int LastBit);

TByteRecord Old500ManifoldRecord(int Version, const TManifoldData& Data, double CalcWallthickness);
TByteRecord Old500RevisionRecord(const TRevisionData& Data);
TByteRecord Old500ProjectRecord(const TProjectData& Data);
TByteRecord Old500CommentRecord(const std::string& Line);
TByteRecord Old500PlotSettingsRecord(int Version, const TPlotSettingsData& Data);
TByteRecord Old500GroupRecord(const TGroupData& Data);
TByteRecord Old500HoleRecord(int Version, const THoleData& Data);
TByteRecord Old500StepRecord(int Version, const TStepData& Data);
TByteRecord Old500ContourRecord(const TXYPoint& Point);
TByteRecord Old500ValveRecord(const TValveData& Data);

// The whole file of a design: header, then every section in order. The
// sections come from the document: the manifold record with the wall
// thickness of the check settings, the revisions (5.30 and 5.40 only), the
// project with its comment lines, the first two plot settings (production,
// assembly; default set-ups where the document has fewer), the groups, and
// the holes with their steps, contour points and valves.
std::string Old500File(int Version, const TManifold& Design);

// The sample design of a version (Old500Design writes it).
std::unique_ptr<TManifold> Old500SampleDesign(int Version);

} // namespace qv::samples
