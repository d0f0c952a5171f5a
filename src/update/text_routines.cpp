#include "update/text_routines.h"

#include "platform/text_file.h"

namespace trev {
namespace {

constexpr size_t kKeyWidth = 40;

bool isVersionPunctuation(char c) {
    return std::string_view(".-/\\|,[]()*_ ").find(c) != std::string_view::npos;
}

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
        if (trim(columns(reader.readLine(), 1, kKeyWidth)) == key) return true;
    return false;
}

}  // namespace trev
