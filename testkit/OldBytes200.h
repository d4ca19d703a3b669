#pragma once
// Record layouts of the headerless generations: 3.00 (134-byte records) and
// 2.00 (227-byte records). A file is a block record followed by hole
// records; there is no header, the size alone tells the generation. The
// tests and the sample designs fill these structures and turn them into
// bytes with Record().
#include "testkit/OldBytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::samples {

inline constexpr size_t kRecord300 = 134;
inline constexpr size_t kRecord200 = 227;

// The 3.00 title: ten plain characters, eighteen packed into six Singles as
// two-digit codes (character code - 31, three to a Single) and one last
// character stored as its code - 32.
struct TPackedTitle300 {
    std::string Start;             // up to 10 characters
    std::array<float, 6> Packed{}; // in file order: offsets 37, 41, 62, 66, 70, 74
    uint8_t Last = 0;

    // Packs an ASCII title of up to 29 characters from the codes 32 to 130.
    static TPackedTitle300 Pack(std::string_view Title)
    {
        if (Title.size() > 29) throw std::length_error("a 3.00 title holds 29 characters");
        TPackedTitle300 t;
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

struct TBlock300 {
    uint16_t FaceDistance = 0; // X + 100 * Y
    uint8_t Flags = 0;         // bits 0-2 plot flags, 3-4 draw flags, 6 inch
    float MaxX = 0, MaxY = 0, MaxZ = 0;
    float WallThickness = 0;
    std::string Drawing; // up to 15
    TPackedTitle300 Title;
    std::array<float, 3> PackedFinish{}; // offsets 46, 50, 54
    float Finish0 = 0;
    float TextHeight = 0;
    uint8_t DrawFlags = 0;
    float Scale = 0;
    std::string Material; // up to 12
    std::string DrawnBy;  // up to 12

    TByteRecord Record() const
    {
        TByteRecord r(kRecord300);
        r.Word(2, FaceDistance).Byte(4, Flags);
        r.Single(5, MaxX).Single(9, MaxY).Single(13, MaxZ).Single(17, WallThickness);
        r.ShortText(21, 15, Drawing);
        const size_t packed[6] = {37, 41, 62, 66, 70, 74};
        for (size_t i = 0; i < 6; ++i) r.Single(packed[i], Title.Packed[i]);
        r.Single(46, PackedFinish[0]).Single(50, PackedFinish[1]).Single(54, PackedFinish[2]);
        r.Single(58, Finish0).Single(78, TextHeight).Byte(82, DrawFlags).Byte(83, Title.Last);
        r.ShortText(94, 10, Title.Start);
        r.Single(105, Scale);
        std::string names = Material;
        if (!DrawnBy.empty()) {
            names.resize(12, ' ');
            names += DrawnBy;
        }
        r.ShortText(109, 24, names);
        return r;
    }
};

// One 3.00 hole record: the hole part (used when the hole number differs
// from the previous record's) and the step part (always used).
struct THole300 {
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

    TByteRecord Record() const
    {
        TByteRecord r(kRecord300);
        r.SmallInt(0, Number).Word(2, Flags).Byte(4, Face).Single(5, X).Single(9, Y);
        r.Single(13, Angle).Single(17, AngleRotation);
        std::string text = ItemNumber;
        if (!AssemblyFile.empty()) {
            text.resize(8, ' ');
            text += AssemblyFile;
        }
        r.ShortText(21, 15, text);
        r.Single(37, ValveX).Single(41, ValveY).Byte(45, ValveRotation);
        for (size_t i = 0; i < 4; ++i) r.Single(46 + 8 * i, Contour[i][0]).Single(50 + 8 * i, Contour[i][1]);
        r.Single(78, HoleContour).Byte(82, Dashed).Byte(83, StepNumber).Byte(84, StepFlags);
        r.Single(86, Diameter).Single(90, Depth).ShortText(94, 10, Thread).Single(105, Length);
        r.ShortText(109, 24, Remark);
        return r;
    }
    // The same hole, one more step.
    THole300 Step(uint8_t Number_, float Diameter_, float Depth_, std::string_view Remark_ = {}) const
    {
        THole300 s = *this;
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

struct TBlock200 {
    float MaxX = 0, MaxY = 0, MaxZ = 0;
    float TextHeight = 0;
    float Scale = 0;
    std::string Material; // up to 44
    std::string Title, Drawing, DrawnBy; // up to 24 each
    int16_t FaceDistanceX = 0, FaceDistanceY = 0;
    std::array<float, 7> Finish{}; // elements 0 to 6
    std::string PlotOptions;       // the seven bytes 202 to 208 ("N" changes one); empty: none changed

    TByteRecord Record() const
    {
        TByteRecord r(kRecord200);
        r.Single(4, MaxX).Single(8, MaxY).Single(24, MaxZ).Single(28, TextHeight).Single(32, Scale);
        r.ShortText(36, 44, Material).ShortText(81, 24, Title).ShortText(106, 24, Drawing);
        r.ShortText(131, 24, DrawnBy);
        r.SmallInt(156, FaceDistanceX).SmallInt(158, FaceDistanceY);
        const size_t finish[7] = {174, 162, 178, 166, 182, 170, 186};
        for (size_t i = 0; i < 7; ++i) r.Single(finish[i], Finish[i]);
        if (!PlotOptions.empty()) {
            r.Byte(195, '!');
            for (size_t i = 0; i < PlotOptions.size() && i < 7; ++i)
                r.Byte(202 + i, static_cast<uint8_t>(PlotOptions[i]));
        }
        return r;
    }
};

struct TStep200 {
    float Diameter = 0, Depth = 0;
    std::string Thread; // up to 10
    float ThreadLength = 0;
    std::string Remark; // up to 24
};

// One 2.00 hole record: a whole hole with up to three steps.
struct THole200 {
    uint16_t Pattern = 0; // 0 single, 1 first of a pattern, 2 and 3 further members
    int16_t Face = 1;
    float X = 0, Y = 0;
    std::array<TStep200, 3> Steps{};
    int16_t Closed = 0; // -1: a cartridge cavity
    int16_t ValveX = 0, ValveY = 0;
    float HoleContour = 0;                       // single holes; shares its place with point 4's X
    std::array<std::array<float, 2>, 4> Contour{}; // points 1 to 4
    std::string DashedFaces;                     // up to 5 characters
    std::string ItemNumber;                      // up to 15; written after the "$" mark
    char ValveRotation = '0';                    // "1": turned by 90 degrees
    float Angle = 0;
    float AngleRotation = 0;

    TByteRecord Record() const
    {
        TByteRecord r(kRecord200);
        r.Word(0, Pattern).SmallInt(2, Face).Single(4, X).Single(8, Y);
        for (size_t i = 0; i < 3; ++i) {
            const TStep200& s = Steps[i];
            r.Single(12 + 4 * i, s.Diameter).Single(24 + 4 * i, s.Depth);
            r.ShortText(36 + 11 * i, 10, s.Thread).Single(69 + 4 * i, s.ThreadLength);
            r.ShortText(81 + 25 * i, 24, s.Remark);
        }
        r.SmallInt(156, Closed).SmallInt(158, ValveX).SmallInt(160, ValveY);
        const size_t xs[4] = {174, 170, 166, 162};
        const size_t ys[4] = {190, 186, 182, 178};
        for (size_t i = 0; i < 4; ++i) r.Single(xs[i], Contour[i][0]).Single(ys[i], Contour[i][1]);
        if (HoleContour != 0) r.Single(162, HoleContour);
        std::string marks = DashedFaces;
        if (!ItemNumber.empty()) {
            marks.resize(6, ' ');
            marks += '$';
            marks += ItemNumber;
        }
        r.ShortText(194, 23, marks);
        r.Byte(218, static_cast<uint8_t>(ValveRotation)).Single(219, Angle).Single(223, AngleRotation);
        return r;
    }
};

} // namespace qv::samples
