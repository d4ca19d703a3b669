// The record stream: header, field headers in both word orders, every value
// kind read and written, reads past the end, defaults that leave fields out,
// Windows-1252 text and input/output errors.
#include "core/Encoding.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

using namespace qv;
using test::Words;

namespace {

// A 40-byte header carrying the given four version characters at offset 8.
std::string Header(std::string_view version)
{
    std::string h = "Quorvane" + std::string(version) + "\r\nQuorvane File         \r\n";
    h += '\0';
    h += '\x1a';
    return h;
}

// A read stream over the bytes, either from memory or through a real file
// (which exercises the buffered file reading).
std::unique_ptr<TQuorvaneFile> Open(const std::string& bytes, bool viewer, bool fromFile)
{
    if (!fromFile) return TQuorvaneFile::FromMemory(bytes, viewer);
    static int n = 0;
    const std::string path = test::TempPath("stream" + std::to_string(++n) + ".bin");
    test::WriteBytes(path, bytes);
    auto s = std::make_unique<TQuorvaneFile>(path, TQuorvaneFile::ModeRead, viewer);
    EXPECT_FALSE(s->Error());
    return s;
}

// Writes with the stream's writer and returns the bytes in the file.
std::string Written(bool viewer, const std::function<void(TQuorvaneFile&)>& body)
{
    static int n = 0;
    const std::string path = test::TempPath("written" + std::to_string(++n) + ".bin");
    {
        TQuorvaneFile f(path, TQuorvaneFile::ModeWrite, viewer);
        EXPECT_FALSE(f.Error());
        body(f);
        f.Flush();
    }
    return test::ReadBytes(path);
}

uint64_t Bits(double d)
{
    uint64_t b;
    std::memcpy(&b, &d, 8);
    return b;
}

} // namespace

TEST(QuorvaneFile, HeaderOfBothFileKinds)
{
    for (const bool viewer : {false, true}) {
        const std::string title = viewer ? "Quorvane View" : "Quorvane File";
        std::string expected = "Quorvane7.00\r\n" + title + std::string(9, ' ') + "\r\n";
        expected += '\0';
        expected += '\x1a';
        ASSERT_EQ(expected.size(), 40u);
        EXPECT_EQ(Written(viewer, [](TQuorvaneFile& f) { EXPECT_TRUE(f.WriteFileVersion()); }), expected)
            << "viewer " << viewer;
    }
}

TEST(QuorvaneFile, ReadFileVersionLooksAtBytes8_10_11)
{
    const struct { const char* text; int version; } cases[] = {
        {"7.00", 700}, {"8.02", 802}, {"5.40", 540}, {"4.15", 415},
        {"7x00", 700}, // byte 9 is not looked at
        {"A.00", 0},   {"7.0 ", 0},  {"7.a0", 0},
    };
    for (const auto& c : cases) {
        auto s = Open(Header(c.text), false, true);
        EXPECT_EQ(s->ReadFileVersion(), c.version) << c.text;
        // It passes over exactly the header.
        EXPECT_TRUE(s->Eof());
        EXPECT_FALSE(s->HitEnd());
    }
}

TEST(QuorvaneFile, MissingFileGivesClosedStream)
{
    TQuorvaneFile f(test::TempPath("no-such-file.mnf"), TQuorvaneFile::ModeRead, false);
    EXPECT_TRUE(f.Error());
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.ReadFileVersion(), -1);
    TVarInfo v{1, 2, 3};
    f.ReadVarInfo(v);
    EXPECT_EQ(v.VarName, 0);
    EXPECT_EQ(v.VarType, 0);
    EXPECT_EQ(v.VarLength, 0);
    EXPECT_EQ(f.ReadDouble(), 0.0);
    EXPECT_EQ(f.ReadInteger(), 0);
    EXPECT_EQ(f.ReadAnsiString(4), "");
    EXPECT_TRUE(f.Eof());
    // Every write reports failure, also the ones a default would skip.
    EXPECT_FALSE(f.WriteFileVersion());
    EXPECT_FALSE(f.WriteVar(1000));
    EXPECT_FALSE(f.WriteDouble(2010, 1.0, 1.0));
    EXPECT_FALSE(f.WriteInteger(2004, 2, 2));
    EXPECT_FALSE(f.WriteBoolean(2060, true, true));
    EXPECT_FALSE(f.WriteAnsiString(2040, ""));
}

TEST(QuorvaneFile, UnknownModeLeavesStreamClosed)
{
    const std::string path = test::TempPath("mode.bin");
    test::WriteBytes(path, Header("7.00"));
    TQuorvaneFile f(path, 2, false);
    EXPECT_TRUE(f.Error());
    EXPECT_EQ(f.ReadFileVersion(), -1);
    EXPECT_EQ(test::ReadBytes(path), Header("7.00")); // untouched
}

TEST(QuorvaneFile, ViewerFileExchangesFirstAndThirdWord)
{
    // Followed by enough payload for either reading of the length.
    const std::string bytes = Words({8, 2, 2010}) + std::string(2010, 'p');
    TVarInfo v;
    Open(bytes, true, false)->ReadVarInfo(v);
    EXPECT_EQ(v.VarName, 2010);
    EXPECT_EQ(v.VarType, 2);
    EXPECT_EQ(v.VarLength, 8);
    Open(bytes, false, false)->ReadVarInfo(v);
    EXPECT_EQ(v.VarName, 8);
    EXPECT_EQ(v.VarType, 2);
    EXPECT_EQ(v.VarLength, 2010);

    // The writer lays them out the same way.
    EXPECT_EQ(Written(true, [](TQuorvaneFile& f) { f.WriteDouble(2010, 0.0); }),
              Words({8, 2, 2010}) + std::string(8, '\0'));
    EXPECT_EQ(Written(false, [](TQuorvaneFile& f) { f.WriteDouble(2010, 0.0); }),
              Words({2010, 2, 8}) + std::string(8, '\0'));
}

TEST(QuorvaneFile, EveryValueKindRoundTrips)
{
    const double dmin = std::numeric_limits<double>::denorm_min();
    for (const bool viewer : {false, true}) {
        const std::string bytes = Written(viewer, [&](TQuorvaneFile& f) {
            EXPECT_TRUE(f.WriteVar(10000));
            EXPECT_TRUE(f.WriteDouble(10211, 0.1));
            EXPECT_TRUE(f.WriteDouble(10212, dmin));
            EXPECT_TRUE(f.WriteInteger(10010, std::numeric_limits<int32_t>::min()));
            EXPECT_TRUE(f.WriteInt64(10400, std::numeric_limits<int64_t>::min() + 5));
            EXPECT_TRUE(f.WriteBoolean(10314, true));
            EXPECT_TRUE(f.WriteBoolean(10316, false));
            EXPECT_TRUE(f.WriteAnsiString(7010, "Block A"));
            EXPECT_TRUE(f.WriteVar(65535));
        });
        auto s = Open(bytes, viewer, true);
        const struct { uint16_t tag, type, length; } headers[] = {
            {10000, 0, 0}, {10211, 2, 8}, {10212, 2, 8}, {10010, 3, 4}, {10400, 5, 8},
            {10314, 4, 1}, {10316, 4, 1}, {7010, 2, 7},  {65535, 0, 0}};
        TVarInfo v;
        for (const auto& h : headers) {
            s->ReadVarInfo(v);
            EXPECT_EQ(v.VarName, h.tag) << "viewer " << viewer;
            EXPECT_EQ(v.VarType, h.type) << h.tag;
            EXPECT_EQ(v.VarLength, h.length) << h.tag;
            switch (h.tag) {
            case 10211: EXPECT_EQ(Bits(s->ReadDouble()), Bits(0.1)); break;
            case 10212: EXPECT_EQ(Bits(s->ReadDouble()), Bits(dmin)); break;
            case 10010: EXPECT_EQ(s->ReadInteger(), std::numeric_limits<int32_t>::min()); break;
            case 10400: EXPECT_EQ(s->ReadInt64(), std::numeric_limits<int64_t>::min() + 5); break;
            case 10314: EXPECT_TRUE(s->ReadBoolean()); break;
            case 10316: EXPECT_FALSE(s->ReadBoolean()); break;
            case 7010: EXPECT_EQ(s->ReadAnsiString(v.VarLength), "Block A"); break;
            }
        }
        EXPECT_TRUE(s->Eof());
        EXPECT_FALSE(s->HitEnd());
    }
}

TEST(QuorvaneFile, BooleanIsAnyNonZeroByte)
{
    auto s = Open(std::string("\x02\x00\xff", 3), false, false);
    EXPECT_TRUE(s->ReadBoolean());
    EXPECT_FALSE(s->ReadBoolean());
    EXPECT_TRUE(s->ReadBoolean());
}

TEST(QuorvaneFile, ReadingPastTheEnd)
{
    for (const bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile ? "file" : "memory");
        // Fixed-width reads with too few bytes left give zero.
        {
            auto s = Open("abc", false, fromFile);
            TVarInfo v{1, 1, 1};
            s->ReadVarInfo(v);
            EXPECT_EQ(v.VarName, 0);
            EXPECT_EQ(v.VarType, 0);
            EXPECT_EQ(v.VarLength, 0);
            EXPECT_TRUE(s->HitEnd());
        }
        EXPECT_EQ(Open("1234567", false, fromFile)->ReadDouble(), 0.0);
        EXPECT_EQ(Open("123", false, fromFile)->ReadInteger(), 0);
        EXPECT_EQ(Open("1234567", false, fromFile)->ReadInt64(), 0);
        EXPECT_FALSE(Open("", false, fromFile)->ReadBoolean());
        // A zero-length text consumes nothing.
        {
            auto s = Open("xyz", false, fromFile);
            EXPECT_EQ(s->ReadAnsiString(0), "");
            EXPECT_EQ(s->ReadAnsiString(1), "x");
            EXPECT_FALSE(s->HitEnd());
        }
        // A text longer than what is left returns what was there.
        {
            auto s = Open("xyz", false, fromFile);
            EXPECT_EQ(s->ReadAnsiString(5), "xyz");
            EXPECT_TRUE(s->HitEnd());
            EXPECT_EQ(s->ReadAnsiString(5), "");
        }
        // A field header that promises more payload than is left is the end
        // of the data: no part of the field is delivered, and headers stay
        // zero afterwards.
        {
            auto s = Open(Words({2010, 2, 8}) + "abc", false, fromFile);
            TVarInfo v;
            s->ReadVarInfo(v);
            EXPECT_EQ(v.VarName, 0);
            EXPECT_EQ(v.VarLength, 0);
            EXPECT_TRUE(s->HitEnd());
            EXPECT_TRUE(s->Eof());
            for (int i = 0; i < 3; ++i) {
                s->ReadVarInfo(v);
                EXPECT_EQ(v.VarName, 0);
            }
        }
        // The same payload when the header's promise holds.
        {
            auto s = Open(Words({2010, 2, 3}) + "abc", false, fromFile);
            TVarInfo v;
            s->ReadVarInfo(v);
            EXPECT_EQ(v.VarName, 2010);
            std::string text = "old";
            EXPECT_TRUE(s->GetString(text, v.VarLength));
            EXPECT_EQ(text, "abc");
            EXPECT_FALSE(s->HitEnd());
        }
        // A value read into its field is stored only when it is whole.
        {
            auto s = Open(std::string("\x01\x02\x03", 3), false, fromFile);
            double d = 2.5;
            int32_t i = 7;
            bool b = false;
            EXPECT_FALSE(s->GetDouble(d));
            EXPECT_EQ(d, 2.5);
            EXPECT_TRUE(s->HitEnd());
            EXPECT_FALSE(s->GetInteger(i));
            EXPECT_EQ(i, 7);
            EXPECT_FALSE(s->GetBoolean(b));
            EXPECT_FALSE(b);
        }
    }
}

TEST(QuorvaneFile, ReadsAcrossTheFileBuffer)
{
    // Values straddling every plausible buffer boundary must come out whole.
    std::string bytes(65533, 'a');
    double d = 1234.5678;
    bytes.append(reinterpret_cast<const char*>(&d), 8);
    bytes += std::string(70000, 'b');
    bytes += Words({2999, 0, 0});
    auto s = Open(bytes, false, true);
    EXPECT_EQ(s->ReadAnsiString(65533), std::string(65533, 'a'));
    EXPECT_EQ(s->ReadDouble(), 1234.5678);
    s->ReadUnknown(69999);
    EXPECT_EQ(s->ReadAnsiString(1), "b");
    TVarInfo v;
    s->ReadVarInfo(v);
    EXPECT_EQ(v.VarName, 2999);
    EXPECT_TRUE(s->Eof());
    EXPECT_FALSE(s->HitEnd());
}

TEST(QuorvaneFile, DefaultsLeaveFieldsOut)
{
    const std::string dbl = Words({1, 2, 8});
    const struct { double v, def; bool written; } doubles[] = {
        {1.0, 1.0, false},
        {1.0, 1.0 + 1e-13, false},
        {0.0, 1e-12, false},          // within the absolute 1e-12
        {0.0, 2e-12, true},
        {1e6, 1e6 + 1e-7, false},     // within 1e-12 of the smaller magnitude
        {1e6, 1e6 + 2e-6, true},
        {-1.0, 1.0, true},
        {5.0, 0.0, true},
    };
    for (const auto& c : doubles) {
        const std::string bytes = Written(false, [&](TQuorvaneFile& f) { EXPECT_TRUE(f.WriteDouble(1, c.v, c.def)); });
        if (c.written) {
            EXPECT_EQ(bytes.substr(0, 6), dbl) << c.v << " vs " << c.def;
            EXPECT_EQ(bytes.size(), 14u);
            EXPECT_EQ(Open(bytes.substr(6), false, false)->ReadDouble(), c.v);
        } else {
            EXPECT_EQ(bytes, "") << c.v << " vs " << c.def;
        }
    }
    EXPECT_EQ(Written(false, [](TQuorvaneFile& f) { f.WriteInteger(1, 7, 7); }), "");
    EXPECT_EQ(Written(false, [](TQuorvaneFile& f) { f.WriteInteger(1, 7, 8); }).size(), 10u);
    EXPECT_EQ(Written(false, [](TQuorvaneFile& f) { f.WriteBoolean(1, true, true); }), "");
    EXPECT_EQ(Written(false, [](TQuorvaneFile& f) { f.WriteBoolean(1, false, true); }), Words({1, 4, 1}) + '\0');
}

TEST(QuorvaneFile, TextFieldsEndAtTheFirstZeroByte)
{
    using namespace std::string_literals;
    const struct { std::string text; bool saveIfEmpty; std::string expected; } cases[] = {
        {"", false, ""},
        {"", true, Words({7, 2, 0})},
        {"ab\0cd"s, false, Words({7, 2, 2}) + "ab"},
        // A text that is not empty is written even when its first byte is 0.
        {"\0x"s, false, Words({7, 2, 0})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(false, [&](TQuorvaneFile& f) { EXPECT_TRUE(f.WriteAnsiString(7, c.text, c.saveIfEmpty)); }),
                  c.expected);
        if (!c.saveIfEmpty) {
            EXPECT_EQ(Written(false, [&](TQuorvaneFile& f) { EXPECT_TRUE(f.WriteAnsiString(7, c.text)); }),
                      c.expected);
        }
    }
    // The 16-bit length caps a text at 65535 bytes.
    const std::string bytes = Written(false, [](TQuorvaneFile& f) { f.WriteAnsiString(7, std::string(70000, 'q')); });
    EXPECT_EQ(bytes, Words({7, 2, 65535}) + std::string(65535, 'q'));
}

TEST(QuorvaneFile, TextIsWindows1252)
{
    const struct { std::string bytes; std::string utf8; } cases[] = {
        {"\xE4", "ä"}, {"\x80", "€"}, {"\x9F", "Ÿ"}, {"\x8A", "Š"}, {"\xFF", "ÿ"},
        {"\xA0", "\u00A0"}, {"\x81", "\u0081"}, {"M\xFC\x6Cler \x96 \x93x\x94", "Müller – “x”"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiToUtf8(c.bytes), c.utf8);
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.bytes);
        // Through the stream in both directions.
        const std::string file =
            Written(false, [&](TQuorvaneFile& f) { f.WriteString(7, c.utf8); });
        EXPECT_EQ(file, Words({7, 2, uint16_t(c.bytes.size())}) + c.bytes);
        auto s = Open(file.substr(6), false, false);
        EXPECT_EQ(s->ReadString(int(c.bytes.size())), c.utf8);
    }
    // Every byte survives the way into UTF-8 and back.
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    // Characters the code page lacks become '?'.
    EXPECT_EQ(Utf8ToAnsi("Ω≤😀"), "???");
}

// Plain ASCII is copied as it stands and anything else is decoded: one byte
// above 127 anywhere in a text of any length must send it to the decoding.
TEST(QuorvaneFile, OneByteOutsideAsciiAnywhereInATextIsDecoded)
{
    for (int len = 1; len <= 25; ++len) {
        for (int pos = -1; pos < len; ++pos) {
            std::string bytes(size_t(len), 'a');
            if (pos >= 0) bytes[size_t(pos)] = '\xE4';
            auto s = Open(Words({7, 2, uint16_t(len)}) + bytes, false, false);
            TVarInfo v;
            s->ReadVarInfo(v);
            std::string field;
            EXPECT_TRUE(s->GetString(field, v.VarLength));
            EXPECT_EQ(field, AnsiToUtf8(bytes)) << "length " << len << ", byte at " << pos;
        }
    }
}

TEST(QuorvaneFile, WriteStreamDoesNotReadItsOwnBuffer)
{
    const std::string path = test::TempPath("write-then-read.bin");
    TQuorvaneFile f(path, TQuorvaneFile::ModeWrite, false);
    f.WriteAnsiString(7, "secret");
    EXPECT_EQ(f.ReadAnsiString(8), "");
    f.ReadUnknown(3);
    EXPECT_EQ(f.ReadInteger(), 0);
    f.Flush();
    EXPECT_EQ(test::ReadBytes(path), Words({7, 2, 6}) + "secret");
}

TEST(QuorvaneFile, InputOutputErrorsRaise)
{
    // A folder opens for reading on Linux, but reading it fails.
    const std::string dir = test::TempPath("a-folder.mnf");
    std::filesystem::create_directories(dir);
    {
        TQuorvaneFile f(dir, TQuorvaneFile::ModeRead, false);
        ASSERT_FALSE(f.Error());
        EXPECT_THROW(f.ReadFileVersion(), EInOutError);
    }
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TQuorvaneFile f("/dev/full", TQuorvaneFile::ModeWrite, false);
    ASSERT_FALSE(f.Error());
    EXPECT_TRUE(f.WriteFileVersion()); // buffered
    EXPECT_THROW(f.Flush(), EInOutError);
}
