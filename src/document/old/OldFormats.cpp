#include "document/old/OldFormats.h"

#include "core/Encoding.h"
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "stream/QuorvaneFiles.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

bool FileLastWriteLocal(const std::string& FileName, TDateTime& Time)
{
    struct stat st{};
    if (::stat(FileName.c_str(), &st) != 0) return false;
    Time = LocalFileTime(st);
    return true;
}

TDateTime LocalFileTime(const struct stat& st)
{
    const double fraction = st.st_mtim.tv_nsec * 1e-9;
    // Local offset at that moment, taken from the whole seconds.
    return UnixToLocalDateTime(st.st_mtim.tv_sec) + fraction / 86400.0;
}

double RoundTenThousandth(double Value)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(Value * 10000.0) / 10000.0;
}

double RoundSingle(float Value) { return RoundTenThousandth(static_cast<double>(Value)); }

void EnsureOldDrawingSetups(TManifold& Manifold)
{
    while (Manifold.fPlotSettings.Count() < 2) {
        const TPlotSetupMode mode = Manifold.fPlotSettings.Count() == 0 ? psmProduction : psmAssembly;
        Manifold.fPlotSettings.Add()->FData.PlotMode = mode;
    }
}

// ------------------------------------------------------------ records

uint8_t TOldRecord::Byte(size_t Offset) const
{
    return Offset < fBytes.size() ? static_cast<uint8_t>(fBytes[Offset]) : 0;
}

uint16_t TOldRecord::Word(size_t Offset) const
{
    return static_cast<uint16_t>(Byte(Offset) | (Byte(Offset + 1) << 8));
}

uint32_t TOldRecord::LongWord(size_t Offset) const
{
    return static_cast<uint32_t>(Word(Offset)) | (static_cast<uint32_t>(Word(Offset + 2)) << 16);
}

float TOldRecord::Single(size_t Offset) const
{
    const uint32_t bits = LongWord(Offset);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double TOldRecord::Double(size_t Offset) const
{
    const uint64_t bits = static_cast<uint64_t>(LongWord(Offset)) | (static_cast<uint64_t>(LongWord(Offset + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string_view TOldRecord::RawShortText(size_t Offset, size_t n) const
{
    if (Offset >= fBytes.size()) return {};
    size_t len = Byte(Offset);
    if (len > n) len = n;
    const size_t avail = fBytes.size() - Offset - 1;
    if (len > avail) len = avail;
    return fBytes.substr(Offset + 1, len);
}

std::string TOldRecord::ShortText(size_t Offset, size_t n) const { return AnsiToUtf8(RawShortText(Offset, n)); }

// --------------------------------------------------------------- file

bool TOldFile::LoadFile(const std::string& FileName)
{
    TFileContent content;
    std::string why;
    fPos = 0;
    fHitEnd = false;
    const bool ok = ReadFileContent(FileName, content, why);
    fOwned = std::move(content.Bytes);
    fBytes = fOwned.View();
    return ok;
}

bool TOldFile::ReadRecord(size_t Size, TOldRecord& Record)
{
    if (Size > Remaining()) {
        fPos = fBytes.size();
        fHitEnd = true;
        Record = TOldRecord();
        return false;
    }
    Record = TOldRecord(std::string_view(fBytes).substr(fPos, Size));
    fPos += Size;
    return true;
}

bool TOldFile::ReadByte(uint8_t& Value)
{
    TOldRecord r;
    if (!ReadRecord(1, r)) return false;
    Value = r.Byte(0);
    return true;
}

bool TOldFile::ReadWord(uint16_t& Value)
{
    TOldRecord r;
    if (!ReadRecord(2, r)) return false;
    Value = r.Word(0);
    return true;
}

bool TOldFile::ReadInteger(int32_t& Value)
{
    TOldRecord r;
    if (!ReadRecord(4, r)) return false;
    Value = r.Integer(0);
    return true;
}

void WarnTruncatedOldFile() { ShowMessage(TMessageKind::Warning, kTruncatedFileWarning); }

// ------------------------------------------------------ shared rules

void ConvertOldAngle(THoleData& Data)
{
    double& AV = Data.AngleValue;
    double& AR = Data.AngleRotation;
    const int F = Data.FaceNumber;
    if (AV == 0) {
        AR = 0;
    } else if (AR == 0 && AV > 0) {
        if (F == 2 || F == 6) AR = 180;
        else if (F == 3) AR = 90;
        else if (F == 4) AR = 270;
    } else if (AR == 0 && AV < 0) {
        AV = -AV;
        if (F == 1 || F == 5) AR = 180;
        else if (F == 3) AR = 270;
        else if (F == 4) AR = 90;
    } else if (AR == 90 && AV > 0) {
        if (F == 1 || F == 2 || F == 5 || F == 6) AR = 270;
        else if (F == 3 || F == 4) AR = 0;
    } else if (AR == 90 && AV < 0) {
        AV = -AV;
        if (F == 3 || F == 4) AR = 180;
    } else {
        AV = 0;
        AR = 0;
    }
    // fmod keeps this bounded for any value a damaged file may hold; NaN
    // and infinities cannot be brought into range and become 0.
    auto wrap = [](double& a) {
        if (!std::isfinite(a)) {
            a = 0;
            return;
        }
        a = std::fmod(a, 360.0);
        if (a < 0) a += 360.0;
        if (a >= 360.0) a = 0; // -tiny + 360 rounds up to 360
    };
    wrap(AV);
    wrap(AR);
}

int TakeRotationPrefix(std::string& Remark, bool Remove)
{
    if (Remark.size() < 2 || Remark[0] != '@' || Remark[1] < '0' || Remark[1] > '3') return 0;
    const int rotation = (Remark[1] - '0') * 90;
    if (Remove) Remark.erase(0, 2);
    return rotation;
}

TValveData& LastOrNewValve(THole& Hole)
{
    TValve* v = Hole.FValveList.Last();
    if (!v) v = Hole.FValveList.Add();
    return v->fData;
}

void TOldPatterns::Apply(const THoleList& Holes, THoleData& Data, bool Starts, bool Member)
{
    if (Starts) {
        fHandle = Holes.NextPatternHandle();
        fCounter = -1;
        fOpen = true;
    }
    if ((Starts || Member) && fOpen) {
        ++fCounter;
        Data.PatternHandle = fHandle;
        Data.PatternHoleNumber = fCounter;
    } else {
        Data.PatternHandle = -1;
    }
}

} // namespace qv
