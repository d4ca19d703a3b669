#include "document/Manifolds.h"

#include "core/Messages.h"
#include "core/Text.h"
#include "core/Tolerance.h"
#include "document/old/OldFormats.h"
#include "stream/QuorvaneFiles.h"

#include <algorithm>
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

int DetectFileVersion(const std::string& FileName, int FileKind)
{
    const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct Closer { int fd; ~Closer() { ::close(fd); } } closer{fd};

    char header[40];
    size_t got = 0;
    while (got < sizeof header) {
        const ssize_t n = ::read(fd, header + got, sizeof header - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    if (got == sizeof header) {
        static const struct { const char* text; int version; } kVersions[] = {
            {"7.00", 700}, {"8.02", 802}, {"8.01", 801}, {"7.01", 701}, {"5.40", 540}, {"5.30", 530}, {"5.20", 520},
            {"5.10", 510}, {"5.00", 500}, {"4.20", 420}, {"4.15", 415}, {"4.10", 410}, {"4.00", 400}};
        for (const auto& v : kVersions)
            if (std::memcmp(header + 8, v.text, 4) == 0) return v.version;
    }
    // Headerless files of versions 3.00 and 2.00 are known only by their size:
    // whole numbers of fixed-size records.
    struct stat st{};
    if (::fstat(fd, &st) != 0) return -1;
    const long long n = st.st_size;
    if (n % 134 == 0) return 300;
    if (FileKind == 1 && n % 227 == 0) return 200;
    if (FileKind == 2 && n % 215 == 0) return 200;
    return -1;
}

// --------------------------------------------------------------- loading

namespace {

TDateTime FileTimeOrNow(const std::string& FileName)
{
    TDateTime t;
    return FileLastWriteLocal(FileName, t) ? t : NowLocal();
}

} // namespace

bool TManifold::LoadFromFile(const std::string& FileName, bool ViewerFile, bool ShowFileVersionError)
{
    Clear();
    FData.HoleListChangedDateTime = FileTimeOrNow(FileName);
    int v = DetectFileVersion(FileName, 1);
    if (v > 700) {
        if (ShowFileVersionError)
            ShowMessage(TMessageKind::Warning,
                        "This file is saved with a newer version of Quorvane, some data might be lost!");
        v = 700;
    }
    bool result = false;
    if (v == 700) {
        TQuorvaneFile HF(FileName, TQuorvaneFile::ModeRead, ViewerFile);
        // The file may have vanished or become locked since it was detected.
        if (!HF.Error()) {
            HF.ReadFileVersion();
            ReadRecords(HF);
            result = true;
        }
    } else {
        result = LoadOldVersionFile(v, FileName, *this);
    }
    std::error_code ec;
    // The full path, with "." and ".." steps resolved.
    const auto full = std::filesystem::absolute(FileName, ec);
    FFileName = ec ? FileName : full.lexically_normal().string();
    return result;
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
        case 10000: FHoleList.Add()->Load(HF); break;
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

bool LoadOldVersionFile(int Version, const std::string& FileName, TManifold& Manifold)
{
    // The old formats keep their drawing set-up in a production and an
    // assembly plot setting, added even when no reader takes the file.
    Manifold.fPlotSettings.Add()->FData.PlotMode = psmProduction;
    Manifold.fPlotSettings.Add()->FData.PlotMode = psmAssembly;
    switch (Version) {
    case 540:
    case 530:
    case 520:
    case 510:
    case 500: return Read500(Version, FileName, Manifold);
    case 420:
    case 415:
    case 410:
    case 400: return Read400(Version, FileName, Manifold);
    case 300: return Read300(FileName, Manifold);
    case 200: return Read200(FileName, Manifold);
    default: return false;
    }
}

} // namespace qv
