#include "fetcher.h"

#include <chrono>
#include <cstdio>

namespace trev::fetcher {

void printReportedSeconds(double seconds) { std::printf("%s %.6f\n", kReportedSecondsTag, seconds); }

void reportSecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    printReportedSeconds(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace trev::fetcher
