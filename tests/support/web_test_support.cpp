#include "support/web_test_support.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "ui/application.h"

#include <QApplication>
#include <QDeadlineTimer>

#include <filesystem>

namespace trev::webtest {

StandaloneHost& standaloneHost() {
    static StandaloneHost host(Protocol::Http, builtInUpdateServer());
    return host;
}

void setStandaloneSource(Protocol protocol, UpdateServer server) {
    standaloneHost().setSource(protocol, std::move(server));
}

InstallTree::InstallTree(bool withTemp, bool withTxt) {
    std::filesystem::create_directories(drive_.file("VELOR/TREVALMONTE"));
    if (withTemp) std::filesystem::create_directories(drive_.file("VELOR/TREVALMONTE/TEMP"));
    if (withTxt) std::filesystem::create_directories(drive_.file("VELOR/TREVALMONTE/TXT"));
}

void InstallTree::write(const std::string& relative, const std::string& bytes) const {
    peers::writeFile(drive_.file("VELOR/TREVALMONTE/" + relative), bytes);
}

std::string InstallTree::read(const std::string& relative) const {
    return peers::readFile(drive_.file("VELOR/TREVALMONTE/" + relative));
}

bool InstallTree::exists(const std::string& relative) const {
    return std::filesystem::exists(drive_.file("VELOR/TREVALMONTE/" + relative));
}

CapturedMessages::CapturedMessages() {
    Application::setMessageHook([this](Application::MessageKind, const std::string& caption, const std::string& text) {
        captions.push_back(cp1252ToUtf8(caption));
        texts.push_back(cp1252ToUtf8(text));
    });
}

CapturedMessages::~CapturedMessages() { Application::setMessageHook({}); }

GlobalDataWeb::GlobalDataWeb() { DataWeb = &dataWeb_; }

GlobalDataWeb::~GlobalDataWeb() { DataWeb = nullptr; }

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

QColor textColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

std::string utf8(const QString& text) { return text.toStdString(); }

}  // namespace trev::webtest
