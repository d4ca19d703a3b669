// The checking, assembly and bill-of-materials records: wall-thickness
// check settings with their ranges and flags, assemblies with alternate
// valves, section crosses, checkers, the bill of materials and the
// mounting-hole definitions.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/AssemblyLists.h"
#include "model/BillOfMaterials.h"
#include "model/CalculateSettings.h"
#include "model/CheckerLists.h"
#include "model/MountingHoleDefinitions.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteChecking.h"
#include "testkit/WriteValves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;
using test::Flat;

namespace {

using Strings = std::vector<std::string>;

std::unique_ptr<TManifold> Load(const std::string& name, const std::function<void(TQuorvaneFile&)>& body,
                                bool withEnd = true)
{
    // A cut-off file warns; the tests look at the data.
    return test::LoadDesign(name, body, {.WithEnd = withEnd}).M;
}

// Bare start and end tags of a record.
void Bare(TQuorvaneFile& f, uint16_t start, uint16_t end)
{
    f.WriteVar(start);
    f.WriteVar(end);
}

// The flag set read from one wall-thickness record with these flag items.
TCalculateFlagsNew FlagsOf(const std::string& name, const std::vector<std::pair<uint16_t, bool>>& items)
{
    const auto m = Load(name, [&](TQuorvaneFile& f) {
        f.WriteVar(13000);
        for (const auto& [tag, on] : items) f.WriteBoolean(tag, on);
        f.WriteVar(13999);
    });
    return m->CalculateSettingsNew().fData.Flags;
}

} // namespace

// -------------------------------------------------------- every record

TEST(CheckingRecords, EveryFieldSurvivesARoundTrip)
{
    TCalculateSettingsNew calc;
    samples::FillSampleCalculateSettings(calc);
    TAssemblyList assemblies;
    TCrossList crosses;
    TMountingHoleDefinitionList definitions;
    for (int seed = 1; seed <= 2; ++seed) {
        samples::FillSampleAssembly(*assemblies.Add(), seed);
        samples::FillSampleCross(*crosses.Add(), seed);
        samples::FillSampleMountingHoleDefinition(*definitions.Add(), seed);
    }
    TCheckerList checkers;
    samples::FillSampleCheckers(checkers);
    TBillOfMaterials bom;
    samples::FillSampleBillOfMaterials(bom);

    // In the order the design program writes them, a hole among them.
    const auto m = Load("checking-all.mnf", [&](TQuorvaneFile& f) {
        for (const auto& a : assemblies) samples::WriteAssembly(f, *a);
        for (const auto& c : crosses) samples::WriteCross(f, *c);
        samples::WriteCalculateSettings(f, calc);
        for (const auto& d : definitions) samples::WriteMountingHoleDefinition(f, *d);
        samples::WriteCheckers(f, checkers);
        test::WriteSimpleHole(f, 1);
        samples::WriteBillOfMaterials(f, bom);
    });
    EXPECT_EQ(Flat(m->CalculateSettingsNew()), Flat(calc));
    EXPECT_EQ(Flat(m->AssemblyList()), Flat(assemblies));
    EXPECT_EQ(Flat(m->CrossList()), Flat(crosses));
    EXPECT_EQ(Flat(m->MountingHoleDefinitionList()), Flat(definitions));
    EXPECT_EQ(Flat(m->Checkers()), Flat(checkers));
    EXPECT_EQ(Flat(m->BOM()), Flat(bom));
    EXPECT_EQ(m->HoleList().Count(), 1);
    // The sample really has nested records in every list.
    EXPECT_EQ(m->CalculateSettingsNew().fWallThicknessRangeList.Count(), 2);
    EXPECT_EQ(m->AssemblyList().First()->fAlternateValveList.Last()->fValveList.Count(), 1);
    EXPECT_EQ(m->Checkers().Count(), 2);
    EXPECT_EQ(m->BOM().fUserBOMList.Count(), 2);
}

TEST(CheckingRecords, BareRecordsHoldTheDefaults)
{
    const auto m = Load("checking-bare.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(9000);
        Bare(f, 9300, 9399);
        f.WriteVar(9199);
        Bare(f, 9400, 9499);
        f.WriteVar(13000);
        Bare(f, 12000, 12999);
        f.WriteVar(13999);
        Bare(f, 14000, 14299);
        f.WriteVar(9600);
        Bare(f, 9500, 9599);
        f.WriteVar(9699);
        f.WriteVar(41000);
        Bare(f, 40000, 40999);
        f.WriteVar(41999);
    });

    const TCalculateSettinsNewData& c = m->CalculateSettingsNew().fData;
    EXPECT_EQ(c.Wallthickness, 5.0);
    EXPECT_EQ(c.WallthicknessMountingHoles, 5.0);
    EXPECT_EQ(c.ErrorIndicatorSize, 20.0);
    EXPECT_EQ(c.ErrorTextSize, 2.5);
    EXPECT_TRUE(c.Flags.Empty()); // a record without flag items turns every flag off
    EXPECT_EQ(c.SelectWallDiameter, swdAverageOfDiameters);
    EXPECT_EQ(c.ThreadCorrection, 0.0);
    ASSERT_EQ(m->CalculateSettingsNew().fWallThicknessRangeList.Count(), 1);
    EXPECT_EQ(Flat(*m->CalculateSettingsNew().fWallThicknessRangeList.First()), Flat(TWallThicknessRange{}));
    EXPECT_EQ(m->CalculateSettingsNew().fWallThicknessRangeList.First()->fData.WallThickness, 0.0);

    ASSERT_EQ(m->AssemblyList().Count(), 1);
    const TAssembly& a = *m->AssemblyList().First();
    EXPECT_FALSE(a.FData.Active);
    EXPECT_EQ(a.FData.Name, "");
    ASSERT_EQ(a.fAlternateValveList.Count(), 1);
    EXPECT_EQ(a.fAlternateValveList.First()->FData.HoleNumber, 0);
    EXPECT_EQ(a.fAlternateValveList.First()->fValveList.Count(), 0);

    ASSERT_EQ(m->CrossList().Count(), 1);
    const TCrossData& x = m->CrossList().First()->fData;
    EXPECT_EQ(x.CrossDirection, 0);
    EXPECT_EQ(x.CrossCoordinate, 0.0);
    EXPECT_EQ(x.CrossPosition, (TXYPoint{-1.0, -1.0}));

    ASSERT_EQ(m->MountingHoleDefinitionList().Count(), 1);
    const TMountingHoleDefinitionData& d = m->MountingHoleDefinitionList().First()->fData;
    EXPECT_EQ(d.MountingHoleTag, 0);
    EXPECT_EQ(d.FaceNumber, 6);
    EXPECT_EQ(d.AmountXXY, 0);
    EXPECT_EQ(d.OffsetYZZ, 0.0);
    EXPECT_TRUE(d.UpdateAutomatically);

    const TCheckerList& k = m->Checkers();
    EXPECT_EQ(k.fItemIndex, -1);
    EXPECT_FALSE(k.fAllSelected);
    EXPECT_EQ(k.fSelectedInPrint, "");
    ASSERT_EQ(k.Count(), 1);
    EXPECT_EQ(k.First()->fData.Name, "");
    EXPECT_TRUE(k.First()->fIsCheckedList.empty());

    const TBillOfMaterials& b = m->BOM();
    EXPECT_EQ(b.fData.MasterColumn, bomcolArticleCode);
    EXPECT_EQ(b.fData.RowHeight, 5.0);
    EXPECT_EQ(b.fData.TextHeight, 3.5);
    EXPECT_EQ(b.fData.InsertionPoint, (TXYPoint{0.0, 0.0}));
    EXPECT_EQ(b.fData.RowCountWidth, 10.0);
    for (int col = bomcolArticleCode; col <= bomColHoleNumber; ++col)
        EXPECT_EQ(b.fData.ColumnWidths[TBOMColumn(col)], 50.0) << col;
    for (int col = bomcolExtra1; col <= bomcolExtra5; ++col)
        EXPECT_EQ(b.fData.ColumnWidths[TBOMColumn(col)], 10.0) << col;
    EXPECT_TRUE(b.fData.ShowTitles);
    EXPECT_FALSE(b.fData.SortReverse);
    EXPECT_EQ(b.fUsedColumns.Count(), 0);
    EXPECT_TRUE(b.fHiddenItems.empty());
    ASSERT_EQ(b.fUserBOMList.Count(), 1);
    const TUserBOMData& u = b.fUserBOMList.First()->fData;
    EXPECT_EQ(u.PelomyraHandle, -1);
    EXPECT_EQ(u.Mode, 0);
    EXPECT_EQ(u.Tag, 0);
    EXPECT_EQ(Flat(u), Flat(TUserBOMData{}));
}

// ---------------------------------------------- wall-thickness settings

TEST(CalculateSettings, EachFlagTagSetsItsOwnMember)
{
    const std::pair<uint16_t, TCalculateFlagNew> rows[] = {
        {13100, cfnUseMultipleWallThicknesses},
        {13110, cfnCheckGroups},
        {13120, cfnCheckPorts},
        {13130, cfnCheckThread},
        {13140, cfnShowMountingHolesWithoutProblems},
        {13150, cfnShowFixationHolesWithoutProblems},
        {13160, cfnShowDistancesBetweenSpotfaces},
        {13170, cfnShowDistancesInPatterns},
        {13180, cfnShowPortsWithoutConnection},
        {13190, cfnShowAllToSmallWallThicknesses},
        {13192, cfnShowDistancesEvenForConnectedHoles},
        {13194, cfnShowAreaErrorsEvenForConnecedHoles},
        {13200, cfnMoveWallThicknessToGroups},
        {13210, cfnEmptyLineBetweenHoles},
        {13211, cfnShowApprovedErrors},
    };
    for (const auto& [tag, member] : rows) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(FlagsOf("flag-" + std::to_string(tag) + ".mnf", {{tag, true}}), TCalculateFlagsNew{member});
    }
}

TEST(CalculateSettings, FlagItemsMakeTheWholeSet)
{
    // Only True items count; False ones add nothing and remove nothing.
    EXPECT_TRUE(FlagsOf("flags-false.mnf", {{13110, false}, {13120, false}, {13211, false}}).Empty());
    EXPECT_EQ(FlagsOf("flags-mixed.mnf", {{13110, true}, {13110, false}, {13200, true}}),
              (TCalculateFlagsNew{cfnCheckGroups, cfnMoveWallThicknessToGroups}));

    // Without any wall-thickness record the defaults stay.
    const auto m = Load("flags-none.mnf", [](TQuorvaneFile& f) { test::WriteSimpleHole(f, 1); });
    EXPECT_EQ(m->CalculateSettingsNew().fData.Flags,
              (TCalculateFlagsNew{cfnCheckGroups, cfnCheckPorts, cfnCheckThread, cfnShowPortsWithoutConnection,
                                  cfnShowAllToSmallWallThicknesses, cfnShowDistancesEvenForConnectedHoles}));
}

TEST(CalculateSettings, RecordAfterAnInchManifoldRecordOverwritesOnlyWhatItCarries)
{
    const auto m = Load("calc-inch.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(2000);
        f.WriteInteger(2003, 1); // inch
        f.WriteVar(2999);
        f.WriteVar(13000);
        f.WriteDouble(13010, 0.125);
        f.WriteInteger(13300, 7); // outside the enumeration: stored as read
        f.WriteVar(13999);
    });
    const TCalculateSettinsNewData& c = m->CalculateSettingsNew().fData;
    const TCalculateSettinsNewData inch = TCalculateSettinsNewData::InchDefaults();
    EXPECT_EQ(c.Wallthickness, 0.125);
    EXPECT_EQ(c.WallthicknessMountingHoles, inch.WallthicknessMountingHoles);
    EXPECT_EQ(c.ErrorIndicatorSize, inch.ErrorIndicatorSize);
    EXPECT_EQ(c.ErrorTextSize, inch.ErrorTextSize);
    EXPECT_EQ(int(c.SelectWallDiameter), 7);
    EXPECT_TRUE(c.Flags.Empty());
}

TEST(CalculateSettings, RecordCutOffKeepsWhatWasReadAndTheFormerFlags)
{
    // The flags of a record count only once the record is complete.
    const auto m = Load(
        "calc-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(13000);
            f.WriteDouble(13010, 3.0);
            f.WriteBoolean(13100, true);
            f.WriteVar(12000);
            f.WriteDouble(12010, 4.0);
            f.WriteDouble(12020, 8.0);
        },
        false);
    const TCalculateSettingsNew& c = m->CalculateSettingsNew();
    EXPECT_EQ(c.fData.Wallthickness, 3.0);
    EXPECT_EQ(c.fData.Flags, TCalculateSettinsNewData{}.Flags);
    ASSERT_EQ(c.fWallThicknessRangeList.Count(), 1);
    EXPECT_EQ(c.fWallThicknessRangeList.First()->fData.Diameter1, 4.0);
    EXPECT_EQ(c.fWallThicknessRangeList.First()->fData.Diameter2, 8.0);
    EXPECT_EQ(c.fWallThicknessRangeList.First()->fData.WallThickness, 0.0);
}

// ---------------------------------------------------- bill of materials

TEST(BillOfMaterials, ColumnsLinesAndRepeatedRecords)
{
    const auto m = Load("bom-columns.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(41000);
        for (int c : {int(bomcolQuantity), int(bomcolArticleCode), int(bomcolQuantity), 42}) f.WriteInteger(41100, c);
        f.WriteInteger(41010, -3); // outside the enumeration: stored as read
        f.WriteString(41200, "ART-1");
        f.WriteString(41200, "", true);
        f.WriteDouble(41020, 6.0);
        f.WriteVar(41999);
        // A second record of the same kind: plain fields take the later
        // values, columns, lines and user items accumulate.
        f.WriteVar(41000);
        f.WriteInteger(41100, bomcolExtra5);
        f.WriteString(41200, "ART-2");
        f.WriteDouble(41020, 7.0);
        Bare(f, 40000, 40999);
        f.WriteVar(41999);
    });
    const TBillOfMaterials& b = m->BOM();
    EXPECT_EQ(b.fUsedColumns.fItems, (std::vector<int32_t>{bomcolQuantity, bomcolArticleCode, bomcolQuantity, 42,
                                                           bomcolExtra5}));
    EXPECT_EQ(int(b.fData.MasterColumn), -3);
    EXPECT_EQ(b.fHiddenItems, (Strings{"ART-1", "", "ART-2"}));
    EXPECT_EQ(b.fData.RowHeight, 7.0);
    EXPECT_EQ(b.fUserBOMList.Count(), 1);
}

TEST(BillOfMaterials, RecordCutOffInAUserItemKeepsWhatWasRead)
{
    const auto m = Load(
        "bom-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(41000);
            f.WriteDouble(41030, 4.5);
            f.WriteInteger(41100, bomcolType);
            f.WriteVar(40000);
            f.WriteString(40010, "Maker");
            // The description's payload is cut short.
            const std::string header = test::Words({40030, 0, 20});
            f.WriteBytes(header.data(), header.size());
            f.WriteBytes("Plug", 4);
        },
        false);
    const TBillOfMaterials& b = m->BOM();
    EXPECT_EQ(b.fData.TextHeight, 4.5);
    EXPECT_EQ(b.fUsedColumns.fItems, std::vector<int32_t>{bomcolType});
    ASSERT_EQ(b.fUserBOMList.Count(), 1);
    TUserBOMData expected;
    expected.Manufacturer = "Maker";
    EXPECT_EQ(Flat(b.fUserBOMList.First()->fData), Flat(expected));
}

// ---------------------------------------------------- lists and nesting

TEST(CheckerList, RepeatedRecordAddsCheckersAndTakesTheLaterSelection)
{
    const auto m = Load("checkers-twice.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(9600);
        f.WriteVar(9500);
        f.WriteString(9510, "Ada");
        f.WriteString(9530, "hole 1");
        f.WriteInteger(9540, 12345); // unknown tag
        f.WriteString(9530, "hole 2");
        f.WriteVar(9599);
        f.WriteInteger(9620, 0);
        f.WriteString(9630, "first");
        f.WriteVar(9699);
        f.WriteVar(9600);
        f.WriteVar(9500);
        f.WriteString(9520, "BB");
        f.WriteVar(9599);
        f.WriteInteger(9620, 1);
        f.WriteVar(9699);
    });
    const TCheckerList& k = m->Checkers();
    ASSERT_EQ(k.Count(), 2);
    EXPECT_EQ(k.GetCheckers(0)->fData.Name, "Ada");
    EXPECT_EQ(k.GetCheckers(0)->fIsCheckedList, (Strings{"hole 1", "hole 2"}));
    EXPECT_EQ(k.GetCheckers(1)->fData.Initials, "BB");
    EXPECT_EQ(k.fItemIndex, 1);
    EXPECT_EQ(k.fSelectedInPrint, "first");
}

TEST(CheckerList, ClearAndAssign)
{
    TCheckerList source;
    samples::FillSampleCheckers(source);
    TCheckerList copy;
    copy.Assign(source);
    EXPECT_EQ(Flat(copy), Flat(source));
    source.First()->fIsCheckedList.push_back("later");
    EXPECT_EQ(copy.First()->fIsCheckedList.size(), 2u);

    copy.Clear();
    EXPECT_EQ(Flat(copy), Flat(TCheckerList{}));
    EXPECT_EQ(copy.fItemIndex, -1);
}

TEST(Assembly, AlternateValveCutOffInsideItsValveKeepsWhatWasRead)
{
    const auto m = Load(
        "assembly-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(9000);
            f.WriteString(9010, "Variant A");
            f.WriteVar(9300);
            f.WriteInteger(9320, 4);
            f.WriteVar(30000);
            f.WriteString(30020, "V4");
            f.WriteBoolean(30348, true);
        },
        false);
    ASSERT_EQ(m->AssemblyList().Count(), 1);
    const TAssembly& a = *m->AssemblyList().First();
    EXPECT_EQ(a.FData.Name, "Variant A");
    ASSERT_EQ(a.fAlternateValveList.Count(), 1);
    const TAlternateValve& alt = *a.fAlternateValveList.First();
    EXPECT_EQ(alt.FData.HoleNumber, 4);
    ASSERT_EQ(alt.fValveList.Count(), 1);
    EXPECT_EQ(alt.fValveList.First()->fData.ItemNumber, "V4");
    EXPECT_TRUE(alt.fValveList.First()->fData.Engraved);
}

TEST(Assembly, AssignCopiesTheNestedLists)
{
    TAssemblyList source;
    samples::FillSampleAssembly(*source.Add(), 1);
    TAssemblyList copy;
    copy.Assign(source);
    EXPECT_EQ(Flat(copy), Flat(source));
    source.First()->fAlternateValveList.First()->fValveList.First()->fData.ItemNumber = "changed";
    EXPECT_NE(copy.First()->fAlternateValveList.First()->fValveList.First()->fData.ItemNumber, "changed");
}
