#include "document/Manifolds.h"

#include "core/Messages.h"
#include "core/Text.h"
#include "core/Tolerance.h"
#include "document/old/OldFormats.h"
#include "stream/QuorvaneFiles.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

TManifold::TManifold() { Clear(); }

void TManifold::Clear()
{
    FFileName.clear();
    fVELKStamp.clear();
    fStartSession = NowLocal();
    FData = TManifoldData{};
    FData.HoleListChangedDateTime = NowLocal();
    fHoleNumberOptions = THoleNumberOptionsData{};
    fEngravedItemNumbersOptions = TFormatEngravedItemNumbersData{};
    FRevisionList.Clear();
    fRevisionLayoutList.Clear();
    fSessionList.Clear();
    FProject.Clear();
    fToDo.Clear();
    FHoleList.Clear();
    fCalculateSettingsNew.Clear();
    fCutOutList.Clear();
    fHoleTextList.Clear();
    fAssemblyList.Clear();
    fCrossList.Clear();
    FGroupList.Clear();
    fPlotSettings.Clear();
    fMountingHoleDefinitionList.Clear();
    fCheckers.Clear();
    fLayoutList.Clear();
    fBillOfMaterials.Clear();
}

namespace {

// The full path, with "." and ".." steps resolved (a relative name against
// the current folder).
std::string FullPath(const std::string& FileName)
{
    std::error_code ec;
    const auto full = std::filesystem::absolute(FileName, ec);
    return ec ? FileName : full.lexically_normal().string();
}

// A stored text height of zero means the unit's default.
double HeightOrDefault(double stored, bool inch, double mm, double in)
{
    if (!IsZero(stored)) return stored;
    return inch ? in : mm;
}

} // namespace

double TManifold::IsoHeightHoleNumber() const { return HeightOrDefault(FData.HeightIsoHoleNumber, IsInch(), 2.5, 0.1); }
double TManifold::IsoHeightFaceNumber() const { return HeightOrDefault(FData.HeightIsoFaceNumber, IsInch(), 5.0, 0.2); }
double TManifold::IsoHeightItemNumber() const { return HeightOrDefault(FData.HeightIsoItemNumber, IsInch(), 3.5, 0.14); }
double TManifold::IsoHeightError() const { return HeightOrDefault(FData.HeightIsoError, IsInch(), 20.0, 0.75); }

std::string TManifold::DimensionsToStr() const
{
    return FixedText(FData.Max.X, FData.Decimals) + "x" + FixedText(FData.Max.Y, FData.Decimals) + "x" +
           FixedText(FData.Max.Z, FData.Decimals);
}

// ------------------------------------------------------------- detection

int DetectFileVersionFromBytes(std::string_view Bytes, int FileKind)
{
    if (Bytes.size() >= 40) {
        static const struct { const char* text; int version; } kVersions[] = {
            {"7.00", 700}, {"8.02", 802}, {"8.01", 801}, {"7.01", 701}, {"5.40", 540}, {"5.30", 530}, {"5.20", 520},
            {"5.10", 510}, {"5.00", 500}, {"4.20", 420}, {"4.15", 415}, {"4.10", 410}, {"4.00", 400}};
        for (const auto& v : kVersions)
            if (Bytes.substr(8, 4) == v.text) return v.version;
    }
    // Headerless files of versions 3.00 and 2.00 are known only by their size:
    // whole numbers of fixed-size records.
    const size_t n = Bytes.size();
    if (n % 134 == 0) return 300;
    if (FileKind == 1 && n % 227 == 0) return 200;
    if (FileKind == 2 && n % 215 == 0) return 200;
    return -1;
}

int DetectFileVersion(const std::string& FileName, int FileKind)
{
    TFileContent content;
    std::string why;
    if (!ReadFileContent(FileName, content, why)) return -1;
    return DetectFileVersionFromBytes(content.Bytes, FileKind);
}

// ------------------------------------------------------------ reading

std::string CannotReadText(const std::string& FileName, const std::string& Why)
{
    return "Cannot read \"" + FileName + "\": " + Why;
}

namespace {

// Why a path is no file to read, or empty when it is one. A FIFO or pipe
// (as /dev/stdin is for piped input) is read like a file.
std::string NotAFile(const struct stat& st)
{
    if (S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return "it is a folder, not a file";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "it is a device, not a file";
    return "it is not a file";
}

} // namespace

bool ReadFileContent(const std::string& FileName, TFileContent& Content, std::string& Why)
{
    Content.Bytes.Clear();
    Content.Time.reset();
    // Looked at before opening: opening a device can block or have effects.
    struct stat st{};
    if (::stat(FileName.c_str(), &st) != 0) {
        Why = std::strerror(errno);
        return false;
    }
    if (Why = NotAFile(st); !Why.empty()) return false;
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Why = std::strerror(errno);
        return false;
    }
    struct Closer { int fd; ~Closer() { ::close(fd); } } closer{fd};
    // The path may have been replaced between the two looks.
    if (::fstat(fd, &st) != 0) {
        Why = std::strerror(errno);
        return false;
    }
    if (Why = NotAFile(st); !Why.empty()) return false;
    // A regular file is read into room of its size; whatever a pipe delivers,
    // or a file that grew meanwhile, is appended as it comes.
    size_t got = 0;
    if (S_ISREG(st.st_mode)) {
        Content.Bytes.Reset(static_cast<size_t>(st.st_size));
        Content.Time = LocalFileTime(st);
    }
    auto fail = [&] {
        Why = std::strerror(errno);
        Content.Bytes.Clear();
        return false;
    };
    while (got < Content.Bytes.size()) {
        const ssize_t n = ::read(fd, Content.Bytes.data() + got, Content.Bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    Content.Bytes.Shrink(got);
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        if (n == 0) break;
        Content.Bytes.Append(chunk, static_cast<size_t>(n));
    }
    return true;
}

// --------------------------------------------------------------- loading

bool TManifold::LoadFromFile(const std::string& FileName, bool ViewerFile, bool ShowFileVersionError)
{
    TFileContent content;
    std::string why;
    if (!ReadFileContent(FileName, content, why)) {
        Clear();
        FFileName = FullPath(FileName);
        ShowMessage(TMessageKind::Error, CannotReadText(FileName, why));
        return false;
    }
    return LoadFromBytes({content.Bytes, FileName, content.Time}, ViewerFile, ShowFileVersionError);
}

bool TManifold::LoadFromBytes(const TFileBytes& File, bool ViewerFile, bool ShowFileVersionError)
{
    Clear();
    FData.HoleListChangedDateTime = File.Time.value_or(NowLocal());
    TLoadMessages messages;
    int v = DetectFileVersionFromBytes(File.Bytes, 1);
    if (v > 700) {
        if (ShowFileVersionError)
            ShowMessage(TMessageKind::Warning,
                        "This file is saved with a newer version of Quorvane, some data might be lost!");
        v = 700;
    }
    bool result = false;
    if (v == 700) {
        TQuorvaneFile HF(File.Bytes, ViewerFile);
        HF.ReadFileVersion();
        ReadRecords(HF);
        result = true;
    } else {
        result = LoadOldVersionFile(v, File, *this);
    }
    messages.Finish();
    FFileName = FullPath(File.FileName);
    return result;
}

bool TManifold::HoleLimitReached()
{
    if (FHoleList.Count() < MaxHoles) return false;
    ShowMessage(TMessageKind::Warning, kTooManyHolesWarning);
    return true;
}

void TManifold::ReadRecords(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 1999) return;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 2000: ReadManifoldRecord(HF); break;
        case 10000:
            if (HoleLimitReached()) return;
            FHoleList.Add()->Load(HF);
            break;
        // Each record is appended first and then read, so a record cut off
        // by the end of the data is still in its list.
        case 3000: FRevisionList.Add()->Load(HF); break;
        case 3400: fRevisionLayoutList.Add()->Load(HF); break;
        case 4000: FProject.Load(HF); break;
        case 4500: fToDo.Load(HF); break;
        case 5000: FGroupList.Add()->Load(HF); break;
        case 8000: fSessionList.Add()->Load(HF); break;
        case 9000: fAssemblyList.Add()->Load(HF); break;
        case 9400: fCrossList.Add()->Load(HF); break;
        case 9600: fCheckers.Load(HF); break;
        case 13000: fCalculateSettingsNew.Load(HF); break;
        case 14000: fMountingHoleDefinitionList.Add()->Load(HF); break;
        case 32000: fCutOutList.Add()->Load(HF); break;
        case 34000: fHoleTextList.Add()->Load(HF); break;
        case 41000: fBillOfMaterials.Load(HF); break;
        case 43000: fLayoutList.Add()->Load(HF); break;
        case 50000: fPlotSettings.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    // The data ended before the end tag: keep what was read and say so.
    ShowMessage(TMessageKind::Warning, kTruncatedFileWarning);
}

namespace {

// The old formats keep their drawing set-up in a production and an assembly
// plot setting, added even when no reader takes the file.
void AddOldDrawingSetups(TManifold& Manifold)
{
    Manifold.fPlotSettings.Add()->FData.PlotMode = psmProduction;
    Manifold.fPlotSettings.Add()->FData.PlotMode = psmAssembly;
}

} // namespace

bool LoadOldVersionFile(int Version, const std::string& FileName, TManifold& Manifold)
{
    TFileContent content;
    std::string why;
    if (!ReadFileContent(FileName, content, why)) {
        AddOldDrawingSetups(Manifold);
        ShowMessage(TMessageKind::Error, CannotReadText(FileName, why));
        return false;
    }
    return LoadOldVersionFile(Version, {content.Bytes, FileName, content.Time}, Manifold);
}

bool LoadOldVersionFile(int Version, const TFileBytes& File, TManifold& Manifold)
{
    AddOldDrawingSetups(Manifold);
    switch (Version) {
    case 540:
    case 530:
    case 520:
    case 510:
    case 500: return Read500(Version, File, Manifold);
    case 420:
    case 415:
    case 410:
    case 400: return Read400(Version, File, Manifold);
    case 300: return Read300(File, Manifold);
    case 200: return Read200(File, Manifold);
    default: return false;
    }
}

} // namespace qv
