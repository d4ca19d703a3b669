#include "update/UpdateCheck.h"

#include "update/Transfer.h"

#include "core/Text.h"
#include "platform/IniFiles.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsFolders.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace qv {

namespace {

constexpr std::string_view kDefaultServer = "https://update.quorvane.example";
constexpr std::string_view kUpgradeSection = "Upgrade";
constexpr size_t kMaxVersionText = 32;
// An automatic check is made when the last one lies this many whole days back.
constexpr double kDaysBetweenChecks = 6;

bool IsVersionCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' || c == ' ' ||
           c == '-';
}

// A decimal integer, 0 when the text is not one.
int64_t IntegerOrZero(std::string_view text)
{
    int32_t value = 0;
    return TryStrToInt(text, value) ? value : 0;
}

void MakeFolderOf(const std::string& fileName)
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(fileName).parent_path(), ignored);
}

// Days since 30 December 1899 of a civil date (the proleptic Gregorian
// calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468 + 25569; // 1970-01-01 is day 25569
}

} // namespace

std::string DownloadServer()
{
    std::string server(kDefaultServer);
    if (const char* env = std::getenv("QV_UPDATE_SERVER"); env && *env) server = env;
    while (!server.empty() && server.back() == '/') server.pop_back();
    return server;
}

std::string VersionFileUrl()
{
    return DownloadServer() + "/Version/" + ProgramName + "/" + ProgramName + "Version.txt";
}

std::string SetupDownloadUrl(const std::string& UserInfo)
{
    std::string hdd = UserInfo;
    for (char& c : hdd)
        if (c == ' ') c = '_';
    return DownloadServer() + "/Version/" + ProgramName + "/setup.exe?hdd=" + hdd + "&ver=" + ProgramYear + "-" +
           ProgramBuild;
}

std::string VersionFileName() { return ChangeExt(NamedSettingsFile("Version"), ".txt"); }

std::string UpgradeSettingsFileName() { return NamedSettingsFile("Upgrade"); }

// The version text comes from the server through the dialog; whatever it
// holds, the name stays one file in the downloads folder.
std::string SetupFileName(const std::string& NewVersion)
{
    std::string version = NewVersion;
    for (char& c : version)
        if (!IsVersionCharacter(c)) c = '_';
    return DownloadsFolder() + "Setup " + ProgramName + " " + version + ".exe";
}

std::string SafeVersionText(std::string_view Text, std::string_view Unknown)
{
    if (Text.empty() || Text.size() > kMaxVersionText) return std::string(Unknown);
    for (const char c : Text)
        if (!IsVersionCharacter(c)) return std::string(Unknown);
    return std::string(Text);
}

bool FetchToFile(const std::string& Url, const std::string& FileName)
{
    TTransferRequest request;
    request.Url = Url;
    request.FileName = FileName;
    request.MaxBytes = TransferLimits().VersionFileMaxBytes;
    request.IdentifyProgram = true;
    std::string error;
    const bool ok = Transfer(request, error);
    SetLastTransferError(ok ? std::string() : error);
    return ok;
}

bool CheckForNewerVersion(const std::string& Url, const std::string& Year, const std::string& Build,
                          std::string& Version, std::string& BuildText)
{
    const std::string settingsFile = UpgradeSettingsFileName();
    MakeFolderOf(settingsFile);
    std::string digits;
    for (const char c : Build)
        if (c >= '0' && c <= '9') digits += c;
    Version = "????";
    BuildText = "??";
    const std::string versionFile = VersionFileName();
    MakeFolderOf(versionFile);
    std::remove(versionFile.c_str()); // never read an old answer
    if (!FetchToFile(Url, versionFile)) return false;

    const TIniFile answer(versionFile);
    Version = SafeVersionText(answer.ReadString("Version", "Version", "????"), "????");
    BuildText = SafeVersionText(answer.ReadString("Version", "Build", "??"), "??");
    try {
        TIniFile settings(settingsFile);
        settings.WriteFloat(kUpgradeSection, "LastChecked", NowAsDateTime());
        settings.UpdateFile();
    } catch (const EIniFileError&) {
        // The answer stands; the next start merely checks again.
    }
    return IntegerOrZero(Year) * 1000 + IntegerOrZero(digits) < IntegerOrZero(Version) * 1000 + IntegerOrZero(BuildText);
}

bool DownloadToFile(const std::string& Url, const std::string& FileName, const TDownloadEvents& Events)
{
    MakeFolderOf(FileName);
    TTransferRequest request;
    request.Url = Url;
    request.FileName = FileName;
    request.MaxBytes = TransferLimits().SetupFileMaxBytes;
    request.OnBegin = Events.OnWorkBegin;
    request.OnProgress = Events.OnWork;
    std::string error;
    const bool ok = Transfer(request, error);
    SetLastTransferError(ok ? std::string() : error);
    return ok;
}

TUpgradeSettings LoadUpgradeSettings()
{
    const TIniFile ini(UpgradeSettingsFileName());
    TUpgradeSettings s;
    s.Automatically = ini.ReadBool(kUpgradeSection, "Automatically", s.Automatically);
    s.LastChecked = ini.ReadFloat(kUpgradeSection, "LastChecked", s.LastChecked);
    return s;
}

void SaveAutomatically(bool Automatically)
{
    const std::string fileName = UpgradeSettingsFileName();
    MakeFolderOf(fileName);
    TIniFile ini(fileName);
    ini.WriteBool(kUpgradeSection, "Automatically", Automatically);
    ini.UpdateFile();
}

double NowAsDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int64_t day = DaysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                                      static_cast<unsigned>(local.tm_mday));
    const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
    return static_cast<double>(day) + seconds / 86400.0;
}

// The days between the two times count either way: a LastChecked in the
// future (a clock set back, or a damaged file) must not stop the checks for
// good.
bool AutomaticCheckDue(const TUpgradeSettings& Settings, double Now)
{
    if (!Settings.Automatically) return false;
    if (!std::isfinite(Settings.LastChecked)) return true;
    return std::fabs(Now - Settings.LastChecked) >= kDaysBetweenChecks;
}

bool UpgradeAvailable()
{
    if (!AutomaticCheckDue(LoadUpgradeSettings(), NowAsDateTime())) return false;
    std::string version, build;
    return CheckForNewerVersion(VersionFileUrl(), ProgramYear, ProgramBuild, version, build);
}

} // namespace qv
