#include "inspect/WallsJson.h"

#include "check/WallCheck.h"
#include "document/Manifolds.h"
#include "inspect/JsonWriter.h"

namespace qv {

namespace {

class TWallsWriter : public json::TJsonStructure {
public:
    using TJsonStructure::TJsonStructure;

    void Field(std::string_view k, double v) { Key(k); Double(v); }
    void Field(std::string_view k, int64_t v) { Key(k); Integer(v); }
    void Field(std::string_view k, int v) { Key(k); Integer(v); }
    void Field(std::string_view k, uint64_t v) { Key(k); Integer(int64_t(v)); }
    void Field(std::string_view k, bool v) { Key(k); Bool(v); }
    void Field(std::string_view k, std::string_view v) { Key(k); String(v); }
    void Field(std::string_view k, const char* v) { Key(k); String(v); }

    void Point(std::string_view k, const TXYZPoint& p)
    {
        Key(k);
        BeginObject();
        Field("X", p.X);
        Field("Y", p.Y);
        Field("Z", p.Z);
        EndObject();
    }

    // A bore: the hole by its number, the step by its number (and index,
    // 0 the deepest) and the step's line.
    void Bore(std::string_view k, const TWallBore& b)
    {
        Key(k);
        BeginObject();
        Field("Hole", b.HoleNumber);
        Field("Step", b.StepNumber);
        Field("StepIndex", b.StepIndex);
        Field("Group", b.Group);
        Field("Diameter", b.Diameter);
        if (b.Mounting) Field("Mounting", true);
        EndObject();
    }

    void Strings(std::string_view k, const std::vector<std::string>& v)
    {
        Key(k);
        BeginArray();
        for (const auto& s : v) { Item(); String(s); }
        EndArray();
    }
};

const char* KindName(TWallOther k)
{
    switch (k) {
    case TWallOther::Face: return "face";
    case TWallOther::CutOut: return "cut-out";
    default: return "bores";
    }
}

} // namespace

void WriteWallsJson(TJsonSink& Out, const std::vector<std::string>& Warnings, const TManifold& M,
                    const TWallCheckResult& R, bool Pretty)
{
    TWallsWriter w(Out, Pretty);
    w.BeginObject();
    w.Field("LoadResult", true);
    w.Strings("Warnings", Warnings);
    w.Field("Unit", R.Inch ? "in" : "mm");

    w.Key("Required");
    w.BeginObject();
    w.Field("Wallthickness", R.Wallthickness);
    w.Field("WallthicknessMountingHoles", R.WallthicknessMountingHoles);
    w.Field("UseMultipleWallThicknesses", R.MultipleWallThicknesses);
    w.Key("SelectWallDiameter");
    w.String(EnumNames(R.SelectWallDiameter).Name(int64_t(R.SelectWallDiameter)));
    w.Key("Ranges");
    w.BeginArray();
    for (const auto& r : R.Ranges) {
        w.Item();
        w.BeginObject();
        w.Field("Diameter1", r.Diameter1);
        w.Field("Diameter2", r.Diameter2);
        w.Field("WallThickness", r.WallThickness);
        w.EndObject();
    }
    w.EndArray();
    w.Field("CheckGroups", R.CheckGroups);
    const TCalculateSettinsNewData& s = M.fCalculateSettingsNew.fData;
    w.Field("CheckThread", s.Flags.Contains(cfnCheckThread));
    w.Field("ThreadCorrection", s.ThreadCorrection);
    w.Field("ShowDistancesEvenForConnectedHoles", s.Flags.Contains(cfnShowDistancesEvenForConnectedHoles));
    w.Field("Tolerance", R.Tolerance);
    w.EndObject();

    w.Key("Findings");
    w.BeginArray();
    for (const auto& f : R.Findings) {
        w.Item();
        w.BeginObject();
        w.Field("Kind", KindName(f.Kind));
        w.Bore("Hole", f.A);
        if (f.Kind == TWallOther::Bore) w.Bore("OtherHole", f.B);
        else if (f.Kind == TWallOther::Face) w.Field("Face", f.Face);
        else w.Field("CutOut", f.CutOut + 1);
        w.Field("Thickness", f.Thickness);
        w.Field("Required", f.Required);
        w.Point("PointA", f.PA);
        w.Point("PointB", f.PB);
        w.EndObject();
    }
    w.EndArray();

    w.Key("Connections");
    w.BeginArray();
    for (const auto& c : R.Connections) {
        w.Item();
        w.BeginObject();
        w.Bore("Hole", c.A);
        w.Bore("OtherHole", c.B);
        w.Field("Overlap", c.Overlap);
        w.Point("Point", c.Point);
        w.EndObject();
    }
    w.EndArray();

    w.Key("Summary");
    w.BeginObject();
    w.Field("Findings", R.FindingCount);
    w.Field("FindingsListed", uint64_t(R.Findings.size()));
    w.Field("BoreFindings", R.BorePairFindings);
    w.Field("FaceFindings", R.FaceFindings);
    w.Field("CutOutFindings", R.CutOutFindings);
    w.Field("Connections", R.ConnectionCount);
    w.Field("ConnectionsListed", uint64_t(R.Connections.size()));
    w.Field("HolesChecked", R.HolesChecked);
    w.Field("Pieces", R.Pieces);
    w.Field("PiecesSkipped", R.PiecesSkipped);
    w.Field("CandidatePairs", R.CandidatePairs);
    w.Field("PairsTested", R.PairsTested);
    w.Field("FaceTests", R.FaceTests);
    w.Field("BoxTests", R.BoxTests);
    w.Field("PairsNotTested", R.PairsNotTested);
    w.Field("Complete", R.Complete);
    w.EndObject();

    w.EndObject();
    w.Out.Put('\n');
    w.Out.Flush();
}

void WriteWallsLoadFailure(TJsonSink& Out, const std::vector<std::string>& Warnings, bool Pretty)
{
    TWallsWriter w(Out, Pretty);
    w.BeginObject();
    w.Field("LoadResult", false);
    w.Strings("Warnings", Warnings);
    w.EndObject();
    w.Out.Put('\n');
    w.Out.Flush();
}

} // namespace qv
