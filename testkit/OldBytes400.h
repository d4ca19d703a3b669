#pragma once
// Byte layouts of the 4.00, 4.10, 4.15 and 4.20 files, for the tests and the
// old sample designs: the two header blocks after the 40-byte header, and
// the typed records (a code byte, then the record) that follow up to the
// code 255.
#include "testkit/OldBytes.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv::samples {

// The drawing set-up of one drawing (production or assembly).
struct TOld400Drawing {
    float Scale = 2.0f;
    float FaceDistanceX = 40.0f, FaceDistanceY = 40.0f;
    float TextDefault = 3.5f, TextItem = 5.0f, TextExtra = 2.5f;
    bool Landscape = true;
    bool American = false;
    bool Alternate = false, Contours = true, ItemNumbers = true, Border = true, DrawingHead = true;
};

// Everything the two header blocks hold.
struct TOld400Header {
    int Year = 2001, Month = 3, Day = 14, Hour = 9, Minute = 30, Second = 5;
    bool Inch = false;
    float MaxX = 160, MaxY = 120, MaxZ = 90;
    std::string Title, Number, DrawnBy;                 // block A
    std::string Drawing, DrawnByB, NumberB, Material;   // block B
    float Wallthickness = 3.0f;
    std::array<float, 7> FinishFace{3.2f, 3.2f, 3.2f, 3.2f, 3.2f, 3.2f, 3.2f};
    uint16_t CalcHole1 = 0, CalcHole2 = 0;              // 4.10 and later
    float HoleFactor = 0.9f, MassDensity = 7800.0f;     // 4.10 and later
    bool HiddenSteps = true;                            // 4.15 and 4.20
    TOld400Drawing Drawings[2];
    uint8_t Origin = 1;                                 // stored plus one
    bool XYCoordinates = false, DashHoles = false, SurfaceFinish = false, ExtraText = false;
};

// Record sizes; those that depend on the version are functions of it.
inline size_t Old400BlockASize(int Version) { return Version == 400 ? 145 : 147; }
inline size_t Old400BlockBSize(int Version) { return Version == 400 ? 326 : Version == 420 ? 397 : 361; }
inline constexpr size_t kOld400HoleSize = 26;
inline constexpr size_t kOld400StepSize = 92;
inline constexpr size_t kOld400ValveItemSize = 21;
inline size_t Old400ValveAssemblySize(int Version) { return Version == 420 ? 38 : 30; }
inline constexpr size_t kOld400ValveComponentSize = 70;
inline constexpr size_t kOld400ContourSize = 8;
inline constexpr size_t kOld400GroupSize = 8;

inline TByteRecord Old400BlockARecord(int Version, const TOld400Header& h)
{
    TByteRecord r(Old400BlockASize(Version));
    const size_t s = Version == 400 ? 2 : 0;
    r.Word(1, static_cast<uint16_t>(h.Year));
    r.Byte(3, static_cast<uint8_t>(h.Month)).Byte(4, static_cast<uint8_t>(h.Day));
    r.Byte(5, static_cast<uint8_t>(h.Hour)).Byte(6, static_cast<uint8_t>(h.Minute));
    r.Byte(7, static_cast<uint8_t>(h.Second));
    r.Byte(37, h.Inch ? 1 : 0);
    r.Single(42 - s, h.MaxX).Single(46 - s, h.MaxY).Single(50 - s, h.MaxZ);
    r.ShortText(54 - s, 30, h.Title).ShortText(85 - s, 30, h.Number).ShortText(116 - s, 30, h.DrawnBy);
    return r;
}

inline TByteRecord Old400BlockBRecord(int Version, const TOld400Header& h)
{
    TByteRecord r(Old400BlockBSize(Version));
    const bool v420 = Version == 420;
    // Document part.
    struct { size_t Drawing, DrawnBy, Number, Material, Wall, Finish, CalcHole, Factor, Density; } o{};
    if (Version == 400) o = {289, 263, 233, 276, 201, 205, 0, 0, 0};
    else if (v420) o = {293, 267, 237, 280, 205, 209, 309, 317, 313};
    else o = {311, 285, 255, 298, 223, 227, 329, 337, 333};
    r.ShortText(o.Drawing, 12, h.Drawing).ShortText(o.DrawnBy, 12, h.DrawnByB);
    r.ShortText(o.Number, 29, h.NumberB).ShortText(o.Material, 12, h.Material);
    r.Single(o.Wall, h.Wallthickness);
    for (size_t i = 0; i < 7; ++i) r.Single(o.Finish + 4 * i, h.FinishFace[i]);
    if (o.CalcHole) {
        r.Word(o.CalcHole, h.CalcHole1).Word(o.CalcHole + 2, h.CalcHole2);
        r.Single(o.Factor, h.HoleFactor).Single(o.Density, h.MassDensity);
    }
    if (Version == 415) r.Byte(342, h.HiddenSteps ? 1 : 0);
    if (v420) r.Bit(202, 3, h.HiddenSteps);
    // Drawing set-up.
    for (int k = 0; k < 2; ++k) {
        const TOld400Drawing& d = h.Drawings[k];
        const size_t dist = k == 0 ? 9 : (v420 ? 98 : 104);
        const size_t scale = k == 0 ? (v420 ? 17 : 24) : (v420 ? 106 : 119);
        const size_t text = k == 0 ? (v420 ? 21 : 28) : (v420 ? 110 : 123);
        const size_t flags = k == 0 ? (v420 ? 33 : 17) : (v420 ? 122 : 112);
        r.Single(dist, d.FaceDistanceX).Single(dist + 4, d.FaceDistanceY).Single(scale, d.Scale);
        r.Single(text, d.TextDefault).Single(text + 4, d.TextItem).Single(text + 8, d.TextExtra);
        const bool bits[7] = {d.Landscape, d.American, d.Alternate, d.Contours, d.ItemNumbers, d.Border, d.DrawingHead};
        for (int i = 0; i < 7; ++i) {
            if (v420) r.Bit(flags, i, bits[i]);
            else r.Byte(flags + size_t(i), bits[i] ? 1 : 0);
        }
    }
    const bool shared[4] = {h.XYCoordinates, h.DashHoles, h.SurfaceFinish, h.ExtraText};
    if (v420) {
        for (int i = 0; i < 4; ++i) r.Bit(201, i + 1, shared[i]);
        r.Byte(203, h.Origin);
    } else {
        const size_t base = Version == 400 ? 193 : 214;
        const size_t at[4] = {base, base + 2, base + 3, base + 4};
        for (int i = 0; i < 4; ++i) r.Byte(at[i], shared[i] ? 1 : 0);
        r.Byte(base + 1, h.Origin);
    }
    return r;
}

// A file up to the typed records: header and both header blocks.
inline TByteFile Old400File(int Version, const TOld400Header& h)
{
    static const char* names[] = {"4.00", "4.10", "4.15", "4.20"};
    const char* name = Version == 400 ? names[0] : Version == 410 ? names[1] : Version == 415 ? names[2] : names[3];
    TByteFile f;
    f.Header(name).Add(Old400BlockARecord(Version, h)).Add(Old400BlockBRecord(Version, h));
    return f;
}

// Typed records: the code byte followed by the record.
inline TByteFile& Old400AddTyped(TByteFile& f, uint8_t Code, const TByteRecord& r) { return f.Byte(Code).Add(r); }

struct TOld400Hole {
    uint16_t Number = 1;
    uint8_t FlagsA = 0, FlagsB = 0;
    uint8_t Face = 1;
    float XXY = 0, YZZ = 0;
    uint8_t Dashed = 0;
    float Contour = 0, AngleValue = 0, AngleRotation = 0;
};

inline TByteRecord Old400HoleRecord(const TOld400Hole& h)
{
    TByteRecord r(kOld400HoleSize);
    r.Word(0, h.Number).Byte(2, h.FlagsA).Byte(3, h.FlagsB).Byte(4, h.Face);
    r.Single(5, h.XXY).Single(9, h.YZZ).Byte(13, h.Dashed);
    r.Single(14, h.Contour).Single(18, h.AngleValue).Single(22, h.AngleRotation);
    return r;
}

struct TOld400Step {
    uint8_t Number = 1;
    uint8_t Flags = 0; // bit 0 spot-faced, 1 threaded, 2 hidden
    float Diameter = 10, Depth = 20;
    std::string Thread;
    float Length = 0;
    std::string Remark;
    uint16_t TopAngle = 120;
    float OutsideDiameter = 0;
    std::string MachineCode, GroupCode;
    float PortMin = 0, PortMax = 0;
};

inline TByteRecord Old400StepRecord(const TOld400Step& s)
{
    TByteRecord r(kOld400StepSize);
    r.Byte(0, s.Number).Byte(1, s.Flags).Single(3, s.Diameter).Single(7, s.Depth);
    r.ShortText(11, 10, s.Thread).Single(22, s.Length).ShortText(26, 24, s.Remark);
    r.Word(51, s.TopAngle).Single(53, s.OutsideDiameter).ShortText(57, 20, s.MachineCode);
    r.ShortText(78, 5, s.GroupCode).Single(84, s.PortMin).Single(88, s.PortMax);
    return r;
}

// Code 4: item number and its label.
inline TByteRecord Old400ValveItemRecord(const std::string& Item, float OffsetX, float OffsetY, uint16_t Rotation)
{
    TByteRecord r(kOld400ValveItemSize);
    r.ShortText(0, 10, Item).Single(11, OffsetX).Single(15, OffsetY).Word(19, Rotation);
    return r;
}

// Code 3: assembly data; 4.20 has the longer file name.
inline TByteRecord Old400ValveAssemblyRecord(int Version, const std::string& File, float X, float Y, float Angle,
                                             bool Contour)
{
    const bool v420 = Version == 420;
    TByteRecord r(Old400ValveAssemblySize(Version));
    const size_t p = v420 ? 25 : 17;
    r.ShortText(9, v420 ? 15 : 7, File).Single(p, X).Single(p + 4, Y).Single(p + 8, Angle);
    r.Byte(p + 12, Contour ? 1 : 0);
    return r;
}

// Code 7: component data.
inline TByteRecord Old400ValveComponentRecord(const std::string& Manufacturer, const std::string& Type,
                                              const std::string& Description, float Weight)
{
    TByteRecord r(kOld400ValveComponentSize);
    r.ShortText(0, 15, Manufacturer).ShortText(16, 24, Type).ShortText(41, 24, Description).Single(66, Weight);
    return r;
}

// Code 5.
inline TByteRecord Old400ContourRecord(float X, float Y)
{
    return TByteRecord(kOld400ContourSize).Single(0, X).Single(4, Y);
}

// Code 8: a group with its colour index.
inline TByteRecord Old400GroupRecord(const std::string& Code, uint8_t ColorIndex)
{
    return TByteRecord(kOld400GroupSize).ShortText(0, 5, Code).Byte(6, ColorIndex);
}

// Code 6: the comment text as UTF-16 code units; lines end with 13 and the
// text with 3, which the caller includes.
inline TByteRecord Old400CommentsRecord(const std::u16string& Units)
{
    TByteRecord r(2 * Units.size());
    for (size_t i = 0; i < Units.size(); ++i) r.Word(2 * i, Units[i]);
    return r;
}

} // namespace qv::samples
