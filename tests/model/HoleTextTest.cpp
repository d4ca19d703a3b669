// Hole texts: the hole-text record inside a hole and at document level, the
// lines of a multi-line caption, the default style, and the labels the view
// draws for a text.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/HoleTextLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteGroups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

THoleText Text(const std::string& caption)
{
    THoleText t;
    t.fdata.Caption = caption;
    return t;
}

using TLines = std::vector<std::string>;

} // namespace

// ------------------------------------------------------ hole-text record

TEST(HoleTextRecord, EveryFieldRoundTripsInHolesAndInTheDocument)
{
    THoleText sample;
    samples::FillSampleHoleText(sample);
    sample.fdata.Caption = "Ölpumpe|P1"; // text passes through the file's code page
    THoleText other;
    other.fdata.Caption = "T";
    other.fdata.OffSet = {-1.0, 2.0};
    other.fdata.InsertionPoint = 3;

    const auto r = test::LoadDesign("texts-all.mnf", [&](TQuorvaneFile& f) {
        samples::WriteHoleText(f, other); // the document's default text
        test::WriteSimpleHole(f, 1, [&](TQuorvaneFile& g) {
            samples::WriteHoleText(g, sample);
            samples::WriteHoleText(g, other);
        });
    });
    EXPECT_TRUE(r.Texts.empty());
    ASSERT_EQ(r.M->HoleTextList().Count(), 1);
    EXPECT_EQ(test::Flat(*r.M->HoleTextList().First()), test::Flat(other));
    ASSERT_EQ(r.M->HoleList().Count(), 1);
    const THoleTextList& texts = r.M->HoleList().First()->fHoleTextList;
    ASSERT_EQ(texts.Count(), 2);
    EXPECT_EQ(test::Flat(*texts.GetHoleTexts(0)), test::Flat(sample));
    EXPECT_EQ(test::Flat(*texts.GetHoleTexts(1)), test::Flat(other));
}

TEST(HoleTextRecord, AbsentFieldsMeanTheDefaultsTheDesignProgramLeavesOut)
{
    const auto r = test::LoadDesign("texts-min.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(34000);
        f.WriteVar(34999);
        f.WriteVar(34000);
        f.WriteString(34050, "P");
        f.WriteVar(34999);
    });
    const THoleTextList& l = r.M->HoleTextList();
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(test::Flat(*l.GetHoleTexts(0)), test::Flat(THoleText{}));
    EXPECT_EQ(test::Flat(*l.GetHoleTexts(1)), test::Flat(Text("P")));
    const THoleTextData& d = l.GetHoleTexts(1)->fdata;
    EXPECT_TRUE(d.UseDefaultStyle);
    EXPECT_TRUE(d.UseTextFromRemark);
    EXPECT_TRUE(d.UseBorder);
}

TEST(HoleTextRecord, TextCutOffByTheEndOfTheFileKeepsWhatWasRead)
{
    const auto r = test::LoadDesign(
        "texts-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(34000);
            f.WriteString(34050, "A|B");
            f.WriteBoolean(34090, false);
            f.WriteDouble(34060, 2.5);
        },
        {.WithEnd = false});
    ASSERT_EQ(r.M->HoleTextList().Count(), 1);
    THoleText expected = Text("A|B");
    expected.fdata.UseBorder = false;
    expected.fdata.TextHeight = 2.5;
    EXPECT_EQ(test::Flat(*r.M->HoleTextList().First()), test::Flat(expected));
    EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
}

// ------------------------------------------------------------- caption

TEST(HoleText, CaptionLines)
{
    struct Row {
        const char* caption;
        bool multi;
        TLines lines;
    };
    const Row rows[] = {
        {"P1", false, {"P1"}},
        {"", false, {""}},
        {"A|B|C", true, {"A", "B", "C"}},
        {"A||C", true, {"A", "", "C"}},
        {"|", true, {"", ""}},
        {"Öl|", true, {"Öl", ""}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        const THoleText t = Text(r.caption);
        EXPECT_EQ(t.GetIsMultiLine(), r.multi);
        EXPECT_EQ(t.CreateCaptionList(), r.lines);

        // The lines joined again give the caption back.
        THoleText back;
        back.AssignMultiLines(r.lines);
        EXPECT_EQ(back.fdata.Caption, r.caption);

        // Get replaces what a list held, Populate adds to it.
        TLines l{"old"};
        t.GetCaptionList(l);
        EXPECT_EQ(l, r.lines);
        t.PopulateCaptionList(l);
        EXPECT_EQ(l.size(), 2 * r.lines.size());
    }
}

// -------------------------------------------------------- default style

TEST(HoleText, CopyFromDefault)
{
    THoleText def;
    def.fdata.Caption = "default";
    def.fdata.UseBorder = false;
    def.fdata.TextHeight = 5.0;
    def.fdata.FixedWidth = 30.0;
    def.fdata.InsertionPoint = 8;
    def.fdata.Rotation = 45.0;

    THoleText src;
    samples::FillSampleHoleText(src); // border off, height 3.5, width 18, anchor 7
    src.fdata.UseBorder = true;

    struct Row {
        const char* name;
        bool useDefaultStyle;
        const THoleText* deflt;
        bool border;
        double height, width;
        int anchor;
    };
    const Row rows[] = {
        {"default style", true, &def, false, 5.0, 30.0, 8},
        {"own style still takes the anchor", false, &def, true, 3.5, 18.0, 8},
        {"no default", true, nullptr, true, 3.5, 18.0, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        src.fdata.UseDefaultStyle = r.useDefaultStyle;
        THoleText t = Text("stale");
        t.CopyFromDefault(src, r.deflt);
        THoleText expected;
        expected.Assign(src);
        expected.fdata.UseBorder = r.border;
        expected.fdata.TextHeight = r.height;
        expected.fdata.FixedWidth = r.width;
        expected.fdata.InsertionPoint = r.anchor;
        EXPECT_EQ(test::Flat(t), test::Flat(expected));
    }

    // The default may be the text itself: its own style is read before the
    // source overwrites it.
    src.fdata.UseDefaultStyle = true;
    THoleText self;
    self.Assign(def);
    self.CopyFromDefault(src, &self);
    EXPECT_EQ(self.fdata.Caption, src.fdata.Caption);
    EXPECT_EQ(self.fdata.TextHeight, 5.0);
    EXPECT_EQ(self.fdata.InsertionPoint, 8);
}

// ---------------------------------------------------- the labels shown

TEST(HoleText, ShownTexts)
{
    THoleText def;
    def.fdata.TextHeight = 4.0;
    def.fdata.InsertionPoint = 2;

    struct Row {
        const char* name;
        const char* caption;
        bool fromRemark;
        const char* remark;
        const THoleText* deflt;
        TLines lines;
        double height;
    };
    const Row rows[] = {
        {"remark name", "Cap", true, "P", &def, {"P"}, 4.0},
        {"empty remark name falls back", "A|B", true, "", &def, {"A", "B"}, 4.0},
        {"caption wanted", "A|B|C", false, "P", &def, {"A", "B", "C"}, 4.0},
        {"multi-line remark name", "Cap", true, "P|T", nullptr, {"P", "T"}, 1.5},
        {"no default", "Cap", false, "", nullptr, {"Cap"}, 1.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        THoleText t = Text(r.caption);
        t.fdata.UseTextFromRemark = r.fromRemark;
        t.fdata.TextHeight = 1.5;
        t.fdata.OffSet = {3.0, 4.0};
        const std::vector<THoleText> shown = t.ShownTexts(r.remark, r.deflt);
        ASSERT_EQ(shown.size(), r.lines.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].fdata.Caption, r.lines[i]);
            EXPECT_EQ(shown[i].fdata.TextHeight, r.height);
            EXPECT_EQ(shown[i].fdata.InsertionPoint, r.deflt ? 2 : 0);
            EXPECT_EQ(shown[i].fdata.OffSet, t.fdata.OffSet);
        }
    }
}
