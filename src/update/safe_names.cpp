#include "update/safe_names.h"

#include "platform/codepage.h"
#include "platform/errors.h"

namespace trev {
namespace {

bool isUnsafeCharacter(unsigned char c) { return c < 32 || c == 127 || c == '\\' || c == '/' || c == ':'; }

// Control characters would break the message itself.
std::string printable(const std::string& name) {
    std::string shown = name;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    return shown;
}

}  // namespace

bool isSafeFileName(const std::string& name) {
    if (name == "." || name == "..") return false;
    for (char c : name)
        if (isUnsafeCharacter(static_cast<unsigned char>(c))) return false;
    return true;
}

void requireSafeFileName(const std::string& name, const std::string& listName, int lineNumber) {
    if (isSafeFileName(name)) return;
    throw Error(utf8ToCp1252("Nome inválido na linha ") + std::to_string(lineNumber) + " de " + listName +
                ": \"" + printable(name) + "\"");
}

}  // namespace trev
