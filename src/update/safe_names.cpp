#include "update/safe_names.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/text_util.h"

#include <array>
#include <cstring>

namespace trev {
namespace {

// The longest name one folder entry holds on Windows.
constexpr size_t kMaxNameLength = 255;

// Separators, the drive mark and the characters Windows refuses in a name (wildcards,
// redirections); a "?" would also turn a version folder into a URL query.
bool isUnsafeCharacter(unsigned char c) { return c < 32 || c == 127 || std::strchr("\\/:<>\"|?*", c); }

// COM and LPT take the digits 1 to 9 and the superscripts 1, 2 and 3 (Windows-1252 0xB9, 0xB2, 0xB3).
bool isPortNumber(unsigned char c) { return (c >= '1' && c <= '9') || c == 0xB9 || c == 0xB2 || c == 0xB3; }

// Windows opens a device instead of a file for these, whatever the extension.
bool isReservedDeviceName(const std::string& name) {
    static const std::array<std::string, 6> devices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    std::string base = upperCase(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();  // "CON .txt" is CON too
    for (const std::string& device : devices)
        if (base == device) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           isPortNumber(static_cast<unsigned char>(base[3]));
}

// Windows drops a final dot or blank, so the name would stand for another file.
bool endsInDotOrBlank(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

}  // namespace

bool isSafeFileName(const std::string& name) {
    // An empty name would be the folder itself; a blank one a folder no one can see.
    if (trim(name).empty() || name.size() > kMaxNameLength || endsInDotOrBlank(name) || isReservedDeviceName(name))
        return false;
    for (char c : name)
        if (isUnsafeCharacter(static_cast<unsigned char>(c))) return false;
    return true;
}

void requireSafeFileName(const std::string& name, const std::string& listName, int lineNumber) {
    if (isSafeFileName(name)) return;
    throw Error(utf8ToCp1252("Nome inválido na linha ") + std::to_string(lineNumber) + " de " + listName +
                ": \"" + escapeControlBytes(shownValue(name)) + "\"");
}

}  // namespace trev
