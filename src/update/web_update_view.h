#pragma once
// What the version check and the update run drive on the web update screen. The
// screen's lists are the store between the phases: the check leaves its rows
// there and the run reads them back.
#include "update/catalogue.h"
#include "update/sql_script_runner.h"

#include <cstddef>
#include <string>
#include <vector>

namespace trev {

enum class Phase { Check, Download, Execute };  // lblF1, LblF2, LblF3
enum class PhaseState { Running, Done };        // black, green
enum class RowIcon { Arrow, Play, Cross };      // the screen's ImageList1, in order

// A ticked row of the add-on list; number counts rows from 1.
struct AddOnChoice {
    int number = 0;
    std::string name;      // caption
    std::string fileName;  // sub-item 3
};

// A row of the work list ListArquivos.
struct WorkRow {
    std::string kind;  // "SQL" or "EXE"
    std::string version;
    std::string fileName;
};

class WebUpdateView {
public:
    virtual void setPhase(Phase phase, PhaseState state, const std::string& text) = 0;
    virtual void setAction(const std::string& text) = 0;
    virtual void letEventsRun() = 0;

    // The version check.
    virtual void stopCheckTimer() = 0;
    virtual void clearVersions() = 0;
    virtual void addVersion(const std::string& caption, const std::string& date, const std::string& description) = 0;
    virtual void clearAddOns() = 0;
    virtual void addAddOn(const AddOnEntry& entry) = 0;
    // The first notice appears and the update button stays disabled.
    virtual void showTypeNotice() = 0;

    // The update run.
    virtual bool serverUpdateChosen() const = 0;
    // Both update types and the update button disabled, the notices hidden.
    virtual void lockSelection() = 0;
    virtual std::vector<std::string> versionCaptions() const = 0;
    virtual void setVersionIcon(size_t row, RowIcon icon) = 0;
    virtual std::vector<AddOnChoice> tickedAddOns() const = 0;
    virtual void clearWorkList() = 0;
    virtual void addWorkRow(const WorkRow& row) = 0;
    virtual std::vector<WorkRow> workList() const = 0;
    virtual void setWorkRowIcon(size_t row, RowIcon icon) = 0;
    virtual void selectWorkRow(size_t row) = 0;
    // The progress windows, in the action panel.
    virtual void showDownloadProgress() = 0;
    virtual void hideDownloadProgress() = 0;
    virtual void showScriptProgress(size_t steps) = 0;
    virtual void setScriptProgress(size_t done) = 0;
    virtual void hideScriptProgress() = 0;
    // Executes one script file against the screen's database.
    virtual void runScript(const std::string& windowsPath, ScriptObserver* observer) = 0;
    // Asks the application to end once the running handler returns.
    virtual void endProgram() = 0;

protected:
    ~WebUpdateView() = default;
};

}  // namespace trev
