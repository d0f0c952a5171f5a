#include "update/text_routines.h"

#include "platform/text_file.h"

namespace trev {
namespace {

constexpr size_t kKeyWidth = 40;

bool isVersionPunctuation(char c) {
    return std::string_view(".-/\\|,[]()*_ ").find(c) != std::string_view::npos;
}

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string StripVersionPunctuation(const std::string& text) {
    std::string result;
    for (char c : text)
        if (!isVersionPunctuation(c)) result += c;
    return result;
}

std::string PadText(const std::string& text, const std::string& mode, size_t width) {
    std::string result = text;
    while (result.size() < width) {
        if (mode == "I") result.insert(result.begin(), '0');
        else if (mode == "S") result += ' ';
        else if (mode == "P") result.insert(result.begin(), ' ');
        else if (mode == "C") result += result.size() + 1 == width ? '+' : '-';
        else break;
    }
    return result;
}

bool FindKeyedLine(const std::string& key, const std::string& windowsPath) {
    TextReader reader(windowsPath);
    while (!reader.eof())
        if (Trim(Columns(reader.readLine(), 1, kKeyWidth)) == key) return true;
    return false;
}

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlankOrControl(text[first])) ++first;
    while (last > first && isBlankOrControl(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string Columns(const std::string& line, size_t first, size_t last) {
    if (first == 0 || first > line.size() || last < first) return {};
    return line.substr(first - 1, last - first + 1);
}

}  // namespace trev
