// Drawing-sheet layouts: the layout record with its attributes, text blocks
// and insert blocks, the working values of insert blocks that files never
// hold, and damaged or cut-off records.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/LayoutLists_MNF.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteLayouts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace qv;
using test::SameValues;

TEST(LayoutRecords, SampleContentsDifferFromTheDefaultsInEveryStoredField)
{
    TLayout filled;
    samples::FillSampleLayout(filled);
    const TLayout layout;
    const TInsertBlock block;
    const TTextBlock text;
    const TAttribute attribute;
    EXPECT_EQ(SameValues(test::Flat(filled.fData), test::Flat(layout.fData)), std::vector<std::string>{});
    // Only the working values that files never hold stay at their defaults.
    EXPECT_EQ(SameValues(test::Flat(filled.fInsertBlockList.First()->fData), test::Flat(block.fData)),
              (std::vector<std::string>{".BoxFromHDF.BottomRight.X", ".BoxFromHDF.BottomRight.Y",
                                        ".BoxFromHDF.TopLeft.X", ".BoxFromHDF.TopLeft.Y", ".FaceScale",
                                        ".UseBoxFromHDF"}));
    EXPECT_EQ(SameValues(test::Flat(filled.fTextBlockList.First()->fData), test::Flat(text.fData)),
              std::vector<std::string>{});
    EXPECT_EQ(SameValues(test::Flat(filled.fAttributeList.First()->fData), test::Flat(attribute.fData)),
              std::vector<std::string>{".Entity"});
    EXPECT_EQ(filled.fTextBlockList.First()->fTextList.size(), 2u);
}

TEST(LayoutRecords, RoundTripKeepsEveryField)
{
    TLayoutList expected;
    samples::FillSampleLayoutList(expected);
    const auto r =
        test::LoadDesign("layout-roundtrip.mnf", [&](TQuorvaneFile& f) { samples::WriteLayoutList(f, expected); });
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(test::Flat(r.M->fLayoutList), test::Flat(expected));
    ASSERT_EQ(r.M->fLayoutList.Count(), 2);
    EXPECT_EQ(r.M->fLayoutList.fItemIndex, -1);

    // Two text lines in file order.
    const TTextBlock& t = *r.M->fLayoutList.First()->fTextBlockList.First();
    EXPECT_EQ(t.fTextList, expected.First()->fTextBlockList.First()->fTextList);
    // The working values of an insert block are never read from a file.
    const TInsertBlock& b = *r.M->fLayoutList.First()->fInsertBlockList.First();
    EXPECT_EQ(b.fAdditionalPictures.Count(), 0);
    EXPECT_EQ(b.fData.BoxFromHDF, TXYRect{});
    EXPECT_FALSE(b.fData.UseBoxFromHDF);
    EXPECT_EQ(b.fData.FaceScale, 1.0);
}

TEST(LayoutRecords, EmptyRecordsLoadTheDefaults)
{
    const auto r = test::LoadDesign("layout-empty.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(43000);
        f.WriteVar(44000); f.WriteVar(44999);
        f.WriteVar(45000); f.WriteVar(45999);
        f.WriteVar(46000); f.WriteVar(46999);
        f.WriteVar(43999);
    });
    EXPECT_TRUE(r.Messages.empty());
    ASSERT_EQ(r.M->fLayoutList.Count(), 1);
    TLayout expected;
    expected.fAttributeList.Add();
    expected.fTextBlockList.Add();
    expected.fInsertBlockList.Add();
    const TLayout& l = *r.M->fLayoutList.First();
    EXPECT_EQ(test::Flat(l), test::Flat(expected));

    // The values of the tables, spelt out once.
    EXPECT_TRUE(l.fData.BackgroundWhite);
    EXPECT_TRUE(l.fData.ShowColors);
    EXPECT_FALSE(l.fData.ShowLineWeights);
    EXPECT_EQ(l.fData.PlotMode, psmProduction);
    EXPECT_EQ(l.fInsertBlockList.fItemIndex, -1);
    const TInsertBlockData& b = l.fInsertBlockList.First()->fData;
    EXPECT_EQ(b.BlockType, ibNone);
    EXPECT_EQ(b.Align, alNone);
    EXPECT_TRUE(b.Visible);
    EXPECT_EQ(b.Scale, 1.0);
    EXPECT_EQ(b.FaceScale, 1.0);
    const TTextBlockData& t = l.fTextBlockList.First()->fData;
    EXPECT_EQ(t.TextHeight, 3.5);
    EXPECT_EQ(t.TextWidthFactor, 0.0);
    EXPECT_TRUE(l.fTextBlockList.First()->fTextList.empty());
    const TAttributeData& a = l.fAttributeList.First()->fData;
    EXPECT_EQ(a.Entity, nullptr);
    EXPECT_EQ(a.Tag, "");
}

TEST(LayoutRecords, OutOfRangeCodesLaterValuesAndUnknownTags)
{
    const auto r = test::LoadDesign("layout-odd.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(43000);
        f.WriteInteger(43090, 7);
        f.WriteString(43092, "first");
        f.WriteString(43093, "unknown field");
        f.WriteString(43092, "second");
        f.WriteVar(46000);
        f.WriteInteger(46010, 19);
        f.WriteInteger(46030, -1);
        f.WriteDouble(46105, 2.0); // unknown: Scale keeps its default
        f.WriteVar(46999);
        f.WriteVar(45000);
        f.WriteString(45010, "Notes");
        f.WriteString(45040, "one");
        f.WriteString(45040, "two");
        f.WriteVar(45999);
        f.WriteVar(43999);
    });
    EXPECT_TRUE(r.Messages.empty());
    ASSERT_EQ(r.M->fLayoutList.Count(), 1);
    const TLayout& l = *r.M->fLayoutList.First();
    EXPECT_EQ(int(l.fData.PlotMode), 7);
    EXPECT_EQ(l.fData.Name, "second");
    ASSERT_EQ(l.fInsertBlockList.Count(), 1);
    const TInsertBlockData& b = l.fInsertBlockList.First()->fData;
    EXPECT_EQ(int(b.BlockType), 19);
    EXPECT_EQ(int(b.Align), -1);
    EXPECT_EQ(b.Scale, 1.0);
    const test::TFlat flat = test::Flat(l);
    EXPECT_EQ(flat.at(".fData.PlotMode"), "7");
    EXPECT_EQ(flat.at(".fInsertBlockList.fInsertBlockList[0].fData.BlockType"), "19");
    ASSERT_EQ(l.fTextBlockList.Count(), 1);
    EXPECT_EQ(l.fTextBlockList.First()->fTextList, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(l.fTextBlockList.First()->fData.TextWidthFactor, 0.0);
}

TEST(LayoutRecords, CutOffInsideAnInsertBlockKeepsWhatWasRead)
{
    const auto r = test::LoadDesign("layout-cut.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(43000);
        f.WriteString(43092, "Sheet");
        f.WriteVar(44000);
        f.WriteString(44010, "DRAWING_NO");
        f.WriteVar(44999);
        f.WriteVar(46000);
        f.WriteString(46020, "head.dwg");
        f.WriteDouble(46080, 45.0);
    }, {.WithEnd = false});
    ASSERT_EQ(r.Messages.size(), 1u);
    EXPECT_EQ(r.Messages[0].Text, kTruncatedFileWarning);
    ASSERT_EQ(r.M->fLayoutList.Count(), 1);
    const TLayout& l = *r.M->fLayoutList.First();
    EXPECT_EQ(l.fData.Name, "Sheet");
    ASSERT_EQ(l.fAttributeList.Count(), 1);
    EXPECT_EQ(l.fAttributeList.First()->fData.Tag, "DRAWING_NO");
    ASSERT_EQ(l.fInsertBlockList.Count(), 1);
    EXPECT_EQ(l.fInsertBlockList.First()->fData.FileName, "head.dwg");
    EXPECT_EQ(l.fInsertBlockList.First()->fData.Rotation, 45.0);
}

TEST(LayoutRecords, AssignCopiesDeeplyAndClearRestoresDefaults)
{
    TLayoutList source;
    samples::FillSampleLayoutList(source);
    source.fItemIndex = 1;
    source.First()->fInsertBlockList.First()->fAdditionalPictures.Add()->fData.FileName = "logo.png";
    TLayoutList copy;
    copy.Assign(source);
    EXPECT_EQ(test::Flat(copy), test::Flat(source));
    copy.First()->fTextBlockList.First()->fTextList.push_back("extra");
    copy.First()->fInsertBlockList.First()->fAdditionalPictures.First()->fData.Scale = 3.0;
    EXPECT_EQ(source.First()->fTextBlockList.First()->fTextList.size(), 2u);
    EXPECT_EQ(source.First()->fInsertBlockList.First()->fAdditionalPictures.First()->fData.Scale, 1.0);

    copy.First()->Clear();
    EXPECT_EQ(test::Flat(*copy.First()), test::Flat(TLayout{}));
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(copy.fItemIndex, -1);
}
