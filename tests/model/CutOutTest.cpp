// Cut-outs: the cut-out record of a file, its defaults, damaged records, and
// the cut-out list with its face lines.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/CutOut.Helpers.h"
#include "model/CutOutLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteCutOuts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

TCutOut Sample()
{
    TCutOut c;
    FillSampleCutOut(c);
    return c;
}

} // namespace

// ---------------------------------------------------------- the record

TEST(CutOutRecord, RoundTripOfEveryFieldInManifoldAndViewerFiles)
{
    const TCutOut sample = Sample();
    // Every field differs from its default, so a field that is not read, or
    // read from another field's tag, shows.
    const TCutOut defaults;
    const test::TFlat flatDefaults = test::Flat(defaults);
    for (const auto& [key, value] : test::Flat(sample)) EXPECT_NE(value, flatDefaults.at(key)) << key;

    TCutOut second;
    second.fData.FaceNumber = 3;
    second.fData.Corner = 2;
    second.fData.Width = 4.0;
    for (bool viewer : {false, true}) {
        SCOPED_TRACE(viewer ? "viewer file" : "manifold file");
        const auto r = test::LoadDesign(viewer ? "cutout-all.mvf" : "cutout-all.mnf", [&](TQuorvaneFile& f) {
            WriteCutOut(f, sample);
            WriteCutOut(f, second);
            test::WriteSimpleHole(f, 1); // the reader stops exactly at its end tag
        }, {.Viewer = viewer});
        EXPECT_TRUE(r.Texts.empty());
        ASSERT_EQ(r.M->CutOutList().Count(), 2);
        EXPECT_EQ(test::Flat(*r.M->CutOutList().First()), test::Flat(sample));
        EXPECT_EQ(test::Flat(*r.M->CutOutList().Last()), test::Flat(second));
        EXPECT_EQ(r.M->HoleList().Count(), 1);
    }
}

TEST(CutOutRecord, EmptyRecordHasEveryDefault)
{
    const auto r = test::LoadDesign("cutout-empty.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(32000);
        f.WriteVar(32999);
    });
    ASSERT_EQ(r.M->CutOutList().Count(), 1);
    const TCutOutData& d = r.M->CutOutList().First()->fData;
    EXPECT_EQ(d.FaceNumber, 1);
    EXPECT_EQ(d.Corner, 1);
    EXPECT_EQ(d.X, 0.0);
    EXPECT_EQ(d.Y, 0.0);
    EXPECT_EQ(d.Width, 0.0);
    EXPECT_EQ(d.Height, 0.0);
    EXPECT_TRUE(d.Through);
    EXPECT_EQ(d.Depth, 0.0);
    EXPECT_FALSE(d.SimpleChamfer);
    EXPECT_FALSE(r.M->CutOutList().First()->GetHasSimpleChamfer());
}

TEST(CutOutRecord, OnlyTheFaceGivesAThroughCutOutOfNoSize)
{
    // Corner 1 of face 4 of a 100 x 80 x 60 block, through: the end point
    // lies across the block along the normal, and the outline collapses.
    const auto r = test::LoadDesign("cutout-face-only.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(2000);
        f.WriteDouble(2010, 100.0);
        f.WriteDouble(2020, 80.0);
        f.WriteDouble(2030, 60.0);
        f.WriteVar(2999);
        f.WriteVar(32000);
        f.WriteInteger(32010, 4);
        f.WriteVar(32999);
    });
    ASSERT_EQ(r.M->CutOutList().Count(), 1);
    const TCutOut& c = *r.M->CutOutList().First();
    const TXYZPoint max = r.M->Max();
    EXPECT_EQ(c.fData.Corner, 1);
    EXPECT_TRUE(c.fData.Through);
    EXPECT_EQ(TCutOutHelper::GetStartPoint(c, max), TXYZPoint::Make(100, 0, 0));
    EXPECT_EQ(TCutOutHelper::GetEndPoint(c, max), TXYZPoint::Make(0, 0, 0));
    EXPECT_EQ(TCutOutHelper::GetDirection(c, max), TXYZPoint::Make(-100, 0, 0));
    const std::vector<TXYZPoint> points = TCutOutHelper::CreateShapePoints(c, max);
    ASSERT_EQ(points.size(), 4u);
    for (const TXYZPoint& p : points) EXPECT_EQ(p, TXYZPoint::Make(100, 0, 0));
}

TEST(CutOutRecord, UnknownTagsRepeatsAndOutOfRangeValues)
{
    const auto r = test::LoadDesign("cutout-odd.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(32000);
        f.WriteInteger(32010, 2);
        f.WriteInteger(32010, 9);       // repeated: the last value counts, out of range kept
        f.WriteInteger(32020, 7);       // no such corner: kept as read
        f.WriteString(32090, "newer");  // unknown tags are passed over by their length
        f.WriteDouble(32084, 1.5);
        f.WriteVar(33000);              // an unknown nested record is skipped field by field:
        f.WriteDouble(33010, 99.0);     // its end tag does not end the cut-out
        f.WriteVar(33999);
        f.WriteDouble(32050, 25.0);
        f.WriteBoolean(32082, true);
        f.WriteVar(32999);
    });
    ASSERT_EQ(r.M->CutOutList().Count(), 1);
    const TCutOut& c = *r.M->CutOutList().First();
    EXPECT_EQ(c.fData.FaceNumber, 9);
    EXPECT_EQ(c.fData.Corner, 7);
    EXPECT_EQ(c.fData.Width, 25.0);
    EXPECT_TRUE(c.fData.SimpleChamfer);
    EXPECT_TRUE(c.GetHasSimpleChamfer()); // any corner but the free position
    const TXYZPoint max = TXYZPoint::Make(100, 80, 60);
    EXPECT_EQ(TCutOutHelper::GetStartPoint(c, max), TXYZPoint{});
    EXPECT_EQ(TCutOutHelper::GetEndPoint(c, max), TXYZPoint{});
}

TEST(CutOutRecord, CutOffAtEveryByteKeepsWhatWasRead)
{
    // The sample record is cut at every byte from its start tag on. The
    // cut-out is in the list in every case; a field whose payload was read
    // whole has the sample value, every other field its default. A payload
    // cut short must not leave a zero (or False for Through) behind.
    const TCutOut sample = Sample();
    const std::string full = test::ReadBytes(test::WriteDesign(
        "cutout-full.mnf", [&](TQuorvaneFile& f) { WriteCutOut(f, sample); }, {.WithEnd = false}));

    // Fields in the order the design program writes them, with payload sizes.
    struct Field { const char* key; size_t payload; };
    const Field fields[] = {{".fData.FaceNumber", 4}, {".fData.Corner", 4}, {".fData.X", 8},
                            {".fData.Y", 8},          {".fData.Width", 8},  {".fData.Height", 8},
                            {".fData.Through", 1},    {".fData.Depth", 8},  {".fData.SimpleChamfer", 1}};
    const size_t recordStart = TQuorvaneFile::HeaderSize + 6; // after the header and tag 1000
    size_t fieldsEnd = recordStart + 6;
    for (const Field& fld : fields) fieldsEnd += 6 + fld.payload;
    ASSERT_EQ(full.size(), fieldsEnd + 6); // the end tag follows the fields

    const test::TFlat flatSample = test::Flat(sample);
    const test::TFlat flatDefaults = test::Flat(TCutOut{});
    const std::string path = test::TempPath("cutout-cut.mnf");
    for (size_t cut = recordStart + 6; cut < full.size(); ++cut) {
        SCOPED_TRACE(testing::Message() << "cut after " << cut << " bytes");
        test::WriteBytes(path, full.substr(0, cut));
        const auto r = test::LoadDesignFile(path);
        EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
        ASSERT_EQ(r.M->CutOutList().Count(), 1);

        test::TFlat expected = flatDefaults;
        size_t end = recordStart + 6;
        for (const Field& fld : fields) {
            end += 6 + fld.payload;
            if (end <= cut) expected[fld.key] = flatSample.at(fld.key);
        }
        EXPECT_EQ(test::Flat(*r.M->CutOutList().First()), expected);
    }
}

TEST(CutOutRecord, ReaderMakesANewCutOutFromTheStream)
{
    // The reader on its own, as the loader uses it: it starts after the
    // start tag and consumes the end tag, leaving the stream at the next
    // record.
    const std::string path = test::TempPath("cutout-reader.bin");
    {
        TQuorvaneFile f(path, TQuorvaneFile::ModeWrite, false);
        f.WriteInteger(32020, -1);
        f.WriteDouble(32030, 3.5);
        f.WriteVar(32999);
        f.WriteInteger(4242, 17);
        f.Flush();
    }
    auto HF = TQuorvaneFile::FromMemory(test::ReadBytes(path), false);
    std::unique_ptr<TCutOut> c = TCutOutReader::Load(*HF);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->fData.Corner, -1);
    EXPECT_EQ(c->fData.X, 3.5);
    EXPECT_EQ(c->fData.FaceNumber, 1);
    TVarInfo next;
    HF->ReadVarInfo(next);
    EXPECT_EQ(next.VarName, 4242);
    EXPECT_EQ(HF->ReadInteger(), 17);
}

// ------------------------------------------------------------ the list

TEST(CutOutList, FaceLinesExistForFacesOneToSixOnly)
{
    TCutOutList list;
    for (int face : {0, 7, -1, 100}) EXPECT_EQ(list.GetFaceLines(face), nullptr) << face;
    // Six separate lists.
    for (int face = 1; face <= 6; ++face) {
        TSimpleXYZLineList* lines = list.GetFaceLines(face);
        ASSERT_NE(lines, nullptr);
        EXPECT_TRUE(lines->empty());
        lines->push_back({TXYZPoint::Make(face), TXYZPoint::Make(-face)});
    }
    const TCutOutList& constList = list;
    for (int face = 1; face <= 6; ++face) {
        const TSimpleXYZLineList* lines = constList.GetFaceLines(face);
        ASSERT_EQ(lines->size(), 1u);
        EXPECT_EQ(lines->front().P1, TXYZPoint::Make(face));
    }
    EXPECT_EQ(constList.GetFaceLines(7), nullptr);
}

TEST(CutOutList, AssignCloneAndClearCopyAndFreeEverything)
{
    TCutOutList source;
    FillSampleCutOut(*source.Add());
    source.Add()->fData.Corner = 3;
    source.GetFaceLines(2)->push_back({TXYZPoint::Make(1), TXYZPoint::Make(2)});

    TCutOutList copy;
    copy.Add();
    copy.GetFaceLines(5)->push_back({});
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(test::Flat(*copy.Items(0)), test::Flat(*source.Items(0)));
    EXPECT_EQ(copy.Items(1)->fData.Corner, 3);
    EXPECT_NE(copy.Items(0), source.Items(0));
    EXPECT_EQ(*copy.GetFaceLines(2), *source.GetFaceLines(2));
    EXPECT_TRUE(copy.GetFaceLines(5)->empty());

    // Deep: changing the copy leaves the source alone.
    copy.Items(0)->fData.Width = 1.0;
    EXPECT_EQ(source.Items(0)->fData.Width, Sample().fData.Width);

    const std::unique_ptr<TCutOut> clone = source.Items(0)->Clone();
    EXPECT_EQ(test::Flat(*clone), test::Flat(*source.Items(0)));

    source.Clear();
    EXPECT_EQ(source.Count(), 0);
    EXPECT_TRUE(source.GetFaceLines(2)->empty());
    EXPECT_EQ(copy.Count(), 2);
}

TEST(CutOutList, LoadingAnotherFileStartsAnEmptyList)
{
    const auto r = test::LoadDesign("cutout-two.mnf", [](TQuorvaneFile& f) {
        WriteCutOut(f, Sample());
        WriteCutOut(f, Sample());
    });
    ASSERT_EQ(r.M->CutOutList().Count(), 2);
    r.M->CutOutList().GetFaceLines(1)->push_back({});
    EXPECT_TRUE(r.M->LoadFromFile(test::WriteDesign("cutout-none.mnf", {})));
    EXPECT_EQ(r.M->CutOutList().Count(), 0);
    EXPECT_TRUE(r.M->CutOutList().GetFaceLines(1)->empty());
}
