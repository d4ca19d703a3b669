// A small valve block in the 2.00 generation: pressure and tank ports (the
// tank port with a spot face), a cartridge cavity with its valve, a pattern
// of four mounting holes with the mounting contour, and a tilted drain. Nine
// records of 227 bytes: a size that is no multiple of 134, so the file is
// not taken for a 3.00 file.
#include "testkit/OldBytes200.h"
#include "testkit/OldDesigns.h"

namespace qv::samples {

std::string Old200Design()
{
    TByteFile f;
    TOld200Block block;
    block.MaxX = 160;
    block.MaxY = 120;
    block.MaxZ = 80;
    block.TextHeight = 3.5f;
    block.Scale = 2;
    block.Material = "EN-GJS-400";
    block.Title = "LIFT CONTROL BLOCK";
    block.Drawing = "D-2001";
    block.DrawnBy = "J. Smit";
    block.FaceDistanceX = 35;
    block.FaceDistanceY = 45;
    block.Finish = {3.2f, 3.2f, 1.6f, 3.2f, 3.2f, 1.6f, 6.3f};
    block.PlotOptions = "  N  NN"; // XY coordinates, alternate layout, landscape
    f.Add(Old200BlockRecord(block));

    // 1: pressure port.
    TOld200Hole p;
    p.Face = 1;
    p.X = 30;
    p.Y = 30;
    // Steps from the bottom of the hole up: the first carries the port's name.
    p.Steps[0] = {10, 75, "", 0, "P"};
    p.Steps[1] = {16.5f, 18, "M18x1,5", 14, ""};
    f.Add(Old200HoleRecord(p));

    // 2: tank port with a spot face for the seal ring.
    TOld200Hole t;
    t.Face = 1;
    t.X = 130;
    t.Y = 30;
    t.Steps[0] = {10, 70, "", 0, "T"};
    t.Steps[1] = {11.8f, 20, "G1/4", 14, ""};
    t.Steps[2] = {30, 1, "", 0, "VLAK"}; // "vlak": flat, a spot face
    f.Add(Old200HoleRecord(t));

    // 3: cartridge cavity with its valve, item number turned upright.
    TOld200Hole c;
    c.Face = 5;
    c.X = 80;
    c.Y = 40;
    c.Closed = -1;
    c.Steps[0] = {12.7f, 58, "", 0, "A"};
    c.Steps[1] = {17.5f, 40, "", 0, "B"};
    c.Steps[2] = {19.6f, 16, "7/8-14UNF", 15, ""};
    c.ItemNumber = "V1";
    c.ValveX = 12;
    c.ValveY = -8;
    c.ValveRotation = '1';
    c.DashedFaces = "26";
    f.Add(Old200HoleRecord(c));

    // 4-7: subplate mounting holes; the first starts the pattern and holds
    // its outline.
    const float corners[4][2] = {{20, 20}, {140, 20}, {140, 100}, {20, 100}};
    for (int i = 0; i < 4; ++i) {
        TOld200Hole m;
        m.Pattern = i == 0 ? 1 : 2;
        m.Face = 6;
        m.X = corners[i][0];
        m.Y = corners[i][1];
        m.Steps[0] = {6.8f, 20, "M8", 16, ""};
        if (i == 0)
            for (int k = 0; k < 4; ++k) m.Contour[size_t(k)] = {corners[k][0], corners[k][1]};
        f.Add(Old200HoleRecord(m));
    }

    // 8: drain, tilted 20 degrees.
    TOld200Hole d;
    d.Face = 2;
    d.X = 60;
    d.Y = 40;
    d.Angle = 20;
    d.AngleRotation = 1;
    d.Steps[0] = {6, 45, "", 0, "Y"};
    f.Add(Old200HoleRecord(d));
    return f.Bytes();
}

} // namespace qv::samples
