// Reads every #include under src/ and reports each one the layer table of
// docs/architecture.md forbids (an include that runs up a layer), and each Qt header that
// a logic library reaches, directly or through the headers it includes.
//
// include_rules SRC_ROOT ARCHITECTURE_MD LOGIC_SOURCES
// LOGIC_SOURCES lists, per logic library, a line "library NAME FOLDER" and then its sources.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Include {
    fs::path file;
    int line;
    bool angled;
    std::string name;
};

struct Violation {
    fs::path file;
    int line;
    std::string rule;
    bool operator<(const Violation& o) const {
        return std::tie(file, line, rule) < std::tie(o.file, o.line, o.rule);
    }
};

std::vector<std::string> readLines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The folders of the layer table, top first: rows that start with "| `src/NAME/`".
std::vector<std::string> readLayers(const fs::path& architecture) {
    static const std::regex row(R"(^\|\s*`src/([a-z_]+)/`)");
    std::vector<std::string> layers;
    std::smatch m;
    for (const std::string& line : readLines(architecture))
        if (std::regex_search(line, m, row)) layers.push_back(m[1]);
    return layers;
}

std::vector<Include> includesOf(const fs::path& file) {
    static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> includes;
    std::smatch m;
    const std::vector<std::string> lines = readLines(file);
    for (size_t i = 0; i < lines.size(); ++i)
        if (std::regex_search(lines[i], m, directive))
            includes.push_back({file, static_cast<int>(i + 1), m[1] == "<", m[2]});
    return includes;
}

bool isSource(const fs::path& file) {
    const std::string ext = file.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".c";
}

std::string firstComponent(const std::string& path) { return path.substr(0, path.find('/')); }

std::string shown(const fs::path& file, const fs::path& srcRoot) {
    return "src/" + fs::relative(file, srcRoot).generic_string();
}

std::vector<Violation> layerViolations(const fs::path& srcRoot, const std::vector<std::string>& layers) {
    auto rank = [&](const std::string& folder) { return std::find(layers.begin(), layers.end(), folder) - layers.begin(); };
    std::vector<Violation> found;
    for (const auto& entry : fs::recursive_directory_iterator(srcRoot)) {
        if (!entry.is_regular_file() || !isSource(entry.path())) continue;
        const std::string own = firstComponent(fs::relative(entry.path(), srcRoot).generic_string());
        if (rank(own) == static_cast<long>(layers.size())) {
            found.push_back({entry.path(), 1, "src/" + own + "/ is not in the layer table of docs/architecture.md"});
            continue;
        }
        for (const Include& include : includesOf(entry.path())) {
            const std::string target = firstComponent(include.name);
            if (include.angled || rank(target) <= rank(own) || rank(target) == static_cast<long>(layers.size())) continue;
            found.push_back({include.file, include.line,
                             "#include \"" + include.name + "\": src/" + own + "/ may not include from src/" + target +
                                 "/, which comes below it in the layer table"});
        }
    }
    return found;
}

bool isQtHeader(const std::string& name) { return std::regex_search(name, std::regex(R"(^Q[A-Za-z0-9]*(/|$))")); }

// Follows the quoted includes that name a file under src/ (generated ones are not there).
void collectQt(const fs::path& file, const fs::path& srcRoot, const std::string& reachedBy, const std::string& library,
               std::set<fs::path>& seen, std::vector<Violation>& found) {
    if (!seen.insert(fs::weakly_canonical(file)).second) return;
    for (const Include& include : includesOf(file)) {
        if (include.angled) {
            if (isQtHeader(include.name))
                found.push_back({include.file, include.line,
                                 "#include <" + include.name + ">: a Qt header in the logic library " + library +
                                     " (reached from " + reachedBy + ")"});
            continue;
        }
        const fs::path header = srcRoot / include.name;
        if (fs::is_regular_file(header)) collectQt(header, srcRoot, reachedBy, library, seen, found);
    }
}

std::vector<Violation> qtViolations(const fs::path& srcRoot, const fs::path& logicSources) {
    std::vector<Violation> found;
    std::string library;
    fs::path folder;
    for (const std::string& line : readLines(logicSources)) {
        if (line.rfind("library ", 0) == 0) {
            const size_t space = line.find(' ', 8);
            library = line.substr(8, space - 8);
            folder = logicSources.parent_path() / line.substr(space + 1);
            continue;
        }
        const fs::path source = folder / line;  // a relative source is of the library's folder
        if (line.empty() || !fs::is_regular_file(source)) continue;
        std::set<fs::path> seen;
        collectQt(source, srcRoot, shown(source, srcRoot), library, seen, found);
    }
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: include_rules SRC_ROOT ARCHITECTURE_MD LOGIC_SOURCES\n";
        return 2;
    }
    const fs::path srcRoot = fs::canonical(argv[1]);
    const std::vector<std::string> layers = readLayers(argv[2]);
    if (layers.empty()) {
        std::cerr << argv[2] << ": no layer table (rows starting with | `src/NAME/`)\n";
        return 2;
    }
    std::set<Violation> violations;
    for (const Violation& v : layerViolations(srcRoot, layers)) violations.insert(v);
    for (const Violation& v : qtViolations(srcRoot, argv[3])) violations.insert(v);
    for (const Violation& v : violations) std::cout << shown(v.file, srcRoot) << ":" << v.line << ": " << v.rule << "\n";
    std::cout << violations.size() << " forbidden includes under src/ (layers, top first:";
    for (const std::string& layer : layers) std::cout << " " << layer;
    std::cout << ")\n";
    return violations.empty() ? 0 : 1;
}
