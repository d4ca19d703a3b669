#pragma once
// The record stream of current manifold (*.mnf) and viewer (*.mvf) files:
// a 40-byte text header, then a flat run of fields, each a 6-byte field
// header (tag, type, payload length; three little-endian 16-bit words, the
// first and third exchanged in viewer files) followed by its payload.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
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

class TQuorvaneFile {
public:
    static constexpr uint8_t ModeRead = 0;
    static constexpr uint8_t ModeWrite = 1;
    static constexpr size_t HeaderSize = 40;

    TQuorvaneFile(const std::string& FileName, uint8_t FMode, bool ViewerFile);
    // A read stream over bytes already in memory (tests, fuzzing).
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
    // True when some read asked for more bytes than were left.
    bool HitEnd() const { return fHitEnd; }

    // Reading
    int32_t ReadFileVersion();
    void ReadVarInfo(TVarInfo& V);
    double ReadDouble();
    int32_t ReadInteger();
    int64_t ReadInt64();
    bool ReadBoolean();
    std::string ReadAnsiString(int32_t Len); // the raw bytes, as many as were there
    std::string ReadString(int32_t Len);     // the same, decoded to UTF-8
    void ReadUnknown(int32_t Len);
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
    TQuorvaneFile() = default;
    size_t Read(void* dest, size_t size); // returns bytes delivered
    bool Fill();
    template <class Sink> void Consume(int32_t Len, Sink&& sink);
    bool Write(const void* src, size_t size);

    std::string FFileName;
    bool FFileOpen = false;
    uint8_t FFileMode = 0;
    bool FViewerFile = false;
    bool FFileError = true;
    int f = -1; // operating-system file descriptor

    std::vector<char> fBuffer;
    size_t fPos = 0;  // next unread byte in fBuffer
    size_t fLen = 0;  // valid bytes in fBuffer
    bool fAtFileEnd = false;
    bool fHitEnd = false;
    bool fMemory = false;
};

} // namespace qv
