// Script text cut into statements line by line.
#include "fuzz_support.h"
#include "update/sql_script_split.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = trev::fuzz::text(data, size);
    trev::StatementSplitter splitter;
    const std::vector<std::string> lines = trev::fuzz::lines(bytes);
    size_t total = 0;
    int count = 0;
    for (const std::string& line : lines)
        splitter.addLine(line, [&](const trev::ScriptStatement& statement) {
            total += statement.text.size() + 1;
            // Numbered in order, each starting on a line already read.
            if (statement.number != ++count || statement.startLine < 1 ||
                statement.startLine > static_cast<int>(lines.size()))
                __builtin_trap();
        });
    // Every byte but the line ends is in a statement (its ";" counted) or still pending.
    if (total + splitter.pending().size() + lines.size() - 1 != bytes.size()) __builtin_trap();
    return 0;
}
