#pragma once
// "QuorvaneViewer --check-update": the version check without a window.
#include <string>

namespace qv {

struct TCheckUpdateOutcome {
    int ExitStatus = 1;  // 0: the check answered; 1: it failed
    std::string Line;    // "up to date", "version V build B is available" or "check failed: REASON"
};

// Checks VersionFileUrl() with the proxy settings as the window's check does,
// whenever asked (the automatic check's six days do not apply), and records
// LastChecked as any successful check does.
TCheckUpdateOutcome CheckUpdateCommand();

} // namespace qv
