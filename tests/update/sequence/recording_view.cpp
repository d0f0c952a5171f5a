#include "recording_view.h"

#include "platform/codepage.h"
#include "update/sql_script_runner.h"

namespace trev::sequencetest {

std::vector<std::string> RecordingView::linesStartingWith(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : record)
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
}

void RecordingView::setPhase(Phase phase, PhaseState state, const std::string& text) {
    const char* colour = state == PhaseState::Running ? "black" : "green";
    note("phase " + std::to_string(static_cast<int>(phase) + 1) + " " + colour + " " + cp1252ToUtf8(text));
}

void RecordingView::setAction(const std::string& text) { note("action " + cp1252ToUtf8(text)); }

void RecordingView::clearVersions() {
    versions.clear();
    note("versions cleared");
}

void RecordingView::addVersion(const std::string& caption, const std::string& date, const std::string& description) {
    versions.push_back({caption, date, description});
    note("version " + caption + "|" + date + "|" + description);
}

void RecordingView::clearAddOns() {
    addOns.clear();
    ticked.clear();
    note("add-ons cleared");
}

void RecordingView::addAddOn(const AddOnEntry& entry) {
    addOns.push_back(entry);
    ticked.push_back(false);
    note("add-on " + entry.name);
}

std::vector<std::string> RecordingView::versionCaptions() const {
    std::vector<std::string> captions;
    for (const auto& row : versions) captions.push_back(row[0]);
    return captions;
}

std::vector<AddOnChoice> RecordingView::tickedAddOns() const {
    std::vector<AddOnChoice> choices;
    for (size_t i = 0; i < addOns.size(); ++i)
        if (ticked[i]) choices.push_back({static_cast<int>(i) + 1, addOns[i].name, addOns[i].exeName});
    return choices;
}

void RecordingView::clearWorkList() {
    work.clear();
    note("work cleared");
}

void RecordingView::addWorkRow(const WorkRow& row) {
    work.push_back(row);
    note("work " + row.kind + " " + row.version + " " + row.fileName);
}

namespace {

class NoProgress : public ScriptProgress {
public:
    void start(int) override {}
    void lineDone() override {}
};

}  // namespace

void RecordingView::runScript(const std::string& windowsPath, ScriptObserver* observer) {
    note("run " + windowsPath);
    if (!database) return;
    NoProgress progress;
    runSqlScriptFile(*database, windowsPath, progress, observer);
}

std::string RecordingView::rowIcon(size_t row, RowIcon icon) {
    static const char* const names[] = {"arrow", "play", "cross"};
    return std::to_string(row) + " " + names[static_cast<int>(icon)];
}

}  // namespace trev::sequencetest
