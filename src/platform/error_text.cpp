// The error display's wording, apart from the message box so it is tested without a window.
#include "platform/application.h"

namespace trev::Application {

std::string errorDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

}  // namespace trev::Application
