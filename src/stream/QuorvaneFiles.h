#pragma once
// The record stream of current manifold (*.mnf) and viewer (*.mvf) files:
// a 40-byte text header, then a flat run of fields, each a 6-byte field
// header (tag, type, payload length; three little-endian 16-bit words, the
// first and third exchanged in viewer files) followed by its payload.
#include "core/RareText.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qv {

// An operating-system input/output error while reading or writing an open
// file. It ends the current command.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

#pragma pack(push, 1)
struct TVarInfo {
    uint16_t VarName = 0;   // the tag
    uint16_t VarType = 0;   // payload kind as written; readers never use it
    uint16_t VarLength = 0; // payload bytes after the header
};
#pragma pack(pop)
static_assert(sizeof(TVarInfo) == 6);

// The reads of fixed-size values, the same for the stream and for a cursor
// over it: each sits on the reader's own GetFixed, which stores nothing when
// the value is cut off by the end of the data.
template <class TReader> class TFixedReads {
public:
    double ReadDouble() { return Read<double>(); }
    int32_t ReadInteger() { return Read<int32_t>(); }
    int64_t ReadInt64() { return Read<int64_t>(); }
    bool ReadBoolean() { return Read<uint8_t>() != 0; }
    // Each Get returns True when the value was read whole and stored.
    bool GetDouble(double& Field) { return Self().GetFixed(Field); }
    bool GetInt64(int64_t& Field) { return Self().GetFixed(Field); }
    // An Integer into an integer or enumeration field, stored as read (an
    // ordinal outside the enumeration included).
    template <class T> bool GetInteger(T& Field)
    {
        int32_t v;
        if (!Self().GetFixed(v)) return false;
        Field = static_cast<T>(v);
        return true;
    }
    bool GetBoolean(bool& Field)
    {
        uint8_t b;
        if (!Self().GetFixed(b)) return false;
        Field = b != 0;
        return true;
    }
    // The value of the kind the field's type calls for: a Double, a Boolean,
    // an Int64, or an Integer (integer and enumeration fields).
    template <class T> bool Get(T& Field)
    {
        if constexpr (std::is_same_v<T, double>) return GetDouble(Field);
        else if constexpr (std::is_same_v<T, bool>) return GetBoolean(Field);
        else if constexpr (std::is_same_v<T, int64_t>) return GetInt64(Field);
        else return GetInteger(Field);
    }

private:
    TReader& Self() { return static_cast<TReader&>(*this); }
    template <class T> T Read()
    {
        T v{};
        Self().GetFixed(v);
        return v;
    }
};

class TQuorvaneFile : public TFixedReads<TQuorvaneFile> {
public:
    static constexpr uint8_t ModeRead = 0;
    static constexpr uint8_t ModeWrite = 1;
    static constexpr size_t HeaderSize = 40;

    TQuorvaneFile(const std::string& FileName, uint8_t FMode, bool ViewerFile);
    // A read stream over bytes already in memory, which must outlive it.
    TQuorvaneFile(std::string_view Bytes, bool ViewerFile);
    // A read stream over its own copy of the bytes (tests).
    static std::unique_ptr<TQuorvaneFile> FromMemory(std::string bytes, bool ViewerFile);
    ~TQuorvaneFile();
    TQuorvaneFile(const TQuorvaneFile&) = delete;
    TQuorvaneFile& operator=(const TQuorvaneFile&) = delete;

    bool ViewerFile() const { return FViewerFile; }
    bool Error() const { return FFileError; }
    bool IsOpen() const { return FFileOpen; }
    // True once a read stream has no byte left (also for a closed stream),
    // so that reading loops stop on truncated files.
    bool Eof();
    // True once the data ended early: a read asked for more bytes than were
    // left, or a field header promised more payload than the data holds.
    bool HitEnd() const { return fHitEnd; }

    // Reading. The end of the data follows one rule for every reader: when a
    // field header promises more payload than is left, ReadVarInfo reports
    // the end (a zero header, HitEnd set) and consumes the rest, so no part
    // of that field ever reaches a record. The Get operations read a value
    // straight into its field and store nothing when the value is cut off
    // (the field keeps its previous value or its default).
    int32_t ReadFileVersion();
    void ReadVarInfo(TVarInfo& V);
    // ReadDouble, ReadInteger, ReadInt64, ReadBoolean and the Get reads of
    // fixed-size values come from TFixedReads.
    std::string ReadAnsiString(int32_t Len); // the raw bytes, as many as were there
    std::string ReadString(int32_t Len);     // the same, decoded to UTF-8
    void ReadUnknown(int32_t Len);
    // A text of Len bytes, decoded to UTF-8; True when it was read whole
    // and stored.
    bool GetString(std::string& Field, int32_t Len);
    bool GetString(TRareText& Field, int32_t Len);
    // Skips a whole record after its start tag: every field up to and
    // including the end tag, or up to the end of the data.
    void SkipRecord(uint16_t EndTag);

    // Writing
    bool WriteFileVersion();
    bool WriteVarInfo(const TVarInfo& V);
    bool WriteVar(uint16_t VarName);
    bool WriteDouble(uint16_t VarName, double V);
    bool WriteDouble(uint16_t VarName, double V, double DefaultValue);
    bool WriteInteger(uint16_t VarName, int32_t V);
    bool WriteInteger(uint16_t VarName, int32_t V, int32_t DefaultValue);
    bool WriteInt64(uint16_t VarName, int64_t V);
    bool WriteBoolean(uint16_t VarName, bool V);
    bool WriteBoolean(uint16_t VarName, bool V, bool DefaultValue);
    // V holds raw code-page bytes.
    bool WriteAnsiString(uint16_t VarName, std::string_view V);
    bool WriteAnsiString(uint16_t VarName, std::string_view V, bool SaveIfEmpty);
    // Encodes UTF-8 text to the file's code page first.
    bool WriteString(uint16_t VarName, std::string_view V, bool SaveIfEmpty = false);
    // Raw bytes, for writing deliberately odd files in tests.
    bool WriteBytes(const void* data, size_t size);
    // Writes out what is buffered; raises EInOutError on failure.
    void Flush();

private:
    friend class TFieldCursor;
    friend class TFixedReads<TQuorvaneFile>;
    TQuorvaneFile() = default;
    size_t Read(void* dest, size_t size); // returns bytes delivered
    bool Fill();
    // True when Size bytes can be read (filling the buffer when needed).
    bool Have(size_t Size) { return fLen - fPos >= Size || HaveSlow(Size); }
    bool HaveSlow(size_t Size);
    // Marks the end of the data: everything left is consumed.
    void EndOfData();
    void ReadVarInfoSlow(TVarInfo& V);
    // A fixed-size little-endian value; False (and nothing stored) when it
    // is cut off.
    template <class T> bool GetFixed(T& Field)
    {
        if (fLen - fPos >= sizeof(T)) [[likely]] {
            Field = Load<T>(fIn + fPos);
            fPos += sizeof(T);
            return true;
        }
        return GetFixedSlow(&Field, sizeof(T));
    }
    bool GetFixedSlow(void* Field, size_t Size);
    template <class T> static T Load(const char* p)
    {
        T v;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, p, sizeof v);
        } else {
            unsigned char b[sizeof v];
            for (size_t i = 0; i < sizeof v; ++i) b[i] = static_cast<unsigned char>(p[sizeof v - 1 - i]);
            std::memcpy(&v, b, sizeof v);
        }
        return v;
    }
    template <class Sink> void Consume(int32_t Len, Sink&& sink);
    // The field header at p: tag, type and payload length, the first and
    // third words exchanged in viewer files.
    static TVarInfo HeaderAt(const char* p, bool Viewer)
    {
        uint16_t name = Load<uint16_t>(p), length = Load<uint16_t>(p + 4);
        if (Viewer) std::swap(name, length);
        TVarInfo v;
        v.VarName = name;
        v.VarType = Load<uint16_t>(p + 2);
        v.VarLength = length;
        return v;
    }
    // True when no byte has its high bit set; eight bytes at a time, the
    // last eight (or four) overlapping the ones before, so that a short
    // text costs two reads instead of a loop over its bytes.
    static bool IsAscii(std::string_view s)
    {
        const char* p = s.data();
        const size_t n = s.size();
        uint64_t high = 0;
        if (n >= 8) {
            size_t i = 0;
            for (; i + 8 < n; i += 8) high |= Load<uint64_t>(p + i);
            high |= Load<uint64_t>(p + n - 8);
        } else if (n >= 4) {
            high = Load<uint32_t>(p) | Load<uint32_t>(p + n - 4);
        } else if (n > 0) {
            high = static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[n / 2]) |
                   static_cast<unsigned char>(p[n - 1]);
        }
        return (high & 0x8080808080808080ull) == 0;
    }
    // Short texts compare faster here than through a call.
    static bool SameBytes(const char* a, const char* b, size_t n)
    {
        if (n > 16) return std::memcmp(a, b, n) == 0;
        for (size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    // Plain ASCII is the same in the file's code page and in UTF-8: copied
    // straight from the data into the field, unless the field holds it
    // already (many texts repeat the default, such as a step's port name
    // "<>"). False, and nothing stored, for any other text.
    static bool StoreAscii(std::string& Field, std::string_view Raw)
    {
        if (!IsAscii(Raw)) return false;
        if (Field.empty()) {
            Field.append(Raw); // the lighter copy for the common empty field
        } else if (Field.size() != Raw.size() || !SameBytes(Field.data(), Raw.data(), Raw.size())) {
            Field.assign(Raw);
        }
        return true;
    }
    bool Write(const void* src, size_t size);

    std::string FFileName;
    bool FFileOpen = false;
    uint8_t FFileMode = 0;
    bool FViewerFile = false;
    bool FFileError = true;
    int f = -1; // operating-system file descriptor

    std::vector<char> fBuffer;
    const char* fIn = nullptr; // the bytes read from: fBuffer, or the caller's bytes
    size_t fPos = 0;    // next unread byte in fIn
    size_t fLen = 0;    // valid bytes in fIn (0 for a write or closed stream)
    size_t fOutLen = 0; // bytes waiting in fBuffer to be written
    bool fAtFileEnd = false;
    bool fHitEnd = false;
    bool fMemory = false;
};

// Reads the fields of one record with the position and the end of the bytes
// held in the cursor instead of in the stream, so that a record's loop does
// not go back to the stream's state after every field: the loops of the
// records a design has tens of thousands of (holes, steps, valves) spend most
// of their time on field headers and fixed-size values. Every read takes its fast path on the
// bytes already in the stream's buffer and hands anything else (a field cut
// off by the end of the data, a buffer to refill, a text to decode) to the
// stream itself, so the results, the end of the data included, are exactly
// the stream's own. The stream must not be used directly while a cursor over
// it is alive.
class TFieldCursor : public TFixedReads<TFieldCursor> {
public:
    explicit TFieldCursor(TQuorvaneFile& File) : fFile(File), fViewer(File.FViewerFile) { Reload(); }
    ~TFieldCursor() { Sync(); }
    TFieldCursor(const TFieldCursor&) = delete;
    TFieldCursor& operator=(const TFieldCursor&) = delete;

    TQuorvaneFile& File() { return fFile; }
    bool HitEnd() const { return fHitEnd; }

    void ReadVarInfo(TVarInfo& V) { V = NextVarInfo(); }
    // The same, by value: the header then stays in a register through the
    // record's loop instead of going through memory for every field.
    TVarInfo NextVarInfo()
    {
        if (fEnd - fPos >= 6) [[likely]] {
            const TVarInfo header = TQuorvaneFile::HeaderAt(fPos, fViewer);
            if (size_t(fEnd - fPos) - 6 >= header.VarLength) [[likely]] {
                fPos += 6;
                return header;
            }
        }
        return NextVarInfoSlow();
    }
    bool GetString(std::string& Field, int32_t Len)
    {
        // Plain ASCII, the whole text in the buffer: straight into the field
        // (a text the field already holds, such as a default, is left).
        if (Len > 0 && size_t(fEnd - fPos) >= size_t(Len) && TQuorvaneFile::StoreAscii(Field, {fPos, size_t(Len)}))
            [[likely]] {
            fPos += Len;
            return true;
        }
        Sync();
        const bool ok = fFile.GetString(Field, Len);
        Reload();
        return ok;
    }
    bool GetString(TRareText& Field, int32_t Len)
    {
        Sync();
        const bool ok = fFile.GetString(Field, Len);
        Reload();
        return ok;
    }
    std::string ReadString(int32_t Len)
    {
        Sync();
        std::string s = fFile.ReadString(Len);
        Reload();
        return s;
    }
    void ReadUnknown(int32_t Len)
    {
        if (Len <= 0) return;
        if (fEnd - fPos >= Len) [[likely]] {
            fPos += Len;
            return;
        }
        Sync();
        fFile.ReadUnknown(Len);
        Reload();
    }
    // Hands the position to the stream for a nested record read by it.
    template <class F> decltype(auto) WithStream(F&& f)
    {
        Sync();
        struct TReload {
            TFieldCursor* c;
            ~TReload() { c->Reload(); }
        } reload{this};
        return f(fFile);
    }

private:
    friend class TFixedReads<TFieldCursor>;
    template <class T> bool GetFixed(T& Field)
    {
        if (size_t(fEnd - fPos) >= sizeof(T)) [[likely]] {
            Field = TQuorvaneFile::Load<T>(fPos);
            fPos += sizeof(T);
            return true;
        }
        Sync();
        const bool ok = fFile.GetFixedSlow(&Field, sizeof(T));
        Reload();
        return ok;
    }
    [[gnu::noinline]] TVarInfo NextVarInfoSlow()
    {
        Sync();
        TVarInfo v;
        fFile.ReadVarInfo(v);
        Reload();
        return v;
    }
    void Sync() { fFile.fPos = size_t(fPos - fFile.fIn); }
    // Takes the position back from the stream after it read (or failed to
    // read) on the cursor's behalf; the stream alone ever finds the end.
    void Reload()
    {
        fPos = fFile.fIn + fFile.fPos;
        fEnd = fFile.fIn + fFile.fLen;
        fHitEnd = fFile.fHitEnd;
    }

    TQuorvaneFile& fFile;
    const char* fPos = nullptr;
    const char* fEnd = nullptr;
    bool fViewer;
    bool fHitEnd = false; // the stream's, as of the last read it made
};

inline void TQuorvaneFile::ReadVarInfo(TVarInfo& V)
{
    // The common case: the header and all the payload it promises are there.
    if (fLen - fPos >= 6) [[likely]] {
        const TVarInfo header = HeaderAt(fIn + fPos, FViewerFile);
        if (fLen - fPos - 6 >= header.VarLength) [[likely]] {
            V = header;
            fPos += 6;
            return;
        }
    }
    ReadVarInfoSlow(V);
}

} // namespace qv
