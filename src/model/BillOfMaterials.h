#pragma once
// The bill of materials of a design: its table layout, the columns shown,
// the items the user added and the items hidden from it.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "model/PlugLists.h"
#include "model/XYZPoints.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

QV_ENUM(TBOMColumn, bomcolArticleCode, bomcolType, bomcolDescription, bomcolManufacturer, bomcolQuantity,
        bomColItemNumber, bomColHoleNumber, bomcolExtra1, bomcolExtra2, bomcolExtra3, bomcolExtra4, bomcolExtra5)
inline constexpr size_t BOMColumnCount = 12;

struct TBOMData {
    TBOMColumn MasterColumn = bomcolArticleCode;
    double RowHeight = 5.0;
    double TextHeight = 3.5;
    TXYPoint InsertionPoint;
    double RowCountWidth = 10.0;
    TEnumArray<TBOMColumn, double, BOMColumnCount> ColumnWidths{
        {50.0, 50.0, 50.0, 50.0, 50.0, 50.0, 50.0, 10.0, 10.0, 10.0, 10.0, 10.0}};
    bool ShowTitles = true;
    bool SortReverse = false;

    template <class F> void Fields(F&& f) const
    {
        f("MasterColumn", MasterColumn); f("RowHeight", RowHeight); f("TextHeight", TextHeight);
        f("InsertionPoint", InsertionPoint); f("RowCountWidth", RowCountWidth); f("ColumnWidths", ColumnWidths);
        f("ShowTitles", ShowTitles); f("SortReverse", SortReverse);
    }
};

// An item the user added to the bill of materials by hand.
struct TUserBOMData {
    std::string Manufacturer;
    std::string ComponentType;
    std::string Description;
    std::string ArticleCode;
    std::string Quantity;
    std::string ItemNumber;
    std::string HoleNumber;
    int32_t Mode = 0; // not stored in files
    int32_t Tag = 0;  // not stored in files
    int32_t PelomyraHandle = -1; // element of the schematic program; -1 none

    template <class F> void Fields(F&& f) const
    {
        f("Manufacturer", Manufacturer); f("ComponentType", ComponentType); f("Description", Description);
        f("ArticleCode", ArticleCode); f("Quantity", Quantity); f("ItemNumber", ItemNumber);
        f("HoleNumber", HoleNumber); f("Mode", Mode); f("Tag", Tag); f("PelomyraHandle", PelomyraHandle);
    }
};

class TUserBOM {
public:
    TUserBOMData fData;

    void Clear() { fData = TUserBOMData{}; }
    void Assign(const TUserBOM& Source) { fData = Source.fData; }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TUserBOMList : public TOwnedList<TUserBOM> {
public:
    TUserBOM* GetUserBOMs(int AIndex) const { return Items(AIndex); }
};

class TBillOfMaterials {
public:
    TBOMData fData;
    TIntegerList fUsedColumns; // the columns shown, in order (TBOMColumn ordinals)
    TUserBOMList fUserBOMList;
    std::vector<std::string> fHiddenItems;

    TBillOfMaterials() = default;
    TBillOfMaterials(const TBillOfMaterials&) = delete;
    TBillOfMaterials& operator=(const TBillOfMaterials&) = delete;

    void Clear()
    {
        fData = TBOMData{};
        fUsedColumns.Clear();
        fUserBOMList.Clear();
        fHiddenItems.clear();
    }
    void Assign(const TBillOfMaterials& Source)
    {
        if (&Source == this) return;
        fData = Source.fData;
        fUsedColumns.Assign(Source.fUsedColumns);
        fUserBOMList.Assign(Source.fUserBOMList);
        fHiddenItems = Source.fHiddenItems;
    }
    // Reads the record after its start tag, up to its end tag. Columns,
    // hidden items and user items are appended to those already there.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("fData", fData); f("fUsedColumns", fUsedColumns); f("fUserBOMList", fUserBOMList);
        f("fHiddenItems", fHiddenItems);
    }
};

} // namespace qv
