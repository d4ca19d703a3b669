#include "stream/QuorvaneFiles.h"

#include "core/Encoding.h"
#include "core/Tolerance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qv {
namespace {

constexpr size_t kBufferSize = 64 * 1024;

std::string ErrnoText(const std::string& what, const std::string& file)
{
    return what + " \"" + file + "\": " + std::strerror(errno);
}

} // namespace

TQuorvaneFile::TQuorvaneFile(const std::string& FileName, uint8_t FMode, bool ViewerFile)
    : FFileName(FileName), FFileMode(FMode), FViewerFile(ViewerFile)
{
    if (FMode == ModeRead)
        f = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    else if (FMode == ModeWrite)
        f = ::open(FileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (f >= 0) {
        FFileOpen = true;
        FFileError = false;
        fBuffer.resize(kBufferSize);
    }
}

std::unique_ptr<TQuorvaneFile> TQuorvaneFile::FromMemory(std::string bytes, bool ViewerFile)
{
    std::unique_ptr<TQuorvaneFile> s(new TQuorvaneFile());
    s->FViewerFile = ViewerFile;
    s->FFileOpen = true;
    s->FFileError = false;
    s->fMemory = true;
    s->fBuffer.assign(bytes.begin(), bytes.end());
    s->fLen = s->fBuffer.size();
    s->fAtFileEnd = true;
    return s;
}

TQuorvaneFile::~TQuorvaneFile()
{
    if (FFileOpen && FFileMode == ModeWrite && !fMemory) {
        try {
            Flush();
        } catch (const EInOutError&) {
            // A destructor cannot report; callers that care call Flush first.
        }
    }
    if (f >= 0) ::close(f);
}

bool TQuorvaneFile::Fill()
{
    if (fAtFileEnd || !FFileOpen || FFileMode != ModeRead) return false;
    // Keep the unread tail, then top the buffer up.
    if (fPos > 0) {
        std::memmove(fBuffer.data(), fBuffer.data() + fPos, fLen - fPos);
        fLen -= fPos;
        fPos = 0;
    }
    while (fLen < fBuffer.size()) {
        const ssize_t n = ::read(f, fBuffer.data() + fLen, fBuffer.size() - fLen);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(ErrnoText("Read error on", FFileName));
        }
        if (n == 0) { fAtFileEnd = true; break; }
        fLen += static_cast<size_t>(n);
    }
    return true;
}

size_t TQuorvaneFile::Read(void* dest, size_t size)
{
    if (!FFileOpen || FFileMode != ModeRead) return 0;
    if (fLen - fPos < size && !fAtFileEnd) Fill();
    size_t n = std::min(size, fLen - fPos);
    if (n > 0) {
        std::memcpy(dest, fBuffer.data() + fPos, n);
        fPos += n;
    }
    if (n < size) fHitEnd = true;
    return n;
}

bool TQuorvaneFile::Eof()
{
    if (!FFileOpen || FFileMode != ModeRead) return true;
    if (fPos < fLen) return false;
    if (!fAtFileEnd) Fill();
    return fPos >= fLen;
}

int32_t TQuorvaneFile::ReadFileVersion()
{
    if (!FFileOpen) return -1;
    char h[HeaderSize] = {};
    Read(h, sizeof h);
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(h[8]) || !digit(h[10]) || !digit(h[11])) return 0;
    return (h[8] - '0') * 100 + (h[10] - '0') * 10 + (h[11] - '0');
}

void TQuorvaneFile::ReadVarInfo(TVarInfo& V)
{
    uint8_t b[6];
    if (Read(b, 6) < 6) {
        V = TVarInfo{};
        return;
    }
    auto word = [&](int i) { return static_cast<uint16_t>(b[i] | (b[i + 1] << 8)); };
    V.VarName = word(0);
    V.VarType = word(2);
    V.VarLength = word(4);
    if (FViewerFile) std::swap(V.VarName, V.VarLength);
}

double TQuorvaneFile::ReadDouble()
{
    uint8_t b[8];
    if (Read(b, 8) < 8) return 0.0;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

int32_t TQuorvaneFile::ReadInteger()
{
    uint8_t b[4];
    if (Read(b, 4) < 4) return 0;
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

int64_t TQuorvaneFile::ReadInt64()
{
    uint8_t b[8];
    if (Read(b, 8) < 8) return 0;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
    return static_cast<int64_t>(bits);
}

bool TQuorvaneFile::ReadBoolean()
{
    uint8_t b = 0;
    if (Read(&b, 1) < 1) return false;
    return b != 0;
}

// Moves up to Len bytes forward, handing each run of buffered bytes to sink.
// Never allocates for a length the data cannot fill.
template <class Sink>
void TQuorvaneFile::Consume(int32_t Len, Sink&& sink)
{
    // A write stream's buffer holds bytes on their way out, not input.
    if (Len <= 0 || !FFileOpen || FFileMode != ModeRead) return;
    size_t remaining = static_cast<size_t>(Len);
    while (remaining > 0) {
        if (fPos >= fLen && (fAtFileEnd || !Fill() || fPos >= fLen)) {
            fHitEnd = true;
            return;
        }
        const size_t n = std::min(remaining, fLen - fPos);
        sink(fBuffer.data() + fPos, n);
        fPos += n;
        remaining -= n;
    }
}

std::string TQuorvaneFile::ReadAnsiString(int32_t Len)
{
    std::string s;
    Consume(Len, [&](const char* p, size_t n) { s.append(p, n); });
    return s;
}

std::string TQuorvaneFile::ReadString(int32_t Len) { return AnsiToUtf8(ReadAnsiString(Len)); }

void TQuorvaneFile::ReadUnknown(int32_t Len)
{
    Consume(Len, [](const char*, size_t) {});
}

void TQuorvaneFile::SkipRecord(uint16_t EndTag)
{
    TVarInfo v;
    for (;;) {
        ReadVarInfo(v);
        if (v.VarName == EndTag || HitEnd()) return;
        ReadUnknown(v.VarLength);
    }
}

// ---------------------------------------------------------------- writing

bool TQuorvaneFile::Write(const void* src, size_t size)
{
    if (!FFileOpen || FFileMode != ModeWrite) return false;
    const char* p = static_cast<const char*>(src);
    while (size > 0) {
        if (fLen == fBuffer.size()) Flush();
        const size_t n = std::min(size, fBuffer.size() - fLen);
        std::memcpy(fBuffer.data() + fLen, p, n);
        fLen += n;
        p += n;
        size -= n;
    }
    return true;
}

void TQuorvaneFile::Flush()
{
    if (!FFileOpen || FFileMode != ModeWrite) return;
    size_t done = 0;
    while (done < fLen) {
        const ssize_t n = ::write(f, fBuffer.data() + done, fLen - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fLen = 0;
            throw EInOutError(ErrnoText("Write error on", FFileName));
        }
        done += static_cast<size_t>(n);
    }
    fLen = 0;
}

bool TQuorvaneFile::WriteBytes(const void* data, size_t size) { return Write(data, size); }

bool TQuorvaneFile::WriteFileVersion()
{
    char h[HeaderSize];
    std::memset(h, ' ', sizeof h);
    std::memcpy(h, "Quorvane7.00", 12);
    h[12] = '\r';
    h[13] = '\n';
    const char* title = FViewerFile ? "Quorvane View" : "Quorvane File";
    std::memcpy(h + 14, title, std::strlen(title));
    h[36] = '\r';
    h[37] = '\n';
    h[38] = 0x00;
    h[39] = 0x1A;
    return Write(h, sizeof h);
}

bool TQuorvaneFile::WriteVarInfo(const TVarInfo& V)
{
    uint16_t w[3] = {V.VarName, V.VarType, V.VarLength};
    if (FViewerFile) std::swap(w[0], w[2]);
    uint8_t b[6];
    for (int i = 0; i < 3; ++i) {
        b[2 * i] = static_cast<uint8_t>(w[i] & 0xFF);
        b[2 * i + 1] = static_cast<uint8_t>(w[i] >> 8);
    }
    return Write(b, 6);
}

bool TQuorvaneFile::WriteVar(uint16_t VarName) { return WriteVarInfo({VarName, 0, 0}); }

bool TQuorvaneFile::WriteDouble(uint16_t VarName, double V)
{
    uint64_t bits;
    std::memcpy(&bits, &V, 8);
    uint8_t b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(bits >> (8 * i));
    return WriteVarInfo({VarName, 2, 8}) && Write(b, 8);
}

bool TQuorvaneFile::WriteDouble(uint16_t VarName, double V, double DefaultValue)
{
    if (!FFileOpen) return false;
    return SameValue(V, DefaultValue) ? true : WriteDouble(VarName, V);
}

bool TQuorvaneFile::WriteInteger(uint16_t VarName, int32_t V)
{
    const uint32_t u = static_cast<uint32_t>(V);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    return WriteVarInfo({VarName, 3, 4}) && Write(b, 4);
}

bool TQuorvaneFile::WriteInteger(uint16_t VarName, int32_t V, int32_t DefaultValue)
{
    if (!FFileOpen) return false;
    return V == DefaultValue ? true : WriteInteger(VarName, V);
}

bool TQuorvaneFile::WriteInt64(uint16_t VarName, int64_t V)
{
    const uint64_t u = static_cast<uint64_t>(V);
    uint8_t b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(u >> (8 * i));
    return WriteVarInfo({VarName, 5, 8}) && Write(b, 8);
}

bool TQuorvaneFile::WriteBoolean(uint16_t VarName, bool V)
{
    const uint8_t b = V ? 1 : 0;
    return WriteVarInfo({VarName, 4, 1}) && Write(&b, 1);
}

bool TQuorvaneFile::WriteBoolean(uint16_t VarName, bool V, bool DefaultValue)
{
    if (!FFileOpen) return false;
    return V == DefaultValue ? true : WriteBoolean(VarName, V);
}

bool TQuorvaneFile::WriteAnsiString(uint16_t VarName, std::string_view V)
{
    return WriteAnsiString(VarName, V, false);
}

bool TQuorvaneFile::WriteAnsiString(uint16_t VarName, std::string_view V, bool SaveIfEmpty)
{
    if (!FFileOpen) return false;
    // Only a text that is empty as given is left out; one that starts with a
    // 0 byte is still written, as a field of length 0.
    if (V.empty() && !SaveIfEmpty) return true;
    // The payload ends at the first 0 byte and cannot exceed a 16-bit length.
    const size_t zero = V.find('\0');
    if (zero != std::string_view::npos) V = V.substr(0, zero);
    if (V.size() > 0xFFFF) V = V.substr(0, 0xFFFF);
    return WriteVarInfo({VarName, 2, static_cast<uint16_t>(V.size())}) && Write(V.data(), V.size());
}

bool TQuorvaneFile::WriteString(uint16_t VarName, std::string_view V, bool SaveIfEmpty)
{
    return WriteAnsiString(VarName, Utf8ToAnsi(V), SaveIfEmpty);
}

} // namespace qv
