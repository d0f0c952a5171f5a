#pragma once
// A web update view without a window: every call is one line of a record, and
// its lists are the store between the phases, as the screen's are.
#include "update/web_update_view.h"

#include <string>
#include <vector>

namespace trev {
class WebUpdateDatabase;
}

namespace trev::sequencetest {

class RecordingView : public WebUpdateView {
public:
    std::vector<std::string> record;
    std::vector<std::vector<std::string>> versions;  // caption, date, description
    std::vector<AddOnEntry> addOns;
    std::vector<bool> ticked;
    std::vector<WorkRow> work;
    bool serverUpdate = false;
    // Scripts run against it when there is one; otherwise they are only recorded.
    WebUpdateDatabase* database = nullptr;

    // The lines of the record that begin with the prefix.
    std::vector<std::string> linesStartingWith(const std::string& prefix) const;

    void setPhase(Phase phase, PhaseState state, const std::string& text) override;
    void setAction(const std::string& text) override;
    void letEventsRun() override { note("events"); }
    void stopCheckTimer() override { note("timer off"); }
    void clearVersions() override;
    void addVersion(const std::string& caption, const std::string& date, const std::string& description) override;
    void clearAddOns() override;
    void addAddOn(const AddOnEntry& entry) override;
    void showTypeNotice() override { note("type notice"); }
    bool serverUpdateChosen() const override { return serverUpdate; }
    void lockSelection() override { note("selection locked"); }
    std::vector<std::string> versionCaptions() const override;
    void setVersionIcon(size_t row, RowIcon icon) override { note("version icon " + rowIcon(row, icon)); }
    std::vector<AddOnChoice> tickedAddOns() const override;
    void clearWorkList() override;
    void addWorkRow(const WorkRow& row) override;
    std::vector<WorkRow> workList() const override { return work; }
    void setWorkRowIcon(size_t row, RowIcon icon) override { note("work icon " + rowIcon(row, icon)); }
    void selectWorkRow(size_t row) override { note("work selected " + std::to_string(row)); }
    void showDownloadProgress() override { note("download window shown"); }
    void hideDownloadProgress() override { note("download window hidden"); }
    void showScriptProgress(size_t steps) override { note("script window shown 0.." + std::to_string(steps)); }
    void setScriptProgress(size_t done) override { note("script window at " + std::to_string(done)); }
    void hideScriptProgress() override { note("script window hidden"); }
    void runScript(const std::string& windowsPath, ScriptObserver* observer) override;
    void endProgram() override { note("end"); }

private:
    void note(const std::string& line) { record.push_back(line); }
    static std::string rowIcon(size_t row, RowIcon icon);
};

}  // namespace trev::sequencetest
