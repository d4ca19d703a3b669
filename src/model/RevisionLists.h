#pragma once
// Revisions of a design (number, code, date, description, who drew and
// checked it) and the layouts of the revision table printed on drawings:
// row and text height, scale, position, and the columns shown.
#include "core/Reflect.h"
#include "model/ModelTypes.h"
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

// Today: the current local date with the time of day cut off.
TDateTime TodayLocal();

// ---------------------------------------------------------------- revisions

struct TRevisionData {
    std::string Number;
    std::string Code;
    TDateTime Date = 0.0; // Clear sets today's date
    std::string Description;
    std::string DrawnBy;
    std::string CheckedBy;
    std::string User1;
    std::string User2;

    template <class F> void Fields(F&& f) const
    {
        f("Number", Number); f("Code", Code); f("Date", Date); f("Description", Description);
        f("DrawnBy", DrawnBy); f("CheckedBy", CheckedBy); f("User1", User1); f("User2", User2);
    }
};

class TRevision {
public:
    TRevisionData fData;

    TRevision() { Clear(); }
    TRevision(const TRevision&) = delete;
    TRevision& operator=(const TRevision&) = delete;

    void Clear();
    void Assign(const TRevision& Source) { fData = Source.fData; }
    // Reads the record after its start tag 3000 (through TRevisionReader).
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TRevisionList : public TOwnedList<TRevision> {
public:
    TRevision* GetRevisions(int AIndex) const { return Items(AIndex); }
};

class TRevisionReader {
public:
    // From after the start tag 3000 up to and including the end tag 3999.
    bool Load(TQuorvaneFile& HF, TRevision& ARevision);
};

// ------------------------------------------------------ revision-table layout

// The revision field a column of the revision table shows.
QV_ENUM(TRevisionColumnType, revcolNumber, revcolDate, revcolDescription, revcolDrawnBy, revcolCheckedBy, revcolCode,
        revcolUser1, revcolUser2)

struct TRevisionColumnData {
    TRevisionColumnType ColumnType = revcolNumber;
    double ColumnWidth = 15.0;
    std::string ColumnTitle;

    template <class F> void Fields(F&& f) const
    {
        f("ColumnType", ColumnType); f("ColumnWidth", ColumnWidth); f("ColumnTitle", ColumnTitle);
    }
};

class TRevisionColumn {
public:
    TRevisionColumnData fData;

    void Clear() { fData = TRevisionColumnData{}; }
    void Assign(const TRevisionColumn& Source) { fData = Source.fData; }
    // Reads the record after its start tag 3200 up to its end tag 3299.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TRevisionColumnList : public TOwnedList<TRevisionColumn> {};

struct TRevisionLayoutData {
    double RowHeight = 5.0;
    double TextHeight = 2.5;
    double Scale = 1.0;
    TXYPoint Offset;
    int32_t Align = 3; // placement code of the design program, carried as read
    bool ShowHeader = true;
    bool Reverse = false;

    template <class F> void Fields(F&& f) const
    {
        f("RowHeight", RowHeight); f("TextHeight", TextHeight); f("Scale", Scale); f("Offset", Offset);
        f("Align", Align); f("ShowHeader", ShowHeader); f("Reverse", Reverse);
    }
};

class TRevisionLayout {
public:
    TRevisionColumnList fColumnList;
    TRevisionLayoutData fData;

    TRevisionLayout() = default;
    TRevisionLayout(const TRevisionLayout&) = delete;
    TRevisionLayout& operator=(const TRevisionLayout&) = delete;

    void Clear()
    {
        fColumnList.Clear();
        fData = TRevisionLayoutData{};
    }
    void Assign(const TRevisionLayout& Source)
    {
        if (&Source == this) return;
        fColumnList.Assign(Source.fColumnList);
        fData = Source.fData;
    }
    // Reads the record after its start tag 3400 (through TRevisionLayoutReader).
    bool Load(TQuorvaneFile& HF);

    TRevisionColumn* GetColumns(int AIndex) const { return fColumnList.Items(AIndex); }
    int GetColumnCount() const { return fColumnList.Count(); }

    template <class F> void Fields(F&& f) const { f("fColumnList", fColumnList); f("fData", fData); }
};

class TRevisionLayoutList : public TOwnedList<TRevisionLayout> {
public:
    TRevisionLayout* GetRevisionLayouts(int AIndex) const { return Items(AIndex); }
};

class TRevisionLayoutReader {
public:
    // From after the start tag 3400 up to and including the end tag 3499;
    // columns are appended to the layout as they come.
    bool Load(TQuorvaneFile& HF, TRevisionLayout& ALayout);
};

} // namespace qv
