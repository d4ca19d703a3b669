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
        case 46010: d.BlockType = static_cast<TInsertBlockType>(HF.ReadInteger()); break;
        case 46020: d.FileName = HF.ReadString(v.VarLength); break;
        case 46030: d.Align = static_cast<TAlign>(HF.ReadInteger()); break;
        case 46040: d.InsertionPoint.X = HF.ReadDouble(); break;
        case 46050: d.InsertionPoint.Y = HF.ReadDouble(); break;
        case 46060: d.Offset.X = HF.ReadDouble(); break;
        case 46070: d.Offset.Y = HF.ReadDouble(); break;
        case 46080: d.Rotation = HF.ReadDouble(); break;
        case 46090: d.Visible = HF.ReadBoolean(); break;
        case 46100: d.Scale = HF.ReadDouble(); break;
        case 46110: d.AttachedToFace = HF.ReadInteger(); break;
        case 46120: d.Tag = HF.ReadInteger(); break;
        case 46130: d.OverruledPosition = HF.ReadBoolean(); break;
        case 46140: d.OverruledSide = HF.ReadBoolean(); break;
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
        case 45010: d.Name = HF.ReadString(v.VarLength); break;
        case 45020: d.TextHeight = HF.ReadDouble(); break;
        case 45030: d.FontName = HF.ReadString(v.VarLength); break;
        case 45040: fTextList.push_back(HF.ReadString(v.VarLength)); break;
        case 45050: d.TextWidthFactor = HF.ReadDouble(); break;
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
        case 44010: fData.Tag = HF.ReadString(v.VarLength); break;
        case 44020: fData.Value = HF.ReadString(v.VarLength); break;
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
        case 43010: d.DrawingHeadName = HF.ReadString(v.VarLength); break;
        case 43020: d.PaperSizeName = HF.ReadString(v.VarLength); break;
        case 43030: d.LineWeightsName = HF.ReadString(v.VarLength); break;
        case 43040: d.ColorsName = HF.ReadString(v.VarLength); break;
        case 43050: d.BorderName = HF.ReadString(v.VarLength); break;
        case 43060: d.BackgroundWhite = HF.ReadBoolean(); break;
        case 43070: d.ShowColors = HF.ReadBoolean(); break;
        case 43080: d.ShowLineWeights = HF.ReadBoolean(); break;
        case 43090: d.PlotMode = static_cast<TPlotSetupMode>(HF.ReadInteger()); break;
        case 43092: d.Name = HF.ReadString(v.VarLength); break;
        case 44000: fAttributeList.Add()->Load(HF); break;
        case 45000: fTextBlockList.Add()->Load(HF); break;
        case 46000: fInsertBlockList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
