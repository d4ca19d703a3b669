#include "testkit/WriteLayouts.h"

#include <string>

namespace qv::samples {

void WriteAttribute(TQuorvaneFile& HF, const TAttribute& x)
{
    HF.WriteVar(44000);
    HF.WriteString(44010, x.fData.Tag, true);
    HF.WriteString(44020, x.fData.Value, true);
    HF.WriteVar(44999);
}

void WriteTextBlock(TQuorvaneFile& HF, const TTextBlock& x)
{
    const TTextBlockData& d = x.fData;
    HF.WriteVar(45000);
    HF.WriteString(45010, d.Name, true);
    HF.WriteDouble(45020, d.TextHeight);
    HF.WriteString(45030, d.FontName, true);
    for (const auto& line : x.fTextList) HF.WriteString(45040, line, true);
    HF.WriteDouble(45050, d.TextWidthFactor);
    HF.WriteVar(45999);
}

void WriteInsertBlock(TQuorvaneFile& HF, const TInsertBlock& x)
{
    const TInsertBlockData& d = x.fData;
    HF.WriteVar(46000);
    HF.WriteInteger(46010, d.BlockType);
    HF.WriteString(46020, d.FileName, true);
    HF.WriteInteger(46030, d.Align);
    HF.WriteDouble(46040, d.InsertionPoint.X);
    HF.WriteDouble(46050, d.InsertionPoint.Y);
    HF.WriteDouble(46060, d.Offset.X);
    HF.WriteDouble(46070, d.Offset.Y);
    HF.WriteDouble(46080, d.Rotation);
    HF.WriteBoolean(46090, d.Visible);
    HF.WriteDouble(46100, d.Scale);
    HF.WriteInteger(46110, d.AttachedToFace);
    HF.WriteInteger(46120, d.Tag);
    HF.WriteBoolean(46130, d.OverruledPosition);
    HF.WriteBoolean(46140, d.OverruledSide);
    HF.WriteVar(46999);
}

void WriteLayout(TQuorvaneFile& HF, const TLayout& x)
{
    const TLayoutData& d = x.fData;
    HF.WriteVar(43000);
    HF.WriteString(43010, d.DrawingHeadName, true);
    HF.WriteString(43020, d.PaperSizeName, true);
    HF.WriteString(43030, d.LineWeightsName, true);
    HF.WriteString(43040, d.ColorsName, true);
    HF.WriteString(43050, d.BorderName, true);
    HF.WriteBoolean(43060, d.BackgroundWhite);
    HF.WriteBoolean(43070, d.ShowColors);
    HF.WriteBoolean(43080, d.ShowLineWeights);
    HF.WriteInteger(43090, d.PlotMode);
    HF.WriteString(43092, d.Name, true);
    for (const auto& a : x.fAttributeList) WriteAttribute(HF, *a);
    for (const auto& t : x.fTextBlockList) WriteTextBlock(HF, *t);
    for (const auto& b : x.fInsertBlockList) WriteInsertBlock(HF, *b);
    HF.WriteVar(43999);
}

void WriteLayoutList(TQuorvaneFile& HF, const TLayoutList& x)
{
    for (const auto& l : x) WriteLayout(HF, *l);
}

void FillSampleAttribute(TAttribute& x, int variant)
{
    x.Clear();
    static const char* const kTags[] = {"DRAWING_NO", "MATERIAL", "SCALE"};
    static const char* const kValues[] = {"DWG-4711", "EN-GJS-400", "1:2"};
    x.fData.Tag = kTags[variant % 3];
    x.fData.Value = kValues[variant % 3];
}

void FillSampleTextBlock(TTextBlock& x, int variant)
{
    x.Clear();
    x.fData.Name = "Notes " + std::to_string(variant + 1);
    x.fData.TextHeight = 2.5 + variant;
    x.fData.FontName = "Arial";
    x.fData.TextWidthFactor = 0.8;
    x.fTextList = {"Deburr all edges.", "Test pressure 1.5 \u00D7 working pressure."};
}

void FillSampleInsertBlock(TInsertBlock& x, int variant)
{
    x.Clear();
    TInsertBlockData& d = x.fData;
    d.BlockType = variant % 2 == 0 ? ibDefaultDrawingHead : ibFace;
    d.FileName = variant % 2 == 0 ? "head_a3.dwg" : "face3.dwg";
    d.Align = variant % 2 == 0 ? alBottomRight : alFixed;
    d.InsertionPoint = {420.0 - variant, 5.5 + variant};
    d.Offset = {-3.25, 2.75};
    d.Rotation = 90.0;
    d.Visible = false;
    d.Scale = 0.5;
    d.AttachedToFace = 3 + variant;
    d.Tag = 17 + variant;
    d.OverruledPosition = true;
    d.OverruledSide = true;
}

void FillSampleLayout(TLayout& x, int variant)
{
    x.Clear();
    TLayoutData& d = x.fData;
    const std::string n = std::to_string(variant + 1);
    d.DrawingHeadName = "Head " + n;
    d.PaperSizeName = "A3";
    d.LineWeightsName = "Thin";
    d.ColorsName = "Monochrome";
    d.BorderName = "Frame";
    d.BackgroundWhite = false;
    d.ShowColors = false;
    d.ShowLineWeights = true;
    d.PlotMode = variant % 2 == 0 ? psmAssembly : psmPattern;
    d.Name = "Sheet " + n;
    for (int i = 0; i < 2; ++i) FillSampleInsertBlock(*x.fInsertBlockList.Add(), i);
    FillSampleTextBlock(*x.fTextBlockList.Add(), variant);
    for (int i = 0; i < 2; ++i) FillSampleAttribute(*x.fAttributeList.Add(), i);
}

void FillSampleLayoutList(TLayoutList& x)
{
    x.Clear();
    for (int i = 0; i < 2; ++i) FillSampleLayout(*x.Add(), i);
}

} // namespace qv::samples
