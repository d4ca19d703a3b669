// Reader of the 4.00, 4.10, 4.15 and 4.20 files.
//
// After the 40-byte header these files hold two fixed header blocks (block
// data, project data and the drawing set-up of the production and assembly
// drawings) and then a stream of typed records, each introduced by a code
// byte, up to the code 255. Lengths are single-precision numbers.
#include "core/Encoding.h"
#include "document/Manifolds.h"
#include "document/old/OldFormats.h"

#include <string>
#include <vector>

namespace qv {

namespace {

// Where the fields of the two header blocks lie in one version.
struct THeaderLayout {
    size_t SizeA;
    size_t SizeB;
    size_t MaxA;        // block A: Max.X, Y, Z
    size_t TitleA;      // block A: project title (and client)
    size_t NumberA;     // block A: project number
    size_t DrawnByA;    // block A: drawn by
    // Block B, document part; a text's room runs up to the next field.
    size_t Drawing, DrawingLen;
    size_t DrawnBy, DrawnByLen;
    size_t Number, NumberLen;
    size_t Material, MaterialLen;
    size_t Wall;
    size_t FinishFace;
    size_t CalcHole;    // 0: not stored
    size_t HoleFactor;  // 0: not stored
    size_t MassDensity; // 0: not stored
    // Block B, drawing set-up of the first (production) and second
    // (assembly) plot settings.
    size_t Scale[2];
    size_t FaceDistance[2];
    size_t TextHeight[2];
    size_t FlagBase[2]; // 4.00 to 4.15: the first of seven Flags; 4.20: the bit byte
    size_t Origin;
    size_t SharedFlags[4]; // XY coordinates, dash holes, surface finish, extra text
};

// The three short texts of block A, each of 30 characters.
constexpr size_t kBlockAText = 30;

THeaderLayout LayoutFor(int Version)
{
    THeaderLayout L{};
    if (Version == 420) {
        L.SizeA = 147;
        L.SizeB = 397;
        L.Drawing = 293; L.DrawingLen = 15;
        L.DrawnBy = 267; L.DrawnByLen = 12;
        L.Number = 237; L.NumberLen = 29;
        L.Material = 280; L.MaterialLen = 12;
        L.Wall = 205;
        L.FinishFace = 209;
        L.CalcHole = 309;
        L.HoleFactor = 317;
        L.MassDensity = 313;
        L.Scale[0] = 17; L.Scale[1] = 106;
        L.FaceDistance[0] = 9; L.FaceDistance[1] = 98;
        L.TextHeight[0] = 21; L.TextHeight[1] = 110;
        L.FlagBase[0] = 33; L.FlagBase[1] = 122;
        L.Origin = 203;
        L.SharedFlags[0] = L.SharedFlags[1] = L.SharedFlags[2] = L.SharedFlags[3] = 201;
    } else if (Version == 400) {
        L.SizeA = 145;
        L.SizeB = 326;
        L.Drawing = 289; L.DrawingLen = 36;
        L.DrawnBy = 263; L.DrawnByLen = 12;
        L.Number = 233; L.NumberLen = 29;
        L.Material = 276; L.MaterialLen = 12;
        L.Wall = 201;
        L.FinishFace = 205;
        L.Origin = 194;
        L.SharedFlags[0] = 193; L.SharedFlags[1] = 195; L.SharedFlags[2] = 196; L.SharedFlags[3] = 197;
    } else { // 410, 415
        L.SizeA = 147;
        L.SizeB = 361;
        L.Drawing = 311; L.DrawingLen = 17;
        L.DrawnBy = 285; L.DrawnByLen = 12;
        L.Number = 255; L.NumberLen = 29;
        L.Material = 298; L.MaterialLen = 12;
        L.Wall = 223;
        L.FinishFace = 227;
        L.CalcHole = 329;
        L.HoleFactor = 337;
        L.MassDensity = 333;
        L.Origin = 215;
        L.SharedFlags[0] = 214; L.SharedFlags[1] = 216; L.SharedFlags[2] = 217; L.SharedFlags[3] = 218;
    }
    if (Version != 420) {
        L.Scale[0] = 24; L.Scale[1] = 119;
        L.FaceDistance[0] = 9; L.FaceDistance[1] = 104;
        L.TextHeight[0] = 28; L.TextHeight[1] = 123;
        L.FlagBase[0] = 17; L.FlagBase[1] = 112;
    }
    const size_t shiftA = Version == 400 ? 2 : 0;
    L.MaxA = 42 - shiftA;
    L.TitleA = 54 - shiftA;
    L.NumberA = 85 - shiftA;
    L.DrawnByA = 116 - shiftA;
    return L;
}

// The sixteen colours of the old group colour index (0 and anything above
// 15 are black), as red, green, blue.
TColor GroupColor(uint8_t Index)
{
    static const uint8_t rgb[16][3] = {
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128}, {128, 0, 0},    {128, 0, 128},
        {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255},   {0, 255, 0},    {0, 255, 255},
        {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
    };
    if (Index >= 16) Index = 0;
    return static_cast<TColor>(rgb[Index][0] | (rgb[Index][1] << 8) | (rgb[Index][2] << 16));
}

// Bits 2 to 6 of a set-up's drawing flags (bit 0 is the orientation, bit 1
// the projection method).
constexpr TBitMember<TPlotFlag> kDrawingFlagBits[] = {
    {2, pfAlternate}, {3, pfContours}, {4, pfItemNumbers}, {5, pfBorder}, {6, pfDrawingHead},
};
// The four flags kept once for both set-ups, as bits 0 to 3.
constexpr TBitMember<TPlotFlag> kSharedFlagBits[] = {
    {0, pfXYCoordinates}, {1, pfDashHoles}, {2, pfSurfaceFinish}, {3, pfExtraText},
};

class TReader400 {
public:
    TReader400(int Version, TOldFile& File, TManifold& Manifold)
        : fVersion(Version), fFile(File), M(Manifold), L(LayoutFor(Version))
    {
    }

    // False when the file ended before its data was complete.
    bool Run()
    {
        fFile.Seek(40);
        TOldRecord a, b;
        if (!fFile.ReadRecord(L.SizeA, a)) return false;
        ApplyBlockA(a);
        if (!fFile.ReadRecord(L.SizeB, b)) return false;
        ApplyBlockB(b);
        ApplyDrawingSetUp(b);
        return ReadTypedRecords();
    }

private:
    void ApplyBlockA(const TOldRecord& r)
    {
        TProjectData& P = M.FProject.FData;
        // The creation date only documents the design: a damaged one keeps
        // the default rather than costing the whole file.
        TDateTime created;
        if (TryEncodeDateTime(r.Word(1), r.Byte(3), r.Byte(4), r.Byte(5), r.Byte(6), r.Byte(7), created))
            P.CreatedOn = created;
        if (r.Byte(37) == 0) {
            M.FData.MeasuringUnits = muMM;
            M.FData.Decimals = 2;
        } else {
            M.FData.MeasuringUnits = muIN;
            M.FData.Decimals = 3;
        }
        M.FData.Max.X = r.Rounded(L.MaxA);
        M.FData.Max.Y = r.Rounded(L.MaxA + 4);
        M.FData.Max.Z = r.Rounded(L.MaxA + 8);
        P.ProjectTitle = r.ShortText(L.TitleA, kBlockAText);
        P.ProjectClient = P.ProjectTitle;
        P.ProjectNumber = r.ShortText(L.NumberA, kBlockAText);
        P.DrawnBy = r.ShortText(L.DrawnByA, kBlockAText);
    }

    void ApplyBlockB(const TOldRecord& r)
    {
        TProjectData& P = M.FProject.FData;
        TManifoldData& D = M.FData;
        P.ProjectDrawing = r.ShortText(L.Drawing, L.DrawingLen);
        if (P.DrawnBy.empty()) P.DrawnBy = r.ShortText(L.DrawnBy, L.DrawnByLen);
        if (P.ProjectNumber.empty()) P.ProjectNumber = r.ShortText(L.Number, L.NumberLen);
        if (fVersion == 415 || fVersion == 420) {
            const bool hidden = fVersion == 415 ? r.Flag(342) : (r.Byte(202) & 0x08) != 0;
            D.FileFlags.Set(ffHiddenStepsss, hidden);
        }
        M.SetCalcWallthickness(r.Rounded(L.Wall));
        if (L.CalcHole) {
            D.CalcHole[0] = r.Word(L.CalcHole);
            D.CalcHole[1] = r.Word(L.CalcHole + 2);
        }
        for (size_t i = 0; i < D.FinishFace.size(); ++i) D.FinishFace[i] = r.Rounded(L.FinishFace + 4 * i);
        if (L.HoleFactor) D.HoleFactor = r.Rounded(L.HoleFactor);
        if (L.MassDensity) D.MassDensity = r.Rounded(L.MassDensity);
        D.Material = r.ShortText(L.Material, L.MaterialLen);
    }

    // The seven drawing flags of one set-up as bits 0 to 6: in 4.20 the bits
    // of one byte, in 4.00 to 4.15 a Flag byte each.
    uint32_t DrawingFlagBits(const TOldRecord& r, size_t Base) const
    {
        if (fVersion == 420) return r.Byte(Base) & 0x7Fu;
        uint32_t bits = 0;
        for (size_t i = 0; i < 7; ++i)
            if (r.Flag(Base + i)) bits |= 1u << i;
        return bits;
    }

    void ApplyDrawingSetUp(const TOldRecord& r)
    {
        EnsureOldDrawingSetups(M);
        for (int k = 0; k < 2; ++k) {
            TPlotSettingsData& S = M.fPlotSettings[k]->FData;
            S.PlotFlags.Clear();
            S.Scale = static_cast<double>(r.Single(L.Scale[k]));
            S.FaceDistance.X = r.Rounded(L.FaceDistance[k]);
            S.FaceDistance.Y = r.Rounded(L.FaceDistance[k] + 4);
            S.PlotTextHeight[thDefault] = r.Rounded(L.TextHeight[k]);
            S.PlotTextHeight[thItem] = r.Rounded(L.TextHeight[k] + 4);
            S.PlotTextHeight[thExtra] = r.Rounded(L.TextHeight[k] + 8);
            S.PlotTextHeight[thDrillingList] = S.PlotTextHeight[thDefault];
            S.PlotTextHeight[thInfo] = S.PlotTextHeight[thItem];
            const uint32_t bits = DrawingFlagBits(r, L.FlagBase[k]);
            S.Orientation = (bits & 0x01) ? poLandscape : poPortrait;
            S.ProjectionMethode = (bits & 0x02) ? pmAmerican : pmEuropean;
            ApplyBits(S.PlotFlags, bits, kDrawingFlagBits);
            S.Origin = int32_t(r.Byte(L.Origin)) - 1;
        }
        // The shared flags: in 4.20 bits 1 to 4 of one byte, before that a
        // Flag byte each. They go to the production drawing; of them only the
        // extra text reaches the assembly drawing too.
        uint32_t shared = 0;
        for (size_t i = 0; i < 4; ++i) {
            const bool on = fVersion == 420 ? ((r.Byte(L.SharedFlags[i]) >> (i + 1)) & 1) != 0
                                            : r.Flag(L.SharedFlags[i]);
            if (on) shared |= 1u << i;
        }
        ApplyBits(M.fPlotSettings[0]->FData.PlotFlags, shared, kSharedFlagBits);
        M.fPlotSettings[1]->FData.PlotFlags.Set(pfExtraText, (shared & 0x08) != 0);
    }

    bool ReadTypedRecords()
    {
        for (;;) {
            uint8_t code;
            if (!fFile.ReadByte(code)) return false;
            TOldRecord r;
            switch (code) {
            case 255: return true;
            case 1:
                if (!fFile.ReadRecord(26, r)) return false;
                if (M.HoleLimitReached()) return true;
                ReadHole(r);
                break;
            case 2:
                if (!fFile.ReadRecord(92, r)) return false;
                ReadStep(r);
                break;
            case 3:
                if (!fFile.ReadRecord(fVersion == 420 ? 38 : 30, r)) return false;
                ReadValveAssembly(r);
                break;
            case 4:
                if (!fFile.ReadRecord(21, r)) return false;
                ReadValveItem(r);
                break;
            case 5:
                if (!fFile.ReadRecord(8, r)) return false;
                if (THole* h = M.FHoleList.Last()) {
                    TContour* c = h->FContourList.Add();
                    c->FData.X = r.Rounded(0);
                    c->FData.Y = r.Rounded(4);
                }
                break;
            case 6:
                if (!ReadComments()) return false;
                break;
            case 7:
                if (!fFile.ReadRecord(70, r)) return false;
                ReadValveComponent(r);
                break;
            case 8:
                if (!fFile.ReadRecord(8, r)) return false;
                ReadGroup(r);
                break;
            default: break; // an unknown code carries nothing
            }
        }
    }

    void ReadHole(const TOldRecord& r)
    {
        THole* h = M.FHoleList.Add();
        THoleData& D = h->FData;
        const uint8_t a = r.Byte(2);
        D.HoleNumber = r.Word(0);
        ApplyBits(D.Attribute, r.Word(2), kOldHoleAttributeBits);
        // Bit 5 opens a pattern of mounting holes; bits 4 and 6 mark its
        // further members.
        fPatterns.Apply(M.FHoleList, D, (a & 0x20) != 0, (a & 0x70) != 0);
        D.FaceNumber = r.Byte(4);
        D.XXY = r.Rounded(5);
        D.YZZ = r.Rounded(9);
        D.Dashed = r.Byte(13);
        D.HoleContour = r.Rounded(14);
        D.AngleValue = r.Rounded(18);
        D.AngleRotation = r.Rounded(22);
        // 4.00 and 4.10 measured the tilt against each face's own axes.
        if (fVersion == 400 || fVersion == 410) ConvertOldAngle(D);
    }

    void ReadStep(const TOldRecord& r)
    {
        THole* h = M.FHoleList.Last();
        if (!h) return;
        TStepData& S = h->FStepList.Add()->FData;
        S.StepNumber = r.Byte(0);
        ApplyBits(S.Attribute, r.Byte(1), kOldStepAttributeBits);
        S.Diameter = r.Rounded(3);
        S.Depth = r.Rounded(7);
        S.Thread = r.ShortText(11, 10);
        S.Length = r.Rounded(22);
        S.Remark = r.ShortText(26, 24);
        S.TopAngle = r.Word(51);
        S.OutsideDiameter = r.Rounded(53);
        S.MachineCode = r.ShortText(57, 20);
        S.GroupCode = r.ShortText(78, 5);
        S.PortMin = r.Rounded(84);
        S.PortMax = r.Rounded(88);
        // The first step's remark carries the turn of the hole's label.
        if (S.StepNumber == 1) h->FData.RemarkRotation = TakeRotationPrefix(S.Remark, true);
    }

    // The valve the records 3, 4 and 7 fill: the last one of the last hole,
    // created by the first of them.
    TValveData* LastValve()
    {
        THole* h = M.FHoleList.Last();
        return h ? &LastOrNewValve(*h) : nullptr;
    }

    void ReadValveItem(const TOldRecord& r)
    {
        TValveData* V = LastValve();
        if (!V) return;
        V->ItemNumber = r.ShortText(0, 10);
        V->Offset.X = r.Rounded(11);
        V->Offset.Y = r.Rounded(15);
        const uint16_t rot = r.Word(19);
        V->Rotation = rot == 1 ? 90 : rot;
    }

    void ReadValveAssembly(const TOldRecord& r)
    {
        TValveData* V = LastValve();
        if (!V) return;
        const bool wide = fVersion == 420;
        V->AssemblyFile = r.ShortText(9, wide ? 15 : 7);
        const size_t p = wide ? 25 : 17;
        V->InsertionPoint.X = r.Rounded(p);
        V->InsertionPoint.Y = r.Rounded(p + 4);
        V->RotationAngle = r.Rounded(p + 8);
        V->ContourInAssembly = r.Flag(p + 12);
    }

    void ReadValveComponent(const TOldRecord& r)
    {
        TValveData* V = LastValve();
        if (!V) return;
        V->Manufacturer = r.ShortText(0, 15);
        V->ComponentType = r.ShortText(16, 24);
        V->Description = r.ShortText(41, 24);
        V->Weight = r.Rounded(66);
    }

    void ReadGroup(const TOldRecord& r)
    {
        TGroupData& G = M.FGroupList.Add()->FData;
        G.Code = r.ShortText(0, 5);
        G.Color = GroupColor(r.Byte(6));
    }

    // Project comments: UTF-16 code units up to the unit 3, lines ended by
    // 13. Empty lines and the text after the last line end are dropped. The
    // lines are added only when the whole record is there.
    bool ReadComments()
    {
        std::vector<std::string> lines;
        std::u16string line;
        for (;;) {
            uint16_t unit;
            if (!fFile.ReadWord(unit)) return false;
            if (unit == 3) break;
            if (unit == 13) {
                if (!line.empty()) lines.push_back(Utf16ToUtf8(line));
                line.clear();
            } else {
                line += static_cast<char16_t>(unit);
            }
        }
        for (auto& l : lines) M.FProject.FComments.push_back(std::move(l));
        return true;
    }

    int fVersion;
    TOldFile& fFile;
    TManifold& M;
    THeaderLayout L;
    TOldPatterns fPatterns;
};

} // namespace

bool Read400(int Version, const TFileBytes& File, TManifold& Manifold)
{
    Manifold.FProject.FData.ModifiedOn = File.Time.value_or(0.0);
    TOldFile file(File.Bytes);
    TReader400 reader(Version, file, Manifold);
    if (!reader.Run()) WarnTruncatedOldFile();
    return true;
}

} // namespace qv
