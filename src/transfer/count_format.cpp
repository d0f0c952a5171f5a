#include "transfer/count_format.h"

#include "platform/codepage.h"

#include <clocale>

namespace trev {

std::string formatCount(int64_t count, char thousandsSeparator) {
    bool negative = count < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += thousandsSeparator;
        text += digits[i];
    }
    return negative ? "-" + text : text;
}

std::string formatCount(int64_t count) { return formatCount(count, systemThousandsSeparator()); }

char systemThousandsSeparator() {
    const lconv* conventions = std::localeconv();
    std::string separator = conventions && conventions->thousands_sep ? conventions->thousands_sep : "";
    std::string cp1252 = utf8ToCp1252(separator);
    if (cp1252.size() == 1 && cp1252 != "?") return cp1252[0];
    return '.';
}

}  // namespace trev
