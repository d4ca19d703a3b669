#pragma once
// Byte builders for the untagged old generations: a record of a fixed size
// whose fields are put at their offsets, and a file made of such pieces.
// The tests lay out their fixtures with these, and the generator writes the
// old sample designs with them.
//
// The layouts of every generation are named alike, the generation's number
// (500 for 5.00 to 5.40, 400 for 4.00 to 4.20, 300, 200) after "Old":
//   types            TOld<gen><Thing>          TOld500Layout, TOld400Header, TOld300Block, TOld200Hole
//   record builders  Old<gen><Thing>Record(...) Old500HoleRecord, Old400StepRecord, Old300BlockRecord
//   record sizes     kOld<gen><Thing>Size, or Old<gen><Thing>Size(Version) where the version decides
//                                              kOld500RevisionSize, kOld300RecordSize, Old400BlockASize
//   files, designs   Old<gen>File, Old<gen>Design, Old<gen>SampleDesign
//   other helpers    Old<gen><Verb/Thing>      Old500Layout, Old500HoleAttributeBits, Old400AddTyped
// OldBytes500.h holds the 5.x layouts, OldBytes400.h the 4.x ones and
// OldBytes200.h the headerless 3.00 and 2.00 ones; OldDesigns.h the designs.
#include "core/Encoding.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qv::samples {

class TByteRecord {
public:
    explicit TByteRecord(size_t Size) : fBytes(Size, '\0') {}

    TByteRecord& Byte(size_t Offset, uint8_t v) { return Put(Offset, &v, 1); }
    TByteRecord& Word(size_t Offset, uint16_t v) { return Little(Offset, v, 2); }
    TByteRecord& SmallInt(size_t Offset, int16_t v) { return Little(Offset, static_cast<uint16_t>(v), 2); }
    TByteRecord& LongWord(size_t Offset, uint32_t v) { return Little(Offset, v, 4); }
    TByteRecord& Integer(size_t Offset, int32_t v) { return Little(Offset, static_cast<uint32_t>(v), 4); }
    TByteRecord& Single(size_t Offset, float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return Little(Offset, bits, 4);
    }
    TByteRecord& Double(size_t Offset, double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return Little(Offset, bits, 8);
    }
    // Short text [n]: the length byte, then the text's Windows-1252 bytes,
    // padded with zeros to n. The text must fit.
    TByteRecord& ShortText(size_t Offset, size_t n, std::string_view Utf8)
    {
        const std::string ansi = Utf8ToAnsi(Utf8);
        return RawShortText(Offset, n, ansi);
    }
    // The same with the bytes as given (for damaged length bytes pass Length).
    TByteRecord& RawShortText(size_t Offset, size_t n, std::string_view Bytes)
    {
        if (Bytes.size() > n || n > 255) throw std::length_error("short text does not fit its field");
        Byte(Offset, static_cast<uint8_t>(Bytes.size()));
        std::string field(n, '\0');
        field.replace(0, Bytes.size(), Bytes);
        return Put(Offset + 1, field.data(), n);
    }
    // Sets a bit of the byte at Offset.
    TByteRecord& Bit(size_t Offset, int Bit, bool On = true)
    {
        const uint8_t b = static_cast<uint8_t>(fBytes.at(Offset));
        return Byte(Offset, On ? static_cast<uint8_t>(b | (1u << Bit)) : static_cast<uint8_t>(b & ~(1u << Bit)));
    }

    const std::string& Bytes() const { return fBytes; }
    size_t Size() const { return fBytes.size(); }

private:
    TByteRecord& Put(size_t Offset, const void* p, size_t n)
    {
        if (Offset + n > fBytes.size()) throw std::out_of_range("field beyond the end of the record");
        std::memcpy(fBytes.data() + Offset, p, n);
        return *this;
    }
    TByteRecord& Little(size_t Offset, uint64_t v, size_t n)
    {
        char b[8];
        for (size_t i = 0; i < n; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return Put(Offset, b, n);
    }

    std::string fBytes;
};

// A file built piece by piece.
class TByteFile {
public:
    // The 40-byte header of the versioned generations: the version text
    // ("5.40", "4.20", ...) at offsets 8 to 11, as the design program wrote it.
    TByteFile& Header(std::string_view Version)
    {
        std::string h(40, ' ');
        h.replace(0, 8, "Quorvane");
        h.replace(8, 4, Version.substr(0, 4));
        h[12] = '\r';
        h[13] = '\n';
        h.replace(14, 13, "Quorvane File");
        h[36] = '\r';
        h[37] = '\n';
        h[38] = '\0';
        h[39] = '\x1A';
        fBytes += h;
        return *this;
    }
    TByteFile& Add(const TByteRecord& r)
    {
        fBytes += r.Bytes();
        return *this;
    }
    TByteFile& Add(std::string_view raw)
    {
        fBytes += raw;
        return *this;
    }
    TByteFile& Byte(uint8_t v) { return Add(TByteRecord(1).Byte(0, v)); }
    TByteFile& Integer(int32_t v) { return Add(TByteRecord(4).Integer(0, v)); }

    const std::string& Bytes() const { return fBytes; }
    size_t Size() const { return fBytes.size(); }

private:
    std::string fBytes;
};

} // namespace qv::samples
