#include "testkit/WriteChecking.h"

#include "testkit/WriteValves.h"

#include <iterator>
#include <string>

namespace qv::samples {

void WriteWallThicknessRange(TQuorvaneFile& HF, const TWallThicknessRange& x)
{
    HF.WriteVar(12000);
    HF.WriteDouble(12010, x.fData.Diameter1);
    HF.WriteDouble(12020, x.fData.Diameter2);
    HF.WriteDouble(12030, x.fData.WallThickness);
    HF.WriteVar(12999);
}

void WriteCalculateSettings(TQuorvaneFile& HF, const TCalculateSettingsNew& x)
{
    const TCalculateSettinsNewData& d = x.fData;
    HF.WriteVar(13000);
    HF.WriteDouble(13010, d.Wallthickness);
    HF.WriteDouble(13020, d.WallthicknessMountingHoles);
    HF.WriteDouble(13022, d.ErrorIndicatorSize);
    HF.WriteDouble(13024, d.ErrorTextSize);
    // One Boolean item per flag, in member order.
    const uint16_t flagTags[] = {13100, 13110, 13120, 13130, 13140, 13150, 13160, 13170,
                                 13180, 13190, 13192, 13194, 13200, 13210, 13211};
    for (size_t i = 0; i < std::size(flagTags); ++i)
        HF.WriteBoolean(flagTags[i], d.Flags.Contains(static_cast<TCalculateFlagNew>(i)));
    HF.WriteInteger(13300, d.SelectWallDiameter);
    HF.WriteDouble(13310, d.ThreadCorrection);
    for (const auto& r : x.fWallThicknessRangeList) WriteWallThicknessRange(HF, *r);
    HF.WriteVar(13999);
}

void WriteAlternateValve(TQuorvaneFile& HF, const TAlternateValve& x)
{
    HF.WriteVar(9300);
    HF.WriteInteger(9320, x.FData.HoleNumber);
    for (const auto& v : x.fValveList) WriteValve(HF, *v);
    HF.WriteVar(9399);
}

void WriteAssembly(TQuorvaneFile& HF, const TAssembly& x)
{
    HF.WriteVar(9000);
    HF.WriteBoolean(9002, x.FData.Active);
    HF.WriteString(9010, x.FData.Name, true);
    HF.WriteString(9020, x.FData.Description, true);
    for (const auto& a : x.fAlternateValveList) WriteAlternateValve(HF, *a);
    HF.WriteVar(9199);
}

void WriteCross(TQuorvaneFile& HF, const TCross& x)
{
    HF.WriteVar(9400);
    HF.WriteInteger(9410, x.fData.CrossDirection);
    HF.WriteDouble(9420, x.fData.CrossCoordinate);
    HF.WriteDouble(9430, x.fData.CrossPosition.X);
    HF.WriteDouble(9440, x.fData.CrossPosition.Y);
    HF.WriteVar(9499);
}

void WriteChecker(TQuorvaneFile& HF, const TChecker& x)
{
    HF.WriteVar(9500);
    HF.WriteString(9510, x.fData.Name, true);
    HF.WriteString(9520, x.fData.Initials, true);
    for (const auto& line : x.fIsCheckedList) HF.WriteString(9530, line, true);
    HF.WriteVar(9599);
}

void WriteCheckers(TQuorvaneFile& HF, const TCheckerList& x)
{
    HF.WriteVar(9600);
    for (int i = 0; i < x.Count(); ++i) WriteChecker(HF, *x.GetCheckers(i));
    HF.WriteBoolean(9610, x.fAllSelected);
    HF.WriteInteger(9620, x.fItemIndex);
    HF.WriteString(9630, x.fSelectedInPrint, true);
    HF.WriteVar(9699);
}

void WriteUserBOM(TQuorvaneFile& HF, const TUserBOM& x)
{
    const TUserBOMData& d = x.fData;
    HF.WriteVar(40000);
    HF.WriteString(40010, d.Manufacturer, true);
    HF.WriteString(40020, d.ComponentType, true);
    HF.WriteString(40030, d.Description, true);
    HF.WriteString(40040, d.ArticleCode, true);
    HF.WriteString(40050, d.Quantity, true);
    HF.WriteString(40060, d.ItemNumber, true);
    HF.WriteString(40070, d.HoleNumber, true);
    HF.WriteInteger(40072, d.PelomyraHandle);
    HF.WriteVar(40999);
}

void WriteBillOfMaterials(TQuorvaneFile& HF, const TBillOfMaterials& x)
{
    const TBOMData& d = x.fData;
    HF.WriteVar(41000);
    HF.WriteInteger(41010, d.MasterColumn);
    HF.WriteDouble(41020, d.RowHeight);
    HF.WriteDouble(41030, d.TextHeight);
    HF.WriteDouble(41040, d.InsertionPoint.X);
    HF.WriteDouble(41050, d.InsertionPoint.Y);
    HF.WriteDouble(41060, d.RowCountWidth);
    HF.WriteBoolean(41070, d.ShowTitles);
    HF.WriteBoolean(41072, d.SortReverse);
    // One width per column, in member order.
    const uint16_t widthTags[] = {41300, 41310, 41320, 41330, 41340, 41350, 41360, 41361, 41362, 41363, 41364, 41365};
    for (size_t c = 0; c < std::size(widthTags); ++c) HF.WriteDouble(widthTags[c], d.ColumnWidths.Items[c]);
    for (int i = 0; i < x.fUsedColumns.Count(); ++i) HF.WriteInteger(41100, x.fUsedColumns[i]);
    for (const auto& line : x.fHiddenItems) HF.WriteString(41200, line, true);
    for (const auto& u : x.fUserBOMList) WriteUserBOM(HF, *u);
    HF.WriteVar(41999);
}

void WriteMountingHoleDefinition(TQuorvaneFile& HF, const TMountingHoleDefinition& x)
{
    const TMountingHoleDefinitionData& d = x.fData;
    HF.WriteVar(14000);
    HF.WriteInteger(14010, d.MountingHoleTag);
    HF.WriteInteger(14020, d.FaceNumber);
    HF.WriteString(14030, d.MountingHoleFileName, true);
    HF.WriteInteger(14040, d.AmountXXY);
    HF.WriteInteger(14050, d.AmountYZZ);
    HF.WriteDouble(14060, d.OffsetXXY);
    HF.WriteDouble(14070, d.OffsetYZZ);
    HF.WriteBoolean(14080, d.UpdateAutomatically);
    HF.WriteVar(14299);
}

// ------------------------------------------------------------ sample values

void FillSampleCalculateSettings(TCalculateSettingsNew& x, int seed)
{
    const double k = seed;
    TCalculateSettinsNewData& d = x.fData;
    d.Wallthickness = 3.25 * k;
    d.WallthicknessMountingHoles = 4.5 * k;
    d.ErrorIndicatorSize = 12.75 * k;
    d.ErrorTextSize = 1.875 * k;
    // Not the default set: the first and the last member and one between.
    d.Flags = {cfnUseMultipleWallThicknesses, cfnShowDistancesInPatterns, cfnShowApprovedErrors};
    d.SelectWallDiameter = swdLargestDiameter;
    d.ThreadCorrection = 0.625 * k;
    for (int i = 1; i <= 2; ++i) {
        auto& r = x.fWallThicknessRangeList.Add()->fData;
        r.Diameter1 = 2.0 * i + k;
        r.Diameter2 = 6.5 * i + k;
        r.WallThickness = 1.5 * i + k;
    }
}

void FillSampleAssembly(TAssembly& x, int seed)
{
    const std::string s = std::to_string(seed);
    x.FData.Active = true;
    x.FData.Name = "Variant " + s;
    x.FData.Description = "Without the relief valve, variant " + s;
    for (int i = 1; i <= 2; ++i) {
        TAlternateValve* a = x.fAlternateValveList.Add();
        a->FData.HoleNumber = 10 * seed + i;
        FillSampleValve(*a->fValveList.Add(), 100 * seed + i);
    }
}

void FillSampleCross(TCross& x, int seed)
{
    x.fData.CrossDirection = 2 + seed;
    x.fData.CrossCoordinate = 37.5 * seed;
    x.fData.CrossPosition = {12.25 * seed, 48.5 * seed};
}

void FillSampleCheckers(TCheckerList& x, int seed)
{
    const std::string s = std::to_string(seed);
    for (int i = 1; i <= 2; ++i) {
        TChecker* c = x.Add();
        c->fData.Name = "Checker " + s + "." + std::to_string(i);
        c->fData.Initials = "C" + s + std::to_string(i);
        c->fIsCheckedList = {"hole " + std::to_string(i), "wall " + s};
    }
    x.fItemIndex = seed;
    x.fAllSelected = true;
    x.fSelectedInPrint = "1;2;" + s;
}

void FillSampleBillOfMaterials(TBillOfMaterials& x, int seed)
{
    const std::string s = std::to_string(seed);
    const double k = seed;
    TBOMData& d = x.fData;
    d.MasterColumn = bomColHoleNumber;
    d.RowHeight = 6.25 * k;
    d.TextHeight = 2.75 * k;
    d.InsertionPoint = {150.5 * k, -20.25 * k};
    d.RowCountWidth = 12.5 * k;
    for (size_t c = 0; c < BOMColumnCount; ++c) d.ColumnWidths.Items[c] = 20.0 + 1.5 * double(c) + k;
    d.ShowTitles = false;
    d.SortReverse = true;
    for (int c : {bomColItemNumber, bomcolArticleCode, bomcolExtra2}) x.fUsedColumns.Add(c);
    x.fHiddenItems = {"ART-" + s, "RV-08-" + s};
    for (int i = 1; i <= 2; ++i) {
        TUserBOMData& u = x.fUserBOMList.Add()->fData;
        const std::string t = s + "." + std::to_string(i);
        u.Manufacturer = "Seal maker " + t;
        u.ComponentType = "OR-" + t;
        u.Description = "O-ring " + t;
        u.ArticleCode = "SEAL-" + t;
        u.Quantity = std::to_string(2 * i);
        u.ItemNumber = "U" + t;
        u.HoleNumber = std::to_string(i + seed);
        u.PelomyraHandle = 500 * seed + i;
    }
}

void FillSampleMountingHoleDefinition(TMountingHoleDefinition& x, int seed)
{
    TMountingHoleDefinitionData& d = x.fData;
    d.MountingHoleTag = 7 + seed;
    d.FaceNumber = 1 + seed % 5; // any face but the default 6
    d.MountingHoleFileName = "mounting" + std::to_string(seed) + ".mhf";
    d.AmountXXY = 2 + seed;
    d.AmountYZZ = 3 + seed;
    d.OffsetXXY = 15.5 * seed;
    d.OffsetYZZ = 22.25 * seed;
    d.UpdateAutomatically = false;
}

} // namespace qv::samples
