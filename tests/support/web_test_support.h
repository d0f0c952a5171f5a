#pragma once
// What the screen tests share: the host of screens shown alone, an install tree
// on a fresh drive, captured error messages and bounded waits.
#include "settings/screen_host.h"
#include "support/temp_drive.h"
#include "transfer/data_web.h"

#include <QColor>
#include <QLabel>

#include <functional>
#include <string>
#include <vector>

namespace trev::webtest {

// The host of screens shown without a main window; tests set its protocol and server.
StandaloneHost& standaloneHost();
void setStandaloneSource(Protocol protocol, UpdateServer server);

// A fresh drive C: with the install root; TEMP and TXT only when asked.
class InstallTree {
public:
    explicit InstallTree(bool withTemp = true, bool withTxt = true);
    // A file under the install root, relative path with "/".
    void write(const std::string& relative, const std::string& bytes) const;
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;

private:
    test::TempDrive drive_{"web-drive"};
};

// Messages the error display would show (UTF-8), while this object lives.
class CapturedMessages {
public:
    CapturedMessages();
    ~CapturedMessages();
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;
    std::vector<std::string> texts;
    std::vector<std::string> captions;
};

// A fresh TDataWeb as the global DataWeb while this object lives.
class GlobalDataWeb {
public:
    GlobalDataWeb();
    ~GlobalDataWeb();
    GlobalDataWeb(const GlobalDataWeb&) = delete;
    GlobalDataWeb& operator=(const GlobalDataWeb&) = delete;

private:
    TDataWeb dataWeb_;
};

// Runs pending events until the condition holds or timeoutMs passes.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000);

QColor textColor(const QLabel* label);
std::string utf8(const QString& text);

}  // namespace trev::webtest
