// libFuzzer target for mnf-inspect --walls: a load followed by the
// wall-thickness check and its JSON. The first input byte chooses the reader
// (bit 0: viewer file) and the compact form (bit 1); bit 2 sets small caps on
// the findings, the connections and the pairs measured, so that inputs of
// fuzzing size reach the caps' paths too. The remaining bytes are the file's.
// Beyond crashes and sanitizer reports, the answer must hold together: well-
// formed JSON, findings thinnest first and each thinner than it needs to be,
// the counts no smaller than the lists, and an unfinished check saying so.
#include "FuzzSupport.h"
#include "check/WallCheck.h"
#include "document/Manifolds.h"
#include "inspect/WallsJson.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool viewer = (data[0] & 1) != 0;
    const bool pretty = (data[0] & 2) == 0;
    qv::TWallCheckOptions options;
    if (data[0] & 4) {
        options.MaxFindings = 3;
        options.MaxConnections = 2;
        options.PairBudget = 50;
        options.ExactBudget = 20;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    qv::TMessageCollector messages;
    qv::TManifold manifold;
    manifold.MaxHoles = kFuzzMaxHoles;
    if (!manifold.LoadFromBytes({bytes, "fuzz.mnf", 0.0}, viewer, viewer)) return 0;

    const qv::TWallCheckResult r = qv::CheckWalls(manifold, options);
    if (r.Findings.size() > options.MaxFindings || r.Connections.size() > options.MaxConnections) std::abort();
    if (r.FindingCount < r.Findings.size() || r.ConnectionCount < r.Connections.size()) std::abort();
    if (r.FindingCount != r.BorePairFindings + r.FaceFindings + r.CutOutFindings) std::abort();
    if (r.Complete != (r.PairsNotTested == 0)) std::abort();
    for (size_t i = 0; i < r.Findings.size(); ++i) {
        const qv::TWallFinding& f = r.Findings[i];
        if (!(f.Thickness < f.Required)) std::abort();
        if (i > 0 && r.Findings[i - 1].Thickness > f.Thickness) std::abort();
    }
    for (const auto& c : r.Connections)
        if (!(c.Overlap >= 0.0)) std::abort();

    qv::TJsonStringSink sink;
    qv::WriteWallsJson(sink, messages.Texts(), manifold, r, pretty);
    if (!WellFormed(sink.Text)) std::abort();
    return 0;
}
