#pragma once
// Record layouts of the headerless generations: 3.00 (134-byte records) and
// 2.00 (227-byte records). A file is a block record followed by hole
// records; there is no header, the size alone tells the generation. The
// tests and the sample designs fill these structures and turn them into
// bytes with the Old300...Record and Old200...Record builders.
#include "testkit/OldBytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::samples {

inline constexpr size_t kOld300RecordSize = 134;
inline constexpr size_t kOld200RecordSize = 227;

// The 3.00 title: ten plain characters, eighteen packed into six Singles as
// two-digit codes (character code - 31, three to a Single) and one last
// character stored as its code - 32.
struct TOld300PackedTitle {
    std::string Start;             // up to 10 characters
    std::array<float, 6> Packed{}; // in file order: offsets 37, 41, 62, 66, 70, 74
    uint8_t Last = 0;

    // Packs an ASCII title of up to 29 characters from the codes 32 to 130.
    static TOld300PackedTitle Pack(std::string_view Title)
    {
        if (Title.size() > 29) throw std::length_error("a 3.00 title holds 29 characters");
        TOld300PackedTitle t;
        t.Start = std::string(Title.substr(0, 10));
        std::string_view rest = Title.size() > 10 ? Title.substr(10) : std::string_view();
        for (size_t i = 0; i < 6 && !rest.empty(); ++i) {
            const std::string_view part = rest.substr(0, 3);
            rest.remove_prefix(part.size());
            float v = 0;
            for (char c : part) v = v * 100 + float(static_cast<unsigned char>(c) - 31);
            t.Packed[i] = v;
        }
        if (!rest.empty()) t.Last = static_cast<uint8_t>(static_cast<unsigned char>(rest[0]) - 32);
        return t;
    }
};

struct TOld300Block {
    uint16_t FaceDistance = 0; // X + 100 * Y
    uint8_t Flags = 0;         // bits 0-2 plot flags, 3-4 draw flags, 6 inch
    float MaxX = 0, MaxY = 0, MaxZ = 0;
    float WallThickness = 0;
    std::string Drawing; // up to 15
    TOld300PackedTitle Title;
    std::array<float, 3> PackedFinish{}; // offsets 46, 50, 54
    float Finish0 = 0;
    float TextHeight = 0;
    uint8_t DrawFlags = 0;
    float Scale = 0;
    std::string Material; // up to 12
    std::string DrawnBy;  // up to 12
};

inline TByteRecord Old300BlockRecord(const TOld300Block& b)
{
    TByteRecord r(kOld300RecordSize);
    r.Word(2, b.FaceDistance).Byte(4, b.Flags);
    r.Single(5, b.MaxX).Single(9, b.MaxY).Single(13, b.MaxZ).Single(17, b.WallThickness);
    r.ShortText(21, 15, b.Drawing);
    const size_t packed[6] = {37, 41, 62, 66, 70, 74};
    for (size_t i = 0; i < 6; ++i) r.Single(packed[i], b.Title.Packed[i]);
    r.Single(46, b.PackedFinish[0]).Single(50, b.PackedFinish[1]).Single(54, b.PackedFinish[2]);
    r.Single(58, b.Finish0).Single(78, b.TextHeight).Byte(82, b.DrawFlags).Byte(83, b.Title.Last);
    r.ShortText(94, 10, b.Title.Start);
    r.Single(105, b.Scale);
    std::string names = b.Material;
    if (!b.DrawnBy.empty()) {
        names.resize(12, ' ');
        names += b.DrawnBy;
    }
    r.ShortText(109, 24, names);
    return r;
}

// One 3.00 hole record: the hole part (used when the hole number differs
// from the previous record's) and the step part (always used).
struct TOld300Hole {
    int16_t Number = 1;
    uint16_t Flags = 0; // 0-3 attributes, 4 pattern member/contour/valve, 5 pattern start, 6 member
    uint8_t Face = 1;
    float X = 0, Y = 0;
    float Angle = 0, AngleRotation = 0;
    std::string ItemNumber;   // up to 8
    std::string AssemblyFile; // up to 7
    float ValveX = 0, ValveY = 0;
    uint8_t ValveRotation = 0;
    std::array<std::array<float, 2>, 4> Contour{};
    float HoleContour = 0;
    uint8_t Dashed = 0;
    uint8_t StepNumber = 1;
    uint8_t StepFlags = 0; // bit 0 spot face, 1 thread, 2 hidden
    float Diameter = 0, Depth = 0;
    std::string Thread; // up to 10
    float Length = 0;
    std::string Remark; // up to 24

    // The same hole, one more step.
    TOld300Hole Step(uint8_t Number_, float Diameter_, float Depth_, std::string_view Remark_ = {}) const
    {
        TOld300Hole s = *this;
        s.StepNumber = Number_;
        s.StepFlags = 0;
        s.Diameter = Diameter_;
        s.Depth = Depth_;
        s.Thread.clear();
        s.Length = 0;
        s.Remark = std::string(Remark_);
        return s;
    }
};

inline TByteRecord Old300HoleRecord(const TOld300Hole& h)
{
    TByteRecord r(kOld300RecordSize);
    r.SmallInt(0, h.Number).Word(2, h.Flags).Byte(4, h.Face).Single(5, h.X).Single(9, h.Y);
    r.Single(13, h.Angle).Single(17, h.AngleRotation);
    std::string text = h.ItemNumber;
    if (!h.AssemblyFile.empty()) {
        text.resize(8, ' ');
        text += h.AssemblyFile;
    }
    r.ShortText(21, 15, text);
    r.Single(37, h.ValveX).Single(41, h.ValveY).Byte(45, h.ValveRotation);
    for (size_t i = 0; i < 4; ++i) r.Single(46 + 8 * i, h.Contour[i][0]).Single(50 + 8 * i, h.Contour[i][1]);
    r.Single(78, h.HoleContour).Byte(82, h.Dashed).Byte(83, h.StepNumber).Byte(84, h.StepFlags);
    r.Single(86, h.Diameter).Single(90, h.Depth).ShortText(94, 10, h.Thread).Single(105, h.Length);
    r.ShortText(109, 24, h.Remark);
    return r;
}

struct TOld200Block {
    float MaxX = 0, MaxY = 0, MaxZ = 0;
    float TextHeight = 0;
    float Scale = 0;
    std::string Material; // up to 44
    std::string Title, Drawing, DrawnBy; // up to 24 each
    int16_t FaceDistanceX = 0, FaceDistanceY = 0;
    std::array<float, 7> Finish{}; // elements 0 to 6
    std::string PlotOptions;       // the seven bytes 202 to 208 ("N" changes one); empty: none changed
};

inline TByteRecord Old200BlockRecord(const TOld200Block& b)
{
    TByteRecord r(kOld200RecordSize);
    r.Single(4, b.MaxX).Single(8, b.MaxY).Single(24, b.MaxZ).Single(28, b.TextHeight).Single(32, b.Scale);
    r.ShortText(36, 44, b.Material).ShortText(81, 24, b.Title).ShortText(106, 24, b.Drawing);
    r.ShortText(131, 24, b.DrawnBy);
    r.SmallInt(156, b.FaceDistanceX).SmallInt(158, b.FaceDistanceY);
    const size_t finish[7] = {174, 162, 178, 166, 182, 170, 186};
    for (size_t i = 0; i < 7; ++i) r.Single(finish[i], b.Finish[i]);
    if (!b.PlotOptions.empty()) {
        r.Byte(195, '!');
        for (size_t i = 0; i < b.PlotOptions.size() && i < 7; ++i)
            r.Byte(202 + i, static_cast<uint8_t>(b.PlotOptions[i]));
    }
    return r;
}

struct TOld200Step {
    float Diameter = 0, Depth = 0;
    std::string Thread; // up to 10
    float ThreadLength = 0;
    std::string Remark; // up to 24
};

// One 2.00 hole record: a whole hole with up to three steps.
struct TOld200Hole {
    uint16_t Pattern = 0; // 0 single, 1 first of a pattern, 2 and 3 further members
    int16_t Face = 1;
    float X = 0, Y = 0;
    std::array<TOld200Step, 3> Steps{};
    int16_t Closed = 0; // -1: a cartridge cavity
    int16_t ValveX = 0, ValveY = 0;
    float HoleContour = 0;                       // single holes; shares its place with point 4's X
    std::array<std::array<float, 2>, 4> Contour{}; // points 1 to 4
    std::string DashedFaces;                     // up to 5 characters
    std::string ItemNumber;                      // up to 15; written after the "$" mark
    char ValveRotation = '0';                    // "1": turned by 90 degrees
    float Angle = 0;
    float AngleRotation = 0;
};

inline TByteRecord Old200HoleRecord(const TOld200Hole& h)
{
    TByteRecord r(kOld200RecordSize);
    r.Word(0, h.Pattern).SmallInt(2, h.Face).Single(4, h.X).Single(8, h.Y);
    for (size_t i = 0; i < 3; ++i) {
        const TOld200Step& s = h.Steps[i];
        r.Single(12 + 4 * i, s.Diameter).Single(24 + 4 * i, s.Depth);
        r.ShortText(36 + 11 * i, 10, s.Thread).Single(69 + 4 * i, s.ThreadLength);
        r.ShortText(81 + 25 * i, 24, s.Remark);
    }
    r.SmallInt(156, h.Closed).SmallInt(158, h.ValveX).SmallInt(160, h.ValveY);
    const size_t xs[4] = {174, 170, 166, 162};
    const size_t ys[4] = {190, 186, 182, 178};
    for (size_t i = 0; i < 4; ++i) r.Single(xs[i], h.Contour[i][0]).Single(ys[i], h.Contour[i][1]);
    if (h.HoleContour != 0) r.Single(162, h.HoleContour);
    std::string marks = h.DashedFaces;
    if (!h.ItemNumber.empty()) {
        marks.resize(6, ' ');
        marks += '$';
        marks += h.ItemNumber;
    }
    r.ShortText(194, 23, marks);
    r.Byte(218, static_cast<uint8_t>(h.ValveRotation)).Single(219, h.Angle).Single(223, h.AngleRotation);
    return r;
}

// The bytes of a headless file: the block record, then one record per hole.
template <class TBlock, class THole, class BlockRecord, class HoleRecord>
std::string OldHeadlessFile(const TBlock& Block, const std::vector<THole>& Holes, BlockRecord blockRecord,
                            HoleRecord holeRecord)
{
    TByteFile f;
    f.Add(blockRecord(Block));
    for (const auto& h : Holes) f.Add(holeRecord(h));
    return f.Bytes();
}
inline std::string Old300File(const TOld300Block& Block, const std::vector<TOld300Hole>& Holes = {})
{
    return OldHeadlessFile(Block, Holes, Old300BlockRecord, Old300HoleRecord);
}
inline std::string Old200File(const TOld200Block& Block, const std::vector<TOld200Hole>& Holes = {})
{
    return OldHeadlessFile(Block, Holes, Old200BlockRecord, Old200HoleRecord);
}

} // namespace qv::samples
