#include "model/LayoutLists_MNF.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

// ----------------------------------------------------------- insert blocks

bool TInsertBlock::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 46999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 46010: HF.GetInteger(d.BlockType); break;
        case 46020: HF.GetString(d.FileName, v.VarLength); break;
        case 46030: HF.GetInteger(d.Align); break;
        case 46040: HF.GetDouble(d.InsertionPoint.X); break;
        case 46050: HF.GetDouble(d.InsertionPoint.Y); break;
        case 46060: HF.GetDouble(d.Offset.X); break;
        case 46070: HF.GetDouble(d.Offset.Y); break;
        case 46080: HF.GetDouble(d.Rotation); break;
        case 46090: HF.GetBoolean(d.Visible); break;
        case 46100: HF.GetDouble(d.Scale); break;
        case 46110: HF.GetInteger(d.AttachedToFace); break;
        case 46120: HF.GetInteger(d.Tag); break;
        case 46130: HF.GetBoolean(d.OverruledPosition); break;
        case 46140: HF.GetBoolean(d.OverruledSide); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

// ------------------------------------------------------------- text blocks

bool TTextBlock::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 45999) break;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 45010: HF.GetString(d.Name, v.VarLength); break;
        case 45020: HF.GetDouble(d.TextHeight); break;
        case 45030: HF.GetString(d.FontName, v.VarLength); break;
        case 45040: fTextList.push_back(HF.ReadString(v.VarLength)); break;
        case 45050: HF.GetDouble(d.TextWidthFactor); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

// -------------------------------------------------------------- attributes

bool TAttribute::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 44999) break;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 44010: HF.GetString(fData.Tag, v.VarLength); break;
        case 44020: HF.GetString(fData.Value, v.VarLength); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

// ----------------------------------------------------------------- layouts

void TLayout::Clear()
{
    fData = TLayoutData{};
    fInsertBlockList.Clear();
    fTextBlockList.Clear();
    fAttributeList.Clear();
}

void TLayout::Assign(const TLayout& Source)
{
    if (&Source == this) return;
    fData = Source.fData;
    fInsertBlockList.Assign(Source.fInsertBlockList);
    fTextBlockList.Assign(Source.fTextBlockList);
    fAttributeList.Assign(Source.fAttributeList);
}

bool TLayout::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 43999) break;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 43010: HF.GetString(d.DrawingHeadName, v.VarLength); break;
        case 43020: HF.GetString(d.PaperSizeName, v.VarLength); break;
        case 43030: HF.GetString(d.LineWeightsName, v.VarLength); break;
        case 43040: HF.GetString(d.ColorsName, v.VarLength); break;
        case 43050: HF.GetString(d.BorderName, v.VarLength); break;
        case 43060: HF.GetBoolean(d.BackgroundWhite); break;
        case 43070: HF.GetBoolean(d.ShowColors); break;
        case 43080: HF.GetBoolean(d.ShowLineWeights); break;
        case 43090: HF.GetInteger(d.PlotMode); break;
        case 43092: HF.GetString(d.Name, v.VarLength); break;
        case 44000: fAttributeList.Add()->Load(HF); break;
        case 45000: fTextBlockList.Add()->Load(HF); break;
        case 46000: fInsertBlockList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
