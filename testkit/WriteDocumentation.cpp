#include "testkit/WriteDocumentation.h"

#include "testkit/WritePlotSettings.h"

#include <string>

namespace qv::samples {

namespace {

// A hole of the to-do list with the fields the sample sets.
void WriteToDoHole(TQuorvaneFile& HF, const THole& h)
{
    const THoleData& d = h.FData;
    HF.WriteVar(10000);
    HF.WriteString(7010, d.Properties.Title, true);
    HF.WriteInteger(10010, d.HoleNumber);
    HF.WriteInteger(10200, d.FaceNumber);
    HF.WriteDouble(10211, d.XXY);
    HF.WriteDouble(10212, d.YZZ);
    HF.WriteInteger(10272, d.ToDoTag);
    for (const auto& s : h.FStepList) {
        HF.WriteVar(20000);
        HF.WriteInteger(20010, s->FData.StepNumber);
        HF.WriteDouble(20100, s->FData.Diameter);
        HF.WriteDouble(20110, s->FData.Depth);
        HF.WriteVar(29999);
    }
    HF.WriteVar(19999);
}

THole& AddToDoHole(TToDo& x, int number, int toDoTag, double diameter, double depth)
{
    THole& h = *x.fHoleList.Add();
    h.FData.HoleNumber = number;
    h.FData.FaceNumber = 1 + number % 6;
    h.FData.XXY = 10.0 * number + 0.5;
    h.FData.YZZ = 7.0 * number + 0.25;
    h.FData.ToDoTag = toDoTag;
    h.FData.Properties.Title = "To-do hole " + std::to_string(number);
    TStep& s = *h.FStepList.Add();
    s.FData.StepNumber = 1;
    s.FData.Diameter = diameter;
    s.FData.Depth = depth;
    return h;
}

} // namespace

// ------------------------------------------------------------------ writers

void WriteProject(TQuorvaneFile& HF, const TProject& x)
{
    const TProjectData& d = x.FData;
    HF.WriteVar(4000);
    HF.WriteString(4010, d.DrawnBy, true);
    HF.WriteString(4020, d.CheckedBy, true);
    HF.WriteDouble(4030, d.CreatedOn);
    HF.WriteDouble(4040, d.ModifiedOn);
    HF.WriteString(4050, d.ProjectTitle, true);
    HF.WriteString(4060, d.ProjectNumber, true);
    HF.WriteString(4070, d.ProjectClient, true);
    HF.WriteString(4080, d.ProjectDrawing, true);
    HF.WriteBoolean(4090, d.ProjectFinished);
    HF.WriteDouble(4092, d.ProjectFinishedDate);
    HF.WriteString(4094, d.ProjectPressure, true);
    for (const auto& line : x.FComments) HF.WriteString(4200, line, true);
    for (const auto& line : x.fUserVarList.fUserVarList) HF.WriteString(4250, line, true);
    HF.WriteVar(4999);
}

void WriteToDo(TQuorvaneFile& HF, const TToDo& x)
{
    HF.WriteVar(4500);
    for (const auto& line : x.fComments) HF.WriteString(4700, line, true);
    for (const auto& h : x.fHoleList) WriteToDoHole(HF, *h);
    HF.WriteVar(4799);
}

void WriteRevision(TQuorvaneFile& HF, const TRevision& x)
{
    const TRevisionData& d = x.fData;
    HF.WriteVar(3000);
    HF.WriteString(3010, d.Number, true);
    HF.WriteString(3012, d.Code, true);
    HF.WriteDouble(3020, d.Date);
    HF.WriteString(3030, d.Description, true);
    HF.WriteString(3040, d.DrawnBy, true);
    HF.WriteString(3050, d.CheckedBy, true);
    HF.WriteString(3052, d.User1, true);
    HF.WriteString(3054, d.User2, true);
    HF.WriteVar(3999);
}

void WriteRevisionColumn(TQuorvaneFile& HF, const TRevisionColumn& x)
{
    WriteColumnRecord(HF, 3200, x.fData.ColumnType, x.fData.ColumnWidth, x.fData.ColumnTitle);
}

void WriteRevisionLayout(TQuorvaneFile& HF, const TRevisionLayout& x)
{
    const TRevisionLayoutData& d = x.fData;
    HF.WriteVar(3400);
    HF.WriteDouble(3410, d.RowHeight);
    HF.WriteDouble(3420, d.TextHeight);
    HF.WriteDouble(3430, d.Scale);
    HF.WriteInteger(3432, d.Align);
    HF.WriteDouble(3440, d.Offset.X);
    HF.WriteDouble(3450, d.Offset.Y);
    HF.WriteBoolean(3460, d.ShowHeader);
    HF.WriteBoolean(3462, d.Reverse);
    for (const auto& c : x.fColumnList) WriteRevisionColumn(HF, *c);
    HF.WriteVar(3499);
}

void WriteSession(TQuorvaneFile& HF, const TSession& x)
{
    HF.WriteVar(8000);
    HF.WriteDouble(8010, x.fData.Date);
    HF.WriteInt64(8020, x.fData.Seconds);
    HF.WriteString(8030, x.fData.Remark, true);
    HF.WriteVar(8999);
}

// ---------------------------------------------------------- sample contents

void FillSampleProject(TProject& x)
{
    x.Clear();
    TProjectData& d = x.FData;
    d.DrawnBy = "J. M\u00FCller"; // a character of the Western code page
    d.CheckedBy = "A. Berg";
    d.CreatedOn = 44927.375;  // 2023-01-01 09:00
    d.ModifiedOn = 45000.625; // 2023-03-15 15:00
    d.ProjectTitle = "Lift valve block";
    d.ProjectNumber = "P-2023-017";
    d.ProjectClient = "Hydro Lift Ltd.";
    d.ProjectDrawing = "DWG-4711";
    d.ProjectFinished = true;
    d.ProjectFinishedDate = 45010.5;
    d.ProjectPressure = "350 bar";
    x.FComments = {"First release for the prototype.", "Ports to ISO 6149."};
    x.fUserVarList.Add("Material", "EN-GJS-400");
    x.fUserVarList.Add("Surface", "zinc plated");
    x.fUserVarList.Add("Note", "a||b");
}

void FillSampleToDo(TToDo& x)
{
    x.Clear();
    x.fComments = {"Place the pressure gauge port.", "Check the relief cavity."};
    // One entry of two pattern holes (a port) and a cartridge entry.
    AddToDoHole(x, 1, 101, 12.0, 30.0);
    AddToDoHole(x, 2, 101, 8.5, 22.0);
    AddToDoHole(x, 3, -102, 20.0, 45.0);
}

void FillSampleRevision(TRevision& x, int variant)
{
    x.Clear();
    const std::string n = std::to_string(variant + 1);
    TRevisionData& d = x.fData;
    d.Number = "R" + n;
    d.Code = "C" + n;
    d.Date = 44950.0 + variant;
    d.Description = "Revision " + n + ": gallery moved";
    d.DrawnBy = "drawn " + n;
    d.CheckedBy = "checked " + n;
    d.User1 = "user1-" + n;
    d.User2 = "user2-" + n;
}

void FillSampleRevisionColumn(TRevisionColumn& x, int variant)
{
    x.Clear();
    // Types from the end of the enumeration, so none is the default.
    x.fData.ColumnType = static_cast<TRevisionColumnType>(7 - variant % 7);
    x.fData.ColumnWidth = 20.0 + 5.0 * variant;
    x.fData.ColumnTitle = "Column " + std::to_string(variant + 1);
}

void FillSampleRevisionLayout(TRevisionLayout& x, int variant)
{
    x.Clear();
    TRevisionLayoutData& d = x.fData;
    d.RowHeight = 6.5 + variant;
    d.TextHeight = 3.25 + variant;
    d.Scale = 0.75;
    d.Offset = {12.5, -8.25};
    d.Align = 5 + variant;
    d.ShowHeader = false;
    d.Reverse = true;
    for (int i = 0; i < 3; ++i) FillSampleRevisionColumn(*x.fColumnList.Add(), i);
}

void FillSampleSession(TSession& x, int variant)
{
    x.Clear();
    x.fData.Date = 44960.0 + variant;
    x.fData.Seconds = 5000000000LL + variant; // beyond 32 bits
    x.fData.Remark = "Session " + std::to_string(variant + 1);
}

void FillSampleDocumentation(TManifold& m)
{
    m.FRevisionList.Clear();
    m.fRevisionLayoutList.Clear();
    m.fSessionList.Clear();
    for (int i = 0; i < 2; ++i) FillSampleRevision(*m.FRevisionList.Add(), i);
    FillSampleRevisionLayout(*m.fRevisionLayoutList.Add(), 0);
    for (int i = 0; i < 2; ++i) FillSampleSession(*m.fSessionList.Add(), i);
    FillSampleProject(m.FProject);
    FillSampleToDo(m.fToDo);
}

void WriteDocumentation(TQuorvaneFile& HF, const TManifold& m)
{
    for (const auto& r : m.FRevisionList) WriteRevision(HF, *r);
    for (const auto& l : m.fRevisionLayoutList) WriteRevisionLayout(HF, *l);
    for (const auto& s : m.fSessionList) WriteSession(HF, *s);
    WriteProject(HF, m.FProject);
    WriteToDo(HF, m.fToDo);
}

} // namespace qv::samples
