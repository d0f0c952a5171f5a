#include "update/safe_names.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/text_util.h"

namespace trev {
namespace {

bool isUnsafeCharacter(unsigned char c) { return c < 32 || c == 127 || c == '\\' || c == '/' || c == ':'; }

}  // namespace

bool isSafeFileName(const std::string& name) {
    // An empty name would be the folder itself; a blank one a folder no one can see.
    if (name == "." || name == ".." || Trim(name).empty()) return false;
    for (char c : name)
        if (isUnsafeCharacter(static_cast<unsigned char>(c))) return false;
    return true;
}

void requireSafeFileName(const std::string& name, const std::string& listName, int lineNumber) {
    if (isSafeFileName(name)) return;
    throw Error(utf8ToCp1252("Nome inválido na linha ") + std::to_string(lineNumber) + " de " + listName +
                ": \"" + EscapeControlBytes(name) + "\"");
}

}  // namespace trev
