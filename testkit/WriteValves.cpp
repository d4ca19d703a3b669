#include "testkit/WriteValves.h"

#include <string>

namespace qv::samples {

void WriteValve(TQuorvaneFile& HF, const TValveData& d, const TWriteOptions& o)
{
    TFieldWriter w(HF, o);
    w.Var(30000);
    w.Integer(30010, d.ValveNumber);
    w.String(30020, d.ItemNumber);
    w.Double(30031, d.Offset.X, 0.0);
    w.Double(30032, d.Offset.Y, 0.0);
    w.Integer(30050, d.Rotation, 0);
    if (!o.ViewerFile) {
        w.String(30060, d.DetailDrawing);
        w.String(30070, d.AssemblyFile);
        w.Double(30081, d.InsertionPoint.X, 0.0);
        w.Double(30082, d.InsertionPoint.Y, 0.0);
        w.Double(30091, d.NextInsertionPoint.X, 0.0);
        w.Double(30092, d.NextInsertionPoint.Y, 0.0);
        w.Double(30200, d.RotationAngle, 0.0);
        w.Boolean(30210, d.ContourInAssembly, false);
        w.String(30220, d.Manufacturer);
        w.String(30230, d.ComponentType);
        w.String(30240, d.Description);
        w.Double(30250, d.Height);
        w.Double(30260, d.Weight);
        w.String(30270, d.ArticleCode);
        w.String(30280, d.ComponentFile);
        w.String(30290, d.SymbolFile);
        w.String(30300, d.DataSheet);
        w.String(30302, d.DataSheetInterface);
        w.String(30320, d.QuorvaneFile);
        w.String(30340, d.Size);
        w.Integer(30342, d.PelomyraHandle);
        w.Boolean(30344, d.IsOrifice, false);
        w.String(30346, d.OrificePort);
        w.Boolean(30348, d.Engraved);
    }
    w.Var(39999);
}

void WriteExtraDiameter(TQuorvaneFile& HF, const TExtraDiameterData& d, const TWriteOptions& o)
{
    TFieldWriter w(HF, o);
    w.Var(28000);
    w.Double(28010, d.Diameter);
    w.Double(28020, d.LSValue);
    w.Integer(28030, d.TopAngle);
    w.String(28040, d.Remark);
    // The design program stores Hidden and Locked only when they are set.
    w.Boolean(28050, d.Hidden, false);
    w.Boolean(28060, d.CounterBore);
    w.Boolean(28062, d.Locked, false);
    w.Var(28999);
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
