#include "platform/command_line.h"
#include "publish/publish_command.h"

#include <iostream>

int main(int argc, char** argv) {
    return trev::publish::runPublishCommand(trev::commandLineArguments(argc, argv), std::cout, std::cerr);
}
