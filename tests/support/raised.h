#pragma once
// The message of what an action raises, for tables of expected failures.
#include <functional>
#include <string>

namespace trev::test {

// "" when the action returns.
std::string raisedMessage(const std::function<void()>& action);

}  // namespace trev::test
