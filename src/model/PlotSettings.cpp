#include "model/PlotSettings.h"

#include "stream/QuorvaneFiles.h"
#include "stream/ReadKeep.h"

#include <iterator>

namespace qv {

using kept::Get;

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
    case 0: Get(HF, p.FaceOn[k - 1]); return true;
    case 1: Get(HF, p.FacePos[k - 1].X); return true;
    case 2: Get(HF, p.FacePos[k - 1].Y); return true;
    default: return false;
    }
}

bool ReadShowDimensionsItem(TQuorvaneFile& HF, const TVarInfo& v, TPlotShowDimensionsSettings& s)
{
    const uint16_t n = v.VarLength;
    switch (v.VarName) {
    case 50310: Get(HF, s.TruncateTrailingZeros); break;
    case 50312: Get(HF, s.TruncateTrailingZerosCoordinates); break;
    case 50320: Get(HF, s.IndicatorAngle, n); break;
    case 50325: Get(HF, s.IndicatorAngleValue, n); break;
    case 50340: Get(HF, s.IndicatorHole, n); break;
    case 50350: Get(HF, s.IndicatorTypicalHoles, n); break;
    case 50360: Get(HF, s.IndicatorCartridge, n); break;
    case 50370: Get(HF, s.IndicatorLocationShoulder, n); break;
    case 50380: Get(HF, s.IndicatorSpotfaced, n); break;
    case 50382: Get(HF, s.IndicatorSpotfacedStart, n); break;
    case 50390: Get(HF, s.IndicatorDiameter, n); break;
    case 50391: Get(HF, s.IndicatorDiameterEnd, n); break;
    case 50405: Get(HF, s.IndicatorDepth, n); break;
    case 50406: Get(HF, s.IndicatorDepthEnd, n); break;
    case 50410: Get(HF, s.IndicatorThrough, n); break;
    case 50412: Get(HF, s.IndicatorCounterBore, n); break;
    case 50450: Get(HF, s.ShowThreadOfStandardHoles); break;
    case 50460: Get(HF, s.ShowThreadOfCartridges); break;
    case 50470: Get(HF, s.ShowDiametersAfterThreadOfStandardHoles); break;
    case 50480: Get(HF, s.ShowDiametersAfterThreadOfCartridges); break;
    case 50490: Get(HF, s.ShowAngleRotationAlways); break;
    case 50500: Get(HF, s.ShowThreadDrillDiameter); break;
    case 50502: Get(HF, s.TurnOffThreadDrillDiameterCartridges); break;
    case 50510: Get(HF, s.ShowOnlyQuotedTextCartridges); break;
    case 50520: Get(HF, s.ShowOnlyQuotedTextStandardHoles); break;
    case 50530: Get(HF, s.SkipLineAfterTypicalHoles); break;
    case 50550: Get(HF, s.DistanceHorizontal); break;
    case 50560: Get(HF, s.DistanceVertical); break;
    case 50570: Get(HF, s.OffsetFromFace); break;
    case 50572: Get(HF, s.OffsetFaceIndicator); break;
    case 50574: Get(HF, s.OffsetDimension); break;
    case 50580: Get(HF, s.WrapIfLongerThanCharacters); break;
    case 50590: Get(HF, s.WrapSmart); break;
    case 50591: case 50592: case 50593: case 50594: case 50595: case 50596:
        Get(HF, s.NumberOfSectors[v.VarName - 50591]);
        break;
    case 50600: Get(HF, s.DivideMountingHolesPatterns); break;
    case 50610: Get(HF, s.DivideMountingHoles); break;
    case 50620: Get(HF, s.TextOffset); break;
    case 50622: Get(HF, s.ShowQuotedTextOtherHoles); break;
    case 50624: Get(HF, s.ShowDepthOfThroughHoles); break;
    case 50626: Get(HF, s.HideHoleNumberSingleHole); break;
    case 50627: Get(HF, s.SpecialNoteFirst); break;
    case 50628: Get(HF, s.HideQuotesCartridge); break;
    case 50630: Get(HF, s.BorderType); break;
    case 50632: Get(HF, s.AddTolerancesDepth); break;
    case 50634: Get(HF, s.AddTolerancesDiameter); break;
    case 50640: Get(HF, s.ShowInsertionPointHoleText); break;
    case 50650: Get(HF, s.UseLevelsWithCoords); break;
    case 50680: Get(HF, s.MoveDimensionsToFaceOrigin); break;
    case 50690: Get(HF, s.HideAllHoleNumbers); break;
    case 51004: Get(HF, s.CartridgeMustHasHiddenDiameters); break;
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
        case 50010: Get(HF, d.PlotMode); break;
        case 50021: Get(HF, d.FaceDistance.X); break;
        case 50022: Get(HF, d.FaceDistance.Y); break;
        case 50060: {
            // Any value but 0 means third-angle projection.
            int32_t m = 0;
            Get(HF, m);
            if (!HF.HitEnd()) d.ProjectionMethode = m == 0 ? pmEuropean : pmAmerican;
            break;
        }
        case 50070: Get(HF, d.Orientation); break;
        case 50080: Get(HF, d.Origin); break;
        case 50090: Get(HF, d.PrinterName, v.VarLength); break;
        case 50092: Get(HF, d.DWGHeaderFile, v.VarLength); break;
        case 50100: Get(HF, d.PaperSize, v.VarLength); break;
        case 50200: Get(HF, d.DXFFile); break;
        case 50300: Get(HF, d.Scale); break;
        case 50660: Get(HF, d.InsertionPointComments.X); break;
        case 50670: Get(HF, d.InsertionPointComments.Y); break;
        case 51002: Get(HF, d.FacePositions.UseDefaultFacePositions); break;
        case 51100: Get(HF, d.FacePositions.AskToAlign); break;
        case 51110: Get(HF, d.FacePositions.SnapForPlacing); break;
        case 60100: fCommentFileList.Add()->Load(HF); break;
        // A second drilling-list or information-table record reads into the
        // same object again.
        case 61100: fDrillingListDrawingSettings.Load(HF); break;
        case 61400: fInfoTable.Load(HF); break;
        default: {
            if (const int h = TextHeightOfTag(v.VarName); h >= 0) {
                Get(HF, d.PlotTextHeight.Items[size_t(h)]);
            } else if (const int flag = PlotFlagOfTag(v.VarName); flag >= 0) {
                // A flag item that reads False leaves the set as it is.
                if (HF.ReadBoolean() && !HF.HitEnd()) d.PlotFlags.Include(static_cast<TPlotFlag>(flag));
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
