#include "publish/publish_command.h"

#include "publish/signing.h"
#include "publish/tree_edits.h"
#include "publish/tree_files.h"

#include <ctime>
#include <map>

namespace trev::publish {

namespace {

constexpr const char* kUsage =
    "usage: trev-publish keygen SECRET_FILE [--force]\n"
    "       trev-publish version TREE --number N --label L --date dd/mm/yyyy --description TEXT SCRIPT...\n"
    "       trev-publish programs TREE FILE...\n"
    "       trev-publish addon TREE FILE --name NAME [--date dd/mm/yyyy] [--description TEXT]\n"
    "       trev-publish sign TREE --key SECRET_FILE [--valid-days D]\n"
    "       trev-publish verify TREE --public-key KEY\n";

struct UsageError {};

// Options with a value ("--name value") and the rest, in order.
struct Parsed {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;
    bool force = false;

    std::string option(const std::string& name, bool required = true) const {
        auto found = options.find(name);
        if (found == options.end() && required) throw UsageError{};
        return found == options.end() ? "" : found->second;
    }
};

Parsed parse(const std::vector<std::string>& arguments) {
    Parsed parsed;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--force") {
            parsed.force = true;
        } else if (arguments[i].starts_with("--")) {
            if (i + 1 == arguments.size()) throw UsageError{};
            parsed.options[arguments[i].substr(2)] = arguments[i + 1];
            ++i;
        } else {
            parsed.positional.push_back(arguments[i]);
        }
    }
    return parsed;
}

int64_t now() { return static_cast<int64_t>(std::time(nullptr)); }

int run(const std::string& command, const Parsed& p, std::ostream& out) {
    if (p.positional.empty()) throw UsageError{};
    const std::filesystem::path first = pathFromUtf8(p.positional[0]);
    std::vector<std::filesystem::path> rest;
    for (size_t i = 1; i < p.positional.size(); ++i) rest.push_back(pathFromUtf8(p.positional[i]));
    if (command == "keygen") {
        out << generateKeys(first, p.force) << "\n";
    } else if (command == "version") {
        VersionToPublish version{p.option("number"), p.option("label"), p.option("date"), p.option("description"), rest};
        for (const std::string& line : publishVersion(first, version)) out << line << "\n";
    } else if (command == "programs") {
        publishPrograms(first, rest);
    } else if (command == "addon") {
        if (rest.size() != 1) throw UsageError{};
        publishAddOn(first, {rest[0], p.option("name"), p.option("date", false), p.option("description", false)});
    } else if (command == "sign") {
        const std::string days = p.option("valid-days", false);
        const int validDays = days.empty() ? 30 : std::stoi(days);
        out << "manifesto.cfg sequencia " << signTree(first, p.option("key"), validDays, now()) << "\n";
    } else if (command == "verify") {
        const std::vector<std::string> mismatches = verifyTree(first, p.option("public-key"), now());
        for (const std::string& line : mismatches) out << line << "\n";
        if (!mismatches.empty()) return 1;
        out << "ok\n";
    } else {
        throw UsageError{};
    }
    return 0;
}

}  // namespace

int runPublishCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        if (arguments.empty()) throw UsageError{};
        return run(arguments[0], parse(arguments), out);
    } catch (const UsageError&) {
        err << kUsage;
        return 2;
    } catch (const std::exception& error) {
        err << "trev-publish: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace trev::publish
