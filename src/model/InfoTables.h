#pragma once
// The information table of a drawing: a table of ports, valves, plugs and
// mounting holes, in sections, with configurable columns.
#include "core/Reflect.h"
#include "model/OwnedList.h"

#include <string>

namespace qv {

class TQuorvaneFile;

QV_ENUM(TInfoTableColumnType, infotablecolInfo, infotablecolDescription, infotablecolMountingHole,
        infotablecolHoleNumber)
QV_ENUM(TInfoTableSectionType, infotablesectionPorts, infotablesectionValves, infotablesectionPlugs,
        infotablesectionMountingHoles, infotablesectionPortsAndValves)

struct TInfoTableColumnData {
    TInfoTableColumnType ColumnType = infotablecolInfo;
    std::string ColumnTitle;
    double ColumnWidth = 20.0;

    template <class F> void Fields(F&& f) const
    {
        f("ColumnType", ColumnType); f("ColumnTitle", ColumnTitle); f("ColumnWidth", ColumnWidth);
    }
};

class TInfoTableColumn {
public:
    TInfoTableColumnData fData;

    void Clear() { fData = TInfoTableColumnData{}; }
    void Assign(const TInfoTableColumn& Source) { fData = Source.fData; }
    // Reads the record after its start tag 61500 up to its end tag 61599.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TInfoTableColumnList : public TOwnedList<TInfoTableColumn> {};

struct TInfoTableSectionData {
    TInfoTableSectionType SectionType = infotablesectionPorts;
    std::string SectionTitle;

    template <class F> void Fields(F&& f) const { f("SectionType", SectionType); f("SectionTitle", SectionTitle); }
};

class TInfoTableSection {
public:
    TInfoTableSectionData fData;

    void Clear() { fData = TInfoTableSectionData{}; }
    void Assign(const TInfoTableSection& Source) { fData = Source.fData; }
    // Reads the record after its start tag 61600 up to its end tag 61699.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TInfoTableSectionList : public TOwnedList<TInfoTableSection> {};

struct TInfoTableData {
    double RowHeight = 5.0;
    double TextHeight = 2.5;
    bool ShowLines = true;
    std::string ThruLabel = "Diam <> Thru"; // "<>" is filled in by the design program
    bool ShowThreadOfCartridges = true;

    template <class F> void Fields(F&& f) const
    {
        f("RowHeight", RowHeight); f("TextHeight", TextHeight); f("ShowLines", ShowLines);
        f("ThruLabel", ThruLabel); f("ShowThreadOfCartridges", ShowThreadOfCartridges);
    }
};

class TInfoTable {
public:
    TInfoTableData fData;
    TInfoTableSectionList fSectionList;
    TInfoTableColumnList fColumnList;

    TInfoTable() = default;
    TInfoTable(const TInfoTable&) = delete;
    TInfoTable& operator=(const TInfoTable&) = delete;

    void Clear()
    {
        fData = TInfoTableData{};
        fSectionList.Clear();
        fColumnList.Clear();
    }
    void Assign(const TInfoTable& Source)
    {
        fData = Source.fData;
        fSectionList.Assign(Source.fSectionList);
        fColumnList.Assign(Source.fColumnList);
    }
    // Reads the record after its start tag 61400 up to its end tag 61499.
    // Nothing is cleared first: a second record read into the same table
    // overwrites the fields it carries and appends its columns and sections.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("fData", fData); f("fSectionList", fSectionList); f("fColumnList", fColumnList);
    }
};

} // namespace qv
