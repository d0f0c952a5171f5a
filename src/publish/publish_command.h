#pragma once
// trev-publish's command line: keygen, version, programs, addon, sign, verify.
#include <ostream>
#include <string>
#include <vector>

namespace trev::publish {

// The arguments after the program's name; 0 when done, 1 when refused, 2 for a usage error.
int runPublishCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace trev::publish
