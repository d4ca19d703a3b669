#include "testkit/WriteGroups.h"

namespace qv::samples {

void WriteGroup(TQuorvaneFile& HF, const TGroupData& d, const TWriteOptions& o)
{
    TFieldWriter w(HF, o);
    w.Var(5000);
    w.String(5100, d.Code);
    w.Integer(5200, d.Color);
    w.Double(5210, d.Flow);
    w.Double(5220, d.MaxSpeed);
    w.Integer(5300, d.Fill);
    w.Var(5999);
}

void WriteContour(TQuorvaneFile& HF, const TXYPoint& x)
{
    HF.WriteVar(6000);
    HF.WriteDouble(6011, x.X);
    HF.WriteDouble(6012, x.Y);
    HF.WriteVar(6999);
}

void WriteHoleText(TQuorvaneFile& HF, const THoleTextData& d, const TWriteOptions& o)
{
    TFieldWriter w(HF, o);
    w.Var(34000);
    w.Double(34010, d.OffSet.X);
    w.Double(34020, d.OffSet.Y);
    w.String(34050, d.Caption);
    w.Double(34060, d.TextHeight);
    // The design program stores the three style switches only when they are off.
    w.Boolean(34070, d.UseDefaultStyle, true);
    w.Boolean(34080, d.UseTextFromRemark, true);
    w.Boolean(34090, d.UseBorder, true);
    w.Double(34100, d.FixedWidth, 0.0);
    w.Double(34110, d.Rotation, 0.0);
    w.Boolean(34120, d.HideInAssembly, false);
    w.Boolean(34130, d.HideInProduction, false);
    w.Boolean(34140, d.HideDimInAssembly, false);
    w.Boolean(34150, d.HideDimInProduction, false);
    w.Integer(34160, d.InsertionPoint, 0);
    w.Boolean(34162, d.HideInExport3D, false);
    w.Var(34999);
}

void WriteManufacturingNote(TQuorvaneFile& HF, const TManufacturingNote& x, const TWriteOptions& o)
{
    const auto& d = x.fData;
    TFieldWriter w(HF, o);
    w.Var(32300);
    w.Boolean(32310, d.DisableStandardNote, false);
    w.Boolean(32312, d.HideInProductionDrawing, false);
    w.Boolean(32314, d.HideInAssemblyDrawing, false);
    for (const auto& line : x.fNotes) w.Line(32320, line);
    for (const auto& line : x.fAlternativeNotes) w.Line(32330, line);
    w.Boolean(32334, d.HideLSInDrawing, false);
    w.Var(32399);
}

void FillSampleGroup(TGroup& x)
{
    auto& d = x.FData;
    d.Code = "P";
    d.Color = 0x0000C0FF; // orange
    d.Fill = 3;
    d.Flow = 40.0;
    d.MaxSpeed = 6.5;
}

void FillSampleContour(TContour& x)
{
    x.FData.X = 22.5;
    x.FData.Y = -7.25;
}

void FillSampleHoleText(THoleText& x)
{
    auto& d = x.fdata;
    d.Caption = "P1|Pumpe"; // two lines
    d.OffSet = {4.5, -3.25};
    d.TextHeight = 3.5;
    d.UseDefaultStyle = false;
    d.UseTextFromRemark = false;
    d.UseBorder = false;
    d.FixedWidth = 18.0;
    d.Rotation = 90.0;
    d.InsertionPoint = 7;
    d.HideInAssembly = true;
    d.HideInProduction = true;
    d.HideDimInAssembly = true;
    d.HideDimInProduction = true;
    d.HideInExport3D = true;
}

void FillSampleManufacturingNote(TManufacturingNote& x)
{
    x.fNotes = {"Deburr all intersections", "Pressure test 350 bar"};
    x.fAlternativeNotes = {"See drawing sheet 2"};
    x.fData.DisableStandardNote = true;
    x.fData.HideInProductionDrawing = true;
    x.fData.HideInAssemblyDrawing = true;
    x.fData.HideLSInDrawing = true;
}

} // namespace qv::samples
