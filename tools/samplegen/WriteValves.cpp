#include "WriteValves.h"

#include <string>

namespace qv::samples {

void WriteValve(TQuorvaneFile& HF, const TValve& x)
{
    const TValveData& d = x.fData;
    HF.WriteVar(30000);
    HF.WriteInteger(30010, d.ValveNumber);
    HF.WriteString(30020, d.ItemNumber, true);
    HF.WriteDouble(30031, d.Offset.X);
    HF.WriteDouble(30032, d.Offset.Y);
    HF.WriteInteger(30050, d.Rotation);
    HF.WriteString(30060, d.DetailDrawing, true);
    HF.WriteString(30070, d.AssemblyFile, true);
    HF.WriteDouble(30081, d.InsertionPoint.X);
    HF.WriteDouble(30082, d.InsertionPoint.Y);
    HF.WriteDouble(30091, d.NextInsertionPoint.X);
    HF.WriteDouble(30092, d.NextInsertionPoint.Y);
    HF.WriteDouble(30200, d.RotationAngle);
    HF.WriteBoolean(30210, d.ContourInAssembly);
    HF.WriteString(30220, d.Manufacturer, true);
    HF.WriteString(30230, d.ComponentType, true);
    HF.WriteString(30240, d.Description, true);
    HF.WriteDouble(30250, d.Height);
    HF.WriteDouble(30260, d.Weight);
    HF.WriteString(30270, d.ArticleCode, true);
    HF.WriteString(30280, d.ComponentFile, true);
    HF.WriteString(30290, d.SymbolFile, true);
    HF.WriteString(30300, d.DataSheet, true);
    HF.WriteString(30302, d.DataSheetInterface, true);
    HF.WriteString(30320, d.QuorvaneFile, true);
    HF.WriteString(30340, d.Size, true);
    HF.WriteInteger(30342, d.PelomyraHandle);
    HF.WriteBoolean(30344, d.IsOrifice);
    HF.WriteString(30346, d.OrificePort, true);
    HF.WriteBoolean(30348, d.Engraved);
    HF.WriteVar(39999);
}

void WriteExtraDiameter(TQuorvaneFile& HF, const TExtraDiameter& x)
{
    const TExtraDiameterData& d = x.fData;
    HF.WriteVar(28000);
    HF.WriteDouble(28010, d.Diameter);
    HF.WriteDouble(28020, d.LSValue);
    HF.WriteInteger(28030, d.TopAngle);
    HF.WriteString(28040, d.Remark, true);
    HF.WriteBoolean(28050, d.Hidden);
    HF.WriteBoolean(28060, d.CounterBore);
    HF.WriteBoolean(28062, d.Locked);
    HF.WriteVar(28999);
}

void FillSampleValve(TValve& x, int seed)
{
    const std::string s = std::to_string(seed);
    const double k = seed;
    TValveData& d = x.fData;
    d.ValveNumber = seed;
    d.ItemNumber = "V" + s;
    d.Offset = {1.25 * k, -2.5 * k};
    d.Rotation = static_cast<uint16_t>(90 + seed);
    d.DetailDrawing = "DET-" + s;
    d.AssemblyFile = "assembly" + s + ".dwg";
    d.InsertionPoint = {3.5 * k, 4.75 * k};
    d.NextInsertionPoint = {5.5 * k, 6.25 * k};
    d.RotationAngle = 7.5 * k;
    d.ContourInAssembly = true;
    d.Manufacturer = "Maker " + s;
    d.ComponentType = "RV-08-" + s;
    d.Description = "Relief valve \xC3\x98" "8 " + s; // a non-ASCII character on the way
    d.ArticleCode = "ART-" + s;
    d.Height = 8.125 * k;
    d.Weight = 9.0625 * k;
    d.ComponentFile = "component" + s + ".stp";
    d.SymbolFile = "symbol" + s + ".dwg";
    d.DataSheet = "sheet" + s + ".pdf";
    d.Size = "NG" + s;
    d.QuorvaneFile = "design" + s + ".mnf";
    d.DataSheetInterface = "interface" + s;
    d.PelomyraHandle = 1000 + seed;
    d.IsOrifice = true;
    d.OrificePort = "P" + s;
    d.Engraved = true;
}

void FillSampleExtraDiameter(TExtraDiameter& x, int seed)
{
    const double k = seed;
    TExtraDiameterData& d = x.fData;
    d.Diameter = 24.5 * k;
    d.TopAngle = 118 + seed;
    d.LSValue = 1.75 * k;
    d.Remark = "COUNTERBORE " + std::to_string(seed);
    d.Hidden = true;
    d.Locked = false;
    d.CounterBore = false;
}

} // namespace qv::samples
