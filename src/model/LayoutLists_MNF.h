#pragma once
// Drawing-sheet layouts of the design program's 2D drawings: which drawing
// head, paper size, line weights, colours and border a sheet uses, the
// blocks inserted on it (drawing head, bill of materials, face views ...),
// its text blocks and the attributes that fill the drawing head.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "model/PlotSettings.h"
#include "model/XYZPoints.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

// A point in whole pixels (of a picture).
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    template <class F> void Fields(F&& f) const { f("X", X); f("Y", Y); }
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle on the sheet.
struct TXYRect {
    TXYPoint TopLeft;
    TXYPoint BottomRight;
    template <class F> void Fields(F&& f) const { f("TopLeft", TopLeft); f("BottomRight", BottomRight); }
    friend bool operator==(const TXYRect&, const TXYRect&) = default;
};

// What an insert block shows on the sheet.
QV_ENUM(TInsertBlockType, ibNone, ibSchematic, ibBorder, ibDefaultDrawingHead, ibBOM, ibTextBlock, ibLogo, ibFace,
        ibSurfaceFinish, ibItemNumber, ibHoleNote, ibInfo, ibDrillingList, ibSpecial, ibCross, ibDetail,
        ibRevisionHistory, ibAdditionalPicture, ibInfoTable)
// Where an insert block sits on the sheet: a corner, the middle, or a fixed point.
QV_ENUM(TAlign, alNone, alBottomLeft, alBottomRight, alTopLeft, alTopRight, alMiddle, alFixed)

// ------------------------------------------------------ additional pictures

struct TAdditionalPictureData {
    std::string FileName;
    TPoint UpperLeftOriginal;
    TPoint LowerRightOriginal;
    TXYPoint LowerLeft;
    double Scale = 1.0;
    double Rotation = 0.0;

    template <class F> void Fields(F&& f) const
    {
        f("FileName", FileName); f("UpperLeftOriginal", UpperLeftOriginal);
        f("LowerRightOriginal", LowerRightOriginal); f("LowerLeft", LowerLeft); f("Scale", Scale);
        f("Rotation", Rotation);
    }
};

// A picture placed in an insert block. Files hold no record for pictures.
class TAdditionalPicture {
public:
    TAdditionalPictureData fData;
    void Clear() { fData = TAdditionalPictureData{}; }
    void Assign(const TAdditionalPicture& Source) { fData = Source.fData; }
    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TAdditionalPictureList : public TOwnedList<TAdditionalPicture> {};

// -------------------------------------------------------------- insert blocks

struct TInsertBlockData {
    TInsertBlockType BlockType = ibNone;
    std::string FileName;
    TAlign Align = alNone;
    TXYPoint InsertionPoint;
    TXYPoint Offset;
    double Rotation = 0.0;
    bool Visible = true;
    double Scale = 1.0;
    int32_t AttachedToFace = 0; // code of the design program, carried as read
    int32_t Tag = 0;            // code of the design program, carried as read
    bool OverruledPosition = false;
    bool OverruledSide = false;
    // Working values of the design program, never stored in files.
    TXYRect BoxFromHDF;
    bool UseBoxFromHDF = false;
    double FaceScale = 1.0;

    template <class F> void Fields(F&& f) const
    {
        f("BlockType", BlockType); f("FileName", FileName); f("Align", Align);
        f("InsertionPoint", InsertionPoint); f("Offset", Offset); f("Rotation", Rotation); f("Visible", Visible);
        f("Scale", Scale); f("AttachedToFace", AttachedToFace); f("Tag", Tag);
        f("OverruledPosition", OverruledPosition); f("OverruledSide", OverruledSide);
        f("BoxFromHDF", BoxFromHDF); f("UseBoxFromHDF", UseBoxFromHDF); f("FaceScale", FaceScale);
    }
};

class TInsertBlock {
public:
    TInsertBlockData fData;
    TAdditionalPictureList fAdditionalPictures;

    TInsertBlock() = default;
    TInsertBlock(const TInsertBlock&) = delete;
    TInsertBlock& operator=(const TInsertBlock&) = delete;

    void Clear()
    {
        fData = TInsertBlockData{};
        fAdditionalPictures.Clear();
    }
    void Assign(const TInsertBlock& Source)
    {
        if (&Source == this) return;
        fData = Source.fData;
        fAdditionalPictures.Assign(Source.fAdditionalPictures);
    }
    // Reads the record after its start tag 46000 up to its end tag 46999.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("fData", fData); f("fAdditionalPictures", fAdditionalPictures);
    }
};

// The item lists of a layout also keep the design program's current item
// (fItemIndex, -1 for none).
template <class T>
class TIndexedList : public TOwnedList<T> {
public:
    int32_t fItemIndex = -1;

    void Clear()
    {
        TOwnedList<T>::Clear();
        fItemIndex = -1;
    }
    void Assign(const TIndexedList& Source)
    {
        if (&Source == this) return;
        TOwnedList<T>::Assign(Source);
        fItemIndex = Source.fItemIndex;
    }
    const TOwnedList<T>& ItemList() const { return *this; }
};

class TInsertBlockList : public TIndexedList<TInsertBlock> {
public:
    TInsertBlock* GetInsertBlocks(int AIndex) const { return Items(AIndex); }
    template <class F> void Fields(F&& f) const { f("fInsertBlockList", ItemList()); f("fItemIndex", fItemIndex); }
};

// ---------------------------------------------------------------- text blocks

struct TTextBlockData {
    std::string Name;
    double TextHeight = 3.5;
    std::string FontName;
    double TextWidthFactor = 0.0;

    template <class F> void Fields(F&& f) const
    {
        f("Name", Name); f("TextHeight", TextHeight); f("FontName", FontName); f("TextWidthFactor", TextWidthFactor);
    }
};

class TTextBlock {
public:
    TTextBlockData fData;
    std::vector<std::string> fTextList; // the lines, in file order

    void Clear()
    {
        fData = TTextBlockData{};
        fTextList.clear();
    }
    void Assign(const TTextBlock& Source)
    {
        fData = Source.fData;
        fTextList = Source.fTextList;
    }
    // Reads the record after its start tag 45000 up to its end tag 45999.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); f("fTextList", fTextList); }
};

class TTextBlockList : public TIndexedList<TTextBlock> {
public:
    TTextBlock* GetTextBlocks(int AIndex) const { return Items(AIndex); }
    template <class F> void Fields(F&& f) const { f("fTextBlockList", ItemList()); f("fItemIndex", fItemIndex); }
};

// ----------------------------------------------------------------- attributes

// A named value of the drawing head (drawing number, material, ...).
struct TAttributeData {
    const void* Entity = nullptr; // the design program's drawing entity; never stored
    std::string Tag;
    std::string Value;

    template <class F> void Fields(F&& f) const { f("Entity", nullptr); f("Tag", Tag); f("Value", Value); }
};

class TAttribute {
public:
    TAttributeData fData;

    void Clear() { fData = TAttributeData{}; }
    void Assign(const TAttribute& Source) { fData = Source.fData; }
    // Reads the record after its start tag 44000 up to its end tag 44999.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TAttributeList : public TIndexedList<TAttribute> {
public:
    TAttribute* GetAttributes(int AIndex) const { return Items(AIndex); }
    template <class F> void Fields(F&& f) const { f("fAttributeList", ItemList()); f("fItemIndex", fItemIndex); }
};

// -------------------------------------------------------------------- layouts

struct TLayoutData {
    std::string DrawingHeadName;
    std::string PaperSizeName;
    std::string LineWeightsName;
    std::string ColorsName;
    std::string BorderName;
    bool BackgroundWhite = true;
    bool ShowColors = true;
    bool ShowLineWeights = false;
    TPlotSetupMode PlotMode = psmProduction;
    std::string Name;

    template <class F> void Fields(F&& f) const
    {
        f("DrawingHeadName", DrawingHeadName); f("PaperSizeName", PaperSizeName);
        f("LineWeightsName", LineWeightsName); f("ColorsName", ColorsName); f("BorderName", BorderName);
        f("BackgroundWhite", BackgroundWhite); f("ShowColors", ShowColors); f("ShowLineWeights", ShowLineWeights);
        f("PlotMode", PlotMode); f("Name", Name);
    }
};

class TLayout {
public:
    TLayoutData fData;
    TInsertBlockList fInsertBlockList;
    TTextBlockList fTextBlockList;
    TAttributeList fAttributeList;

    TLayout() = default;
    TLayout(const TLayout&) = delete;
    TLayout& operator=(const TLayout&) = delete;

    void Clear();
    void Assign(const TLayout& Source);
    // Reads the record after its start tag 43000 up to its end tag 43999,
    // with its attributes (44000), text blocks (45000) and insert blocks (46000).
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("fData", fData); f("fInsertBlockList", fInsertBlockList); f("fTextBlockList", fTextBlockList);
        f("fAttributeList", fAttributeList);
    }
};

class TLayoutList : public TIndexedList<TLayout> {
public:
    TLayout* GetLayouts(int AIndex) const { return Items(AIndex); }
    template <class F> void Fields(F&& f) const { f("fLayoutList", ItemList()); f("fItemIndex", fItemIndex); }
};

} // namespace qv
