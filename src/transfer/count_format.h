#pragma once
// Byte counts as the progress window shows them: the pattern "##0,000", that is
// at least four digits, grouped by three with the thousands separator.
#include <cstdint>
#include <string>

namespace trev {

// 0 -> "0.000", 512 -> "0.512", 1234567 -> "1.234.567" (separator '.').
std::string formatCount(int64_t count, char thousandsSeparator);
std::string formatCount(int64_t count);  // with the system's separator

// The system's thousands separator: the locale's when it is one Windows-1252
// character, otherwise '.', the separator of the machines this program serves.
char systemThousandsSeparator();

}  // namespace trev
