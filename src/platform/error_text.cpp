// The error display's wording, apart from the message box so it is tested without a window.
#include "platform/errors.h"

namespace trev {

std::string errorDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

}  // namespace trev
