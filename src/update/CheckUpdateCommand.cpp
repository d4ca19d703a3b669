#include "update/CheckUpdateCommand.h"

#include "update/Transfer.h"
#include "update/UpdateCheck.h"

#include "platform/ProgramIdentity.h"

namespace qv {

TCheckUpdateOutcome CheckUpdateCommand()
{
    std::string version, build;
    const bool newer = CheckForNewerVersion(VersionFileUrl(), ProgramYear, ProgramBuild, version, build);
    // A failed transfer leaves both unknown; an answer without the keys (or
    // with texts that are not versions) leaves at least one unknown.
    if (version == "????" || build == "??") {
        const std::string& error = LastTransferError();
        return {1, "check failed: " + (error.empty() ? std::string("the answer holds no version") : error)};
    }
    if (newer) return {0, "version " + version + " build " + build + " is available"};
    return {0, "up to date"};
}

} // namespace qv
