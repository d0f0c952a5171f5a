#include "publish/publish_command.h"

#include <iostream>

int main(int argc, char** argv) {
    return trev::publish::runPublishCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
