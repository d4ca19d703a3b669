// Documentation records of a design: the project with its comment lines and
// variables, the to-do list of holes waiting to be placed, revisions, the
// layout of the revision table, and the working sessions.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/Projects.h"
#include "model/RevisionLists.h"
#include "model/SessionLists.h"
#include "model/UserVarLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteDocumentation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace qv;
using test::SameValues;

// ------------------------------------------------------------- round trip

TEST(DocumentationRecords, SampleContentsDifferFromTheDefaultsInEveryField)
{
    TManifold filled;
    samples::FillSampleDocumentation(filled);
    const TProject project;
    const TRevision revision;
    const TRevisionColumn column;
    const TRevisionLayout layout;
    const TSession session;
    EXPECT_EQ(SameValues(test::Flat(filled.FProject.FData), test::Flat(project.FData)), std::vector<std::string>{});
    EXPECT_EQ(SameValues(test::Flat(filled.FRevisionList.First()->fData), test::Flat(revision.fData)),
              std::vector<std::string>{});
    EXPECT_EQ(SameValues(test::Flat(filled.fRevisionLayoutList.First()->fData), test::Flat(layout.fData)),
              std::vector<std::string>{});
    EXPECT_EQ(SameValues(test::Flat(filled.fRevisionLayoutList.First()->GetColumns(0)->fData), test::Flat(column.fData)),
              std::vector<std::string>{});
    EXPECT_EQ(SameValues(test::Flat(filled.fSessionList.First()->fData), test::Flat(session.fData)),
              std::vector<std::string>{});
    EXPECT_FALSE(filled.FProject.FComments.empty());
    EXPECT_GT(filled.FProject.fUserVarList.GetCount(), 0);
    EXPECT_FALSE(filled.fToDo.fComments.empty());
    EXPECT_GT(filled.fToDo.fHoleList.Count(), 0);
}

TEST(DocumentationRecords, RoundTripKeepsEveryField)
{
    TManifold expected;
    samples::FillSampleDocumentation(expected);
    const auto r =
        test::LoadDesign("doc-roundtrip.mnf", [&](TQuorvaneFile& f) { samples::WriteDocumentation(f, expected); });
    EXPECT_TRUE(r.Messages.empty());
    const TManifold& m = *r.M;
    EXPECT_EQ(test::Flat(m.FProject), test::Flat(expected.FProject));
    EXPECT_EQ(test::Flat(m.fToDo), test::Flat(expected.fToDo));
    EXPECT_EQ(test::Flat(m.FRevisionList), test::Flat(expected.FRevisionList));
    EXPECT_EQ(test::Flat(m.fRevisionLayoutList), test::Flat(expected.fRevisionLayoutList));
    EXPECT_EQ(test::Flat(m.fSessionList), test::Flat(expected.fSessionList));
    // The to-do holes are not holes of the block.
    EXPECT_EQ(m.FHoleList.Count(), 0);
}

// ---------------------------------------------------------------- defaults

TEST(DocumentationRecords, EmptyRecordsLoadTheDefaults)
{
    const TDateTime before = NowLocal();
    const auto r = test::LoadDesign("doc-empty.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(3000); f.WriteVar(3999);
        f.WriteVar(3400); f.WriteVar(3200); f.WriteVar(3299); f.WriteVar(3499);
        f.WriteVar(8000); f.WriteVar(8999);
        f.WriteVar(4000); f.WriteVar(4999);
        f.WriteVar(4500); f.WriteVar(4799);
    });
    const TDateTime after = NowLocal();
    TManifold& m = *r.M;
    ASSERT_EQ(m.FRevisionList.Count(), 1);
    ASSERT_EQ(m.fRevisionLayoutList.Count(), 1);
    ASSERT_EQ(m.fSessionList.Count(), 1);

    // A revision without a date is dated today, at midnight.
    TRevisionData& rev = m.FRevisionList.First()->fData;
    EXPECT_EQ(rev.Date, std::floor(rev.Date));
    EXPECT_TRUE(rev.Date == std::floor(before) || rev.Date == std::floor(after)) << rev.Date;
    // The project's dates are the moment it was cleared.
    TProjectData& p = m.FProject.FData;
    for (TDateTime* d : {&p.CreatedOn, &p.ModifiedOn, &p.ProjectFinishedDate}) {
        EXPECT_GE(*d, before);
        EXPECT_LE(*d, after);
    }
    // A session without a date has date 0.
    EXPECT_EQ(m.fSessionList.First()->fData.Date, 0.0);

    // Everything else: the defaults of new objects (the clock values aligned).
    TRevision revision;
    revision.fData.Date = rev.Date;
    TProject project;
    project.FData.CreatedOn = p.CreatedOn;
    project.FData.ModifiedOn = p.ModifiedOn;
    project.FData.ProjectFinishedDate = p.ProjectFinishedDate;
    TRevisionLayout layout;
    layout.fColumnList.Add();
    const TSession session;
    const TToDo todo;
    EXPECT_EQ(test::Flat(*m.FRevisionList.First()), test::Flat(revision));
    EXPECT_EQ(test::Flat(*m.fRevisionLayoutList.First()), test::Flat(layout));
    EXPECT_EQ(test::Flat(*m.fSessionList.First()), test::Flat(session));
    EXPECT_EQ(test::Flat(m.FProject), test::Flat(project));
    EXPECT_EQ(test::Flat(m.fToDo), test::Flat(todo));

    // The values of the tables, spelt out once.
    const TRevisionLayoutData& l = m.fRevisionLayoutList.First()->fData;
    EXPECT_EQ(l.RowHeight, 5.0);
    EXPECT_EQ(l.TextHeight, 2.5);
    EXPECT_EQ(l.Scale, 1.0);
    EXPECT_EQ(l.Offset, (TXYPoint{0.0, 0.0}));
    EXPECT_EQ(l.Align, 3);
    EXPECT_TRUE(l.ShowHeader);
    EXPECT_FALSE(l.Reverse);
    const TRevisionColumnData& c = m.fRevisionLayoutList.First()->GetColumns(0)->fData;
    EXPECT_EQ(c.ColumnType, revcolNumber);
    EXPECT_EQ(c.ColumnWidth, 15.0);
    EXPECT_EQ(c.ColumnTitle, "");
    EXPECT_EQ(m.fSessionList.First()->fData.Seconds, 0);
    EXPECT_FALSE(p.ProjectFinished);
    EXPECT_EQ(p.ProjectTitle, "");
}

// -------------------------------------------------------- reading rules

TEST(DocumentationRecords, LaterFieldsWinLinesAccumulateUnknownTagsAreSkipped)
{
    const auto r = test::LoadDesign("doc-repeat.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(3000);
        f.WriteString(3010, "A");
        f.WriteString(3015, "not a revision field"); // unknown tag with a payload
        f.WriteDouble(3021, 1.0);
        f.WriteString(3010, "B");
        f.WriteVar(3999);
        // A project found twice is read into the same object.
        f.WriteVar(4000);
        f.WriteString(4050, "First title");
        f.WriteString(4200, "comment 1");
        f.WriteString(4250, "A||1");
        f.WriteVar(4999);
        f.WriteVar(4000);
        f.WriteString(4050, "Second title");
        f.WriteString(4200, "comment 2");
        f.WriteString(4250, "A||2");
        f.WriteVar(4999);
        // Out-of-range column type and an align code beyond the usual ones.
        f.WriteVar(3400);
        f.WriteInteger(3432, 42);
        f.WriteVar(3200);
        f.WriteInteger(3210, 42);
        f.WriteVar(3299);
        f.WriteVar(3200);
        f.WriteInteger(3210, -1);
        f.WriteVar(3299);
        f.WriteVar(3499);
    });
    EXPECT_TRUE(r.Messages.empty());
    const TManifold& m = *r.M;
    ASSERT_EQ(m.FRevisionList.Count(), 1);
    EXPECT_EQ(m.FRevisionList.First()->fData.Number, "B");
    EXPECT_EQ(m.FRevisionList.First()->fData.Code, "");
    EXPECT_EQ(m.FProject.FData.ProjectTitle, "Second title");
    EXPECT_EQ(m.FProject.FComments, (std::vector<std::string>{"comment 1", "comment 2"}));
    EXPECT_EQ(m.FProject.fUserVarList.fUserVarList, (std::vector<std::string>{"A||1", "A||2"}));
    EXPECT_EQ(m.FProject.fUserVarList.GetValueOf("a"), "2");
    ASSERT_EQ(m.fRevisionLayoutList.Count(), 1);
    const TRevisionLayout& l = *m.fRevisionLayoutList.First();
    EXPECT_EQ(l.fData.Align, 42);
    ASSERT_EQ(l.GetColumnCount(), 2);
    EXPECT_EQ(int(l.GetColumns(0)->fData.ColumnType), 42);
    EXPECT_EQ(int(l.GetColumns(1)->fData.ColumnType), -1);
    EXPECT_EQ(test::Flat(*l.GetColumns(0)).at(".fData.ColumnType"), "42");
}

TEST(DocumentationRecords, ToDoHolesAreReadWholeAndKeptApartFromTheBlock)
{
    const auto r = test::LoadDesign("doc-todo.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(4500);
        f.WriteString(4700, "before");
        test::WriteSimpleHole(f, 7, [](TQuorvaneFile& g) {
            g.WriteInteger(10272, -105);
            g.WriteVar(20000); // a second step
            g.WriteDouble(20100, 6.0);
            g.WriteDouble(20110, 40.0);
            g.WriteVar(29999);
            // Nested records whose fields carry to-do tags: only the hole's
            // own readers may consume them.
            g.WriteVar(30000);
            g.WriteString(4700, "inside a valve");
            g.WriteVar(39999);
            g.WriteVar(34000);
            g.WriteInteger(4799, 0);
            g.WriteVar(34999);
        });
        f.WriteString(4700, "after");
        test::WriteSimpleHole(f, 8, [](TQuorvaneFile& g) { g.WriteInteger(10272, -105); });
        f.WriteVar(4799);
        test::WriteSimpleHole(f, 1); // a hole of the block
    });
    EXPECT_TRUE(r.Messages.empty());
    const TManifold& m = *r.M;
    const TToDo& todo = m.fToDo;
    EXPECT_EQ(todo.fComments, (std::vector<std::string>{"before", "after"}));
    ASSERT_EQ(todo.fHoleList.Count(), 2);
    const THole& h = *todo.fHoleList.First();
    EXPECT_EQ(h.FData.HoleNumber, 7);
    EXPECT_EQ(h.FData.ToDoTag, -105);
    EXPECT_EQ(h.FStepList.Count(), 2);
    EXPECT_EQ(h.FValveList.Count(), 1);
    EXPECT_EQ(h.fHoleTextList.Count(), 1);
    EXPECT_EQ(todo.fHoleList.Last()->FData.HoleNumber, 8);
    ASSERT_EQ(m.FHoleList.Count(), 1);
    EXPECT_EQ(m.FHoleList.First()->FData.HoleNumber, 1);
}

TEST(DocumentationRecords, RecordsCutOffByTheEndOfTheFileKeepWhatWasRead)
{
    struct Case {
        const char* name;
        std::function<void(TQuorvaneFile&)> body;
        std::function<void(const TManifold&)> check;
    };
    const Case cases[] = {
        {"revision",
         [](TQuorvaneFile& f) { f.WriteVar(3000); f.WriteString(3010, "R7"); f.WriteString(3030, "cut"); },
         [](const TManifold& m) {
             ASSERT_EQ(m.FRevisionList.Count(), 1);
             EXPECT_EQ(m.FRevisionList.First()->fData.Number, "R7");
             EXPECT_EQ(m.FRevisionList.First()->fData.Description, "cut");
         }},
        {"revision layout inside a column",
         [](TQuorvaneFile& f) {
             f.WriteVar(3400); f.WriteDouble(3410, 8.0);
             f.WriteVar(3200); f.WriteDouble(3220, 33.0);
         },
         [](const TManifold& m) {
             ASSERT_EQ(m.fRevisionLayoutList.Count(), 1);
             const TRevisionLayout& l = *m.fRevisionLayoutList.First();
             EXPECT_EQ(l.fData.RowHeight, 8.0);
             ASSERT_EQ(l.GetColumnCount(), 1);
             EXPECT_EQ(l.GetColumns(0)->fData.ColumnWidth, 33.0);
         }},
        {"session",
         [](TQuorvaneFile& f) { f.WriteVar(8000); f.WriteDouble(8010, 45000.0); f.WriteInt64(8020, 3600); },
         [](const TManifold& m) {
             ASSERT_EQ(m.fSessionList.Count(), 1);
             EXPECT_EQ(m.fSessionList.First()->fData.Date, 45000.0);
             EXPECT_EQ(m.fSessionList.First()->fData.Seconds, 3600);
         }},
        {"project",
         [](TQuorvaneFile& f) { f.WriteVar(4000); f.WriteString(4050, "Title"); f.WriteString(4250, "V||1"); },
         [](const TManifold& m) {
             EXPECT_EQ(m.FProject.FData.ProjectTitle, "Title");
             EXPECT_EQ(m.FProject.fUserVarList.GetValueOf("v"), "1");
         }},
        {"to-do inside a hole",
         [](TQuorvaneFile& f) {
             f.WriteVar(4500); f.WriteString(4700, "note");
             f.WriteVar(10000); f.WriteInteger(10010, 9);
         },
         [](const TManifold& m) {
             EXPECT_EQ(m.fToDo.fComments, std::vector<std::string>{"note"});
             ASSERT_EQ(m.fToDo.fHoleList.Count(), 1);
             EXPECT_EQ(m.fToDo.fHoleList.First()->FData.HoleNumber, 9);
             EXPECT_EQ(m.FHoleList.Count(), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = test::LoadDesign(std::string("doc-cut-") + std::to_string(&c - cases) + ".mnf", c.body, {.WithEnd = false});
        c.check(*r.M);
        ASSERT_EQ(r.Messages.size(), 1u);
        EXPECT_EQ(r.Messages[0].Text, kTruncatedFileWarning);
    }
}

// -------------------------------------------------------- project variables

TEST(UserVarList, NamesValuesAndLookup)
{
    TUserVarList vars;
    vars.fUserVarList = {"Pressure||350 bar", "Url||http://a||b", "no separator", "PRESSURE||420 bar", "||empty name"};
    struct Row { const char* query; int index; const char* value; };
    const Row rows[] = {
        {"pressure", 3, "420 bar"},   // the last of two names differing in case
        {"Pressure", 3, "420 bar"},
        {"url", 1, "http://a||b"},    // a second separator belongs to the value
        {"no separator", -1, ""},     // a line without separator has no name
        {"", 4, "empty name"},        // the last line with an empty name
        {"Pressur", -1, ""},
        {"missing", -1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.query);
        EXPECT_EQ(vars.IndexOf(row.query), row.index);
        EXPECT_EQ(vars.GetValueOf(row.query), row.value);
    }
    EXPECT_EQ(TUserVarList::NameOf("no separator"), "");
    EXPECT_EQ(TUserVarList::ValueOf("no separator"), "");
    EXPECT_EQ(TUserVarList::NameOf("a||b||c"), "a");
}

TEST(UserVarList, AddAppendsOnlyNewNames)
{
    TUserVarList vars;
    EXPECT_TRUE(vars.Add("Material", "steel"));
    EXPECT_FALSE(vars.Add("MATERIAL", "brass")); // the name exists, in other case
    EXPECT_TRUE(vars.Add("Finish", ""));
    EXPECT_EQ(vars.fUserVarList, (std::vector<std::string>{"Material||steel", "Finish||"}));
    EXPECT_EQ(vars.GetCount(), 2);
    EXPECT_EQ(vars.GetValueOf("material"), "steel");
    EXPECT_EQ(vars.IndexOf("finish"), 1);
}

// ---------------------------------------------------------------- to-do tags

TEST(ToDo, NextToDoTagIsAboveEveryMagnitudeAndAtLeast100)
{
    struct Row { std::vector<int> tags; int next; };
    const Row rows[] = {
        {{}, 100},
        {{0, 5, -20}, 100},
        {{101, 101}, 102},
        {{101, -150, 120}, 151},
        {{-2147483647}, 2147483647}, // the largest magnitude an integer holds
    };
    for (const Row& row : rows) {
        TToDo todo;
        for (int t : row.tags) todo.fHoleList.Add()->FData.ToDoTag = t;
        EXPECT_EQ(todo.NextToDoTag(), row.next);
    }
}

// ------------------------------------------------------------------ copies

TEST(DocumentationRecords, AssignCopiesDeeplyAndClearRestoresDefaults)
{
    TManifold source;
    samples::FillSampleDocumentation(source);
    TProject project;
    project.Assign(source.FProject);
    TToDo todo;
    todo.Assign(source.fToDo);
    TRevisionLayoutList layouts;
    layouts.Assign(source.fRevisionLayoutList);
    EXPECT_EQ(test::Flat(project), test::Flat(source.FProject));
    EXPECT_EQ(test::Flat(todo), test::Flat(source.fToDo));
    EXPECT_EQ(test::Flat(layouts), test::Flat(source.fRevisionLayoutList));
    // Copies own their items.
    todo.fHoleList.First()->FStepList.First()->FData.Diameter = 99.0;
    layouts.First()->GetColumns(0)->fData.ColumnTitle = "changed";
    EXPECT_NE(source.fToDo.fHoleList.First()->FStepList.First()->FData.Diameter, 99.0);
    EXPECT_NE(source.fRevisionLayoutList.First()->GetColumns(0)->fData.ColumnTitle, "changed");

    source.FProject.Clear();
    source.fToDo.Clear();
    source.fRevisionLayoutList.First()->Clear();
    EXPECT_TRUE(source.FProject.FComments.empty());
    EXPECT_EQ(source.FProject.fUserVarList.GetCount(), 0);
    EXPECT_EQ(source.FProject.FData.ProjectTitle, "");
    EXPECT_EQ(source.fToDo.fHoleList.Count(), 0);
    EXPECT_TRUE(source.fToDo.fComments.empty());
    EXPECT_EQ(source.fRevisionLayoutList.First()->GetColumnCount(), 0);
    EXPECT_EQ(source.fRevisionLayoutList.First()->fData.RowHeight, 5.0);
}
