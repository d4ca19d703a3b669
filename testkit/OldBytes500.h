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
struct TOldLayout500 {
    size_t Manifold = 456;
    size_t PlotSettings = 164;
    size_t Hole = 192;
    size_t Step = 144;
    bool HasRevisions = false;
    int LastPlotBit = 20; // the highest drawing-flag bit the version stores
};
TOldLayout500 OldLayout500(int Version);

inline constexpr size_t kOldRevisionSize500 = 208;
inline constexpr size_t kOldProjectSize500 = 340;
inline constexpr size_t kOldCommentSize500 = 256;
inline constexpr size_t kOldGroupSize500 = 20;
inline constexpr size_t kOldContourSize500 = 16;
inline constexpr size_t kOldValveSize500 = 340;

// The old bit words of the flag sets.
uint16_t OldHoleAttributeBits500(THoleAttributes Attributes);
uint32_t OldPlotFlagBits500(const TPlotFlags& Flags, int LastBit);

TByteRecord OldManifoldRecord500(int Version, const TManifoldData& Data, double CalcWallthickness);
TByteRecord OldRevisionRecord500(const TRevisionData& Data);
TByteRecord OldProjectRecord500(const TProjectData& Data);
TByteRecord OldCommentRecord500(const std::string& Line);
TByteRecord OldPlotSettingsRecord500(int Version, const TPlotSettingsData& Data);
TByteRecord OldGroupRecord500(const TGroupData& Data);
TByteRecord OldHoleRecord500(int Version, const THoleData& Data);
TByteRecord OldStepRecord500(int Version, const TStepData& Data);
TByteRecord OldContourRecord500(const TXYPoint& Point);
TByteRecord OldValveRecord500(const TValveData& Data);

// The whole file of a design: header, then every section in order. The
// sections come from the document: the manifold record with the wall
// thickness of the check settings, the revisions (5.30 and 5.40 only), the
// project with its comment lines, the first two plot settings (production,
// assembly; default set-ups where the document has fewer), the groups, and
// the holes with their steps, contour points and valves.
std::string OldFile500(int Version, const TManifold& Design);

// The sample design of a version (OldDesign500 writes it).
std::unique_ptr<TManifold> OldSampleDesign500(int Version);

} // namespace qv::samples
