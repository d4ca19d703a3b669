#include "model/ModelTypes.h"

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

bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second, TDateTime& Result)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1) return false;
    const bool leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Day > kDays[Month - 1] + (Month == 2 && leap ? 1 : 0)) return false;
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59) return false;
    // Days from 0001-01-01 (proleptic Gregorian) to the date.
    const int y = Year - 1;
    long days = 365L * y + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < Month; ++m) days += kDays[m - 1] + (m == 2 && leap ? 1 : 0);
    days += Day - 1;
    // 1899-12-30, day 0 of the TDateTime scale, is day 693593 counted that way.
    Result = static_cast<double>(days - 693593) + (Hour * 3600 + Minute * 60 + Second) / 86400.0;
    return true;
}

} // namespace qv
