#include "WriteGroups.h"

#include "QuorvaneFiles.h"

namespace qv::samples {

void WriteGroup(TQuorvaneFile& HF, const TGroup& x)
{
    const auto& d = x.FData;
    HF.WriteVar(5000);
    HF.WriteString(5100, d.Code, true);
    HF.WriteInteger(5200, d.Color);
    HF.WriteDouble(5210, d.Flow);
    HF.WriteDouble(5220, d.MaxSpeed);
    HF.WriteInteger(5300, d.Fill);
    HF.WriteVar(5999);
}

void WriteContour(TQuorvaneFile& HF, const TContour& x)
{
    HF.WriteVar(6000);
    HF.WriteDouble(6011, x.FData.X);
    HF.WriteDouble(6012, x.FData.Y);
    HF.WriteVar(6999);
}

void WriteHoleText(TQuorvaneFile& HF, const THoleText& x)
{
    const auto& d = x.fdata;
    HF.WriteVar(34000);
    HF.WriteDouble(34010, d.OffSet.X);
    HF.WriteDouble(34020, d.OffSet.Y);
    HF.WriteString(34050, d.Caption, true);
    HF.WriteDouble(34060, d.TextHeight);
    HF.WriteBoolean(34070, d.UseDefaultStyle);
    HF.WriteBoolean(34080, d.UseTextFromRemark);
    HF.WriteBoolean(34090, d.UseBorder);
    HF.WriteDouble(34100, d.FixedWidth);
    HF.WriteDouble(34110, d.Rotation);
    HF.WriteBoolean(34120, d.HideInAssembly);
    HF.WriteBoolean(34130, d.HideInProduction);
    HF.WriteBoolean(34140, d.HideDimInAssembly);
    HF.WriteBoolean(34150, d.HideDimInProduction);
    HF.WriteInteger(34160, d.InsertionPoint);
    HF.WriteBoolean(34162, d.HideInExport3D);
    HF.WriteVar(34999);
}

void WriteManufacturingNote(TQuorvaneFile& HF, const TManufacturingNote& x)
{
    const auto& d = x.fData;
    HF.WriteVar(32300);
    HF.WriteBoolean(32310, d.DisableStandardNote);
    HF.WriteBoolean(32312, d.HideInProductionDrawing);
    HF.WriteBoolean(32314, d.HideInAssemblyDrawing);
    for (const auto& line : x.fNotes) HF.WriteString(32320, line, true);
    for (const auto& line : x.fAlternativeNotes) HF.WriteString(32330, line, true);
    HF.WriteBoolean(32334, d.HideLSInDrawing);
    HF.WriteVar(32399);
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
