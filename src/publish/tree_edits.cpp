#include "publish/tree_edits.h"

#include "platform/text_util.h"
#include "publish/tree_files.h"
#include "update/catalogue.h"
#include "update/safe_names.h"
#include "update/sql_script_split.h"
#include "update/text_routines.h"

#include <set>

namespace trev::publish {

namespace fs = std::filesystem;

namespace {

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The lines as the updater reads them: CR LF or LF ends a line.
std::vector<std::string> linesOf(const fs::path& file) {
    std::vector<std::string> lines;
    if (!fs::exists(file)) return lines;
    const std::string text = readWhole(file);
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

std::string safeName(const fs::path& file) {
    const std::string name = windows1252(file.filename().string(), "file name");
    if (!isSafeFileName(name)) throw PublishError("the updater refuses the file name " + file.filename().string());
    return name;
}

void requireDate(const std::string& date) {
    int day = 0, month = 0, year = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%2d/%2d/%4d", &day, &month, &year) != 3 || day < 1 ||
        day > 31 || month < 1 || month > 12 || date[2] != '/' || date[5] != '/')
        throw PublishError("not a date dd/mm/yyyy: " + date);
}

int statementCount(const fs::path& script) {
    StatementSplitter splitter;
    int count = 0;
    for (const std::string& line : linesOf(script)) splitter.addLine(line, [&](const ScriptStatement&) { ++count; });
    return count;
}

void requireNewNumber(const std::vector<std::string>& published, const std::string& number) {
    if (number.empty() || number.size() > 18 || number.find_first_not_of("0123456789") != std::string::npos)
        throw PublishError("a version number is digits only: " + number);
    for (const std::string& line : published)
        if (line == number) throw PublishError("version " + number + " is already published");
    if (published.empty()) return;
    const std::string& last = published.back();
    if (last.empty() || last.size() > 18 || last.find_first_not_of("0123456789") != std::string::npos ||
        std::stoll(number) <= std::stoll(last))
        throw PublishError("version " + number + " is not above the last published one, " + last);
}

}  // namespace

std::vector<std::string> publishVersion(const fs::path& tree, const VersionToPublish& version) {
    const fs::path listFile = tree / "versao" / "versao.cfg";
    std::vector<std::string> published = linesOf(listFile);
    while (!published.empty() && published.back().empty()) published.pop_back();
    requireNewNumber(published, version.number);
    const std::string label = windows1252(version.label, "the label");
    if (StripVersionPunctuation(trim(label)) != version.number)
        throw PublishError("the label " + version.label + " without punctuation is not " + version.number);
    requireDate(version.date);
    const std::string description = padded(windows1252(version.description, "the description"), 60, "the description");
    if (version.scripts.empty()) throw PublishError("a version needs at least one script");
    std::vector<std::string> names, report;
    for (const fs::path& script : version.scripts) {
        names.push_back(safeName(script));
        if (std::set<std::string>(names.begin(), names.end()).size() != names.size())
            throw PublishError("two scripts named " + script.filename().string());
        const int statements = statementCount(script);
        report.push_back(script.filename().string() + ": " + std::to_string(statements) + " statements");
        if (statements == 0) throw PublishError(script.string() + " has no complete statement (none ends in \";\")");
    }
    const fs::path folder = tree / "versao" / version.number;
    for (size_t i = 0; i < names.size(); ++i) writeAtomically(folder / names[i], readWhole(version.scripts[i]));
    writeAtomically(folder / "dtversao.cfg", version.date + "\r\n");
    writeAtomically(folder / "descricao.cfg", padded(label, 10, "the label") + description + "\r\n");
    writeAtomically(folder / "lista.txt", crlfLines(names));
    published.push_back(version.number);
    writeAtomically(listFile, crlfLines(published));
    return report;
}

void publishPrograms(const fs::path& tree, const std::vector<fs::path>& programs) {
    std::vector<std::string> names;
    for (const fs::path& program : programs) names.push_back(safeName(program));
    const fs::path folder = tree / "exe";
    const std::vector<std::string> before = linesOf(folder / "lista.txt");
    for (size_t i = 0; i < names.size(); ++i) writeAtomically(folder / names[i], readWhole(programs[i]));
    writeAtomically(folder / "lista.txt", crlfLines(names));
    const std::set<std::string> kept(names.begin(), names.end());
    for (const std::string& old : before)
        if (!kept.count(old) && isSafeFileName(old)) fs::remove(folder / old);
}

void publishAddOn(const fs::path& tree, const AddOnToPublish& addOn) {
    const std::string fileName = safeName(addOn.file);
    if (!addOn.date.empty()) requireDate(addOn.date);
    const std::string line = padded(fileName, 30, "the file name") +
                             padded(windows1252(addOn.name, "the name"), 30, "the name") +
                             padded(addOn.date, 10, "the date") +
                             padded(windows1252(addOn.description, "the description"), 50, "the description");
    if (trim(addOn.name).empty()) throw PublishError("an add-on needs a name");
    const fs::path catalogue = tree / "adicionais" / "descricao.cfg";
    std::vector<std::string> lines = linesOf(catalogue);
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    bool replaced = false;
    for (std::string& existing : lines)
        if (parseAddOnLine(existing).exeName == fileName) existing = line, replaced = true;
    if (!replaced) lines.push_back(line);
    writeAtomically(tree / "adicionais" / fileName, readWhole(addOn.file));
    writeAtomically(catalogue, crlfLines(lines));
}

}  // namespace trev::publish
