#pragma once
// The local wall-clock time, as the log lines and the backup file names show it.
#include <string>

namespace trev {

struct LocalTime {
    int year = 0, month = 0, day = 0;  // month and day from 1
    int hour = 0, minute = 0, second = 0;
};

LocalTime localNow();

// "dd/mm/yyyy hh:nn:ss"
std::string dateTimeText(const LocalTime& time);
// "yyyymmdd_hhnnss"
std::string compactDateTimeText(const LocalTime& time);

}  // namespace trev
