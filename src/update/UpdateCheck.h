#pragma once
// The online update without a window: the version check against our
// download server, the download of the setup program, and the "Upgrade"
// settings that decide when the program checks by itself. Everything goes
// through libcurl with the proxy of ProxyServer.ini (ProxySettings.h).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qv {

// Called on the transferring thread at least every 50 ms while any transfer
// runs (connecting included), so the window can let its events run
// (repaint) during a check or a download. The shell sets it once; none by
// default.
void SetTransferIdleHandler(std::function<void()> Handler);

// Our download server: $QV_UPDATE_SERVER when set and not empty (a base URL
// such as https://127.0.0.1:8443, trailing "/" dropped), else
// "https://update.quorvane.example".
std::string DownloadServer();
// DownloadServer() + "/Version/" + ProgramName + "/" + ProgramName + "Version.txt"
std::string VersionFileUrl();
// DownloadServer() + "/Version/" + ProgramName + "/setup.exe?hdd=" + UserInfo
// with blanks as "_" + "&ver=" + ProgramYear + "-" + ProgramBuild
std::string SetupDownloadUrl(const std::string& UserInfo);
// ChangeExt(NamedSettingsFile("Version"), ".txt")
std::string VersionFileName();
// NamedSettingsFile("Upgrade")
std::string UpgradeSettingsFileName();
// DownloadsFolder() + "Setup " + ProgramName + " " + NewVersion + ".exe"
std::string SetupFileName(const std::string& NewVersion);

// A version or build text from the network is kept only when it is 1..32
// characters of digits, letters, dots, blanks and hyphens; otherwise it
// reads as Unknown ("????" for a version, "??" for a build).
std::string SafeVersionText(std::string_view Text, std::string_view Unknown);

// GET Url with the proxy settings, redirects, the user agent and the two
// X-VELK headers; the body goes to FileName (written to a temporary file
// beside it, renamed when complete; at most 64 KiB).
bool FetchToFile(const std::string& Url, const std::string& FileName);
// The version check: fetches into VersionFileName(), reads [Version]
// Version/Build (made safe), sets LastChecked on success, compares
// Year*1000+digits(Build) < Version*1000+BuildText.
bool CheckForNewerVersion(const std::string& Url, const std::string& Year, const std::string& Build,
                          std::string& Version, std::string& BuildText);

// The setup program's download: proxy settings and redirects, no user agent
// or extra headers; OnWorkBegin(total bytes, 0 when the server gives no
// length), OnWork(bytes so far) as data arrives; the file is complete and
// renamed into place only on success (at most 1 GiB).
struct TDownloadEvents {
    std::function<void(int64_t Total)> OnWorkBegin;
    std::function<void(int64_t Done)> OnWork;
};
bool DownloadToFile(const std::string& Url, const std::string& FileName, const TDownloadEvents& Events);

// "Upgrade" settings: [Upgrade] Automatically (default true), LastChecked
// (days since 30 December 1899, local time; default 0).
struct TUpgradeSettings {
    bool Automatically = true;
    double LastChecked = 0;
};
TUpgradeSettings LoadUpgradeSettings();
// Throws EIniFileError (platform/IniFiles.h) when the file cannot be written.
void SaveAutomatically(bool Automatically);
double NowAsDateTime();
// Automatically set and at least 6 whole days since LastChecked.
bool AutomaticCheckDue(const TUpgradeSettings& Settings, double Now);
// AutomaticCheckDue(LoadUpgradeSettings(), NowAsDateTime()) and then a check
// that finds a newer version.
bool UpgradeAvailable();

} // namespace qv
