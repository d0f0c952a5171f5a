// Script text cut into statements line by line.
#include "fuzz_support.h"
#include "update/sql_script_split.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = trev::fuzz::text(data, size);
    trev::StatementSplitter splitter;
    const std::vector<std::string> lines = trev::fuzz::lines(bytes);
    size_t total = 0;
    for (const std::string& line : lines)
        splitter.addLine(line, [&](const std::string& statement) { total += statement.size() + 1; });
    // Every byte but the line ends is in a statement (its ";" counted) or still pending.
    if (total + splitter.pending().size() + lines.size() - 1 != bytes.size()) __builtin_trap();
    return 0;
}
