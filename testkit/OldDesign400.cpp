// A small pressure-relief manifold as the design program's versions 4.00 to
// 4.20 wrote it: a 160 x 120 x 90 block with a P and a T port (threaded,
// spot-faced), a cartridge cavity with its relief valve between them, and a
// pattern of three mounting holes in the bottom face.
#include "testkit/OldBytes400.h"
#include "testkit/OldDesigns.h"

namespace qv::samples {

namespace {

// Flags A of a hole record: bit 2 a cartridge cavity, bit 3 a mounting hole,
// bit 5 the first hole of a pattern, bit 4 a further member.
constexpr uint8_t kCavity = 0x04;
constexpr uint8_t kMounting = 0x08;
constexpr uint8_t kPatternStart = 0x20;
constexpr uint8_t kPatternMember = 0x10;
// Flags B: bit 1 dimensioned, bit 3 connected.
constexpr uint8_t kMeasure = 0x02;
constexpr uint8_t kConnect = 0x08;

// A G 1/4 port. Steps are listed from the bottom of the hole up, as the
// design program keeps them: the drilling that carries the port's name, the
// thread, then the spot face at the block face.
void Port(TByteFile& f, uint16_t Number, float X, float Z, const char* Group, const char* Remark, float Depth)
{
    TOld400Hole h;
    h.Number = Number;
    h.FlagsB = kMeasure | kConnect;
    h.Face = 2; // front face
    h.XXY = X;
    h.YZZ = Z;
    Old400AddTyped(f, 1, Old400HoleRecord(h));

    TOld400Step s;
    s.Number = 1;
    s.Diameter = 8.0f;
    s.Depth = Depth;
    s.Remark = Remark;
    s.TopAngle = 118;
    s.GroupCode = Group;
    s.PortMin = 8.0f;
    s.PortMax = 8.0f;
    Old400AddTyped(f, 2, Old400StepRecord(s));

    s = TOld400Step{};
    s.Number = 2;
    s.Flags = 0x02; // threaded
    s.Diameter = 11.445f;
    s.Depth = 16.0f;
    s.Thread = "G1/4";
    s.Length = 12.0f;
    s.OutsideDiameter = 13.157f;
    s.TopAngle = 118;
    s.GroupCode = Group;
    Old400AddTyped(f, 2, Old400StepRecord(s));

    s = TOld400Step{};
    s.Number = 3;
    s.Flags = 0x01; // spot-faced
    s.Diameter = 25.0f;
    s.Depth = 1.0f;
    s.TopAngle = 180;
    s.GroupCode = Group;
    Old400AddTyped(f, 2, Old400StepRecord(s));
}

} // namespace

std::string Old400Design(int Version)
{
    TOld400Header h;
    h.Year = 2002;
    h.Month = 11;
    h.Day = 27;
    h.Hour = 14;
    h.Minute = 5;
    h.Second = 40;
    h.MaxX = 160;
    h.MaxY = 120;
    h.MaxZ = 90;
    h.Title = "Relief block RV-160";
    h.Number = "P-2002-117";
    h.DrawnBy = "J. Maas";
    h.Drawing = "D-4711";
    h.DrawnByB = "JM";
    h.NumberB = "P-2002-117";
    h.Material = "AlMgSi1";
    h.Wallthickness = 2.5f;
    h.FinishFace = {3.2f, 1.6f, 1.6f, 3.2f, 3.2f, 3.2f, 0.8f};
    h.CalcHole1 = 1;
    h.CalcHole2 = 3;
    h.HoleFactor = 0.9f;
    h.MassDensity = 2700.0f;
    h.HiddenSteps = false;
    h.Drawings[0].Scale = 1.0f;
    h.Drawings[0].FaceDistanceX = 30.0f;
    h.Drawings[0].FaceDistanceY = 25.0f;
    h.Drawings[1].Scale = 0.5f;
    h.Drawings[1].Alternate = true;
    h.Drawings[1].American = true;
    h.Origin = 2;
    h.XYCoordinates = true;
    h.ExtraText = true;

    TByteFile f = Old400File(Version, h);

    Old400AddTyped(f, 8, Old400GroupRecord("P", 12)); // red
    Old400AddTyped(f, 8, Old400GroupRecord("T", 9));  // blue
    Old400AddTyped(f, 8, Old400GroupRecord("M", 8));  // grey

    // Comment lines; the second has a plus-minus sign, the empty line
    // between them is not kept by the reader.
    Old400AddTyped(f, 6,
                   Old400CommentsRecord(u"Max. working pressure 210 bar\r\rRelief setting 180 \u00B1 5 bar\r\u0003"));

    Port(f, 1, 40.0f, 45.0f, "P", "@1P", 70.0f);
    Port(f, 2, 120.0f, 45.0f, "T", "@1T", 70.0f);

    // Cartridge cavity for a relief valve, drilled from the top face into
    // the P and T drillings.
    {
        TOld400Hole cav;
        cav.Number = 3;
        cav.FlagsA = kCavity;
        cav.FlagsB = kMeasure;
        cav.Face = 1;
        cav.XXY = 80.0f;
        cav.YZZ = 60.0f;
        cav.Contour = 40.0f;
        Old400AddTyped(f, 1, Old400HoleRecord(cav));
        const struct { float D, Depth; uint8_t Flags; const char* Thread; uint16_t Top; const char* Remark; } steps[] = {
            {12.7f, 45.0f, 0x00, "", 118, "CV08-20"},
            {17.5f, 32.0f, 0x00, "", 118, ""},
            {19.05f, 17.5f, 0x02, "3/4-16UNF", 118, ""},
            {32.0f, 1.5f, 0x01, "", 180, ""},
        };
        uint8_t n = 1;
        for (const auto& st : steps) {
            TOld400Step s;
            const bool first = n == 1;
            s.Number = n++;
            s.Flags = st.Flags;
            s.Diameter = st.D;
            s.Depth = st.Depth;
            s.Thread = st.Thread;
            s.TopAngle = st.Top;
            s.Remark = st.Remark;
            s.MachineCode = first ? "CT-0820" : "";
            s.GroupCode = "P";
            Old400AddTyped(f, 2, Old400StepRecord(s));
        }
        Old400AddTyped(f, 5, Old400ContourRecord(-20.0f, -20.0f));
        Old400AddTyped(f, 5, Old400ContourRecord(20.0f, 20.0f));
        Old400AddTyped(f, 4, Old400ValveItemRecord("1", 25.0f, 10.0f, 1));
        Old400AddTyped(f, 3, Old400ValveAssemblyRecord(Version, "RV08", 80.0f, 60.0f, 90.0f, true));
        const TByteRecord component =
            Old400ValveComponentRecord("Velk Hydraulik", "RV08-20A-0-N-35", "Relief valve 35-210 bar", 0.25f);
        Old400AddTyped(f, 7, component);
    }

    // Three mounting holes M8 in the bottom face, one pattern.
    const float mounts[3][2] = {{15.0f, 15.0f}, {145.0f, 15.0f}, {80.0f, 105.0f}};
    for (int i = 0; i < 3; ++i) {
        TOld400Hole m;
        m.Number = static_cast<uint16_t>(4 + i);
        m.FlagsA = static_cast<uint8_t>(kMounting | (i == 0 ? kPatternStart : kPatternMember));
        m.Face = 6;
        m.XXY = mounts[i][0];
        m.YZZ = mounts[i][1];
        Old400AddTyped(f, 1, Old400HoleRecord(m));
        TOld400Step s;
        s.Number = 1;
        s.Flags = 0x02;
        s.Diameter = 6.8f;
        s.Depth = 20.0f;
        s.Thread = "M8";
        s.Length = 16.0f;
        s.OutsideDiameter = 8.0f;
        s.GroupCode = "M";
        Old400AddTyped(f, 2, Old400StepRecord(s));
    }

    f.Byte(255);
    return f.Bytes();
}

} // namespace qv::samples
