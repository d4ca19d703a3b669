#include "ModelTypes.h"

#include <ctime>

namespace qv {

TDateTime UnixToLocalDateTime(long long unixSeconds)
{
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    localtime_r(&t, &local);
    // Seconds east of UTC, including daylight saving.
    const long long offset = local.tm_gmtoff;
    // 1970-01-01 is day 25569 of the TDateTime scale.
    return 25569.0 + static_cast<double>(unixSeconds + offset) / 86400.0;
}

TDateTime NowLocal() { return UnixToLocalDateTime(static_cast<long long>(std::time(nullptr))); }

} // namespace qv
