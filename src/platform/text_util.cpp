#include "platform/text_util.h"

#include "platform/errors.h"

#include <cctype>
#include <limits>

namespace trev {

std::string trim(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string columns(const std::string& line, size_t first, size_t last) {
    if (first == 0 || first > line.size() || last < first) return {};
    return line.substr(first - 1, last - first + 1);
}

std::string upperCase(const std::string& text) {
    std::string result = text;
    for (auto& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string lowerCase(const std::string& text) {
    std::string result = text;
    for (auto& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

namespace {

bool isControlByte(unsigned char c) {
    return c < 32 || c == 127 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

std::string escapeControlBytes(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (!isControlByte(byte)) {
            shown += c;
            continue;
        }
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 15];
    }
    return shown;
}

std::string shownValue(const std::string& value) {
    if (value.size() <= kShownLength) return value;
    return value.substr(0, kShownLength) + "...";
}

int32_t parseInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const size_t firstDigit = i;
    int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) break;
    }
    if (negative) value = -value;
    if (i == firstDigit || i != text.size() || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max())
        throw ConvertError("'" + shownValue(text) + "' is not a valid integer value");
    return static_cast<int32_t>(value);
}

}  // namespace trev
