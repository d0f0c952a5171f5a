// trev-fetch, the benchmarks' contender:
//   trev-fetch http URL LOCAL [--window]
//   trev-fetch ftp HOST PORT REMOTE LOCAL [--window]
//   trev-fetch check H|F HOST HTTP_PORT FTP_PORT EXPECTED_ROWS
//   trev-fetch sql DATABASE SCRIPT [--window]
// LOCAL and SCRIPT are Windows paths; drive C: is $TREVALMONTE_DRIVE_C.
#include "fetcher.h"
#include "transfer/data_web.h"
#include "ui/application.h"

#include <QApplication>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace trev;

void requireCount(const std::vector<std::string>& args, size_t count) {
    if (args.size() != count && !(args.size() == count + 1 && args.back() == "--window"))
        throw std::runtime_error("usage: see the head of bench/fetcher/main.cpp");
}

void dispatch(const std::vector<std::string>& args) {
    const bool window = args.back() == "--window";
    const std::string& what = args[0];
    if (what == "http") {
        requireCount(args, 3);
        fetcher::httpGet(args[1], args[2], window);
    } else if (what == "ftp") {
        requireCount(args, 5);
        fetcher::ftpGet(args[1], std::stoi(args[2]), args[3], args[4], window);
    } else if (what == "check") {
        requireCount(args, 6);
        fetcher::versionCheck(args[1].at(0), args[2], std::stoi(args[3]), std::stoi(args[4]), std::stoi(args[5]));
    } else if (what == "sql") {
        requireCount(args, 3);
        fetcher::runScript(args[1], args[2], window);
    } else {
        throw std::runtime_error("unknown operation " + what);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fprintf(stderr, "usage: see the head of bench/fetcher/main.cpp\n");
        return 2;
    }
    // The updater runs every operation with its toolkit started, shown or not; so
    // a window's cost is the window's own.
    QApplication application(argc, argv);
    // A message box would wait for a click: say it and fail instead.
    bool failed = false;
    Application::setMessageHook([&](Application::MessageKind, const std::string&, const std::string& text) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        failed = true;
    });
    TDataWeb web;
    DataWeb = &web;
    try {
        dispatch(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        failed = true;
    }
    DataWeb = nullptr;
    return failed ? 1 : 0;
}
