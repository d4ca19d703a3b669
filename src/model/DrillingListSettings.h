#pragma once
// How the drilling list (the table of every hole and step with its
// coordinates, diameters and depths) is laid out on a drawing.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

// What one column of the drilling list shows.
QV_ENUM(TDrillingListDrawingColumnType, dldcolHoleNumber, dldcolFaceNumber, dldcolManufacturingNote,
        dldcolUserDefined, dldcolX, dldcolY, dldcolZ, dldcolXXY, dldcolYZZ, dldcolStepNumber, dldcolDiameter,
        dldcolDepth, dldcolAngle, dldcolRotation, dldcolLS, dldcolRemark, dldcolThread, dldcolLength,
        dldcolIntersects, dldcolEqual, dldcolPattern, dldcolHorz, dldcolVert)

struct TDrillingListDrawingColumnData {
    TDrillingListDrawingColumnType ColumnType = dldcolHoleNumber;
    std::string ColumnTitle;
    double ColumnWidth = 15.0;

    template <class F> void Fields(F&& f) const
    {
        f("ColumnType", ColumnType); f("ColumnTitle", ColumnTitle); f("ColumnWidth", ColumnWidth);
    }
};

class TDrillingListDrawingColumn {
public:
    TDrillingListDrawingColumnData fData;

    void Clear() { fData = TDrillingListDrawingColumnData{}; }
    void Assign(const TDrillingListDrawingColumn& Source) { fData = Source.fData; }
    // Reads the record after its start tag 61300 up to its end tag 61399.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TDrillingListDrawingColumnList : public TOwnedList<TDrillingListDrawingColumn> {};

struct TDrillingListDrawingSettingsData {
    double TextHeight = 3.5;
    double RowHeight = 5.0;
    TXYPoint InsertionPoint;
    std::string HoleNumberSeperator = "..";
    std::string TextSeperator = "; ";
    bool ShowTitles = true;
    bool SplitFaces = false;
    bool UseManufacuringNotes = true;
    bool EmptyLineBetweenFaces = false;
    bool EmptyLineBetweenHoles = false;
    bool EmptyLineBetweenSteps = false;
    bool StartOfPatternOnNewLine = false;
    bool HideCoordinatesOfPatternHoles = false;
    bool IncludeHoleComments = false;
    bool IncludeSpecialMenufacturingNotes = false;

    template <class F> void Fields(F&& f) const
    {
        f("TextHeight", TextHeight); f("RowHeight", RowHeight); f("InsertionPoint", InsertionPoint);
        f("HoleNumberSeperator", HoleNumberSeperator); f("TextSeperator", TextSeperator);
        f("ShowTitles", ShowTitles); f("SplitFaces", SplitFaces); f("UseManufacuringNotes", UseManufacuringNotes);
        f("EmptyLineBetweenFaces", EmptyLineBetweenFaces); f("EmptyLineBetweenHoles", EmptyLineBetweenHoles);
        f("EmptyLineBetweenSteps", EmptyLineBetweenSteps); f("StartOfPatternOnNewLine", StartOfPatternOnNewLine);
        f("HideCoordinatesOfPatternHoles", HideCoordinatesOfPatternHoles);
        f("IncludeHoleComments", IncludeHoleComments);
        f("IncludeSpecialMenufacturingNotes", IncludeSpecialMenufacturingNotes);
    }
};

class TDrillingListDrawingSettings {
public:
    TDrillingListDrawingSettingsData fData;
    TDrillingListDrawingColumnList fColumnList;

    TDrillingListDrawingSettings() = default;
    TDrillingListDrawingSettings(const TDrillingListDrawingSettings&) = delete;
    TDrillingListDrawingSettings& operator=(const TDrillingListDrawingSettings&) = delete;

    void Clear()
    {
        fData = TDrillingListDrawingSettingsData{};
        fColumnList.Clear();
    }
    void Assign(const TDrillingListDrawingSettings& Source)
    {
        fData = Source.fData;
        fColumnList.Assign(Source.fColumnList);
    }
    // Reads the record after its start tag 61100 up to its end tag 61299.
    // Nothing is cleared first: a second record read into the same settings
    // overwrites the fields it carries and appends its columns.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); f("fColumnList", fColumnList); }
};

} // namespace qv
