#include "stream/QuorvaneFiles.h"

#include "core/Encoding.h"
#include "core/Tolerance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qv {
namespace {

// Large enough for a field header and the longest payload (65535 bytes), so
// that whether a field is whole can be told from the buffer.
constexpr size_t kBufferSize = 128 * 1024;

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
        fIn = fBuffer.data();
    }
}

TQuorvaneFile::TQuorvaneFile(std::string_view Bytes, bool ViewerFile)
    : FFileOpen(true), FViewerFile(ViewerFile), FFileError(false), fIn(Bytes.data()), fLen(Bytes.size()),
      fAtFileEnd(true), fMemory(true)
{
}

std::unique_ptr<TQuorvaneFile> TQuorvaneFile::FromMemory(std::string bytes, bool ViewerFile)
{
    std::unique_ptr<TQuorvaneFile> s(new TQuorvaneFile());
    s->FViewerFile = ViewerFile;
    s->FFileOpen = true;
    s->FFileError = false;
    s->fMemory = true;
    s->fBuffer.assign(bytes.begin(), bytes.end());
    s->fIn = s->fBuffer.data();
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

bool TQuorvaneFile::HaveSlow(size_t Size)
{
    if (fLen - fPos < Size && !fAtFileEnd && FFileOpen && FFileMode == ModeRead) Fill();
    return fLen - fPos >= Size;
}

void TQuorvaneFile::EndOfData()
{
    fPos = fLen;
    fAtFileEnd = true; // nothing after a cut-off field is read
    fHitEnd = true;
}

size_t TQuorvaneFile::Read(void* dest, size_t size)
{
    if (!FFileOpen || FFileMode != ModeRead) return 0;
    HaveSlow(size);
    size_t n = std::min(size, fLen - fPos);
    if (n > 0) {
        std::memcpy(dest, fIn + fPos, n);
        fPos += n;
    }
    if (n < size) fHitEnd = true;
    return n;
}

bool TQuorvaneFile::Eof()
{
    if (!FFileOpen || FFileMode != ModeRead) return true;
    return !HaveSlow(1);
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

void TQuorvaneFile::ReadVarInfoSlow(TVarInfo& V)
{
    V = TVarInfo{};
    if (!FFileOpen || FFileMode != ModeRead) return;
    if (!HaveSlow(6)) {
        EndOfData();
        return;
    }
    const TVarInfo header = HeaderAt(fIn + fPos, FViewerFile);
    if (!HaveSlow(6 + size_t(header.VarLength))) {
        // The payload is cut off: the field is not delivered at all.
        EndOfData();
        return;
    }
    V = header;
    fPos += 6;
}

bool TQuorvaneFile::GetFixedSlow(void* Field, size_t Size)
{
    if (!FFileOpen || FFileMode != ModeRead) return false;
    if (!HaveSlow(Size)) {
        EndOfData();
        return false;
    }
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(Field, fIn + fPos, Size);
    } else {
        auto* out = static_cast<unsigned char*>(Field);
        for (size_t i = 0; i < Size; ++i) out[i] = static_cast<unsigned char>(fIn[fPos + Size - 1 - i]);
    }
    fPos += Size;
    return true;
}

bool TQuorvaneFile::GetString(std::string& Field, int32_t Len)
{
    if (!FFileOpen || FFileMode != ModeRead) return false;
    if (Len <= 0) {
        Field.clear();
        return true;
    }
    if (!Have(size_t(Len))) {
        EndOfData();
        return false;
    }
    const std::string_view raw(fIn + fPos, size_t(Len));
    fPos += size_t(Len);
    if (!StoreAscii(Field, raw)) Field = AnsiToUtf8(raw);
    return true;
}

bool TQuorvaneFile::GetString(TRareText& Field, int32_t Len)
{
    std::string text;
    if (!GetString(text, Len)) return false;
    Field = std::move(text);
    return true;
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
        sink(fIn + fPos, n);
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

std::string TQuorvaneFile::ReadString(int32_t Len)
{
    // The common case, the whole text in the data: decoded in one step.
    // (A closed or write stream holds no bytes to read: fLen is 0.)
    if (Len > 0 && fLen - fPos >= size_t(Len)) {
        std::string s;
        GetString(s, Len);
        return s;
    }
    return AnsiToUtf8(ReadAnsiString(Len));
}

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
        if (fOutLen == fBuffer.size()) Flush();
        const size_t n = std::min(size, fBuffer.size() - fOutLen);
        std::memcpy(fBuffer.data() + fOutLen, p, n);
        fOutLen += n;
        p += n;
        size -= n;
    }
    return true;
}

void TQuorvaneFile::Flush()
{
    if (!FFileOpen || FFileMode != ModeWrite) return;
    size_t done = 0;
    while (done < fOutLen) {
        const ssize_t n = ::write(f, fBuffer.data() + done, fOutLen - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fOutLen = 0;
            throw EInOutError(ErrnoText("Write error on", FFileName));
        }
        done += static_cast<size_t>(n);
    }
    fOutLen = 0;
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
