// The pieces every old-generation reader shares: the record cursor that never
// reads past a record or the file, Single rounding, dates, the angle
// normalisation and pattern membership.
#include "document/old/OldFormats.h"
#include "model/HoleLists.h"
#include "model/ModelTypes.h"
#include "testkit/OldBytes.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qv;
using samples::TByteRecord;

TEST(OldFormats, RoundSingleToTenThousandthsTiesToEven)
{
    // (2k+1)/32 are the Singles that lie exactly halfway between two
    // ten-thousandths: 1/32 = 0.03125, 3/32 = 0.09375.
    const struct { float in; double out; } cases[] = {
        {12.7f, 12.7},          {0.03125f, 0.0312},  {0.09375f, 0.0938},   {-0.03125f, -0.0312},
        {-0.09375f, -0.0938},   {3.2f, 3.2},         {1234.5678f, 1234.5677}, {0.0f, 0.0},
        {0.00004f, 0.0},        {0.00006f, 0.0001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_DOUBLE_EQ(RoundSingle(c.in), c.out);
    }
}

TEST(OldFormats, RecordFieldsAtOffsetsAndNothingOutside)
{
    TByteRecord b(40);
    b.Byte(0, 0xFE).Word(1, 0xBEEF).SmallInt(3, -2).Integer(5, -123456).Single(9, 2.5f).Double(13, -1.25);
    b.ShortText(21, 10, "Öl-T");
    TOldRecord r(b.Bytes());
    EXPECT_EQ(r.Byte(0), 0xFE);
    EXPECT_EQ(r.Word(1), 0xBEEF);
    EXPECT_EQ(r.SmallInt(3), -2);
    EXPECT_EQ(r.Integer(5), -123456);
    EXPECT_EQ(r.Single(9), 2.5f);
    EXPECT_EQ(r.Double(13), -1.25);
    EXPECT_EQ(r.ShortText(21, 10), "Öl-T"); // Windows-1252 in the file
    EXPECT_TRUE(r.Flag(0));

    // Beyond the record: zeros and empty texts, also for a field that only
    // starts inside it.
    EXPECT_EQ(r.Byte(40), 0);
    EXPECT_EQ(r.Integer(38), static_cast<int32_t>(r.Word(38)));
    EXPECT_EQ(r.Double(1000), 0.0);
    EXPECT_EQ(r.ShortText(40, 10), "");
}

TEST(OldFormats, ShortTextLengthByteIsCappedByTheFieldAndTheRecord)
{
    TByteRecord b(12);
    b.RawShortText(0, 5, "ABCDE").Byte(0, 200); // damaged length byte
    b.RawShortText(6, 5, "XYZ").Byte(6, 9);
    EXPECT_EQ(TOldRecord(b.Bytes()).RawShortText(0, 5), "ABCDE");
    // The second field's 5 bytes are all there, but only within the record.
    EXPECT_EQ(TOldRecord(b.Bytes()).RawShortText(6, 5), std::string_view("XYZ\0\0", 5));
    EXPECT_EQ(TOldRecord(b.Bytes().substr(0, 9)).RawShortText(6, 5), "XY");
}

TEST(OldFormats, CursorNeverHandsOutAPartialRecord)
{
    TOldFile f(std::string("\x01\x02\x03\x04\x05\x06\x07", 7));
    TOldRecord r;
    ASSERT_TRUE(f.ReadRecord(3, r));
    EXPECT_EQ(r.Word(0), 0x0201);
    int32_t i = 0;
    ASSERT_TRUE(f.ReadInteger(i));
    EXPECT_EQ(i, 0x07060504);
    EXPECT_FALSE(f.HitEnd());
    EXPECT_TRUE(f.AtEnd());
    uint8_t b = 0;
    EXPECT_FALSE(f.ReadByte(b));
    EXPECT_TRUE(f.HitEnd());

    TOldFile g(std::string(10, 'x'));
    EXPECT_FALSE(g.ReadRecord(11, r));
    EXPECT_EQ(r.Size(), 0u);
    EXPECT_TRUE(g.AtEnd()); // the rest is passed over, nothing more is read
    EXPECT_FALSE(g.ReadRecord(1, r));
}

TEST(OldFormats, LoadFileReadsEverythingOrReportsMissing)
{
    // Larger than one read buffer, so the file comes in several reads.
    std::string bytes(150000, 'a');
    bytes.back() = 'z';
    const std::string path = test::WriteTempFile("old-whole.bin", bytes);
    TOldFile f;
    ASSERT_TRUE(f.LoadFile(path));
    ASSERT_EQ(f.Size(), bytes.size());
    f.Seek(bytes.size() - 1);
    uint8_t last = 0;
    ASSERT_TRUE(f.ReadByte(last));
    EXPECT_EQ(last, 'z');

    EXPECT_FALSE(f.LoadFile("/nonexistent/folder/x.mnf"));
    EXPECT_EQ(f.Size(), 0u);
}

TEST(OldFormats, EncodeDateTimeAcceptsOnlyRealDatesAndTimes)
{
    TDateTime t = -1;
    ASSERT_TRUE(TryEncodeDateTime(1899, 12, 30, 0, 0, 0, t));
    EXPECT_EQ(t, 0.0);
    ASSERT_TRUE(TryEncodeDateTime(2000, 1, 1, 18, 0, 0, t));
    EXPECT_DOUBLE_EQ(t, 36526.75);
    ASSERT_TRUE(TryEncodeDateTime(1996, 2, 29, 23, 59, 59, t));
    EXPECT_DOUBLE_EQ(t, 35124 + 86399.0 / 86400.0);

    const int bad[][6] = {{1997, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {1996, 13, 1, 0, 0, 0},
                          {1996, 0, 1, 0, 0, 0},  {1996, 4, 31, 0, 0, 0},  {0, 1, 1, 0, 0, 0},
                          {1996, 1, 1, 24, 0, 0}, {1996, 1, 1, 0, 60, 0},  {1996, 1, 1, 0, 0, 60}};
    for (const auto& d : bad) {
        t = 7;
        EXPECT_FALSE(TryEncodeDateTime(d[0], d[1], d[2], d[3], d[4], d[5], t)) << d[0] << "-" << d[1] << "-" << d[2];
        EXPECT_EQ(t, 7);
    }
}

TEST(OldFormats, AngleNormalisationSurvivesAnyStoredValue)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct { double av, ar; } cases[] = {
        {std::nan(""), 90}, {inf, 0}, {-inf, 90}, {1e300, 0}, {-1e300, 90}, {30, 1e300}, {-1e-300, 0},
    };
    for (const auto& c : cases) {
        THoleData d;
        d.FaceNumber = 1;
        d.AngleValue = c.av;
        d.AngleRotation = c.ar;
        ConvertOldAngle(d);
        EXPECT_GE(d.AngleValue, 0.0) << c.av << " " << c.ar;
        EXPECT_LT(d.AngleValue, 360.0) << c.av << " " << c.ar;
        EXPECT_GE(d.AngleRotation, 0.0) << c.av << " " << c.ar;
        EXPECT_LT(d.AngleRotation, 360.0) << c.av << " " << c.ar;
    }
}

TEST(OldFormats, RotationPrefixOfTheFirstRemark)
{
    const struct { const char* in; bool remove; int rotation; const char* out; } cases[] = {
        {"@2X", true, 180, "X"}, {"@3", true, 270, ""}, {"@0P", false, 0, "@0P"}, {"@1P", false, 90, "@1P"},
        {"@4P", true, 0, "@4P"}, {"@", true, 0, "@"},   {"P@1", true, 0, "P@1"},  {"", true, 0, ""},
    };
    for (const auto& c : cases) {
        std::string remark = c.in;
        EXPECT_EQ(TakeRotationPrefix(remark, c.remove), c.rotation) << c.in;
        EXPECT_EQ(remark, c.out);
    }
}

TEST(OldFormats, PatternMembersNumberFromTheirStart)
{
    THoleList holes;
    TOldPatterns p;
    // start, member, member, single, start, member; a member before any
    // start stays single.
    const struct { bool starts, member; int handle, number; } seq[] = {
        {false, true, -1, -1}, {true, false, 0, 0}, {false, true, 0, 1}, {false, true, 0, 2},
        {false, false, -1, -1}, {true, true, 1, 0}, {false, true, 1, 1},
    };
    for (const auto& s : seq) {
        THole* h = holes.Add();
        p.Apply(holes, h->FData, s.starts, s.member);
        EXPECT_EQ(h->FData.PatternHandle, s.handle);
        EXPECT_EQ(h->FData.PatternHoleNumber, s.number);
    }
}
