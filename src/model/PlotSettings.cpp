#include "model/PlotSettings.h"

#include "stream/QuorvaneFiles.h"

#include <iterator>

namespace qv {

namespace {

// Flag item tags in ordinal order of TPlotFlag. The tags run in steps of 10,
// then 2, as flags were added over the years; pfShowAllHolesInAssembly got
// 56390 out of sequence, and 56370 was never used.
constexpr int kPlotFlagTags[] = {
    56000, 56010, 56020, 56030, 56040, 56050, 56051, 56052, 56053, 56054, 56055, 56056, 56060, 56070,
    56080, 56090, 56100, 56110, 56120, 56130, 56140, 56150, 56160, 56170, 56180, 56190, 56200, 56210,
    56220, 56230, 56240, 56250, 56260, 56270, 56280, 56290, 56300, 56310, 56320, 56330, 56340, 56342,
    56344, 56346, 56348, 56350, 56352, 56354, 56356, 56358, 56360, 56362, 56364, 56390, 56366, 56368,
    56372, 56374, 56376, 56378, 56380, 56382, 56384, 56386, 56388, 56392, 56394, 56396, 56398};
static_assert(std::size(kPlotFlagTags) == PlotFlagCount);
static_assert(PlotFlagCount <= int(sizeof(TPlotFlagBits) * 8));

// Text height tags in ordinal order of TPlotTextHeights: the default height
// came later and sits apart from the others.
constexpr int kTextHeightTags[] = {50400, 50042, 50044, 50046, 50048, 50050,
                                   50051, 50052, 50053, 50054, 50055, 50056};

int TextHeightOfTag(int Tag)
{
    for (int i = 0; i < int(std::size(kTextHeightTags)); ++i)
        if (kTextHeightTags[i] == Tag) return i;
    return -1;
}

// Face k (1 to 6) of the sheet layout: 51000 + 10k switches the face view on,
// 51001 + 10k and 51002 + 10k give its position.
bool ReadFacePositionItem(TQuorvaneFile& HF, int Tag, TFacePositions& p)
{
    if (Tag < 51010 || Tag > 51062) return false;
    const int k = (Tag - 51000) / 10;
    switch ((Tag - 51000) % 10) {
    case 0: HF.Get(p.FaceOn[k - 1]); return true;
    case 1: HF.Get(p.FacePos[k - 1].X); return true;
    case 2: HF.Get(p.FacePos[k - 1].Y); return true;
    default: return false;
    }
}

bool ReadShowDimensionsItem(TQuorvaneFile& HF, const TVarInfo& v, TPlotShowDimensionsSettings& s)
{
    const uint16_t n = v.VarLength;
    switch (v.VarName) {
    case 50310: HF.Get(s.TruncateTrailingZeros); break;
    case 50312: HF.Get(s.TruncateTrailingZerosCoordinates); break;
    case 50320: HF.GetString(s.IndicatorAngle, n); break;
    case 50325: HF.GetString(s.IndicatorAngleValue, n); break;
    case 50340: HF.GetString(s.IndicatorHole, n); break;
    case 50350: HF.GetString(s.IndicatorTypicalHoles, n); break;
    case 50360: HF.GetString(s.IndicatorCartridge, n); break;
    case 50370: HF.GetString(s.IndicatorLocationShoulder, n); break;
    case 50380: HF.GetString(s.IndicatorSpotfaced, n); break;
    case 50382: HF.GetString(s.IndicatorSpotfacedStart, n); break;
    case 50390: HF.GetString(s.IndicatorDiameter, n); break;
    case 50391: HF.GetString(s.IndicatorDiameterEnd, n); break;
    case 50405: HF.GetString(s.IndicatorDepth, n); break;
    case 50406: HF.GetString(s.IndicatorDepthEnd, n); break;
    case 50410: HF.GetString(s.IndicatorThrough, n); break;
    case 50412: HF.GetString(s.IndicatorCounterBore, n); break;
    case 50450: HF.Get(s.ShowThreadOfStandardHoles); break;
    case 50460: HF.Get(s.ShowThreadOfCartridges); break;
    case 50470: HF.Get(s.ShowDiametersAfterThreadOfStandardHoles); break;
    case 50480: HF.Get(s.ShowDiametersAfterThreadOfCartridges); break;
    case 50490: HF.Get(s.ShowAngleRotationAlways); break;
    case 50500: HF.Get(s.ShowThreadDrillDiameter); break;
    case 50502: HF.Get(s.TurnOffThreadDrillDiameterCartridges); break;
    case 50510: HF.Get(s.ShowOnlyQuotedTextCartridges); break;
    case 50520: HF.Get(s.ShowOnlyQuotedTextStandardHoles); break;
    case 50530: HF.Get(s.SkipLineAfterTypicalHoles); break;
    case 50550: HF.Get(s.DistanceHorizontal); break;
    case 50560: HF.Get(s.DistanceVertical); break;
    case 50570: HF.Get(s.OffsetFromFace); break;
    case 50572: HF.Get(s.OffsetFaceIndicator); break;
    case 50574: HF.Get(s.OffsetDimension); break;
    case 50580: HF.Get(s.WrapIfLongerThanCharacters); break;
    case 50590: HF.Get(s.WrapSmart); break;
    case 50591: case 50592: case 50593: case 50594: case 50595: case 50596:
        HF.Get(s.NumberOfSectors[v.VarName - 50591]);
        break;
    case 50600: HF.Get(s.DivideMountingHolesPatterns); break;
    case 50610: HF.Get(s.DivideMountingHoles); break;
    case 50620: HF.Get(s.TextOffset); break;
    case 50622: HF.Get(s.ShowQuotedTextOtherHoles); break;
    case 50624: HF.Get(s.ShowDepthOfThroughHoles); break;
    case 50626: HF.Get(s.HideHoleNumberSingleHole); break;
    case 50627: HF.Get(s.SpecialNoteFirst); break;
    case 50628: HF.Get(s.HideQuotesCartridge); break;
    case 50630: HF.Get(s.BorderType); break;
    case 50632: HF.Get(s.AddTolerancesDepth); break;
    case 50634: HF.Get(s.AddTolerancesDiameter); break;
    case 50640: HF.Get(s.ShowInsertionPointHoleText); break;
    case 50650: HF.Get(s.UseLevelsWithCoords); break;
    case 50680: HF.Get(s.MoveDimensionsToFaceOrigin); break;
    case 50690: HF.Get(s.HideAllHoleNumbers); break;
    case 51004: HF.Get(s.CartridgeMustHasHiddenDiameters); break;
    default: return false;
    }
    return true;
}

} // namespace

int PlotFlagTag(TPlotFlag Flag)
{
    return Flag >= 0 && Flag < PlotFlagCount ? kPlotFlagTags[Flag] : 0;
}

int PlotFlagOfTag(int Tag)
{
    for (int i = 0; i < PlotFlagCount; ++i)
        if (kPlotFlagTags[i] == Tag) return i;
    return -1;
}

int PlotTextHeightTag(TPlotTextHeights Height)
{
    return Height >= 0 && Height < int(std::size(kTextHeightTags)) ? kTextHeightTags[Height] : 0;
}

void TPlotSettings::Clear()
{
    FData = TPlotSettingsData{};
    fCommentFileList.Clear();
    fDrillingListDrawingSettings.Clear();
    fInfoTable.Clear();
}

void TPlotSettings::Assign(const TPlotSettings& Source)
{
    if (&Source == this) return;
    FData = Source.FData;
    fCommentFileList.Assign(Source.fCommentFileList);
    fDrillingListDrawingSettings.Assign(Source.fDrillingListDrawingSettings);
    fInfoTable.Assign(Source.fInfoTable);
}

bool TPlotSettings::Load(TQuorvaneFile& HF)
{
    auto& d = FData;
    // The file lists the flags that are on; a record without flag items has
    // none, whatever the defaults of a fresh set-up are.
    d.PlotFlags.Clear();
    // The dimension settings and face positions are stored as they are read,
    // so a record cut off by the end of the file keeps what it had so far.
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 59999 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 50010: HF.Get(d.PlotMode); break;
        case 50021: HF.Get(d.FaceDistance.X); break;
        case 50022: HF.Get(d.FaceDistance.Y); break;
        case 50060: {
            // Any value but 0 means third-angle projection.
            if (int32_t m; HF.GetInteger(m)) d.ProjectionMethode = m == 0 ? pmEuropean : pmAmerican;
            break;
        }
        case 50070: HF.Get(d.Orientation); break;
        case 50080: HF.Get(d.Origin); break;
        case 50090: HF.GetString(d.PrinterName, v.VarLength); break;
        case 50092: HF.GetString(d.DWGHeaderFile, v.VarLength); break;
        case 50100: HF.GetString(d.PaperSize, v.VarLength); break;
        case 50200: HF.Get(d.DXFFile); break;
        case 50300: HF.Get(d.Scale); break;
        case 50660: HF.Get(d.InsertionPointComments.X); break;
        case 50670: HF.Get(d.InsertionPointComments.Y); break;
        case 51002: HF.Get(d.FacePositions.UseDefaultFacePositions); break;
        case 51100: HF.Get(d.FacePositions.AskToAlign); break;
        case 51110: HF.Get(d.FacePositions.SnapForPlacing); break;
        case 60100: fCommentFileList.Add()->Load(HF); break;
        // A second drilling-list or information-table record reads into the
        // same object again.
        case 61100: fDrillingListDrawingSettings.Load(HF); break;
        case 61400: fInfoTable.Load(HF); break;
        default: {
            if (const int h = TextHeightOfTag(v.VarName); h >= 0) {
                HF.Get(d.PlotTextHeight.Items[size_t(h)]);
            } else if (const int flag = PlotFlagOfTag(v.VarName); flag >= 0) {
                // A flag item that reads False leaves the set as it is.
                if (HF.ReadBoolean()) d.PlotFlags.Include(static_cast<TPlotFlag>(flag));
            } else if (!ReadShowDimensionsItem(HF, v, d.ShowDimensionsSettings) &&
                       !ReadFacePositionItem(HF, v.VarName, d.FacePositions)) {
                HF.ReadUnknown(v.VarLength);
            }
            break;
        }
        }
    }
    return true;
}

} // namespace qv
