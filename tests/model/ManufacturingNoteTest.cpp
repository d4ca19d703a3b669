// The manufacturing note of a hole: its record, several records adding to
// one note, and the queries on it.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/ManufacturingNotes.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteGroups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

using TLines = std::vector<std::string>;

struct LoadedNote : test::TLoadedDesign {
    const THole& Hole() const { return *M->HoleList().First(); }
};

LoadedNote LoadHole(const std::string& name, const std::function<void(TQuorvaneFile&)>& inHole)
{
    LoadedNote r{test::LoadDesign(name, [&](TQuorvaneFile& f) { test::WriteSimpleHole(f, 1, inHole); })};
    EXPECT_EQ(r.M->HoleList().Count(), 1);
    return r;
}

} // namespace

TEST(ManufacturingNoteRecord, EveryFieldRoundTrips)
{
    TManufacturingNote sample;
    samples::FillSampleManufacturingNote(sample);
    sample.fNotes.push_back("Hönen"); // text passes through the file's code page
    const LoadedNote r = LoadHole("note-all.mnf", [&](TQuorvaneFile& g) { samples::WriteManufacturingNote(g, sample); });
    EXPECT_TRUE(r.Texts.empty());
    EXPECT_EQ(test::Flat(r.Hole().fManufacturingNote), test::Flat(sample));
    EXPECT_TRUE(r.Hole().GetHasManufacturingNotes());
    EXPECT_TRUE(r.Hole().fManufacturingNote.GetHasAlternativeNote());
}

TEST(ManufacturingNoteRecord, EmptyRecordAndNoRecordHaveNoNotes)
{
    const LoadedNote empty = LoadHole("note-empty.mnf", [](TQuorvaneFile& g) {
        g.WriteVar(32300);
        g.WriteVar(32399);
    });
    const LoadedNote none = LoadHole("note-none.mnf", {});
    for (const LoadedNote* r : {&empty, &none}) {
        EXPECT_EQ(test::Flat(r->Hole().fManufacturingNote), test::Flat(TManufacturingNote{}));
        EXPECT_FALSE(r->Hole().GetHasManufacturingNotes());
        EXPECT_FALSE(r->Hole().fManufacturingNote.GetHasAlternativeNote());
    }
}

TEST(ManufacturingNoteRecord, SecondRecordAddsToTheSameNote)
{
    const LoadedNote r = LoadHole("note-two.mnf", [](TQuorvaneFile& g) {
        g.WriteVar(32300);
        g.WriteString(32320, "one");
        g.WriteBoolean(32310, true);
        g.WriteString(32330, "alt");
        g.WriteVar(32399);
        g.WriteString(10322, "feature"); // a hole field between the two records
        g.WriteVar(32300);
        g.WriteString(32320, "two");
        g.WriteString(32320, "three");
        g.WriteBoolean(32310, false); // a flag read again keeps the last value
        g.WriteBoolean(32334, true);
        g.WriteVar(32399);
    });
    const TManufacturingNote& n = r.Hole().fManufacturingNote;
    EXPECT_EQ(n.fNotes, (TLines{"one", "two", "three"}));
    EXPECT_EQ(n.fAlternativeNotes, TLines{"alt"});
    EXPECT_FALSE(n.fData.DisableStandardNote);
    EXPECT_TRUE(n.fData.HideLSInDrawing);
    EXPECT_EQ(r.Hole().FData.FeatureName, "feature");
}

TEST(ManufacturingNoteRecord, NoteCutOffByTheEndOfTheFileKeepsWhatWasRead)
{
    const auto r = test::LoadDesign(
        "note-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(10000);
            f.WriteInteger(10010, 3);
            f.WriteVar(32300);
            f.WriteBoolean(32312, true);
            f.WriteString(32320, "deburr");
        },
        {.WithEnd = false});
    const TManifold& m = *r.M;
    ASSERT_EQ(m.HoleList().Count(), 1);
    const TManufacturingNote& n = m.HoleList().First()->fManufacturingNote;
    EXPECT_EQ(n.fNotes, TLines{"deburr"});
    EXPECT_TRUE(n.fData.HideInProductionDrawing);
    EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
}

TEST(ManufacturingNote, AssignAndClear)
{
    TManufacturingNote a;
    samples::FillSampleManufacturingNote(a);
    TManufacturingNote b;
    b.AddNotes("stale");
    b.Assign(a);
    EXPECT_EQ(test::Flat(b), test::Flat(a));
    b.Assign(b);
    EXPECT_EQ(test::Flat(b), test::Flat(a));

    // A copied hole carries its own note.
    THole h;
    h.fManufacturingNote.Assign(a);
    const auto copy = h.Clone();
    h.fManufacturingNote.Clear();
    EXPECT_EQ(test::Flat(h.fManufacturingNote), test::Flat(TManufacturingNote{}));
    EXPECT_FALSE(h.GetHasManufacturingNotes());
    EXPECT_TRUE(copy->GetHasManufacturingNotes());
    EXPECT_EQ(test::Flat(copy->fManufacturingNote), test::Flat(a));
}
