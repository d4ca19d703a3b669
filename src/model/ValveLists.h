#pragma once
// Valves: the components mounted in a hole (a cartridge valve in its cavity,
// a plug, a fitting) with their catalogue data and the item number that can
// be engraved next to the hole.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;
class TFieldCursor;

struct TValveData {
    int32_t ValveNumber = 0;
    std::string ItemNumber; // the position number shown for the valve
    TXYPoint Offset;        // of the item-number label from the hole's face position
    uint16_t Rotation = 0;  // of the item-number label, degrees
    std::string DetailDrawing;
    std::string AssemblyFile;
    TXYPoint InsertionPoint;
    TXYPoint NextInsertionPoint;
    double RotationAngle = 0.0;
    bool ContourInAssembly = false;
    std::string Manufacturer;
    std::string ComponentType;
    std::string Description;
    std::string ArticleCode;
    double Height = 0.0;
    double Weight = 0.0;
    std::string ComponentFile;
    std::string SymbolFile;
    std::string DataSheet;
    std::string Size;
    std::string QuorvaneFile;
    std::string DataSheetInterface;
    int32_t PelomyraHandle = -1; // element of the schematic program; -1 none
    bool IsOrifice = false;
    std::string OrificePort;
    bool Engraved = false; // the item number is engraved in the block

    template <class F> void Fields(F&& f) const
    {
        f("ValveNumber", ValveNumber); f("ItemNumber", ItemNumber); f("Offset", Offset); f("Rotation", Rotation);
        f("DetailDrawing", DetailDrawing); f("AssemblyFile", AssemblyFile); f("InsertionPoint", InsertionPoint);
        f("NextInsertionPoint", NextInsertionPoint); f("RotationAngle", RotationAngle);
        f("ContourInAssembly", ContourInAssembly); f("Manufacturer", Manufacturer);
        f("ComponentType", ComponentType); f("Description", Description); f("ArticleCode", ArticleCode);
        f("Height", Height); f("Weight", Weight); f("ComponentFile", ComponentFile); f("SymbolFile", SymbolFile);
        f("DataSheet", DataSheet); f("Size", Size); f("QuorvaneFile", QuorvaneFile);
        f("DataSheetInterface", DataSheetInterface); f("PelomyraHandle", PelomyraHandle);
        f("IsOrifice", IsOrifice); f("OrificePort", OrificePort); f("Engraved", Engraved);
    }
};

class TValve {
public:
    TValveData fData;

    void Clear() { fData = TValveData{}; }
    void Assign(const TValve& Source) { fData = Source.fData; }
    // Reads the valve record after its start tag, up to its end tag.
    bool Load(TQuorvaneFile& HF);
    bool Load(TFieldCursor& HF); // inside a record read with a cursor

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TValveList : public TOwnedList<TValve> {
public:
    TValve* GetValves(int AIndex) const { return Items(AIndex); }

    bool GetIsEngraved() const;
    bool GetHasItemNumbers() const;
    // True for an empty list, else the first valve's flag.
    bool GetContourInAssembly() const;

    // Item numbers that are engraved, in list order (empty ones left out).
    std::vector<std::string> CreateListEngravedNumbers() const;
    void PopulateListEngravedNumbers(std::vector<std::string>& List) const;
    // Every non-empty item number, in list order.
    std::vector<std::string> CreateListItemNumbers() const;
    void PopulateListItemNumbers(std::vector<std::string>& List) const;
};

} // namespace qv
