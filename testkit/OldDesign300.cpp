// A small valve block in the 3.00 generation: pressure and tank ports, a
// cartridge cavity with its valve, a pattern of four mounting holes whose
// first hole carries the mounting contour, and a tilted drain hole.
#include "testkit/OldBytes200.h"
#include "testkit/OldDesigns.h"

namespace qv::samples {

std::string Old300Design()
{
    TByteFile f;
    TOld300Block block;
    block.FaceDistance = 35 + 100 * 45;
    block.Flags = 0x01 | 0x02 | 0x04 | 0x08 | 0x10; // extra text, border, drawing head, item numbers, pattern contours
    block.MaxX = 160;
    block.MaxY = 120;
    block.MaxZ = 80;
    block.WallThickness = 3;
    block.Drawing = "D-3001-A";
    block.Title = TOld300PackedTitle::Pack("LIFT CONTROL BLOCK HV-300");
    // Faces 1 to 6 in hundredths of a micrometre, two to a Single: the even
    // face in the thousands, the odd one in the remainder.
    block.PackedFinish = {160320.0f, 320320.0f, 80160.0f};
    block.Finish0 = 3.2f;
    block.TextHeight = 3.5f;
    block.DrawFlags = 0x01 | 0x10 | 0x40; // landscape, item numbers, contours
    block.Scale = 2;
    block.Material = "EN-GJS-400";
    block.DrawnBy = "J. Smit";
    f.Add(Old300BlockRecord(block));

    // 1: pressure port, a thread on top of a 10 mm channel. One record per
    // step, from the bottom of the hole up; the first carries the port's
    // name.
    TOld300Hole p;
    p.Number = 1;
    p.Face = 1;
    p.X = 30;
    p.Y = 30;
    p.Diameter = 10;
    p.Depth = 75;
    p.Remark = "@1 P";
    TOld300Hole p2 = p.Step(2, 16.5f, 18);
    p2.StepFlags = 0x02;
    p2.Thread = "M18x1.5";
    p2.Length = 14;
    f.Add(Old300HoleRecord(p)).Add(Old300HoleRecord(p2));

    // 2: tank port, with a spot face for the seal.
    TOld300Hole t;
    t.Number = 2;
    t.Face = 1;
    t.X = 130;
    t.Y = 30;
    t.Diameter = 10;
    t.Depth = 70;
    t.Remark = "T";
    f.Add(Old300HoleRecord(t));
    TOld300Hole t2 = t.Step(2, 11.8f, 20);
    t2.StepFlags = 0x02;
    t2.Thread = "G1/4";
    t2.Length = 14;
    TOld300Hole t3 = t.Step(3, 30, 1);
    t3.StepFlags = 0x01;
    f.Add(Old300HoleRecord(t2)).Add(Old300HoleRecord(t3));

    // 3: cartridge cavity with its valve and the valve's assembly drawing.
    TOld300Hole c;
    c.Number = 3;
    c.Flags = 0x04 | 0x10;
    c.Face = 5;
    c.X = 80;
    c.Y = 40;
    c.ItemNumber = "V1";
    c.AssemblyFile = "CV10";
    c.ValveX = 12;
    c.ValveY = -8;
    c.ValveRotation = 1;
    c.Diameter = 12.7f;
    c.Depth = 58;
    c.Remark = "A";
    TOld300Hole c3 = c.Step(3, 19.6f, 16);
    c3.StepFlags = 0x02;
    c3.Thread = "7/8-14UNF";
    c3.Length = 15;
    f.Add(Old300HoleRecord(c)).Add(Old300HoleRecord(c.Step(2, 17.5f, 40, "B"))).Add(Old300HoleRecord(c3));

    // 4-7: mounting holes for a subplate; the first opens the pattern and
    // carries its outline.
    const float corners[4][2] = {{20, 20}, {140, 20}, {140, 100}, {20, 100}};
    for (int i = 0; i < 4; ++i) {
        TOld300Hole m;
        m.Number = int16_t(4 + i);
        m.Flags = 0x08 | 0x10 | (i == 0 ? 0x20 : 0);
        m.Face = 6;
        m.X = corners[i][0];
        m.Y = corners[i][1];
        if (i == 0)
            for (int k = 0; k < 4; ++k) m.Contour[size_t(k)] = {corners[k][0], corners[k][1]};
        m.StepFlags = 0x02;
        m.Diameter = 6.8f;
        m.Depth = 20;
        m.Thread = "M8";
        m.Length = 16;
        f.Add(Old300HoleRecord(m));
    }

    // 8: drain, tilted 15 degrees on face 2.
    TOld300Hole d;
    d.Number = 8;
    d.Face = 2;
    d.X = 60;
    d.Y = 40;
    d.Angle = 15;
    d.Diameter = 6;
    d.Depth = 45;
    d.Remark = "Y";
    f.Add(Old300HoleRecord(d));
    return f.Bytes();
}

} // namespace qv::samples
