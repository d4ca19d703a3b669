#include "update/UpdateCheck.h"

// The first commit only fixes the interface for the dialogs; the transfers
// follow in the next commits.

namespace qv {

void SetTransferIdleHandler(std::function<void()>) {}
std::string DownloadServer() { return {}; }
std::string VersionFileUrl() { return {}; }
std::string SetupDownloadUrl(const std::string&) { return {}; }
std::string VersionFileName() { return {}; }
std::string UpgradeSettingsFileName() { return {}; }
std::string SetupFileName(const std::string&) { return {}; }
std::string SafeVersionText(std::string_view, std::string_view Unknown) { return std::string(Unknown); }
bool FetchToFile(const std::string&, const std::string&) { return false; }
bool CheckForNewerVersion(const std::string&, const std::string&, const std::string&, std::string& Version,
                          std::string& BuildText)
{
    Version = "????";
    BuildText = "??";
    return false;
}
bool DownloadToFile(const std::string&, const std::string&, const TDownloadEvents&) { return false; }
TUpgradeSettings LoadUpgradeSettings() { return {}; }
void SaveAutomatically(bool) {}
double NowAsDateTime() { return 0; }
bool AutomaticCheckDue(const TUpgradeSettings&, double) { return false; }
bool UpgradeAvailable() { return false; }

} // namespace qv
