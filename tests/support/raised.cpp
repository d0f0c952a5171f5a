#include "support/raised.h"

#include <exception>

namespace trev::test {

std::string raisedMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

}  // namespace trev::test
