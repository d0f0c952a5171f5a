#pragma once
// Names read from server files become local file and folder names: none may
// lead out of the folder it is meant for.
#include <string>

namespace trev {

// False for an empty or blank name, a name over 255 characters, one holding
// \ / : < > " | ? * or a control character, one ending in a dot or a blank (".", ".."
// among them), and a device name of Windows (CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM1-9, LPT1-9 and COM/LPT with a superscript 1, 2 or 3), with or without an extension.
bool isSafeFileName(const std::string& name);

// Raises an Error naming the file and the line when the name is not safe.
void requireSafeFileName(const std::string& name, const std::string& listName, int lineNumber);

}  // namespace trev
